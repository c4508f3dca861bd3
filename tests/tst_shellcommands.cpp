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
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
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

// The first entry of the popup menu Request opens, which is closed; "none" when no menu opens.
template <typename TRequest>
QString FirstMenuEntry(TRequest Request)
{
  QString Seen = "none";
  QTimer::singleShot(100, [&Seen] {
    if (auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      Seen = Menu->actions().value(0) ? Menu->actions()[0]->text() : QString();
      Menu->close();
    }
  });
  Request();
  QTest::qWait(200);
  return Seen;
}

int Row(TMainForm& Form, const QString& Caption)
{
  TListModel& Model = Form.List().Model();
  for (int Row = 0; Row < Model.rowCount(); ++Row)
    if (Model.index(Row, 0).data().toString() == Caption)
      return Row;
  return -1;
}

void KeyOnRow(TMainForm& Form, int Row, Qt::Key Key, Qt::KeyboardModifiers Modifiers = {})
{
  // Selected whatever keys the test pressed before.
  Form.List().selectionModel()->setCurrentIndex(Form.List().Model().index(Row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Form.List().setFocus();
  QTest::keyClick(&Form.List(), Key, Modifiers);
}

void KeyOnNode(TMainForm& Form, TFolderNode* Node, Qt::Key Key, Qt::KeyboardModifiers Modifiers = {})
{
  Form.SetCurrentNode(Node);
  Form.TreeView()->setFocus();
  QTest::keyClick(Form.TreeView(), Key, Modifiers);
}

// Presses Delete (with Shift when ForGood) on Name: a folder of the tree below Folder when InTree, else a
// row of Folder's list.
void DeleteKey(TMainForm& Form, TFolderNode* Folder, const QString& Name, bool InTree, bool ForGood = false)
{
  const Qt::KeyboardModifiers Modifiers = ForGood ? Qt::ShiftModifier : Qt::NoModifier;
  if (InTree)
    return KeyOnNode(Form, Child(Folder, Name.toStdString()), Qt::Key_Delete, Modifiers);
  Form.SetCurrentNode(Folder);
  QTRY_VERIFY(Row(Form, Name) >= 0);
  KeyOnRow(Form, Row(Form, Name), Qt::Key_Delete, Modifiers);
}

// A window showing the list of a scanned tree.
struct TScanned {
  TScanned()
  {
    Form.show();
    Form.ListButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Top = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Top);
    QTRY_COMPARE(Form.List().Model().rowCount(), 5);  // the top, two folders, two files
  }
  TTestTree Tree{"big", "big/x", "big/x/f:40000", "big/g:30000", "small", "small/h:5000", "a.txt:10000", "b.txt:20000"};
  TMainForm Form;
  TFolderNode* Top = nullptr;
  QPoint At(const TFolderNode* Node) { return Form.TreeView()->visualRect(Form.Model().IndexOf(Node)).center(); }
  int Row(const QString& Caption) { return ::Row(Form, Caption); }
};

}  // namespace

class TShellCommandsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Right clicks: a top node has the program's menu; a "<Files>" entry, empty space (which leaves no current
  // node) and rows inside the Trash, which keeps its own entries, none.
  void menus()
  {
    QVERIFY(TShellCommands::InTrash("/media/disk/.Trash-" + std::to_string(getuid()) + "/files"));
    QVERIFY(!TShellCommands::InTrash("/home/someone/Trashy/x"));
    TScanned Scan;
    auto* View = Scan.Form.TreeView();
    QCOMPARE(FirstMenuEntry([&] { View->customContextMenuRequested(Scan.At(Scan.Top)); }), QString("&Open"));
    const TFolderNode* Files = FilesEntry(Scan.Top);
    QVERIFY(Files);
    QCOMPARE(FirstMenuEntry([&] { View->customContextMenuRequested(Scan.At(Files)); }), QString("none"));
    const QPoint Empty(5, View->viewport()->height() - 5);
    QCOMPARE(FirstMenuEntry([&] { View->customContextMenuRequested(Empty); }), QString("none"));
    QVERIFY(!Scan.Form.CurrentNode());

    const std::string Trash = TTrash::HomeTrash() + "/files";
    QDir().mkpath(QString::fromStdString(Trash + "/old"));
    QVERIFY(Scan.Form.StartScan(Trash));
    QVERIFY(ScansDone(Scan.Form));
    Scan.Form.SetCurrentNode(Scan.Form.Driver().FindRoot(Trash + "/")->FNode);
    QTRY_VERIFY(Scan.Row("old") > 0);
    const QPoint Old = Scan.Form.List().visualRect(Scan.Form.List().Model().index(Scan.Row("old"), 0)).center();
    QCOMPARE(FirstMenuEntry([&] { Scan.Form.List().customContextMenuRequested(Old); }), QString("none"));
  }

  // Trash folders among the rows deleted stay, the home's and a mount's own: their entries' restore records
  // name them.
  void deleteLeavesTrashFolders()
  {
    const std::string Own = ".Trash-" + std::to_string(getuid());
    TTestTree Tree{"Trash", "Trash/files", Own, Own + "/files", "Trashy.txt:100"};
    const QByteArray DataHome = qgetenv("XDG_DATA_HOME");
    const auto Restore = qScopeGuard([&DataHome] { qputenv("XDG_DATA_HOME", DataHome); });
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Tree.Top()));
    TMainForm Form;
    Form.show();
    Form.ListButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Form.SetCurrentNode(Form.Driver().Roots()->FNode);
    QTRY_COMPARE(Form.List().Model().rowCount(), 4);  // the top, the two Trash folders, the file
    Form.SelectAllRows();
    TAnswers Answers;
    QTest::keyClick(&Form.List(), Qt::Key_Delete);
    QCOMPARE(Answers.Asked.size(), 1);  // asked of the file alone, and nothing failed
    QVERIFY(!Answers.Asked[0].contains("items"));
    for (const std::string& Kept : {std::string("Trash"), Own})
      QVERIFY(QFileInfo::exists(QString::fromStdString(Tree.Top() + "/" + Kept + "/files")));
    QVERIFY(!QFileInfo::exists(QString::fromStdString(Tree.Top() + "/Trashy.txt")));
  }

  // Delete on two folders and a file, the top's own row selected too: one question; the top drops by the
  // three once each, two nodes and three rows go, the top's row stays, its own files and "<Files>" follow.
  void deleteInTheList()
  {
    TScanned Scan;
    TListModel& Model = Scan.Form.List().Model();
    const TTotals Big(Child(Scan.Top, "big")), Small(Child(Scan.Top, "small"));
    const TTotals A(Model.Record(Scan.Row("a.txt"))), TopBefore(Scan.Top);
    const int64_t OwnBefore = Scan.Top->OwnFiles();
    Scan.Form.SelectAllRows();
    for (const char* Kept : {"b.txt", "small"})
      Scan.Form.List().selectionModel()->select(Model.index(Scan.Row(Kept), 0),
                                                QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    TAnswers Answers;
    QTest::keyClick(&Scan.Form.List(), Qt::Key_Delete);
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY(Answers.Asked[0].contains("these 2 items") && Answers.Asked[0].contains("restored"));
    QCOMPARE(Scan.Top->FObjects.Load(), TopBefore.Objects - Big.Objects - A.Objects);
    QCOMPARE(Scan.Top->FClusters.Load(), TopBefore.Clusters - Big.Clusters - A.Clusters);
    QVERIFY(!Child(Scan.Top, "big") && Child(Scan.Top, "small"));
    QCOMPARE(Model.rowCount(), 3);
    QVERIFY(Model.IsTop(0) && Scan.Row("b.txt") > 0 && Scan.Row("small") > 0);
    QCOMPARE(Scan.Top->OwnFiles(), OwnBefore - 1);
    QCOMPARE(Scan.Top->FFiles.load()->Count(), 1u);  // the files the treemap draws follow
    QVERIFY(FilesEntry(Scan.Top));
    QCOMPARE(FilesEntry(Scan.Top)->FObjects.Load(), uint64_t(Scan.Top->OwnFiles()));

    // A file that grew since the scan takes out no more than was counted.
    Scan.Tree.File("b.txt", 50000000);
    Scan.Form.ListButtonClick();  // listed again: the list's row has the new size
    QTRY_VERIFY(Scan.Row("b.txt") > 0 && Model.Record(Scan.Row("b.txt"))->FClusters.Load() > TopBefore.Clusters);
    KeyOnRow(Scan.Form, Scan.Row("b.txt"), Qt::Key_Delete);
    QVERIFY(!Exists(Scan.Tree.Path("b.txt")));
    QCOMPARE(Scan.Top->OwnFiles(), 0);
    QVERIFY(Scan.Top->FClusters.Load() < TopBefore.Clusters);
    // "<Files>" goes with the last file, as a new scan would show it.
    QVERIFY(!FilesEntry(Scan.Top));
    QCOMPARE(Scan.Top->FObjects.Load(), 1 + Small.Objects);
  }

  // Whatever goes to the Trash, from the list or the tree, every total left is what a new scan counts: a
  // sparse file by its blocks, a file with another name still there not at all above the folders that
  // still hold a name of it; a Trash inside the scan keeps the space, and the status bar says until when.
  // Declining changes nothing.
  void trashAsRescan_data()
  {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inTree");
    QTest::addColumn<int>("trash");  // 0: the home's; inside the scan, 1: there before, 2: made for it; -1: none,
                                     // deleted for good
    QTest::newRow("sparse file") << QString() << "sparse" << false << 0;
    QTest::newRow("sparse file, for good") << QString() << "sparse" << false << -1;
    QTest::newRow("one name of two, for good") << QString("a") << "f" << false << -1;
    QTest::newRow("folder holding both names, for good") << QString() << "a" << true << -1;
    QTest::newRow("one name of two in other folders") << QString("a") << "f" << false << 0;
    QTest::newRow("one name of two in one folder") << QString("a") << "g" << false << 0;
    QTest::newRow("folder holding one name") << QString() << "b" << true << 0;
    QTest::newRow("folder holding both names") << QString() << "a" << true << 0;
    QTest::newRow("folder two levels down") << QString("a") << "c" << true << 0;
    QTest::newRow("a file, the Trash inside there before") << QString() << "data" << false << 1;
    QTest::newRow("a folder, no Trash inside yet") << QString("a") << "c" << true << 2;
  }
  void trashAsRescan()
  {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(bool, inTree);
    QFETCH(int, trash);
    TTestTree Tree{"a", "b", "a/c", "data:300000", "a/f:70000", "a/g:90000", "a/c/h:5000"};
    Tree.Sparse("sparse", 50 << 20);
    QVERIFY(link(Tree.Path("a/f").c_str(), Tree.Path("b/f2").c_str()) == 0);
    QVERIFY(link(Tree.Path("a/g").c_str(), Tree.Path("a/g2").c_str()) == 0);
    const int Fd = open(Tree.Path("sparse").c_str(), O_WRONLY);  // blocks and holes both
    QVERIFY(Fd >= 0 && pwrite(Fd, "data", 4, 1 << 20) == 4);
    close(Fd);
    const QByteArray DataHome = qgetenv("XDG_DATA_HOME");
    const auto Restore = qScopeGuard([&DataHome] { qputenv("XDG_DATA_HOME", DataHome); });
    if (trash > 0) {
      qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Tree.Path(".local/share")));
      QDir().mkpath(QString::fromStdString(Tree.Path(trash == 1 ? ".local/share/Trash/files" : ".local/share")));
    }
    StartWithList();
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* Folder = folder.isEmpty() ? Top : Child(Top, folder.toStdString());
    const std::string Path = Tree.Path((folder.isEmpty() ? name : folder + "/" + name).toStdString());
    const uint64_t Before = Top->FClusters.Load();
    TAnswers Answers;
    Answers.Yes = false;
    DeleteKey(Form, Folder, name, inTree, trash < 0);
    QVERIFY(Exists(Path));
    QVERIFY(SameAsRescan(Top));
    QVERIFY(!Answers.Asked.isEmpty() && Answers.Asked.last().contains(trash < 0 ? "permanently" : "to the Trash"));
    Answers.Yes = true;
    const size_t Trashed = TTrash::Entries(TTrash::HomeTrash()).size();
    DeleteKey(Form, Folder, name, inTree, trash < 0);
    QVERIFY(!Exists(Path));
    // For good: in no Trash.
    QCOMPARE(TTrash::Entries(TTrash::HomeTrash()).size(), Trashed + (trash >= 0));
    if (trash > 0) {
      QVERIFY(Form.statusBar()->currentMessage().contains("until the Trash is emptied"));
      QVERIFY(ScansDone(Form));
      QVERIFY(Top->FClusters.Load() >= Before);  // the space still taken, and the Trash's own notes
    }
    QVERIFY(SameAsRescan(Top));
  }

  // Empty Trash deletes what the Trash of the scanned drives holds, after naming them; the Trash inside
  // the scan is counted again, as a rescan counts it, and the space that came free is told.
  void emptyTrash()
  {
    TTestTree Tree{"data:300000", "a", "a/more:100000"};
    const QByteArray DataHome = qgetenv("XDG_DATA_HOME");
    const auto Restore = qScopeGuard([&DataHome] { qputenv("XDG_DATA_HOME", DataHome); });
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Tree.Path(".local/share")));
    StartWithList();
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    const uint64_t Before = Top->AllocatedBytes();
    TAnswers Answers;
    DeleteKey(Form, Top, "data", false);
    QVERIFY(ScansDone(Form));  // the Trash in the scan counted again
    DeleteKey(Form, Top, "a", true);
    QVERIFY(ScansDone(Form));
    QCOMPARE(Top->AllocatedBytes() >= Before, true);  // still taken, in the Trash
    Answers.Asked.clear();
    Answers.Yes = false;
    Form.EmptyTrashClick();
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY2(Answers.Asked[0].startsWith("Delete the 2 items in the Trash permanently?")
               && Answers.Asked[0].contains(QString::fromStdString(Tree.Path(".local/share/Trash") + ": 2 items")),
             qPrintable(Answers.Asked[0]));
    QVERIFY(Exists(Tree.Path(".local/share/Trash/files/data")));
    Answers.Yes = true;
    Form.EmptyTrashClick();
    QVERIFY(!Exists(Tree.Path(".local/share/Trash/files/data")) && !Exists(Tree.Path(".local/share/Trash/files/a")));
    QVERIFY(!Exists(Tree.Path(".local/share/Trash/info/data.trashinfo")));
    QVERIFY2(Answers.Asked.last().endsWith("came free."), qPrintable(Answers.Asked.last()));
    QVERIFY(ScansDone(Form));
    QVERIFY(SameAsRescan(Top));
    QVERIFY(Top->AllocatedBytes() < Before);
    Answers.Asked.clear();
    Form.EmptyTrashClick();
    QCOMPARE(Answers.Asked, QStringList{"The Trash is empty."});
  }

  // F2 edits the bare name; Escape leaves it; a rename in the tree or the list renames on disk and
  // relabels node and row; a name taken already is refused.
  void renames()
  {
    TScanned Scan;
    TFolderNode* Small = Child(Scan.Top, "small");
    KeyOnNode(Scan.Form, Small, Qt::Key_F2);
    auto* Editor = Scan.Form.TreeView()->findChild<QLineEdit*>();
    QVERIFY(Editor);
    QCOMPARE(Editor->text(), QString("small"));
    // Keys typed into the editor are the editor's: the menu key opens no menu.
    QCOMPARE(FirstMenuEntry([Editor] { QTest::keyClick(Editor, Qt::Key_Menu); }), QString("none"));
    QTest::keyClick(Editor, Qt::Key_Escape);
    QVERIFY(Exists(Scan.Tree.Path("small")));
    Scan.Form.SetCurrentNode(Scan.Top);  // the list shows the folder's row
    QVERIFY(Scan.Form.Model().setData(Scan.Form.Model().IndexOf(Small), "tiny", Qt::EditRole));
    QVERIFY(Exists(Scan.Tree.Path("tiny")) && !Exists(Scan.Tree.Path("small")));
    QCOMPARE(Small->Name(), std::string("tiny"));
    QVERIFY(Scan.Form.Model().IndexOf(Small).data().toString().endsWith("tiny") && Scan.Row("tiny") > 0);
    TListModel& Model = Scan.Form.List().Model();
    QTRY_VERIFY(Scan.Row("a.txt") > 0);
    QVERIFY(Model.setData(Model.index(Scan.Row("a.txt"), 0), "c.txt", Qt::EditRole));
    QVERIFY(Exists(Scan.Tree.Path("c.txt")) && Scan.Row("c.txt") > 0);
    TAnswers Answers;
    QVERIFY(!Model.setData(Model.index(Scan.Row("c.txt"), 0), "b.txt", Qt::EditRole));
    QVERIFY(Exists(Scan.Tree.Path("c.txt")));
    QCOMPARE(Answers.Asked.size(), 1);
  }

  // A double click goes into a folder, or opens a file with its program; a folder's properties show what
  // the scan counted.
  void openAndProperties()
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

    Scan.Form.SetCurrentNode(Scan.Top);
    TShellPilot* Pilot = &Scan.Form.ShellPilot();  // which the properties dialog asks
    const auto Rows = Pilot->OnFolderTotals(Scan.Tree.Path("big"));
    const QString Objects = QString::number(Child(Scan.Top, "big")->FObjects.Load());
    QCOMPARE(Rows.value(3), (QPair<QString, QString>{"Objects", Objects}));
    QVERIFY(Pilot->OnFolderTotals("/elsewhere").isEmpty());
  }

  // Roots read from a file or from another machine show what they hold and where it comes from; nothing
  // acts on this computer's files of the same path.
  void foreignRoots()
  {
    qputenv("SPACELENS_SSH", "false");
    const auto Usual = qScopeGuard([] { qunsetenv("SPACELENS_SSH"); });
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
    QTRY_VERIFY(Scan.Row("a.txt") > 0);
    QCOMPARE(Scan.Form.List().Model().Record(Scan.Row("a.txt"))->SizeBytes(), 10000u);
    TAnswers Answers;
    KeyOnRow(Scan.Form, Scan.Row("a.txt"), Qt::Key_Delete);
    KeyOnNode(Scan.Form, Child(Imported, "big"), Qt::Key_F2);
    Scan.Form.Roots().UpdateBranch1Click();
    QVERIFY2(Answers.Asked.size() == 3, qPrintable(Answers.Asked.join("|")));
    for (const QString& Told : Answers.Asked)
      QVERIFY(Told.contains("imported from " + QString::fromStdString(Json)));
    QVERIFY(Exists(Scan.Tree.Path("a.txt")) && !Scan.Form.Driver().Scanning());
    QCOMPARE(TTotals(Imported), TTotals(Scan.Top));

    // A remote scan that read nothing leaves no root; one that read a part keeps it, marked.
    Answers.Asked.clear();
    QVERIFY(Scan.Form.Roots().Open("me@elsewhere.invalid:/srv/"));
    QTRY_VERIFY(!Scan.Form.Driver().Scanning());
    QTRY_COMPARE(Scan.Form.Tree().TopNodes().size(), 2u);
    QTRY_VERIFY(Scan.Form.ErrorBox()
                && Scan.Form.ErrorBox()->text().contains(
                  "Cannot read elsewhere.invalid:/srv: the scan on elsewhere.invalid ended"));
    StandIn(Files.path().toStdString(), "ssh",
            "echo >>\"$0.runs\"; printf '[1,2,{},[{\"name\":\"/srv\"},{\"name\":\"f\",\"asize\":10}'; exit 1\n");
    qputenv("SPACELENS_SSH", Files.filePath("ssh").toLocal8Bit());
    QVERIFY(Scan.Form.Roots().Open("me@elsewhere.invalid:/srv/"));
    QTRY_VERIFY(!Scan.Form.Driver().Scanning());
    TFolderNode* Remote = Scan.Form.CurrentNode();
    QVERIFY(Remote && Remote->Root()->Remote());
    QCOMPARE(Remote->Root()->FSource, std::string("ssh://me@elsewhere.invalid/srv"));
    QCOMPARE(Remote->Root()->FIncomplete, std::string("the scan on elsewhere.invalid ended with status 1"));
    Scan.Form.Roots().UpdateBranch1Click();
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY2(Answers.Asked[0].startsWith("These files are on elsewhere.invalid; Spacelens acts only on local files"),
             qPrintable(Answers.Asked[0]));
    // Update reads the folder from the other machine again.
    Scan.Form.Roots().Update1Click();
    QTRY_VERIFY(!Scan.Form.Driver().Scanning());
    QFile Runs(Files.filePath("ssh.runs"));
    QVERIFY(Runs.open(QIODevice::ReadOnly));
    QCOMPARE(Runs.readAll(), QByteArray("\n\n"));
    QVERIFY(!Scan.Form.Roots().Open("ssh://host:99999/x"));  // told, and no root made for it
    QCOMPARE(Scan.Form.Tree().TopNodes().size(), 3u);
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TShellCommandsTest)
#include "tst_shellcommands.moc"
