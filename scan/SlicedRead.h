// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <mutex>
#include <shared_mutex>

class TFolderTree;

// A long read of the tree from another thread (a snapshot of a subtree)
// under the tree's guard, let go of every few hundred folders so that the
// tree's own thread, and a scan adding to it, wait only moments. Without a
// tree it guards nothing: the reader is on the tree's own thread.
class TSlicedRead {
public:
  // Reads that began when the tree's Removals() was Removals: the nodes
  // the reader was given are followed only while nothing was removed since.
  TSlicedRead(const TFolderTree* Tree, uint64_t Removals);
  // After one more folder read: false once the tree removed nodes since,
  // and the read must end (the guard then let go).
  bool Next();
  // The read may go on; false once the tree removed nodes.
  bool Valid() const { return FValid; }
  // The read has ended: the guard is let go.
  void Done();

private:
  bool Hold();

  const TFolderTree* FTree;
  uint64_t FRemovals;
  std::shared_lock<std::shared_mutex> FGuard;
  size_t FRead = 0;
  bool FValid = true;
};
