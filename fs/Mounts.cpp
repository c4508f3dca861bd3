// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Mounts.h"

#include "fs/PathRules.h"

#include <QStorageInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <linux/magic.h>
#include <sys/vfs.h>

namespace {

// Not in linux/magic.h.
constexpr uint32_t ConfigfsMagic = 0x62656570;
constexpr uint32_t FusectlMagic = 0x65735543;
constexpr uint32_t MqueueMagic = 0x19800202;

// The type of the mount with that id, from the process's mount table.
std::string MountType(uint64_t MountId)
{
  std::ifstream Table("/proc/self/mountinfo");
  std::string Line;
  while (std::getline(Table, Line)) {
    const size_t Dash = Line.find(" - ");
    if (Dash != std::string::npos && std::strtoull(Line.c_str(), nullptr, 10) == MountId)
      return Line.substr(Dash + 3, Line.find(' ', Dash + 3) - Dash - 3);
  }
  return {};
}

}  // namespace

bool IsRealFileSystem(const std::string& Type, const std::string& Device)
{
  static const std::array<const char*, 6> Network = {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs", "fuseblk"};
  for (const char* Name : Network)
    if (Type == Name)
      return true;
  static const std::array<const char*, 3> Images = {"squashfs", "overlay", "tmpfs"};
  for (const char* Name : Images)
    if (Type == Name)
      return false;
  return Device.starts_with("/dev/");
}

std::vector<std::string> LogicalDrives()
{
  std::vector<std::string> Drives;
  for (const QStorageInfo& Volume : QStorageInfo::mountedVolumes())
    if (Volume.isValid() && IsRealFileSystem(Volume.fileSystemType().toStdString(), Volume.device().toStdString()))
      Drives.push_back(TPathRules::WithSeparator(Volume.rootPath().toLocal8Bit().toStdString()));
  return Drives;
}

int MountTop(const std::string& Folder, std::string& Top)
{
  char* Real = realpath(Folder.c_str(), nullptr);
  if (!Real)
    return errno;
  Top = Real;
  std::free(Real);
  // Up the real path to the first folder on another mount than its parent;
  // the root always is one.
  for (;; Top.erase(std::max<size_t>(Top.find_last_of('/'), 1))) {
    TDirEntry Entry;
    if (const int Code = TDirectory::Classify(Top, Entry))
      return Code;
    if (Entry.Kind == TDirEntry::ekMountPoint) {
      Top = TPathRules::WithSeparator(Top);
      return 0;
    }
  }
}

bool IsPseudoFileSystem(int Fd, const TFileIdentity& Identity)
{
  struct statfs Data;
  if (fstatfs(Fd, &Data) != 0)
    return false;
  static constexpr std::array<uint32_t, 17> Pseudo = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,        CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, DEBUGFS_MAGIC, TRACEFS_MAGIC,
    SECURITYFS_MAGIC, DEVPTS_SUPER_MAGIC, BPF_FS_MAGIC,       PSTOREFS_MAGIC,      ConfigfsMagic, MqueueMagic,
    HUGETLBFS_MAGIC,  AUTOFS_SUPER_MAGIC, FusectlMagic,       EFIVARFS_MAGIC,      BINFMTFS_MAGIC};
  const auto Type = uint32_t(Data.f_type);
  if (std::find(Pseudo.begin(), Pseudo.end(), Type) != Pseudo.end())
    return true;
  return Type == TMPFS_MAGIC && Identity.HasMountId && MountType(Identity.MountId) == "devtmpfs";
}
