// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/ChangeSource.h"

#include "scan/Baseline.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"

#include <QtGlobal>

const char* TChangeSource::Name(int Mark)
{
  static const char* const Names[] = {
    //: Treemap key: unchanged since the earlier scan
    QT_TRANSLATE_NOOP("TChangeSource", "Same"),
    QT_TRANSLATE_NOOP("TChangeSource", "Grown"),
    QT_TRANSLATE_NOOP("TChangeSource", "Shrunk"),
    //: Treemap key: not in the earlier scan
    QT_TRANSLATE_NOOP("TChangeSource", "New"),
  };
  return Names[Mark];
}

QRgb TChangeSource::Color(int Mark)
{
  // Growth hot, shrinking cold, what is new brightest.
  static const QRgb Colors[] = {0xFF8C8C8C, 0xFFD0403A, 0xFF3F6FD0, 0xFFF2D43A};
  return Colors[Mark];
}

TChangeSource::TChangeSource(const TFolderTree& Tree, int ViewType, uint32_t ClusterSize,
                             std::shared_ptr<const TBaseline> Baseline)
  : TTreeSource(Tree, ViewType, ClusterSize), FBaseline(std::move(Baseline))
{
}

void TChangeSource::Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const
{
  // The entries and the changes under one guard: the sub-folders in the
  // same order in both.
  const auto Guard = FTree.ReadGuard();
  if (FTree.Removals() != FRemovals)
    return;
  const auto* Node = static_cast<const TFolderNode*>(Folder);
  const size_t First = Out.size();
  Collect(Node, Out);
  std::vector<const TFolderSnapshot::TFolder*> Gone;
  const std::vector<TBaseline::TChange> Changes = FBaseline->OfChildren(Node, &Gone);
  const TBaseline::TChange Own = FBaseline->Of(Node);
  // What the folder's own files did: its change less its sub-folders'.
  const TChangeMeasure Measure(FViewType);
  int64_t Files = Own.Grown(Measure);
  size_t At = First;
  for (size_t Child = 0; Child < Changes.size(); ++Child)
    if (!Node->Child(Child)->FIsFiles) {
      Files -= Changes[Child].Grown(Measure);
      Out[At++].Change = Mark(Changes[Child].Verdict(Measure));
    }
  for (const TFolderSnapshot::TFolder* Then : Gone)
    Files += int64_t(Measure.Of(Then->Totals()));
  const TChangeMeasure::TVerdict OwnVerdict = Own.Verdict(Measure);
  for (; At < Out.size(); ++At)
    Out[At].Change = OwnVerdict == TChangeMeasure::cvNew || !Own.Compared ? Mark(OwnVerdict)
      : Files > 0                                                         ? cmGrown
      : Files < 0                                                         ? cmShrunk
                                                                          : cmSame;
}

TChangeSource::TMark TChangeSource::Mark(TChangeMeasure::TVerdict Verdict)
{
  switch (Verdict) {
    case TChangeMeasure::cvNew: return cmNew;
    case TChangeMeasure::cvGrown: return cmGrown;
    case TChangeMeasure::cvShrunk: return cmShrunk;
    default: return cmSame;
  }
}
