// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/RootCommands.h"
#include "app/ShellCommands.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/NcduExport.h"
#include "scan/Root.h"
#include "shell/ShellPilot.h"
#include "shell/Trash.h"
#include "tests/Rescanned.h"
#include "tests/StandIns.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Exists(const std::string& Path)
{
  struct stat Data;
  return lstat(Path.c_str(), &Data) == 0;
}

// The totals of a record, to compare before and after.
struct TTotals {
  uint64_t Objects, Clusters, TailBytes;
  explicit TTotals(const TFolderData* Record)
    : Objects(Record->FObjects), Clusters(Record->FClusters), TailBytes(Record->FTailBytes)
  {
  }
  bool operator==(const TTotals&) const = default;
};

// The title of the next popup menu, which is closed; empty when none opens.
QString* NextMenu(QString& Seen)
{
  Seen = "none";
  QTimer::singleShot(100, [&Seen] {
    if (auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      Seen = Menu->actions().value(0) ? Menu->actions()[0]->text() : QString();
      Menu->close();
    }
  });
  return &Seen;
}

// A scanned tree in a window showing the list:
// top/{big/{x/{f 40000}, g 30000}, small/{h 5000}, a.txt 10000, b.txt 20000}.
struct TScanned {
  TScanned()
  {
    Tree.Folder("big");
    Tree.Folder("big/x");
    Tree.File("big/x/f", 40000);
    Tree.File("big/g", 30000);
    Tree.Folder("small");
    Tree.File("small/h", 5000);
    Tree.File("a.txt", 10000);
    Tree.File("b.txt", 20000);
    Form.show();
    Form.ListButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Top = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Top);
    QTRY_COMPARE(Form.List().Model().rowCount(), 5);  // the top, two folders, two files
  }
  TTestTree Tree;
  TMainForm Form;
  TFolderNode* Top = nullptr;
  QPoint At(const TFolderNode* Node) { return Form.TreeView()->visualRect(Form.Model().IndexOf(Node)).center(); }
  int Row(const QString& Caption)
  {
    TListModel& Model = Form.List().Model();
    for (int Row = 0; Row < Model.rowCount(); ++Row)
      if (Model.index(Row, 0).data().toString() == Caption)
        return Row;
    return -1;
  }
};

// Moves Name to the Trash with the Delete key: a folder of the tree below
// Folder when InTree, else a row of Folder's list, which the window shows.
void DeleteKey(TMainForm& Form, TFolderNode* Folder, const QString& Name, bool InTree)
{
  if (InTree) {
    Form.SetCurrentNode(Child(Folder, Name.toStdString()));
    Form.TreeView()->setFocus();
    QTest::keyClick(Form.TreeView(), Qt::Key_Delete);
    return;
  }
  Form.SetCurrentNode(Folder);
  TListModel& Model = Form.List().Model();
  QTRY_VERIFY(Model.rowCount() > int(Folder->ChildCount()));
  int Row = -1;
  for (int Index = 0; Index < Model.rowCount(); ++Index)
    if (Model.index(Index, 0).data().toString() == Name)
      Row = Index;
  QVERIFY(Row >= 0);
  Form.List().selectRow(Row);
  Form.List().setFocus();
  QTest::keyClick(&Form.List(), Qt::Key_Delete);
}

}  // namespace

class TShellCommandsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Right clicks: a top node has the program's menu, a "<Files>" entry none,
  // empty space none and no current node.
  void treeMenus()
  {
    TScanned Scan;
    QString Seen;
    NextMenu(Seen);
    Scan.Form.TreeView()->customContextMenuRequested(Scan.At(Scan.Top));
    QCOMPARE(Seen, QString("&Open"));
    const TFolderNode* Files = nullptr;
    for (const TFolderNode* Child : Scan.Top->Children())
      if (Child->FIsFiles)
        Files = Child;
    QVERIFY(Files);
    NextMenu(Seen);
    Scan.Form.TreeView()->customContextMenuRequested(Scan.At(Files));
    QTest::qWait(200);
    QCOMPARE(Seen, QString("none"));
    NextMenu(Seen);
    Scan.Form.TreeView()->customContextMenuRequested(QPoint(5, Scan.Form.TreeView()->viewport()->height() - 5));
    QTest::qWait(200);
    QCOMPARE(Seen, QString("none"));
    QVERIFY(!Scan.Form.CurrentNode());
  }

  // Delete in the tree moves the folder to the Trash, frees its node and
  // lowers every ancestor by exactly its totals; declining changes nothing.
  void deleteInTheTree()
  {
    TScanned Scan;
    TFolderNode* Big = Child(Scan.Top, "big");
    TFolderNode* X = Child(Big, "x");
    const TTotals Gone(X), BigBefore(Big), TopBefore(Scan.Top);
    Scan.Form.SetCurrentNode(X);
    Scan.Form.TreeView()->setFocus();
    TAnswers Answers;
    Answers.Yes = false;
    QTest::keyClick(Scan.Form.TreeView(), Qt::Key_Delete);
    QVERIFY(Child(Big, "x"));
    QCOMPARE(TTotals(Big), BigBefore);
    Answers.Yes = true;
    QTest::keyClick(Scan.Form.TreeView(), Qt::Key_Delete);
    QVERIFY(!Exists(Scan.Tree.Path("big/x")));
    QVERIFY(!Child(Big, "x"));
    for (const auto& [Node, Before] : {std::pair{Big, BigBefore}, std::pair{Scan.Top, TopBefore}}) {
      QCOMPARE(Node->FObjects.Load(), Before.Objects - Gone.Objects);
      QCOMPARE(Node->FClusters.Load(), Before.Clusters - Gone.Clusters);
      QCOMPARE(Node->FTailBytes.Load(), Before.TailBytes - Gone.TailBytes);
    }
  }

  // Delete in the list: two folders and a file, the top's own row selected
  // too; the folder drops by the three once each, two nodes and three rows
  // go, the top's row stays, and the top's own files and "<Files>" entry
  // drop by the file.
  void deleteInTheList()
  {
    TScanned Scan;
    TListModel& Model = Scan.Form.List().Model();
    const TTotals Big(Child(Scan.Top, "big")), Small(Child(Scan.Top, "small"));
    const TFolderData* File = Model.Record(Scan.Row("a.txt"));
    const TTotals A(File);
    const TTotals TopBefore(Scan.Top);
    const int64_t OwnBefore = Scan.Top->OwnFiles();
    Scan.Form.SelectAllRows();
    Scan.Form.List().selectionModel()->select(Model.index(Scan.Row("b.txt"), 0),
                                              QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    TAnswers Answers;
    QTest::keyClick(&Scan.Form.List(), Qt::Key_Delete);
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY(Answers.Asked[0].contains("these 3 items") && Answers.Asked[0].contains("restored"));
    QCOMPARE(Scan.Top->FObjects.Load(), TopBefore.Objects - Big.Objects - Small.Objects - A.Objects);
    QCOMPARE(Scan.Top->FClusters.Load(), TopBefore.Clusters - Big.Clusters - Small.Clusters - A.Clusters);
    QVERIFY(!Child(Scan.Top, "big") && !Child(Scan.Top, "small"));
    QCOMPARE(Model.rowCount(), 2);
    QVERIFY(Model.IsTop(0));
    QCOMPARE(Model.index(1, 0).data().toString(), QString("b.txt"));
    QCOMPARE(Scan.Top->OwnFiles(), OwnBefore - 1);
    QCOMPARE(Scan.Top->FFiles.load()->Count(), 1u);  // the files the treemap draws follow
    for (const TFolderNode* Child : Scan.Top->Children())
      if (Child->FIsFiles)
        QCOMPARE(Child->FObjects.Load(), uint64_t(Scan.Top->OwnFiles()));
    QCOMPARE(Scan.Form.List().selectionModel()->selectedRows().value(0).row(), 1);

    // A file that grew since the scan takes out no more than was counted.
    Scan.Tree.File("b.txt", 50000000);
    Scan.Form.ListButtonClick();  // listed again: the list's row has the new size
    QTRY_VERIFY(Scan.Row("b.txt") > 0 && Model.Record(Scan.Row("b.txt"))->FClusters.Load() > TopBefore.Clusters);
    Scan.Form.List().selectRow(Scan.Row("b.txt"));
    Scan.Form.List().setFocus();
    QTest::keyClick(&Scan.Form.List(), Qt::Key_Delete);
    QVERIFY(!Exists(Scan.Tree.Path("b.txt")));
    QCOMPARE(Scan.Top->OwnFiles(), 0);
    QVERIFY(Scan.Top->FClusters.Load() < TopBefore.Clusters);
    // "<Files>" goes with the last file, as a new scan would show it.
    QVERIFY(std::none_of(Scan.Top->Children().begin(), Scan.Top->Children().end(),
                         [](const TFolderNode* Child) { return Child->FIsFiles; }));
  }

  // Whatever goes to the Trash, from the list or the tree, every total
  // left in the window is what a new scan counts: a sparse file by its
  // blocks, a file with another name still there not at all above the
  // folders that still hold a name of it.
  void trashAsRescan_data()
  {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inTree");
    QTest::newRow("sparse file") << ""
                                 << "sparse" << false;
    QTest::newRow("plain file beside a sparse one") << ""
                                                    << "data" << false;
    QTest::newRow("one name of two in other folders") << "a"
                                                      << "f" << false;
    QTest::newRow("one name of two in one folder") << "a"
                                                   << "g" << false;
    QTest::newRow("folder holding one name") << ""
                                             << "b" << true;
    QTest::newRow("folder holding both names") << ""
                                               << "a" << true;
  }
  void trashAsRescan()
  {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(bool, inTree);
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("b");
    Tree.Folder("a/c");
    Tree.Sparse("sparse", 50 << 20);
    Tree.File("data", 300000);
    Tree.File("a/f", 70000);
    Tree.File("a/g", 90000);
    Tree.File("a/c/h", 5000);
    QVERIFY(link(Tree.Path("a/f").c_str(), Tree.Path("b/f2").c_str()) == 0);
    QVERIFY(link(Tree.Path("a/g").c_str(), Tree.Path("a/g2").c_str()) == 0);
    {
      // A sparse file with some data: blocks and holes both.
      const int Fd = open(Tree.Path("sparse").c_str(), O_WRONLY);
      QVERIFY(Fd >= 0 && pwrite(Fd, "data", 4, 1 << 20) == 4);
      close(Fd);
    }
    StartWithList();
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* Folder = folder.isEmpty() ? Top : Child(Top, folder.toStdString());
    TAnswers Answers;
    DeleteKey(Form, Folder, name, inTree);
    QVERIFY(!Exists(Tree.Path((folder.isEmpty() ? name : folder + "/" + name).toStdString())));
    QVERIFY(SameAsRescan(Top));
  }

  // A Trash inside the scanned folder keeps what went there: the folders
  // above keep its space, as a new scan would count it, and the status bar
  // says when the space is freed.
  void trashInsideTheScan_data()
  {
    QTest::addColumn<bool>("trashThere");
    QTest::addColumn<bool>("inTree");
    QTest::newRow("a file, the Trash there before") << true << false;
    QTest::newRow("a folder, no Trash yet") << false << true;
  }
  void trashInsideTheScan()
  {
    QFETCH(bool, trashThere);
    QFETCH(bool, inTree);
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/f", 70000);
    Tree.File("g", 50000);
    const QByteArray DataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Tree.Path(".local/share")));
    const auto Restore = qScopeGuard([&DataHome] { qputenv("XDG_DATA_HOME", DataHome); });
    QDir().mkpath(QString::fromStdString(Tree.Path(trashThere ? ".local/share/Trash/files" : ".local/share")));
    StartWithList();
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    const uint64_t Before = Top->FClusters.Load();
    TAnswers Answers;
    DeleteKey(Form, Top, inTree ? "a" : "g", inTree);
    QVERIFY(!Exists(Tree.Path(inTree ? "a" : "g")));
    QVERIFY(Form.statusBar()->currentMessage().contains("until the Trash is emptied"));
    QVERIFY(ScansDone(Form));
    QVERIFY(SameAsRescan(Top));
    QVERIFY(Top->FClusters.Load() >= Before);  // the space is still taken, and the Trash's own notes too
  }

  // F2 edits the bare name; Escape leaves it; a rename in the tree or the
  // list renames on disk and relabels node and row.
  void renames()
  {
    TScanned Scan;
    TFolderNode* Small = Child(Scan.Top, "small");
    Scan.Form.SetCurrentNode(Small);
    Scan.Form.TreeView()->setFocus();
    QTest::keyClick(Scan.Form.TreeView(), Qt::Key_F2);
    auto* Editor = Scan.Form.TreeView()->findChild<QLineEdit*>();
    QVERIFY(Editor);
    QCOMPARE(Editor->text(), QString("small"));
    // Keys typed into the editor are the editor's: the menu key opens no menu.
    QString Seen;
    NextMenu(Seen);
    QTest::keyClick(Editor, Qt::Key_Menu);
    QTest::qWait(200);
    QCOMPARE(Seen, QString("none"));
    QTest::keyClick(Editor, Qt::Key_Escape);
    QVERIFY(Exists(Scan.Tree.Path("small")));
    Scan.Form.SetCurrentNode(Scan.Top);  // the list shows the folder's row
    QVERIFY(Scan.Form.Model().setData(Scan.Form.Model().IndexOf(Small), "tiny", Qt::EditRole));
    QVERIFY(Exists(Scan.Tree.Path("tiny")) && !Exists(Scan.Tree.Path("small")));
    QCOMPARE(Small->Name(), std::string("tiny"));
    QVERIFY(Scan.Form.Model().IndexOf(Small).data().toString().endsWith("tiny"));
    QVERIFY(Scan.Row("tiny") > 0);
    // In the list: a file, and a name taken already is refused.
    Scan.Form.SetCurrentNode(Scan.Top);
    TListModel& Model = Scan.Form.List().Model();
    QTRY_VERIFY(Scan.Row("a.txt") > 0);
    QVERIFY(Model.setData(Model.index(Scan.Row("a.txt"), 0), "c.txt", Qt::EditRole));
    QVERIFY(Exists(Scan.Tree.Path("c.txt")));
    QVERIFY(Scan.Row("c.txt") > 0);
    TAnswers Answers;
    QVERIFY(!Model.setData(Model.index(Scan.Row("c.txt"), 0), "b.txt", Qt::EditRole));
    QVERIFY(Exists(Scan.Tree.Path("c.txt")));
    QCOMPARE(Answers.Asked.size(), 1);
  }

  // A double click goes into a folder, or opens a file with its program.
  void doubleClicks()
  {
    TScanned Scan;
    Scan.Tree.Folder("bin");
    const std::string Log = Scan.Tree.Path("opened");
    StandIn(Scan.Tree.Path("bin"), "xdg-open", QByteArray("printf '%s\\n' \"$1\" >> '") + Log.c_str() + "'\n");
    StandIn(Scan.Tree.Path("bin"), "xdg-mime", "echo editor.desktop\n");  // a program is set for text
    const TProgramsFirst Programs(Scan.Tree.Path("bin"));
    TDetailsList& List = Scan.Form.List();
    List.setFocus();
    List.setCurrentIndex(List.Model().index(Scan.Row("a.txt"), 0));
    QTest::keyClick(&List, Qt::Key_Return);
    QTRY_VERIFY(QFile(QString::fromStdString(Log)).size() > 0);
    List.setCurrentIndex(List.Model().index(Scan.Row("big"), 0));
    QTest::keyClick(&List, Qt::Key_Return);
    QCOMPARE(Scan.Form.CurrentNode(), Child(Scan.Top, "big"));
  }

  // A folder's properties show what the scan counted.
  void properties()
  {
    TScanned Scan;
    TFolderNode* Big = Child(Scan.Top, "big");
    Scan.Form.SetCurrentNode(Scan.Top);
    TShellPilot* Pilot = &Scan.Form.ShellPilot();  // which the properties dialog asks
    const auto Rows = Pilot->OnFolderTotals(Scan.Tree.Path("big"));
    // The dialog puts the colon after each label.
    QCOMPARE(Rows.value(3), (QPair<QString, QString>{"Objects", QString::number(Big->FObjects.Load())}));
    for (const auto& [Label, Text] : Rows)
      QVERIFY2(!Label.endsWith(':'), qPrintable(Label));
    QVERIFY(Pilot->OnFolderTotals("/elsewhere").isEmpty());
  }

  // A scan imported from a file shows its folders and, from the file, its
  // files; nothing acts on this computer's files of the same path.
  void importedScan()
  {
    TScanned Scan;
    QTemporaryDir Files;
    const std::string Json = Files.filePath("scan.json").toStdString();
    std::FILE* File = std::fopen(Json.c_str(), "w");
    QVERIFY(TNcduExport::Write(File, Scan.Top, TScanSettings(), "test"));
    std::fclose(File);
    Scan.Form.Roots().Open(Json);
    QTRY_VERIFY(!Scan.Form.Driver().Scanning());
    QCOMPARE(Scan.Form.Tree().TopNodes().size(), 2u);
    TFolderNode* Imported = Scan.Form.CurrentNode();
    QVERIFY(Imported && Imported != Scan.Top && Imported->Root()->Imported());
    QCOMPARE(TTotals(Imported), TTotals(Scan.Top));
    QVERIFY(Scan.Form.Model().IndexOf(Imported).data().toString().endsWith(" (imported)"));
    QTRY_COMPARE(Scan.Form.List().Model().rowCount(), 5);
    QVERIFY(Scan.Row("a.txt") > 0);
    QCOMPARE(Scan.Form.List().Model().Record(Scan.Row("a.txt"))->SizeBytes(), 10000u);

    TAnswers Answers;
    Scan.Form.List().selectRow(Scan.Row("a.txt"));
    Scan.Form.List().setFocus();
    QTest::keyClick(&Scan.Form.List(), Qt::Key_Delete);
    Scan.Form.TreeView()->setCurrentIndex(Scan.Form.Model().IndexOf(Child(Imported, "big")));
    Scan.Form.TreeView()->setFocus();
    QTest::keyClick(Scan.Form.TreeView(), Qt::Key_F2);
    Scan.Form.Roots().UpdateBranch1Click();
    QVERIFY2(Answers.Asked.size() == 3, qPrintable(Answers.Asked.join("|")));
    for (const QString& Told : Answers.Asked)
      QVERIFY(Told.contains("imported from " + QString::fromStdString(Json)));
    QVERIFY(Exists(Scan.Tree.Path("a.txt")));
    QVERIFY(!Scan.Form.Driver().Scanning());
    QCOMPARE(TTotals(Imported), TTotals(Scan.Top));
  }

  // A folder of another machine: the address opens it, what went wrong is
  // told, and nothing acts on its files here.
  void remoteRoot()
  {
    qputenv("SPACELENS_SSH", "false");
    const auto Usual = qScopeGuard([] { qunsetenv("SPACELENS_SSH"); });
    TScanned Scan;
    TAnswers Answers;
    QVERIFY(Scan.Form.Roots().Open("me@elsewhere.invalid:/srv/"));
    QTRY_VERIFY(!Scan.Form.Driver().Scanning());
    TFolderNode* Remote = Scan.Form.CurrentNode();
    QVERIFY(Remote && Remote->Root()->Remote());
    QCOMPARE(Remote->Root()->FSource, std::string("ssh://me@elsewhere.invalid/srv"));
    QCOMPARE(Scan.Form.Model().IndexOf(Remote).data().toString().section("  ", -1),
             QString("elsewhere.invalid:/srv [Incomplete]"));
    QCOMPARE(Remote->Root()->FIncomplete, std::string("the scan on elsewhere.invalid ended with status 1"));
    Scan.Form.Roots().UpdateBranch1Click();
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY2(Answers.Asked[0].startsWith("These files are on elsewhere.invalid; Spacelens acts only on local files"),
             qPrintable(Answers.Asked[0]));
    // A wrong address is told, and no root is made for it.
    QVERIFY(!Scan.Form.Roots().Open("ssh://host:99999/x"));
    QCOMPARE(Scan.Form.Tree().TopNodes().size(), 2u);
  }

  // The Trash keeps its own entries: rows inside it get no menu.
  void trashFolders()
  {
    QVERIFY(TShellCommands::InTrash(TTrash::HomeTrash() + "/files/x"));
    QVERIFY(TShellCommands::InTrash("/media/disk/.Trash-" + std::to_string(getuid()) + "/files"));
    QVERIFY(!TShellCommands::InTrash("/home/someone/Trashy/x"));
    TTestTree Tree;
    const std::string Trash = TTrash::HomeTrash();
    QDir().mkpath(QString::fromStdString(Trash + "/files/old"));
    StartWithList();
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Trash + "/files"));
    QVERIFY(ScansDone(Form));
    TListModel& Model = Form.List().Model();
    QTRY_VERIFY(Model.rowCount() >= 2);
    int Old = -1;
    for (int Row = 0; Row < Model.rowCount(); ++Row)
      if (Model.index(Row, 0).data().toString() == "old")
        Old = Row;
    QVERIFY(Old > 0);
    QString Seen;
    NextMenu(Seen);
    Form.List().customContextMenuRequested(Form.List().visualRect(Model.index(Old, 0)).center());
    QTest::qWait(200);
    QCOMPARE(Seen, QString("none"));
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TShellCommandsTest)
#include "tst_shellcommands.moc"
