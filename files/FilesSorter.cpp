// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesSorter.h"

#include "files/FilesFilter.h"
#include "scan/FilesSnapshot.h"

#include <algorithm>
#include <bit>
#include <string_view>
#include <utility>

namespace {

constexpr uint32_t StopEvery = 1 << 16;

uint8_t Folded(char C)
{
  return C >= 'A' && C <= 'Z' ? uint8_t(C - 'A' + 'a') : uint8_t(C);
}

// Bytes bytes (at most eight) of a name from Offset on, case folded, as a
// number that orders as the names do; a name ending sooner is padded with
// zeros.
uint64_t NameChunk(std::string_view Name, size_t Offset, size_t Bytes = 8)
{
  uint64_t Chunk = 0;
  for (size_t At = Offset; At < Offset + Bytes; ++At)
    Chunk = Chunk << 8 | (At < Name.size() ? Folded(Name[At]) : 0);
  return Chunk;
}

// Sorts the words in place by their bits from Shift down, eight at a time:
// a radix sort that needs no second array of words.
void FlagSort(uint64_t* Begin, uint64_t* End, int Shift)
{
  if (End - Begin <= 64 || Shift < 0) {
    std::sort(Begin, End);
    return;
  }
  size_t Counts[256] = {};
  for (const uint64_t* At = Begin; At < End; ++At)
    ++Counts[(*At >> Shift) & 0xFF];
  uint64_t* Heads[256];
  uint64_t* Tails[256];
  uint64_t* Next = Begin;
  for (int Digit = 0; Digit < 256; ++Digit) {
    Heads[Digit] = Next;
    Next += Counts[Digit];
    Tails[Digit] = Next;
  }
  // Each word is swapped straight into the bucket of its digit.
  for (int Digit = 0; Digit < 256; ++Digit)
    while (Heads[Digit] < Tails[Digit]) {
      const int Other = int((*Heads[Digit] >> Shift) & 0xFF);
      if (Other == Digit)
        ++Heads[Digit];
      else
        std::swap(*Heads[Digit], *Heads[Other]++);
    }
  uint64_t* From = Begin;
  for (size_t Count : Counts) {
    FlagSort(From, From + Count, Shift - 8);
    From += Count;
  }
}

// Puts a run of words whose cut keys tie in order by a finer key of each
// file, ties by number.
template <typename TFiner>
void Refine(uint64_t* Begin, uint64_t* End, uint64_t NumberMask, TFiner&& Finer)
{
  std::vector<std::pair<uint64_t, uint32_t>> Run;
  Run.reserve(size_t(End - Begin));
  for (const uint64_t* At = Begin; At < End; ++At)
    Run.emplace_back(Finer(uint32_t(*At & NumberMask)), uint32_t(*At & NumberMask));
  std::sort(Run.begin(), Run.end());
  for (size_t At = 0; At < Run.size(); ++At)
    Begin[At] = (Begin[At] & ~NumberMask) | Run[At].second;
}

// Orders a run of files by their names from Offset on, a few bytes at a
// time. Names holds the run's names in the order of their numbers; Places
// the run's places in it, as they are ordered so far, each in a word of its
// own below room for the next bytes of its name. Ties stay in place order.
void SortNames(const std::vector<std::string_view>& Names, uint64_t* Begin, uint64_t* End, size_t Offset,
               bool Descending)
{
  const int PlaceBits = std::max(1, int(std::bit_width(Names.size() - 1)));
  const uint64_t PlaceMask = (uint64_t(1) << PlaceBits) - 1;
  const size_t Bytes = size_t(64 - PlaceBits) / 8;
  const uint64_t ChunkMask = (uint64_t(1) << (8 * Bytes)) - 1;
  uint64_t Highest = 0;
  for (uint64_t* At = Begin; At < End; ++At) {
    const uint64_t Chunk = NameChunk(Names[*At & PlaceMask], Offset, Bytes);
    Highest |= * At = (Descending ? ChunkMask - Chunk : Chunk) << PlaceBits | (*At & PlaceMask);
  }
  FlagSort(Begin, End, (std::max(1, int(std::bit_width(Highest))) - 1) / 8 * 8);
  for (uint64_t* Start = Begin; Start < End;) {
    uint64_t* Stop = Start + 1;
    while (Stop < End && *Stop >> PlaceBits == *Start >> PlaceBits)
      ++Stop;
    // Names that tie on every byte so far may go on.
    const uint64_t Chunk = *Start >> PlaceBits;
    if (Stop - Start > 1 && ((Descending ? ChunkMask - Chunk : Chunk) & 0xFF) != 0)
      SortNames(Names, Start, Stop, Offset + Bytes, Descending);
    Start = Stop;
  }
}

}  // namespace

