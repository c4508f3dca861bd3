// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Directory.h"
#include "fs/FileTime.h"
#include "fs/PathRules.h"
#include "fs/Wildcard.h"
#include "scan/ExcludeRules.h"
#include "scan/FileListing.h"
#include "scan/FolderData.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/LinkCounter.h"
#include "scan/NcduExport.h"
#include "scan/Root.h"
#include "scan/Scan2.h"
#include "scan/ScanDriver.h"
#include "scan/ScanListener.h"
#include "scan/ScanSettings.h"
#include "tests/HeldScan.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>

namespace {

// The settings the next scan run takes.
TScanSettings& NextScan()
{
  static TScanSettings Settings;
  return Settings;
}

// A scan driver with its tree, counting with 4096-byte clusters, that
// remembers every failure it was told of.
struct TScanRun : TScanListener {
  TScanRun()
  {
    Driver.FUserClusterSize = 4096;
    Driver.FSettings = NextScan();
    Driver.SetListener(this);
  }
  void ScanFailed(int Code, const std::string& Path) override { Failures.push_back({Code, Path}); }
  void ScanProgress(TRoot*) override {}
  void ScanDone(TRoot*, bool Stopped, const TScanCounts& Counts) override
  {
    StoppedScans += Stopped;
    Counted = Counts;
  }
  TFolderNode* Scan(const std::string& Path)
  {
    if (!Driver.StartScan(Path))
      return nullptr;
    Finish();
    return Driver.Roots()->FNode;
  }
  void Finish()
  {
    while (Driver.Scanning()) {
      Driver.WaitForResults(std::chrono::milliseconds(20));
      Driver.Drain();
    }
  }
  TFolderTree Tree;
  TScanDriver Driver{Tree};
  std::vector<std::pair<int, std::string>> Failures;
  int StoppedScans = 0;
  TScanCounts Counted;  // by the last scan
};

// Every open or read of Name (a name, or a whole path) fails with Code.
void FailOn(const std::string& Name, int Code)
{
  TDirectory::SetFailureInjector([Name, Code](const char* Given) { return Name == Given ? Code : 0; });
}

TFolderNode* FilesEntry(TFolderNode* Node)
{
  for (TFolderNode* Item : Node->Children())
    if (Item->FIsFiles)
      return Item;
  return nullptr;
}

std::string Counts(const TFolderData* Record)
{
  return std::to_string(Record->FClusters.Load()) + "/" + std::to_string(Record->FTailBytes.Load()) + "/"
    + std::to_string(Record->FObjects.Load());
}

// Every finished folder totals its own files, its sub-folders and itself.
bool TotalsAdd(TFolderNode* Top, std::string& Problem)
{
  std::vector<TFolderNode*> Pending{Top};
  while (!Pending.empty()) {
    TFolderNode* Node = Pending.back();
    Pending.pop_back();
    const TFolderData* Record = Node;
    const TFileCount Own = Node->OwnCount();
    uint64_t Clusters = Own.Clusters + 1, Tail = Own.TailBytes, Objects = Own.Objects + 1;
    for (TFolderNode* Item : Node->Children()) {
      if (Item->FIsFiles)
        continue;
      Clusters += Item->FClusters;
      Tail += Item->FTailBytes;
      Objects += Item->FObjects;
      Pending.push_back(Item);
    }
    if (Record->Finished()
        && (Clusters != Record->FClusters || Tail != Record->FTailBytes || Objects != Record->FObjects)) {
      Problem = std::string(Record->FName) + " totals " + Counts(Record);
      return false;
    }
  }
  return true;
}

}  // namespace

class TScanTest : public QObject {
  Q_OBJECT

private slots:
  // The names of a file with several names, by the folders holding them:
  // a second name takes the double count out from the deepest folder
  // holding both up; a name that goes leaves the file counted where another
  // name still is; a folder pruned hands its names to its parent.
  void linkNames()
  {
    TTreeFixture Fixture(4096);
    TFolderNode* A = Fixture.Add(Fixture.Top, "a", 10, 100, 3);
    TFolderNode* X = Fixture.Add(A, "x", 5, 100, 2);
    TFolderNode* B = Fixture.Add(Fixture.Top, "b", 5, 100, 2);
    TFolderNode* C = Fixture.Add(Fixture.Top, "c", 1, 0, 1);
    TTreeFixture::Set(Fixture.Top, 16, 200, 6);
    TLinkCounter& Links = Fixture.Root.FLinks;
    const TFileCount File{4, 100, 1, 0};
    const auto Name = [&](TFolderNode* Folder, uint64_t Names = 1) {
      std::vector<TLinkCounter::TLinkedFile> Files{{1, 42, File, 3, Names}};
      Links.Add(Folder, Files, Fixture.Top);
    };
    Name(X);
    QCOMPARE(Fixture.Top->FClusters.Load(), 16u);
    Name(B);  // the top counts it twice now: once comes out
    QCOMPARE(Fixture.Top->FClusters.Load(), 12u);
    QCOMPARE(A->FClusters.Load(), 10u);
    QCOMPARE(B->FClusters.Load(), 5u);
    TFolderNode* Still = nullptr;
    QVERIFY(!Links.RemoveName(1, 42, C, Still));  // no name there
    QVERIFY(!Links.RemoveName(1, 43, B, Still));  // no such file
    QVERIFY(Links.RemoveName(1, 42, B, Still));
    QCOMPARE(Still, Fixture.Top);  // x still holds a name below the top
    Name(B, 2);
    QVERIFY(Links.RemoveName(1, 42, B, Still));
    QCOMPARE(Still, B);  // the other name beside it
    // x is pruned: its totals stay in a, and so does its name.
    Links.MoveNamesUp(X);
    Fixture.Tree.FreeNode(X, false);
    QVERIFY(Links.RemoveName(1, 42, A, Still));
    QCOMPARE(Still, Fixture.Top);  // b's name
    // b goes with its subtree: the file counts on nowhere else.
    int Told = 0;
    Links.RemoveBranch(B, [&](TFolderNode*, const TFileCount&) { ++Told; });
    QCOMPARE(Told, 0);
    QVERIFY(Links.Empty());
  }

  void init()
  {
    NextScan() = TScanSettings();
    NextScan().FShowErrors = true;
  }
  void cleanup() { TDirectory::SetFailureInjector(nullptr); }

