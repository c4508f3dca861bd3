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
  const auto ChangeOf = [this](const void* Node) {
    switch (FBaseline->Of(static_cast<const TFolderNode*>(Node)).State) {
      case TBaseline::bsGrown: return tcGrown;
      case TBaseline::bsShrunk: return tcShrunk;
      case TBaseline::bsNew: return tcNew;
      default: return tcSame;
    }
  };
  const uint8_t Own = ChangeOf(Folder);
  for (size_t At = First; At < Out.size(); ++At)
    Out[At].Change = Out[At].Folder ? uint8_t(ChangeOf(Out[At].Folder)) : Own;
}
