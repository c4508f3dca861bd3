// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesFilter.h"
#include "files/FilesModel.h"
#include "files/FilesSorter.h"
#include "fs/FileTime.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/NcduImport.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "view/FileClass.h"
#include "view/ValueDisplay.h"

#include <QDateTime>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

constexpr long long Day = 86400;
constexpr unsigned long long MiB = 1024 * 1024;
constexpr int64_t Now = 1800000000;  // what the filter box takes for now

// A file as the tests make it and as they expect it back.
struct TMade {
  std::string Name;
  uint64_t Size = 1;
  uint64_t DiskBytes = UINT64_MAX;  // all of it
  uint32_t Write = 0, Access = 0;   // Unix seconds
  uint8_t Kind = 0;
  uint64_t Links = 1, Inode = 0;
};

TFolderFiles* Make(const std::vector<TMade>& Files, uint32_t ClusterSize = 4096)
{
  TFolderFiles::TBuilder Builder;
  for (const TMade& File : Files)
    Builder.Add(File.Name, File.Size, TFolderData::CountFile(File.Size, ClusterSize, File.DiskBytes), File.Kind,
                File.Write ? FileTime::FromUnix(File.Write, 0) : 0,
                File.Access ? FileTime::FromUnix(File.Access, 0) : 0, File.Links, 7, File.Inode);
  return Builder.Make();
}

// The reference: what a file of the snapshot is, found without it.
struct TExpected {
  uint32_t Number;
  size_t FolderRank;
  TMade File;
  uint64_t Allocated;
};

std::string Folded(std::string Text)
{
  std::ranges::transform(Text, Text.begin(), [](char C) { return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C; });
  return Text;
}

// A tree of hand-made folders and files: sub-folders added out of name
// order, names that tie but for case or share long beginnings, sizes too
// wide for the sort's words, times unknown, files with several names.
struct TMadeTree {
  explicit TMadeTree(unsigned Seed) : Fixture(4096)
  {
    std::mt19937 Random(Seed);
    TFolderNode* Top = Fixture.Top;
    TFolderNode* Zeta = Fixture.Add(Top, "zeta");
    TFolderNode* Beta = Fixture.Add(Top, "beta");
    TFolderNode* Alpha = Fixture.Add(Top, "Alpha");
    TFolderNode* Inner = Fixture.Add(Beta, "inner");
    TFolderNode* Alpha2 = Fixture.Add(Top, "alpha2");
    // In the order of their paths: sub-folders by their names' bytes.
    const std::vector<TFolderNode*> Ordered{Top, Alpha, Alpha2, Beta, Inner, Zeta};
    const char* Beginnings[] = {"IMG_", "img_", "a very long beginning shared by many names ", "Readme", "b", ""};
    for (size_t Rank = 0; Rank < Ordered.size(); ++Rank) {
      std::vector<TMade> Files;
      for (int Index = 0; Index < 110; ++Index) {
        TMade File;
        File.Name = Beginnings[Random() % 6] + std::to_string(Random() % 40) + (Random() % 2 ? ".jpg" : ".TXT");
        File.Size = Random() % 5 == 0 ? (uint64_t(1) << 54) + Random() % 3 * (uint64_t(1) << 53) + Random() % 3
                                      : 1 + Random() % (3 * MiB);
        File.DiskBytes = Random() % 4 == 0 ? 0 : Random() % 4 == 0 ? File.Size / 2 : UINT64_MAX;
        File.Write = Random() % 6 == 0 ? 0 : uint32_t(1600000000 + Random() % 50 * Day);
        File.Access = Random() % 6 == 0 ? 0 : uint32_t(1600000000 + Random() % 50 * Day);
        File.Kind = uint8_t(Random() % 8);
        if (Random() % 8 == 0) {
          File.Links = 2 + Random() % 3;
          File.Inode = 1 + Random() % 12;  // names of one file in several folders
        }
        Files.push_back(File);
        const uint64_t Clusters = (File.Size + 4095) / 4096;
        const uint64_t Holes = TFolderData::CountFile(File.Size, 4096, File.DiskBytes).Holes;
        Expected.push_back({uint32_t(Expected.size()), Rank, File, (Clusters - std::min(Clusters, Holes)) * 4096});
      }
      Ordered[Rank]->FFiles.store(Make(Files));
    }
  }
  TTreeFixture Fixture;
  std::vector<TExpected> Expected;
};

