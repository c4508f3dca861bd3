// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/Root.h"

#include "fs/Directory.h"
#include "fs/PathRules.h"
#include "scan/FolderNode.h"

#include <QByteArray>
#include <QStorageInfo>
#include <QUtf8StringView>

#include <array>
#include <cerrno>
#include <cmath>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

uint32_t ClusterSizeFor(const std::string& FileSystem, uint32_t BytesPerSector, uint32_t SectorsPerCluster,
                        uint64_t TotalKB)
{
  uint64_t Size;
  if (FileSystem == "FAT" || FileSystem == "NTFS")
    Size = uint64_t(BytesPerSector) * SectorsPerCluster;
  else if (FileSystem == "FAT32")
    Size = TotalKB >= 33554432 ? 32768 : TotalKB >= 16777216 ? 16384 : TotalKB >= 8388608 ? 8192 : 4096;
  else
    Size = BytesPerSector;  // "CDFS" and every other name
  return Size < 512 || Size > 33000 ? 512 : uint32_t(Size);
}

std::string ClusterTableName(const std::string& KernelType)
{
  static const std::array<const char*, 18> BlockAllocating = {
    "ext2",     "ext3", "ext4",    "xfs",   "btrfs", "f2fs",  "jfs",  "reiserfs", "nilfs2",
    "bcachefs", "zfs",  "hfsplus", "exfat", "vfat",  "msdos", "ntfs", "ntfs3",    "fuseblk"};
  for (const char* Name : BlockAllocating)
    if (KernelType == Name)
      return "NTFS";
  if (KernelType == "iso9660" || KernelType == "udf")
    return "CDFS";
  return {};
}

std::string KernelTypeByMagic(const std::string& Path)
{
  struct statfs Data;
  if (statfs(Path.c_str(), &Data) != 0)
    return {};
  switch (uint32_t(Data.f_type)) {
    case EXT4_SUPER_MAGIC: return "ext4";  // also ext2 and ext3, counted alike
    case XFS_SUPER_MAGIC: return "xfs";
    case BTRFS_SUPER_MAGIC: return "btrfs";
    case F2FS_SUPER_MAGIC: return "f2fs";
    case NILFS_SUPER_MAGIC: return "nilfs2";
    case REISERFS_SUPER_MAGIC: return "reiserfs";
    case MSDOS_SUPER_MAGIC: return "vfat";
    case EXFAT_SUPER_MAGIC: return "exfat";
    case ISOFS_SUPER_MAGIC: return "iso9660";
    case UDF_SUPER_MAGIC: return "udf";
    default: return {};
  }
}

// Rounds bytes to kilobytes, halves to even.
static uint64_t RoundedKB(unsigned __int128 Bytes)
{
  uint64_t KB = uint64_t(Bytes / 1024);
  const unsigned Rest = unsigned(Bytes % 1024);
  if (Rest > 512 || (Rest == 512 && (KB & 1)))
    ++KB;
  return KB;
}

bool GetFreeInodes(const std::string& Directory, uint64_t& Free)
{
  struct statvfs Data;
  Free = 0;
  // File systems without a fixed number of inodes (btrfs) say 0 of 0.
  if (statvfs(Directory.c_str(), &Data) != 0 || Data.f_files == 0)
    return false;
  Free = FreeSpaceIncludesReserve() ? Data.f_ffree : Data.f_favail;
  return true;
}

int GetDiskSpaceKB(const std::string& Directory, uint64_t& TotalKB, uint64_t& FreeKB)
{
  TotalKB = FreeKB = 0;
  struct statvfs Data;
  if (statvfs(Directory.c_str(), &Data) != 0)
    return errno;
  // What this user can write, as df shows it: blocks reserved for the
  // administrator count only for the administrator.
  TotalKB = RoundedKB((unsigned __int128)Data.f_blocks * Data.f_frsize);
  FreeKB = RoundedKB((unsigned __int128)(FreeSpaceIncludesReserve() ? Data.f_bfree : Data.f_bavail) * Data.f_frsize);
  return 0;
}

bool FreeSpaceIncludesReserve()
{
  return geteuid() == 0;
}

int ReadVolumeInfo(TRoot& Root)
{
  Root.FVolumeLabel.clear();
  const bool UserDefined = Root.FFileSystem == UserDefinedFileSystem;
  // The volume is looked up by the nearest folder whose name Qt can carry
  // (valid UTF-8); mount points below a name that is not are rare.
  std::string Lookup = Root.FPath;
  while (Lookup.size() > 1 && !QUtf8StringView(Lookup).isValidUtf8())
    Lookup = Lookup.substr(0, Lookup.find_last_of('/', Lookup.size() - 2) + 1);
  const QStorageInfo Storage(QString::fromUtf8(Lookup));
  Root.FDrive =
    Storage.isValid() ? TPathRules::WithSeparator(Storage.rootPath().toLocal8Bit().toStdString()) : std::string();
  std::string Type;
  if (Storage.isValid()) {
    Type = Storage.fileSystemType().toStdString();
    Root.FVolumeLabel = Storage.name().toStdString();
  }
  // A chroot or a container may show no mount holding the folder.
  if (Type.empty())
    Type = KernelTypeByMagic(Root.FPath);
  if (!UserDefined && (Storage.isValid() || !Type.empty()))
    Root.FFileSystem = Type;
  Root.FCompressed = false;  // no Linux volume reports itself compressed

  // The folder itself is queried: it is on the volume, and a missing folder
  // is told apart from a volume that has no size (a pseudo file system).
  const int Error = GetDiskSpaceKB(Root.FPath, Root.FTotalKB, Root.FFreeKB);
  struct statvfs Data;
  Root.FUsedKB = 0;
  if (Root.FTotalKB > 0 && statvfs(Root.FPath.c_str(), &Data) == 0) {
    Root.FUsedKB = RoundedKB((unsigned __int128)(Data.f_blocks - Data.f_bfree) * Data.f_frsize);
    const std::string Row = ClusterTableName(Type);
    const uint32_t Sector = Row == "CDFS" ? 2048 : 512;
    Root.FBytesPerSector = Sector;
    Root.FSectorsPerCluster = std::max<uint32_t>(1, uint32_t(Data.f_frsize / Sector));
    if (!UserDefined)
      Root.FClusterSize = ClusterSizeFor(Row, Root.FBytesPerSector, Root.FSectorsPerCluster, Root.FTotalKB);
  } else {
    if (!UserDefined)
      Root.FClusterSize = 512;
    Root.FBytesPerSector = 512;
    Root.FSectorsPerCluster = 1;
    Root.FFileSystem = UnknownFileSystem;
  }
  if (Root.FClusterSize < 512 || Root.FClusterSize > 33000)
    Root.FClusterSize = 512;
  return Error;
}

int FolderError(const std::string& Path)
{
  return TDirectory(Path).Error();
}

void SetUserClusterSize(TRoot& Root, uint32_t Bytes)
{
  Root.FClusterSize = Bytes;
  Root.FFileSystem = UserDefinedFileSystem;
}

void ClearUserClusterSize(TRoot& Root)
{
  Root.FFileSystem.clear();
  ReadVolumeInfo(Root);
}

QString ShownSource(const TRoot& Root)
{
  if (Root.FSource == "-")
    return "standard input";
  return TPathRules::Shown(Root.Remote() || Root.AsAdministrator() ? Root.FNode->FName : Root.FSource);
}
