// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypeTotals.h"

#include "FileClass.h"
#include "FilesSnapshot.h"

#include <algorithm>

void TTypeTotals::Add(std::string_view Name, uint64_t Size, uint64_t Allocated, uint32_t ClusterSize, bool Executable,
                      uint64_t Links, uint64_t Device, uint64_t Inode)
{
  const std::string Extension = TFileClass::Extension(Name);
  const auto Kind = uint8_t(TFileClass::Of(Name, Executable));
  std::lock_guard Lock(FMutex);
  if (FLinksOnce && Links > 1 && !FLinked.emplace(Device, Inode).second)
    return;
  Count(Extension, Kind, Size, Allocated, ClusterSize, 0);
}

void TTypeTotals::Add(const TFilesSnapshot& Files, const std::function<bool()>& Stop)
{
  std::lock_guard Lock(FMutex);
  for (const TFilesSnapshot::TSlot& Slot : Files.Slots()) {
    if (Stop())
      return;
    const TFolderFiles& Block = *Slot.Files;
    for (uint32_t Index = 0; Index < Block.Count(); ++Index) {
      const uint32_t Number = Slot.First + Index;
      if (Files.Repeat(Number))
        continue;
      const TFolderFiles::TFile& File = Block[Index];
      // The class is the scan's, told by the name and the mode it saw.
      Count(TFileClass::Extension(Block.Name(Index)), uint8_t(File.Kind), File.Size(),
            Block.Allocated(Index, Slot.ClusterSize), Slot.ClusterSize, Number);
    }
  }
}

void TTypeTotals::Count(std::string_view Extension, uint8_t Kind, uint64_t Size, uint64_t Allocated,
                        uint32_t ClusterSize, uint32_t Number)
{
  if (!FLast || FKey.size() != Extension.size() + 1 || FKey[0] != char(Kind)
      || std::string_view(FKey).substr(1) != Extension) {
    FKey.assign(1, char(Kind));
    FKey.append(Extension);
    FLast = &FTypes[FKey];
    if (FLast->Files == 0) {
      FLast->Extension = Extension;
      FLast->Kind = Kind;
    }
  }
  TType& Type = *FLast;
  ++Type.Files;
  Type.Size += Size;
  Type.Allocated += Allocated;
  const uint64_t Cluster = std::max<uint32_t>(ClusterSize, 1);
  Type.Slack += (Cluster - Size % Cluster) % Cluster;
  Type.CdRom += (Size + 2047) / 2048 * 2048;
  if (Size > Type.Largest || Type.Files == 1) {
    Type.Largest = Size;
    Type.LargestFile = Number;
  }
}

std::vector<TTypeTotals::TType> TTypeTotals::Ranked() const
{
  std::vector<TType> Ranked;
  {
    std::lock_guard Lock(FMutex);
    Ranked.reserve(FTypes.size());
    for (const auto& [Key, Type] : FTypes)
      Ranked.push_back(Type);
  }
  Rank(Ranked);
  return Ranked;
}

void TTypeTotals::Rank(std::vector<TType>& Types)
{
  std::sort(Types.begin(), Types.end(), [](const TType& A, const TType& B) {
    if (A.Size != B.Size)
      return A.Size > B.Size;
    return A.Extension != B.Extension ? A.Extension < B.Extension : A.Kind < B.Kind;
  });
}
