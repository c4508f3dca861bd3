// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TFilesSnapshot;

// What the files of a tree come to by extension: for each extension (as
// TFileClass tells it; files with none apart by class, so programs apart
// from the rest) its class, how many files, their size, the space they take
// and the largest of them. Files come one at a time from any thread (a
// scan's workers), a file with several names once when LinksOnce, or all
// at once from a snapshot of the tree's files.
class TTypeTotals {
public:
  struct TType {
    std::string Extension;  // lower case; empty for none
    uint8_t Kind = 0;       // a TFileClass::TKind
    uint64_t Files = 0;
    uint64_t Size = 0;
    uint64_t Allocated = 0;
    uint64_t Slack = 0;    // left unused in the files' last allocation units
    uint64_t CdRom = 0;    // on a CD-ROM's 2048-byte sectors
    uint64_t Largest = 0;  // the size of the largest file
    uint32_t LargestFile = 0;  // its number in the snapshot, when counted from one
  };

  explicit TTypeTotals(bool LinksOnce) : FLinksOnce(LinksOnce) {}
  TTypeTotals(const TTypeTotals&) = delete;
  TTypeTotals& operator=(const TTypeTotals&) = delete;

  // A file counted; Device and Inode matter only with Links above 1.
  void Add(std::string_view Name, uint64_t Size, uint64_t Allocated, uint32_t ClusterSize, bool Executable,
           uint64_t Links, uint64_t Device, uint64_t Inode);
  // Every file of Files but its repeats, until Stop says no more are wanted.
  void Add(const TFilesSnapshot& Files, const std::function<bool()>& Stop);
  // The largest size first; ties by extension, then class.
  std::vector<TType> Ranked() const;
  static void Rank(std::vector<TType>& Types);

private:
  // Counts a file under its type; with the lock held.
  void Count(std::string_view Extension, uint8_t Kind, uint64_t Size, uint64_t Allocated, uint32_t ClusterSize,
             uint32_t Number);

  const bool FLinksOnce;
  mutable std::mutex FMutex;
  // By the class's byte followed by the extension.
  std::unordered_map<std::string, TType> FTypes;
  std::string FKey;
  TType* FLast = nullptr;  // of FKey: a folder's files often share their type
  std::set<std::pair<uint64_t, uint64_t>> FLinked;  // files with several names met
};
