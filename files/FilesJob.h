// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FilesFilter.h"
#include "files/FilesSorter.h"
#include "view/LatestJob.h"

#include <functional>
#include <memory>
#include <vector>

class TFilesSnapshot;
class TFolderNode;
class TFolderTree;

// Sorts and filters the files view's rows on a thread of its own, so that a
// million files never hold up the window. A new request cancels the one
// before, whose result is dropped. The thread is joined when the job goes.
class TFilesJob {
public:
  struct TResult {
    std::shared_ptr<const TFilesSnapshot> Files;
    TFilesSorter::TKey Key;
    bool Descending;
    std::shared_ptr<const std::vector<uint32_t>> Order;  // every file
    std::shared_ptr<const std::vector<uint32_t>> Shown;  // those that pass the filter: Order when all do
    TFilesSorter::TBytes ShownBytes;
  };
  using TDone = std::function<void(TResult&& Result)>;
  // The files to list: a snapshot made before, or else those below Folder,
  // taken from Tree on the job's thread while the tree has removed nothing
  // since Removals (a result without Files says it had).
  struct TSource {
    std::shared_ptr<const TFilesSnapshot> Files;
    TFolderNode* Folder = nullptr;
    bool LinksOnce = true;
    const TFolderTree* Tree = nullptr;
    uint64_t Removals = 0;
  };

  // Orders the files by Key and filters them; an Order already made for
  // the snapshot and Key is used again.
  void Start(const TSource& Source, TFilesSorter::TKey Key, bool Descending,
             std::shared_ptr<const std::vector<uint32_t>> Order, const TFilesFilter& Filter, TDone Done);
  void Cancel() { FJob.Cancel(); }

private:
  TLatestJob FJob;
};
