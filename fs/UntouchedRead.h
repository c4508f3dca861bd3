// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <sys/stat.h>

// A file opened to read its content that leaves its last-access time as it
// was: the "accessed before" of a files list and a backup tool's choices
// must not change because the program compared a file. The kernel is asked
// not to note the reads (O_NOATIME, allowed to the owner); for a file of
// another user the time is put back when the file is closed, where that is
// allowed. Never opened through a link, nor waiting on a pipe.
class TUntouchedRead {
public:
  explicit TUntouchedRead(const std::string& Path);
  ~TUntouchedRead();
  TUntouchedRead(const TUntouchedRead&) = delete;
  TUntouchedRead& operator=(const TUntouchedRead&) = delete;

  // The descriptor, or -errno when the file could not be opened.
  int Fd() const { return FFd; }
  // The file as it was when opened (valid when Fd is).
  const struct stat& Opened() const { return FOpened; }

private:
  int FFd;
  bool FTimesToRestore = false;
  struct stat FOpened {};
};