std::vector<uint32_t> TFilesSorter::Sort(const TFilesSnapshot& Files, TKey Key, bool Descending, const TStop& Stop)
{
  const uint32_t Count = Files.Count();
  if (Count == 0)
    return {};
  // One word a file: its key above, its number below, so that a plain sort
  // of the words orders the keys and breaks ties by number. A key too wide
  // for the room left loses its low bits; files whose cut keys tie are put
  // in order again by their whole keys (names eight bytes at a time).
  const int NumberBits = std::max(1, int(std::bit_width(Count - 1)));
  const int KeyBits = 64 - NumberBits;
  const uint64_t NumberMask = (uint64_t(1) << NumberBits) - 1;
  const std::vector<TFilesSnapshot::TSlot>& Slots = Files.Slots();
  const int SlotBits = int(std::bit_width(Slots.size()));
  const auto NameOf = [&](uint32_t Number) {
    const TFilesSnapshot::TSlot& Slot = Slots[Files.SlotOf(Number)];
    return Slot.Files->Name(Number - Slot.First);
  };
  const auto WholeKey = [&](size_t Slot, uint32_t Number) -> uint64_t {
    const TFolderFiles::TFile& File = Files.File(Slot, Number);
    const uint32_t Index = Number - Slots[Slot].First;
    switch (Key) {
      case skName: return NameChunk(Slots[Slot].Files->Name(Index), 0);
      // The folders are numbered in path order: the slot first.
      case skFolder:
        return uint64_t(Slot) << (64 - SlotBits) | NameChunk(Slots[Slot].Files->Name(Index), 0) >> SlotBits;
      case skSize: return File.Size();
      case skAllocated: return Slots[Slot].Files->Allocated(Index, Slots[Slot].ClusterSize);
      // No time known: last, either way.
      case skLastChange: return File.LastWrite ? File.LastWrite : Descending ? 0 : uint64_t(1) << 32;
      case skLastAccess: return File.LastAccess ? File.LastAccess : Descending ? 0 : uint64_t(1) << 32;
      case skKind: return File.Kind;
      default: return Slots[Slot].Files->Links(Index);
    }
  };
  std::vector<uint64_t> Words(Count);
  uint64_t Widest = 0;
  for (size_t Slot = 0; Slot < Slots.size(); ++Slot) {
    if (Stop())
      return {};
    const uint32_t End = Slots[Slot].First + Slots[Slot].Files->Count();
    for (uint32_t Number = Slots[Slot].First; Number < End; ++Number)
      Widest = std::max(Widest, Words[Number] = WholeKey(Slot, Number));
  }
  // Keys of names and folders are never whole; numbers may be too wide.
  const bool Named = Key == skName || Key == skFolder;
  const int Cut = Named ? NumberBits : std::max(0, int(std::bit_width(Widest)) - KeyBits);
  const uint64_t KeyMask = KeyBits == 64 ? UINT64_MAX : (uint64_t(1) << KeyBits) - 1;
  uint64_t Highest = 0;
  for (uint32_t Number = 0; Number < Count; ++Number) {
    const uint64_t Kept = Descending ? KeyMask - (Words[Number] >> Cut) : Words[Number] >> Cut;
    Highest |= Words[Number] = Kept << NumberBits | Number;
  }
  if (Stop())
    return {};
  FlagSort(Words.data(), Words.data() + Count, (std::max(1, int(std::bit_width(Highest))) - 1) / 8 * 8);
  if (Cut > 0) {
    // The runs of tied cut keys, by their whole keys.
    std::vector<std::string_view> Names;
    std::vector<uint64_t> Places;
    for (uint32_t Start = 0; Start < Count;) {
      uint32_t End = Start + 1;
      while (End < Count && Words[End] >> NumberBits == Words[Start] >> NumberBits)
        ++End;
      if (End - Start > 1 && Named) {
        // The run is in number order: places in it keep ties so.
        Names.clear();
        Places.clear();
        for (uint32_t At = Start; At < End; ++At) {
          Places.push_back(At - Start);
          Names.push_back(NameOf(uint32_t(Words[At] & NumberMask)));
        }
        SortNames(Names, Places.data(), Places.data() + Places.size(), 0, Descending);
        const uint64_t PlaceMask = (uint64_t(1) << std::max(1, int(std::bit_width(Names.size() - 1)))) - 1;
        for (uint64_t& Place : Places)
          Place = Words[Start + (Place & PlaceMask)];
        std::copy(Places.begin(), Places.end(), Words.begin() + Start);
      } else if (End - Start > 1) {
        Refine(&Words[Start], &Words[End], NumberMask, [&](uint32_t Number) {
          const uint64_t Whole = WholeKey(Files.SlotOf(Number), Number);
          return Descending ? ~Whole : Whole;
        });
      }
      if (Start / StopEvery != End / StopEvery && Stop())
        return {};
      Start = End;
    }
  }
  std::vector<uint32_t> Order(Count);
  for (uint32_t At = 0; At < Count; ++At)
    Order[At] = uint32_t(Words[At] & NumberMask);
  return Order;
}

namespace {

void Add(TFilesSorter::TBytes& Bytes, const TFilesSnapshot::TSlot& Slot, uint32_t Index)
{
  Bytes.Size += (*Slot.Files)[Index].Size();
  Bytes.Allocated += Slot.Files->Allocated(Index, Slot.ClusterSize);
}

}  // namespace

TFilesSorter::TBytes TFilesSorter::Total(const TFilesSnapshot& Files)
{
  TBytes Bytes;
  for (const TFilesSnapshot::TSlot& Slot : Files.Slots())
    for (uint32_t Index = 0; Index < Slot.Files->Count(); ++Index)
      if (!Files.Repeat(Slot.First + Index))
        Add(Bytes, Slot, Index);
  return Bytes;
}

std::vector<uint32_t> TFilesSorter::Filter(const TFilesSnapshot& Files, const std::vector<uint32_t>& Order,
                                           const TFilesFilter& Filter, const TStop& Stop, TBytes& Bytes)
{
  // Tested in the order the files lie in memory, then taken in Order's.
  Bytes = {};
  std::vector<bool> Passes(Files.Count());
  for (const TFilesSnapshot::TSlot& Slot : Files.Slots()) {
    if (Stop())
      return {};
    for (uint32_t Index = 0; Index < Slot.Files->Count(); ++Index)
      if (!Files.Repeat(Slot.First + Index) && Filter.Test(*Slot.Files, Index)) {
        Passes[Slot.First + Index] = true;
        Add(Bytes, Slot, Index);
      }
  }
  std::vector<uint32_t> Kept;
  for (uint32_t Number : Order)
    if (Passes[Number])
      Kept.push_back(Number);
  return Kept;
}
