// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Directory.h"

#include "fs/FileTime.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
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

int Injected(const char* Name)
{
  TDirectory::TFailureInjector* Inject = Injector.load(std::memory_order_acquire);
  return Inject ? (*Inject)(Name) : 0;
}

// Opens a folder; Flags add O_NOFOLLOW or O_PATH. The descriptor or -errno.
int OpenAt(int DirFd, const char* Name, int Flags)
{
  if (const int Code = Injected(Name))
    return -Code;
  const int Fd = openat(DirFd, Name, Flags | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
  return Fd >= 0 ? Fd : -errno;
}

// Opens the folder at Path; the kernel takes at most PATH_MAX bytes at once,
// so a longer path is opened a piece of whole names at a time, each piece
// relative to the folder before it.
int OpenFolder(std::string Path, int Flags)
{
  if (Path.size() < PATH_MAX)
    return OpenAt(AT_FDCWD, Path.c_str(), Flags);
  Path.erase(Path.find_last_not_of('/') + 1);
  int Fd = AT_FDCWD;
  size_t Start = 0;
  while (Start < Path.size()) {
    size_t End = Path.size();
    if (End - Start >= PATH_MAX) {
      End = Path.rfind('/', Start + PATH_MAX - 1);
      if (End == std::string::npos || End <= Start)
        End = Start;  // no whole name fits: cannot be
    }
    const int Next = End == Start
      ? -ENAMETOOLONG
      : OpenAt(Fd, Path.substr(Start, End - Start).c_str(), End == Path.size() ? Flags : O_PATH);
    if (Fd != AT_FDCWD)
      close(Fd);
    if (Next < 0)
      return Next;
    Fd = Next;
    Start = Path.find_first_not_of('/', End);  // a piece never starts at the root again
  }
  return Fd;
}

TFileIdentity IdentityOf(const struct statx& Data)
{
  TFileIdentity Identity;
  Identity.Device = TFileIdentity::DeviceOf(Data.stx_dev_major, Data.stx_dev_minor);
  Identity.Inode = Data.stx_ino;
  Identity.HasMountId = (Data.stx_mask & STATX_MNT_ID) != 0;
  Identity.MountId = Identity.HasMountId ? Data.stx_mnt_id : 0;
  return Identity;
}

int StatAt(int DirFd, const char* Name, bool FollowLink, unsigned Mask, struct statx& Data)
{
  if (const int Code = Injected(Name))
    return Code;
  const int Flags = AT_NO_AUTOMOUNT | (FollowLink ? 0 : AT_SYMLINK_NOFOLLOW);
  return statx(DirFd, Name, Flags, Mask, &Data) == 0 ? 0 : errno;
}

// Reads the entry's own info; Mode gets its file type. 0 or the errno.
int ReadOwn(int DirFd, const char* Name, TDirEntry& Entry, unsigned& Mode)
{
  struct statx Data;
  const unsigned Mask = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_BLOCKS | STATX_NLINK | STATX_ATIME | STATX_MTIME
    | STATX_INO | STATX_MNT_ID;
  if (const int Code = StatAt(DirFd, Name, false, Mask, Data))
    return Code;
  Mode = Data.stx_mode & S_IFMT;
  Entry.HasInfo = true;
  Entry.Size = Data.stx_size;
  Entry.DiskBytes = Data.stx_mask & STATX_BLOCKS ? Data.stx_blocks * 512 : UINT64_MAX;
  Entry.Links = Data.stx_mask & STATX_NLINK ? Data.stx_nlink : 1;
  Entry.Executable = S_ISREG(Data.stx_mode) && (Data.stx_mask & STATX_MODE) && (Data.stx_mode & 0111);
  Entry.LastAccess = FileTime::FromUnix(Data.stx_atime.tv_sec, Data.stx_atime.tv_nsec);
  Entry.LastWrite = FileTime::FromUnix(Data.stx_mtime.tv_sec, Data.stx_mtime.tv_nsec);
  Entry.Identity = IdentityOf(Data);
  return 0;
}

TDirEntry::TKind KindOf(unsigned Mode)
{
  return Mode == S_IFDIR ? TDirEntry::ekFolder : Mode == S_IFREG ? TDirEntry::ekFile : TDirEntry::ekOther;
}

// Tells what the link Name leads to. 0, or the errno when not even the link
// itself can be read.
int Resolve(int DirFd, const char* Name, TDirEntry& Entry)
{
  struct statx Target;
  const int Code = StatAt(DirFd, Name, true, STATX_TYPE, Target);
  Entry.Kind = Code != 0       ? TDirEntry::ekOtherLink
    : S_ISDIR(Target.stx_mode) ? TDirEntry::ekFolderLink
    : S_ISREG(Target.stx_mode) ? TDirEntry::ekFileLink
                               : TDirEntry::ekOtherLink;
  if (Code == 0 || Code == ENOENT || Code == ENOTDIR || Code == ELOOP)
    return 0;  // dangling links are links all the same
  // The way to the target is barred; the link counts as dangling when it
  // can be read itself.
  unsigned Mode;
  return ReadOwn(DirFd, Name, Entry, Mode);
}

}  // namespace

