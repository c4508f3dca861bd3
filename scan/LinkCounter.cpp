// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkCounter.h"

#include "FolderNode.h"

#include <algorithm>
#include <memory>

namespace {

// The folders from Folder up to Top (the top of its tree when none), each
// with how far above Folder it lies.
struct TAbove {
  explicit TAbove(TFolderNode* Folder, const TFolderNode* Top = nullptr)
  {
    for (; Folder; Folder = Folder == Top ? nullptr : Folder->Parent()) {
      Distance.emplace(Folder, Chain.size());
      Chain.push_back(Folder);
    }
  }
  // How far above Folder the deepest of these folders lies that holds a
  // name of Names or lies above one; the length of the chain when none.
  size_t DeepestCounting(const std::vector<TFolderNode*>& Names) const
  {
    size_t Nearest = Chain.size();
    for (const TFolderNode* Name : Names)
      for (const TFolderNode* Folder = Name; Folder; Folder = Folder->Parent())
        if (const auto Found = Distance.find(Folder); Found != Distance.end()) {
          Nearest = std::min(Nearest, Found->second);
          break;
        }
    return Nearest;
  }
  TFolderNode* At(size_t Index) const { return Index < Chain.size() ? Chain[Index] : nullptr; }
  std::unordered_map<const TFolderNode*, size_t> Distance;
  std::vector<TFolderNode*> Chain;
};

}  // namespace

void TLinkCounter::KeepOnePerFile(std::vector<TLinkedFile>& Files, TFileCount& Own)
{
  std::sort(Files.begin(), Files.end(), [](const TLinkedFile& A, const TLinkedFile& B) {
    return A.Device != B.Device ? A.Device < B.Device : A.Inode < B.Inode;
  });
  const auto Same = [](const TLinkedFile& A, const TLinkedFile& B) { return A.Device == B.Device && A.Inode == B.Inode; };
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
  // The folders up to the start of the scan count Folder's files live; from
  // the deepest of them that counts an earlier name as well, each has
  // counted that file twice. What each must take out is summed first, so
  // the walk up is made once whatever the number of files.
  std::unique_ptr<TAbove> Counting;
  std::vector<TFileCount> Twice;
  for (const TLinkedFile& File : Files) {
    TNames& Names = FFiles[TKey{File.Device, File.Inode}];
    if (!Names.Folders.empty()) {
      if (!Counting) {
        Counting = std::make_unique<TAbove>(Folder, Top);
        Twice.resize(Counting->Chain.size() + 1);
      }
      Twice[Counting->DeepestCounting(Names.Folders)].Add(File.Count);
    }
    Names.Count = File.Count;
    Names.Folders.insert(Names.Folders.end(), File.Names, Folder);
  }
  if (!Counting)
    return;
  TFileCount Taken;
  for (size_t Index = 0; Index < Counting->Chain.size(); ++Index) {
    Taken.Add(Twice[Index]);
    if (Taken.Objects > 0)
      Counting->Chain[Index]->Count({}, Taken);
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
  const TAbove Above(Folder);
  Still = Above.At(Above.DeepestCounting(Names));
  if (Names.empty())
    FFiles.erase(Found);
  return true;
}

std::unordered_set<const TFolderNode*> TLinkCounter::Branch(const TFolderNode* Node)
{
  std::unordered_set<const TFolderNode*> Folders;
  std::vector<const TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    const TFolderNode* Folder = Pending.back();
    Pending.pop_back();
    Folders.insert(Folder);
    Pending.insert(Pending.end(), Folder->Children().begin(), Folder->Children().end());
  }
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
    const auto Kept = std::remove_if(Names.begin(), Names.end(), [&](TFolderNode* Name) { return Going.contains(Name); });
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
    std::replace_if(Names.Folders.begin(), Names.Folders.end(),
                    [&](TFolderNode* Name) { return Going.contains(Name); }, Node->Parent());
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
