// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Directory.h"
#include "fs/FileTime.h"
#include "fs/PathRules.h"
#include "fs/Wildcard.h"
#include "scan/ExcludeRules.h"
#include "scan/FileListing.h"
#include "scan/FolderData.h"
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
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>

#include <fnmatch.h>
#include <random>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>

namespace {

// The settings the next scan run takes.
TScanSettings& NextScan()
{
  static TScanSettings Settings;
  return Settings;
}

// A scan driver counting 4096-byte clusters that remembers what it was told.
struct TScanRun : TScanListener {
  TScanRun()
  {
    Driver.FUserClusterSize = 4096;
    Driver.FSettings = NextScan();
    Driver.SetListener(this);
  }
  void ScanFailed(int Code, const std::string& Path) override { Failures.push_back({Code, Path}); }
  void ScanProgress(TRoot*) override {}
  void ScanDone(TRoot*, bool Stopped, const TScanCounts& Counts) override { StoppedScans += Stopped, Counted = Counts; }
  // The top of Path's tree once scanned, null when the scan did not start.
  TFolderNode* Scan(const std::string& Path)
  {
    if (!Driver.StartScan(Path) || !Finish())
      return nullptr;
    return Driver.Roots()->FNode;
  }
  bool Update(TFolderNode* Branch) { return Driver.UpdateBranch(Branch) && Finish(); }
  // Drains until every scan ended; a scan that does not end within a
  // minute (sanitizers included) fails the test rather than hanging it.
  bool Finish()
  {
    QElapsedTimer Timer;
    Timer.start();
    while (Driver.Scanning()) {
      if (Timer.elapsed() > 60000) {
        QTest::qFail("a scan did not end within a minute", __FILE__, __LINE__);
        return false;
      }
      Driver.WaitForResults(std::chrono::milliseconds(20));
      Driver.Drain();
    }
    return true;
  }
  TFolderTree Tree;
  TScanDriver Driver{Tree};
  std::vector<std::pair<int, std::string>> Failures;
  int StoppedScans = 0;
  TScanCounts Counted;  // by the last scan
};

// Makes each entry below the tree's top: "path/" a folder, "path size" a file,
// "path -> target" a link.
void Make(const TTestTree& Tree, std::initializer_list<std::string> Entries)
{
  for (const std::string& Entry : Entries)
    if (const size_t Arrow = Entry.find(" -> "); Arrow != std::string::npos)
      Tree.Link(Entry.substr(0, Arrow), Entry.substr(Arrow + 4));
    else if (Entry.ends_with('/'))
      Tree.Folder(Entry);
    else
      Tree.File(Entry.substr(0, Entry.rfind(' ')), std::stoll(Entry.substr(Entry.rfind(' ') + 1)));
}

// Every open or read of Name (a name, or a whole path) fails with Code.
void FailOn(const std::string& Name, int Code)
{
  TDirectory::SetFailureInjector([Name, Code](const char* Given) { return Name == Given ? Code : 0; });
}

// The folder at Path ("a/b") below Node, or null.
TFolderNode* At(TFolderNode* Node, const std::string& Path)
{
  for (size_t Start = 0; Node && Start < Path.size();) {
    const size_t End = std::min(Path.find('/', Start), Path.size());
    Node = Child(Node, Path.substr(Start, End - Start));
    Start = End + 1;
  }
  return Node;
}

std::string Counts(const TFolderData* Record)
{
  return std::to_string(Record->FClusters.Load()) + "/" + std::to_string(Record->FTailBytes.Load()) + "/"
    + std::to_string(Record->FObjects.Load());
}

// Counts, own files, entries below and whether finished, in one text.
std::string Shape(TFolderNode* Node)
{
  return Counts(Node) + " own " + std::to_string(Node->OwnFiles()) + " in " + std::to_string(Node->ChildCount())
    + (Node->Finished() ? " done" : "");
}

// Calls Visit with Top and every folder below it.
void ForEachFolder(TFolderNode* Top, const std::function<void(TFolderNode*)>& Visit)
{
  std::vector<TFolderNode*> Pending{Top};
  while (!Pending.empty()) {
    TFolderNode* Node = Pending.back();
    Pending.pop_back();
    Visit(Node);
    for (TFolderNode* Item : Node->Children())
      if (!Item->FIsFiles)
        Pending.push_back(Item);
  }
}

// The finished folders not totalling their files, sub-folders and themselves.
std::string TotalsProblem(TFolderNode* Top)
{
  std::string Problem;
  ForEachFolder(Top, [&](TFolderNode* Node) {
    const TFileCount Own = Node->OwnCount();
    uint64_t Clusters = Own.Clusters + 1, Tail = Own.TailBytes, Objects = Own.Objects + 1;
    for (TFolderNode* Item : Node->Children())
      if (!Item->FIsFiles) {
        Clusters += Item->FClusters;
        Tail += Item->FTailBytes;
        Objects += Item->FObjects;
      }
    if (Node->Finished() && (Clusters != Node->FClusters || Tail != Node->FTailBytes || Objects != Node->FObjects))
      Problem += std::string(Node->FName) + " totals " + Counts(Node) + "; ";
  });
  return Problem;
}

// Top's tree as the ncdu export writes it; empty when the export failed.
QByteArray Export(const TFolderNode* Top, TNcduExport::TUnread* Unread = nullptr)
{
  char* Text = nullptr;
  size_t Size = 0;
  std::FILE* File = open_memstream(&Text, &Size);
  const bool Written = TNcduExport::Write(File, Top, NextScan(), "test", Unread);
  std::fclose(File);
  const QByteArray Result = Written ? QByteArray(Text, qsizetype(Size)) : QByteArray();
  free(Text);
  return Result;
}

}  // namespace

