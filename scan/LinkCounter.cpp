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
  for (const TLinkedFile& File : Files) {
    const auto Found = FFiles.try_emplace(TKey{File.Device, File.Inode}).first;
    std::vector<TFolderNode*>& Counting = Found->second.Folders;
    // Up from Folder to the first folder that counts the file already: it
    // and the folders above it have now counted the file twice.
    TFolderNode* Twice = Folder;
    for (;; Twice = Twice->Parent()) {
      const auto At = std::lower_bound(Counting.begin(), Counting.end(), Twice);
      if (At != Counting.end() && *At == Twice)
        break;
      Counting.insert(At, Twice);
      if (Twice == Top) {
        Twice = nullptr;  // the first name met
        break;
      }
    }
    for (; Twice; Twice = Twice == Top ? nullptr : Twice->Parent())
      Twice->Count({}, File.Count);
    if ((Found->second.Met += File.Names) == File.Links)
      FFiles.erase(Found);
  }
}

size_t TLinkCounter::Size() const
{
  std::lock_guard Lock(FMutex);
  return FFiles.size();
}
