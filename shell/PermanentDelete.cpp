// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PermanentDelete.h"

#include "fs/Directory.h"
#include "fs/PathRules.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

QString SystemText(int Code)
{
  return QString::fromLocal8Bit(std::strerror(Code));
}

// Whether Fd is a folder of the mount Mount is of: the same device, and the
// same mount where the system tells (a bind mount shares the device).
bool OnMount(int Fd, const TFileIdentity& Mount)
{
  TFileIdentity Identity;
  return TDirectory::Identify(Fd, Identity) == 0 && Identity.Device == Mount.Device
    && (!Identity.HasMountId || !Mount.HasMountId || Identity.MountId == Mount.MountId);
}

// Empties the folder Name of the open folder Parent, on the mount of Mount,
// without recursion, until Stop is set; the first thing that stays is told
// in Reason, the count of those that stay is returned.
size_t EmptyFolder(int Parent, const std::string& Name, const TFileIdentity& Mount, const std::string& Path,
                   QString& Reason, uint64_t& Freed, const std::atomic<bool>* Stop)
{
  size_t Stayed = 0;
  const auto Stays = [&](const std::string& Where, const QString& Why) {
    if (Stayed++ == 0)
      Reason = QCoreApplication::translate("TPermanentDelete", "%1 stays: %2").arg(TPathRules::Shown(Where), Why);
  };
  struct TLevel {
    DIR* Dir;
    std::string Path;        // for messages
    bool Keeps = false;      // something in it stays, so it does too
    bool ReadAgain = false;  // read from its start once more
  };
  std::vector<TLevel> Levels;
  const auto Enter = [&](int In, const char* Entry, const std::string& Where) {
    const int Fd = openat(In, Entry, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (Fd < 0) {
      Stays(Where, SystemText(errno));
      return false;
    }
    if (!OnMount(Fd, Mount)) {
      Stays(Where, QCoreApplication::translate("TPermanentDelete", "another file system is mounted there"));
      close(Fd);
      return false;
    }
    DIR* Dir = fdopendir(Fd);
    if (!Dir) {
      Stays(Where, SystemText(errno));
      close(Fd);
      return false;
    }
    Levels.push_back({Dir, Where});
    return true;
  };
  if (!Enter(Parent, Name.c_str(), Path))
    return Stayed;
  while (!Levels.empty()) {
    TLevel& Level = Levels.back();
    if (Stop && Stop->load(std::memory_order_relaxed)) {
      Stays(Level.Path, QCoreApplication::translate("TPermanentDelete", "stopped"));
      for (TLevel& Open : Levels)
        closedir(Open.Dir);
      return Stayed;
    }
    errno = 0;
    const dirent* Entry = readdir(Level.Dir);
    if (!Entry) {
      if (errno) {
        Stays(Level.Path, SystemText(errno));
        Level.Keeps = true;
      }
      // Entries removed while it was read may hide others on some file
      // systems: it is read once more from its start before it goes.
      if (!Level.Keeps && !Level.ReadAgain) {
        Level.ReadAgain = true;
        rewinddir(Level.Dir);
        continue;
      }
      const std::string Done = Level.Path;
      const bool Keeps = Level.Keeps;
      closedir(Level.Dir);
      Levels.pop_back();
      // The folder itself goes once empty; the top is left to the caller.
      if (!Levels.empty() && !Keeps
          && unlinkat(dirfd(Levels.back().Dir), Done.substr(Done.rfind('/') + 1).c_str(), AT_REMOVEDIR) != 0) {
        Stays(Done, SystemText(errno));
        Levels.back().Keeps = true;
      } else if (!Levels.empty() && Keeps) {
        Levels.back().Keeps = true;
      }
      continue;
    }
    const std::string_view Own = Entry->d_name;
    if (Own == "." || Own == "..")
      continue;
    Level.ReadAgain = false;  // something was there: the next look from the start is worth it
    const int Fd = dirfd(Level.Dir);
    const std::string Where = Level.Path + '/' + Entry->d_name;
    struct stat Data;
    if (fstatat(Fd, Entry->d_name, &Data, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) {
        Stays(Where, SystemText(errno));
        Level.Keeps = true;
      }
      continue;
    }
    if (!S_ISDIR(Data.st_mode)) {
      if (unlinkat(Fd, Entry->d_name, 0) == 0) {
        Freed += Data.st_nlink > 1 ? 0 : uint64_t(Data.st_blocks) * 512;
      } else if (errno != ENOENT) {
        Stays(Where, SystemText(errno));
        Level.Keeps = true;
      }
      continue;
    }
    if (Levels.size() >= TPermanentDelete::MostLevels) {
      Stays(Where,
            QCoreApplication::translate("TPermanentDelete", "it is nested more than %1 levels deep")
              .arg(TPermanentDelete::MostLevels));
      Level.Keeps = true;
      continue;
    }
    if (!Enter(Fd, Entry->d_name, Where))
      Levels.back().Keeps = true;
  }
  return Stayed;
}

}  // namespace