class TScanTest : public QObject {
  Q_OBJECT

private slots:
  void init()
  {
    NextScan() = TScanSettings();
    NextScan().FShowErrors = true;
  }
  void cleanup() { TDirectory::SetFailureInjector(nullptr); }

  // A file's second name takes the double count out from the deepest folder holding both; a pruned
  // folder's names move up. Removing names and branches is checked against a rescan elsewhere.
  void linkNames()
  {
    TTreeFixture Fixture(4096);
    TFolderNode* A = Fixture.Add(Fixture.Top, "a", 10, 100, 3);
    TFolderNode* X = Fixture.Add(A, "x", 5, 100, 2);
    TFolderNode* B = Fixture.Add(Fixture.Top, "b", 5, 100, 2);
    TTreeFixture::Set(Fixture.Top, 15, 200, 5);
    TLinkCounter& Links = Fixture.Root.FLinks;
    for (TFolderNode* Folder : {X, B})
      Links.Add(Folder, {{1, 42, TFileCount{4, 100, 1, 0}, 3, 1}}, Fixture.Top);
    QCOMPARE(Fixture.Top->FClusters.Load(), 11u);  // the top counted it twice: once came out
    TFolderNode* Still = nullptr;
    QVERIFY(!Links.RemoveName(1, 43, B, Still));  // no such file
    Links.MoveNamesUp(X);                         // x pruned: its totals and its name stay in a
    Fixture.Tree.FreeNode(X, false);
    QVERIFY(Links.RemoveName(1, 42, A, Still));
    QCOMPARE(Still, Fixture.Top);  // b's name
  }

  void countsFilesAndDates()
  {
    TTestTree Tree;
    Tree.File("one-byte", 1, 1577934245, 1609470245);    // 2020 access, 2021 write
    Tree.File("empty-file", 0, 1893456000, 1893456000);  // not counted, so its 2030 dates neither
    Make(Tree, {"sub/", "zeros/", "zeros/z1 0", "zeros/z2 0"});
    Tree.File("sub/two-clusters", 8192, 1546300800, 1640995200);  // 2019 access, 2022 write
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    QVERIFY(Run.Failures.empty());
    TFolderNode *Sub = Child(Top, "sub"), *Zeros = Child(Top, "zeros");
    QVERIFY(Sub && Zeros);
    // No "<Files>" without counted files, nor in a folder without sub-folders.
    QCOMPARE(Shape(Sub), std::string("3/4096/2 own 1 in 0 done"));
    QCOMPARE(Shape(Zeros), std::string("1/0/1 own 0 in 0 done"));
    QCOMPARE(Shape(Top), std::string("6/4097/5 own 1 in 3 done"));
    // "<Files>" comes after the sub-folders and holds the own files.
    TFolderNode* Files = Top->Child(2);
    QVERIFY(Files->FIsFiles);
    QCOMPARE(Counts(Files), std::string("1/1/1"));
    // Newest dates over counted files only, from every level.
    QCOMPARE(Top->LastAccess(), FileTime::FromUnix(1577934245, 0));
    QCOMPARE(Top->LastWrite(), FileTime::FromUnix(1640995200, 0));
    QCOMPARE(Zeros->LastWrite(), 0u);
    QCOMPARE(TotalsProblem(Top), std::string());
  }

  // Allocated by the blocks taken, Size by lengths, Wasted still the last clusters' slack.
  void sparseFiles()
  {
    TTestTree Tree;
    Tree.Folder("s");
    const int Fd = open(Tree.Path("s/middle").c_str(), O_CREAT | O_WRONLY, 0644);
    const std::string Block(4096, 'x');  // at both ends of a mebibyte, a hole between
    QVERIFY(pwrite(Fd, Block.data(), Block.size(), 0) == 4096);
    QVERIFY(pwrite(Fd, Block.data(), Block.size(), (1 << 20) - 4096) == 4096);
    close(Fd);
    Tree.Sparse("s/none", 10 << 20);
    Tree.File("s/full", 10000);
    TScanRun Run;
    TFolderNode* S = Child(Run.Scan(Tree.Top()), "s");
    QVERIFY(S);
    uint64_t Taken = 4096;  // the folder's own cluster
    for (const char* Name : {"s/middle", "s/none", "s/full"}) {
      struct stat Data;
      QCOMPARE(lstat(Tree.Path(Name).c_str(), &Data), 0);
      Taken += uint64_t(Data.st_blocks) * 512;
    }
    QCOMPARE(S->AllocatedBytes(), Taken);
    QCOMPARE(S->SizeBytes(), uint64_t((1 << 20) + (10 << 20) + 10000));
    QCOMPARE(S->GetValue(vtWasted, 1), (4096.0 - 10000 % 4096 + 4096) / 1024);
    QVERIFY(S->FHoles.Load() >= 2560 + 254);
  }

