// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/SafeSave.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The name of a temporary in the open folder PendingFolder while it has one,
// so that an interrupted program takes it away.
std::atomic<int> PendingFolder{-1};
char PendingName[16];

extern "C" void RemovePending(int Signal)
{
  if (const int Folder = PendingFolder.load(); Folder >= 0)
    unlinkat(Folder, PendingName, 0);
  std::signal(Signal, SIG_DFL);
  std::raise(Signal);
}

// Holds the name of a temporary while it exists, and the handlers that take
// it away on the signals that end a program.
class TPendingName {
public:
  TPendingName(int Folder, const std::string& Name)
  {
    std::strncpy(PendingName, Name.c_str(), sizeof PendingName - 1);
    PendingFolder = Folder;
    for (const int Signal : {SIGINT, SIGTERM, SIGHUP})
      FOld.push_back(std::signal(Signal, RemovePending));
  }
  ~TPendingName()
  {
    int Index = 0;
    for (const int Signal : {SIGINT, SIGTERM, SIGHUP})
      std::signal(Signal, FOld[size_t(Index++)]);
    PendingFolder = -1;
  }

private:
  std::vector<void (*)(int)> FOld;
};

// A short name not taken in Folder: long names stay within the limit.
std::string ShortName()
{
  static std::mt19937 Random(std::random_device{}());
  static const char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string Name = ".sl";
  for (int Index = 0; Index < 8; ++Index)
    Name += Letters[Random() % (sizeof Letters - 1)];
  return Name;
}

// Whether the last name of Path is one the kernel's protections for shared
// folders keep from another user: a link, or a file, of a user other than
// the caller and the folder's owner, in a sticky folder all may write to.
// Kept here too, for kernels where they are switched off.
bool SharedFolderRefuses(const std::string& Path)
{
  struct stat Object, Folder;
  const size_t Slash = Path.find_last_of('/');
  const std::string Parent = Slash == std::string::npos ? "." : Slash == 0 ? "/" : Path.substr(0, Slash);
  if (lstat(Path.c_str(), &Object) != 0 || stat(Parent.c_str(), &Folder) != 0)
    return false;
  const bool Shared = (Folder.st_mode & S_ISVTX) && (Folder.st_mode & S_IWOTH);
  return Shared && (S_ISLNK(Object.st_mode) || S_ISREG(Object.st_mode)) && Object.st_uid != getuid()
    && Object.st_uid != Folder.st_uid;
}

}  // namespace

bool TSafeSave::Write(const QString& FileName, const QByteArray& Data, QString& Error)
{
  std::string Reason;
  const bool Written = Stream(
    FileName.toLocal8Bit().toStdString(),
    [&Data](std::FILE* File) {
      return std::fwrite(Data.constData(), 1, size_t(Data.size()), File) == size_t(Data.size());
    },
    Reason);
  Error = QString::fromLocal8Bit(Reason);
  return Written;
}

bool TSafeSave::Stream(const std::string& FileName, const std::function<bool(std::FILE*)>& Write, std::string& Error)
{
  const auto Failed = [&Error](int Code) {
    Error = std::strerror(Code);
    return false;
  };
  if (SharedFolderRefuses(FileName))
    return Failed(EACCES);
  // The target is opened through the kernel's own resolution of its path,
  // so the kernel's rules for links and shared folders apply; it is made
  // when missing (through a link too), and only a regular file is written.
  const int Made = open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
  const bool Created = Made >= 0;
  const int Target =
    Created ? Made : open(FileName.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0666);
  struct stat Data;
  if (Target < 0 && errno != ENXIO)
    return Failed(errno);
  if (Target < 0 || fstat(Target, &Data) != 0 || !S_ISREG(Data.st_mode)) {
    if (Target >= 0)
      close(Target);
    Error = "not a regular file (a pipe, a device or a socket is written only as \"-\", standard output)";
    return false;
  }
  // Where the kernel found it: the folder that takes the new file.
  std::string Real(PATH_MAX, '\0');
  const ssize_t Length = readlink(("/proc/self/fd/" + std::to_string(Target)).c_str(), Real.data(), Real.size());
  Real.resize(Length > 0 ? size_t(Length) : 0);
  if (Real.empty())
    Real = FileName;
  const size_t Slash = Real.find_last_of('/');
  const std::string Base = Slash == std::string::npos ? Real : Real.substr(Slash + 1);
  const int Folder = open(Slash == std::string::npos ? "."
                            : Slash == 0             ? "/"
                                                     : Real.substr(0, Slash).c_str(),
                          O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (Folder < 0) {
    close(Target);
    return Failed(errno);
  }
  // A new file without a name until it is whole; where the file system
  // cannot, one with a short name that an interruption takes away.
  int Code = 0;
  std::string Temporary;
  std::unique_ptr<TPendingName> Pending;
  int Fd = openat(Folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (Fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    for (int Try = 0; Try < 16 && Fd < 0; ++Try) {
      Temporary = ShortName();
      Fd = openat(Folder, Temporary.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
      if (Fd < 0 && errno != EEXIST)
        break;
    }
    if (Fd >= 0)
      Pending = std::make_unique<TPendingName>(Folder, Temporary);
  }
  // A folder the writer may not add to: the file itself, written in place.
  const bool InPlace = Fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
  if (Fd < 0 && !InPlace)
    Code = errno;
  if (InPlace)
    Fd = dup(Target);
  std::FILE* File = Fd >= 0 ? fdopen(Fd, "w") : nullptr;
  if (Fd >= 0 && !File) {
    Code = errno;
    close(Fd);
  }
  if (File) {
    errno = 0;
    // Its mode is the file's; its owner is the writer, never given away.
    if ((!InPlace && fchmod(fileno(File), Data.st_mode & 07777) != 0) || (InPlace && ftruncate(fileno(File), 0) != 0))
      Code = errno;
    if (!Code && (!Write(File) || std::fflush(File) != 0 || fsync(fileno(File)) != 0))
      Code = errno ? errno : EIO;
    if (!Code && !InPlace && Temporary.empty()) {
      // Named only now, under a short name, and put in place at once.
      Temporary = ShortName();
      Pending = std::make_unique<TPendingName>(Folder, Temporary);
      if (linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fileno(File))).c_str(), Folder, Temporary.c_str(),
                 AT_SYMLINK_FOLLOW)
          != 0) {
        Code = errno;
        Temporary.clear();
      }
    }
    if (!Code && !InPlace && renameat(Folder, Temporary.c_str(), Folder, Base.c_str()) != 0)
      Code = errno;
    if (std::fclose(File) != 0 && !Code)
      Code = errno;
  }
  if (Code && !Temporary.empty())
    unlinkat(Folder, Temporary.c_str(), 0);
  Pending.reset();
  if (Code && Created)
    unlinkat(Folder, Base.c_str(), 0);  // nothing was there before
  close(Folder);
  close(Target);
  if (Code)
    return Failed(Code);
  if (InPlace)
    Error = "written in place, not atomically: its folder takes no new file";
  return true;
}