bool TPermanentDelete::Delete(const std::string& Given, QString& Reason, TTrashed* Taken, const std::atomic<bool>* Stop)
{
  std::string Path = TPathRules::Absolute(Given);
  while (Path.size() > 1 && Path.back() == '/')
    Path.pop_back();
  if (Path == "/") {
    Reason = tr("The root folder cannot be deleted.");
    return false;
  }
  const auto Failed = [&](int Code) {
    Reason = tr("Cannot delete %1: %2").arg(TPathRules::Shown(Path), SystemText(Code));
    return false;
  };
  const size_t Slash = Path.rfind('/');
  const std::string Folder = Slash == 0 ? "/" : Path.substr(0, Slash), Name = Path.substr(Slash + 1);
  const int Parent = open(Folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (Parent < 0)
    return Failed(errno);
  struct stat Object;
  TFileIdentity Mount;
  bool Gone = false;
  uint64_t Freed = 0;  // by what went below a folder
  int Inside = -1;     // a folder to delete, opened to tell its mount
  if (fstatat(Parent, Name.c_str(), &Object, AT_SYMLINK_NOFOLLOW) != 0 || TDirectory::Identify(Parent, Mount) != 0) {
    Failed(errno);
  } else if (!S_ISDIR(Object.st_mode)) {
    Gone = unlinkat(Parent, Name.c_str(), 0) == 0;
    if (!Gone)
      Failed(errno);
  } else if (Inside = openat(Parent, Name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC); Inside < 0) {
    Failed(errno);
  } else if (!OnMount(Inside, Mount)) {
    // What is mounted there is another drive, to be emptied by itself.
    Reason = tr("%1 is where another file system is mounted: it is not deleted with it").arg(TPathRules::Shown(Path));
  } else if (const size_t Stayed = EmptyFolder(Parent, Name, Mount, Path, Reason, Freed, Stop)) {
    Reason = Stayed > 1
      ? tr("Cannot delete all of %1: %2, and %3 more").arg(TPathRules::Shown(Path), Reason, QString::number(Stayed - 1))
      : tr("Cannot delete all of %1: %2").arg(TPathRules::Shown(Path), Reason);
  } else {
    Gone = unlinkat(Parent, Name.c_str(), AT_REMOVEDIR) == 0;
    if (!Gone)
      Failed(errno);
  }
  if (Inside >= 0)
    close(Inside);
  close(Parent);
  // What went, also of a folder that stays in part: its space came free.
  if ((Gone || Freed > 0) && Taken)
    *Taken = {Given,
              {},
              uint64_t(Object.st_size),
              uint64_t(Object.st_blocks) * 512 + Freed,
              TFileIdentity::DeviceOf(major(Object.st_dev), minor(Object.st_dev)),
              Object.st_ino,
              Object.st_nlink,
              S_ISDIR(Object.st_mode)};
  return Gone;
}
