// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/OwnFolder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int TOwnFolder::Open(const std::string& Path, size_t Own, bool Make, std::string& Error)
{
  const std::string Given = Own == 0 ? "/" : Path.substr(0, Own);
  int Folder = open(Given.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (Folder < 0) {
    Error = Given + ": " + std::strerror(errno);
    return -1;
  }
  for (size_t Start = Own; Start < Path.size();) {
    const size_t End = std::min(Path.find('/', Start), Path.size());
    const std::string Name = Path.substr(Start, End - Start);
    const std::string Reached = Path.substr(0, End);
    Start = End + 1;
    if (Name.empty() || Name == ".")
      continue;
    if (Make && mkdirat(Folder, Name.c_str(), 0700) != 0 && errno != EEXIST) {
      Error = Reached + ": " + std::strerror(errno);
      close(Folder);
      return -1;
    }
    // A link the user made (to put the cache on another disk) is the user's
    // choice; one another user made is never followed.
    struct stat Entry;
    const bool OwnLink = fstatat(Folder, Name.c_str(), &Entry, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(Entry.st_mode)
      && Entry.st_uid == geteuid();
    const int Next = openat(Folder, Name.c_str(), O_PATH | O_DIRECTORY | (OwnLink ? 0 : O_NOFOLLOW) | O_CLOEXEC);
    const int Code = errno;
    close(Folder);
    struct stat Data;
    if (Next < 0 || fstat(Next, &Data) != 0 || Data.st_uid != geteuid()) {
      // A link, a file, or a folder another user made: never used.
      Error = Reached + ": "
        + (Next < 0
             ? (Code == ELOOP || Code == ENOTDIR ? "not a folder of its own but a link or a file" : std::strerror(Code))
             : "it belongs to another user");
      if (Next >= 0)
        close(Next);
      return -1;
    }
    Folder = Next;
  }
  return Folder;
}
