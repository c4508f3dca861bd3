// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/Baseline.h"

#include "scan/FolderNode.h"
#include "scan/Root.h"

#include <string_view>
#include <unordered_map>

TBaseline::TBaseline(TFolderSnapshot Snapshot, std::string Root)
  : FSnapshot(std::move(Snapshot)), FRoot(std::move(Root)), FIndex(FSnapshot.FFolders)
{
  // Each folder's parent by its path, then the sub-folders of each side by
  // side; whatever order the file had its folders in.
  const size_t Count = FSnapshot.FFolders.size();
  std::vector<uint32_t> Parents(Count, UINT32_MAX);
  FChildStart.assign(Count + 1, 0);
  for (size_t At = 0; At < Count; ++At) {
    const std::string& Path = FSnapshot.FFolders[At].Path;
    // A path met twice (a file of two tables, one inside the other) is one folder: the first.
    if (Path.empty() || FIndex.Find(Path) != std::ptrdiff_t(At))
      continue;
    const size_t Slash = Path.rfind('/');
    const std::ptrdiff_t Parent = FIndex.Find(std::string_view(Path).substr(0, Slash == std::string::npos ? 0 : Slash));
    if (Parent >= 0) {
      Parents[At] = uint32_t(Parent);
      ++FChildStart[size_t(Parent) + 1];
    }
  }
  for (size_t At = 0; At < Count; ++At)
    FChildStart[At + 1] += FChildStart[At];
  FChildren.resize(FChildStart[Count]);
  std::vector<uint32_t> Next(FChildStart.begin(), FChildStart.end() - 1);
  for (size_t At = 0; At < Count; ++At)
    if (Parents[At] != UINT32_MAX)
      FChildren[Next[Parents[At]]++] = uint32_t(At);
}

bool TBaseline::PathOf(const TFolderNode* Node, std::string& Path) const
{
  std::vector<const TFolderNode*> Above;
  for (; Node->Parent(); Node = Node->Parent())
    Above.push_back(Node);
  // A top is named by its path, its final "/" left out but for the root's:
  // told apart from FRoot without a path made for every folder asked.
  const std::string_view Top = Node->FName;
  if (Top != FRoot && !(FRoot.size() == Top.size() + 1 && FRoot.back() == '/' && FRoot.starts_with(Top)))
    return false;
  Path.clear();
  for (auto Folder = Above.rbegin(); Folder != Above.rend(); ++Folder) {
    if (!Path.empty())
      Path += '/';
    Path += (*Folder)->FName;
  }
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
  std::string Path;
  return Root && Root->FNode && PathOf(Root->FNode, Path);
}

TBaseline::TChange TBaseline::Of(const TFolderNode* Node) const
{
  std::string Path;
  if (Node->FIsFiles || Node->BeyondBytes() || !PathOf(Node, Path))
    return {};
  const std::ptrdiff_t At = FIndex.Find(Path);
  return Change(Node, At < 0 ? nullptr : &FSnapshot.FFolders[size_t(At)]);
}

std::vector<TBaseline::TChange> TBaseline::OfChildren(const TFolderNode* Parent,
                                                      std::vector<const TFolderSnapshot::TFolder*>* Gone) const
{
  const std::vector<TFolderNode*>& Children = Parent->Children();
  std::vector<TChange> Changes(Children.size());
  std::string Path;
  if (Parent->FIsFiles || !PathOf(Parent, Path))
    return Changes;
  // Parent's sub-folders then, by name: each met now is marked.
  const std::ptrdiff_t At = FIndex.Find(Path);
  const uint32_t First = At < 0 ? 0 : FChildStart[size_t(At)];
  const uint32_t Count = At < 0 ? 0 : FChildStart[size_t(At) + 1] - First;
  const auto Then = [&](uint32_t Child) -> const TFolderSnapshot::TFolder& {
    return FSnapshot.FFolders[FChildren[First + Child]];
  };
  std::unordered_map<std::string_view, uint32_t> ByName;
  ByName.reserve(Count);
  for (uint32_t Child = 0; Child < Count; ++Child)
    ByName.emplace(NameOf(Then(Child)), Child);
  std::vector<bool> Met(Count);
  for (size_t Child = 0; Child < Children.size(); ++Child) {
    if (Children[Child]->FIsFiles || Children[Child]->BeyondBytes())
      continue;
    const auto Found = ByName.find(Children[Child]->FName);
    const TFolderSnapshot::TFolder* Before = nullptr;
    if (Found != ByName.end()) {
      Met[Found->second] = true;
      Before = &Then(Found->second);
    }
    Changes[Child] = Change(Children[Child], Before);
  }
  if (Gone)
    for (uint32_t Child = 0; Child < Count; ++Child)
      if (!Met[Child])
        Gone->push_back(&Then(Child));
  return Changes;
}

std::vector<const TFolderSnapshot::TFolder*> TBaseline::GoneBelow(const TFolderNode* Node) const
{
  std::vector<const TFolderSnapshot::TFolder*> Gone;
  OfChildren(Node, &Gone);
  return Gone;
}

std::string_view TBaseline::NameOf(const TFolderSnapshot::TFolder& Folder)
{
  const size_t Slash = Folder.Path.rfind('/');
  return std::string_view(Folder.Path).substr(Slash == std::string::npos ? 0 : Slash + 1);
}
