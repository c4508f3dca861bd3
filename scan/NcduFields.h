// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// ncdu stores sizes as signed 64-bit numbers.
constexpr uint64_t NcduLargestSize = uint64_t(INT64_MAX);

// The fields of one entry (or of a folder's info) that count.
struct TNcduFields {
  std::string Name;
  bool HasName = false;
  uint64_t Size = 0;
  uint64_t DiskBytes = 0;  // ncdu leaves out a size of 0
  uint64_t Device = 0;
  bool HasDevice = false;
  uint64_t Inode = 0;
  bool HasInode = false;
  uint64_t Links = 1;
  bool LinkFlag = false;
  bool ReadError = false;
  bool NotRegular = false;
  std::string Excluded;
  bool HasExcluded = false;
  int64_t WriteTime = 0;
  bool HasWriteTime = false;

  bool Linked() const { return HasInode && (Links > 1 || LinkFlag); }
  // Left out by a pattern: a file that counts nothing. Anything else left
  // out (another file system, a link) is a folder that was not entered.
  bool ExcludedFile() const { return HasExcluded && Excluded == "pattern"; }
};
