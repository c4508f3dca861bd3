// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <sys/stat.h>

// What tells whether a file is still the one read before: its identity,
// its length and the times it last changed.
struct TFileStamp {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Size = 0;
  int64_t Modified = 0;
  int64_t ModifiedNs = 0;
  int64_t Changed = 0;
  int64_t ChangedNs = 0;

  bool operator==(const TFileStamp&) const = default;
  static TFileStamp Of(const struct stat& Data)
  {
    return {uint64_t(Data.st_dev), uint64_t(Data.st_ino), uint64_t(Data.st_size), Data.st_mtim.tv_sec,
            Data.st_mtim.tv_nsec,  Data.st_ctim.tv_sec,   Data.st_ctim.tv_nsec};
  }
};
