// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Mounts.h"
#include "scan/Root.h"
#include "tests/TestTree.h"

#include <QFile>
#include <QTest>

#include <cerrno>
#include <sys/statvfs.h>

namespace {

struct TMount {
  std::string Point;
  std::string Type;
  std::string Source;
};

// The mounts of this machine, read independently of the program's own lookup;
// a later mount on the same point hides an earlier one.
std::vector<TMount> VisibleMounts()
{
  std::vector<TMount> Mounts;
  QFile File("/proc/self/mountinfo");
  if (!File.open(QIODevice::ReadOnly))
    return Mounts;
  for (const QByteArray& Line : File.readAll().split('\n')) {
    const int Dash = Line.indexOf(" - ");
    if (Dash < 0)
      continue;
    const QList<QByteArray> Front = Line.left(Dash).split(' ');
    const QList<QByteArray> Back = Line.mid(Dash + 3).split(' ');
    if (Front.size() < 5 || Back.size() < 2 || Front[4].contains('\\'))
      continue;
    std::erase_if(Mounts, [&](const TMount& M) { return M.Point == Front[4].toStdString(); });
    Mounts.push_back({Front[4].toStdString(), Back[0].toStdString(), Back[1].toStdString()});
  }
  return Mounts;
}

}  // namespace

class TVolumeTest : public QObject {
  Q_OBJECT

private slots:
  void clusterTable_data()
  {
    QTest::addColumn<QString>("fileSystem");
    QTest::addColumn<quint32>("bytesPerSector");
    QTest::addColumn<quint32>("sectorsPerCluster");
    QTest::addColumn<quint64>("totalKB");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("NTFS 4096") << "NTFS" << 512u << 8u << 1000000ull << 4096u;
    QTest::newRow("NTFS 64 KB is out of bounds") << "NTFS" << 512u << 128u << 1000000ull << 512u;
    QTest::newRow("FAT 2048") << "FAT" << 512u << 4u << 1000ull << 2048u;
    QTest::newRow("FAT32 below 8 GiB") << "FAT32" << 512u << 64u << 8388607ull << 4096u;
    QTest::newRow("FAT32 exactly 8 GiB") << "FAT32" << 512u << 1u << 8388608ull << 8192u;
    QTest::newRow("FAT32 20 GiB, any geometry") << "FAT32" << 512u << 1u << 20971520ull << 16384u;
    QTest::newRow("FAT32 32 GiB") << "FAT32" << 512u << 1u << 33554432ull << 32768u;
    QTest::newRow("CDFS") << "CDFS" << 2048u << 1u << 600000ull << 2048u;
    QTest::newRow("other names count by sector") << "ext4" << 512u << 8u << 1000000ull << 512u;
    QTest::newRow("names are case-sensitive") << "ntfs" << 512u << 8u << 1000000ull << 512u;
    QTest::newRow("below 512") << "NTFS" << 256u << 1u << 1000ull << 512u;
  }
  void clusterTable()
  {
    QFETCH(QString, fileSystem);
    QFETCH(quint32, bytesPerSector);
    QFETCH(quint32, sectorsPerCluster);
    QFETCH(quint64, totalKB);
    QFETCH(quint32, expected);
    QCOMPARE(ClusterSizeFor(fileSystem.toStdString(), bytesPerSector, sectorsPerCluster, totalKB), expected);
  }

  void realMounts()
  {
    int Checked = 0;
    for (const TMount& Mount : VisibleMounts()) {
      struct statvfs Data;
      if (statvfs(Mount.Point.c_str(), &Data) != 0 || Data.f_blocks == 0)
        continue;
      const bool BlockAllocating = ClusterTableName(Mount.Type) == "NTFS";
      if (!BlockAllocating && Mount.Type != "tmpfs")
        continue;
      TRoot Root;
      Root.FPath = Mount.Point == "/" ? "/" : Mount.Point + "/";
      QCOMPARE(ReadVolumeInfo(Root), 0);
      QCOMPARE(Root.FFileSystem, Mount.Type);
      QCOMPARE(Root.FDrive, Root.FPath);
      QVERIFY(Root.FTotalKB > 0);
      QVERIFY(Root.FFreeKB <= Root.FTotalKB);
      // Block-allocating file systems count by their fragment size, the rest by 512.
      const bool InBounds = Data.f_frsize >= 512 && Data.f_frsize <= 32768;
      QCOMPARE(Root.FClusterSize, BlockAllocating && InBounds ? uint32_t(Data.f_frsize) : 512u);
      QCOMPARE(Root.FCompressed, false);
      ++Checked;
    }
    if (Checked == 0)
      QSKIP("no block or tmpfs mount to check on this machine");
  }

