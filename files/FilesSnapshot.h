// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderFiles.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TFolderNode;

// Every file below one folder, at any depth, as the files view lists them:
// the folders that hold files, each with its files' block of the tree, in
// the order of their paths (sub-folders by name). A file is known by its
// number, counting on from folder to folder.
//
// Made and dropped on the thread that owns the tree. The blocks are held
// by a reference of the snapshot's own, so its files may be read on any
// thread while it lives, even after the tree has replaced them; its nodes
// only on the tree's thread, and only until the tree frees them.
class TFilesSnapshot {
public:
  struct TSlot {
    TFolderNode* Node;
    const TFolderFiles* Files;
    uint32_t First;        // the number of its first file
    uint32_t ClusterSize;
  };

  explicit TFilesSnapshot(TFolderNode* Top);
  ~TFilesSnapshot();
  TFilesSnapshot(const TFilesSnapshot&) = delete;
  TFilesSnapshot& operator=(const TFilesSnapshot&) = delete;

  TFolderNode* Top() const { return FTop; }
  uint32_t Count() const { return FCount; }
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
  uint32_t FCount = 0;
};
