// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "history/SnapshotFile.h"
#include "scan/Baseline.h"
#include "scan/FolderSnapshot.h"
#include "scan/Root.h"
#include "scan/ScanSettings.h"
#include "scan/SnapshotBuilder.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"

#include <QTest>

#include <zstd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <thread>
#include <tuple>

#include <pwd.h>
#include <sys/stat.h>

namespace {

// A snapshot of Root taken at Time, its folders as "path:size" (allocated
// twice the size, objects the size's last digit), in any order.
TFolderSnapshot Made(const std::string& Root, int64_t Time, const QStringList& Folders)
{
  TFolderSnapshot Snapshot;
  Snapshot.FHeader.Root = Root;
  Snapshot.FHeader.Time = Time;
  Snapshot.FHeader.Host = "host";
  Snapshot.FHeader.ClusterSize = 4096;
  Snapshot.FHeader.Options = "hard-links=once";
  // Parents first: by depth.
  std::vector<std::pair<std::string, uint64_t>> Sorted;
  for (const QString& Folder : Folders) {
    const qsizetype Colon = Folder.lastIndexOf(':');
    Sorted.emplace_back(Folder.left(Colon).toStdString(), Folder.mid(Colon + 1).toULongLong());
  }
  const auto Depth = [](const std::string& Path) {
    return Path.empty() ? -1 : int(std::count(Path.begin(), Path.end(), '/'));
  };
  std::stable_sort(Sorted.begin(), Sorted.end(),
                   [&](const auto& A, const auto& B) { return Depth(A.first) < Depth(B.first); });
  TSnapshotBuilder Builder;
  std::map<std::string, uint32_t> Placed;
  for (const auto& [Path, Size] : Sorted) {
    const size_t Slash = Path.rfind('/');
    const uint32_t Parent =
      Path.empty() ? TFolderSnapshot::None : Placed.at(Path.substr(0, Slash == std::string::npos ? 0 : Slash));
    Placed[Path] = Builder.Add(Parent, Path.substr(Slash == std::string::npos ? 0 : Slash + 1),
                               {Size, 2 * Size, Size % 10, 1700000000 + int64_t(Size), int32_t(Size % 3) - 1});
  }
  Builder.Finish(Snapshot);
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

// "size:allocated:objects:files:change".
QString Counts(const TFolderSnapshot::TFolder& Folder)
{
  return QString("%1:%2:%3:%4:%5")
    .arg(Folder.Size)
    .arg(Folder.Allocated)
    .arg(Folder.Objects)
    .arg(Folder.Files)
    .arg(Folder.LastChange);
}

// Each folder as "path:size:allocated:objects:files:change", depth first,
// its path's bytes as they are.
QStringList Lines(const TFolderSnapshot& Snapshot)
{
  QStringList Lines;
  Snapshot.DepthFirst(
    [&](uint32_t At) { Lines << QString::fromLatin1(Snapshot.Path(At)) + ':' + Counts(Snapshot.FFolders[At]); });
  return Lines;
}

QStringList Rows(const TSnapshotCompare& Compare)
{
  QStringList Rows;
  const auto Add = [&](const TSnapshotCompare::TRow& Row) {
    Rows << QString("%1:%2:%3")
              .arg(QString::fromStdString(Compare.PathOf(Row)), TSnapshotCompare::StateName(Row.Verdict))
              .arg(Row.Change);
  };
  Compare.Walk([&](const TSnapshotCompare::TRow& Row, size_t) { Add(Row); }, Add);
  return Rows;
}

// Folders "path:size" ("" the top, parents first) in Tree, each one object
// in one cluster.
void Grow(TTreeFixture& Tree, const QStringList& Folders)
{
  std::map<std::string, TFolderNode*> Placed{{"", Tree.Top}};
  for (const QString& Folder : Folders) {
    const qsizetype Colon = Folder.lastIndexOf(':');
    const std::string Path = Folder.left(Colon).toStdString();
    const uint64_t Size = Folder.mid(Colon + 1).toULongLong();
    if (Path.empty()) {
      TTreeFixture::Set(Tree.Top, 1, Size, 1);
      continue;
    }
    const size_t Slash = Path.rfind('/');
    TFolderNode* Parent = Placed.at(Slash == std::string::npos ? "" : Path.substr(0, Slash));
    Placed[Path] = Tree.Add(Parent, Path.substr(Slash == std::string::npos ? 0 : Slash + 1), 1, Size, 1);
  }
}

// Each folder below Top as "depth:name:size:allocated:objects:files:change",
// depth first by name: a chain of any depth in lines of a few bytes.
QStringList Levels(const TFolderNode* Top)
{
  QStringList Lines;
  std::vector<std::pair<const TFolderNode*, int>> Pending{{Top, 0}};
  while (!Pending.empty()) {
    const auto [Node, Depth] = Pending.back();
    Pending.pop_back();
    Lines << QString("%1:%2:%3:%4:%5:%6:%7")
               .arg(Depth)
               .arg(QString::fromLatin1(Depth ? Node->FName : ""))
               .arg(Node->SizeBytes())
               .arg(Node->AllocatedBytes())
               .arg(Node->FObjects.Load())
               .arg(Node->OwnFiles())
               .arg(Node->FLastWrite.Load());
    const std::vector<TFolderNode*> Folders = Node->SubFoldersByName();
    for (auto Child = Folders.rbegin(); Child != Folders.rend(); ++Child)
      Pending.emplace_back(*Child, Depth + 1);
  }
  return Lines;
}

QStringList Levels(const TFolderSnapshot& Snapshot)
{
  QStringList Lines;
  std::vector<int> Depths(Snapshot.FFolders.size());
  Snapshot.DepthFirst([&](uint32_t At) {
    const TFolderSnapshot::TFolder& Folder = Snapshot.FFolders[At];
    const int Depth = At == 0 ? 0 : Depths[Folder.Parent] + 1;
    Depths[At] = Depth;
    Lines << QString("%1:%2:").arg(Depth).arg(QString::fromLatin1(Snapshot.Name(Folder))) + Counts(Folder);
  });
  return Lines;
}

// A file of the first format, of whole paths sharing their beginnings, as
// earlier versions wrote it.
std::string FirstFormat(const TFolderSnapshot& Snapshot)
{
  const auto Put = [](std::string& Out, uint64_t Value) {
    for (; Value >= 0x80; Value >>= 7)
      Out += char(Value | 0x80);
    Out += char(Value);
  };
  const auto PutText = [&Put](std::string& Out, const std::string& Text) {
    Put(Out, Text.size());
    Out += Text;
  };
  const TFolderSnapshot::THeader& Of = Snapshot.FHeader;
  std::string Header;
  Put(Header, uint64_t(Of.Time) << 1);
  Put(Header, Of.ClusterSize);
  Put(Header, Snapshot.FFolders.size());
  Put(Header, Of.Size);
  Put(Header, Of.Allocated);
  PutText(Header, Of.Root);
  PutText(Header, Of.Host);
  PutText(Header, Of.Options);
  std::string Rows, Before;
  Snapshot.DepthFirst([&](uint32_t At) {
    const TFolderSnapshot::TFolder& Folder = Snapshot.FFolders[At];
    const std::string Path = Snapshot.Path(At);
    size_t Shared = 0;
    while (Shared < Before.size() && Shared < Path.size() && Before[Shared] == Path[Shared])
      ++Shared;
    Put(Rows, Shared);
    PutText(Rows, Path.substr(Shared));
    Put(Rows, Folder.Size);
    Put(Rows, Folder.Allocated);
    Put(Rows, Folder.Objects);
    Put(Rows, uint64_t(Folder.Files + 1));
    Put(Rows, uint64_t(Folder.LastChange) << 1);
    Before = Path;
  });
  std::string Packed(ZSTD_compressBound(Rows.size()), '\0');
  Packed.resize(ZSTD_compress(Packed.data(), Packed.size(), Rows.data(), Rows.size(), 3));
  std::string File = "SPLNHIST";
  for (const uint32_t Value : {1u, uint32_t(Header.size())})
    for (int Byte = 0; Byte < 4; ++Byte)
      File += char(Value >> (8 * Byte));
  return File + Header + Packed;
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
    QStringList Folders{":900", "a:500", "a/b:300", "a/b c:1", "a-b:2", "\xff\x01:7", "a/b/deep:0", "z\nz:12345678901"};
    for (int Folder = 0; Folder < 100; ++Folder)
      Folders << QString("f%1:%2").arg(Folder).arg(Folder * 31) << QString("f%1/sub:%2").arg(Folder).arg(Folder * 7919);
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
    // A header that counts other folders than the rows hold, or many more
    // than the file can.
    for (const uint8_t Count : {207, 209, 0, 255}) {
      std::string Miscounted = Whole;
      Miscounted[16] = char(Count);
      Miscounted[17] = char(Count == 255 ? 255 : 0);
      Put(File, Miscounted);
      QVERIFY2(!TFolderSnapshot::Read(File, Read, Error), qPrintable(QString::number(Count)));
      QCOMPARE(Error, std::string("damaged"));
    }
    // Two billion folders claimed by a file of kilobytes: refused before
    // any room is made for them.
    std::string Claims = Whole;
    Claims[19] = char(0x80);
    Put(File, Claims);
    QVERIFY(!TFolderSnapshot::Read(File, Read, Error));
    QCOMPARE(Error, std::string("damaged"));
    // Sub-folders out of their names' order could not be found by name.
    TFolderSnapshot Unordered = Snapshot;
    TFolderSnapshot::TFolder& Top = Unordered.FFolders.front();
    TFolderSnapshot::TFolder &First = Unordered.FFolders[Top.First], &Second = Unordered.FFolders[Top.First + 1];
    const uint64_t NameAt = First.NameAt, NameLength = First.NameLength;
    First.NameAt = Second.NameAt;
    First.NameLength = Second.NameLength;
    Second.NameAt = NameAt;
    Second.NameLength = NameLength;
    Written(Unordered, File);
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
    for (int Folder = 0; Folder < 97; ++Folder)
      Folders << QString("d%1:%2").arg(Folder).arg(Folder);
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

  // A tree written as it is walked, or taken in memory and written, reads
  // back as the tree: every folder, every field; however deep or wide.
  void treesWrittenAndRead_data()
  {
    QTest::addColumn<int>("depth");  // of a chain below the top
    QTest::addColumn<int>("width");  // of folders below the top, each with two of its own
    QTest::newRow("a chain 30,000 deep") << 30000 << 0;
    QTest::newRow("10,000 wide") << 0 << 10000;
  }
  void treesWrittenAndRead()
  {
    QFETCH(int, depth);
    QFETCH(int, width);
    TTestTree Tree;
    TTreeFixture Made(4096);
    TFolderNode* Node = Made.Top;
    for (int Level = 0; Level < depth; ++Level) {
      Node = Made.Add(Node, Level % 2 ? "n" : "m\xff", uint64_t(Level % 5), uint64_t(Level % 7), uint64_t(Level + 1));
      Node->FLastWrite = uint32_t(1700000000 + Level);
    }
    // Added in no order: written by their names' bytes.
    for (int Folder = width; Folder-- > 0;) {
      TFolderNode* Wide = Made.Add(Made.Top, "w" + std::to_string(Folder * 7919 % 10007), 1, uint64_t(Folder), 3);
      Made.Add(Wide, "z", 2, 0, 1);
      Made.Add(Wide, "a", 0, 5, 1);
    }
    const TFolderSnapshot::THeader Header = TFolderSnapshot::HeaderOf(Made.Top, "opts", 1765000000);
    const std::string Walked = Tree.Path("walked.snap"), Taken = Tree.Path("taken.snap");
    // Totals taken before the tree last grew: the file tells the tree's.
    TFolderSnapshot::THeader Earlier = Header;
    Earlier.Size -= 1;
    Earlier.Allocated += 4096;
    std::FILE* Stream = std::fopen(Walked.c_str(), "wb");
    QVERIFY(Stream && TFolderSnapshot::Write(Stream, Earlier, Made.Top, &Made.Tree, Made.Tree.Removals()));
    std::fclose(Stream);
    const TFolderSnapshot InMemory = TFolderSnapshot::Of(Made.Top, "opts", 1765000000);
    QCOMPARE(InMemory.FFolders.size(), size_t(1 + depth + 3 * width));
    const QStringList Expected = Levels(Made.Top);
    QCOMPARE(Levels(InMemory), Expected);
    TFolderSnapshot Stale = InMemory;
    Stale.FHeader = Earlier;
    Written(Stale, Taken);
    for (const std::string& File : {Walked, Taken}) {
      TFolderSnapshot Read;
      std::string Error;
      QVERIFY2(TFolderSnapshot::Read(File, Read, Error), Error.c_str());
      QCOMPARE(Read.FHeader.Folders, uint64_t(Expected.size()));
      QCOMPARE(
        std::tie(Read.FHeader.Size, Read.FHeader.Allocated, Read.FHeader.Options, Read.FHeader.Root),
        std::tie(InMemory.FHeader.Size, InMemory.FHeader.Allocated, InMemory.FHeader.Options, InMemory.FHeader.Root));
      QCOMPARE(Levels(Read), Expected);
    }
    // A tree that lost folders while it was written is not written.
    Stream = std::fopen(Walked.c_str(), "wb");
    const uint64_t Removals = Made.Tree.Removals();
    Made.Tree.DeleteNode(Made.Top->Child(0));
    errno = 0;
    QVERIFY(!TFolderSnapshot::Write(Stream, Header, Made.Top, &Made.Tree, Removals));
    QCOMPARE(errno, EAGAIN);
    std::fclose(Stream);
  }

  // Comparing two snapshots tells each folder what the window's tree, set
  // against the first, tells it: the same verdict and change, the same
  // folders gone; and snapshots of the first format compare as well.
  void comparesAsTheTree()
  {
    TTreeFixture Then(4096), Now(4096);
    const auto Grow = [](TTreeFixture& Tree, bool Later) {
      TFolderNode* Same = Tree.Add(Tree.Top, "same", 2, 10, 3);
      Tree.Add(Same, "inner", 1, 0, 1);
      Tree.Add(Tree.Top, "grown", Later ? 9 : 3, 100, 2);
      TFolderNode* Moved = Tree.Add(Tree.Top, Later ? "new-name" : "old-name", 4, 0, 1);
      Tree.Add(Moved, "deep", 1, 0, 1);
      Tree.Add(Tree.Top, Later ? "added" : "gone", 5, 5, 5);
      Tree.Add(Tree.Top, "a-b", Later ? 1 : 2, 0, 1);
      Tree.Add(Tree.Top, "a", 1, 0, 1);
    };
    Grow(Then, false);
    Grow(Now, true);
    TTestTree Files;
    const std::string First = Files.Path("first.snap");
    const TFolderSnapshot Before = TFolderSnapshot::Of(Then.Top, {}, 1), After = TFolderSnapshot::Of(Now.Top, {}, 2);
    Put(First, FirstFormat(Before));
    TFolderSnapshot Old;
    std::string Error;
    QVERIFY2(TFolderSnapshot::Read(First, Old, Error), Error.c_str());
    QCOMPARE(Lines(Old), Lines(Before));
    for (const TChangeMeasure Measure :
         {TChangeMeasure(vtSize), TChangeMeasure(vtAllocated), TChangeMeasure(vtObjects)}) {
      const TSnapshotCompare Compare(Old, Now.Top, After.FHeader, Measure);
      const TBaseline Baseline(TFolderSnapshot(Before), "/top");
      QStringList Snapshots, Trees, Gone;
      const auto Add = [&](QStringList& Rows, const TSnapshotCompare::TRow& Row) {
        Rows << QString("%1:%2:%3")
                  .arg(QString::fromStdString(Compare.PathOf(Row)), TSnapshotCompare::StateName(Row.Verdict))
                  .arg(Row.Change);
      };
      Compare.Walk([&](const TSnapshotCompare::TRow& Row, size_t) { Add(Snapshots, Row); },
                   [&](const TSnapshotCompare::TRow& Row) { Add(Gone, Row); });
      QStringList GoneBelow;
      std::vector<std::pair<const TFolderNode*, std::string>> Pending{{Now.Top, ""}};
      while (!Pending.empty()) {
        const auto [Node, Path] = Pending.back();
        Pending.pop_back();
        const TBaseline::TChange Change = Baseline.Of(Node);
        Trees << QString("%1:%2:%3")
                   .arg(QString::fromStdString(Path), TSnapshotCompare::StateName(Change.Verdict(Measure)))
                   .arg(Change.Grown(Measure));
        for (const TFolderSnapshot::TFolder* Folder : Baseline.GoneBelow(Node))
          GoneBelow << QString::fromStdString((Path.empty() ? "" : Path + "/") + std::string(Baseline.NameOf(*Folder)));
        const std::vector<TFolderNode*> Folders = Node->SubFoldersByName();
        for (auto Child = Folders.rbegin(); Child != Folders.rend(); ++Child)
          Pending.emplace_back(*Child, Path.empty() ? (*Child)->Name() : Path + '/' + (*Child)->Name());
      }
      QCOMPARE(Snapshots, Trees);
      // A folder gone takes those below it along.
      QCOMPARE(GoneBelow, (QStringList{"gone", "old-name"}));
      QCOMPARE(Gone.size(), 3);
      QVERIFY2(Gone[0].startsWith("gone:gone:") && Gone[1].startsWith("old-name:gone:")
                 && Gone[2].startsWith("old-name/deep:gone:"),
               qPrintable(Gone.join('|')));
    }
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

  // Every folder of now, depth first by name, with its state and change,
  // then those gone.
  void compares()
  {
    TTreeFixture Then(4096), Now(4096);
    Grow(Then, {":1000", "grown:100", "same:50", "gone:200", "gone/deep:20", "emptied:300", "old-name:40"});
    Grow(Now,
         {":1350", "grown:600", "same:50", "emptied:0", "new-name:40", "added:400", "added/x:10", "b:700", "c:700"});
    const TFolderSnapshot Before = TFolderSnapshot::Of(Then.Top, "hard-links=once", 1);
    const TFolderSnapshot::THeader Header = TFolderSnapshot::HeaderOf(Now.Top, "hard-links=once", 2);
    const TSnapshotCompare Compare(Before, Now.Top, Header, TChangeMeasure(vtSize));
    QCOMPARE(Rows(Compare),
             (QStringList{":changed:350", "added:new:400", "added/x:new:10", "b:new:700", "c:new:700",
                          "emptied:changed:-300", "grown:changed:500", "new-name:new:40", "same:same:0",
                          "gone:gone:-200", "gone/deep:gone:-20", "old-name:gone:-40"}));
    // In another measure, only that measure: each folder takes one cluster
    // and is one object, so only those new or gone changed.
    for (const TViewType Type : {vtPercent, vtObjects}) {
      const int64_t One = Type == vtObjects ? 1 : 4096;
      QCOMPARE(
        Rows(TSnapshotCompare(Before, Now.Top, Header, TChangeMeasure(Type))),
        (QStringList{":same:0", QString("added:new:%1").arg(One), QString("added/x:new:%1").arg(One),
                     QString("b:new:%1").arg(One), QString("c:new:%1").arg(One), "emptied:same:0", "grown:same:0",
                     QString("new-name:new:%1").arg(One), "same:same:0", QString("gone:gone:%1").arg(-One),
                     QString("gone/deep:gone:%1").arg(-One), QString("old-name:gone:%1").arg(-One)}));
    }
    // The most grown first, ties in the walk's order, however few are asked.
    const auto Grown = [&](size_t Count) {
      QStringList Paths;
      for (const TSnapshotCompare::TRow& Row : Compare.Grown(Count))
        Paths << QString::fromStdString(Compare.PathOf(Row));
      return Paths;
    };
    QCOMPARE(Grown(3), (QStringList{"b", "c", "grown"}));
    QCOMPARE(Grown(1), (QStringList{"b"}));
    QCOMPARE(Grown(0), QStringList());
    QCOMPARE(Grown(100), (QStringList{"b", "c", "grown", "added", "", "new-name", "added/x"}));
    QCOMPARE(Compare.TopRow().Change, int64_t(350));
    QVERIFY(Compare.Warning().empty());
    TFolderSnapshot::THeader Other = Header;
    Other.Options = "hard-links=each";
    Other.ClusterSize = 512;
    std::string Warning = TSnapshotCompare::Warning(Before.FHeader, Other);
    QVERIFY2(Warning.find("hard-links=each") != std::string::npos && Warning.find("512") != std::string::npos,
             Warning.c_str());
    // An export's cluster size is not known: no warning of it.
    TFolderSnapshot::THeader Export = Before.FHeader;
    Export.ClusterSize = 0;
    QVERIFY(TSnapshotCompare::Warning(Export, Header).empty());
    Other = Header;
    Other.Root = "/elsewhere/";
    Warning = TSnapshotCompare::Warning(Before.FHeader, Other);
    QVERIFY2(Warning.find("another folder, /top/") != std::string::npos, Warning.c_str());
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
    for (int Second = 1; Second <= 5; ++Second)
      QVERIFY2(Store.Remember(Made("/f/", Now + 2 * 3600 + Second, {":1"}), Error, &Warning), Error.c_str());
    QVERIFY(Warning.empty());
    QVERIFY2(Store.Remember(Made("/f/", Now, {":5"}), Error, &Warning), Error.c_str());
    QVERIFY2(Warning.starts_with("3 scans of /f/ remembered before are dated later than now"), Warning.c_str());
    const std::vector<THistoryStore::TEntry> Kept = Store.Of("/f/");
    QCOMPARE(Kept.size(), size_t(3));
    QCOMPARE(Kept.front().Header.Time, Now);
    QCOMPARE(Kept[1].Header.Time, Now + 2 * 3600 + 5);
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
        Names << QString::fromStdString(std::string(Baseline.NameOf(*Folder)));
      return Names;
    };
    QCOMPARE(Gone(Now.Top), QStringList{"gone"});
    QCOMPARE(Gone(Same), QStringList{"old"});
    QCOMPARE(Gone(Added), QStringList{});
    QCOMPARE(Gone(Other.Top), QStringList{});
    // A path met twice (a table holding another) is one folder.
    const TBaseline Twice(Made("/top/", 100, {":9", "same:1", "same:1", "gone:2"}), "/top/");
    QCOMPARE(Twice.Snapshot().FFolders.size(), size_t(3));
    QCOMPARE(Twice.GoneBelow(Now.Top).size(), size_t(1));
    // A folder gone from the window's tree is gone from the comparison.
    Now.Tree.DeleteNode(Same);
    QCOMPARE(Gone(Now.Top), (QStringList{"gone", "same"}));
  }
};

QTEST_GUILESS_MAIN(THistoryTest)
#include "tst_history.moc"
