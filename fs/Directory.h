// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Identity of a file or folder: its device and inode, and the mount it is on.
struct TFileIdentity {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t MountId = 0;
  bool HasMountId = false;

  // A device number as the program keeps it: major above, minor below.
  static uint64_t DeviceOf(unsigned Major, unsigned Minor) { return uint64_t(Major) << 32 | Minor; }
  // Whether it lies on another mount than Parent: the mount-point test.
  bool OnOtherMountThan(const TFileIdentity& Parent) const
  {
    return HasMountId && Parent.HasMountId ? MountId != Parent.MountId : Device != Parent.Device;
  }
};

// One entry of a folder, told apart the way the whole program counts it.
struct TDirEntry {
  enum TKind : unsigned char {
    ekFolder,
    ekMountPoint,  // a folder on another mount than its parent
    ekFolderLink,  // a symbolic link to a folder
    ekFile,        // a regular file
    ekFileLink,    // a symbolic link to a regular file
    ekOtherLink,   // a dangling link, or one to a device, pipe or socket
    ekOther,       // a device, pipe or socket
  };
  const char* Name = nullptr;
  TKind Kind = ekOther;
  // Size, times and identity were read; a listing does not read folders.
  bool HasInfo = false;
  uint64_t Size = 0;
  // Space its blocks take on disk (less than Size for a sparse file); the
  // most there is when the file system does not tell.
  uint64_t DiskBytes = UINT64_MAX;
  uint32_t Links = 1;       // names the file has
  bool Executable = false;  // a regular file with an execute bit set
  uint64_t LastAccess = 0;  // file-time units
  uint64_t LastWrite = 0;
  TFileIdentity Identity;

  bool IsFolder() const { return Kind == ekFolder || Kind == ekMountPoint; }
  // A folder or a link to one: what the tree shows as a folder.
  bool LeadsToFolder() const { return IsFolder() || Kind == ekFolderLink; }
};

// The program's one way into folders on disk. A listing reads a folder with
// getdents64 and hands out its entries already told apart, reading no more
// than their kind needs: a folder costs no statx, nor does a file the caller
// does not want. Every open and every read of an entry passes the failure
// injector, where tests make calls fail as a privileged run never would.
class TDirectory {
public:
  // Which entries other than folders and links to folders the caller wants,
  // asked before anything more is read about them.
  using TWanted = std::function<bool(const char* Name, TDirEntry::TKind Kind)>;

  // Large enough that most folders are read in one getdents64 call.
  static constexpr size_t BufferSize = 64 * 1024;

  // Lists the open folder Fd, which stays the caller's, through Buffer.
  TDirectory(int Fd, char* Buffer, size_t BufferSize, TWanted Wanted = {});
  // Opens (OpenPath) and lists the folder at Path.
  explicit TDirectory(const std::string& Path, TWanted Wanted = {});
  ~TDirectory();
  TDirectory(const TDirectory&) = delete;
  TDirectory& operator=(const TDirectory&) = delete;

  // The next entry other than "." and "..": every folder and link to a
  // folder, and the rest that Wanted takes, with its info read. A listed
  // folder is ekFolder: whether it is a mount point shows once it is opened
  // (Identify), which saves a statx for each. False at the end.
  bool Next(TDirEntry& Entry);
  // errno of a failed open or read, 0 when the listing ended normally.
  int Error() const { return FError; }
  // errno of the first entry that could not be read. Entries gone since the
  // listing (ENOENT) are skipped without one.
  int EntryError() const { return FEntryError; }

  // Opens the folder Name relative to DirFd (a path with AT_FDCWD). Without
  // FollowLink a symbolic link is refused. Returns the descriptor or -errno.
  static int Open(int DirFd, const char* Name, bool FollowLink);
  // Opens the folder at Path, links followed, also beyond PATH_MAX.
  static int OpenPath(const std::string& Path);
  // The same, only to identify the folder and to reach into it: the right
  // to search it is enough, the right to list it is not needed.
  static int Reach(int DirFd, const char* Name);
  static int ReachPath(const std::string& Path);
  // Opens the file at Path to read its content: never through a link,
  // without waiting on a pipe, and where the caller owns it without its
  // reads noted in its last-access time. Returns the descriptor or -errno.
  static int OpenFile(const std::string& Path);
  // Tells what Name in the open folder DirFd is, a mount point against
  // DirFd's mount. Returns 0 or the errno.
  static int Classify(int DirFd, const char* Name, TDirEntry& Entry);
  // The same for a path of any length, "/" being a mount point; a trailing
  // "/" is ignored, so a link is told as a link. Entry.Name is not set.
  static int Classify(const std::string& Path, TDirEntry& Entry);
  static int Identify(int Fd, TFileIdentity& Identity);
  // Whether a failed open or listing only means "nothing there": the folder
  // vanished or is no folder any more.
  static bool IsNoMatchCode(int Code);
  static bool IsMountPoint(const std::string& Path);

  // Test hook: consulted with each name before it is opened or read (a path
  // when a whole path is opened); a non-zero result is the errno the call
  // then fails with.
  using TFailureInjector = std::function<int(const char* Name)>;
  static void SetFailureInjector(TFailureInjector Injector);

private:
  bool NextName(const char*& Name, unsigned char& Type);
  bool Settle(TDirEntry& Entry, unsigned Mode);
  bool Noted(int Code);

  int FFd;
  bool FOwnsFd = false;
  char* FBuffer;
  size_t FBufferSize;
  std::unique_ptr<char[]> FOwnBuffer;
  TWanted FWanted;
  long FFilled = 0;
  long FOffset = 0;
  int FError = 0;
  int FEntryError = 0;
};
