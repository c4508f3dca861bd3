// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/SnapshotIndex.h"

#include <algorithm>

TSnapshotIndex::TSnapshotIndex(const std::vector<TFolderSnapshot::TFolder>& Folders)
  : FFolders(Folders), FOrder(Folders.size())
{
  for (uint32_t At = 0; At < FOrder.size(); ++At)
    FOrder[At] = At;
  // A path met twice is found at its first place.
  std::sort(FOrder.begin(), FOrder.end(), [&](uint32_t A, uint32_t B) {
    const int Order = Folders[A].Path.compare(Folders[B].Path);
    return Order < 0 || (Order == 0 && A < B);
  });
}

std::ptrdiff_t TSnapshotIndex::Find(std::string_view Path) const
{
  const auto Found = std::lower_bound(FOrder.begin(), FOrder.end(), Path,
                                      [&](uint32_t At, std::string_view Sought) { return FFolders[At].Path < Sought; });
  return Found != FOrder.end() && FFolders[*Found].Path == Path ? std::ptrdiff_t(*Found) : -1;
}
