// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/TopFiles.h"

#include "fs/Directory.h"
#include "scan/FolderNode.h"

TTopFiles::TTopFiles(size_t Count, TOrder Order, bool LinksOnce, TKindOf KindOf)
  : FCount(Count), FOrder(Order), FLinksOnce(LinksOnce), FKindOf(std::move(KindOf))
{
}

bool TTopFiles::OrderNamed(const std::string& Name, TOrder& Order)
{
  const std::pair<const char*, TOrder> Names[] = {
    {"size", toSize}, {"allocated", toAllocated}, {"newest", toNewest}, {"oldest", toOldest}};
  for (const auto& [Text, Value] : Names)
    if (Name == Text) {
      Order = Value;
      return true;
    }
  return false;
}

uint64_t TTopFiles::KeyOf(const TFile& File) const
{
  switch (FOrder) {
    case toSize: return File.Size;
    case toAllocated: return File.Allocated;
    case toNewest: return File.LastWrite;
    case toOldest: return UINT64_MAX - File.LastWrite;
  }
  return 0;
}

void TTopFiles::Offer(const TFolderNode* Folder, const TDirEntry& Entry)
{
  if (FCount == 0)
    return;
  // One scan, one root: its cluster size is looked up once, not by a walk
  // up the tree for every file.
  uint32_t ClusterSize = FClusterSize.load(std::memory_order_relaxed);
  if (ClusterSize == 0)
    FClusterSize.store(ClusterSize = Folder->ClusterSize(), std::memory_order_relaxed);
  const TFileCount Count = TFolderData::CountFile(Entry.Size, ClusterSize, Entry.DiskBytes);
  TFile File{{},
             Entry.Size,
             Count.AllocatedBytes(ClusterSize),
             Entry.LastWrite,
             Entry.LastAccess,
             Entry.Identity.Device,
             Entry.Identity.Inode,
             Entry.Links,
             0};
  const uint64_t Key = KeyOf(File);
  // Most files come after the last one kept: turned down at once.
  if (Key < FBar.load(std::memory_order_relaxed))
    return;
  File.Path = Folder->FullPath() + Entry.Name;
  std::lock_guard Lock(FMutex);
  TRanked Ranked{Key, std::move(File)};
  if (FKept.size() == FCount && !(Ranked < *FKept.rbegin()))
    return;
  const bool Linked = FLinksOnce && Ranked.File.Links > 1;
  const std::pair<uint64_t, uint64_t> Identity{Ranked.File.Device, Ranked.File.Inode};
  if (Linked) {
    if (const auto Known = FLinked.find(Identity); Known != FLinked.end()) {
      if (!(Ranked < *Known->second))
        return;  // another name of it comes first
      FKept.erase(Known->second);
      FLinked.erase(Known);
    }
  }
  Ranked.File.Kind = FKindOf ? FKindOf(Entry.Name, Entry.Executable) : 0;
  const auto Placed = FKept.insert(std::move(Ranked)).first;
  if (Linked)
    FLinked.emplace(Identity, Placed);
  if (FKept.size() > FCount) {
    const auto Last = std::prev(FKept.end());
    if (FLinksOnce && Last->File.Links > 1)
      FLinked.erase({Last->File.Device, Last->File.Inode});
    FKept.erase(Last);
  }
  if (FKept.size() == FCount)
    FBar.store(FKept.rbegin()->Key, std::memory_order_relaxed);
}

std::vector<TTopFiles::TFile> TTopFiles::Ranked() const
{
  std::lock_guard Lock(FMutex);
  std::vector<TFile> Files;
  for (const TRanked& Ranked : FKept)
    Files.push_back(Ranked.File);
  return Files;
}
