// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class TFilesFilter;
class TFilesSnapshot;

// Orders and filters the files of a snapshot for the files view, on any
// thread. An order holds file numbers; ties go by number in either
// direction: folders in path order, a folder's files as they were listed.
class TFilesSorter {
public:
  // The columns of the files view, and the keys they sort by.
  enum TKey { skName, skFolder, skSize, skAllocated, skLastChange, skLastAccess, skKind, skLinks, skCount };
  // Asked now and then; true makes the work stop and return nothing.
  using TStop = std::function<bool()>;

  // Every file of Files in Key's order. Names compare bytewise with the
  // letters A-Z in either case; folders by their paths, then by name.
  static std::vector<uint32_t> Sort(const TFilesSnapshot& Files, TKey Key, bool Descending, const TStop& Stop);
  // What files take: their sizes and the space allocated for them.
  struct TBytes {
    uint64_t Size = 0;
    uint64_t Allocated = 0;
  };
  // The files of Order that pass Filter, in Order's order, and what they
  // take in Bytes; repeats never pass.
  static std::vector<uint32_t> Filter(const TFilesSnapshot& Files, const std::vector<uint32_t>& Order,
                                      const TFilesFilter& Filter, const TStop& Stop, TBytes& Bytes);
  // What every file of Files but its repeats takes.
  static TBytes Total(const TFilesSnapshot& Files);
};
