// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/Directory.h"
#include "scan/ExcludeRules.h"

#include <atomic>
#include <cstdint>

class TFolderNode;

// The open folders of one scan whose sub-folders are still to be opened
// relative to them. Up leads to the folders above, so that a followed link
// can tell the folders on its own path and a finished folder can tell its
// parent; a handle lives until every folder below it is finished, its
// descriptor only until its sub-folders are open. Beyond a budget of
// descriptors a handle lets its own go, and the folder is opened again by
// name when a sub-folder needs it. Workers use the handles concurrently.
class TFolderHandles {
public:
  struct THandle {
    std::atomic<int> Fd;  // -1 when let go of
    TFileIdentity Identity;
    THandle* Up;
    std::atomic<uint32_t> Openers;     // sub-folders still to be opened
    std::atomic<uint32_t> Refs;        // the openers together, and each entered sub-folder till it is finished
    bool Followed;                     // entered through a link the scan follows
    std::atomic<uint32_t> Unfinished;  // sub-folders not finished yet: the last finishes this folder
    // Where the scan's path rules stand at this folder, set before its
    // sub-folders are walked; empty when not known.
    TExcludeRules::TState PathState{};
  };

  // How many descriptors waiting folders may keep.
  void SetBudget(uint32_t Budget) { FBudget = Budget; }
  // The handle of Folder, listed through Fd, with Openers sub-folders to
  // open and finish; Fd is closed when the budget keeps it no longer.
  THandle* Make(int Fd, const TFileIdentity& Identity, THandle* Up, uint32_t Openers, bool Followed,
                const TFolderNode* Folder);
  // Handles of Node and the folders above it, reached and identified again
  // one name at a time; null when that fails.
  THandle* TrailTo(const TFolderNode* Node);
  // Handle's descriptor (Folder's), opened again when it was let go of:
  // by name from the nearest folder above that holds one, each folder on
  // the way checked to be the one listed. -errno when that fails.
  int Descriptor(THandle* Handle, const TFolderNode* Folder);
  // One sub-folder of Handle has been opened (or given up).
  void Release(THandle* Handle);
  static void Unref(THandle* Handle);

private:
  // Whether a folder waiting for its sub-folders keeps its descriptor.
  bool Keep(const TFolderNode* Folder);
  // Holds Handle's descriptor open while it is used from a sub-folder that
  // is no opener of it; false when it is let go of already.
  static bool Pin(THandle* Handle);

  std::atomic<uint32_t> FDescriptors{0};  // kept by handles
  uint32_t FBudget = 0;
};
