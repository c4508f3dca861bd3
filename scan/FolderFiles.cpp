// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderFiles.h"

#include "fs/FileTime.h"
#include "scan/FolderData.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

void TFolderFiles::TBuilder::Add(std::string_view Name, uint64_t Size, const TFileCount& Count, uint8_t Kind,
                                 uint64_t LastWrite, uint64_t LastAccess, uint64_t Links, uint64_t Device,
                                 uint64_t Inode)
{
  // A folder's names beyond 1 GiB (some ten million long names) go unnamed
  // rather than overflow their offsets.
  if (FNames.size() + Name.size() >= (size_t(1) << 30))
    Name = {};
  Size = std::min<uint64_t>(Size, (uint64_t(1) << 56) - 1);
  // Files all holes (made by truncate, as many are) need no extra.
  const bool Hollow = Count.Holes > 0 && Count.Holes >= Count.Clusters;
  const uint64_t Holes = Hollow ? 0 : Count.Holes;
  const bool Linked = Links > 1;
  const bool Extra = Linked || Holes > 0;
  FFiles.push_back({uint32_t(Size), uint32_t(Size >> 32), Kind, Hollow, FileTime::ToSeconds32(LastWrite),
                    FileTime::ToSeconds32(LastAccess), uint32_t(FNames.size()), Extra, Linked});
  FNames.append(Name);
  if (Extra)
    FExtras.insert(
      FExtras.end(),
      {uint32_t(FFiles.size() - 1), uint32_t(std::min<uint64_t>(Links, UINT32_MAX)), uint32_t(Holes),
       uint32_t(Holes >> 32), uint32_t(Device), uint32_t(Device >> 32), uint32_t(Inode), uint32_t(Inode >> 32)});
}

TFolderFiles* TFolderFiles::TBuilder::Make()
{
  if (FFiles.empty())
    return nullptr;
  const size_t Items = FFiles.size() * sizeof(TFile);
  const size_t Extras = FExtras.size() * sizeof(uint32_t);
  void* Memory = std::malloc(sizeof(TFolderFiles) + Items + FNames.size() + Extras);
  if (!Memory)
    throw std::bad_alloc();
  auto* Made = new (Memory) TFolderFiles;
  Made->FCount = uint32_t(FFiles.size());
  Made->FNameBytes = uint32_t(FNames.size());
  Made->FExtraCount = uint32_t(FExtras.size() / ExtraWords);
  char* At = reinterpret_cast<char*>(Made + 1);
  std::memcpy(At, FFiles.data(), Items);
  std::memcpy(At + Items, FNames.data(), FNames.size());
  if (Extras > 0)  // an empty vector may hold no memory at all
    std::memcpy(At + Items + FNames.size(), FExtras.data(), Extras);
  FFiles.clear();
  FNames.clear();
  FExtras.clear();
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

const uint32_t* TFolderFiles::ExtraOf(size_t Index) const
{
  if (!Items()[Index].Extra)
    return nullptr;
  // The extras follow the names, unaligned: copied out to be read.
  thread_local uint32_t Row[ExtraWords];
  const char* Table = Names() + FNameBytes;
  size_t Low = 0, High = FExtraCount;
  while (Low < High) {
    const size_t Middle = (Low + High) / 2;
    std::memcpy(Row, Table + Middle * sizeof(Row), sizeof(Row));
    if (Row[0] == Index)
      return Row;
    if (Row[0] < Index)
      Low = Middle + 1;
    else
      High = Middle;
  }
  return nullptr;
}

uint64_t TFolderFiles::Allocated(size_t Index, uint32_t ClusterSize) const
{
  const TFile& File = Items()[Index];
  if (File.Hollow)
    return 0;
  const uint32_t* Extra = ExtraOf(Index);
  const uint64_t Holes = Extra ? Extra[2] | uint64_t(Extra[3]) << 32 : 0;
  const uint64_t Clusters = File.Size() / ClusterSize + (File.Size() % ClusterSize != 0);
  return (Clusters - std::min(Clusters, Holes)) * ClusterSize;
}

uint32_t TFolderFiles::Links(size_t Index) const
{
  const uint32_t* Extra = Items()[Index].Linked ? ExtraOf(Index) : nullptr;
  return Extra ? Extra[1] : 1;
}

bool TFolderFiles::Identity(size_t Index, uint64_t& Device, uint64_t& Inode) const
{
  const uint32_t* Extra = Items()[Index].Linked ? ExtraOf(Index) : nullptr;
  if (!Extra)
    return false;
  Device = Extra[4] | uint64_t(Extra[5]) << 32;
  Inode = Extra[6] | uint64_t(Extra[7]) << 32;
  return true;
}
