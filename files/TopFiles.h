// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct TDirEntry;
class TFolderNode;

// The first files of one scan in one order (largest, newest, ...), offered
// by the scan's workers as they count them: only as many are kept as are
// asked for, a file with several names (hard links) once, by its first name in path
// order. Ties go by path, bytewise.
class TTopFiles {
public:
  enum TOrder { toSize, toAllocated, toNewest, toOldest };
  struct TFile {
    std::string Path;
    uint64_t Size;
    uint64_t Allocated;
    uint64_t LastWrite;  // file-time units
    uint64_t LastAccess;
    uint64_t Device;
    uint64_t Inode;
    uint64_t Links;
    uint8_t Kind;
  };
  using TKindOf = std::function<uint8_t(const char* Name, bool Executable)>;

  TTopFiles(size_t Count, TOrder Order, bool LinksOnce, TKindOf KindOf);
  TTopFiles(const TTopFiles&) = delete;
  TTopFiles& operator=(const TTopFiles&) = delete;

  // "size", "allocated", "newest" or "oldest"; false for anything else.
  static bool OrderNamed(const std::string& Name, TOrder& Order);
  // A file the scan counted, Entry as listed in Folder. Any thread.
  void Offer(const TFolderNode* Folder, const TDirEntry& Entry);
  // The files kept, the first first.
  std::vector<TFile> Ranked() const;

private:
  struct TRanked {
    uint64_t Key;  // the larger, the earlier
    TFile File;
    bool operator<(const TRanked& Other) const
    {
      return Key != Other.Key ? Key > Other.Key : File.Path < Other.File.Path;
    }
  };
  uint64_t KeyOf(const TFile& File) const;

  const size_t FCount;
  const TOrder FOrder;
  const bool FLinksOnce;
  const TKindOf FKindOf;
  mutable std::mutex FMutex;
  std::set<TRanked> FKept;
  // The files with several names among them, by device and inode.
  std::map<std::pair<uint64_t, uint64_t>, std::set<TRanked>::iterator> FLinked;
  // Once as many are kept as asked for: the last one's key, below which
  // an offer is turned down without the lock.
  std::atomic<uint64_t> FBar{0};
  std::atomic<uint32_t> FClusterSize{0};  // of the scan's root, once known
};
