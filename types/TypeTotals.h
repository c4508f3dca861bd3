// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
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
// scan's workers), a file with several names (hard links) once when LinksOnce, or all
// at once from a snapshot of the tree's files.
class TTypeTotals {
public:
  struct TType {
    std::string Extension;  // lower case; empty for none
    uint8_t Kind = 0;       // a TFileClass::TKind
    uint64_t Files = 0;
    uint64_t Size = 0;
    uint64_t Allocated = 0;
    uint64_t Slack = 0;        // left unused in the files' last allocation units
    uint64_t CdRom = 0;        // on a CD-ROM's 2048-byte sectors
    uint64_t Largest = 0;      // the size of the largest file, the first met of that size
    uint32_t LargestFile = 0;  // its number in the snapshot, when counted from one
  };

  explicit TTypeTotals(bool LinksOnce) : FLinksOnce(LinksOnce) {}
  TTypeTotals(const TTypeTotals&) = delete;
  TTypeTotals& operator=(const TTypeTotals&) = delete;

  // A file counted; Device and Inode matter only with Links above 1.
  void Add(std::string_view Name, uint64_t Size, uint64_t Allocated, uint32_t ClusterSize, bool Executable,
           uint64_t Links, uint64_t Device, uint64_t Inode);
  // Every file of Files but its repeats, until Stop says no more are wanted;
  // a large snapshot on two threads.
  void Add(const TFilesSnapshot& Files, const std::function<bool()>& Stop);
  // The largest size first; ties by extension, then class.
  std::vector<TType> Ranked() const;
  static void Rank(std::vector<TType>& Types);

private:
  // The files of Files' slots From up to To.
  void AddSlots(const TFilesSnapshot& Files, size_t From, size_t To, const std::function<bool()>& Stop);
  // Counts a file under its type, its extension as the name writes it;
  // with the lock held.
  void Count(std::string_view Extension, uint8_t Kind, uint64_t Size, uint64_t Allocated, uint32_t ClusterSize,
             uint32_t Number);
  // The type of an extension as written, made when new.
  TType& TypeOf(std::string_view Extension, uint8_t Kind);
  // Other's files added, as if counted after these.
  void Merge(const TTypeTotals& Other);

  const bool FLinksOnce;
  mutable std::mutex FMutex;
  std::vector<TType> FTypes;
  // Where each type is in FTypes: extensions of up to eight bytes by their
  // letters packed in a number with the class, longer ones by name.
  std::unordered_map<uint64_t, uint32_t> FShort;
  std::map<std::pair<std::string, uint8_t>, uint32_t> FLong;
  uint64_t FLastKey = UINT64_MAX;  // of the type last counted: a folder's files often share it
  uint32_t FLast = 0;
  std::set<std::pair<uint64_t, uint64_t>> FLinked;  // files with several names met
};
