// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreeSource.h"

#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "treemap/TreemapTile.h"
#include "view/FileClass.h"

TTreeSource::TTreeSource(const TFolderTree& Tree, int ViewType, uint32_t ClusterSize)
  : FTree(Tree), FRemovals(Tree.Removals()), FViewType(ViewType), FClusterSize(ClusterSize)
{
}

uint64_t TTreeSource::Weight(const TFolderFiles& Files, size_t Index, int ViewType, uint32_t ClusterSize)
{
  const uint64_t Size = Files[Index].Size();
  const uint64_t Clusters = Size / ClusterSize + (Size % ClusterSize != 0);
  switch (ViewType) {
    case vtSize: return Size;
    case vtWasted: return Clusters * ClusterSize - Size;
    case vtCDROM: return (Size + 2047) / 2048 * 2048;
    case vtObjects: return Size > 0;  // an empty file is no object
    default: return Files.Allocated(Index, ClusterSize);
  }
}

void TTreeSource::Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const
{
  const auto Guard = FTree.ReadGuard();
  if (FTree.Removals() == FRemovals)
    Collect(static_cast<const TFolderNode*>(Folder), Out);
}

void TTreeSource::Collect(const TFolderNode* Node, std::vector<TTreemapEntry>& Out) const
{
  // "<Files>" entries are not drawn: their files are.
  for (const TFolderNode* Child : Node->Children())
    if (!Child->FIsFiles)
      Out.push_back({Child->Amount(FViewType), Child, TTreemapTile::NoFile, TFileClass::fcFolder});
  if (const TFolderFiles* Files = Node->FFiles.load(std::memory_order_acquire))
    for (uint32_t Index = 0; Index < Files->Count(); ++Index) {
      Out.push_back({Weight(*Files, Index, FViewType, FClusterSize), nullptr, Index, uint8_t((*Files)[Index].Kind)});
    }
}
