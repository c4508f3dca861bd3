// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderFiles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

TFolderFiles::TFile TFolderFiles::TFile::Make(uint64_t Size, uint64_t Holes, uint8_t Kind)
{
  Size = std::min<uint64_t>(Size, (uint64_t(1) << 56) - 1);
  return {uint32_t(Size), uint32_t(Size >> 32), Kind, uint32_t(std::min<uint64_t>(Holes, UINT32_MAX))};
}

TFolderFiles* TFolderFiles::Make(const std::vector<TFile>& Files)
{
  if (Files.empty())
    return nullptr;
  void* Memory = std::malloc(sizeof(TFolderFiles) + Files.size() * sizeof(TFile));
  if (!Memory)
    throw std::bad_alloc();
  auto* Made = new (Memory) TFolderFiles;
  Made->FCount = uint32_t(Files.size());
  std::memcpy(static_cast<void*>(Made + 1), Files.data(), Files.size() * sizeof(TFile));
  return Made;
}

void TFolderFiles::Free(TFolderFiles* Files)
{
  if (Files) {
    Files->~TFolderFiles();
    std::free(Files);
  }
}
