#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// What the walk needs to know of one directory entry.
struct TEntryInfo {
  uint64_t Size = 0;
  uint64_t LastAccess = 0;  // file-time units
  uint64_t LastWrite = 0;
  bool IsFolder = false;
  bool IsRegular = false;
  bool IsLink = false;
};

// Identity of an open folder: its device and inode, and the mount it is on.
struct TFolderIdentity {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t MountId = 0;
  bool HasMountId = false;
};

// Reads the entries of an open folder with getdents64, and holds the other
// platform calls of the walk. Every folder open passes through Open(), where
// tests inject failures (access denied, vanished folders) that a privileged
// test run would never meet.
class TDirectory {
public:
  // Entry type codes as getdents64 reports them.
  enum TType : unsigned char { dtUnknown = 0, dtDirectory = 4, dtRegular = 8, dtLink = 10 };

  TDirectory(int Fd, char* Buffer, size_t BufferSize);

  // The next entry other than "." and ".."; false at the end or on a failure.
  bool Next(const char*& Name, unsigned char& Type);
  // errno of a failed read, 0 when the listing ended normally.
  int Error() const { return FError; }

  // Opens the folder Name relative to DirFd (a path with AT_FDCWD). Without
  // FollowLink a symbolic link is refused. Returns the descriptor or -errno.
  static int Open(int DirFd, const char* Name, bool FollowLink);
  static int Stat(int DirFd, const char* Name, bool FollowLink, TEntryInfo& Info);
  static int Identify(int Fd, TFolderIdentity& Identity);
  // Whether a failed open or listing only means "nothing there": the folder
  // vanished or is no folder any more.
  static bool IsNoMatchCode(int Code);
  // Whether Path is "/" or a folder on another device than its parent.
  static bool IsMountPoint(const std::string& Path);

  // Test hook: consulted with each folder name before it is opened; a
  // non-zero result is the errno the open then fails with.
  using TFailureInjector = std::function<int(const char* Name)>;
  static void SetFailureInjector(TFailureInjector Injector);

private:
  int FFd;
  char* FBuffer;
  size_t FBufferSize;
  long FFilled = 0;
  long FOffset = 0;
  int FError = 0;
};
