// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

class TFolderNode;

// Told about every change of the folder tree's shape and labels, so a view
// model can follow it. Parent is null for top nodes. Every call comes from the
// thread that owns the tree (the main thread).
class TFolderTreeListener {
public:
  virtual ~TFolderTreeListener() = default;
  virtual void TreeBeginInsert(TFolderNode* Parent, size_t First, size_t Last) = 0;
  virtual void TreeEndInsert() = 0;
  virtual void TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last) = 0;
  virtual void TreeEndRemove() = 0;
  // Children of any number of parents change their order in between.
  virtual void TreeBeginReorder() = 0;
  virtual void TreeEndReorder() = 0;
  virtual void TreeNodeChanged(TFolderNode* Node) = 0;
};
