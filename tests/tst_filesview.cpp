// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FilesCommands.h"
#include "app/MainForm.h"
#include "app/RightPane.h"
#include "files/FilesList.h"
#include "fs/Directory.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "tests/Rescanned.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "view/DetailsList.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <thread>

namespace {

// Some moment of a year, in seconds since 1970.
time_t Year(int Year)
{
  return time_t((Year - 1970) * 365.25 * 86400);
}

// A moment as the CSV writes it.
std::string Iso(int InYear)
{
  return QDateTime::fromSecsSinceEpoch(Year(InYear), Qt::UTC).toString(Qt::ISODate).toStdString();
}

// Answers every question of the window with Answerer until the scope ends.
[[nodiscard]] auto Answering(TPrompt::TAnswerer Answerer)
{
  TPrompt::SetAnswerer(std::move(Answerer));
  return qScopeGuard([] { TPrompt::SetAnswerer(nullptr); });
}

// A scanned tree in a window showing the files view of its top:
// top/{big.iso 3 MB, a/{song.mp3 200 KB, b/{notes.txt 10 KB, deep.log 1 KB}},
// c/{sparse.img 50 MB of holes, link.iso: big.iso's second name},
// "odd\nname.txt" 500, "bad\xff.jpg" 600}, each changed in another year
// (sparse.img now). Filter is the scan's, Rows the files it lists.
struct TScanned {
  explicit TScanned(const std::string& Filter = "*", int Rows = 7)
  {
    Tree.File("big.iso", 3 * 1024 * 1024, Year(2021), Year(2020));
    Tree.Folder("a");
    Tree.File("a/song.mp3", 200 * 1024, Year(2023), Year(2023));
    Tree.Folder("a/b");
    Tree.File("a/b/notes.txt", 10 * 1024, Year(2011), Year(2010));
    Tree.File("a/b/deep.log", 1024, Year(2024), Year(2024));
    Tree.Folder("c");
    Tree.Sparse("c/sparse.img", 50 * 1024 * 1024);
    QCOMPARE(link(Tree.Path("big.iso").c_str(), Tree.Path("c/link.iso").c_str()), 0);
    Tree.File("odd\nname.txt", 500, Year(2016), Year(2015));
    Tree.File("bad\xff.jpg", 600, Year(2019), Year(2018));
    Form.Driver().FSettings.SetFileFilter(Filter);
    Form.show();
    Form.FilesButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Top = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Top);
    QTRY_COMPARE(Files().Model().rowCount(), Rows);
  }
  TFilesList& Files() { return Form.RightPane().Files(); }
  // The names of the rows, in their order, "|" between.
  QString Names()
  {
    QStringList Names;
    for (int Row = 0; Row < Files().Model().rowCount(); ++Row)
      Names << Files().Model().index(Row, TFilesSorter::skName).data().toString();
    return Names.join('|').replace('\n', '~').replace(QChar(0xFFFD), '?');
  }
  int Row(const QString& Name) { return Names().split('|').indexOf(Name); }
  // Selects the rows of these files (paths or names), the first made
  // current, and gives the list the focus.
  QTableView* Select(const QStringList& Paths)
  {
    QTableView* View = Files().View();
    // Selected whatever keys the test pressed before.
    View->selectionModel()->setCurrentIndex(View->model()->index(Row(Paths[0].section('/', -1)), 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (const QString& Path : Paths.mid(1))
      View->selectionModel()->select(View->model()->index(Row(Path.section('/', -1)), 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    View->setFocus();
    return View;
  }
  bool Exists(const std::string& Path) const
  {
    struct stat Data;
    return lstat(Tree.Path(Path).c_str(), &Data) == 0;
  }
  void Settle() { QTRY_VERIFY(!Files().Busy()); }
  TTestTree Tree;
  TMainForm Form;
  // The list's model is checked through every fill, sort and filter.
  QAbstractItemModelTester Tester{&Form.RightPane().Files().Model(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest};
  TFolderNode* Top = nullptr;
};

}  // namespace

class TFilesViewTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // The quick choices and the filter box, alone and together (the words
  // themselves in tst_files); a file with two names listed once; a word
  // that makes no sense keeps the rows before.
  void ordersAndFilters_data()
  {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("tip");
    const auto Row = [](const char* Tag, const char* Choice, QStringList Filters, const char* Names, const char* Status,
                        const char* Tip = "") {
      QTest::newRow(Tag) << QString(Choice) << Filters << QString(Names) << QString(Status) << QString(Tip);
    };
    const char* All = "7 files, 53.2 MB";
    Row("largest", "&Largest", {}, "sparse.img|big.iso|song.mp3|notes.txt|deep.log|bad?.jpg|odd~name.txt", All);
    Row("newest", "&Newest", {}, "sparse.img|deep.log|song.mp3|big.iso|bad?.jpg|odd~name.txt|notes.txt", All);
    Row("over a megabyte, oldest", "&Oldest", {"> 1 MB"}, "big.iso|sparse.img", "2 of 7 files, 53.0 MB");
    Row("refused word", "&Largest", {"*.iso", "*.iso >"}, "big.iso", "1 of 7 files, 3.0 MB", "needs a size");
  }
  void ordersAndFilters()
  {
    QFETCH(QString, choice);
    QFETCH(QStringList, filters);
    QFETCH(QString, names);
    QFETCH(QString, status);
    QFETCH(QString, tip);
    TScanned Scan;
    Scan.Form.Unit1Click(3);  // each value in its own unit
    for (QToolButton* Button : Scan.Files().findChildren<QToolButton*>())
      if (Button->text() == choice)
        Button->click();
    for (const QString& Filter : filters) {
      Scan.Settle();
      Scan.Files().SetFilterText(Filter);
    }
    Scan.Settle();
    QCOMPARE(Scan.Names(), names);
    QCOMPARE(Scan.Files().StatusText(), status);
    const QString Tip = Scan.Files().findChild<QLineEdit*>("FilesFilter")->toolTip();
    if (!tip.isEmpty())
      QVERIFY(Tip.contains(tip));
    // What the box understands stays in its tip once typing started.
    QVERIFY(Tip.contains("Everything given must hold"));
  }

  // Largest follows the measure shown: by the space taken in the Allocated
  // view, where a file of holes comes last, and the total is of that space;
  // a column chosen stays chosen.
  void largestFollowsTheMeasure()
  {
    TScanned Scan;
    Scan.Settle();
    QVERIFY2(Scan.Names().startsWith("sparse.img|big.iso|"), qPrintable(Scan.Names()));
    Scan.Form.View1Click(vtAllocated);
    Scan.Settle();
    QVERIFY2(Scan.Names().startsWith("big.iso|song.mp3|notes.txt|") && Scan.Names().endsWith("|sparse.img"),
             qPrintable(Scan.Names()));
    uint64_t Taken = 0;
    for (uint64_t Size : {3 * 1024 * 1024, 200 * 1024, 10 * 1024, 1024, 600, 500})
      Taken += (Size + Scan.Top->ClusterSize() - 1) / Scan.Top->ClusterSize() * Scan.Top->ClusterSize();
    QCOMPARE(Scan.Files().StatusText(),
             "7 files, " + Scan.Form.Display().BytesText(double(Taken)).trimmed() + " allocated");
    QToolButton* Largest = nullptr;
    for (QToolButton* Button : Scan.Files().findChildren<QToolButton*>())
      if (Button->text() == "&Largest")
        Largest = Button;
    QVERIFY(Largest && Largest->isChecked());
    Scan.Files().SortBy(TFilesSorter::skSize, true);
    Scan.Settle();
    QVERIFY(Scan.Names().startsWith("sparse.img|big.iso|"));
    QVERIFY(!Largest->isChecked());
    Scan.Form.View1Click(vtSize);
    Scan.Form.View1Click(vtAllocated);
    Scan.Settle();
    QVERIFY(Scan.Names().startsWith("sparse.img|big.iso|"));
    Largest->click();
    Scan.Settle();
    QVERIFY(Scan.Names().startsWith("big.iso|"));
  }

  // Delete asks once: no changes nothing; yes moves the files to the Trash,
  // every total as a rescan counts it (a file the filter counts twice out
  // twice), the rows gone.
  void deleteRows_data()
  {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("forGood");
    QTest::addColumn<QString>("names");
    QTest::newRow("two folders") << "*" << 7 << QStringList{"a/song.mp3", "c/sparse.img"} << true << false
                                 << "big.iso|notes.txt|deep.log|bad?.jpg|odd~name.txt";
    QTest::newRow("two folders, for good") << "*" << 7 << QStringList{"a/song.mp3", "c/sparse.img"} << true << true
                                           << "big.iso|notes.txt|deep.log|bad?.jpg|odd~name.txt";
    QTest::newRow("refused") << "*" << 7 << QStringList{"a/song.mp3"} << false << false
                             << "sparse.img|big.iso|song.mp3|notes.txt|deep.log|bad?.jpg|odd~name.txt";
    QTest::newRow("counted twice") << "*.txt notes*" << 2 << QStringList{"a/b/notes.txt"} << true << false
                                   << "odd~name.txt";
  }
  void deleteRows()
  {
    QFETCH(QString, filter);
    QFETCH(int, rows);
    QFETCH(QStringList, paths);
    QFETCH(bool, yes);
    QFETCH(bool, forGood);
    QFETCH(QString, names);
    TScanned Scan(filter.toStdString(), rows);
    int Asked = 0;
    QString Question;
    const auto Answered = Answering([&](TPrompt::TKind Kind, const QString&, const QString& Text, QString&) {
      Asked += Kind == TPrompt::pkConfirm;
      Question = Text;
      return yes;
    });
    QTest::keyClick(Scan.Select(paths), Qt::Key_Delete, forGood ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(Asked, 1);
    QVERIFY(Question.contains(forGood ? "permanently" : "Trash"));
    for (const QString& Path : paths)
      QCOMPARE(Scan.Exists(Path.toStdString()), !yes);
    QVERIFY(SameAsRescan(Scan.Top, Scan.Form.Driver().FSettings));
    Scan.Settle();
    QCOMPARE(Scan.Names(), names);
  }

  // A Trash inside the scan keeps the space of what went there: its folder
  // is counted again, and the status bar says until when.
  void trashInsideTheScan()
  {
    TScanned Scan;
    const QByteArray DataHome = qgetenv("XDG_DATA_HOME");
    const auto Restore = qScopeGuard([&DataHome] { qputenv("XDG_DATA_HOME", DataHome); });
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Scan.Tree.Path("c")));
    const auto Answered = Answering([](TPrompt::TKind, const QString&, const QString&, QString&) { return true; });
    QTest::keyClick(Scan.Select({"a/song.mp3"}), Qt::Key_Delete);
    QVERIFY(!Scan.Exists("a/song.mp3"));
    QVERIFY(Scan.Form.statusBar()->currentMessage().contains("until the Trash is emptied"));
    QVERIFY(ScansDone(Scan.Form));
    QVERIFY(SameAsRescan(Scan.Top, Scan.Form.Driver().FSettings));
  }

  // Empty files are files: listed and found by name, in the files view as
  // in the details list, though they count nothing.
  void emptyFilesListed()
  {
    TTestTree Tree;
    Tree.File("zero", 0);
    Tree.File("data.txt", 100);
    Tree.Folder("sub");
    Tree.File("sub/.keep", 0);
    TMainForm Form;
    Form.show();
    Form.FilesButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Form.SetCurrentNode(Form.Driver().Roots()->FNode);
    TFilesList& Files = Form.RightPane().Files();
    QTRY_COMPARE(Files.Model().rowCount(), 3);
    Files.SetFilterText("zero");
    QTRY_VERIFY(!Files.Busy());
    QCOMPARE(Files.Model().rowCount(), 1);
    QCOMPARE(Form.Driver().Roots()->FNode->FObjects.Load(), uint64_t(3));  // data.txt, sub and the top
    Form.ListButtonClick();
    const auto Listed = [&Form](const std::string& Name) {
      const TListModel& Model = Form.List().Model();
      for (int Row = 0; Row < Model.rowCount(); ++Row)
        if (Model.Record(Row)->Name() == Name)
          return true;
      return false;
    };
    QTRY_VERIFY(Listed("zero"));
  }

  // A file another program removed leaves the list when Delete finds it
  // gone, with the totals as a rescan counts them; the rest go as asked.
  void goneOutsideLeavesTheList()
  {
    TScanned Scan;
    const auto Answered = Answering([](TPrompt::TKind, const QString&, const QString&, QString&) { return true; });
    QCOMPARE(unlink(Scan.Tree.Path("a/song.mp3").c_str()), 0);
    QTest::keyClick(Scan.Select({"a/song.mp3", "a/b/deep.log"}), Qt::Key_Delete);
    QVERIFY(!Scan.Exists("a/b/deep.log"));
    QVERIFY(SameAsRescan(Scan.Top, Scan.Form.Driver().FSettings));
    Scan.Settle();
    QCOMPARE(Scan.Row("song.mp3"), -1);
    QCOMPARE(Scan.Row("deep.log"), -1);
  }

  // A file with another name left in the tree still takes its space: the
  // totals keep it, as a rescan would.
  void deleteOneNameOfTwo()
  {
    TScanned Scan;
    const uint64_t Size = Scan.Top->SizeBytes(), Allocated = Scan.Top->AllocatedBytes();
    const auto Answered = Answering([](TPrompt::TKind, const QString&, const QString&, QString&) { return true; });
    QTest::keyClick(Scan.Select({"big.iso"}), Qt::Key_Delete);
    QVERIFY(!Scan.Exists("big.iso"));
    QCOMPARE(std::pair(Scan.Top->SizeBytes(), Scan.Top->AllocatedBytes()), std::pair(Size, Allocated));
  }

  // F2's edit renames the file on disk and its row; a name taken already is
  // refused with a warning, the file and its row keeping theirs.
  void rename_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("taken");
    QTest::newRow("free") << "renamed.txt" << false;
    QTest::newRow("taken") << "deep.log" << true;
  }
  void rename()
  {
    QFETCH(QString, name);
    QFETCH(bool, taken);
    TScanned Scan;
    QString Warned;
    const auto Answered = Answering([&Warned](TPrompt::TKind, const QString&, const QString& Text, QString&) {
      Warned = Text;
      return true;
    });
    const QModelIndex Index = Scan.Files().Model().index(Scan.Row("notes.txt"), TFilesSorter::skName);
    QCOMPARE(Scan.Files().Model().setData(Index, name, Qt::EditRole), !taken);
    QCOMPARE(Warned.contains("already exists"), taken);
    QVERIFY(Scan.Exists("a/b/" + name.toStdString()));
    QCOMPARE(Scan.Exists("a/b/notes.txt"), taken);
    QTRY_VERIFY(Scan.Row(name) >= 0);
    QCOMPARE(Scan.Row("notes.txt") >= 0, taken);
    QVERIFY(SameAsRescan(Scan.Top));
  }

  // A click on the space column's header sorts by it, the largest first.
  void headerClicks()
  {
    TScanned Scan;
    Scan.Files().View()->horizontalHeader()->sectionClicked(TFilesSorter::skAllocated);
    Scan.Settle();
    const QString ByAllocated = Scan.Names();
    QVERIFY(Scan.Files().Descending());
    QVERIFY(ByAllocated.startsWith("big.iso|song.mp3|notes.txt|") && ByAllocated.endsWith("|sparse.img"));
    // Whatever the cluster size: never more after less.
    const TFilesModel& Model = Scan.Files().Model();
    const auto Allocated = [&Model](int Row) {
      const uint32_t Number = Model.NumberAt(Row);
      const TFilesSnapshot::TSlot& Place = Model.Files()->Slots()[Model.Files()->SlotOf(Number)];
      return Place.Files->Allocated(Number - Place.First, Place.ClusterSize);
    };
    for (int Row = 1; Row < Model.rowCount(); ++Row)
      QVERIFY(Allocated(Row - 1) >= Allocated(Row));
  }

  // Ctrl+C copies the rows' paths; Enter shows the file in its folder.
  void selectedRows()
  {
    TScanned Scan;
    QTest::keyClick(Scan.Select({"deep.log", "big.iso"}), Qt::Key_C, Qt::ControlModifier);
    QStringList Paths = QGuiApplication::clipboard()->text().split('\n');
    Paths.sort();
    const QString Top = QString::fromStdString(Scan.Tree.Top());
    QCOMPARE(Paths, (QStringList{Top + "/a/b/deep.log", Top + "/big.iso"}));
    // Ctrl+A selects every row of the list in focus, this one.
    QTest::keyClick(Scan.Select({"deep.log"}), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Scan.Files().View()->selectionModel()->selectedRows().size(), Scan.Files().Model().rowCount());
    QVERIFY(Scan.Form.List().selectionModel()->selectedRows().size() <= 1);

    QTest::keyClick(Scan.Select({"deep.log"}), Qt::Key_Return);
    QCOMPARE(Scan.Form.CurrentNode(), Child(Child(Scan.Top, "a"), "b"));
    QVERIFY(Scan.Form.RightPane().ShowsList());
    TDetailsList& List = Scan.Form.List();
    QTRY_VERIFY(List.currentIndex().isValid()
                && List.Model().index(List.currentIndex().row(), 0).data().toString() == "deep.log");
  }

  // While its folder's scan runs the view takes in what it found since,
  // every two seconds.
  void liveWhileScanning()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/one", 100);
    Tree.Folder("later");
    Tree.File("later/two", 200);
    Tree.Folder("later/held");
    Tree.File("later/held/three", 300);
    std::atomic<bool> Later{false}, Held{false};
    TDirectory::SetFailureInjector([&](const char* Name) {
      for (const auto& [Folder, Go] : {std::pair{"later", &Later}, {"held", &Held}})
        while (std::strcmp(Name, Folder) == 0 && !*Go)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return 0;
    });
    TMainForm Form;
    // Before the window goes, which waits for its scan.
    const auto Injected = qScopeGuard([&] {
      Later = Held = true;
      QVERIFY(ScansDone(Form));
      TDirectory::SetFailureInjector(nullptr);
    });
    Form.show();
    Form.FilesButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    Form.SetCurrentNode(Form.Driver().Roots()->FNode);
    TFilesList& Files = Form.RightPane().Files();
    QTRY_COMPARE(Files.Model().rowCount(), 1);
    Later = true;
    QTRY_COMPARE_WITH_TIMEOUT(Files.Model().rowCount(), 2, 5000);
    QVERIFY(Form.Driver().Scanning());
    Held = true;
    QVERIFY(ScansDone(Form));
    QTRY_COMPARE(Files.Model().rowCount(), 3);
  }

