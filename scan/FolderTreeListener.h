// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

class TFolderNode;

// Told about every change of the folder tree's shape and labels, so a view
// model can follow it and a part that holds nodes can let go of them before
// they are freed (TreeBeginRemove). Parent is null for top nodes. Every call
// comes from the thread that owns the tree (the main thread). A listener
// hears only what it overrides.
class TFolderTreeListener {
public:
  virtual ~TFolderTreeListener() = default;
  virtual void TreeBeginInsert(TFolderNode* /*Parent*/, size_t /*First*/, size_t /*Last*/) {}
  virtual void TreeEndInsert() {}
  // Children First to Last of Parent and all below them are about to be
  // freed; TreeEndRemove follows once they are.
  virtual void TreeBeginRemove(TFolderNode* /*Parent*/, size_t /*First*/, size_t /*Last*/) {}
  virtual void TreeEndRemove() {}
  // Children of any number of parents change their order in between.
  virtual void TreeBeginReorder() {}
  virtual void TreeEndReorder() {}
  virtual void TreeNodeChanged(TFolderNode* /*Node*/) {}
};
