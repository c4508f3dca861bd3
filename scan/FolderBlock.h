// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderData.h"

#include <cstddef>
#include <string_view>
#include <vector>

class TFolderNode;

// The sub-folders one listing found, made together: their nodes side by side
// in one allocation, their names after them, and a "<Files>" entry last when
// asked for. Beside them it keeps what the parent's own files added. A worker
// makes a block; the tree hands it to the parent, which frees it with its
// children. A node taken out of the tree alone stays in its block, emptied,
// until the block goes.
class TFolderBlock {
public:
  TFolderBlock(const TFolderBlock&) = delete;
  TFolderBlock& operator=(const TFolderBlock&) = delete;

  // A block of Names below Parent, followed by a "<Files>" entry holding Own
  // when FilesEntry.
  static TFolderBlock* Make(TFolderNode* Parent, const std::vector<std::string_view>& Names, const TFileCount& Own,
                            bool FilesEntry);
  // Frees the block, and the blocks chained after it, with their nodes;
  // their subtrees must be gone already.
  static void Free(TFolderBlock* Block);

  TFolderNode* Parent() const { return FParent; }
  size_t Count() const { return FCount; }
  TFolderNode* Node(size_t Index) const;
  const TFileCount& Own() const { return FOwn; }
  void TakeOwn(const TFileCount& Files);

  // An earlier block of the same parent (the newest comes first).
  TFolderBlock* FNext = nullptr;

private:
  TFolderBlock() = default;
  ~TFolderBlock() = default;
  static size_t NodesOffset();

  TFolderNode* FParent = nullptr;
  size_t FCount = 0;
  TFileCount FOwn;
};