  void countsFilesAndDates()
  {
    TTestTree Tree;
    Tree.File("one-byte", 1, 1577934245, 1609470245);    // 2020 access, 2021 write
    Tree.File("empty-file", 0, 1893456000, 1893456000);  // not counted, so its 2030 dates neither
    Tree.Folder("sub");
    Tree.File("sub/two-clusters", 8192, 1546300800, 1640995200);  // 2019 access, 2022 write
    Tree.Folder("empty");
    Tree.Folder("zeros");
    Tree.File("zeros/z1", 0);
    Tree.File("zeros/z2", 0);
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    QVERIFY(Run.Failures.empty());

    TFolderNode* Sub = Child(Top, "sub");
    TFolderNode* Empty = Child(Top, "empty");
    TFolderNode* Zeros = Child(Top, "zeros");
    QVERIFY(Sub && Empty && Zeros);
    QCOMPARE(Counts(Sub), std::string("3/4096/2"));
    QCOMPARE(Sub->OwnFiles(), 1);
    QCOMPARE(Counts(Empty), std::string("1/0/1"));
    QCOMPARE(Counts(Zeros), std::string("1/0/1"));
    QCOMPARE(Zeros->OwnFiles(), 0);
    QCOMPARE(Zeros->ChildCount(), 0u);  // no "<Files>" without counted files
    QCOMPARE(Sub->ChildCount(), 0u);    // nor in a folder without sub-folders
    QCOMPARE(Counts(Top), std::string("7/4097/6"));
    QCOMPARE(Top->SizeBytes(), 8193u);
    QCOMPARE(Top->Finished(), true);

    // The "<Files>" entry comes after the sub-folders and holds the own files.
    QCOMPARE(Top->ChildCount(), 4u);
    TFolderNode* Files = Top->Child(3);
    QVERIFY(Files->FIsFiles);
    QCOMPARE(Counts(Files), std::string("1/1/1"));
    QCOMPARE(Files->Finished(), false);
    QCOMPARE(Files->FullPath(), Tree.Top() + "/");

    // Newest dates over counted files only, from every level.
    QCOMPARE(Top->FLastAccess.Load(), FileTime::FromUnix(1577934245, 0));
    QCOMPARE(Top->FLastWrite.Load(), FileTime::FromUnix(1640995200, 0));
    QCOMPARE(Sub->FLastAccess.Load(), FileTime::FromUnix(1546300800, 0));
    QCOMPARE(Empty->FLastWrite.Load(), 0u);

    TRoot* Root = Run.Driver.Roots();
    QCOMPARE(Root->FSubfolderCount, 3);
    QCOMPARE(Root->FSubfoldersDone, 3);
    QCOMPARE(Root->FWorker, nullptr);
    std::string Problem;
    QVERIFY2(TotalsAdd(Top, Problem), Problem.c_str());
  }

  void sparseFiles()
  {
    TTestTree Tree;
    Tree.Folder("s");
    // Data at both ends of a mebibyte, a hole between them.
    const int Fd = open(Tree.Path("s/middle").c_str(), O_CREAT | O_WRONLY, 0644);
    const std::string Block(4096, 'x');
    QVERIFY(pwrite(Fd, Block.data(), Block.size(), 0) == 4096);
    QVERIFY(pwrite(Fd, Block.data(), Block.size(), (1 << 20) - 4096) == 4096);
    close(Fd);
    Tree.Sparse("s/none", 10 << 20);
    Tree.File("s/full", 10000);
    TScanRun Run;
    TFolderNode* S = Child(Run.Scan(Tree.Top()), "s");  // with the top's own cluster, seven
    QVERIFY(S);
    // As du counts them: Allocated by the blocks taken (and the folder's own
    // cluster), Size by the lengths; Wasted is still the last clusters' slack.
    auto Du = [&](const QStringList& Options) {
      QProcess Du;
      Du.setWorkingDirectory(QString::fromStdString(Tree.Path("s")));
      Du.start("du", Options + QStringList{"-cB1", "middle", "none", "full"});
      Du.waitForFinished();
      return Du.readAllStandardOutput().split('\n').value(3).split('\t').value(0).toULongLong();
    };
    QCOMPARE(S->AllocatedBytes(), Du({}) + 4096);
    QCOMPARE(S->SizeBytes(), Du({"--apparent-size"}));
    QCOMPARE(S->SizeBytes(), uint64_t((1 << 20) + (10 << 20) + 10000));
    QCOMPARE(S->GetValue(vtWasted, 1), (4096.0 - 10000 % 4096 + 4096) / 1024);
    QVERIFY(S->FHoles.Load() >= 2560 + 254);
    // Shares are of the space taken: six clusters of the seven above it.
    QVERIFY(qAbs(S->GetValue(vtPercent, 0) - 600.0 / 7) < 0.01);
  }

  void hardLinks_data()
  {
    QTest::addColumn<QStringList>("names");  // of one 5000-byte file
    QTest::addColumn<bool>("once");
    QTest::addColumn<bool>("mounted");        // "a" bound at "mnt", not followed
    QTest::addColumn<QStringList>("counts");  // folder=clusters/tail/objects
    QTest::newRow("same folder") << QStringList{"a/f", "a/g"} << true << false << QStringList{"a=3/904/2", "=4/904/3"};
    QTest::newRow("sibling folders") << QStringList{"a/f", "b/g"} << true << false
                                     << QStringList{"a=3/904/2", "b=3/904/2", "=5/904/4"};
    QTest::newRow("each name") << QStringList{"a/f", "b/g"} << false << false
                               << QStringList{"a=3/904/2", "b=3/904/2", "=7/1808/5"};
    QTest::newRow("deeper and beside") << QStringList{"a/f", "a/x/g", "b/h"} << true << false
                                       << QStringList{"a/x=3/904/2", "a=4/904/3", "b=3/904/2", "=6/904/5"};
    QTest::newRow("mount not followed") << QStringList{"a/f", "b/g"} << true << true
                                        << QStringList{"a=3/904/2", "mnt=1/0/1", "=6/904/5"};
  }
  void hardLinks()
  {
    QFETCH(QStringList, names);
    QFETCH(bool, once);
    QFETCH(bool, mounted);
    QFETCH(QStringList, counts);
    TTestTree Tree;
    for (const QString& Name : names) {
      const std::string Folder = Name.section('/', 0, -2).toStdString();
      if (!QFileInfo::exists(QString::fromStdString(Tree.Path(Folder))))
        QVERIFY(QDir().mkpath(QString::fromStdString(Tree.Path(Folder))));
      if (Name == names.first())
        Tree.File(Name.toStdString(), 5000);
      else
        QVERIFY(link(Tree.Path(names.first().toStdString()).c_str(), Tree.Path(Name.toStdString()).c_str()) == 0);
    }
    Tree.Folder("mnt");
    if (mounted && mount(Tree.Path("a").c_str(), Tree.Path("mnt").c_str(), nullptr, MS_BIND, nullptr) != 0)
      QSKIP("cannot bind a folder here");
    const auto Unmount = qScopeGuard([&] {
      if (mounted)
        umount2(Tree.Path("mnt").c_str(), MNT_DETACH);
    });
    if (!mounted)
      QVERIFY(rmdir(Tree.Path("mnt").c_str()) == 0);
    NextScan().FHardLinksOnce = once;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    for (const QString& Expected : counts) {
      TFolderNode* Node = Top;
      for (const QString& Name : Expected.section('=', 0, 0).split('/', Qt::SkipEmptyParts))
        Node = Node ? Child(Node, Name.toStdString()) : nullptr;
      QVERIFY2(Node, qPrintable(Expected));
      QCOMPARE(QString::fromStdString(Counts(Node)), Expected.section('=', 1));
    }
  }

