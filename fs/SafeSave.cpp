// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeSave.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// The file a path names once its symbolic links are followed, whether that
// file exists yet or not.
static std::string LinkTarget(std::string Path)
{
  for (int Hops = 0; Hops < 40; ++Hops) {
    struct stat Data;
    if (lstat(Path.c_str(), &Data) != 0 || !S_ISLNK(Data.st_mode))
      break;
    std::string Link(size_t(Data.st_size > 0 ? Data.st_size : 4096) + 1, '\0');
    const ssize_t Length = readlink(Path.c_str(), Link.data(), Link.size());
    if (Length <= 0 || size_t(Length) >= Link.size())
      break;
    Link.resize(size_t(Length));
    const size_t Slash = Path.find_last_of('/');
    Path = Link.starts_with('/') || Slash == std::string::npos ? Link : Path.substr(0, Slash + 1) + Link;
  }
  return Path;
}

bool TSafeSave::Write(const QString& FileName, const QByteArray& Data, QString& Error)
{
  std::string Reason;
  const bool Written = Stream(FileName.toLocal8Bit().toStdString(), [&Data](std::FILE* File) {
    return std::fwrite(Data.constData(), 1, size_t(Data.size()), File) == size_t(Data.size());
  }, Reason);
  Error = QString::fromLocal8Bit(Reason);
  return Written;
}

bool TSafeSave::Stream(const std::string& FileName, const std::function<bool(std::FILE*)>& Write, std::string& Error)
{
  const std::string Target = LinkTarget(FileName);
  struct stat Existing;
  const bool Exists = stat(Target.c_str(), &Existing) == 0;
  const bool Special = Exists && !S_ISREG(Existing.st_mode);
  std::string Temporary = Target + ".XXXXXX";
  const int Fd = Special ? -1 : mkstemp(Temporary.data());
  int Code = 0;
  std::FILE* File = nullptr;
  if (Special) {
    File = std::fopen(Target.c_str(), "w");
  } else if (Fd >= 0) {
    const mode_t Mask = umask(0);
    umask(Mask);
    if (Exists && fchown(Fd, Existing.st_uid, Existing.st_gid) != 0) {
      // Not ours to give away: the file becomes the writer's.
    }
    if (fchmod(Fd, Exists ? Existing.st_mode & 07777 : 0666 & ~Mask) != 0 || !(File = fdopen(Fd, "w"))) {
      Code = errno;
      close(Fd);
    }
  }
  if (!File && !Code)
    Code = errno;
  if (File) {
    errno = 0;
    if (!Write(File) || std::fflush(File) != 0 || (!Special && fsync(fileno(File)) != 0))
      Code = errno ? errno : EIO;
    if (std::fclose(File) != 0 && !Code)
      Code = errno;
    if (!Special && !Code && std::rename(Temporary.c_str(), Target.c_str()) != 0)
      Code = errno;
  }
  if (Code && !Special && Fd >= 0)
    unlink(Temporary.c_str());
  if (Code)
    Error = std::strerror(Code);
  return Code == 0;
}
