// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Mounts.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "tests/TestTree.h"

#include <QTest>

#include <cerrno>
#include <chrono>
#include <mntent.h>
#include <sys/statvfs.h>
#include <tuple>

namespace {

struct TMount {
  std::string Point;
  std::string Type;
  std::string Source;
};

// The mounts, read apart from the program's lookup; a later one on a point
// hides an earlier. Points whose names the table escapes are left out.
std::vector<TMount> VisibleMounts()
{
  std::vector<TMount> Mounts;
  std::FILE* Table = setmntent("/proc/self/mounts", "r");
  while (const mntent* Entry = Table ? getmntent(Table) : nullptr) {
    const std::string Point = Entry->mnt_dir;
    if (Point.find_first_of(" \t\n\\") != std::string::npos)
      continue;
    std::erase_if(Mounts, [&Point](const TMount& Mount) { return Mount.Point == Point; });
    Mounts.push_back({Point, Entry->mnt_type, Entry->mnt_fsname});
  }
  if (Table)
    endmntent(Table);
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

  // The drives offered are folders, "/" among them when real, /proc not;
  // each block or tmpfs mount reads as the kernel tells it.
  void realMounts()
  {
    const std::vector<std::string> Drives = LogicalDrives();
    for (const std::string& Drive : Drives)
      QVERIFY2(Drive.ends_with('/'), Drive.c_str());
    QVERIFY(std::find(Drives.begin(), Drives.end(), "/proc/") == Drives.end());
    int Checked = 0;
    for (const TMount& Mount : VisibleMounts()) {
      if (IsRealFileSystem(Mount.Type, Mount.Source) && Mount.Point == "/")
        QVERIFY(std::find(Drives.begin(), Drives.end(), "/") != Drives.end());
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
      const bool InBounds = Data.f_frsize >= 512 && Data.f_frsize <= 32768;
      QCOMPARE(Root.FClusterSize, BlockAllocating && InBounds ? uint32_t(Data.f_frsize) : 512u);
      // Where the mount table shows no mount (a chroot), the magic number
      // counts the folder alike.
      if (const std::string Type = KernelTypeByMagic(Root.FPath); !Type.empty())
        QCOMPARE(ClusterTableName(Type), ClusterTableName(Mount.Type));
      ++Checked;
    }
    if (Checked == 0)
      QSKIP("no block or tmpfs mount to check on this machine");
  }

  // A folder below its mount; a size the user chose holds until cleared.
  void folderBelowAMount()
  {
    TTestTree Tree;
    Tree.Folder("sub");
    TRoot Root;
    Root.FPath = Tree.Path("sub/");
    QCOMPARE(ReadVolumeInfo(Root), 0);
    QVERIFY(Root.FDrive != Root.FPath);
    QVERIFY(Root.FPath.starts_with(Root.FDrive));
    SetUserClusterSize(Root, 2048);
    QCOMPARE(ReadVolumeInfo(Root), 0);
    QCOMPARE(Root.FFileSystem, std::string("User Defined"));
    QCOMPARE(Root.FClusterSize, 2048u);
    ClearUserClusterSize(Root);
    QVERIFY(Root.FFileSystem != "User Defined" && Root.FFileSystem != "Unknown FS");
  }

  // A missing folder: the volume is unknown, and a size the user chose stays.
  void missingFolder()
  {
    for (const uint32_t UserSize : {0u, 2048u}) {
      TRoot Root;
      Root.FPath = "/no/such/folder/";
      if (UserSize)
        SetUserClusterSize(Root, UserSize);
      QCOMPARE(ReadVolumeInfo(Root), ENOENT);
      QCOMPARE(
        std::tuple(Root.FFileSystem, Root.FClusterSize, Root.FBytesPerSector, Root.FSectorsPerCluster, Root.FTotalKB),
        std::tuple(std::string("Unknown FS"), UserSize ? UserSize : 512u, 512u, 1u, uint64_t(0)));
      uint64_t Total = 1, Free = 1;
      QCOMPARE(GetDiskSpaceKB(Root.FPath, Total, Free), ENOENT);
      QCOMPARE(std::pair(Total, Free), std::pair(uint64_t(0), uint64_t(0)));
    }
  }

  // The progress counts the root's folders as the walk makes nodes of
  // them: hidden folders and links to folders too; a folder that cannot be
  // listed is told before any scan starts.
  void firstLevelFolders()
  {
    TTestTree Tree;
    for (const char* Name : {"a", ".hidden", "..dots"})
      Tree.Folder(Name);
    Tree.File("file", 10);
    for (const auto& [Name, Target] : {std::pair{"to-a", "a"}, {"to-file", "file"}, {"dangling", "nowhere"}})
      Tree.Link(Name, Target);
    TFolderTree Folders;
    TScanDriver Driver(Folders);
    Driver.FSettings.FShowFiles = true;
    TRoot* Root = nullptr;
    for (int Scan = 0; Scan < 3; ++Scan) {
      // Scanned again, or updated, the counts start over.
      if (Scan < 2)
        Root = Driver.StartScan(Tree.Top());
      else
        QVERIFY(Driver.UpdateBranch(Root->FNode));
      QVERIFY(Root);
      while (Driver.Scanning()) {
        Driver.WaitForResults(std::chrono::milliseconds(100));
        Driver.Drain();
      }
      QCOMPARE(std::pair(Root->FSubfolderCount, Root->FSubfoldersDone), std::pair(4, 4));
    }
    QCOMPARE(FolderError(Tree.Top()), 0);
    QCOMPARE(FolderError(Tree.Path("missing")), ENOENT);
    QCOMPARE(FolderError(Tree.Path("file")), ENOTDIR);
  }
};

QTEST_GUILESS_MAIN(TVolumeTest)
#include "tst_volume.moc"