// The order the files view must show, made the slow and plain way.
std::vector<uint32_t> ReferenceOrder(const std::vector<TExpected>& Files, TFilesSorter::TKey Key, bool Descending)
{
  const auto Time = [Descending](uint32_t Seconds) -> uint64_t {
    return Seconds ? Seconds : Descending ? 0 : UINT64_MAX;  // unknown: last
  };
  const auto Compare = [&](const TExpected& A, const TExpected& B) -> int {
    const auto Three = [](const auto& X, const auto& Y) { return X < Y ? -1 : Y < X ? 1 : 0; };
    switch (Key) {
      case TFilesSorter::skName: return Three(Folded(A.File.Name), Folded(B.File.Name));
      case TFilesSorter::skFolder:
        return A.FolderRank != B.FolderRank ? Three(A.FolderRank, B.FolderRank)
                                            : Three(Folded(A.File.Name), Folded(B.File.Name));
      case TFilesSorter::skSize:
        return Three(std::min(A.File.Size, (uint64_t(1) << 56) - 1), std::min(B.File.Size, (uint64_t(1) << 56) - 1));
      case TFilesSorter::skAllocated: return Three(A.Allocated, B.Allocated);
      case TFilesSorter::skLastChange: return Three(Time(A.File.Write), Time(B.File.Write));
      case TFilesSorter::skLastAccess: return Three(Time(A.File.Access), Time(B.File.Access));
      case TFilesSorter::skKind: return Three(A.File.Kind, B.File.Kind);
      default: return Three(A.File.Links, B.File.Links);
    }
  };
  std::vector<TExpected> Sorted = Files;
  std::stable_sort(Sorted.begin(), Sorted.end(), [&](const TExpected& A, const TExpected& B) {
    const int Compared = Compare(A, B);
    return Descending ? Compared > 0 : Compared < 0;
  });
  std::vector<uint32_t> Order(Sorted.size());
  std::ranges::transform(Sorted, Order.begin(), &TExpected::Number);
  return Order;
}

// A kept file's size, allocated bytes, last change and access, kind, names
// and, with several names, its inode and device.
QString FieldsOf(const TFolderFiles& Files, uint32_t Index, uint32_t Cluster = 4096)
{
  uint64_t Device = 0, Inode = 0;
  const QString Identity = Files.Identity(Index, Device, Inode) ? QString("%1@%2").arg(Inode).arg(Device) : "-";
  const TFolderFiles::TFile& File = Files[Index];
  return QString::asprintf("%llu %llu %u %u %u %u ", qulonglong(File.Size()),
                           qulonglong(Files.Allocated(Index, Cluster)), File.LastWrite, File.LastAccess,
                           unsigned(File.Kind), unsigned(Files.Links(Index)))
    + Identity;
}

void FilterRow(const char* Tag, const char* Text, const char* Name, qulonglong Size, int Expected,
               qlonglong Written = 0, int Kind = 0, int Links = 1)
{
  QTest::newRow(Tag) << QString(Text) << QString(Name) << Size << Written << Kind << Links << Expected;
}

// Scans Folder to its end.
const TRoot* Scanned(TScanDriver& Driver, const std::string& Folder)
{
  const TRoot* Root = Driver.StartScan(Folder);
  while (Root && Driver.Scanning()) {
    Driver.WaitForResults(std::chrono::milliseconds(20));
    Driver.Drain();
  }
  return Root;
}