  void hardLinksInAnyOrder_data()
  {
    QTest::addColumn<bool>("deep");
    QTest::newRow("wide") << false;
    // Names far apart in depth, their counts gathered on the way up.
    QTest::newRow("deep") << true;
  }
  void hardLinksInAnyOrder()
  {
    // Files with one to three names spread over a tree: each folder counts
    // the files below it once, whatever order the workers met the names in.
    QFETCH(bool, deep);
    TTestTree Tree;
    std::vector<std::string> Folders{""};
    if (deep) {
      std::string Chain;
      for (int Level = 1; Level <= 150; ++Level) {
        Chain += Level == 1 ? "c" : "/c";
        Folders.push_back(Chain);
        if (Level % 7 == 0)
          Folders.push_back(Chain + "/s");
      }
      QVERIFY(QDir().mkpath(QString::fromStdString(Tree.Path(Chain))));
    }
    for (int A = 0; A < (deep ? 0 : 4); ++A)
      for (int B = 0; B < 4; ++B)
        Folders.push_back("d" + std::to_string(A) + "/e" + std::to_string(B));
    for (const std::string& Folder : Folders)
      QVERIFY(QDir().mkpath(QString::fromStdString(Tree.Path(Folder))));
    uint32_t Seed = 7;
    auto Next = [&Seed](uint32_t Range) { return (Seed = Seed * 1103515245 + 12345) / 65536 % Range; };
    for (int File = 0; File < 60; ++File) {
      const std::string First = Folders[Next(Folders.size())] + "/f" + std::to_string(File);
      Tree.File(First, 100);
      for (uint32_t Name = Next(3); Name > 0; --Name)
        link(
          Tree.Path(First).c_str(),
          Tree.Path(Folders[Next(Folders.size())] + "/g" + std::to_string(File) + "-" + std::to_string(Name)).c_str());
    }
    // What each folder must hold: its folders and its distinct files.
    auto Expected = [&](const std::string& Folder) {
      std::set<ino_t> Files;
      size_t FolderCount = 0;
      for (QDirIterator It(QString::fromStdString(Tree.Path(Folder)), QDir::AllEntries | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
           It.hasNext();) {
        struct stat Data;
        if (lstat(QFile::encodeName(It.next()).constData(), &Data) == 0 && S_ISDIR(Data.st_mode))
          ++FolderCount;
        else
          Files.insert(Data.st_ino);
      }
      const uint64_t Objects = FolderCount + 1 + Files.size();
      return std::to_string(Objects) + "/" + std::to_string(100 * Files.size()) + "/" + std::to_string(Objects);
    };
    for (int Run = 0; Run < 5; ++Run) {
      TScanRun Scan;
      TFolderNode* Top = Scan.Scan(Tree.Top());
      QVERIFY(Top);
      for (const std::string& Folder : Folders) {
        TFolderNode* Node = Top;
        for (const QString& Name : QString::fromStdString(Folder).split('/', Qt::SkipEmptyParts))
          Node = Child(Node, Name.toStdString());
        QCOMPARE(Counts(Node), Expected(Folder));
      }
    }
  }

  void showFilesOff()
  {
    TTestTree Tree;
    Tree.File("f", 10);
    Tree.Folder("sub");
    Tree.File("sub/g", 2 << 20);
    Tree.Folder("small");
    Tree.File("small/h", 20);
    NextScan().FShowFiles = false;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QCOMPARE(Top->ChildCount(), 2u);
    QCOMPARE(FilesEntry(Top), nullptr);
    QCOMPARE(Top->OwnFiles(), 1);
    // The own files stay known when sub-folders are taken out of the tree
    // (their totals stay in the folder's), and "<Files>" shows just them.
    Run.Driver.PruneSmallFolders(Top, vtSize, 1);
    QCOMPARE(Top->ChildCount(), 1u);
    QCOMPARE(Top->OwnFiles(), 1);
    Run.Driver.FSettings.FShowFiles = true;
    QVERIFY(Run.Driver.ApplyScanOptions(false, 0, true).empty());
    QCOMPARE(Counts(FilesEntry(Top)), std::string("1/10/1"));
    QCOMPARE(FilesEntry(Child(Top, "sub")), nullptr);  // no sub-folders to set them apart from
  }

  void filters_data()
  {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("topFiles");
    QTest::addColumn<int>("subFiles");
    QTest::newRow("blank is everything") << "   " << 3 << 2;
    QTest::newRow("two patterns, any letter case") << "*.txt *.doc" << 2 << 1;
    QTest::newRow("a file matching two patterns counts twice") << "*.txt *.t*" << 2 << 3;
    QTest::newRow("spaces around") << "   *.jpg   " << 1 << 0;
    QTest::newRow("question mark") << "?.jpg" << 1 << 0;
    QTest::newRow("nothing matches") << "nothing" << 0 << 0;
  }
  void filters()
  {
    QFETCH(QString, filter);
    QFETCH(int, topFiles);
    QFETCH(int, subFiles);
    TTestTree Tree;
    Tree.File("a.txt", 100);
    Tree.File("b.doc", 100);
    Tree.File("c.jpg", 100);
    Tree.Folder("sub");
    Tree.File("sub/d.TXT", 100);
    Tree.File("sub/e.tar", 100);
    Tree.Folder("sub/deeper");
    NextScan().SetFileFilter(filter.toStdString());
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QCOMPARE(Top->OwnFiles(), topFiles);
    TFolderNode* Sub = Child(Top, "sub");
    QCOMPARE(Sub->OwnFiles(), subFiles);
    QVERIFY(Child(Sub, "deeper"));  // folders are walked whatever the filter
    QCOMPARE(Top->FObjects.Load(), uint64_t(topFiles + subFiles + 3));
  }

  void wildcards_data()
  {
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("match");
    QTest::newRow("star") << QByteArray("*") << QByteArray("anything") << true;
    QTest::newRow("suffix") << QByteArray("*.txt") << QByteArray("notes.txt") << true;
    QTest::newRow("suffix other case") << QByteArray("*.txt") << QByteArray("NOTES.TXT") << true;
    QTest::newRow("suffix missing") << QByteArray("*.txt") << QByteArray("notes.txt.bak") << false;
    QTest::newRow("inner star backtracks") << QByteArray("a*b*c") << QByteArray("aXbYbZc") << true;
    QTest::newRow("question marks") << QByteArray("??.c") << QByteArray("ab.c") << true;
    QTest::newRow("question mark needs a char") << QByteArray("?.c") << QByteArray(".c") << false;
    QTest::newRow("exact") << QByteArray("Makefile") << QByteArray("makefile") << true;
    QTest::newRow("star dot star needs a dot") << QByteArray("*.*") << QByteArray("README") << false;
    QTest::newRow("bytes beyond ASCII") << QByteArray("caf\xe9*") << QByteArray("caf\xe9.txt") << true;
    QTest::newRow("empty pattern") << QByteArray("") << QByteArray("x") << false;
  }
  void wildcards()
  {
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, name);
    QFETCH(bool, match);
    QCOMPARE(MatchWildcard(pattern.constData(), name.constData()), match);
  }

