// SPDX-License-Identifier: GPL-3.0-or-later
#include "types/TypeTotals.h"

#include "fs/WorkerThread.h"
#include "scan/FilesSnapshot.h"
#include "view/FileClass.h"

#include <algorithm>
#include <thread>

namespace {

char Lower(char Letter)
{
  return Letter >= 'A' && Letter <= 'Z' ? char(Letter - 'A' + 'a') : Letter;
}

// Snapshots smaller than this are counted on one thread: a second one
// would cost more than it saves.
constexpr uint32_t SplitFrom = 100000;

}  // namespace

void TTypeTotals::Add(std::string_view Name, uint64_t Size, uint64_t Allocated, uint32_t ClusterSize, bool Executable,
                      uint64_t Links, uint64_t Device, uint64_t Inode)
{
  // The extension found once, for the class and the count.
  const std::string_view Extension = TFileClass::ExtensionIn(Name, Executable);
  const auto Kind = uint8_t(TFileClass::OfExtension(Extension, Executable));
  std::lock_guard Lock(FMutex);
  if (FLinksOnce && Links > 1 && !FLinked.emplace(Device, Inode).second)
    return;
  Count(Extension, Kind, Size, Allocated, ClusterSize, 0);
}

void TTypeTotals::Add(const TFilesSnapshot& Files, const std::function<bool()>& Stop)
{
  const size_t Slots = Files.Slots().size();
  if (Files.Count() < SplitFrom) {
    AddSlots(Files, 0, Slots, Stop);
    return;
  }
  // Halves by files, the later half on a thread of its own.
  const size_t Half = Files.SlotOf(Files.Count() / 2);
  TTypeTotals Later(false);
  std::thread Helper([&] {
    TWorkerThread::GiveWay();
    Later.AddSlots(Files, Half, Slots, Stop);
  });
  AddSlots(Files, 0, Half, Stop);
  Helper.join();
  Merge(Later);
}

void TTypeTotals::AddSlots(const TFilesSnapshot& Files, size_t From, size_t To, const std::function<bool()>& Stop)
{
  std::lock_guard Lock(FMutex);
  for (size_t At = From; At < To; ++At) {
    if (Stop())
      return;
    const TFilesSnapshot::TSlot& Slot = Files.Slots()[At];
    const TFolderFiles& Block = *Slot.Files;
    for (uint32_t Index = 0; Index < Block.Count(); ++Index) {
      const uint32_t Number = Slot.First + Index;
      if (Files.Repeat(Number))
        continue;
      const TFolderFiles::TFile& File = Block[Index];
      // The class is the scan's, told by the name and the mode it saw.
      Count(TFileClass::ExtensionIn(Block.Name(Index), File.Kind == TFileClass::fcBinary), uint8_t(File.Kind),
            File.Size(), Block.Allocated(Index, Slot.ClusterSize), Slot.ClusterSize, Number);
    }
  }
}

TTypeTotals::TType& TTypeTotals::TypeOf(std::string_view Extension, uint8_t Kind)
{
  const auto Made = [&] {
    TType Type;
    Type.Extension.reserve(Extension.size());
    for (char Letter : Extension)
      Type.Extension += Lower(Letter);
    Type.Kind = Kind;
    FTypes.push_back(std::move(Type));
    return uint32_t(FTypes.size() - 1);
  };
  if (Extension.size() > 7) {
    std::string Name(Extension);
    std::transform(Name.begin(), Name.end(), Name.begin(), Lower);
    const auto [Found, New] = FLong.try_emplace({std::move(Name), Kind}, 0);
    if (New)
      Found->second = Made();
    FLastKey = UINT64_MAX;
    return FTypes[Found->second];
  }
  // The class, up to seven letters and their count in eight bytes.
  uint64_t Key = Kind;
  for (char Letter : Extension)
    Key = Key << 8 | uint8_t(Lower(Letter));
  Key |= uint64_t(Extension.size()) << 61;
  if (Key != FLastKey) {
    const auto [Found, New] = FShort.try_emplace(Key, 0);
    if (New)
      Found->second = Made();
    FLastKey = Key;
    FLast = Found->second;
  }
  return FTypes[FLast];
}

void TTypeTotals::Count(std::string_view Extension, uint8_t Kind, uint64_t Size, uint64_t Allocated,
                        uint32_t ClusterSize, uint32_t Number)
{
  TType& Type = TypeOf(Extension, Kind);
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

void TTypeTotals::Merge(const TTypeTotals& Other)
{
  std::lock_guard Lock(FMutex);
  for (const TType& From : Other.FTypes) {
    TType& Type = TypeOf(From.Extension, From.Kind);
    if (From.Largest > Type.Largest || Type.Files == 0) {
      Type.Largest = From.Largest;
      Type.LargestFile = From.LargestFile;
    }
    Type.Files += From.Files;
    Type.Size += From.Size;
    Type.Allocated += From.Allocated;
    Type.Slack += From.Slack;
    Type.CdRom += From.CdRom;
  }
}

std::vector<TTypeTotals::TType> TTypeTotals::Ranked() const
{
  std::vector<TType> Ranked;
  {
    std::lock_guard Lock(FMutex);
    Ranked = FTypes;
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
