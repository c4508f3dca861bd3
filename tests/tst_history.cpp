// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "history/SnapshotFile.h"
#include "scan/Baseline.h"
#include "scan/FolderSnapshot.h"
#include "scan/Root.h"
#include "scan/ScanSettings.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"

#include <QTest>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>
#include <tuple>

#include <pwd.h>
#include <sys/stat.h>

namespace {

// A snapshot of Root taken at Time, its folders as "path:size" (allocated
// twice the size, objects the size's last digit).
TFolderSnapshot Made(const std::string& Root, int64_t Time, const QStringList& Folders)
{
  TFolderSnapshot Snapshot;
  Snapshot.FHeader.Root = Root;
  Snapshot.FHeader.Time = Time;
  Snapshot.FHeader.Host = "host";
  Snapshot.FHeader.ClusterSize = 4096;
  Snapshot.FHeader.Options = "hard-links=once";
  for (const QString& Folder : Folders) {
    const qsizetype Colon = Folder.lastIndexOf(':');
    const uint64_t Size = Folder.mid(Colon + 1).toULongLong();
    Snapshot.FFolders.push_back(
      {Folder.left(Colon).toStdString(), Size, 2 * Size, Size % 10, int64_t(Size % 3) - 1, 1700000000 + int64_t(Size)});
  }
  Snapshot.FHeader.Folders = Snapshot.FFolders.size();
  Snapshot.FHeader.Size = Snapshot.FFolders.empty() ? 0 : Snapshot.FFolders.front().Size;
  return Snapshot;
}

std::string Written(const TFolderSnapshot& Snapshot, const std::string& File)
{
  std::FILE* Stream = std::fopen(File.c_str(), "wb");
  if (!Stream || !Snapshot.Write(Stream))
    return {};
  std::fclose(Stream);
  std::ifstream In(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

void Put(const std::string& File, const std::string& Bytes)
{
  std::ofstream(File, std::ios::binary | std::ios::trunc).write(Bytes.data(), std::streamsize(Bytes.size()));
}

// Each folder as "path:size:allocated:objects:files:change", its path's
// bytes as they are.
QStringList Lines(const TFolderSnapshot& Snapshot)
{
  QStringList Lines;
  for (const TFolderSnapshot::TFolder& Folder : Snapshot.FFolders)
    Lines << QString("%1:%2:%3:%4:%5:%6")
               .arg(QString::fromLatin1(Folder.Path))
               .arg(Folder.Size)
               .arg(Folder.Allocated)
               .arg(Folder.Objects)
               .arg(Folder.Files)
               .arg(Folder.LastChange);
  return Lines;
}

QStringList Rows(const TSnapshotCompare& Compare)
{
  QStringList Rows;
  for (const TSnapshotCompare::TRow& Row : Compare.Rows())
    Rows << QString("%1:%2:%3")
              .arg(QString::fromStdString((Row.Now ? Row.Now : Row.Before)->Path),
                   TSnapshotCompare::StateName(Row.Verdict))
              .arg(Row.Change);
  return Rows;
}

}  // namespace

class THistoryTest : public QObject {
  Q_OBJECT

private slots:
  // Written and read back whole: names of any bytes, paths sharing their
  // beginnings or not, unknown counts and times. Cut short at any byte,
  // damaged anywhere in its rows, of a newer format or of something else,
  // it is refused with a reason; the header alone reads once it is whole.
  void writtenAndRead()
  {
    TTestTree Tree;
    QStringList Folders{
      ":900", "a:500", "a/b:300", "a/b c:1", "a-b:2", "\xff\x01:7", "a/b/deep/er/still/deeper:0", "z\nz:12345678901"};
    for (int Folder = 0; Folder < 200; ++Folder)
      Folders << QString("f%1/sub:%2").arg(Folder).arg(Folder * 7919);
    TFolderSnapshot Snapshot = Made("/data/", 1765000000, Folders);
    Snapshot.FFolders[2].LastChange = 0;
    const std::string File = Tree.Path("s.snap");
    const std::string Whole = Written(Snapshot, File);
    TFolderSnapshot Read;
    std::string Error;
    QVERIFY2(TFolderSnapshot::Read(File, Read, Error), Error.c_str());
    QCOMPARE(std::tie(Read.FHeader.Root, Read.FHeader.Time, Read.FHeader.Host, Read.FHeader.Options),
             std::tie(Snapshot.FHeader.Root, Snapshot.FHeader.Time, Snapshot.FHeader.Host, Snapshot.FHeader.Options));
    QCOMPARE(std::pair(Read.FHeader.ClusterSize, Read.FHeader.Folders), std::pair(4096u, uint64_t(208)));
    QCOMPARE(Lines(Read), Lines(Snapshot));
    const size_t HeaderEnd = 16 + (uint8_t(Whole[12]) | uint8_t(Whole[13]) << 8);
    for (size_t Length = 0; Length < Whole.size(); ++Length) {
      Put(File, Whole.substr(0, Length));
      QVERIFY2(!TFolderSnapshot::Read(File, Read, Error), qPrintable(QString::number(Length)));
      QVERIFY(!Error.empty());
      QCOMPARE(TFolderSnapshot::Read(File, Read, Error, true), Length >= HeaderEnd);
    }
    // A damaged byte is refused, unless the bytes read are the same.
    int Refused = 0;
    for (size_t At = HeaderEnd; At < Whole.size(); At += 7) {
      std::string Damaged = Whole;
      Damaged[At] = char(Damaged[At] ^ 0x20);
      Put(File, Damaged);
      if (!TFolderSnapshot::Read(File, Read, Error)) {
        ++Refused;
        continue;
      }
      QCOMPARE(Lines(Read), Lines(Snapshot));
    }
    QVERIFY(Refused > int(Whole.size() - HeaderEnd) / 7 * 9 / 10);
    std::string Newer = Whole;
    Newer[8] = char(TFolderSnapshot::Format + 1);
    Put(File, Newer);
    QVERIFY(!TFolderSnapshot::Read(File, Read, Error, true));
    QVERIFY2(Error.find("newer version") != std::string::npos, Error.c_str());
    // A header that counts other folders than the rows hold.
    ++Snapshot.FHeader.Folders;
    Written(Snapshot, File);
    QVERIFY(!TFolderSnapshot::Read(File, Read, Error));
    QCOMPARE(Error, std::string("damaged"));
    Put(File, "[1,2,{\"progname\":\"ncdu\"}]");
    QVERIFY(!TFolderSnapshot::Read(File, Read, Error));
    QCOMPARE(Error, std::string("not a snapshot of Spacelens"));
  }

  // A table of megabytes, packed a part at a time, reads back whole.
  void largeTable()
  {
    TTestTree Tree;
    QStringList Folders{":1"};
    for (int Folder = 0; Folder < 70000; ++Folder)
      Folders << QString("d%1/e%2:%3").arg(Folder % 97).arg(Folder).arg(uint64_t(Folder) * 2654435761u);
    const TFolderSnapshot Snapshot = Made("/big/", 1765000000, Folders);
    const std::string File = Tree.Path("big.snap");
    QVERIFY(Written(Snapshot, File).size() > 100000);
    TFolderSnapshot Read;
    std::string Error;
    QVERIFY2(TFolderSnapshot::Read(File, Read, Error), Error.c_str());
    QCOMPARE(Lines(Read), Lines(Snapshot));
  }

  // A table keeps whole paths: a tree nested so deep that they would take
  // memory as its folders times its depth is neither remembered nor read,
  // with a reason. Its folders still know their root at any depth.
  void deepTrees_data()
  {
    QTest::addColumn<int>("Levels");
    QTest::addColumn<bool>("Kept");
    QTest::newRow("paths of 9 MB") << 300 << true;
    QTest::newRow("paths of 25 MB") << 500 << false;
  }
  void deepTrees()
  {
    QFETCH(int, Levels);
    QFETCH(bool, Kept);
    TTestTree Tree;
    TTreeFixture Deep(4096);
    TFolderNode* Node = Deep.Top;
    const std::string Name(200, 'n');
    for (int Level = 0; Level < Levels; ++Level)
      Node = Deep.Add(Node, Name, 1, 1, 1);
    const TFolderNode Row(Node);  // a file row of the details list
    QCOMPARE(std::pair(Node->Root(), Row.Root()), std::pair(&Deep.Root, &Deep.Root));
    const TFolderSnapshot Snapshot = TFolderSnapshot::Of(Deep.Top, {}, 1765000000);
    QCOMPARE(Snapshot.FFolders.size(), Kept ? size_t(Levels + 1) : 0);
    QCOMPARE(Snapshot.FRefusal.find("nested too deep to keep") != std::string::npos, !Kept);
    THistoryStore Store(Tree.Path("cache"));
    std::string Error;
    QCOMPARE(Store.Remember(Snapshot, Error), Kept);
    QCOMPARE(Error, Snapshot.FRefusal);
    QCOMPARE(Store.Of(Snapshot.FHeader.Root).size(), size_t(Kept));
    // Written by hand, its rows' paths growing by a name each.
    TFolderSnapshot ByHand = Made("/deep/", 1765000000, {":1"});
    for (std::string Path = Name; ByHand.FFolders.size() <= size_t(Levels); Path += '/' + Name)
      ByHand.FFolders.push_back({Path, 1, 1, 1, 0, 0});
    ByHand.FHeader.Folders = ByHand.FFolders.size();
    const std::string File = Tree.Path("deep.snap");
    Written(ByHand, File);
    TFolderSnapshot Read;
    QCOMPARE(TFolderSnapshot::Read(File, Read, Error), Kept);
    if (Kept)
      QCOMPARE(Read.FFolders.size(), size_t(Levels + 1));
    else
      QCOMPARE(Error, std::string("its folders are nested too deep to read"));
  }

  // The last ones of each root are kept, the last written first; over the
  // cap the first written of all go, the last staying whatever its size.
  void storeKeepsTheLast()
  {
    TTestTree Tree;
    THistoryStore Store(Tree.Path("cache"));
    Store.FKeep = 3;
    std::string Error;
    for (int Time : {1, 2, 3, 4, 5, 10, 11})
      QVERIFY2(Store.Remember(Made(Time < 10 ? "/a/" : "/b/", Time, {":1"}), Error), Error.c_str());
    const auto Times = [](const std::vector<THistoryStore::TEntry>& Entries) {
      QList<int64_t> Times;
      for (const THistoryStore::TEntry& Entry : Entries)
        Times << Entry.Header.Time;
      return Times;
    };
    QCOMPARE(Times(Store.Of("/a/")), (QList<int64_t>{5, 4, 3}));
    QCOMPARE(Times(Store.Of("/b/")), (QList<int64_t>{11, 10}));
    QCOMPARE(Times(Store.All()), (QList<int64_t>{11, 10, 5, 4, 3}));
    QVERIFY(Store.Of("/c/").empty());
    // Room for two: the first written of all go first.
    const uint64_t One = Store.All().front().Bytes;
    Store.FMostBytes = 2 * One + One / 2;
    QVERIFY(Store.Remember(Made("/a/", 6, {":1"}), Error));
    QCOMPARE(Times(Store.All()), (QList<int64_t>{6, 11}));
    Store.FMostBytes = 1;
    QVERIFY(Store.Remember(Made("/b/", 12, {":2"}), Error));
    QCOMPARE(Times(Store.All()), (QList<int64_t>{12}));
    // Nothing but whole snapshots in the folder.
    for (const auto& Item : std::filesystem::recursive_directory_iterator(Tree.Path("cache")))
      QVERIFY2(Item.is_directory() || Item.path().string().ends_with(".snap"), Item.path().c_str());
    QVERIFY(Store.ForgetAll(Error));
    QVERIFY(Store.All().empty());
  }

  // Two writers of the same root at once: every snapshot whole, the last
  // ones kept.
  void writersAtOnce()
  {
    TTestTree Tree;
    QStringList Folders{":5"};
    for (int Folder = 0; Folder < 2000; ++Folder)
      Folders << QString("d%1:%2").arg(Folder).arg(Folder);
    const TFolderSnapshot Snapshot = Made("/same/", 7, Folders);
    std::atomic<int> Failed{0};
    const auto Writer = [&] {
      THistoryStore Store(Tree.Path("cache"));
      Store.FKeep = 4;
      std::string Error;
      for (int Time = 0; Time < 15; ++Time)
        if (!Store.Remember(Snapshot, Error))
          ++Failed;
    };
    std::thread First(Writer), Second(Writer);
    First.join();
    Second.join();
    QCOMPARE(Failed.load(), 0);
    THistoryStore Store(Tree.Path("cache"));
    const std::vector<THistoryStore::TEntry> Kept = Store.Of("/same/");
    QVERIFY(Kept.size() >= 4 && Kept.size() <= 6);
    for (const THistoryStore::TEntry& Entry : Kept) {
      TFolderSnapshot Read;
      std::string Error;
      QVERIFY2(TFolderSnapshot::Read(Entry.File, Read, Error), Error.c_str());
      QCOMPARE(Read.FFolders.size(), size_t(2001));
    }
  }

  // Every folder of now with its state and change, then those gone.
  void compares()
  {
    const TFolderSnapshot Before =
      Made("/r/", 1, {":1000", "grown:100", "same:50", "gone:200", "gone/deep:20", "emptied:300", "old-name:40"});
    const TFolderSnapshot Now =
      Made("/r/", 2, {":1350", "grown:600", "same:50", "emptied:0", "new-name:40", "added:400", "added/x:10"});
    const TSnapshotCompare Compare(Before, Now, TChangeMeasure(vtSize));
    QCOMPARE(
      Rows(Compare),
      (QStringList{":changed:350", "grown:changed:500", "same:same:0", "emptied:changed:-300", "new-name:new:40",
                   "added:new:400", "added/x:new:10", "gone:gone:-200", "gone/deep:gone:-20", "old-name:gone:-40"}));
    // In another measure, only that measure: the space allocated is twice
    // the size here, the objects the size's last digit, which none changed.
    QCOMPARE(
      Rows(TSnapshotCompare(Before, Now, TChangeMeasure(vtPercent))),
      (QStringList{":changed:700", "grown:changed:1000", "same:same:0", "emptied:changed:-600", "new-name:new:80",
                   "added:new:800", "added/x:new:20", "gone:gone:-400", "gone/deep:gone:-40", "old-name:gone:-80"}));
    QCOMPARE(Rows(TSnapshotCompare(Before, Now, TChangeMeasure(vtObjects))),
             (QStringList{":same:0", "grown:same:0", "same:same:0", "emptied:same:0", "new-name:new:0", "added:new:0",
                          "added/x:new:0", "gone:gone:0", "gone/deep:gone:0", "old-name:gone:0"}));
    QStringList Grown;
    for (const TSnapshotCompare::TRow* Row : Compare.Grown(3))
      Grown << QString::fromStdString(Row->Now->Path);
    QCOMPARE(Grown, (QStringList{"grown", "added", ""}));
    QVERIFY(Compare.Warning().empty());
    TFolderSnapshot Other = Now;
    Other.FHeader.Options = "hard-links=each";
    Other.FHeader.ClusterSize = 512;
    std::string Warning = TSnapshotCompare(Before, Other, TChangeMeasure(vtSize)).Warning();
    QVERIFY2(Warning.find("hard-links=each") != std::string::npos && Warning.find("512") != std::string::npos,
             Warning.c_str());
    // An export's cluster size is not known: no warning of it.
    TFolderSnapshot Export = Before;
    Export.FHeader.ClusterSize = 0;
    QVERIFY(TSnapshotCompare(Export, Now, TChangeMeasure(vtSize)).Warning().empty());
    Other = Now;
    Other.FHeader.Root = "/elsewhere/";
    Warning = TSnapshotCompare(Before, Other, TChangeMeasure(vtSize)).Warning();
    QVERIFY2(Warning.find("another folder, /r/") != std::string::npos, Warning.c_str());
  }

  // A CSV folder table read as the scan before: its columns found by name,
  // quoted paths, the top of Root among several, rows of folders gone
  // passed over; a damaged or cut short table refused, telling where.
  void csvTables_data()
  {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("folders");  // "path:size:allocated:objects:files:change", or "!error"
    const QByteArray Header = "path,clusters,objects,own_files,size_bytes,allocated_bytes,last_write\n";
    QTest::newRow("plain") << Header + "/t/,3,4,1,9000,12288,2026-01-02T03:04:05Z\n/t/a/,1,1,0,100,4096,\n"
                           << QStringList{":9000:12288:4:1:1767323045", "a:100:4096:1:0:0"};
    QTest::newRow("quoted names") << Header
        + "/t/,1,1,0,5,4096,\n\"/t/a,b\"\"c\nd/\",1,1,0,5,4096,\n\"/t/x\"\"y/\",0,0,0,0,0,\n"
                                  << QStringList{":5:4096:1:0:0", "a,b\"c\nd:5:4096:1:0:0", "x\"y:0:0:0:0:0"};
    QTest::newRow("other columns, other order")
      << QByteArray("size_bytes,extra,path,allocated_bytes\n7,x,/t/,8\n3,,/t/q/,4\n")
      << QStringList{":7:8:0:-1:0", "q:3:4:0:-1:0"};
    QTest::newRow("several tops: Root's")
      << Header + "/a/,1,1,0,1,1,\n/a/x/,1,1,0,1,1,\n/t/,1,1,0,2,2,\n/t/y/,1,1,0,2,2,\n/u/,1,1,0,3,3,\n"
      << QStringList{":2:2:1:0:0", "y:2:2:1:0:0"};
    QTest::newRow("several tops, none Root's: the first")
      << Header + "/a/,1,1,0,1,1,\n/a/x/,1,1,0,1,1,\n/b/,1,1,0,2,2,\n"
      << QStringList{":1:1:1:0:0", "x:1:1:1:0:0"};
    QTest::newRow("folders gone of an exported comparison")
      << QByteArray("path,size_bytes,allocated_bytes,before_size_bytes\n/t/,5,5,4\n/t/old/,,,9\n")
      << QStringList{":5:5:0:-1:0"};
    QTest::newRow("nested tops: Root's inside the first")
      << Header + "/,1,1,0,9,9,\n/t/,1,1,0,2,2,\n/t/y/,1,1,0,2,2,\n/u/,1,1,0,3,3,\n/t/,1,1,0,2,2,\n/t/y/,1,1,0,2,2,\n"
      << QStringList{":2:2:1:0:0", "y:2:2:1:0:0"};
    QTest::newRow("a table of files") << QByteArray("path,size_bytes,allocated_bytes\n/t/a.txt,5,8\n")
                                      << QStringList{"!no folder"};
    QTest::newRow("empty") << QByteArray() << QStringList{"!it is empty"};
    QTest::newRow("header alone") << Header << QStringList{"!holds no folder"};
    QTest::newRow("no table") << QByteArray("\x89PNG\r\n\x1a\n") << QStringList{"!not a snapshot, an ncdu"};
    QTest::newRow("line short") << Header + "/t/,1,1,0,5,4096,\n/t/a/,1,1,0\n" << QStringList{"!row 3 has 4 fields"};
    QTest::newRow("last line cut") << Header + "/t/,1,1,0,5,4096,2026-01-0" << QStringList{"!cut short"};
    QTest::newRow("cut in quotes") << Header + "\"/t/,1,1,0,5,4096,\n" << QStringList{"!cut short"};
    QTest::newRow("not a number") << Header + "/t/,1,1,0,5x,4096,\n" << QStringList{"!row 2 has \"5x\""};
    QTest::newRow("quote in a bare field") << Header + "/t/,1,1,0,5,4096,\n/t/a\"b/,1,1,0,5,4096,\n"
                                           << QStringList{"!row 3 is no CSV"};
  }
  void csvTables()
  {
    QFETCH(QByteArray, table);
    QFETCH(QStringList, folders);
    TTestTree Tree;
    const std::string File = Tree.Path("table.csv");
    Put(File, table.toStdString());
    TFolderSnapshot Snapshot;
    std::string Error;
    const bool Read = TSnapshotFile::Read(File, "/t/", TScanSettings(), Snapshot, Error);
    if (folders.front().startsWith('!')) {
      QVERIFY(!Read);
      QVERIFY2(QString::fromStdString(Error).contains(folders.front().mid(1)), Error.c_str());
      return;
    }
    QVERIFY2(Read, Error.c_str());
    QCOMPARE(Lines(Snapshot), folders);
    QCOMPARE(Snapshot.FHeader.Folders, uint64_t(folders.size()));
    QCOMPARE(Snapshot.FHeader.Size, Snapshot.FFolders.front().Size);
    // As of the file's last change.
    QVERIFY(std::abs(Snapshot.FHeader.Time - int64_t(std::time(nullptr))) < 100);
  }

  // Only a regular file is read: a pipe would hold the reader.
  void pipeRefused()
  {
    TTestTree Tree;
    const std::string Pipe = Tree.Path("pipe");
    QCOMPARE(mkfifo(Pipe.c_str(), 0600), 0);
    TFolderSnapshot Snapshot;
    std::string Error;
    QVERIFY(!TSnapshotFile::Read(Pipe, "/t/", TScanSettings(), Snapshot, Error));
    QCOMPARE(Error, std::string("it is not a regular file"));
    QVERIFY(!TSnapshotFile::Read(Tree.Path("none"), "/t/", TScanSettings(), Snapshot, Error));
    QCOMPARE(Error, std::string(std::strerror(ENOENT)));
  }

  // Scans dated later than now (a clock set back since) never push out the
  // one written after them, which is the last, and says so.
  void futureDates()
  {
    TTestTree Tree;
    THistoryStore Store(Tree.Path("cache/spacelens"));
    Store.FKeep = 3;
    const int64_t Now = std::time(nullptr);
    std::string Error, Warning;
    for (int Day = 1; Day <= 5; ++Day)
      QVERIFY2(Store.Remember(Made("/f/", Now + 30 * 86400 + Day, {":1"}), Error, &Warning), Error.c_str());
    QVERIFY(Warning.empty());
    QVERIFY2(Store.Remember(Made("/f/", Now, {":5"}), Error, &Warning), Error.c_str());
    QVERIFY2(Warning.starts_with("3 scans of /f/ remembered before are dated later than now"), Warning.c_str());
    const std::vector<THistoryStore::TEntry> Kept = Store.Of("/f/");
    QCOMPARE(Kept.size(), size_t(3));
    QCOMPARE(Kept.front().Header.Time, Now);
    QCOMPARE(Kept[1].Header.Time, Now + 30 * 86400 + 5);
    // One written by a clock far ahead: the ones after still come after it,
    // each after the other, whatever their dates.
    const std::string Ahead = std::regex_replace(Kept.front().File, std::regex("-[0-9]{19}-"), "-8000000000000000000-");
    QCOMPARE(rename(Kept.front().File.c_str(), Ahead.c_str()), 0);
    for (int Later : {3, 2, 1})
      QVERIFY2(Store.Remember(Made("/f/", Now + Later, {":1"}), Error, &Warning), Error.c_str());
    QList<int64_t> Times;
    for (const THistoryStore::TEntry& Entry : Store.Of("/f/"))
      Times << Entry.Header.Time - Now;
    QCOMPARE(Times, (QList<int64_t>{1, 2, 3}));
  }

  // The cache folder: where the user says, else in the home, the one the
  // password database knows when none is set (a service, cron, env -i).
  void defaultFolder_data()
  {
    QTest::addColumn<QByteArray>("cache");   // XDG_CACHE_HOME; "-" for none
    QTest::addColumn<QByteArray>("home");    // HOME; "-" for none
    QTest::addColumn<QByteArray>("folder");  // PASSWD for the home of the password database
    QTest::newRow("as the user says") << QByteArray("/x/cache") << QByteArray("/x/home")
                                      << QByteArray("/x/cache/spacelens");
    QTest::newRow("in the home") << QByteArray("-") << QByteArray("/tmp") << QByteArray("/tmp/.cache/spacelens");
    QTest::newRow("a relative one is none")
      << QByteArray("cache") << QByteArray("/tmp") << QByteArray("/tmp/.cache/spacelens");
    QTest::newRow("no home set") << QByteArray("-") << QByteArray("-") << QByteArray("PASSWD");
    QTest::newRow("an empty home") << QByteArray("-") << QByteArray("") << QByteArray("PASSWD");
  }
  void defaultFolder()
  {
    QFETCH(QByteArray, cache);
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, folder);
    const QByteArray OldCache = qgetenv("XDG_CACHE_HOME"), OldHome = qgetenv("HOME");
    const auto Restore = qScopeGuard([&] {
      qputenv("XDG_CACHE_HOME", OldCache);
      qputenv("HOME", OldHome);
    });
    const auto Set = [](const char* Name, const QByteArray& Value) {
      if (Value == "-")
        qunsetenv(Name);
      else
        qputenv(Name, Value);
    };
    Set("XDG_CACHE_HOME", cache);
    Set("HOME", home);
    if (folder == "PASSWD") {
      const passwd* User = getpwuid(geteuid());
      struct stat Data;
      if (!User || stat(User->pw_dir, &Data) != 0 || !S_ISDIR(Data.st_mode) || std::string(User->pw_dir) == "/")
        QSKIP("the user's home in the password database is no folder");
      folder = QByteArray(User->pw_dir) + "/.cache/spacelens";
    }
    QCOMPARE(QByteArray::fromStdString(THistoryStore::DefaultFolder()), folder);
  }

  // What a root's scans are remembered under: a remote folder by its host
  // and path, an imported scan apart from this machine's folder.
  void rootNames()
  {
    TRoot Root;
    Root.FPath = "/srv/";
    QCOMPARE(THistoryStore::RootOf(Root), std::string("/srv/"));
    Root.FSource = "/home/me/web1.json";
    QCOMPARE(THistoryStore::RootOf(Root), std::string("imported /srv/"));
    Root.FSource = "ssh://web1/srv";
    Root.FPath = "web1:/srv/";
    QCOMPARE(THistoryStore::RootOf(Root), std::string("web1:/srv/"));
  }

  // The window's tree against the scan before, in any order it was kept:
  // each folder's change and state, the folders gone below each, nothing
  // for another root's folders or a "<Files>" entry.
  void baselineFollowsTheTree()
  {
    const TFolderSnapshot Before = Made(
      "/top/", 100,
      {"same/old:50", "gone/deep:100", "shrunk:9000", ":90000", "same/inner:7", "grown:1000", "gone:500", "same:4106"});
    TTreeFixture Now(4096);
    TTreeFixture::Set(Now.Top, 20, 0, 1);                       // 77824 bytes
    TFolderNode* Grown = Now.Add(Now.Top, "grown", 3, 100, 1);  // 8292
    TFolderNode* Same = Now.Add(Now.Top, "same", 2, 10, 1);     // 4106
    TFolderNode* Inner = Now.Add(Same, "inner", 1, 7, 1);       // 7
    TFolderNode* Shrunk = Now.Add(Now.Top, "shrunk", 2, 0, 1);  // 4096
    TFolderNode* Added = Now.Add(Now.Top, "new", 2, 1, 1);      // 4097
    TFolderNode* Files = Now.Add(Now.Top, "", 1, 1, 1);
    Files->FIsFiles = true;
    TTreeFixture Other(4096);
    Other.Top->SetName("/other");
    TFolderNode* Elsewhere = Other.Add(Other.Top, "grown", 1, 1, 1);
    const TBaseline Baseline(Before, "/top/");

    const TChangeMeasure BySize(vtSize), ByAllocated(vtAllocated);
    using V = TChangeMeasure::TVerdict;
    const struct {
      const TFolderNode* Node;
      bool Compared;
      V Verdict;  // by size
      int64_t Size;
      int64_t SizeThen;
    } Expected[] = {{Now.Top, true, V::cvShrunk, -12176, 90000},
                    {Grown, true, V::cvGrown, 7292, 1000},
                    {Same, true, V::cvSame, 0, 4106},
                    {Inner, true, V::cvSame, 0, 7},
                    {Shrunk, true, V::cvShrunk, -4904, 9000},
                    {Added, true, V::cvNew, 4097, -1},
                    {Files, false, V::cvSame, 0, -1},
                    {Elsewhere, false, V::cvSame, 0, -1},
                    {Other.Top, false, V::cvSame, 0, -1}};
    for (const auto& Row : Expected) {
      const TBaseline::TChange Change = Baseline.Of(Row.Node);
      const QByteArray Name = QByteArray::fromStdString(Row.Node->FullPath());
      QVERIFY2(Change.Compared == Row.Compared, Name);
      QVERIFY2(Change.Verdict(BySize) == Row.Verdict, Name);
      QVERIFY2(Change.Grown(BySize) == Row.Size, Name + " " + QByteArray::number(qlonglong(Change.Grown(BySize))));
      QVERIFY2((Change.Before ? int64_t(Change.Before->Size) : -1) == Row.SizeThen, Name);
      if (Change.Before)
        QVERIFY2(Change.Grown(ByAllocated) == int64_t(Row.Node->AllocatedBytes()) - 2 * Row.SizeThen, Name);
    }
    const auto Gone = [&](const TFolderNode* Node) {
      QStringList Names;
      for (const TFolderSnapshot::TFolder* Folder : Baseline.GoneBelow(Node))
        Names << QString::fromStdString(std::string(TBaseline::NameOf(*Folder)));
      return Names;
    };
    QCOMPARE(Gone(Now.Top), QStringList{"gone"});
    QCOMPARE(Gone(Same), QStringList{"old"});
    QCOMPARE(Gone(Added), QStringList{});
    QCOMPARE(Gone(Other.Top), QStringList{});
    // A path met twice (a table holding another) is one folder.
    const TBaseline Twice(Made("/top/", 100, {":9", "same:1", "same:1", "gone:2"}), "/top/");
    QCOMPARE(Twice.GoneBelow(Now.Top).size(), size_t(1));
    // A folder gone from the window's tree is gone from the comparison.
    Now.Tree.DeleteNode(Same);
    QCOMPARE(Gone(Now.Top), (QStringList{"gone", "same"}));
  }
};

QTEST_GUILESS_MAIN(THistoryTest)
#include "tst_history.moc"
