// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "treemap/TreemapEntry.h"

#include <vector>

// What a treemap is drawn from. Folders are opaque to the treemap: their
// pointers are handed back to the source and to the view's owner, never
// followed.
class TTreemapSource {
public:
  virtual ~TTreemapSource() = default;
  // Appends Folder's sub-folders and files to Out. Called only for folders
  // big enough to be laid out, on the thread that builds the layout (a
  // worker's, in the view), possibly while the owner's thread runs.
  virtual void Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const = 0;
};