  void hardLinks_data()
  {
    QTest::addColumn<QString>("names");  // of one 5000-byte file
    QTest::addColumn<bool>("once");
    QTest::addColumn<bool>("mounted");    // "a" bound at "mnt", not followed
    QTest::addColumn<QString>("counts");  // folder=clusters/tail/objects
    QTest::newRow("same folder") << "a/f a/g" << true << false << "a=3/904/2 =4/904/3";
    QTest::newRow("each name") << "a/f b/g" << false << false << "a=3/904/2 b=3/904/2 =7/1808/5";
    QTest::newRow("deeper and beside") << "a/f a/x/g b/h" << true << false
                                       << "a/x=3/904/2 a=4/904/3 b=3/904/2 =6/904/5";
    QTest::newRow("mount not followed") << "a/f b/g" << true << true << "a=3/904/2 mnt=1/0/1 =6/904/5";
  }
  void hardLinks()
  {
    QFETCH(QString, names);
    QFETCH(bool, once);
    QFETCH(bool, mounted);
    QFETCH(QString, counts);
    TTestTree Tree;
    const std::string First = names.section(' ', 0, 0).toStdString();
    for (const QString& Name : names.split(' ')) {
      QVERIFY(QDir().mkpath(QString::fromStdString(Tree.Path(Name.section('/', 0, -2).toStdString()))));
      if (Name.toStdString() == First)
        Tree.File(First, 5000);
      else
        QVERIFY(link(Tree.Path(First).c_str(), Tree.Path(Name.toStdString()).c_str()) == 0);
    }
    if (mounted) {
      Tree.Folder("mnt");
      if (mount(Tree.Path("a").c_str(), Tree.Path("mnt").c_str(), nullptr, MS_BIND, nullptr) != 0)
        QSKIP("cannot bind a folder here");
    }
    const auto Unmount = qScopeGuard([&] {
      if (mounted)
        umount2(Tree.Path("mnt").c_str(), MNT_DETACH);
    });
    NextScan().FHardLinksOnce = once;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    for (const QString& Expected : counts.split(' ')) {
      TFolderNode* Node = At(Top, Expected.section('=', 0, 0).toStdString());
      QVERIFY2(Node, qPrintable(Expected));
      QCOMPARE(QString::fromStdString(Counts(Node)), Expected.section('=', 1));
    }
  }

