// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/SlicedRead.h"

#include "scan/FolderTree.h"

namespace {

constexpr size_t SliceFolders = 256;

}  // namespace

TSlicedRead::TSlicedRead(const TFolderTree* Tree, uint64_t Removals) : FTree(Tree), FRemovals(Removals)
{
  if (FTree)
    FValid = Hold();
}

bool TSlicedRead::Hold()
{
  FGuard = FTree->ReadGuard();
  if (FTree->Removals() == FRemovals)
    return true;
  FGuard.unlock();
  return false;
}

bool TSlicedRead::Next()
{
  if (FTree && FValid && ++FRead % SliceFolders == 0) {
    FGuard.unlock();
    FValid = Hold();
  }
  return FValid;
}

void TSlicedRead::Done()
{
  if (FGuard.owns_lock())
    FGuard.unlock();
}