  // The rows as CSV: paths whole and exact in any bytes, fields quoted
  // where they must be.
  void csv()
  {
    TScanned Scan;
    Scan.Files().SetFilterText("*name* *.iso *.jpg");
    Scan.Settle();
    std::FILE* Stream = std::tmpfile();
    QVERIFY(Scan.Form.FilesCommands().WriteCsv(Stream));
    std::rewind(Stream);
    std::string Text(4096, '\0');
    Text.resize(std::fread(Text.data(), 1, Text.size(), Stream));
    std::fclose(Stream);
    const std::string Top = Scan.Tree.Top() + "/";
    const uint64_t Cluster = Scan.Top->ClusterSize();
    const auto Allocated = [Cluster](uint64_t Size) {
      return std::to_string((Size + Cluster - 1) / Cluster * Cluster);
    };
    const std::string Expected = "path,size_bytes,allocated_bytes,last_write,last_access,kind,links\n" + Top
      + "big.iso,3145728,3145728," + Iso(2020) + "," + Iso(2021) + ",archive,2\n" + Top + "bad\xff.jpg,600,"
      + Allocated(600) + "," + Iso(2018) + "," + Iso(2019) + ",image,1\n\"" + Top + "odd\nname.txt\",500,"
      + Allocated(500) + "," + Iso(2015) + "," + Iso(2016) + ",document,1\n";
    QCOMPARE(QByteArray::fromStdString(Text), QByteArray::fromStdString(Expected));
  }

  // A folder of the tree that goes takes its files out of the view, also
  // while the view is about to show another folder.
  void treeRemoval()
  {
    TScanned Scan;
    Scan.Files().ShowFolder(Child(Scan.Top, "c"), true);
    QVERIFY(Scan.Form.Tree().FreeNode(Child(Scan.Top, "a"), true));
    QCOMPARE(Scan.Files().Model().rowCount(), 0);
    Scan.Form.SetCurrentNode(Scan.Top);
    QTRY_COMPARE(Scan.Names(), QString("sparse.img|big.iso|bad?.jpg|odd~name.txt"));
  }

  // The view and its order come back with the window.
  void keptWithSettings()
  {
    {
      TMainForm Form;
      Form.show();
      Form.FilesButtonClick();
      Form.RightPane().Files().SortBy(TFilesSorter::skLastAccess, false);
      Form.close();
    }
    TMainForm Form;
    Form.show();
    QVERIFY(Form.RightPane().ShowsFiles());
    QCOMPARE(Form.RightPane().Files().SortKey(), TFilesSorter::skLastAccess);
    QVERIFY(!Form.RightPane().Files().Descending());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TFilesViewTest)
#include "tst_filesview.moc"