  // Each folder counts the files below it once, whatever order their names were met in; names far
  // apart in depth are gathered on the way up.
  void hardLinksInAnyOrder()
  {
    TTestTree Tree;
    std::vector<std::string> Folders{""};
    std::string Chain;
    for (int Level = 1; Level <= 150; ++Level) {
      Chain += Level == 1 ? "c" : "/c";
      Folders.push_back(Chain);
      if (Level % 7 == 0)
        Folders.push_back(Chain + "/s");
    }
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
      for (const std::string& Folder : Folders)
        QCOMPARE(Counts(At(Top, Folder)), Expected(Folder));
    }
  }

  void showFilesOff()
  {
    TTestTree Tree;
    Make(Tree, {"f 10", "sub/", "sub/g 2097152", "small/", "small/h 20"});
    NextScan().FShowFiles = false;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QCOMPARE(Top->ChildCount(), 2u);  // no "<Files>"
    // The own files stay known when sub-folders are pruned; "<Files>" shows just them.
    Run.Driver.PruneSmallFolders(Top, vtSize, 1);
    QCOMPARE(Top->ChildCount(), 1u);
    Run.Driver.FSettings.FShowFiles = true;
    QVERIFY(Run.Driver.ApplyScanOptions(false, 0, true).empty());
    QCOMPARE(Counts(FilesEntry(Top)), std::string("1/10/1"));
    QCOMPARE(FilesEntry(Child(Top, "sub")), nullptr);  // no sub-folders to set them apart from
  }

  // A file counts once per pattern it matches; folders are walked whatever the filter.
  void filters()
  {
    TTestTree Tree;
    Make(Tree, {"a.txt 100", "b.doc 100", "c.jpg 100", "sub/", "sub/d.TXT 100", "sub/e.tar 100", "sub/deeper/"});
    const std::tuple<const char*, int, int> Cases[] = {{"   ", 3, 2}, {"*.txt *.t*", 2, 3}, {"   ?.jpg   ", 1, 0}};
    for (const auto& [Filter, TopFiles, SubFiles] : Cases) {
      NextScan().SetFileFilter(Filter);
      TScanRun Run;
      TFolderNode* Top = Run.Scan(Tree.Top());
      QCOMPARE(Top->OwnFiles(), TopFiles);
      QCOMPARE(Child(Top, "sub")->OwnFiles(), SubFiles);
      QVERIFY(At(Top, "sub/deeper"));
      QCOMPARE(Top->FObjects.Load(), uint64_t(TopFiles + SubFiles + 3));
    }
  }

  // Filter patterns: any letter case, other bytes as they are; a star backtracks.
  void wildcards()
  {
    const std::tuple<const char*, const char*, bool> Cases[] = {
      {"*.txt", "NOTES.TXT", true}, {"*.txt", "notes.txt.bak", false}, {"a*b*c", "aXbYbZc", true},
      {"?.c", ".c", false},         {"caf\xe9*", "caf\xe9.txt", true}, {"", "x", false}};
    for (const auto& [Pattern, Name, Match] : Cases)
      QVERIFY2(MatchWildcard(Pattern, Name) == Match, Pattern);
  }

  // The last two with no current folder.
  void absolutePaths()
  {
    const std::tuple<const char*, const char*, const char*> Cases[] = {
      {"/usr/share/", "/work/here", "/usr/share"},
      {"../there/./x//y", "/work/here", "/work/there/x/y"},
      {"~/music", "/work/here", "/home/me/music"},
      {"~music", "/work/here", "/work/here/~music"},
      {"/../..", "/work/here", "/"},
      {"relative", "", ""},
      {"/absolute", "", "/absolute"}};
    for (const auto& [Given, Current, Expected] : Cases)
      QCOMPARE(TPathRules::Absolute(Given, Current, "/home/me"), std::string(Expected));
  }

  // Links and mount points followed are entered each folder once, pseudo file systems never,
  // and so by an update of their branch; a chosen folder always is.
  void linksAndMounts_data()
  {
    QTest::addColumn<QStringList>("links");  // made as "link-0", "link-1", ...
    QTest::addColumn<QString>("mount");      // a file system mounted on "mnt"
    QTest::addColumn<int>("entered");        // of the links and "mnt"
    QTest::newRow("a link, followed") << QStringList{"target"} << "" << 1;
    QTest::newRow("two links to one folder") << QStringList{"target", "target"} << "" << 1;
    QTest::newRow("a link into proc") << QStringList{"/proc/sys/fs"} << "" << 0;
    QTest::newRow("tmpfs mounted, followed") << QStringList() << "tmpfs" << 1;
  }
  void linksAndMounts()
  {
    QFETCH(QStringList, links);
    QFETCH(QString, mount);
    QFETCH(int, entered);
    TTestTree Tree;
    Make(Tree, {"target/", "target/f 5000", "mnt/"});
    for (int Index = 0; Index < links.size(); ++Index) {
      if (links[Index].startsWith('/') && !QFileInfo::exists(links[Index]))
        QSKIP("no such pseudo file system here");
      Tree.Link("link-" + std::to_string(Index), links[Index].toStdString());
    }
    if (!mount.isEmpty()
        && ::mount("spacelens-test", Tree.Path("mnt").c_str(), mount.toLatin1().constData(), 0, nullptr) != 0)
      QSKIP("cannot mount that file system here");
    const auto Unmount = qScopeGuard([&] {
      if (!mount.isEmpty())
        umount2(Tree.Path("mnt").c_str(), MNT_DETACH);
    });
    if (mount == "tmpfs")
      Tree.File("mnt/f", 5000);
    NextScan().FFollowReparsePoints = true;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    // Entered, one counts as "target"; else as an empty folder.
    const std::string Inside = Shape(Child(Top, "target")), Outside = "1/0/1 own 0 in 0 done";
    int Entered = 0;
    for (TFolderNode* Node : Top->Children()) {
      QCOMPARE(Node->FErrorCode.Load(), 0);
      if (std::string(Node->FName).starts_with("link-") || (Node->FName == std::string("mnt") && !mount.isEmpty())) {
        Entered += Node->FObjects > 1;
        QCOMPARE(Shape(Node), Node->FObjects > 1 ? Inside : Outside);
        QCOMPARE(bool(Node->FScanFlags & sfNotEntered), Node->FObjects == 1);
      }
    }
    QCOMPARE(Entered, entered);
    QCOMPARE(TotalsProblem(Top), std::string());
    QVERIFY(Run.Failures.empty());
    if (links.size() + !mount.isEmpty() == 1) {
      TFolderNode* Node = Child(Top, mount.isEmpty() ? "link-0" : "mnt");
      const std::string Before = Shape(Node);
      QVERIFY(Run.Update(Node));
      QCOMPARE(Node->FErrorCode.Load(), 0);
      QCOMPARE(Shape(Node), Before);
    }
    if (links.size() == 1) {
      TScanRun Chosen;
      TFolderNode* Linked = Chosen.Scan(Tree.Path("link-0"));
      QVERIFY(Linked && Linked->FObjects > 1);
    }
  }

  void linkLoops()
  {
    TTestTree Tree;
    Make(Tree, {"a/", "a/f 100", "a/up -> ..", "a/self -> .", "x/", "y/", "x/to-y -> ../y", "y/to-x -> ../x"});
    NextScan().FFollowReparsePoints = true;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    TFolderNode* A = Child(Top, "a");
    // x/to-y enters y once; y's link back to x stops there.
    TFolderNode* ToY = At(Top, "x/to-y");
    QCOMPARE(ToY->ChildCount(), 1u);
    QCOMPARE(Counts(Child(ToY, "to-x")), std::string("1/0/1"));
    // Links back onto their own path are not entered again, also by a branch update.
    for (bool Update : {false, true}) {
      QVERIFY(!Update || Run.Update(A));
      for (const char* Link : {"up", "self"}) {
        QCOMPARE(Counts(Child(A, Link)), std::string("1/0/1"));
        QVERIFY(Child(A, Link)->FScanFlags & sfNotEntered);
      }
      QCOMPARE(TotalsProblem(Top), std::string());
    }
  }

  // Failures a privileged run never meets, injected: the folder "secret"
  // (holding "inner" and "f") cannot be opened, or "f" cannot be read.
  void failures_data()
  {
    QTest::addColumn<QByteArray>("failing");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("showErrors");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("secretCode");
    QTest::addColumn<QString>("secret");  // its shape: itself, and what it holds when it could be listed
    const QString Unlisted = "1/0/1 own -1 in 0 done", Listed = "2/0/2 own 0 in 1 done";
    QTest::newRow("folder denied") << QByteArray("secret") << EACCES << true << "*" << EACCES << Unlisted;
    QTest::newRow("folder fails, no paths") << QByteArray("secret") << EIO << false << "*" << EIO << Unlisted;
    QTest::newRow("folder gone") << QByteArray("secret") << ENOENT << true << "*" << 0 << "1/0/1 own 0 in 0 done";
    QTest::newRow("file denied") << QByteArray("f") << EACCES << true << "*" << EACCES << Listed;
    QTest::newRow("file gone") << QByteArray("f") << ENOENT << true << "*" << 0 << Listed;
    QTest::newRow("file filtered out, never read") << QByteArray("f") << EACCES << true << "*.txt" << 0 << Listed;
  }
  void failures()
  {
    QFETCH(QByteArray, failing);
    QFETCH(int, code);
    QFETCH(bool, showErrors);
    QFETCH(QString, filter);
    QFETCH(int, secretCode);
    QFETCH(QString, secret);
    TTestTree Tree;
    Make(Tree, {"secret/", "secret/inner/", "secret/f 100", "open/"});
    NextScan().FShowErrors = showErrors;
    NextScan().SetFileFilter(filter.toStdString());
    FailOn(failing.toStdString(), code);
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    TFolderNode* Secret = Child(Top, "secret");
    QCOMPARE(Secret->FErrorCode.Load(), secretCode);
    QCOMPARE(QString::fromStdString(Shape(Secret)), secret);
    QCOMPARE(Top->FErrorCode.Load(), 0);
    // Everything above a folder that failed is a lower bound, and only that.
    QCOMPARE(Top->FailedBelow(), secretCode != 0);
    QVERIFY(!Secret->FailedBelow() && !Child(Top, "open")->FailedBelow());
    QCOMPARE(Run.Failures.size(), secretCode ? 1u : 0u);
    if (secretCode) {
      QCOMPARE(Run.Failures[0].first, secretCode);
      QCOMPARE(Run.Failures[0].second, showErrors ? Tree.Top() + "/secret/" : std::string());
    }
    QCOMPARE(TotalsProblem(Top), std::string());
  }

  // The details list's files: files and links to files, once per pattern; failures as in the walk.
  void fileListing_data()
  {
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<QByteArray>("failing");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("deep");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("listed");
    const QStringList NoB{"a.txt 3", "c.bin 7", "dangling 0", "to-a 0"};
    QTest::newRow("in the patterns' order")
      << "*.bin a*" << QByteArray() << 0 << false << 0 << QStringList{"c.bin 7", "a.txt 3"};
    QTest::newRow("left out, never read")
      << "*.txt" << QByteArray("c.bin") << EACCES << false << 0 << QStringList{"a.txt 3", "b.txt 5"};
    QTest::newRow("a file denied") << "*" << QByteArray("b.txt") << EACCES << false << EACCES << NoB;
    QTest::newRow("a file gone") << "*" << QByteArray("b.txt") << ENOENT << false << 0 << NoB;
    QTest::newRow("deeper than PATH_MAX") << "*" << QByteArray() << 0 << true << 0 << QStringList{"leaf 0"};
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
    Make(Tree, {"a.txt 3", "b.txt 5", "c.bin 7", "sub/", "to-a -> a.txt", "dangling -> nowhere", "to-sub -> sub"});
    std::string Folder = Tree.Top() + "/";
    if (deep) {
      Tree.DeepChain("sub", 400, "level-0123", "leaf");
      Folder = Tree.Path("sub/");
      for (int Level = 0; Level < 400; ++Level)
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

  // A listed file's kind comes from any of its execute bits; a link is no program. The scan's
  // kinds are checked with the types view.
  void executableFiles()
  {
    TTestTree Tree;
    Make(Tree, {"tool 10", "data 20", "run.sh 30", "to-tool -> tool"});
    QCOMPARE(chmod(Tree.Path("tool").c_str(), 0755), 0);
    QCOMPARE(chmod(Tree.Path("run.sh").c_str(), 0700), 0);
    std::vector<TListedFile> Listed;
    QCOMPARE(TFileListing::List(Tree.Top(), {"*"}, Listed), 0);
    QStringList Got;
    for (const TListedFile& File : Listed)
      Got << QString("%1 %2").arg(File.Size).arg(File.Executable ? "run" : "read");
    Got.sort();
    QCOMPARE(Got, (QStringList{"0 read", "10 run", "20 read", "30 run"}));
  }

  void unreadableStartFolder()
  {
    TTestTree Tree;
    FailOn(Tree.Top() + "/", EACCES);
    TScanRun Run;
    QCOMPARE(Run.Scan(Tree.Top()), nullptr);
    QCOMPARE(Run.Driver.Roots(), nullptr);
    QCOMPARE(Run.Failures.size(), 1u);
    QCOMPARE(Run.Failures[0].first, EACCES);
  }

  void stopKeepsWhatWasCounted_data()
  {
    QTest::addColumn<int>("depth");  // of the chain of folders, a file each, above "stop-here"
    QTest::newRow("near the top") << 0;
    // Counts held by folders that gather for those above reach the top.
    QTest::newRow("deep") << 140;
  }
  void stopKeepsWhatWasCounted()
  {
    QFETCH(int, depth);
    TTestTree Tree;
    for (const std::string Name : {"a", "b", "c"}) {
      Tree.Folder(Name);
      for (int Index = 0; Index < 5; ++Index)
        Make(Tree, {Name + "/" + std::to_string(Index) + "/", Name + "/" + std::to_string(Index) + "/f 100"});
    }
    std::string Above = "b";
    for (int Level = 0; Level < depth; ++Level) {
      Above += "/k";
      Make(Tree, {Above + "/", Above + "/f 100"});
    }
    Make(Tree, {Above + "/stop-here/", Above + "/stop-here/own 5000", Above + "/stop-here/below/"});
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
    QVERIFY(Run.Finish());
    TFolderNode* Top = Root->FNode;
    TFolderNode* StopHere = At(Top, Above + "/stop-here");
    QVERIFY(StopHere);
    QCOMPARE(Run.StoppedScans, 1);
    // The folder being listed and every folder above it stay incomplete.
    QCOMPARE(Shape(StopHere), std::string("2/904/1 own 1 in 0"));
    QVERIFY(!Child(Top, "b")->Finished());
    QVERIFY(!Top->Finished());
    // What was counted stays: the own files of listed folders, and the finished folders.
    uint64_t Expected = 0;
    ForEachFolder(Top,
                  [&](TFolderNode* Node) { Expected += std::max<int64_t>(0, Node->OwnFiles()) + Node->Finished(); });
    QCOMPARE(Top->FObjects.Load(), Expected);
    QCOMPARE(TotalsProblem(Top), std::string());
  }

  // A branch update corrects the folders above to what a fresh scan counts.
  void branchUpdateCorrectsAncestors()
  {
    TTestTree Tree;
    Make(Tree, {"a/", "a/b/", "a/b/f 100", "a/other/"});
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Run.Driver.StartScan(Tree.Top() + "/"));
    QVERIFY(!Run.Update(Top));  // nothing happens while the root is scanned
    QVERIFY(Run.Finish());
    TFolderNode* B = At(Top, "a/b");
    Make(Tree, {"a/b/g 5000", "a/b/new/"});
    QVERIFY(Run.Update(B));
    QCOMPARE(B->ChildCount(), 2u);  // "new" and the "<Files>" entry
    QCOMPARE(B->Finished(), true);
    TScanRun Fresh;
    TFolderNode* FreshTop = Fresh.Scan(Tree.Top());
    QCOMPARE(Counts(Top), Counts(FreshTop));
    QCOMPARE(Counts(Child(Top, "a")), Counts(Child(FreshTop, "a")));
    QCOMPARE(Counts(B), Counts(At(FreshTop, "a/b")));
  }

  void descriptorsLetGo_data()
  {
    QTest::addColumn<bool>("swap");  // c1/c2 is replaced just before c100 is opened
    QTest::newRow("none kept") << false;
    QTest::newRow("a folder swapped") << true;
  }
  // Folders opened again by name are checked to be the ones listed: totals as if all
  // descriptors were kept, and a folder put in the place of one listed never entered.
  void descriptorsLetGo()
  {
    QFETCH(bool, swap);
    TTestTree Tree;
    std::string Chain;
    for (int Level = 1; Level <= 150; ++Level) {
      Chain += (Level == 1 ? "c" : "/c") + std::to_string(Level);
      Tree.Folder(Chain);
      const std::string Side = Chain + "/s" + std::to_string(Level);
      if (Level % 3 == 0)
        Make(Tree,
             {Side + "/", Side + "/f " + std::to_string(100 * Level), Chain + "/t" + std::to_string(Level) + "/"});
    }
    TScanRun Full;
    TFolderNode* Expected = Full.Scan(Tree.Top());
    QVERIFY(Expected);
    std::atomic<bool> Swapped{false};
    TDirectory::SetFailureInjector([&](const char* Name) {
      // Slow leaves keep their parents open while the chain goes on below.
      if (!swap && Name[0] == 't')
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      if (swap && std::string(Name) == "c100" && !Swapped.exchange(true)) {
        rename(Tree.Path("c1/c2").c_str(), Tree.Path("c1/old").c_str());
        mkdir(Tree.Path("c1/c2").c_str(), 0755);
        mkdir(Tree.Path("c1/c2/secret").c_str(), 0755);
        close(open(Tree.Path("c1/c2/secret/f").c_str(), O_CREAT | O_WRONLY, 0644));
      }
      return 0;
    });
    TScan2::SetDescriptorBudget(0);
    const auto Usual = qScopeGuard([] { TScan2::SetDescriptorBudget(-1); });
    const auto OpenDescriptors = [] {
      return QDir("/proc/self/fd", {}, QDir::NoSort, QDir::AllEntries | QDir::System).count();
    };
    const qsizetype Before = OpenDescriptors();
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    QVERIFY(Run.Failures.empty());
    QCOMPARE(OpenDescriptors(), Before);  // every one opened again is closed
    ForEachFolder(Top, [&](TFolderNode* Node) {
      QVERIFY(std::string(Node->FName) != "secret");
      if (!swap)
        QCOMPARE(Counts(Node), Counts(At(Expected, Node->PathBelowTop())));
    });
    // Below the old c2, read through descriptors held from before or given up.
    QCOMPARE(Swapped.load(), swap);
    if (swap)
      QVERIFY(Top->FObjects.Load() <= Expected->FObjects.Load());
  }

  void exportReadsAsTheScan_data()
  {
    QTest::addColumn<bool>("follow");
    QTest::addColumn<int>("unread");
    QTest::newRow("folder swapped for a link") << false << 1;
    QTest::newRow("link followed as the scan did") << true << 0;
  }
  // The export reads files again as the scan did: links followed only if they were, a
  // folder gone or changed told, past 64 levels from a folder opened again by name. "a/inner"
  // is swapped for a link between the scan and the export.
  void exportReadsAsTheScan()
  {
    QFETCH(bool, follow);
    QFETCH(int, unread);
    TTestTree Tree;
    Make(Tree, {"a/", "a/inner/", "a/inner/mine 10", "secret/", "secret/hidden 10"});
    std::string Chain = "a";
    for (int Level = 1; Level <= 100; ++Level) {
      Chain += "/c";
      Make(Tree, {Chain + "/", Chain + "/leaf/", Chain + "/leaf/f" + std::to_string(Level) + " 10"});
    }
    NextScan().FFollowReparsePoints = follow;
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Path("a"));
    QVERIFY(Top);
    QVERIFY(rename(Tree.Path("a/inner").c_str(), Tree.Path("moved").c_str()) == 0);
    Tree.Link("a/inner", "../secret");
    TNcduExport::TUnread Unread{99, 99};
    const QByteArray Text = Export(Top, &Unread);
    QCOMPARE(int(Unread.Changed), unread);
    QCOMPARE(int(Unread.NoDescriptors), 0);
    QCOMPARE(Text.contains("\"hidden\""), follow);
    QVERIFY(!Text.contains("\"mine\""));
    QCOMPARE(Text.count("\"read_error\""), qsizetype(unread));
    for (int Level = 1; Level <= 100; ++Level)
      QVERIFY2(Text.contains("\"f" + QByteArray::number(Level) + "\""), qPrintable(QString::number(Level)));
  }

  // A rule is a name, or a path (a star spans folders) from the top or ending after a slash.
  void excludePatterns()
  {
    const std::tuple<const char*, const char*, const char*, bool> Cases[] = {
      {"*.o", "", "F.O", false},
      {"b*o", "b/", "x.o", false},
      {"[ab].txt", "", "b.txt", true},
      {"b/build", "b/", "build", true},
      {"build/*.tmp", "c/d/build/", "x.tmp", true},
      {"uild/*.tmp", "c/build/", "x.tmp", false},
      {"c/*.tmp", "c/d/build/", "x.tmp", true},
      {"  ", "", "x", false}};
    for (const auto& [Pattern, Below, Name, Excluded] : Cases) {
      TExcludeRules Rules;
      Rules.AddLines("\n" + std::string(Pattern) + "\r\n");
      QCOMPARE(Rules.Empty(), QString(Pattern).trimmed().isEmpty());
      QVERIFY2(Rules.Excludes(Below, Name) == Excluded, Pattern);
    }
  }

  // A path rule matched as the walk goes down, a name at a time, says what
  // fnmatch says of the whole path and of each end of it after a "/", for
  // stars, question marks, brackets (ranges, negations, classes, "]" first),
  // escapes and a "[" left open.
  void excludeMatchesFnmatch()
  {
    const char* const Patterns[] = {"*/zz",  "a/*b",       "x?/y", "[ab]/c", "[!a]*/d", "[]a]/*",  "*/[[:digit:]]*",
                                    "\\*/x", "[a-c]?/*z*", "a[/b", "*/*/*",  "b/*[^x]", "c/\\[d]", "*a*/*b*/*c"};
    const char* const Names[] = {"a", "b", "zz", "x1", "y", "c", "d", "]", "9q", "*", "xz", "[d]", "a[", "ab"};
    std::mt19937 Random(7);
    for (const char* Pattern : Patterns) {
      TExcludeRules Rules;
      Rules.Add(Pattern);
      for (int Trial = 0; Trial < 400; ++Trial) {
        std::string Below;
        for (int Level = int(Random() % 5); Level > 0; --Level)
          Below += std::string(Names[Random() % std::size(Names)]) + "/";
        const std::string Name = Names[Random() % std::size(Names)], Path = Below + Name;
        bool Expected = false;
        for (size_t Tail = 0; Tail != std::string::npos && !Expected; Tail = Path.find('/', Tail)) {
          Tail += Tail > 0;
          Expected = fnmatch(Pattern, Path.c_str() + Tail, 0) == 0;
        }
        // Down the walk a name at a time, or from the path at once.
        TExcludeRules::TState State = Rules.Start();
        for (size_t Start = 0, End; (End = Below.find('/', Start)) != std::string::npos; Start = End + 1)
          State = Rules.Below(State, std::string_view(Below).substr(Start, End - Start));
        QVERIFY2(Rules.Excludes(State, Name.c_str()) == Expected,
                 qPrintable(QString("%1 on %2").arg(Pattern, QString::fromStdString(Path))));
        QCOMPARE(Rules.Excludes(Below, Name.c_str()), Expected);
      }
    }
  }

  // What the rules leave out is not in the tree, the totals nor the listing; the scan counts it.
  void excludedFromScan()
  {
    TTestTree Tree;
    Make(
      Tree,
      {"a/", "a/.cache/", "a/.cache/deep/", "a/.cache/deep/big 50000", "a/f.o 100", "a/f.c 100", "b/", "b/build/",
       "b/build/x.tmp 100", "b/build/x.log 100", "c/", "c/build/", "c/build/y.tmp 100", "c/keep/", "c/keep/z.tmp 100"});
    NextScan().FExclude.AddLines(".cache\n*.o\nbuild/*.tmp\n");
    TScanRun Run;
    TFolderNode* Top = Run.Scan(Tree.Top());
    QVERIFY(Top);
    QCOMPARE(Child(Child(Top, "a"), ".cache"), nullptr);
    // Folders: top, a, b, b/build, c, c/build, c/keep; files: f.c, x.log, z.tmp.
    QCOMPARE(Top->FObjects.Load(), 10u);
    QCOMPARE(Top->SizeBytes(), 300u);
    QCOMPARE(Run.Counted.FExcluded, 4u);  // .cache, f.o, x.tmp, y.tmp
    QCOMPARE(Run.Counted.FFiles, 3u);
    const QByteArray Text = Export(Top);  // marked as ncdu marks them
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
    for (; Node->ChildCount() == 1; ++Levels)
      Node = Node->Child(0);
    QCOMPARE(Levels, Depth);
    QVERIFY(Top->Finished() && Node->Finished());
    QVERIFY(Node->FullPath().size() > 6 * 4096);
    // Its deepest branch, updated by itself, is opened through its path.
    TFolderNode* Branch = Node->Parent();
    QVERIFY(Run.Update(Branch));
    QVERIFY(Run.Failures.empty());
    QCOMPARE(Branch->ChildCount(), 1u);
    QCOMPARE(Top->FObjects.Load(), uint64_t(Depth + 1));
  }

  // Names are kept as the bytes listed (here the longest, not UTF-8), side by side with their siblings'.
  void oddNames()
  {
    const std::string Folder(255, '\xe9');
    TTestTree Tree;
    Make(Tree,
         {Folder + "/", Folder + "/\xff\xfe.bin 100", Folder + "/" + Folder + "/",
          Folder + "/" + std::string(200, 's') + "/", "a/"});
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
      QVERIFY(Run.Update(Node));  // makes its children anew
    }
  }

  void awaitAfterAPartialDrain()
  {
    TTestTree Tree;
    for (int Index = 0; Index < 50; ++Index)
      Tree.Folder(std::to_string(Index));
    THold Hold("7");  // until the partial drain has happened
    TScanRun Run;
    QVERIFY(Run.Driver.StartScan(Tree.Top()));
    TRoot* Root = Run.Driver.Roots();
    const bool Held = Hold.Reached();
    // A drain whose time is up takes the results in hand, applies none; the walk's end follows.
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
    QVERIFY(Run.Finish());
    QCOMPARE(Root->FNode->ChildCount(), 50u);
    Run.Driver.PruneSmallFolders(Root->FNode, vtSize, 1000);
    QCOMPARE(Root->FNode->ChildCount(), 0u);
  }

  void removeWhileScanning()
  {
    TTestTree Tree;
    for (int Index = 0; Index < 200; ++Index)
      Make(Tree, {std::to_string(Index) + "/", std::to_string(Index) + "/f 10"});
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
