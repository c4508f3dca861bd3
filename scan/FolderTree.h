// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderData.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <shared_mutex>
#include <utility>
#include <vector>

class TFolderBlock;
class TFolderFiles;
class TFolderNode;
class TFolderTreeListener;

// The folder tree: the top nodes of the scan roots, each owning its subtree.
// All changes happen on the owning thread and are reported to the listener.
//
// Who owns a node: a scan worker makes a folder's child nodes with their
// records and owns them until it posts them; the scan's result queue owns
// them until the owning thread attaches them here; from then on the tree
// owns them. A parent always reaches the tree before its children, since a
// worker posts a folder's children before any of them can be listed. While a
// root is being scanned its workers write the records' counters, so the tree
// refuses the edits below for the folders of a running scan.
class TFolderTree {
public:
  TFolderTree() = default;
  ~TFolderTree();
  TFolderTree(const TFolderTree&) = delete;
  TFolderTree& operator=(const TFolderTree&) = delete;

  // Every listener hears every change, in the order they were added: the
  // model of the tree view, and each part of the window that holds nodes.
  void AddListener(TFolderTreeListener* Listener);
  void RemoveListener(TFolderTreeListener* Listener);

  const std::vector<TFolderNode*>& TopNodes() const { return FTopNodes; }

  // Appends a top node made with its record.
  void AddTopNode(TFolderNode* Node);
  // Appends nodes made for Parent (their parent is already Parent) as its last
  // children, in the given order.
  void AppendChildren(TFolderNode* Parent, std::vector<TFolderNode*>& Nodes);
  // Appends the nodes of a block that a scan made as the last children of
  // its parent, which then owns the block.
  void AppendBlock(TFolderBlock* Block);
  // Deletes a node (top or not) with its subtree and records.
  void DeleteNode(TFolderNode* Node);
  void DeleteChildren(TFolderNode* Node);
  // Gives the children of each listed parent (the top nodes for a null
  // parent) their new order, all with one reorder notification. An order
  // that does not hold exactly the parent's children is not applied: it is
  // left in Orders, the rest are taken out.
  using TOrder = std::pair<TFolderNode*, std::vector<TFolderNode*>>;
  void Reorder(std::vector<TOrder>& Orders);
  // Whether Order holds each of its parent's children once.
  bool IsOrder(const TOrder& Order) const;
  void NodeChanged(TFolderNode* Node);
  // Gives Node another name, under the guard: readers on other threads
  // follow names up to the top.
  void Rename(TFolderNode* Node, const std::string& Name);

  // The deepest folder of a scanned tree at or above Path (a folder's path,
  // with or without its final "/"); null when no tree holds it.
  TFolderNode* DeepestAt(const std::string& Path) const;
  // Whether the tree may edit Node's branch: no scan of its root is running.
  static bool Editable(const TFolderNode* Node);
  // Adds Added to the node's record and every ancestor's and takes Taken out,
  // and tells the listener that their labels changed.
  void AddToAncestors(TFolderNode* Node, const TFileCount& Added, const TFileCount& Taken);
  // Deletes the node with its subtree and records, first taking its totals
  // out of its ancestors when Subtract (the folder is gone from the disk:
  // its parent's "<Files>" goes with its last sub-folder). False for a
  // branch being scanned.
  bool FreeNode(TFolderNode* Node, bool Subtract);
  // Files of Folder's own that are gone: their count comes out of the
  // folder's own files, its "<Files>" entry and the totals of every
  // ancestor below Counting, the deepest folder that still counts them
  // through other names (null: none). False for a branch being scanned.
  bool RemoveOwnFiles(TFolderNode* Folder, const TFileCount& Files, const TFolderNode* Counting = nullptr);
  // A file of a folder's own that is gone: its count, and its identity
  // when it had several names (hard links).
  struct TGoneFile {
    TFileCount Count;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    uint64_t Links = 1;
  };
  // Takes Gone out of Folder as RemoveOwnFiles does; a file whose other
  // names are still counted comes out only below the deepest folder that
  // counts them.
  void RemoveGoneFiles(TFolderNode* Folder, const std::vector<TGoneFile>& Gone);
  // Gives Node the files Files (null: none), freeing those it had.
  void SetFiles(TFolderNode* Node, TFolderFiles* Files);

  // Readers on other threads (a treemap's layout) hold the guard while they
  // read child lists, files and names; the tree changes them only under it. Nodes
  // are freed only when Removals() grows: a reader that sees it unchanged
  // under the guard may follow the nodes it was given before.
  std::shared_lock<std::shared_mutex> ReadGuard() const { return std::shared_lock(FGuard); }
  uint64_t Removals() const { return FRemovals; }

private:
  std::vector<TFolderNode*>& ChildList(TFolderNode* Parent);
  void ForgetNames(const TFolderNode* Node);
  static void Renumber(std::vector<TFolderNode*>& List, size_t From);
  // Folder's "<Files>" entry made to fit its own files and sub-folders now.
  void FitFilesEntry(TFolderNode* Folder);

  template <typename... TParameters, typename... TArguments>
  void Tell(void (TFolderTreeListener::*Event)(TParameters...), TArguments... Arguments) const
  {
    for (TFolderTreeListener* Listener : FListeners)
      (Listener->*Event)(Arguments...);
  }

  std::vector<TFolderNode*> FTopNodes;
  std::vector<TFolderTreeListener*> FListeners;
  mutable std::shared_mutex FGuard;
  uint64_t FRemovals = 0;
};
