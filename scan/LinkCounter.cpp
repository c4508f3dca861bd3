// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/LinkCounter.h"

#include "scan/FolderNode.h"

#include <algorithm>
#include <memory>

namespace {

// The folders from Folder up to Top (the top of its tree when none), found
// as far up as they are asked for.
class TAbove {
public:
  explicit TAbove(TFolderNode* Folder, const TFolderNode* Top = nullptr) : FChain{Folder}, FTop(Top) {}
  // The folder Distance levels above Folder; null beyond Top.
  TFolderNode* At(size_t Distance)
  {
    while (FChain.size() <= Distance && FChain.back()) {
      TFolderNode* Last = FChain.back();
      FChain.push_back(Last == FTop ? nullptr : Last->Parent());
    }
    return Distance < FChain.size() ? FChain[Distance] : nullptr;
  }
  // How far above Folder the deepest of these folders lies that holds a
  // name of Names or lies above one; SIZE_MAX when none.
  size_t DeepestCounting(const std::vector<TFolderNode*>& Names)
  {
    size_t Nearest = SIZE_MAX;
    for (const TFolderNode* Name : Names)
      Nearest = std::min(Nearest, Meeting(Name));
    return Nearest;
  }

private:
  // How far above Folder the paths up from Folder and from Name meet;
  // SIZE_MAX above Top. What one name's climb met, the next need not climb.
  size_t Meeting(const TFolderNode* Name)
  {
    const uint32_t Depth = FChain.front()->Depth();
    size_t Found = SIZE_MAX;
    FClimbed.clear();
    for (const TFolderNode* Node = Name; Node; Node = Node->Parent()) {
      if (const auto Known = FMet.find(Node); Known != FMet.end()) {
        Found = Known->second;
        break;
      }
      if (Node->Depth() <= Depth) {
        const size_t Distance = Depth - Node->Depth();
        const TFolderNode* Folder = At(Distance);
        if (Folder == Node)
          Found = Distance;
        if (!Folder || Folder == Node)
          break;
      }
      FClimbed.push_back(Node);
    }
    for (const TFolderNode* Node : FClimbed)
      FMet.emplace(Node, Found);
    return Found;
  }

  std::vector<TFolderNode*> FChain;
  const TFolderNode* FTop;
  std::unordered_map<const TFolderNode*, size_t> FMet;
  std::vector<const TFolderNode*> FClimbed;
};

}  // namespace

void TLinkCounter::KeepOnePerFile(std::vector<TLinkedFile>& Files, TFileCount& Own)
{
  std::sort(Files.begin(), Files.end(), [](const TLinkedFile& A, const TLinkedFile& B) {
    return A.Device != B.Device ? A.Device < B.Device : A.Inode < B.Inode;
  });
  const auto Same = [](const TLinkedFile& A, const TLinkedFile& B) {
    return A.Device == B.Device && A.Inode == B.Inode;
  };
  size_t Kept = 0;
  for (size_t Index = 0; Index < Files.size(); ++Index) {
    if (Kept > 0 && Same(Files[Kept - 1], Files[Index])) {
      Own.Take(Files[Index].Count);
      ++Files[Kept - 1].Names;
    } else {
      Files[Kept++] = Files[Index];
    }
  }
  Files.resize(Kept);
}

void TLinkCounter::Add(TFolderNode* Folder, const std::vector<TLinkedFile>& Files, TFolderNode* Top)
{
  std::lock_guard Lock(FMutex);
  // Folder's files climb with the live totals; from the deepest folder that
  // counts an earlier name as well, each folder above counts that file
  // twice. The counts taken out there climb as any count does, so what each
  // folder must lose is summed first and the walk up is made once.
  TAbove Above(Folder, Top);
  std::vector<std::pair<size_t, TFileCount>> Twice;  // how far up, what
  for (const TLinkedFile& File : Files) {
    TNames& Names = FFiles[TKey{File.Device, File.Inode}];
    if (!Names.Folders.empty())
      if (const size_t Distance = Above.DeepestCounting(Names.Folders); Distance != SIZE_MAX)
        Twice.emplace_back(Distance, File.Count);
    Names.Count = File.Count;
    Names.Folders.insert(Names.Folders.end(), File.Names, Folder);
  }
  std::sort(Twice.begin(), Twice.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  TFileCount Taken;
  for (size_t Next = 0; Next < Twice.size();) {
    size_t Distance = Twice[Next].first;
    for (TFolderNode* Node = Above.At(Distance); Node; Node = Above.At(++Distance)) {
      for (; Next < Twice.size() && Twice[Next].first == Distance; ++Next)
        Taken.Add(Twice[Next].second);
      Node->Count({}, Taken);
      if (Node == Top || Node->Gathers())
        break;
    }
    if (!Above.At(Distance))
      break;  // none is left below Top
    Taken = {};
  }
}

bool TLinkCounter::RemoveName(uint64_t Device, uint64_t Inode, TFolderNode* Folder, TFolderNode*& Still)
{
  std::lock_guard Lock(FMutex);
  const auto Found = FFiles.find(TKey{Device, Inode});
  if (Found == FFiles.end())
    return false;
  std::vector<TFolderNode*>& Names = Found->second.Folders;
  const auto Name = std::find(Names.begin(), Names.end(), Folder);
  if (Name == Names.end())
    return false;
  Names.erase(Name);
  TAbove Above(Folder);
  Still = Above.At(Above.DeepestCounting(Names));
  if (Names.empty())
    FFiles.erase(Found);
  return true;
}

std::unordered_set<const TFolderNode*> TLinkCounter::Branch(const TFolderNode* Node)
{
  std::unordered_set<const TFolderNode*> Folders;
  TFolderNode::ForEachBelow(Node, [&](const TFolderNode* Folder) { return Folders.insert(Folder).second; });
  return Folders;
}

void TLinkCounter::RemoveBranch(const TFolderNode* Node, const TStillCounted& Still)
{
  std::lock_guard Lock(FMutex);
  if (FFiles.empty())
    return;
  const std::unordered_set<const TFolderNode*> Going = Branch(Node);
  std::unique_ptr<TAbove> Above;
  for (auto File = FFiles.begin(); File != FFiles.end();) {
    std::vector<TFolderNode*>& Names = File->second.Folders;
    const auto Kept =
      std::remove_if(Names.begin(), Names.end(), [&](TFolderNode* Name) { return Going.contains(Name); });
    const bool Touched = Kept != Names.end();
    Names.erase(Kept, Names.end());
    if (Names.empty()) {
      File = FFiles.erase(File);
      continue;
    }
    if (Touched && Still && Node->Parent()) {
      if (!Above)
        Above = std::make_unique<TAbove>(Node->Parent());
      if (TFolderNode* Counting = Above->At(Above->DeepestCounting(Names)))
        Still(Counting, File->second.Count);
    }
    ++File;
  }
}

void TLinkCounter::MoveNamesUp(const TFolderNode* Node)
{
  std::lock_guard Lock(FMutex);
  if (FFiles.empty())
    return;
  const std::unordered_set<const TFolderNode*> Going = Branch(Node);
  for (auto& [Key, Names] : FFiles)
    std::replace_if(
      Names.Folders.begin(), Names.Folders.end(), [&](TFolderNode* Name) { return Going.contains(Name); },
      Node->Parent());
}

void TLinkCounter::Clear()
{
  std::lock_guard Lock(FMutex);
  FFiles.clear();
}

bool TLinkCounter::Empty() const
{
  std::lock_guard Lock(FMutex);
  return FFiles.empty();
}
