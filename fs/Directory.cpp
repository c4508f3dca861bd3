#include "Directory.h"

#include "FileTime.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct TLinuxDirent64 {
  uint64_t d_ino;
  int64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
  char d_name[];
};

std::atomic<TDirectory::TFailureInjector*> Injector{nullptr};

}  // namespace

TDirectory::TDirectory(int Fd, char* Buffer, size_t BufferSize)
  : FFd(Fd), FBuffer(Buffer), FBufferSize(BufferSize)
{
}

bool TDirectory::Next(const char*& Name, unsigned char& Type)
{
  for (;;) {
    if (FOffset >= FFilled) {
      FFilled = syscall(SYS_getdents64, FFd, FBuffer, FBufferSize);
      FOffset = 0;
      if (FFilled <= 0) {
        FError = FFilled < 0 ? errno : 0;
        FFilled = 0;
        return false;
      }
    }
    auto* Entry = reinterpret_cast<TLinuxDirent64*>(FBuffer + FOffset);
    FOffset += Entry->d_reclen;
    const char* Text = Entry->d_name;
    if (Text[0] == '.' && (Text[1] == 0 || (Text[1] == '.' && Text[2] == 0)))
      continue;
    Name = Text;
    Type = Entry->d_type;
    return true;
  }
}

int TDirectory::Open(int DirFd, const char* Name, bool FollowLink)
{
  if (TFailureInjector* Inject = Injector.load(std::memory_order_acquire))
    if (const int Code = (*Inject)(Name))
      return -Code;
  const int Fd = openat(DirFd, Name,
                        O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK | (FollowLink ? 0 : O_NOFOLLOW));
  return Fd >= 0 ? Fd : -errno;
}

int TDirectory::Stat(int DirFd, const char* Name, bool FollowLink, TEntryInfo& Info)
{
  struct statx Data;
  const int Flags = AT_NO_AUTOMOUNT | (FollowLink ? 0 : AT_SYMLINK_NOFOLLOW);
  if (statx(DirFd, Name, Flags, STATX_TYPE | STATX_SIZE | STATX_ATIME | STATX_MTIME, &Data) != 0)
    return errno;
  Info.Size = Data.stx_size;
  Info.LastAccess = FileTime::FromUnix(Data.stx_atime.tv_sec, Data.stx_atime.tv_nsec);
  Info.LastWrite = FileTime::FromUnix(Data.stx_mtime.tv_sec, Data.stx_mtime.tv_nsec);
  Info.IsFolder = S_ISDIR(Data.stx_mode);
  Info.IsRegular = S_ISREG(Data.stx_mode);
  Info.IsLink = S_ISLNK(Data.stx_mode);
  return 0;
}

int TDirectory::Identify(int Fd, TFolderIdentity& Identity)
{
  struct statx Data;
  if (statx(Fd, "", AT_EMPTY_PATH, STATX_INO | STATX_MNT_ID, &Data) != 0)
    return errno;
  Identity.Device = (uint64_t(Data.stx_dev_major) << 32) | Data.stx_dev_minor;
  Identity.Inode = Data.stx_ino;
  Identity.HasMountId = (Data.stx_mask & STATX_MNT_ID) != 0;
  Identity.MountId = Identity.HasMountId ? Data.stx_mnt_id : 0;
  return 0;
}

bool TDirectory::IsNoMatchCode(int Code)
{
  return Code == ENOENT || Code == ENOTDIR;
}

bool TDirectory::IsMountPoint(const std::string& Path)
{
  struct stat Own, Parent;
  const std::string Folder = Path.ends_with('/') ? Path : Path + "/";
  return Folder == "/"
    || (stat(Folder.c_str(), &Own) == 0 && S_ISDIR(Own.st_mode) && stat((Folder + "..").c_str(), &Parent) == 0
        && Parent.st_dev != Own.st_dev);
}

void TDirectory::SetFailureInjector(TFailureInjector Function)
{
  // The previous injector is kept alive: a worker may still be calling it.
  static std::unique_ptr<TFailureInjector> Previous;
  static std::unique_ptr<TFailureInjector> Installed;
  Previous = std::move(Installed);
  Installed = Function ? std::make_unique<TFailureInjector>(std::move(Function)) : nullptr;
  Injector.store(Installed.get(), std::memory_order_release);
}
