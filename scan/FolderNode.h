#pragma once

#include "Relaxed.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TFolderData;

// A node of the folder tree: its parent, its children in the order they were
// added, and the folder record it owns. Only the tree (on the main thread)
// changes parents' child lists; scan workers fill records and the fields below.
class TFolderNode {
public:
  explicit TFolderNode(TFolderNode* Parent) : FParent(Parent) {}
  ~TFolderNode();
  TFolderNode(const TFolderNode&) = delete;
  TFolderNode& operator=(const TFolderNode&) = delete;

  TFolderNode* Parent() const { return FParent; }
  const std::vector<TFolderNode*>& Children() const { return FChildren; }
  size_t ChildCount() const { return FChildren.size(); }
  TFolderNode* Child(size_t Index) const { return FChildren[Index]; }
  // Position among its siblings (the tree's top nodes for a top node).
  size_t Index() const { return FIndex; }

  // Deletes the node, its subtree and their records without recursion, so a
  // tree thousands of levels deep is freed safely.
  static void DeleteSubtree(TFolderNode* Node);

  TFolderData* FData = nullptr;
  // Identity of the folder on disk, so that a followed link never enters a
  // folder that is already on its own path.
  // Written by the worker that enters the folder while the window may be
  // reading them, hence relaxed atomics.
  TRelaxed<uint64_t> FDevice{0};
  TRelaxed<uint64_t> FInode{0};
  // Work of a running scan not yet finished below this node: its own listing
  // plus one per sub-folder still being walked.
  std::atomic<uint32_t> FPending{0};
  // Shown in bold: a large folder of its scan (the window's choice).
  bool FBold = false;
  // Index of its icon in the icon registry; -1 until first shown.
  int FImageIndex = -1;

private:
  friend class TFolderTree;
  TFolderNode* FParent;
  std::vector<TFolderNode*> FChildren;
  size_t FIndex = 0;
};
