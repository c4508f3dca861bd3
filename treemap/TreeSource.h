// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderFiles.h"
#include "treemap/TreemapSource.h"

#include <cstdint>

class TFolderNode;
class TFolderTree;

// The folder tree as a treemap draws it: a folder's sub-folders by their
// totals and its files by what the scan kept of them, weighed by the
// measure of a view type (Percent draws the space allocated). Read on the
// layout's thread under the tree's guard; once nodes were removed after it
// was made, it gives nothing, so a removed node is never followed.
class TTreeSource : public TTreemapSource {
public:
  TTreeSource(const TFolderTree& Tree, int ViewType, uint32_t ClusterSize);
  void Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const override;

  // A file's measure, in bytes, as a folder's is its Amount.
  static uint64_t Weight(const TFolderFiles& Files, size_t Index, int ViewType, uint32_t ClusterSize);

protected:
  // Node's entries, its sub-folders in their order first; under the guard,
  // with nothing removed since the source was made.
  void Collect(const TFolderNode* Node, std::vector<TTreemapEntry>& Out) const;

  const TFolderTree& FTree;
  const uint64_t FRemovals;
  const int FViewType;

private:
  const uint32_t FClusterSize;
};
