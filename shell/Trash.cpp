// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Trash.h"

#include "fs/Directory.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "shell/PermanentDelete.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QString SystemText(int Code)
{
  return QString::fromLocal8Bit(std::strerror(Code));
}

// Makes Folder (mode 0700) unless it is there; false when it cannot be had or
// is no real folder (a link planted in its place is refused).
bool MakeFolder(const std::string& Folder, QString& Reason)
{
  struct stat Data;
  if (mkdir(Folder.c_str(), 0700) != 0 && errno != EEXIST) {
    Reason = QCoreApplication::translate("TTrash", "Cannot make the Trash folder %1: %2")
               .arg(TPathRules::Shown(Folder), SystemText(errno));
    return false;
  }
  if (lstat(Folder.c_str(), &Data) != 0 || !S_ISDIR(Data.st_mode)) {
    Reason = QCoreApplication::translate("TTrash", "Cannot use %1 as a Trash folder: it is not a folder")
               .arg(TPathRules::Shown(Folder));
    return false;
  }
  return true;
}

bool MakeTrash(const std::string& Trash, QString& Reason)
{
  return MakeFolder(Trash, Reason) && MakeFolder(Trash + "/files", Reason) && MakeFolder(Trash + "/info", Reason);
}

// The Trash at the top of a mount: $top/.Trash/$uid when the administrator
// made $top/.Trash (a sticky folder, no link), else $top/.Trash-$uid.
std::string TopTrash(const std::string& Top, QString& Reason)
{
  const std::string Uid = std::to_string(getuid());
  struct stat Data;
  const std::string Shared = Top + ".Trash";
  if (lstat(Shared.c_str(), &Data) == 0 && S_ISDIR(Data.st_mode) && (Data.st_mode & S_ISVTX)) {
    QString Ignored;
    if (MakeTrash(Shared + "/" + Uid, Ignored))
      return Shared + "/" + Uid;
  }
  const std::string Own = Top + ".Trash-" + Uid;
  return MakeTrash(Own, Reason) ? Own : std::string();
}

std::string Base(const std::string& Path)
{
  std::string Trimmed = Path;
  while (Trimmed.size() > 1 && Trimmed.back() == '/')
    Trimmed.pop_back();
  return Trimmed.substr(Trimmed.find_last_of('/') + 1);
}

// Moves Path into the Trash folder Trash; the info file's Path is OriginalPath.
bool MoveInto(const std::string& Path, const std::string& Trash, const std::string& OriginalPath, int& Error)
{
  // Room for a counter and ".trashinfo" within the 255 bytes of a name.
  const std::string Name = Base(Path).substr(0, 200);
  const QByteArray Info = "[Trash Info]\nPath=" + QByteArray::fromStdString(OriginalPath).toPercentEncoding("/")
    + "\nDeletionDate=" + QDateTime::currentDateTime().toString("yyyy-MM-ddTHH:mm:ss").toLatin1() + "\n";
  for (int Counter = 1;; ++Counter) {
    const std::string Entry = Counter == 1 ? Name : Name + "." + std::to_string(Counter);
    const std::string InfoPath = Trash + "/info/" + Entry + ".trashinfo";
    // The info file is made first and exclusively: it reserves the name.
    const int Fd = open(InfoPath.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (Fd < 0 && errno == EEXIST)
      continue;
    if (Fd < 0) {
      Error = errno;
      return false;
    }
    const bool Written = write(Fd, Info.constData(), size_t(Info.size())) == Info.size();
    Error = Written ? 0 : errno ? errno : EIO;
    if (close(Fd) != 0 && !Error)
      Error = errno;
    const std::string Destination = Trash + "/files/" + Entry;
    // Something left in files/ without its info file is never replaced.
    if (!Error && renameat2(AT_FDCWD, Path.c_str(), AT_FDCWD, Destination.c_str(), RENAME_NOREPLACE) != 0) {
      Error = errno;
      struct stat Data;
      if (Error == EINVAL)  // a file system that cannot refuse by itself
        Error = lstat(Destination.c_str(), &Data) == 0          ? EEXIST
          : std::rename(Path.c_str(), Destination.c_str()) == 0 ? 0
                                                                : errno;
    }
    if (Error)
      unlink(InfoPath.c_str());
    if (Error == EEXIST || Error == ENOTEMPTY)
      continue;  // taken after all: the next name
    return !Error;
  }
}

}  // namespace

std::string TTrash::HomeTrash()
{
  const char* DataHome = getenv("XDG_DATA_HOME");
  if (DataHome && *DataHome)
    return std::string(DataHome) + "/Trash";
  const char* Home = getenv("HOME");
  return std::string(Home ? Home : "") + "/.local/share/Trash";
}

