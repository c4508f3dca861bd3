// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkCounter.h"

#include "FolderNode.h"

#include <algorithm>

void TLinkCounter::KeepOnePerFile(std::vector<TLinkedFile>& Files, TFileCount& Own)
{
  std::sort(Files.begin(), Files.end(), [](const TLinkedFile& A, const TLinkedFile& B) {
    return A.Device != B.Device ? A.Device < B.Device : A.Inode < B.Inode;
  });
  const auto Same = [](const TLinkedFile& A, const TLinkedFile& B) { return A.Device == B.Device && A.Inode == B.Inode; };
  size_t Kept = 0;
  for (size_t Index = 0; Index < Files.size(); ++Index) {
    if (Kept > 0 && Same(Files[Kept - 1], Files[Index]))
      Own.Take(Files[Index].Count);
    else
      Files[Kept++] = Files[Index];
  }
  Files.resize(Kept);
}

void TLinkCounter::Add(TFolderNode* Folder, const std::vector<TLinkedFile>& Files, TFolderNode* Top)
{
  std::lock_guard Lock(FMutex);
  for (const TLinkedFile& File : Files) {
    const auto [Found, New] = FFiles.try_emplace(TKey{File.Device, File.Inode}, THolders{Folder, {}});
    if (New)
      continue;
    for (TFolderNode* Node = DeepestShared(Folder, Found->second, Top);; Node = Node->Parent()) {
      Node->Count({}, File.Count);
      if (Node == Top)
        break;
    }
    Found->second.More.push_back(Folder);
  }
}

TFolderNode* TLinkCounter::DeepestShared(TFolderNode* Folder, const THolders& Holders, TFolderNode* Top)
{
  // Folder's way up, deepest first; each holder's way up meets it somewhere.
  std::vector<TFolderNode*> Way;
  for (TFolderNode* Node = Folder;; Node = Node->Parent()) {
    Way.push_back(Node);
    if (Node == Top)
      break;
  }
  size_t Deepest = Way.size() - 1;
  const auto Meet = [&](TFolderNode* Holder) {
    for (TFolderNode* Node = Holder;; Node = Node->Parent()) {
      const auto At = std::find(Way.begin(), Way.begin() + Deepest + 1, Node);
      if (At != Way.begin() + Deepest + 1) {
        Deepest = size_t(At - Way.begin());
        return;
      }
      if (Node == Top)
        return;
    }
  };
  Meet(Holders.First);
  for (TFolderNode* Holder : Holders.More)
    Meet(Holder);
  return Way[Deepest];
}

size_t TLinkCounter::Size() const
{
  std::lock_guard Lock(FMutex);
  return FFiles.size();
}