// Each file kept below the root against lstat: the paths that differ; Seen counts them all.
QStringList Differing(const TRoot* Root, int& Seen)
{
  QStringList Wrong;
  Seen = 0;
  if (!Root)
    return {"no root"};
  TFolderNode::ForEachBelow(Root->FNode, [&](TFolderNode* Node) {
    const TFolderFiles* Files = Node->FFiles.load();
    const uint32_t Cluster = Node->ClusterSize();
    for (uint32_t Index = 0; Files && Index < Files->Count(); ++Index, ++Seen) {
      const std::string Path = Node->FullPath() + std::string(Files->Name(Index));
      struct stat Data;
      if (lstat(Path.c_str(), &Data) != 0) {
        Wrong << QString::fromStdString(Path) + " missing";
        continue;
      }
      const TFileCount Count = TFolderData::CountFile(Data.st_size, Cluster, Data.st_blocks * 512ull);
      const QString Expected =
        QString::asprintf("%llu %llu %u %u 0 %u ", qulonglong(Data.st_size),
                          qulonglong((Count.Clusters - Count.Holes) * Cluster), uint32_t(Data.st_mtime),
                          uint32_t(Data.st_atime), unsigned(Data.st_nlink))
        + (Data.st_nlink > 1 ? QString::number(Data.st_ino) : "-");
      // All but the device, which is kept in a form of its own.
      const QString Kept = FieldsOf(*Files, Index, Cluster).section('@', 0, 0);
      if (Kept != Expected)
        Wrong << QString::fromStdString(Path) + ": " + Kept + " not " + Expected;
    }
    return true;
  });
  return Wrong;
}

}  // namespace

class TFilesTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { qputenv("TZ", "UTC"); }

  // Each form of the filter box on the boundaries of what it asks; a word
  // that makes no sense is refused and leaves the filter as it was. Dates
  // are local midnights: before is before the day, after is from it.
  void filter_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qulonglong>("size");
    QTest::addColumn<qlonglong>("write");  // seconds before now, or -1 for none; last access for "accessed"
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("links");
    QTest::addColumn<int>("expected");  // 1 passes, 0 not, -1 refused
    const qulonglong Hundred = 100 * MiB;
    FilterRow("nothing", "", "a", 1, 1);
    FilterRow("> size, equal", "> 100 MB", "a", Hundred, 0);
    FilterRow(">= size, equal", ">= 100 MiB", "a", Hundred, 1);
    FilterRow("< size, equal", "< 4 KB", "a", 4096, 0);
    FilterRow("<= size, equal", "<= 4 KB", "a", 4096, 1);
    FilterRow("decimal size", ">1.5GB", "a", 1610612736, 0);
    FilterRow("bare bytes", "> 10", "a", 11, 1);
    FilterRow("range, high end", "10MB..1GB", "a", 1024 * MiB, 1);
    FilterRow("range, past", "10MB..1GB", "a", 1024 * MiB + 1, 0);
    FilterRow("older, just", "older than 1 year", "a", 1, 1, 365 * Day + 1);
    FilterRow("older, exactly", "older than 1 year", "a", 1, 0, 365 * Day);
    FilterRow("older, no time", "older than 1y", "a", 1, 0, -1);
    FilterRow("newer, exactly", "newer than 2w", "a", 1, 0, 14 * Day);
    FilterRow("months of 30 days", "older than 2 months", "a", 1, 1, 60 * Day + 1);
    FilterRow("wildcard, either case", "*.MP3", "a.mp3", 1, 1);
    FilterRow("patterns, semicolon", "*.mkv;*.mp4", "a.mkv", 1, 1);
    FilterRow("word inside", "port", "Report.pdf", 1, 1);
    FilterRow("quoted spaces", "\"tax 2023*\"", "tax 2023.pdf", 1, 1);
    FilterRow("left out", "-*.log", "x.LOG", 1, 0);
    FilterRow("not", "not *.log", "x.txt", 1, 1);
    FilterRow("name and size, one", "*.iso > 1 MB", "a.iso", MiB, 0);
    FilterRow("kind, not listed", "kind:video,audio", "a", 1, 0, 0, 0);
    FilterRow("ext, not the double", "ext:gz", "x.tar.gz", 1, 0, 0, 3);
    FilterRow("ext, with its dot", "ext:.txt", "a.txt", 1, 1, 0, 4);
    FilterRow("ext, none", "ext:", "README", 1, 1, 0, 7);
    FilterRow("ext, none but has", "ext:", "a.txt", 1, 0, 0, 4);
    FilterRow("links, two", "links>1", "a", 1, 1, 0, 0, 2);
    FilterRow("links at least", "links>=3", "a", 1, 0, 0, 0, 2);
    FilterRow("links, exactly", "links=2", "a", 1, 1, 0, 0, 2);
    FilterRow("links, not exactly", "links=2", "a", 1, 0, 0, 0, 3);
    FilterRow("a unit as du writes it", "> 100 M", "a", Hundred, 0);
    FilterRow("a unit as du writes it, past", "> 100 M", "a", Hundred + 1, 1);
    FilterRow("a grammar word quoted is a name", "\"older\"", "older.txt", 1, 1);
    FilterRow("a number alone is a name", "2024", "IMG_2024.jpg", 1, 1);
    for (const char* Text : {">", "> 10 XB", "older than year", "changed before 2024-13", "kind:movies", "10MB..1XB"})
      FilterRow(qPrintable(QString("refused: ") + Text), Text, "a", 1, -1);
    const auto Ago = [](const char* Time) { return Now - QDateTime::fromString(Time, Qt::ISODate).toSecsSinceEpoch(); };
    FilterRow("before month, last second", "changed before 2024-01", "a", 1, 1, Ago("2023-12-31T23:59:59"));
    FilterRow("before month, its start", "changed before 2024-01", "a", 1, 0, Ago("2024-01-01T00:00:00"));
    FilterRow("after month, its start", "changed after 2024-06", "a", 1, 1, Ago("2024-06-01T00:00:00"));
    FilterRow("after month, before", "changed after 2024-06", "a", 1, 0, Ago("2024-05-31T23:59:59"));
    FilterRow("before day", "changed before 2024-02-29", "a", 1, 1, Ago("2024-02-28T12:00:00"));
    FilterRow("accessed before", "accessed before 2023", "a", 1, 1, Ago("2022-12-31T23:59:59"));
  }
  void filter()
  {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(qulonglong, size);
    QFETCH(qlonglong, write);
    QFETCH(int, kind);
    QFETCH(int, links);
    QFETCH(int, expected);
    TMade Made{name.toStdString(), size, UINT64_MAX, uint32_t(Now), uint32_t(Now)};
    (text.startsWith("accessed") ? Made.Access : Made.Write) = write < 0 ? 0 : uint32_t(Now - write);
    Made.Kind = uint8_t(kind);
    Made.Links = uint64_t(links);
    TFolderFiles* Files = Make({Made});
    TFilesFilter Filter;
    QString Error;
    QVERIFY(Filter.Parse("*.none", Now, Error));
    const bool Parsed = Filter.Parse(text, Now, Error);
    QCOMPARE(Parsed, expected >= 0);
    QCOMPARE(Error.isEmpty(), Parsed);
    // Refused: the filter before stays.
    QCOMPARE(Filter.Test(*Files, 0), Parsed ? expected == 1 : false);
    TFolderFiles::Release(Files);
  }

  // Words it does not understand are refused with what was not understood
  // and what is meant, never read as names or bytes.
  void refusalsSayWhy_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("said");
    QTest::newRow("bigger than") << "bigger than 1 GB"
                                 << "\"than\" goes after older or newer";
    QTest::newRow("an unknown unit apart") << "> 100 XB"
                                           << "\"XB\" is no unit of size";
    QTest::newRow("an unknown unit joined") << ">100QB"
                                            << "\"QB\" is no unit of size";
    QTest::newRow("older then") << "older then 1 year"
                                << "\"older\" needs \"than\"";
    QTest::newRow("an empty range") << "1GB..10MB"
                                    << "the smaller end comes first";
    QTest::newRow("links equal sign alone") << "links="
                                            << "write links>1";
    QTest::newRow("links less") << "links<2"
                                << "write links>1";
    QTest::newRow("a unit alone") << "*.iso 1 GB"
                                  << "\"GB\" is a unit";
    QTest::newRow("changed without when") << "changed 2024"
                                          << "needs before or after";
    QTest::newRow("before alone") << "before 2024"
                                  << "goes after changed or accessed";
    QTest::newRow("an age without a unit") << "older than 3"
                                           << "needs an age";
    QTest::newRow("smaller than nothing") << "<0"
                                          << "matches nothing";
    QTest::newRow("more names than can be") << "links>4294967295"
                                            << "more names than a file can have";
    QTest::newRow("an i out of place") << ">1mi"
                                       << "\"mi\" is no unit of size";
  }
  void refusalsSayWhy()
  {
    QFETCH(QString, text);
    QFETCH(QString, said);
    TFilesFilter Filter;
    QString Error;
    QVERIFY(!Filter.Parse(text, Now, Error));
    QVERIFY2(Error.contains(said), qPrintable(Error));
  }

  // What goes into a folder's files comes back out, at the edges of each
  // field, and a reader's reference keeps the block after the tree's goes.
  void folderFiles()
  {
    const std::string Long(255, 'x');
    const std::string Odd = "bad\xff\xfe\nname";
    std::vector<TMade> Made{{"", 1},
                            {Long, (uint64_t(1) << 56) + 5, UINT64_MAX, UINT32_MAX, 1, 7},
                            {Odd, 10000, 0, 0, 0, 3, 2, 99},            // all holes, two names
                            {"part", 40000, 8192, 5, 6, 4, 65000, 98},  // some holes, many names
                            {"plain", 5000, UINT64_MAX, 1, 2, 1, 1, 0}};
    TFolderFiles* Files = Make(Made, 4096);
    QCOMPARE(Files->Count(), 5u);
    const QStringList Fields{"1 4096 0 0 0 1 -", "72057594037927935 72057594037927936 4294967295 1 7 1 -",
                             "10000 0 0 0 3 2 99@7", "40000 8192 5 6 4 65000 98@7", "5000 8192 1 2 1 1 -"};
    for (uint32_t Index = 0; Index < Files->Count(); ++Index) {
      QCOMPARE(std::string(Files->Name(Index)), Made[Index].Name);
      QCOMPARE(FieldsOf(*Files, Index), Fields[Index]);
    }
    // Times before 1970 or past 2106 are none, or the last there is.
    QCOMPARE(FileTime::ToSeconds32(FileTime::FromUnix(-5, 0)), 0u);
    QCOMPARE(FileTime::ToSeconds32(FileTime::FromUnix(int64_t(1) << 33, 0)), UINT32_MAX);
    Files->AddRef();
    TFolderFiles::Release(Files);
    QCOMPARE(std::string(Files->Name(3)), std::string("part"));
    TFolderFiles::Release(Files);
    TFolderFiles::TBuilder Empty;
    QCOMPARE(Empty.Make(), nullptr);
  }

  // The model's texts of a row: the folder below the top, values in the
  // display's unit, no date for a time not known.
  void modelTexts()
  {
    TTreeFixture Fixture(4096);
    TFolderNode* Sub = Fixture.Add(Fixture.Add(Fixture.Top, "sub"), "deeper");
    Sub->FFiles.store(Make({{"x.txt", 2048, UINT64_MAX, 1600000000, 0, TFileClass::fcDocument, 2, 5}}));
    TValueDisplay Display;
    Display.FUnitType = TValueDisplay::utKB;
    TFilesModel Model(Display);
    Model.SetRows(std::make_shared<const TFilesSnapshot>(Fixture.Top, true),
                  std::make_shared<const std::vector<uint32_t>>(std::vector<uint32_t>{0}));
    QStringList Texts;
    for (int Column = 0; Column < Model.columnCount(); ++Column)
      Texts << Model.index(0, Column).data().toString();
    QCOMPARE(Texts,
             (QStringList{"x.txt", "sub/deeper/", Display.BytesText(2048), Display.BytesText(4096),
                          TFolderData::DateText(FileTime::FromUnix(1600000000, 0)), "",
                          TFileClass::Name(TFileClass::fcDocument), "2"}));
    QCOMPARE(Model.FolderAt(0), Sub);
  }

  // An imported scan keeps each file's name, length, last change and names
  // for the files view; ncdu knows no last access.
  void importKeepsFiles()
  {
    TTestTree Tree;
    const std::string File = Tree.Path("scan.json");
    std::FILE* Stream = std::fopen(File.c_str(), "w");
    std::fputs(
      "[1,2,{\"progname\":\"x\"},\n[{\"name\":\"/srv\"},"
      "{\"name\":\"a.txt\",\"asize\":100,\"dsize\":4096,\"mtime\":1600000000},"
      "{\"name\":\"b\\nc\",\"asize\":5000,\"dsize\":8192,\"ino\":7,\"nlink\":3,\"mtime\":1500000000}]]",
      Stream);
    std::fclose(Stream);
    TScanSettings Settings;
    Settings.FFileKind = [](const char*, bool) { return uint8_t(3); };
    TNcduImport Import(File, Settings, 4096);
    QVERIFY2(Import.Run(), Import.Error().c_str());
    TRoot* Root = Import.TakeRoot();
    QVERIFY(Root);
    TFolderTree FolderTree;
    TScanDriver Driver(FolderTree);
    Driver.AddImported(Root);  // which frees it
    const TFolderFiles* Files = Root->FNode->FFiles.load();
    QVERIFY(Files);
    QCOMPARE(Files->Count(), 2u);
    QCOMPARE(std::string(Files->Name(0)), std::string("a.txt"));
    QCOMPARE(std::string(Files->Name(1)), std::string("b\nc"));
    QCOMPARE(FieldsOf(*Files, 0), QString("100 4096 1600000000 0 3 1 -"));
    QCOMPARE(FieldsOf(*Files, 1), QString("5000 8192 1500000000 0 3 3 7@0"));
  }

  // A scan for the window keeps every counted file as the file system tells
  // it, and so does listing a folder again; with a filter only the files it
  // counts (what the views show is what the totals count); a scan without
  // the window keeps none.
  void scanKeepsFiles()
  {
    TTestTree Tree;
    Tree.Folder("sub");
    Tree.File("sub/a.txt", 5000, 1500000000, 1600000000);
    Tree.File("b.jpg", 100, 1400000000, 1300000000);
    Tree.Sparse("sparse.img", 3 * 1024 * 1024);
    Tree.File("bad\xff\nname", 10);
    QCOMPARE(link(Tree.Path("b.jpg").c_str(), Tree.Path("sub/b-again.jpg").c_str()), 0);
    int Seen = 0;
    TFolderTree FolderTree;
    TScanDriver Driver(FolderTree);
    Driver.FSettings.FFileKind = [](const char*, bool) { return uint8_t(0); };
    const TRoot* Root = Scanned(Driver, Tree.Top());
    QCOMPARE(Differing(Root, Seen), QStringList());
    QCOMPARE(Seen, 5);
    Tree.File("sub/new", 77, 1000000000, 1100000000);
    Driver.ListFilesAgain(Child(Root->FNode, "sub"));
    QCOMPARE(Differing(Root, Seen), QStringList());
    QCOMPARE(Seen, 6);

    TFolderTree Filtered;
    TScanDriver Jpegs(Filtered);
    Jpegs.FSettings.FFileKind = Driver.FSettings.FFileKind;
    Jpegs.FSettings.SetFileFilter("*.jpg");
    const TRoot* Only = Scanned(Jpegs, Tree.Top());
    QCOMPARE(Differing(Only, Seen), QStringList());
    QCOMPARE(Seen, 2);  // b.jpg and its second name
    QCOMPARE(Only->FNode->SizeBytes(), uint64_t(100));
    Jpegs.ListFilesAgain(Child(Only->FNode, "sub"));
    QCOMPARE(Differing(Only, Seen), QStringList());
    QCOMPARE(Seen, 2);

    TFolderTree Plain;
    TScanDriver Headless(Plain);
    QCOMPARE(Differing(Scanned(Headless, Tree.Top()), Seen), QStringList());
    QCOMPARE(Seen, 0);
  }

  // Each key in each direction, over names, sizes and times chosen to meet
  // every way the sort cuts its keys short; a stop asked for ends with nothing.
  void sortMatchesReference_data()
  {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("descending");
    const char* Names[] = {"name", "folder", "size", "allocated", "last change", "last access", "kind", "links"};
    for (int Key = 0; Key < TFilesSorter::skCount; ++Key)
      for (bool Descending : {false, true})
        QTest::addRow("%s %s", Names[Key], Descending ? "down" : "up") << Key << Descending;
  }
  void sortMatchesReference()
  {
    QFETCH(int, key);
    QFETCH(bool, descending);
    for (unsigned Seed : {1u, 2u, 3u}) {
      TMadeTree Tree(Seed);
      const TFilesSnapshot Files(Tree.Fixture.Top, false);
      QCOMPARE(Files.Count(), uint32_t(Tree.Expected.size()));
      const TFilesSorter::TKey Key = TFilesSorter::TKey(key);
      QCOMPARE(TFilesSorter::Sort(Files, Key, descending, [] { return false; }),
               ReferenceOrder(Tree.Expected, Key, descending));
      QVERIFY(TFilesSorter::Sort(Files, Key, descending, [] { return true; }).empty());
    }
  }

  // With names of one file counted once, each later name is a repeat: left
  // out of every list and of the bytes shown.
  void repeatsAndBytes_data()
  {
    QTest::addColumn<bool>("linksOnce");
    QTest::addColumn<QString>("filter");
    QTest::addRow("all names") << false << "";
    QTest::addRow("once") << true << "";
    QTest::addRow("once, jpg not img") << true << "*.jpg -img*";
  }
  void repeatsAndBytes()
  {
    QFETCH(bool, linksOnce);
    QFETCH(QString, filter);
    TMadeTree Tree(5);
    const TFilesSnapshot Files(Tree.Fixture.Top, linksOnce);
    TFilesFilter Filter;
    QString Error;
    QVERIFY(Filter.Parse(filter, 1700000000, Error));
    std::set<uint64_t> Met;
    std::vector<uint32_t> Expected;
    TFilesSorter::TBytes ExpectedBytes;
    uint32_t Listed = 0;
    for (const TExpected& File : Tree.Expected) {
      if (linksOnce && File.File.Links > 1 && !Met.insert(File.File.Inode).second)
        continue;
      ++Listed;
      const std::string Name = Folded(File.File.Name);
      if (filter.isEmpty() || (Name.ends_with(".jpg") && !Name.starts_with("img"))) {
        Expected.push_back(File.Number);
        ExpectedBytes.Size += File.File.Size;
        ExpectedBytes.Allocated += File.Allocated;
      }
    }
    QCOMPARE(Files.Listed(), Listed);
    QVERIFY(!linksOnce || Listed < Files.Count());
    std::vector<uint32_t> ByNumber(Files.Count());
    std::iota(ByNumber.begin(), ByNumber.end(), 0u);
    TFilesSorter::TBytes Bytes;
    QCOMPARE(TFilesSorter::Filter(
               Files, ByNumber, Filter, [] { return false; }, Bytes),
             Expected);
    QCOMPARE(Bytes.Size, ExpectedBytes.Size);
    QCOMPARE(Bytes.Allocated, ExpectedBytes.Allocated);
    if (filter.isEmpty()) {
      QCOMPARE(TFilesSorter::Total(Files).Size, ExpectedBytes.Size);
      QCOMPARE(TFilesSorter::Total(Files).Allocated, ExpectedBytes.Allocated);
    }
  }
};

QTEST_GUILESS_MAIN(TFilesTest)
#include "tst_files.moc"
