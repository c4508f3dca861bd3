// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FilesSnapshot.h"

#include "scan/FolderNode.h"
#include "scan/SlicedRead.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

TFilesSnapshot::TFilesSnapshot(TFolderNode* Top, bool LinksOnce, const TFolderTree* Tree, uint64_t Removals) : FTop(Top)
{
  TSlicedRead Read(Tree, Removals);
  // Depth first, each folder's sub-folders by name, so the numbers follow
  // the paths: ties of any order go by path.
  std::vector<TFolderNode*> Pending{Top};
  uint64_t Count = 0;
  while (!Pending.empty()) {
    if (!Read.Next()) {
      FAbandoned = true;
      return;
    }
    TFolderNode* Node = Pending.back();
    Pending.pop_back();
    if (TFolderFiles* Files = Node->FFiles.load(std::memory_order_acquire);
        Files && Count + Files->Count() <= UINT32_MAX) {
      Files->AddRef();
      FSlots.push_back({Node, Files, uint32_t(Count), Node->ClusterSize()});
      FFirsts.push_back(uint32_t(Count));
      Count += Files->Count();
    }
    // Taken from the back: the first name first.
    const std::vector<TFolderNode*> Folders = Node->SubFoldersByName();
    Pending.insert(Pending.end(), Folders.rbegin(), Folders.rend());
  }
  FCount = uint32_t(Count);
  Read.Done();
  if (!LinksOnce)
    return;
  std::set<std::pair<uint64_t, uint64_t>> Met;
  for (const TSlot& Slot : FSlots)
    for (uint32_t Index = 0; Index < Slot.Files->Count(); ++Index) {
      std::pair<uint64_t, uint64_t> Identity;
      if (!Slot.Files->Identity(Index, Identity.first, Identity.second) || Met.insert(Identity).second)
        continue;
      FRepeat.resize(FCount);
      FRepeat[Slot.First + Index] = true;
      ++FRepeats;
    }
}

TFilesSnapshot::~TFilesSnapshot()
{
  for (const TSlot& Slot : FSlots)
    TFolderFiles::Release(const_cast<TFolderFiles*>(Slot.Files));
}

size_t TFilesSnapshot::SlotOf(uint32_t Number) const
{
  return size_t(std::upper_bound(FFirsts.begin(), FFirsts.end(), Number) - FFirsts.begin()) - 1;
}
