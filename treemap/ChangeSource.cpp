// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeSource.h"

#include "Baseline.h"
#include "FolderNode.h"
#include "FolderTree.h"

const char* TChangeSource::Name(int Change)
{
  static const char* const Names[] = {"Same", "Grown", "Shrunk", "New"};
  return Names[Change];
}

QRgb TChangeSource::Color(int Change)
{
  // Growth hot, shrinking cold, what is new brightest.
  static const QRgb Colors[] = {0xFF8C8C8C, 0xFFD0403A, 0xFF3F6FD0, 0xFFF2D43A};
  return Colors[Change];
}

TChangeSource::TChangeSource(const TFolderTree& Tree, int ViewType, uint32_t ClusterSize,
                             std::shared_ptr<const TBaseline> Baseline)
  : TTreeSource(Tree, ViewType, ClusterSize), FBaseline(std::move(Baseline))
{
}

void TChangeSource::Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const
{
  const size_t First = Out.size();
  TTreeSource::Entries(Folder, Out);
  const auto Guard = FTree.ReadGuard();
  if (FTree.Removals() != FRemovals) {
    Out.resize(First);
    return;
  }
  // The entries are the folder's sub-folders in their order, unless a scan
  // reordered them since, then its files.
  const auto* Node = static_cast<const TFolderNode*>(Folder);
  const std::vector<TBaseline::TChange> Changes = FBaseline->OfChildren(Node);
  const size_t Count = Changes.size();
  size_t Child = 0;
  const uint8_t Own = Mark(FBaseline->Of(Node));
  for (size_t At = First; At < Out.size(); ++At) {
    if (!Out[At].Folder) {
      Out[At].Change = Own;
      continue;
    }
    size_t Tried = 0;
    for (; Tried < Count && Node->Child(Child % Count) != Out[At].Folder; ++Tried)
      ++Child;
    Out[At].Change = Tried < Count ? Mark(Changes[Child % Count]) : uint8_t(tcSame);
  }
}

uint8_t TChangeSource::Mark(const TBaseline::TChange& Change)
{
  switch (Change.State) {
    case TBaseline::bsGrown: return tcGrown;
    case TBaseline::bsShrunk: return tcShrunk;
    case TBaseline::bsNew: return tcNew;
    default: return tcSame;
  }
}
