// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilesSnapshot.h"

#include "FolderNode.h"
#include "FolderTree.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

TFilesSnapshot::TFilesSnapshot(TFolderNode* Top, bool LinksOnce, const TFolderTree* Tree, uint64_t Removals)
  : FTop(Top)
{
  std::shared_lock<std::shared_mutex> Guard;
  // The guard held again, unless the tree has removed nodes meanwhile.
  const auto Hold = [&] {
    Guard = Tree->ReadGuard();
    return Tree->Removals() == Removals;
  };
  if (Tree && !Hold()) {
    FAbandoned = true;
    return;
  }
  // Depth first, each folder's sub-folders by name, so the numbers follow
  // the paths: ties of any order go by path.
  std::vector<TFolderNode*> Pending{Top};
  uint64_t Count = 0;
  for (size_t Walked = 1; !Pending.empty(); ++Walked) {
    if (Tree && Walked % 256 == 0) {
      Guard.unlock();
      if (!Hold()) {
        FAbandoned = true;
        return;
      }
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
  if (Guard.owns_lock())
    Guard.unlock();
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
