// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ChangeMeasure.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TFolderNode;
class TFolderTree;

// A scan's folder table at one moment, as history keeps it: each folder's
// path below the root, size, space allocated, objects, own files and last
// change. Written compactly (paths sharing their beginnings with the one
// before, numbers as varints, all compressed with zstd and checksummed)
// after a short header readable alone, so a list of snapshots costs a few
// bytes each to read.
class TFolderSnapshot {
public:
  // The format written; a file of a later one is refused.
  static constexpr uint32_t Format = 1;

  struct THeader {
    std::string Root;  // the scanned folder, absolute, ending in "/"
    int64_t Time = 0;  // when the scan ended, Unix seconds
    std::string Host;
    uint32_t ClusterSize = 0;
    std::string Options;  // how it was counted: snapshots counted otherwise compare only with a warning
    uint64_t Folders = 0;
    uint64_t Size = 0;  // the root's
    uint64_t Allocated = 0;
  };
  struct TFolder {
    std::string Path;  // below the root, "/" between names; "" for the root
    uint64_t Size = 0;
    uint64_t Allocated = 0;
    uint64_t Objects = 0;
    int64_t Files = -1;      // its own files; -1 when not known
    int64_t LastChange = 0;  // Unix seconds; 0 when not known
    TFolderTotals Totals() const { return {Size, Allocated, Objects}; }
  };

  THeader FHeader;
  std::vector<TFolder> FFolders;  // the root first, then depth first
  // Why Of took no folders from a tree it could read; empty otherwise.
  std::string FRefusal;

  // The table keeps every folder's whole path, so a tree nested thousands
  // of levels deep would take memory as its folders times its depth: a
  // table is made or read only while its paths take at most this many
  // bytes a folder on average, or this many in all.
  // How many times its own size a file's rows may unpack to.
  static constexpr uint64_t MostPacking = 256;
  static constexpr uint64_t PathBytesPerFolder = 1024;
  static constexpr uint64_t PathBytesAtLeast = 16 << 20;
  static bool PathsFit(uint64_t PathBytes, uint64_t Folders)
  {
    return PathBytes <= PathBytesAtLeast || PathBytes / PathBytesPerFolder <= Folders;
  }

  // The tree below Top as it is, on the thread that owns the tree, or
  // given the tree on another, which reads it under the tree's guard while
  // it has removed nothing since Removals; no folders once it has.
  static TFolderSnapshot Of(const TFolderNode* Top, const std::string& Options, int64_t Time,
                            const TFolderTree* Tree = nullptr, uint64_t Removals = 0);
  bool Write(std::FILE* Stream) const;
  // Reads a snapshot, or only its header; false with Error saying what is
  // wrong with the file (cut short, damaged, of a newer format).
  static bool Read(const std::string& File, TFolderSnapshot& Snapshot, std::string& Error, bool HeaderOnly = false);
};
