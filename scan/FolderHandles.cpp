// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderHandles.h"

#include "scan/FolderNode.h"

#include <unistd.h>
#include <utility>
#include <vector>

TFolderHandles::THandle* TFolderHandles::TrailTo(const TFolderNode* Node)
{
  // The folders from the top down to Node, reached and identified again one
  // name at a time; only Node's own descriptor stays open.
  std::vector<const TFolderNode*> Above;
  for (; Node; Node = Node->Parent())
    Above.push_back(Node);
  THandle* Trail = nullptr;
  int Fd = -1;
  for (auto Folder = Above.rbegin(); Folder != Above.rend(); ++Folder) {
    const int Next = Trail ? TDirectory::Reach(Fd, (*Folder)->FName) : TDirectory::ReachPath((*Folder)->FullPath());
    if (Fd >= 0)
      close(Fd);
    Fd = Next;
    TFileIdentity Identity;
    if (Fd < 0 || TDirectory::Identify(Fd, Identity) != 0) {
      if (Fd >= 0)
        close(Fd);
      Unref(Trail);
      return nullptr;
    }
    Trail = new THandle{-1, Identity, Trail, 0, 1, true, 0};
  }
  Trail->Fd = Fd;
  Trail->Openers = 1;
  FDescriptors.fetch_add(1, std::memory_order_relaxed);
  return Trail;
}

TFolderHandles::THandle* TFolderHandles::Make(int Fd, const TFileIdentity& Identity, THandle* Up, uint32_t Openers,
                                              bool Followed, const TFolderNode* Folder)
{
  if (!Keep(Folder)) {
    close(Fd);
    Fd = -1;
  }
  return new THandle{Fd, Identity, Up, Openers, 1, Followed, Openers};
}

bool TFolderHandles::Keep(const TFolderNode* Folder)
{
  // Half the budget goes to any folder, the rest to every 64th level only,
  // so that a folder let go of is opened again from one at most 64 levels
  // above it however deep the tree.
  const uint32_t Kept = FDescriptors.load(std::memory_order_relaxed);
  if (Kept >= FBudget || (Kept >= FBudget / 2 && !Folder->Gathers()))
    return false;
  FDescriptors.fetch_add(1, std::memory_order_relaxed);
  return true;
}

int TFolderHandles::Descriptor(THandle* Handle, const TFolderNode* Folder)
{
  if (const int Fd = Handle->Fd.load(std::memory_order_acquire); Fd >= 0)
    return Fd;
  // The folders from Handle's up to the nearest one holding its descriptor.
  std::vector<std::pair<THandle*, const TFolderNode*>> Path{{Handle, Folder}};
  THandle* Pinned = nullptr;
  for (THandle* Above = Handle->Up; Above; Above = Above->Up) {
    if (Pin(Above)) {
      if (Above->Fd.load(std::memory_order_acquire) >= 0) {
        Pinned = Above;
        break;
      }
      Release(Above);
    }
    Path.emplace_back(Above, Path.back().second->Parent());
  }
  int Fd = Pinned ? Pinned->Fd.load(std::memory_order_acquire) : -1;
  for (auto Step = Path.rbegin(); Step != Path.rend(); ++Step) {
    const auto [Below, Node] = *Step;
    // The top of the walk is reached by its path, as it was at the start.
    const int Next =
      Fd >= 0 ? TDirectory::Open(Fd, Node->FName, Below->Followed) : TDirectory::OpenPath(Node->FullPath());
    if (Fd >= 0 && (!Pinned || Fd != Pinned->Fd.load(std::memory_order_relaxed)))
      close(Fd);
    Fd = Next;
    TFileIdentity Identity;
    if (Fd >= 0 && Below->Identity.Inode
        && (TDirectory::Identify(Fd, Identity) != 0 || Identity.Device != Below->Identity.Device
            || Identity.Inode != Below->Identity.Inode)) {
      close(Fd);
      Fd = -ENOENT;  // not the folder listed there: as if it had gone
    }
    if (Fd < 0)
      break;
  }
  if (Pinned)
    Release(Pinned);
  if (Fd < 0)
    return Fd;
  int Expected = -1;
  if (!Handle->Fd.compare_exchange_strong(Expected, Fd, std::memory_order_acq_rel)) {
    close(Fd);  // another sub-folder's worker opened it first
    return Expected;
  }
  FDescriptors.fetch_add(1, std::memory_order_relaxed);
  return Fd;
}

bool TFolderHandles::Pin(THandle* Handle)
{
  uint32_t Openers = Handle->Openers.load(std::memory_order_acquire);
  while (Openers > 0)
    if (Handle->Openers.compare_exchange_weak(Openers, Openers + 1, std::memory_order_acq_rel))
      return true;
  return false;
}

void TFolderHandles::Release(THandle* Handle)
{
  if (Handle->Openers.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    if (const int Fd = Handle->Fd.load(std::memory_order_acquire); Fd >= 0) {
      close(Fd);
      FDescriptors.fetch_sub(1, std::memory_order_relaxed);
    }
    Unref(Handle);
  }
}

void TFolderHandles::Unref(THandle* Handle)
{
  while (Handle && Handle->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    THandle* Up = Handle->Up;
    delete Handle;
    Handle = Up;
  }
}
