// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A snapshot's folders in the order of their paths' bytes: a path is found
// by a binary search at four bytes a folder, where a hash map would take
// ten times that.
class TSnapshotIndex {
public:
  // The folders must outlive the index, where they are.
  explicit TSnapshotIndex(const std::vector<TFolderSnapshot::TFolder>& Folders);
  // Where Path is among the folders; -1 when it is not.
  std::ptrdiff_t Find(std::string_view Path) const;

private:
  const std::vector<TFolderSnapshot::TFolder>& FFolders;
  std::vector<uint32_t> FOrder;
};
