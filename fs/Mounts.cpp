#include "Mounts.h"

#include "PathRules.h"

#include <QStorageInfo>

#include <array>

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
