// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypeTotals.h"

#include "FileClass.h"

#include <algorithm>

void TTypeTotals::Add(std::string_view Name, uint64_t Size, uint64_t Allocated, bool Executable, uint64_t Links,
                      uint64_t Device, uint64_t Inode)
{
  std::string Extension = TFileClass::Extension(Name);
  const auto Kind = uint8_t(TFileClass::Of(Name, Executable));
  std::lock_guard Lock(FMutex);
  if (FLinksOnce && Links > 1 && !FLinked.emplace(Device, Inode).second)
    return;
  TType& Type = FTypes[{Extension, Kind}];
  if (Type.Files == 0) {
    Type.Extension = std::move(Extension);
    Type.Kind = Kind;
  }
  ++Type.Files;
  Type.Size += Size;
  Type.Allocated += Allocated;
  Type.Largest = std::max(Type.Largest, Size);
}

std::vector<TTypeTotals::TType> TTypeTotals::Ranked() const
{
  std::vector<TType> Ranked;
  {
    std::lock_guard Lock(FMutex);
    for (const auto& [Key, Type] : FTypes)
      Ranked.push_back(Type);
  }
  // The map keeps extension and class order: a stable sort keeps it for ties.
  std::stable_sort(Ranked.begin(), Ranked.end(), [](const TType& A, const TType& B) { return A.Size > B.Size; });
  return Ranked;
}
