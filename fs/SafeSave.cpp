// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/SafeSave.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {

// The signals that end a program, and with it the writing of a file.
const int EndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ, SIGABRT, SIGSEGV, SIGBUS};

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
    for (const int Signal : EndingSignals)
      FOld.push_back(std::signal(Signal, RemovePending));
  }
  ~TPendingName()
  {
    size_t Index = 0;
    for (const int Signal : EndingSignals)
      std::signal(Signal, FOld[Index++]);
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

// A folder all may write to, where only the owner of a name may remove it.
bool Shared(const struct stat& Folder)
{
  return (Folder.st_mode & S_ISVTX) && (Folder.st_mode & S_IWOTH);
}

// Where a path leads: its folder, open, and the last name in it.
struct TPlace {
  int Folder = -1;
  std::string Name;
  TPlace() = default;
  TPlace(const TPlace&) = delete;
  TPlace& operator=(const TPlace&) = delete;
  ~TPlace()
  {
    if (Folder >= 0)
      close(Folder);
  }
  void Enter(int Next)
  {
    if (Folder >= 0)
      close(Folder);
    Folder = Next;
  }
};

void Split(const std::string& Path, std::deque<std::string>& Names, bool Front)
{
  std::vector<std::string> Parts;
  for (size_t Start = 0; Start <= Path.size();) {
    const size_t End = std::min(Path.find('/', Start), Path.size());
    Parts.push_back(Path.substr(Start, End - Start));
    Start = End + 1;
  }
  if (Front)
    Names.insert(Names.begin(), Parts.begin(), Parts.end());
  else
    Names.insert(Names.end(), Parts.begin(), Parts.end());
}

// Follows Path one name at a time, as the kernel would, but for a link in a
// shared folder that neither the caller nor the folder's owner made.
// Place gets the folder found and the name the file has or will have in
// it; false with Error when the path leads nowhere a file can be written.
bool Find(const std::string& Path, TPlace& Place, std::string& Error)
{
  if (Path.empty()) {
    Error = std::strerror(ENOENT);
    return false;
  }
  Place.Enter(open(Path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  std::string Walked = Path[0] == '/' ? "" : ".";  // for messages
  std::deque<std::string> Names;
  Split(Path, Names, false);
  int Links = 0;
  while (!Names.empty() && Place.Folder >= 0) {
    const std::string Name = std::move(Names.front());
    Names.pop_front();
    const bool Last = Names.empty();
    if (Name.empty() || Name == ".") {
      if (Last)
        break;  // the path ends in a folder
      continue;
    }
    struct stat Data;
    if (fstatat(Place.Folder, Name.c_str(), &Data, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT && Last) {
        Place.Name = Name;
        return true;
      }
      Error = errno == ENOENT ? "there is no folder " + Walked + "/" + Name : std::strerror(errno);
      return false;
    }
    if (S_ISLNK(Data.st_mode)) {
      struct stat Folder;
      if (fstat(Place.Folder, &Folder) != 0) {
        Error = std::strerror(errno);
        return false;
      }
      if (Shared(Folder) && Data.st_uid != geteuid() && Data.st_uid != Folder.st_uid) {
        Error = Walked + "/" + Name + " is a link another user made in a folder all may write to: it is not followed";
        return false;
      }
      std::string Target(PATH_MAX, '\0');
      const ssize_t Length = readlinkat(Place.Folder, Name.c_str(), Target.data(), Target.size());
      if (++Links > 40 || Length <= 0) {
        Error = std::strerror(Length <= 0 ? errno : ELOOP);
        return false;
      }
      Target.resize(size_t(Length));
      if (Target[0] == '/') {
        Place.Enter(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        Walked.clear();
      }
      Split(Target, Names, true);
      continue;
    }
    if (S_ISDIR(Data.st_mode)) {
      if (Last)
        break;
      Place.Enter(openat(Place.Folder, Name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      Walked += "/" + Name;
      continue;
    }
    if (!Last) {
      Error = Walked + "/" + Name + ": " + std::strerror(ENOTDIR);
      return false;
    }
    Place.Name = Name;
    return true;
  }
  Error = std::strerror(Place.Folder < 0 ? errno : EISDIR);
  return false;
}

// A file of another user in a shared folder, which the kernel's
// protected_regular keeps from others; kept here too.
bool Planted(int Place, const struct stat& File)
{
  struct stat Folder;
  return S_ISREG(File.st_mode) && fstat(Place, &Folder) == 0 && Shared(Folder) && File.st_uid != geteuid()
    && File.st_uid != Folder.st_uid;
}

// Writes through Fd, which is given up; errno says why it failed.
bool WriteTo(int Fd, const std::function<bool(std::FILE*)>& Write, int& Code)
{
  std::FILE* File = Fd >= 0 ? fdopen(Fd, "w") : nullptr;
  if (!File) {
    Code = errno;
    if (Fd >= 0)
      close(Fd);
    return false;
  }
  errno = 0;
  struct stat Data;
  const bool Regular = fstat(Fd, &Data) == 0 && S_ISREG(Data.st_mode);
  if (!Write(File) || std::fflush(File) != 0 || (Regular && fsync(Fd) != 0))
    Code = errno ? errno : EIO;
  if (std::fclose(File) != 0 && !Code)
    Code = errno;
  return !Code;
}

mode_t Umask()
{
  const mode_t Mask = umask(0);
  umask(Mask);
  return Mask;
}

}  // namespace

int TSafeSave::HandedOver(const std::string& FileName)
{
  if (FileName == "-" || FileName == "/dev/stdout")
    return 1;
  if (FileName == "/dev/stderr")
    return 2;
  for (const char* Prefix : {"/dev/fd/", "/proc/self/fd/"})
    if (FileName.starts_with(Prefix)) {
      const std::string Number = FileName.substr(std::strlen(Prefix));
      char* End = nullptr;
      const long Fd = std::strtol(Number.c_str(), &End, 10);
      if (!Number.empty() && !*End && Fd >= 0 && Fd <= INT_MAX)
        return int(Fd);
    }
  return -1;
}

bool TSafeSave::Check(const std::string& FileName, std::string& Error)
{
  if (const int Fd = HandedOver(FileName); Fd >= 0) {
    const int Flags = fcntl(Fd, F_GETFL);
    if (Flags >= 0 && (Flags & O_ACCMODE) != O_RDONLY)
      return true;
    Error = Flags < 0 ? "no such descriptor is open" : "it is not open for writing";
    return false;
  }
  TPlace Place;
  if (!Find(FileName, Place, Error))
    return false;
  struct stat File;
  const bool Exists = fstatat(Place.Folder, Place.Name.c_str(), &File, AT_SYMLINK_NOFOLLOW) == 0;
  if (Exists && S_ISSOCK(File.st_mode)) {
    Error = "a socket cannot be written";
    return false;
  }
  if (Exists && !S_ISREG(File.st_mode))
    return true;  // a pipe or a device, written as it is
  if (Exists && Planted(Place.Folder, File)) {
    Error = std::strerror(EACCES);
    return false;
  }
  struct statvfs Volume;
  if (fstatvfs(Place.Folder, &Volume) == 0 && (Volume.f_flag & ST_RDONLY)) {
    Error = std::strerror(EROFS);
    return false;
  }
  // A new name in the folder, or the file itself in place.
  if (faccessat(Place.Folder, ".", W_OK | X_OK, AT_EACCESS) == 0
      || (Exists && faccessat(Place.Folder, Place.Name.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) == 0))
    return true;
  Error = std::strerror(errno);
  return false;
}

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

bool TSafeSave::Stream(const std::string& FileName, const std::function<bool(std::FILE*)>& Write, std::string& Error,
                       mode_t NewMode)
{
  int Code = 0;
  const auto Failed = [&Error, &Code](int Why) {
    Error = std::strerror(Why ? Why : Code);
    return false;
  };
  // What the shell handed over: the descriptor itself, at its own place.
  if (const int Given = HandedOver(FileName); Given >= 0)
    return WriteTo(fcntl(Given, F_DUPFD_CLOEXEC, 3), Write, Code) || Failed(Code);
  TPlace Place;
  return Find(FileName, Place, Error) && StreamAt(Place.Folder, Place.Name, Write, Error, NewMode);
}

bool TSafeSave::StreamAt(int Folder, const std::string& File, const std::function<bool(std::FILE*)>& Write,
                         std::string& Error, mode_t NewMode)
{
  int Code = 0;
  const auto Failed = [&Error, &Code](int Why) {
    Error = std::strerror(Why ? Why : Code);
    return false;
  };
  const char* Name = File.c_str();
  // Twice at most: a file made under the name while this one was written
  // is then replaced as any file there before.
  for (int Try = 0; Try < 2; ++Try) {
    struct stat Old;
    const bool Exists = fstatat(Folder, Name, &Old, AT_SYMLINK_NOFOLLOW) == 0;
    if (Exists && (S_ISFIFO(Old.st_mode) || S_ISCHR(Old.st_mode) || S_ISSOCK(Old.st_mode)))
      return WriteTo(openat(Folder, Name, O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC), Write, Code) || Failed(Code);
    if (Exists && (!S_ISREG(Old.st_mode) || Planted(Folder, Old)))
      return Failed(S_ISREG(Old.st_mode) ? EACCES : EISDIR);
    // A new file without a name until it is whole; where the file system
    // cannot, one with a short name that an interruption takes away.
    std::string Temporary;
    std::unique_ptr<TPendingName> Pending;
    int Fd = openat(Folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (Fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
      for (int Again = 0; Again < 16 && Fd < 0; ++Again) {
        Temporary = ShortName();
        Fd = openat(Folder, Temporary.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (Fd < 0 && errno != EEXIST)
          break;
      }
      if (Fd >= 0)
        Pending = std::make_unique<TPendingName>(Folder, Temporary);
    }
    // A folder the writer may not add to: the file itself, written in place.
    if (Fd < 0 && Exists && (errno == EACCES || errno == EPERM || errno == EROFS)) {
      Fd = openat(Folder, Name, O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
      if (Fd < 0 || ftruncate(Fd, 0) != 0) {
        Code = errno;
        if (Fd >= 0)
          close(Fd);
        return Failed(Code);
      }
      if (!WriteTo(Fd, Write, Code))
        return Failed(Code);
      Error = "written in place, not atomically: its folder takes no new file";
      return true;
    }
    if (Fd < 0)
      return Failed(errno);
    // Its mode is the file's, or a new file's; its owner is the writer, never
    // given away.
    const mode_t Mode = Exists ? Old.st_mode & 07777 : NewMode & ~Umask() & 07777;
    const int Kept = fcntl(Fd, F_DUPFD_CLOEXEC, 3);
    if (fchmod(Fd, Mode) != 0 || Kept < 0) {
      Code = errno;
      close(Fd);
    } else {
      WriteTo(Fd, Write, Code);
    }
    const std::string Unnamed = "/proc/self/fd/" + std::to_string(Kept);
    bool Taken = false;  // the name was made meanwhile: once more, as a file there
    if (!Code && Temporary.empty() && !Exists) {
      // A new name given at once, whole: no empty file is ever seen there.
      if (linkat(AT_FDCWD, Unnamed.c_str(), Folder, Name, AT_SYMLINK_FOLLOW) != 0)
        errno == EEXIST ? void(Taken = true) : void(Code = errno);
    } else if (!Code && Temporary.empty()) {
      // Named only now, under a short name, and put in place at once.
      Temporary = ShortName();
      Pending = std::make_unique<TPendingName>(Folder, Temporary);
      if (linkat(AT_FDCWD, Unnamed.c_str(), Folder, Temporary.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        Code = errno;
        Temporary.clear();
      }
    }
    if (!Code && !Temporary.empty()) {
      // Over an old file, or to a new name that must still be free.
      if (renameat2(Folder, Temporary.c_str(), Folder, Name, Exists ? 0 : RENAME_NOREPLACE) != 0) {
        const int Why = errno;
        // A file system that cannot refuse by itself: a link refuses.
        if (Why == EINVAL && !Exists && linkat(Folder, Temporary.c_str(), Folder, Name, 0) != 0)
          errno == EEXIST ? void(Taken = true) : void(Code = errno);
        else if (Why == EEXIST)
          Taken = true;
        else if (Why != EINVAL || Exists)
          Code = Why;
      }
    }
    if (!Temporary.empty() && (Code || Taken || faccessat(Folder, Temporary.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) == 0))
      unlinkat(Folder, Temporary.c_str(), 0);
    Pending.reset();
    if (Kept >= 0)
      close(Kept);
    if (Code)
      return Failed(Code);
    if (!Taken)
      return true;
  }
  return Failed(EEXIST);
}
