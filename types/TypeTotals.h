// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the files of a tree come to by extension: for each extension (as
// TFileClass tells it; files with none apart by class, so programs apart
// from the rest) its class, how many files, their size, the space they take
// and the largest of them. Files come one at a time, from any thread (a
// scan's workers); a file with several names once when LinksOnce.
class TTypeTotals {
public:
  struct TType {
    std::string Extension;  // lower case; empty for none
    uint8_t Kind = 0;       // a TFileClass::TKind
    uint64_t Files = 0;
    uint64_t Size = 0;
    uint64_t Allocated = 0;
    uint64_t Largest = 0;  // the size of the largest file
  };

  explicit TTypeTotals(bool LinksOnce) : FLinksOnce(LinksOnce) {}
  TTypeTotals(const TTypeTotals&) = delete;
  TTypeTotals& operator=(const TTypeTotals&) = delete;

  // A file counted; Device and Inode matter only with Links above 1.
  void Add(std::string_view Name, uint64_t Size, uint64_t Allocated, bool Executable, uint64_t Links, uint64_t Device,
           uint64_t Inode);
  // The largest size first; ties by extension, then class.
  std::vector<TType> Ranked() const;

private:
  const bool FLinksOnce;
  mutable std::mutex FMutex;
  std::map<std::pair<std::string, uint8_t>, TType> FTypes;
  std::set<std::pair<uint64_t, uint64_t>> FLinked;  // files with several names met
};