bool TTrash::MoveToTrash(const std::string& Given, QString& Reason, TTrashed* Taken)
{
  const std::string Path = TPathRules::Absolute(Given);
  const auto Failed = [&](int Code) {
    Reason = tr("Cannot move %1 to the Trash: %2").arg(TPathRules::Shown(Path), SystemText(Code));
    return false;
  };
  struct stat Object;
  if (lstat(Path.c_str(), &Object) != 0)
    return Failed(errno);
  if (Path == "/") {
    Reason = tr("The root folder cannot be moved to the Trash.");
    return false;
  }
  const auto Took = [&](const std::string& Trash) {
    if (Taken)
      *Taken = {Given,
                Trash,
                uint64_t(Object.st_size),
                uint64_t(Object.st_blocks) * 512,
                TFileIdentity::DeviceOf(major(Object.st_dev), minor(Object.st_dev)),
                Object.st_ino,
                Object.st_nlink,
                S_ISDIR(Object.st_mode)};
    return true;
  };

  // The home Trash takes what is on its own file system; the data folder
  // holding it is made when missing.
  const std::string Home = HomeTrash();
  const std::string DataFolder = Home.substr(0, Home.size() - 6);
  struct stat Data;
  if (stat(DataFolder.c_str(), &Data) != 0) {
    QDir().mkpath(TPathRules::Shown(DataFolder));
    if (stat(DataFolder.c_str(), &Data) != 0) {
      Reason = tr("Cannot make the folder %1: %2").arg(TPathRules::Shown(DataFolder), SystemText(errno));
      return false;
    }
  }
  int Error = 0;
  if (Data.st_dev == Object.st_dev) {
    if (!MakeTrash(Home, Reason))
      return false;
    if (MoveInto(Path, Home, Path, Error))
      return Took(Home);
    // Another mount of the same file system, a bind mount: no rename
    // crosses it, so that mount's own Trash takes the object.
    if (Error != EXDEV)
      return Failed(Error);
  }
  std::string Top;
  if (const int Code = MountTop(Path.substr(0, Path.find_last_of('/') + 1), Top))
    return Failed(Code);
  const std::string Trash = TopTrash(Top, Reason);
  if (Trash.empty())
    return false;
  // A mount's own Trash keeps paths relative to the mount, so they stay
  // right wherever the volume is mounted next.
  const std::string Original = Path.starts_with(Top) ? Path.substr(Top.size()) : Path;
  if (!MoveInto(Path, Trash, Original, Error))
    return Failed(Error);
  return Took(Trash);
}

std::vector<std::string> TTrash::Folders(const std::vector<std::string>& Drives)
{
  std::vector<std::string> Found;
  const auto Take = [&Found](const std::string& Folder) {
    struct stat Data;
    if (lstat(Folder.c_str(), &Data) == 0 && S_ISDIR(Data.st_mode) && Data.st_uid == getuid()
        && std::find(Found.begin(), Found.end(), Folder) == Found.end())
      Found.push_back(Folder);
  };
  Take(HomeTrash());
  const std::string Uid = std::to_string(getuid());
  for (const std::string& Drive : Drives) {
    const std::string Top = TPathRules::WithSeparator(Drive);
    struct stat Shared;
    // The administrator's shared Trash: sticky, no link.
    if (lstat((Top + ".Trash").c_str(), &Shared) == 0 && S_ISDIR(Shared.st_mode) && (Shared.st_mode & S_ISVTX))
      Take(Top + ".Trash/" + Uid);
    Take(Top + ".Trash-" + Uid);
  }
  return Found;
}

std::vector<std::string> TTrash::Entries(const std::string& Trash)
{
  std::vector<std::string> Paths;
  const std::string Files = Trash + "/files";
  // A Trash's own folder, never a link that would lead elsewhere.
  struct stat Data;
  if (lstat(Files.c_str(), &Data) != 0 || !S_ISDIR(Data.st_mode) || Data.st_uid != getuid())
    return Paths;
  TDirectory Listing(Files, [](const char*, TDirEntry::TKind) { return true; });
  TDirEntry Entry;
  while (Listing.Next(Entry))
    Paths.push_back(Files + "/" + Entry.Name);
  return Paths;
}

bool TTrash::Expunge(const std::string& Path, QString& Reason, TTrashed* Taken, const std::atomic<bool>* Stop)
{
  if (!TPermanentDelete::Delete(Path, Reason, Taken, Stop))
    return false;
  // Its record, in info/ beside files/.
  const size_t Slash = Path.rfind('/');
  const std::string Info = Path.substr(0, Path.rfind('/', Slash - 1)) + "/info" + Path.substr(Slash) + ".trashinfo";
  unlink(Info.c_str());
  return true;
}
