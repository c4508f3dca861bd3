// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderFiles.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TFolderNode;
class TFolderTree;

// Every file below one folder, at any depth, as the files view lists them:
// the folders that hold files, each with its files' block of the tree, in
// the order of their paths (sub-folders by name). A file is known by its
// number, counting on from folder to folder. When files with several names (hard links)
// count once, each name after the first met (folders in path order) is a
// repeat, which is not listed.
//
// Made on the thread that owns the tree, or on another given the tree,
// whose guard it takes a few hundred folders at a time, so that a scan
// adding to the tree is held up only for moments. The blocks are held by a reference of the snapshot's own, so its
// files may be read on any thread while it lives, even after the tree has
// replaced them; its nodes only on the tree's thread, and only until the
// tree frees them.
class TFilesSnapshot {
public:
  struct TSlot {
    TFolderNode* Node;
    const TFolderFiles* Files;
    uint32_t First;  // the number of its first file
    uint32_t ClusterSize;
  };

  // With Tree, Top is read only while the tree has removed nothing since
  // Removals: once it has, the snapshot is left empty and Abandoned.
  TFilesSnapshot(TFolderNode* Top, bool LinksOnce, const TFolderTree* Tree = nullptr, uint64_t Removals = 0);
  ~TFilesSnapshot();
  TFilesSnapshot(const TFilesSnapshot&) = delete;
  TFilesSnapshot& operator=(const TFilesSnapshot&) = delete;

  TFolderNode* Top() const { return FTop; }
  bool Abandoned() const { return FAbandoned; }
  uint32_t Count() const { return FCount; }
  // The files that are no repeat.
  uint32_t Listed() const { return FCount - FRepeats; }
  bool HasRepeats() const { return FRepeats > 0; }
  bool Repeat(uint32_t Number) const { return FRepeats > 0 && FRepeat[Number]; }
  const std::vector<TSlot>& Slots() const { return FSlots; }
  // The slot holding file Number.
  size_t SlotOf(uint32_t Number) const;
  const TFolderFiles::TFile& File(size_t Slot, uint32_t Number) const
  {
    return (*FSlots[Slot].Files)[Number - FSlots[Slot].First];
  }

private:
  TFolderNode* FTop;
  std::vector<TSlot> FSlots;
  std::vector<uint32_t> FFirsts;  // each slot's First, close together for the search
  uint32_t FCount = 0;
  std::vector<bool> FRepeat;  // by number, when there are any
  uint32_t FRepeats = 0;
  bool FAbandoned = false;
};
