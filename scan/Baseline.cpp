// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/Baseline.h"

#include "scan/FolderNode.h"
#include "scan/Root.h"

#include <string_view>

TBaseline::TBaseline(TFolderSnapshot Snapshot, std::string Root)
  : FSnapshot(std::move(Snapshot)), FRoot(std::move(Root))
{
}

bool TBaseline::Find(const TFolderNode* Node, uint32_t& At) const
{
  std::vector<const TFolderNode*> Above;
  for (; Node->Parent(); Node = Node->Parent())
    Above.push_back(Node);
  // A top is named by its path, its final "/" left out but for the root's:
  // told apart from FRoot without a path made for every folder asked.
  const std::string_view Top = Node->FName;
  if (Top != FRoot && !(FRoot.size() == Top.size() + 1 && FRoot.back() == '/' && FRoot.starts_with(Top)))
    return false;
  At = FSnapshot.FFolders.empty() ? TFolderSnapshot::None : 0;
  for (auto Folder = Above.rbegin(); Folder != Above.rend() && At != TFolderSnapshot::None; ++Folder)
    At = FSnapshot.Child(At, (*Folder)->FName);
  return true;
}

int64_t TBaseline::TChange::Grown(const TChangeMeasure& Measure) const
{
  if (!Compared)
    return 0;
  const TFolderTotals Then = Before ? Before->Totals() : TFolderTotals();
  return Measure.Change(Before ? &Then : nullptr, &Now);
}

TChangeMeasure::TVerdict TBaseline::TChange::Verdict(const TChangeMeasure& Measure) const
{
  if (!Compared)
    return TChangeMeasure::cvSame;
  const TFolderTotals Then = Before ? Before->Totals() : TFolderTotals();
  return Measure.Verdict(Before ? &Then : nullptr, &Now);
}

TBaseline::TChange TBaseline::Change(const TFolderNode* Node, const TFolderSnapshot::TFolder* Before)
{
  return {true, Before, Node->Totals()};
}

bool TBaseline::OfRoot(const TFolderNode* Node) const
{
  const TRoot* Root = Node->Root();
  uint32_t At;
  return Root && Root->FNode && Find(Root->FNode, At);
}

TBaseline::TChange TBaseline::Of(const TFolderNode* Node) const
{
  uint32_t At;
  if (Node->FIsFiles || Node->BeyondBytes() || !Find(Node, At))
    return {};
  return Change(Node, At == TFolderSnapshot::None ? nullptr : &FSnapshot.FFolders[At]);
}

std::vector<TBaseline::TChange> TBaseline::OfChildren(const TFolderNode* Parent,
                                                      std::vector<const TFolderSnapshot::TFolder*>* Gone) const
{
  const std::vector<TFolderNode*>& Children = Parent->Children();
  std::vector<TChange> Changes(Children.size());
  uint32_t At;
  if (Parent->FIsFiles || !Find(Parent, At))
    return Changes;
  // Parent's sub-folders then, by name: each met now is marked.
  const TFolderSnapshot::TFolder* Then = At == TFolderSnapshot::None ? nullptr : &FSnapshot.FFolders[At];
  std::vector<bool> Met(Then ? Then->Count : 0);
  for (size_t Child = 0; Child < Children.size(); ++Child) {
    if (Children[Child]->FIsFiles || Children[Child]->BeyondBytes())
      continue;
    const uint32_t Found = Then ? FSnapshot.Child(At, Children[Child]->FName) : TFolderSnapshot::None;
    if (Found != TFolderSnapshot::None)
      Met[Found - Then->First] = true;
    Changes[Child] = Change(Children[Child], Found == TFolderSnapshot::None ? nullptr : &FSnapshot.FFolders[Found]);
  }
  if (Gone)
    for (uint32_t Child = 0; Child < Met.size(); ++Child)
      if (!Met[Child])
        Gone->push_back(&FSnapshot.FFolders[Then->First + Child]);
  return Changes;
}

std::vector<const TFolderSnapshot::TFolder*> TBaseline::GoneBelow(const TFolderNode* Node) const
{
  std::vector<const TFolderSnapshot::TFolder*> Gone;
  OfChildren(Node, &Gone);
  return Gone;
}
