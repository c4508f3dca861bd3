// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilesSnapshot.h"

#include "FolderNode.h"

#include <algorithm>
#include <string>
#include <utility>

TFilesSnapshot::TFilesSnapshot(TFolderNode* Top) : FTop(Top)
{
  // Depth first, each folder's sub-folders by name, so the numbers follow
  // the paths: ties of any order go by path.
  std::vector<TFolderNode*> Pending{Top};
  std::vector<std::pair<std::string, TFolderNode*>> Named;
  uint64_t Count = 0;
  while (!Pending.empty()) {
    TFolderNode* Node = Pending.back();
    Pending.pop_back();
    if (TFolderFiles* Files = Node->FFiles.load(std::memory_order_acquire);
        Files && Count + Files->Count() <= UINT32_MAX) {
      Files->AddRef();
      FSlots.push_back({Node, Files, uint32_t(Count), Node->ClusterSize()});
      Count += Files->Count();
    }
    Named.clear();
    for (TFolderNode* Child : Node->Children())
      if (!Child->FIsFiles)
        Named.emplace_back(Child->Name(), Child);
    std::sort(Named.begin(), Named.end(), [](const auto& A, const auto& B) { return A.first > B.first; });
    for (auto& Item : Named)
      Pending.push_back(Item.second);
  }
  FCount = uint32_t(Count);
}

TFilesSnapshot::~TFilesSnapshot()
{
  for (const TSlot& Slot : FSlots)
    TFolderFiles::Release(const_cast<TFolderFiles*>(Slot.Files));
}

size_t TFilesSnapshot::SlotOf(uint32_t Number) const
{
  const auto After = std::upper_bound(FSlots.begin(), FSlots.end(), Number,
                                      [](uint32_t Wanted, const TSlot& Slot) { return Wanted < Slot.First; });
  return size_t(After - FSlots.begin()) - 1;
}
