// SPDX-License-Identifier: GPL-3.0-or-later
#include "Baseline.h"

#include "FolderNode.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

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
    if (Path.empty())
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
  if (Node->FullPath() != FRoot)
    return false;
  Path.clear();
  for (auto Folder = Above.rbegin(); Folder != Above.rend(); ++Folder) {
    if (!Path.empty())
      Path += '/';
    Path += (*Folder)->FName;
  }
  return true;
}

TBaseline::TChange TBaseline::Of(const TFolderNode* Node) const
{
  TChange Change;
  std::string Path;
  if (Node->FIsFiles || !PathOf(Node, Path))
    return Change;
  const std::ptrdiff_t At = FIndex.Find(Path);
  Change.Before = At < 0 ? nullptr : &FSnapshot.FFolders[size_t(At)];
  Change.Size = int64_t(Node->SizeBytes() - (Change.Before ? Change.Before->Size : 0));
  Change.Allocated = int64_t(Node->AllocatedBytes() - (Change.Before ? Change.Before->Allocated : 0));
  Change.State = !Change.Before   ? bsNew
                 : Change.Size > 0 ? bsGrown
                 : Change.Size < 0 ? bsShrunk
                                   : bsSame;
  return Change;
}

std::vector<const TFolderSnapshot::TFolder*> TBaseline::GoneBelow(const TFolderNode* Node) const
{
  std::vector<const TFolderSnapshot::TFolder*> Gone;
  std::string Path;
  if (Node->FIsFiles || !PathOf(Node, Path))
    return Gone;
  const std::ptrdiff_t At = FIndex.Find(Path);
  if (At < 0)
    return Gone;
  std::unordered_set<std::string_view> Present;
  for (const TFolderNode* Child : Node->Children())
    if (!Child->FIsFiles)
      Present.insert(Child->FName);
  for (uint32_t Child = FChildStart[size_t(At)]; Child < FChildStart[size_t(At) + 1]; ++Child) {
    const TFolderSnapshot::TFolder& Folder = FSnapshot.FFolders[FChildren[Child]];
    if (!Present.contains(NameOf(Folder)))
      Gone.push_back(&Folder);
  }
  return Gone;
}

std::string_view TBaseline::NameOf(const TFolderSnapshot::TFolder& Folder)
{
  const size_t Slash = Folder.Path.rfind('/');
  return std::string_view(Folder.Path).substr(Slash == std::string::npos ? 0 : Slash + 1);
}