  void absolutePaths_data()
  {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("expected");
    const QString Here = "/work/here";
    QTest::newRow("absolute") << "/usr/share" << Here << "/usr/share";
    QTest::newRow("trailing separator") << "/usr/share/" << Here << "/usr/share";
    QTest::newRow("relative") << "docs/x" << Here << "/work/here/docs/x";
    QTest::newRow("dot") << "." << Here << "/work/here";
    QTest::newRow("dot dot") << "../there/./x//y" << Here << "/work/there/x/y";
    QTest::newRow("home") << "~" << Here << "/home/me";
    QTest::newRow("below home") << "~/music" << Here << "/home/me/music";
    QTest::newRow("tilde inside a name") << "~music" << Here << "/work/here/~music";
    QTest::newRow("root") << "/" << Here << "/";
    QTest::newRow("above root") << "/../.." << Here << "/";
    QTest::newRow("relative, no current folder") << "relative"
                                                 << ""
                                                 << "";
    QTest::newRow("absolute, no current folder") << "/absolute"
                                                 << ""
                                                 << "/absolute";
  }
  void absolutePaths()
  {
    QFETCH(QString, given);
    QFETCH(QString, current);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(TPathRules::Absolute(given.toStdString(), current.toStdString(), "/home/me")),
             expected);
  }

  // A link or a mount point is entered only when links are followed, and
  // so is it by an update of its own branch.
  void linkOrMountPoint_data()
  {
    QTest::addColumn<bool>("mounted");  // a tmpfs mount point, else a link
    QTest::addColumn<bool>("follow");
    QTest::newRow("link") << false << false;
    QTest::newRow("link, followed") << false << true;
    QTest::newRow("mount point") << true << false;
    QTest::newRow("mount point, followed") << true << true;
  }
  void linkOrMountPoint()
  {
    QFETCH(bool, mounted);
    QFETCH(bool, follow);
    TTestTree Tree;
    Tree.Folder("plain");
    Tree.File("plain/f", 5000);
    Tree.Folder("mnt");
    if (mounted && mount("spacelens-test", Tree.Path("mnt").c_str(), "tmpfs", 0, "size=1m") != 0)
      QSKIP("cannot mount a tmpfs here");
    const auto Unmount = qScopeGuard([&] {
      if (mounted)
        umount2(Tree.Path("mnt").c_str(), MNT_DETACH);
    });
    if (mounted)
      Tree.File("mnt/f", 5000);
    else
      Tree.Link("link", "plain");
    NextScan().FFollowReparsePoints = follow;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    TFolderNode* Node = Child(Top, mounted ? "mnt" : "link");
    QVERIFY(Node);
    // Entered, it counts as the plain folder; else as an empty one.
    const std::string Expected = follow ? Counts(Child(Top, "plain")) : std::string("1/0/1");
    for (bool Update : {false, true}) {
      if (Update) {
        QVERIFY(Run.Driver.UpdateBranch(Node));
        Run.Finish();
      }
      QCOMPARE(Node->FErrorCode.Load(), 0);
      QCOMPARE(Node->Finished(), true);
      QCOMPARE(Counts(Node), Expected);
      QCOMPARE(Node->OwnFiles(), follow ? 1 : 0);
    }
    QVERIFY(Run.Failures.empty());
  }

  // The folder chosen to scan is entered whatever it is.
  void chosenFolderIsEntered_data()
  {
    QTest::addColumn<QString>("path");  // below the tree's top unless absolute
    QTest::addColumn<bool>("follow");
    QTest::newRow("a link") << "link" << false;
    QTest::newRow("a pseudo file system, links followed") << "/proc/sys/fs" << true;
  }
  void chosenFolderIsEntered()
  {
    QFETCH(QString, path);
    QFETCH(bool, follow);
    TTestTree Tree;
    Tree.Folder("target");
    Tree.File("target/f", 100);
    Tree.Link("link", "target");
    NextScan().FFollowReparsePoints = follow;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(path.startsWith('/') ? path.toStdString() : Tree.Path(path.toStdString()));
    QVERIFY(Top);
    QVERIFY(Top->FObjects > 1);  // itself and what it holds
  }

  // With links and mount points followed, each real folder is entered once,
  // and pseudo file systems below the chosen folder never.
  void followedOnce_data()
  {
    QTest::addColumn<QStringList>("links");  // made as "link-0", "link-1", ...
    QTest::addColumn<QString>("mount");      // a file system mounted on "mnt"
    QTest::addColumn<int>("entered");        // of the links and "mnt"
    QTest::newRow("two links to one folder") << QStringList{"target", "target"} << "" << 1;
    QTest::newRow("a link into proc") << QStringList{"/proc/sys/fs"} << "" << 0;
    QTest::newRow("a link into sysfs") << QStringList{"/sys/kernel/mm"} << "" << 0;
    QTest::newRow("mqueue mounted") << QStringList() << "mqueue" << 0;
    QTest::newRow("devtmpfs mounted") << QStringList() << "devtmpfs" << 0;
    QTest::newRow("tmpfs mounted, and a link to it") << QStringList{"mnt"} << "tmpfs" << 1;
  }
  void followedOnce()
  {
    QFETCH(QStringList, links);
    QFETCH(QString, mount);
    QFETCH(int, entered);
    TTestTree Tree;
    Tree.Folder("target");
    Tree.File("target/f", 100);
    Tree.Folder("mnt");
    for (int Index = 0; Index < links.size(); ++Index) {
      if (links[Index].startsWith('/') && !QFileInfo::exists(links[Index]))
        QSKIP("no such pseudo file system here");
      Tree.Link("link-" + std::to_string(Index), links[Index].toStdString());
    }
    if (!mount.isEmpty()
        && ::mount("spacelens-test", Tree.Path("mnt").c_str(), mount.toLatin1().constData(), 0, nullptr) != 0)
      QSKIP("cannot mount that file system here");
    if (mount == "tmpfs")
      Tree.File("mnt/f", 100);
    NextScan().FFollowReparsePoints = true;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    if (!mount.isEmpty())
      umount2(Tree.Path("mnt").c_str(), MNT_DETACH);
    QVERIFY(Top);
    int Entered = 0;
    for (TFolderNode* Node : Top->Children()) {
      const std::string& Name = Node->FName;
      if (Name.starts_with("link-") || (Name == "mnt" && !mount.isEmpty()))
        Entered += Node->FObjects > 1;  // it and what was found inside
      QCOMPARE(Node->FErrorCode.Load(), 0);
    }
    QCOMPARE(Entered, entered);
    std::string Problem;
    QVERIFY2(TotalsAdd(Top, Problem), Problem.c_str());
  }

  void linkLoops()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/f", 100);
    Tree.Link("a/up", "..");
    Tree.Link("a/self", ".");
    Tree.Folder("x");
    Tree.Folder("y");
    Tree.Link("x/to-y", "../y");
    Tree.Link("y/to-x", "../x");
    NextScan().FFollowReparsePoints = true;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    TFolderNode* A = Child(Top, "a");
    // Links back onto their own path are not entered again.
    QCOMPARE(Counts(Child(A, "up")), std::string("1/0/1"));
    QCOMPARE(Counts(Child(A, "self")), std::string("1/0/1"));
    // x/to-y enters y once; y's link back to x stops there.
    TFolderNode* ToY = Child(Child(Top, "x"), "to-y");
    QCOMPARE(ToY->ChildCount(), 1u);
    QCOMPARE(Counts(Child(ToY, "to-x")), std::string("1/0/1"));
    std::string Problem;
    QVERIFY2(TotalsAdd(Top, Problem), Problem.c_str());
    // A branch scanned by itself knows the folders above it just as well.
    QVERIFY(Run.Driver.UpdateBranch(A));
    Run.Finish();
    QCOMPARE(Counts(Child(A, "up")), std::string("1/0/1"));
    QCOMPARE(Counts(Child(A, "self")), std::string("1/0/1"));
    QVERIFY2(TotalsAdd(Top, Problem), Problem.c_str());
  }

  // Failures a privileged run never meets, made by the failure injector:
  // the folder "secret" (holding the folder "inner" and the file "f") cannot
  // be opened, or its file cannot be read.
  void failures_data()
  {
    QTest::addColumn<QByteArray>("failing");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("showErrors");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("secretCode");
    QTest::addColumn<QString>("secretCounts");
    QTest::newRow("folder denied") << QByteArray("secret") << EACCES << true << "*" << EACCES << "1/0/1";
    QTest::newRow("folder fails, errors without paths")
      << QByteArray("secret") << EIO << false << "*" << EIO << "1/0/1";
    QTest::newRow("file denied") << QByteArray("f") << EACCES << true << "*" << EACCES << "2/0/2";
    QTest::newRow("file fails") << QByteArray("f") << EIO << true << "*" << EIO << "2/0/2";
    QTest::newRow("file gone since the listing") << QByteArray("f") << ENOENT << true << "*" << 0 << "2/0/2";
    QTest::newRow("file left out by the filter, never read")
      << QByteArray("f") << EACCES << true << "*.txt" << 0 << "2/0/2";
  }
  void failures()
  {
    QFETCH(QByteArray, failing);
    QFETCH(int, code);
    QFETCH(bool, showErrors);
    QFETCH(QString, filter);
    QFETCH(int, secretCode);
    QFETCH(QString, secretCounts);
    TTestTree Tree;
    Tree.Folder("secret");
    Tree.Folder("secret/inner");
    Tree.File("secret/f", 100);
    Tree.Folder("open");
    NextScan().FShowErrors = showErrors;
    NextScan().SetFileFilter(filter.toStdString());
    FailOn(failing.toStdString(), code);
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    TFolderNode* Secret = Child(Top, "secret");
    QCOMPARE(Secret->FErrorCode.Load(), secretCode);
    // It counts itself, and what it holds when it could be listed.
    QCOMPARE(Counts(Secret), secretCounts.toStdString());
    QCOMPARE(Secret->ChildCount(), failing == "secret" ? 0u : 1u);
    QCOMPARE(Secret->OwnFiles(), failing == "secret" ? -1 : 0);
    QCOMPARE(Secret->Finished(), true);
    QCOMPARE(Top->FErrorCode.Load(), 0);
    // Everything above a folder that failed is a lower bound, and only that.
    QCOMPARE(Top->FailedBelow(), secretCode != 0);
    QVERIFY(!Secret->FailedBelow() && !Child(Top, "open")->FailedBelow());
    QCOMPARE(Run.Failures.size(), secretCode ? 1u : 0u);
    if (secretCode) {
      QCOMPARE(Run.Failures[0].first, secretCode);
      QCOMPARE(Run.Failures[0].second, showErrors ? Tree.Top() + "/secret/" : std::string());
    }
    std::string Problem;
    QVERIFY2(TotalsAdd(Top, Problem), Problem.c_str());
  }

  // The details list's files of one folder: files and links to files, no
  // folders, each once per pattern it matches; failures as in the walk.
  void fileListing_data()
  {
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<QByteArray>("failing");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("deep");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("listed");
    const QStringList All{"a.txt 3", "b.txt 5", "c.bin 7", "dangling 0", "to-a 0"};
    QTest::newRow("everything") << "*" << QByteArray() << 0 << false << 0 << All;
    QTest::newRow("patterns, in their order")
      << "*.bin a*" << QByteArray() << 0 << false << 0 << QStringList{"c.bin 7", "a.txt 3"};
    QTest::newRow("a file left out is never read")
      << "*.txt" << QByteArray("c.bin") << EACCES << false << 0 << QStringList{"a.txt 3", "b.txt 5"};
    QTest::newRow("a file denied") << "*" << QByteArray("b.txt") << EACCES << false << EACCES
                                   << QStringList{"a.txt 3", "c.bin 7", "dangling 0", "to-a 0"};
    QTest::newRow("a file gone since the listing") << "*" << QByteArray("b.txt") << ENOENT << false << 0
                                                   << QStringList{"a.txt 3", "c.bin 7", "dangling 0", "to-a 0"};
    QTest::newRow("a folder deeper than PATH_MAX") << "*" << QByteArray() << 0 << true << 0 << QStringList{"leaf 0"};
  }
  void fileListing()
  {
    QFETCH(QString, patterns);
    QFETCH(QByteArray, failing);
    QFETCH(int, code);
    QFETCH(bool, deep);
    QFETCH(int, error);
    QFETCH(QStringList, listed);
    TTestTree Tree;
    Tree.File("a.txt", 3);
    Tree.File("b.txt", 5);
    Tree.File("c.bin", 7);
    Tree.Link("to-a", "a.txt");
    Tree.Link("dangling", "nowhere");
    Tree.Folder("sub");
    Tree.Link("to-sub", "sub");
    std::string Folder = Tree.Top() + "/";
    if (deep) {
      const int Depth = 400;
      Tree.DeepChain("sub", Depth, "level-0123", "leaf");
      Folder = Tree.Path("sub/");
      for (int Level = 0; Level < Depth; ++Level)
        Folder += "level-0123/";
    }
    FailOn(failing.toStdString(), code);
    TScanSettings Settings;
    Settings.SetFileFilter(patterns.toStdString());
    std::vector<TListedFile> Files;
    QCOMPARE(TFileListing::List(Folder, Settings.FFileFilter, Files), error);
    QStringList Got;
    for (const TListedFile& File : Files)
      Got << QString::fromStdString(File.Name) + " " + QString::number(File.Size);
    if (Settings.FFileFilter.size() == 1)
      Got.sort();  // otherwise in the listing's order
    QCOMPARE(Got, listed);
  }

  // The kind of a kept file is told from its name and its execute bits, the
  // same by the scan, the listing and the listing again after a change; a
  // link is no program, whatever its own mode.
  void executableFiles()
  {
    TTestTree Tree;
    Tree.File("tool", 10);
    Tree.File("data", 20);
    Tree.File("run.sh", 30);
    Tree.Link("to-tool", "tool");
    QCOMPARE(chmod(Tree.Path("tool").c_str(), 0755), 0);
    QCOMPARE(chmod(Tree.Path("data").c_str(), 0644), 0);
    QCOMPARE(chmod(Tree.Path("run.sh").c_str(), 0700), 0);
    const QStringList Expected{"10 run", "20 read", "30 run"};
    TScanRun Run;
    Run.Driver.FSettings.FFileKind = [](const char*, bool Executable) { return uint8_t(Executable); };
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    auto Kept = [Top] {
      QStringList Texts;
      const TFolderFiles* Files = Top->FFiles.load();
      for (uint32_t Index = 0; Files && Index < Files->Count(); ++Index)
        Texts << QString("%1 %2").arg((*Files)[Index].Size()).arg((*Files)[Index].Kind ? "run" : "read");
      Texts.sort();
      return Texts;
    };
    QCOMPARE(Kept(), Expected);
    std::vector<TListedFile> Listed;
    QCOMPARE(TFileListing::List(Tree.Top(), {"*"}, Listed), 0);
    QStringList Got;
    for (const TListedFile& File : Listed)
      if (File.Size > 0)
        Got << QString("%1 %2").arg(File.Size).arg(File.Executable ? "run" : "read");
    Got.sort();
    QCOMPARE(Got, Expected);
    Tree.File("more", 40);
    Run.Driver.ListFilesAgain(Top);
    QCOMPARE(Kept(), (QStringList{"10 run", "20 read", "30 run", "40 read"}));
  }

  void unreadableStartFolder()
  {
    TTestTree Tree;
    const std::string Top = Tree.Top() + "/";
    FailOn(Top, EACCES);
    TScanRun Run;
    QCOMPARE(Run.Scan(Tree.Top()), nullptr);
    QCOMPARE(Run.Driver.Roots(), nullptr);
    QCOMPARE(Run.Failures.size(), 1u);
    QCOMPARE(Run.Failures[0].first, EACCES);
    QCOMPARE(Run.Scan(Tree.Path("missing")), nullptr);
    QCOMPARE(Run.Failures.back().first, ENOENT);
  }

  void vanishingFolder()
  {
    TTestTree Tree;
    Tree.Folder("gone");
    Tree.Folder("gone/inner");
    Tree.File("gone/f", 100);
    const std::string Gone = Tree.Path("gone");
    TDirectory::SetFailureInjector([Gone](const char* Name) {
      if (std::string(Name) == "gone")
        QDir(QString::fromStdString(Gone)).removeRecursively();
      return 0;
    });
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    TFolderNode* Node = Child(Top, "gone");
    QVERIFY(Node);
    QCOMPARE(Node->FErrorCode.Load(), 0);
    QCOMPARE(Counts(Node), std::string("1/0/1"));
    QVERIFY(Run.Failures.empty());
  }

  void stopThenUpdate_data()
  {
    QTest::addColumn<int>("depth");  // of the chain of folders, a file each, above "stop-here"
    QTest::newRow("near the top") << 0;
    // Counts held by folders that gather for those above reach the top.
    QTest::newRow("deep") << 140;
  }
  void stopThenUpdate()
  {
    QFETCH(int, depth);
    TTestTree Tree;
    for (const char* Name : {"a", "b", "c"}) {
      Tree.Folder(Name);
      for (int Index = 0; Index < 5; ++Index) {
        const std::string Sub = std::string(Name) + "/" + std::to_string(Index);
        Tree.Folder(Sub);
        Tree.File(Sub + "/f", 100);
      }
    }
    std::string Above = "b";
    for (int Level = 0; Level < depth; ++Level) {
      Above += "/k";
      Tree.Folder(Above);
      Tree.File(Above + "/f", 100);
    }
    Tree.Folder(Above + "/stop-here");
    Tree.File(Above + "/stop-here/own", 5000);
    Tree.Folder(Above + "/stop-here/below");

    std::atomic<TRootScan*> Scan{nullptr};
    TDirectory::SetFailureInjector([&Scan](const char* Name) {
      if (std::string(Name) == "stop-here") {
        while (!Scan.load())
          std::this_thread::yield();
        Scan.load()->Terminate();
      }
      return 0;
    });
    TScanRun Run;
    QVERIFY(Run.Driver.StartScan(Tree.Top()));
    TRoot* Root = Run.Driver.Roots();
    Scan = Root->FWorker;
    Run.Finish();
    TFolderNode* Top = Root->FNode;
    TFolderNode* B = Child(Top, "b");
    TFolderNode* StopHere = B;
    for (int Level = 0; Level < depth; ++Level)
      StopHere = Child(StopHere, "k");
    StopHere = Child(StopHere, "stop-here");
    QCOMPARE(Run.StoppedScans, 1);
    QCOMPARE(Root->FWorker, nullptr);
    // The folder being listed and every folder above it stay incomplete.
    QVERIFY(!StopHere->Finished());
    QVERIFY(!B->Finished());
    QVERIFY(!Top->Finished());
    QCOMPARE(StopHere->OwnFiles(), 1);
    QCOMPARE(StopHere->ChildCount(), 0u);
    // What was counted stays: own files of every listed folder plus each
    // finished folder.
    uint64_t Expected = 0;
    std::vector<TFolderNode*> Pending{Top};
    while (!Pending.empty()) {
      TFolderNode* Node = Pending.back();
      Pending.pop_back();
      if (Node->FIsFiles)
        continue;
      Expected += std::max<int64_t>(0, Node->OwnFiles()) + Node->Finished();
      Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
    }
    QCOMPARE(Top->FObjects.Load(), Expected);
    std::string Problem;
    QVERIFY2(TotalsAdd(Top, Problem), Problem.c_str());

    // Update rescans the stopped root from scratch, in the same root.
    TDirectory::SetFailureInjector(nullptr);
    QVERIFY(Run.Scan(Tree.Top() + "/"));
    QCOMPARE(Run.Driver.Roots(), Root);
    QCOMPARE(Root->FNext, nullptr);
    QCOMPARE(Top->Finished(), true);
    QCOMPARE(Top->FObjects.Load(), 1 + 3 + 15 + 15 + 1 + 1 + 1u + 2 * depth);
  }

  void branchUpdateCorrectsAncestors()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("a/b");
    Tree.File("a/b/f", 100);
    Tree.Folder("a/other");
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    TFolderNode* B = Child(Child(Top, "a"), "b");

    // Nothing happens while the root is being scanned.
    QVERIFY(Run.Driver.StartScan(Tree.Top()));
    QVERIFY(!Run.Driver.UpdateBranch(Top));
    Run.Finish();
    B = Child(Child(Top, "a"), "b");

    Tree.File("a/b/g", 5000);
    Tree.Folder("a/b/new");
    QVERIFY(Run.Driver.UpdateBranch(B));
    Run.Finish();
    QCOMPARE(B->ChildCount(), 2u);  // "new" and the "<Files>" entry

    TScanRun Fresh;
    TFolderNode* FreshTop = Fresh.Scan(Tree.Top());
    QCOMPARE(Counts(Top), Counts(FreshTop));
    QCOMPARE(Counts(Child(Top, "a")), Counts(Child(FreshTop, "a")));
    QCOMPARE(Counts(B), Counts(Child(Child(FreshTop, "a"), "b")));
    QCOMPARE(B->Finished(), true);
  }

  void descriptorsLetGo_data()
  {
    QTest::addColumn<int>("budget");
    QTest::addColumn<bool>("swap");  // a folder high up is replaced while a folder deep below is read
    QTest::newRow("none kept") << 0 << false;
    QTest::newRow("a few kept") << 6 << false;
    QTest::newRow("a folder swapped") << 0 << true;
  }
  void descriptorsLetGo()
  {
    // Folders that let their descriptors go are opened again by name, each
    // folder on the way checked to be the one listed: the totals are those
    // of a scan that kept them all, and a folder put in the place of one
    // listed is never entered.
    QFETCH(int, budget);
    QFETCH(bool, swap);
    TTestTree Tree;
    std::string Chain;
    for (int Level = 1; Level <= 150; ++Level) {
      Chain += (Level == 1 ? "c" : "/c") + std::to_string(Level);
      Tree.Folder(Chain);
      if (Level % 3 == 0) {
        Tree.Folder(Chain + "/s" + std::to_string(Level));
        Tree.File(Chain + "/s" + std::to_string(Level) + "/f", 100 * Level);
        Tree.Folder(Chain + "/t" + std::to_string(Level));
      }
    }
    TScanRun Full;
    TFolderNode* Expected = Full.Scan(Tree.Top());
    QVERIFY(Expected);

    std::atomic<bool> Swapped{false};
    // Leaves opened slowly keep their parents waiting, held open, while the
    // chain goes on below them: folders are opened again from those.
    if (!swap)
      TDirectory::SetFailureInjector([](const char* Name) {
        if (Name[0] == 't')
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return 0;
      });
    if (swap)
      TDirectory::SetFailureInjector([&](const char* Name) {
        // Before c100 is opened from c99; what lies below it is then reached
        // from a folder above still open, or from the top through the new c2.
        if (std::string(Name) == "c100" && !Swapped.exchange(true)) {
          rename(Tree.Path("c1/c2").c_str(), Tree.Path("c1/old").c_str());
          mkdir(Tree.Path("c1/c2").c_str(), 0755);
          mkdir(Tree.Path("c1/c2/secret").c_str(), 0755);
          close(open(Tree.Path("c1/c2/secret/f").c_str(), O_CREAT | O_WRONLY, 0644));
        }
        return 0;
      });
    TScan2::SetDescriptorBudget(budget);
    const auto Usual = qScopeGuard([] { TScan2::SetDescriptorBudget(-1); });
    const auto OpenDescriptors = [] {
      return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size();
    };
    const qsizetype Before = OpenDescriptors();
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    QVERIFY(Run.Failures.empty());
    QCOMPARE(OpenDescriptors(), Before);  // every one opened again is closed
    std::vector<std::pair<const TFolderNode*, const TFolderNode*>> Pending{{Top, Expected}};
    while (!Pending.empty()) {
      const auto [Node, Same] = Pending.back();
      Pending.pop_back();
      QVERIFY(std::string(Node->FName) != "secret");
      if (!swap)
        QCOMPARE(Counts(Node), Counts(Same));
      for (size_t Index = 0; Index < Node->ChildCount(); ++Index)
        if (!Node->Child(Index)->FIsFiles)
          Pending.push_back({Node->Child(Index), Child(const_cast<TFolderNode*>(Same), Node->Child(Index)->FName)});
    }
    // Folders below c1/c2 are read through descriptors held from before
    // the swap, or given up: the new c2 is never entered.
    QCOMPARE(Swapped.load(), swap);
    if (swap)
      QVERIFY(Top->FObjects.Load() <= Expected->FObjects.Load());
  }

  void exportReadsAsTheScan_data()
  {
    QTest::addColumn<QString>("change");  // made between the scan and the export
    QTest::addColumn<bool>("follow");
    QTest::addColumn<int>("unread");
    QTest::newRow("none") << "" << false << 0;
    QTest::newRow("folder gone") << "gone" << false << 1;
    QTest::newRow("folder swapped for a link") << "link" << false << 1;
    QTest::newRow("link followed as the scan did") << "link" << true << 0;
  }
  void exportReadsAsTheScan()
  {
    // The export reads each folder's files again, the way the scan read
    // them: a folder swapped for a link is not followed unless links are,
    // and a folder gone or changed is told. Past 64 levels, folders are
    // opened again by name from a level above.
    QFETCH(QString, change);
    QFETCH(bool, follow);
    QFETCH(int, unread);
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("a/inner");
    Tree.File("a/inner/mine", 10);
    Tree.Folder("secret");
    Tree.File("secret/hidden", 10);
    std::string Chain = "a";
    for (int Level = 1; Level <= 100; ++Level) {
      Chain += "/c";
      Tree.Folder(Chain);
      Tree.Folder(Chain + "/leaf");
      Tree.File(Chain + "/leaf/f" + std::to_string(Level), 10);
    }
    NextScan().FFollowReparsePoints = follow;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Path("a"));
    QVERIFY(Top);
    if (change == "gone")
      QVERIFY(QDir(QString::fromStdString(Tree.Path("a/inner"))).removeRecursively());
    if (change == "link") {
      QVERIFY(rename(Tree.Path("a/inner").c_str(), Tree.Path("moved").c_str()) == 0);
      Tree.Link("a/inner", "../secret");
    }
    QTemporaryDir Files;
    const std::string Json = Files.filePath("scan.json").toStdString();
    std::FILE* File = std::fopen(Json.c_str(), "w");
    size_t Unread = 99;
    QVERIFY(TNcduExport::Write(File, Top, NextScan(), "test", &Unread));
    std::fclose(File);
    QFile Written(QString::fromStdString(Json));
    QVERIFY(Written.open(QIODevice::ReadOnly));
    const QByteArray Text = Written.readAll();
    QCOMPARE(int(Unread), unread);
    QCOMPARE(Text.contains("\"hidden\""), follow);
    QCOMPARE(Text.contains("\"mine\""), change.isEmpty());
    QCOMPARE(Text.count("\"read_error\""), qsizetype(unread));
    for (int Level = 1; Level <= 100; ++Level)
      QVERIFY2(Text.contains("\"f" + QByteArray::number(Level) + "\""), qPrintable(QString::number(Level)));
  }

  void excludePatterns_data()
  {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("below");  // the folder's path below the scanned one
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("excluded");
    QTest::newRow("a name") << ".cache"
                            << "a/"
                            << ".cache" << true;
    QTest::newRow("another name") << ".cache"
                                  << "a/"
                                  << "cache" << false;
    QTest::newRow("a wildcard name") << "*.o"
                                     << ""
                                     << "f.o" << true;
    QTest::newRow("case counts") << "*.o"
                                 << ""
                                 << "F.O" << false;
    QTest::newRow("a name never spans folders") << "b*o"
                                                << "b/"
                                                << "x.o" << false;
    QTest::newRow("brackets") << "[ab].txt"
                              << ""
                              << "b.txt" << true;
    QTest::newRow("a path from the top") << "b/build"
                                         << "b/"
                                         << "build" << true;
    QTest::newRow("a path's end") << "build/*.tmp"
                                  << "c/d/build/"
                                  << "x.tmp" << true;
    QTest::newRow("a path's end after a slash only") << "uild/*.tmp"
                                                     << "c/build/"
                                                     << "x.tmp" << false;
    QTest::newRow("a path elsewhere") << "build/*.tmp"
                                      << "c/"
                                      << "x.tmp" << false;
    QTest::newRow("a star spans folders in a path") << "c/*.tmp"
                                                    << "c/d/build/"
                                                    << "x.tmp" << true;
    QTest::newRow("blank") << "  "
                           << ""
                           << "x" << false;
  }
  void excludePatterns()
  {
    QFETCH(QString, pattern);
    QFETCH(QString, below);
    QFETCH(QString, name);
    QFETCH(bool, excluded);
    TExcludeRules Rules;
    Rules.AddLines("\n" + pattern.toStdString() + "\r\n");
    QCOMPARE(Rules.Empty(), pattern.trimmed().isEmpty());
    QCOMPARE(Rules.Excludes(below.toStdString(), name.toStdString().c_str()), excluded);
  }

  void excludedFromScan()
  {
    // What the rules leave out is neither a folder of the tree nor counted,
    // nor listed in the details list, and the scan tells how much it was.
    TTestTree Tree;
    for (const char* Folder : {"a", "a/.cache", "a/.cache/deep", "b", "b/build", "c", "c/build", "c/keep"})
      Tree.Folder(Folder);
    Tree.File("a/.cache/deep/big", 50000);
    Tree.File("a/f.o", 100);
    Tree.File("a/f.c", 100);
    Tree.File("b/build/x.tmp", 100);
    Tree.File("b/build/x.log", 100);
    Tree.File("c/build/y.tmp", 100);
    Tree.File("c/keep/z.tmp", 100);
    NextScan().FExclude.AddLines(".cache\n*.o\nbuild/*.tmp\n");
    const auto Usual = qScopeGuard([] { NextScan().FExclude = TExcludeRules(); });
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    QCOMPARE(Child(Child(Top, "a"), ".cache"), nullptr);
    // Folders: top, a, b, b/build, c, c/build, c/keep; files: f.c, x.log, z.tmp.
    QCOMPARE(Top->FObjects.Load(), 10u);
    QCOMPARE(Top->SizeBytes(), 300u);
    QCOMPARE(Child(Top, "a")->OwnFiles(), 1);
    QCOMPARE(Child(Child(Top, "c"), "build")->FObjects.Load(), 1u);
    QCOMPARE(Run.Counted.FExcluded, 4u);  // .cache, f.o, x.tmp, y.tmp
    QCOMPARE(Run.Counted.FFiles, 3u);
    std::vector<TListedFile> Listed;
    QCOMPARE(TFileListing::List(Tree.Path("b/build"), {"*"}, Listed, {}, NextScan().FExclude, "b/build/"), 0);
    QCOMPARE(Listed.size(), 1u);
    QCOMPARE(Listed[0].Name, std::string("x.log"));
    // The export marks what was left out as ncdu does.
    QTemporaryDir Files;
    const std::string Json = Files.filePath("scan.json").toStdString();
    std::FILE* File = std::fopen(Json.c_str(), "w");
    QVERIFY(TNcduExport::Write(File, Top, NextScan(), "test"));
    std::fclose(File);
    QFile Written(QString::fromStdString(Json));
    QVERIFY(Written.open(QIODevice::ReadOnly));
    const QByteArray Text = Written.readAll();
    QCOMPARE(Text.count("\"excluded\":\"pattern\""), 4);
    QVERIFY(Text.contains("{\"name\":\".cache\",\"excluded\":\"pattern\"}"));
  }

  void deepTree()
  {
    TTestTree Tree;
    Tree.Folder("deep");
    const int Depth = 2500;
    Tree.DeepChain("deep", Depth, "level-0123");
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Path("deep"));
    QVERIFY(Top);
    QVERIFY(Run.Failures.empty());
    QCOMPARE(Top->FObjects.Load(), uint64_t(Depth + 1));
    TFolderNode* Node = Top;
    int Levels = 0;
    while (Node->ChildCount() == 1) {
      Node = Node->Child(0);
      QVERIFY(Node->Finished());
      ++Levels;
    }
    QCOMPARE(Levels, Depth);
    QVERIFY(Node->FullPath().size() > 6 * 4096);
    // Its deepest branch, updated by itself, is opened through its path.
    TFolderNode* Branch = Node->Parent();
    QVERIFY(Run.Driver.UpdateBranch(Branch));
    Run.Finish();
    QVERIFY(Run.Failures.empty());
    QCOMPARE(Branch->ChildCount(), 1u);
    QCOMPARE(Top->FObjects.Load(), uint64_t(Depth + 1));
  }

  // Names are kept as the bytes listed, side by side with their siblings'.
  void oddNames_data()
  {
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("not UTF-8") << QByteArray("caf\xe9");
    QTest::newRow("255 bytes") << QByteArray(255, 'n');
    QTest::newRow("255 bytes, not UTF-8") << QByteArray(255, '\xe9');
    QTest::newRow("one byte") << QByteArray("x");
  }
  void oddNames()
  {
    QFETCH(QByteArray, name);
    const std::string Folder = name.toStdString();
    TTestTree Tree;
    Tree.Folder(Folder);
    Tree.File(Folder + "/\xff\xfe.bin", 100);
    Tree.Folder(Folder + "/" + Folder);
    Tree.Folder(Folder + "/" + std::string(200, 's'));
    Tree.Folder("a");
    NextScan().SetFileFilter("*.bin");
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    for (int Pass = 0; Pass < 2; ++Pass) {
      TFolderNode* Node = Child(Top, Folder);
      QVERIFY(Node);
      QCOMPARE(Node->OwnFiles(), 1);
      QCOMPARE(Node->FullPath(), Tree.Top() + "/" + Folder + "/");
      QCOMPARE(Child(Node, Folder)->FullPath(), Tree.Top() + "/" + Folder + "/" + Folder + "/");
      QVERIFY(Child(Node, std::string(200, 's')));
      QCOMPARE(Top->FObjects.Load(), 6u);
      // A rescan of the folder's branch makes its children anew.
      QVERIFY(Run.Driver.UpdateBranch(Node));
      Run.Finish();
    }
  }

  void listingOrder()
  {
    TTestTree Tree;
    for (int Index = 0; Index < 60; ++Index)
      Tree.Folder("folder-" + std::to_string(Index * 7919 % 1000));
    std::vector<std::string> Listed;
    DIR* Dir = opendir(Tree.Top().c_str());
    while (dirent* Entry = readdir(Dir))
      if (Entry->d_name[0] != '.')
        Listed.push_back(Entry->d_name);
    closedir(Dir);
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    std::vector<std::string> Nodes;
    for (TFolderNode* Node : Top->Children())
      Nodes.push_back(Node->FName);
    QCOMPARE(Nodes, Listed);
  }

  void samePathOneRoot()
  {
    TTestTree Tree;
    Tree.Folder("x");
    TScanRun Run;
    TFolderNode* First = Run.Scan(Tree.Top());
    TFolderNode* Second = Run.Scan(Tree.Top() + "/");
    QCOMPARE(First, Second);
    QCOMPARE(Run.Driver.Roots()->FNext, nullptr);
    QCOMPARE(Run.Tree.TopNodes().size(), 1u);
    QCOMPARE(Second->ChildCount(), 1u);
  }

  void awaitAfterAPartialDrain()
  {
    TTestTree Tree;
    for (int Index = 0; Index < 50; ++Index)
      Tree.Folder(std::to_string(Index));
    // The scan is held at one folder until the partial drain has happened.
    THold Hold("7");
    TScanRun Run;
    QVERIFY(Run.Driver.StartScan(Tree.Top()));
    TRoot* Root = Run.Driver.Roots();
    const bool Held = Hold.Reached();
    // A drain whose time is up takes the results so far in hand and applies
    // none; the end of the walk comes after them.
    Root->FWorker->Drain(std::chrono::steady_clock::now() - std::chrono::seconds(1));
    Hold.Release();
    QVERIFY(Held);
    Run.Driver.Await(Root);
    QCOMPARE(Root->FWorker, nullptr);
    QVERIFY(!Run.Driver.Scanning());
    QCOMPARE(Root->FNode->ChildCount(), 50u);
    // Pruning waits for no scan: while one runs it leaves the tree alone.
    QVERIFY(Run.Driver.StartScan(Tree.Top()));
    Run.Driver.PruneSmallFolders(Root->FNode, vtSize, 1000);
    Run.Finish();
    QCOMPARE(Root->FNode->ChildCount(), 50u);
    Run.Driver.PruneSmallFolders(Root->FNode, vtSize, 1000);
    QCOMPARE(Root->FNode->ChildCount(), 0u);
  }

  void removeWhileScanning()
  {
    TTestTree Tree;
    for (int Index = 0; Index < 200; ++Index) {
      Tree.Folder(std::to_string(Index));
      Tree.File(std::to_string(Index) + "/f", 10);
    }
    TScanRun Run;
    QVERIFY(Run.Driver.StartScan(Tree.Top()));
    QVERIFY(Run.Driver.RemoveRoot(Run.Driver.Roots()));
    QCOMPARE(Run.Driver.Roots(), nullptr);
    QVERIFY(!Run.Driver.Scanning());
    QVERIFY(Run.Tree.TopNodes().empty());
  }
};

QTEST_GUILESS_MAIN(TScanTest)
#include "tst_scan.moc"
