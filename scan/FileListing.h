// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ExcludeRules.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One file of a folder as the details list shows it.
struct TListedFile {
  std::string Name;
  uint64_t Size;
  uint64_t DiskBytes;   // taken on disk: less than Size for a sparse file
  uint64_t LastAccess;  // file-time units
  uint64_t LastWrite;
  bool Executable = false;  // a regular file with an execute bit set
  uint64_t Links = 1;
  uint64_t Device = 0;  // as the scan tells devices apart
  uint64_t Inode = 0;
};

// Lists the files (not the folders) of one folder that match a filter: once
// per pattern a file matches, in pattern order, as the scan counts them.
class TFileListing {
public:
  // Folder may be of any length. Returns 0, or the errno when the folder
  // cannot be listed or one of its files cannot be read. Stop, when given,
  // is asked now and then whether the listing is still wanted. Files the
  // scan's Exclude rules leave out are left out, Below being the folder's
  // path below the scanned one.
  static int List(const std::string& Folder, const std::vector<std::string>& Patterns, std::vector<TListedFile>& Files,
                  const std::function<bool()>& Stop = {}, const TExcludeRules& Exclude = TExcludeRules(),
                  const std::string& Below = {});
};
