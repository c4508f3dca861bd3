// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/UntouchedRead.h"

#include "fs/Directory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TUntouchedRead::TUntouchedRead(const std::string& Path) : FFd(TDirectory::OpenFile(Path))
{
  if (FFd < 0)
    return;
  if (fstat(FFd, &FOpened) != 0) {
    const int Code = errno;
    close(FFd);
    FFd = -Code;
    return;
  }
  FTimesToRestore = !(fcntl(FFd, F_GETFL) & O_NOATIME);
}

TUntouchedRead::~TUntouchedRead()
{
  if (FFd < 0)
    return;
  // The access time as it was; the change time moves, which only the
  // kernel may set.
  if (FTimesToRestore) {
    struct stat Now;
    if (fstat(FFd, &Now) == 0
        && (Now.st_atim.tv_sec != FOpened.st_atim.tv_sec || Now.st_atim.tv_nsec != FOpened.st_atim.tv_nsec)) {
      const struct timespec Times[2] = {FOpened.st_atim, {0, UTIME_OMIT}};
      futimens(FFd, Times);
    }
  }
  close(FFd);
}