  void folderBelowAMount()
  {
    TTestTree Tree;
    Tree.Folder("sub");
    TRoot Root;
    Root.FPath = Tree.Path("sub/");
    QCOMPARE(ReadVolumeInfo(Root), 0);
    QVERIFY(Root.FDrive != Root.FPath);
    QVERIFY(Root.FPath.starts_with(Root.FDrive));
  }

  void userDefinedSize()
  {
    TTestTree Tree;
    TRoot Root;
    Root.FPath = Tree.Top() + "/";
    SetUserClusterSize(Root, 2048);
    QCOMPARE(ReadVolumeInfo(Root), 0);
    QCOMPARE(Root.FFileSystem, std::string("User Defined"));
    QCOMPARE(Root.FClusterSize, 2048u);
    ClearUserClusterSize(Root);
    QVERIFY(Root.FFileSystem != "User Defined" && Root.FFileSystem != "Unknown FS");
  }

  // A missing folder: the volume is unknown, and a size the user chose stays.
  void missingFolder_data()
  {
    QTest::addColumn<quint32>("userSize");
    QTest::newRow("the volume's size") << 0u;
    QTest::newRow("the user's size") << 2048u;
  }
  void missingFolder()
  {
    QFETCH(quint32, userSize);
    TRoot Root;
    Root.FPath = "/no/such/folder/";
    if (userSize)
      SetUserClusterSize(Root, userSize);
    QCOMPARE(ReadVolumeInfo(Root), ENOENT);
    QCOMPARE(Root.FFileSystem, std::string("Unknown FS"));
    QCOMPARE(Root.FClusterSize, userSize ? userSize : 512u);
    QCOMPARE(Root.FBytesPerSector, 512u);
    QCOMPARE(Root.FSectorsPerCluster, 1u);
    QCOMPARE(Root.FTotalKB, 0u);
    uint64_t Total = 1, Free = 1;
    QCOMPARE(GetDiskSpaceKB(Root.FPath, Total, Free), ENOENT);
    QCOMPARE(Total, 0u);
    QCOMPARE(Free, 0u);
  }

  void firstLevelFolders()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder(".hidden");
    Tree.Folder("..dots");
    Tree.File("file", 10);
    Tree.Link("to-a", "a");
    Tree.Link("to-file", "file");
    Tree.Link("dangling", "nowhere");
    TRoot Root;
    Root.FSubfoldersDone = 7;
    // Counted exactly as the walk visits them: hidden folders and links to
    // folders too.
    QCOMPARE(CountFirstLevelFolders(Root, Tree.Top()), 0);
    QCOMPARE(Root.FSubfolderCount, 4);
    QCOMPARE(Root.FSubfoldersDone, 0);
    QCOMPARE(CountFirstLevelFolders(Root, Tree.Path("missing")), ENOENT);
    QCOMPARE(Root.FSubfolderCount, 0);
  }

  void logicalDrives()
  {
    const std::vector<std::string> Drives = LogicalDrives();
    for (const std::string& Drive : Drives)
      QVERIFY2(Drive.ends_with('/'), Drive.c_str());
    for (const TMount& Mount : VisibleMounts())
      if (IsRealFileSystem(Mount.Type, Mount.Source) && Mount.Point == "/")
        QVERIFY(std::find(Drives.begin(), Drives.end(), "/") != Drives.end());
    QVERIFY(std::find(Drives.begin(), Drives.end(), "/proc/") == Drives.end());
  }
};

QTEST_GUILESS_MAIN(TVolumeTest)
#include "tst_volume.moc"
