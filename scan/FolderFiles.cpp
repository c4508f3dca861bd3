// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderFiles.h"

#include "FileTime.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

uint32_t TFolderFiles::Seconds(uint64_t Time)
{
  if (!FileTime::IsSet(Time))
    return 0;
  const int64_t Unix = FileTime::ToUnixSeconds(Time);
  return uint32_t(std::clamp<int64_t>(Unix, 0, UINT32_MAX));
}

uint64_t TFolderFiles::TFile::Allocated(uint32_t ClusterSize) const
{
  const uint64_t Clusters = Size() / ClusterSize + (Size() % ClusterSize != 0);
  return (Clusters - std::min<uint64_t>(Clusters, Holes)) * ClusterSize;
}

void TFolderFiles::TBuilder::Add(std::string_view Name, uint64_t Size, uint64_t Holes, uint8_t Kind,
                                 uint64_t LastWrite, uint64_t LastAccess, uint64_t Links)
{
  // A folder's names beyond 2 GiB (some ten million long names) go unnamed
  // rather than overflow their offsets.
  if (FNames.size() + Name.size() > INT32_MAX)
    Name = {};
  Size = std::min<uint64_t>(Size, (uint64_t(1) << 56) - 1);
  TFile File{uint32_t(Size), uint32_t(Size >> 32), Kind, uint32_t(std::min<uint64_t>(Holes, UINT32_MAX)),
             Seconds(LastWrite), Seconds(LastAccess), uint32_t(FNames.size()), Links > 1};
  if (File.Linked)
    FLinked.emplace_back(uint32_t(FFiles.size()), uint32_t(std::min<uint64_t>(Links, UINT32_MAX)));
  FFiles.push_back(File);
  FNames.append(Name);
}

TFolderFiles* TFolderFiles::TBuilder::Make()
{
  if (FFiles.empty())
    return nullptr;
  const size_t Items = FFiles.size() * sizeof(TFile);
  const size_t Linked = FLinked.size() * sizeof(FLinked[0]);
  void* Memory = std::malloc(sizeof(TFolderFiles) + Items + FNames.size() + Linked);
  if (!Memory)
    throw std::bad_alloc();
  auto* Made = new (Memory) TFolderFiles;
  Made->FCount = uint32_t(FFiles.size());
  Made->FNameBytes = uint32_t(FNames.size());
  Made->FLinkedCount = uint32_t(FLinked.size());
  char* At = reinterpret_cast<char*>(Made + 1);
  std::memcpy(At, FFiles.data(), Items);
  std::memcpy(At + Items, FNames.data(), FNames.size());
  std::memcpy(At + Items + FNames.size(), FLinked.data(), Linked);
  FFiles.clear();
  FNames.clear();
  FLinked.clear();
  return Made;
}

void TFolderFiles::Release(TFolderFiles* Files)
{
  if (Files && Files->FRefs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    Files->~TFolderFiles();
    std::free(Files);
  }
}

std::string_view TFolderFiles::Name(size_t Index) const
{
  const uint32_t Start = Items()[Index].NameAt;
  const uint32_t End = Index + 1 < FCount ? Items()[Index + 1].NameAt : FNameBytes;
  return {Names() + Start, End - Start};
}

uint32_t TFolderFiles::Links(size_t Index) const
{
  if (!Items()[Index].Linked)
    return 1;
  // The linked table follows the names, unaligned.
  const char* Table = Names() + FNameBytes;
  size_t Low = 0, High = FLinkedCount;
  while (Low < High) {
    const size_t Middle = (Low + High) / 2;
    uint32_t Row[2];
    std::memcpy(Row, Table + Middle * sizeof(Row), sizeof(Row));
    if (Row[0] == Index)
      return Row[1];
    if (Row[0] < Index)
      Low = Middle + 1;
    else
      High = Middle;
  }
  return 1;
}