TDirectory::TDirectory(int Fd, char* Buffer, size_t BufferSize, TWanted Wanted)
  : FFd(Fd), FBuffer(Buffer), FBufferSize(BufferSize), FWanted(std::move(Wanted))
{
}

TDirectory::TDirectory(const std::string& Path, TWanted Wanted)
  : TDirectory(OpenPath(Path), nullptr, BufferSize, std::move(Wanted))
{
  FOwnsFd = true;
  if (FFd < 0) {
    FError = -FFd;
    return;
  }
  FOwnBuffer = std::make_unique_for_overwrite<char[]>(BufferSize);
  FBuffer = FOwnBuffer.get();
}

TDirectory::~TDirectory()
{
  if (FOwnsFd && FFd >= 0)
    close(FFd);
}

bool TDirectory::NextName(const char*& Name, unsigned char& Type)
{
  if (FFd < 0)
    return false;
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

bool TDirectory::Next(TDirEntry& Entry)
{
  const char* Name;
  unsigned char Type;
  while (NextName(Name, Type)) {
    Entry = TDirEntry();
    Entry.Name = Name;
    if (Type == DT_DIR) {
      Entry.Kind = TDirEntry::ekFolder;
      return true;
    }
    if (Settle(Entry, DTTOIF(Type)))
      return true;
  }
  return false;
}

// Tells what an entry is from its listed type (Mode, 0 when the listing did
// not say), reading only what that leaves open. False when it is skipped:
// unwanted, gone, or unreadable (noted).
bool TDirectory::Settle(TDirEntry& Entry, unsigned Mode)
{
  if (Mode == 0 && !Noted(ReadOwn(FFd, Entry.Name, Entry, Mode)))
    return false;
  for (;;) {
    if (Mode == S_IFLNK) {
      if (!Noted(Resolve(FFd, Entry.Name, Entry)))
        return false;
    } else {
      Entry.Kind = KindOf(Mode);
    }
    if (Entry.LeadsToFolder())
      return true;
    if (!FWanted || !FWanted(Entry.Name, Entry.Kind))
      return false;
    if (Entry.HasInfo)
      return true;
    const unsigned Listed = Mode;
    if (!Noted(ReadOwn(FFd, Entry.Name, Entry, Mode)))
      return false;
    if (Mode == Listed)
      return true;
    // Replaced since the listing: told again from what it is now.
  }
}

bool TDirectory::Noted(int Code)
{
  if (Code != 0 && Code != ENOENT && FEntryError == 0)
    FEntryError = Code;
  return Code == 0;
}

int TDirectory::Open(int DirFd, const char* Name, bool FollowLink)
{
  return OpenAt(DirFd, Name, FollowLink ? 0 : O_NOFOLLOW);
}

int TDirectory::OpenPath(const std::string& Path)
{
  return OpenFolder(Path, 0);
}

int TDirectory::Reach(int DirFd, const char* Name)
{
  return OpenAt(DirFd, Name, O_PATH);
}

int TDirectory::ReachPath(const std::string& Path)
{
  return OpenFolder(Path, O_PATH);
}

int TDirectory::OpenFile(const std::string& Path)
{
  const size_t Slash = Path.rfind('/');
  const std::string Name = Slash == std::string::npos ? Path : Path.substr(Slash + 1);
  if (const int Code = Injected(Name.c_str()))
    return -Code;
  constexpr int Flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  // Reads left unnoted where the file is the caller's; another's refuses it.
  const auto Opened = [](int Folder, const char* Name) {
    const int Fd = openat(Folder, Name, Flags | O_NOATIME);
    return Fd >= 0 || errno != EPERM ? Fd : openat(Folder, Name, Flags);
  };
  if (Path.size() < PATH_MAX) {
    const int Fd = Opened(AT_FDCWD, Path.c_str());
    return Fd >= 0 ? Fd : -errno;
  }
  // A longer path: its folder opened a piece at a time.
  const int Folder = OpenFolder(Path.substr(0, Slash), O_PATH);
  if (Folder < 0)
    return Folder;
  const int Fd = Opened(Folder, Name.c_str());
  const int Code = errno;
  close(Folder);
  return Fd >= 0 ? Fd : -Code;
}

int TDirectory::Classify(int DirFd, const char* Name, TDirEntry& Entry)
{
  Entry = TDirEntry();
  Entry.Name = Name;
  unsigned Mode;
  if (const int Code = ReadOwn(DirFd, Name, Entry, Mode))
    return Code;
  if (Mode == S_IFLNK)
    return Resolve(DirFd, Name, Entry);
  Entry.Kind = KindOf(Mode);
  TFileIdentity Parent;
  if (Entry.Kind == TDirEntry::ekFolder && Identify(DirFd, Parent) == 0 && Entry.Identity.OnOtherMountThan(Parent))
    Entry.Kind = TDirEntry::ekMountPoint;
  return 0;
}

int TDirectory::Classify(const std::string& Path, TDirEntry& Entry)
{
  const size_t End = Path.find_last_not_of('/');
  if (End == std::string::npos) {
    if (Path.empty())
      return ENOENT;
    // The root is the top of its mount, with no parent to compare with.
    Entry = TDirEntry();
    unsigned Mode;
    Entry.Kind = TDirEntry::ekMountPoint;
    return ReadOwn(AT_FDCWD, "/", Entry, Mode);
  }
  const size_t Slash = Path.rfind('/', End);
  const std::string Name = Path.substr(Slash + 1, End - Slash);
  // The parent only needs to be searched, not read.
  int DirFd = AT_FDCWD;
  if (Slash != std::string::npos && (DirFd = OpenFolder(Path.substr(0, Slash ? Slash : 1), O_PATH)) < 0)
    return -DirFd;
  const int Code = Classify(DirFd, Name.c_str(), Entry);
  Entry.Name = nullptr;
  if (DirFd != AT_FDCWD)
    close(DirFd);
  return Code;
}

int TDirectory::Identify(int Fd, TFileIdentity& Identity)
{
  struct statx Data;
  if (statx(Fd, "", AT_EMPTY_PATH, STATX_INO | STATX_MNT_ID, &Data) != 0)
    return errno;
  Identity = IdentityOf(Data);
  return 0;
}

bool TDirectory::IsNoMatchCode(int Code)
{
  return Code == ENOENT || Code == ENOTDIR;
}

bool TDirectory::IsMountPoint(const std::string& Path)
{
  TDirEntry Entry;
  return Classify(Path, Entry) == 0 && Entry.Kind == TDirEntry::ekMountPoint;
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
