// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A snapshot made of folders given in any order, each after its parent,
// as a table or an old file lists them; laid out as a snapshot keeps them
// when all are there.
class TSnapshotBuilder {
public:
  // Folder, named Name, below Parent (what Add returned for it), or the
  // top, first, when Parent is None; its place, to name it as a parent.
  uint32_t Add(uint32_t Parent, std::string_view Name, const TFolderSnapshot::TFolder& Folder);
  size_t Size() const { return FFolders.size(); }
  // The folders laid out in Into, whose header is kept but for its count of
  // folders and the top's totals; of names met twice under one folder, the
  // first is kept with what is below it.
  void Finish(TFolderSnapshot& Into);

private:
  std::vector<TFolderSnapshot::TFolder> FFolders;
  std::string FNames;
};
