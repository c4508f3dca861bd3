// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilesSorter.h"

#include "FilesFilter.h"
#include "FilesSnapshot.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

namespace {

constexpr uint32_t StopEvery = 1 << 16;

uint8_t Folded(char C)
{
  return C >= 'A' && C <= 'Z' ? uint8_t(C - 'A' + 'a') : uint8_t(C);
}

// The first eight bytes of a name, case folded, as a number that orders as
// the names do.
uint64_t NamePrefix(std::string_view Name)
{
  uint64_t Prefix = 0;
  for (size_t At = 0; At < 8; ++At)
    Prefix = Prefix << 8 | (At < Name.size() ? Folded(Name[At]) : 0);
  return Prefix;
}

int CompareNames(std::string_view A, std::string_view B)
{
  const size_t Common = std::min(A.size(), B.size());
  for (size_t At = 0; At < Common; ++At)
    if (Folded(A[At]) != Folded(B[At]))
      return Folded(A[At]) < Folded(B[At]) ? -1 : 1;
  return A.size() < B.size() ? -1 : A.size() > B.size();
}

// Sorts the words by their bits, 16 at a time from the lowest, skipping
// the digits all words share.
void RadixSort(std::vector<uint64_t>& Words)
{
  std::vector<uint64_t> Spare(Words.size());
  std::vector<uint32_t> Counts(1 << 16);
  for (int Shift = 0; Shift < 64; Shift += 16) {
    std::fill(Counts.begin(), Counts.end(), 0);
    for (uint64_t Word : Words)
      ++Counts[(Word >> Shift) & 0xFFFF];
    if (std::find(Counts.begin(), Counts.end(), uint32_t(Words.size())) != Counts.end())
      continue;
    uint32_t Total = 0;
    for (uint32_t& Count : Counts)
      Total += std::exchange(Count, Total);
    for (uint64_t Word : Words)
      Spare[Counts[(Word >> Shift) & 0xFFFF]++] = Word;
    Words.swap(Spare);
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
  // in order again by their whole keys.
  const int NumberBits = std::max(1, int(std::bit_width(Count - 1)));
  const int KeyBits = 64 - NumberBits;
  const std::vector<TFilesSnapshot::TSlot>& Slots = Files.Slots();
  const int SlotBits = int(std::bit_width(Slots.size()));
  const auto WholeKey = [&](size_t Slot, uint32_t Number) -> uint64_t {
    const TFolderFiles::TFile& File = Files.File(Slot, Number);
    switch (Key) {
      case skName: return NamePrefix(Slots[Slot].Files->Name(Number - Slots[Slot].First));
      case skFolder:
        return uint64_t(Slot) << (64 - SlotBits)
               | NamePrefix(Slots[Slot].Files->Name(Number - Slots[Slot].First)) >> SlotBits;
      case skSize: return File.Size();
      case skAllocated: return File.Allocated(Slots[Slot].ClusterSize);
      // No time known: last, either way.
      case skLastChange: return File.LastWrite ? File.LastWrite : Descending ? 0 : uint64_t(1) << 32;
      case skLastAccess: return File.LastAccess ? File.LastAccess : Descending ? 0 : uint64_t(1) << 32;
      case skKind: return File.Kind;
      default: return Slots[Slot].Files->Links(Number - Slots[Slot].First);
    }
  };
  // Keys of names and folders are never whole; numbers may be too wide.
  std::vector<uint64_t> Keys(Count);
  uint64_t Widest = 0;
  for (size_t Slot = 0; Slot < Slots.size(); ++Slot) {
    if (Stop())
      return {};
    const uint32_t End = Slots[Slot].First + Slots[Slot].Files->Count();
    for (uint32_t Number = Slots[Slot].First; Number < End; ++Number)
      Widest = std::max(Widest, Keys[Number] = WholeKey(Slot, Number));
  }
  const bool Named = Key == skName || Key == skFolder;
  const int Cut = Named ? NumberBits : std::max(0, int(std::bit_width(Widest)) - KeyBits);
  const uint64_t KeyMask = KeyBits == 64 ? UINT64_MAX : (uint64_t(1) << KeyBits) - 1;
  for (uint32_t Number = 0; Number < Count; ++Number) {
    uint64_t Cutted = Keys[Number] >> Cut;
    if (Descending)
      Cutted = KeyMask - Cutted;
    Keys[Number] = Cutted << NumberBits | Number;
  }
  if (Stop())
    return {};
  RadixSort(Keys);
  std::vector<uint32_t> Order(Count);
  const uint64_t NumberMask = (uint64_t(1) << NumberBits) - 1;
  for (uint32_t At = 0; At < Count; ++At)
    Order[At] = uint32_t(Keys[At] & NumberMask);
  if (Cut == 0)
    return Order;
  // Runs of tied cut keys, in order by their whole keys.
  const auto Less = [&](uint32_t A, uint32_t B) {
    const size_t SlotA = Files.SlotOf(A), SlotB = Files.SlotOf(B);
    int Compared = 0;
    if (Key == skFolder && SlotA != SlotB)
      Compared = SlotA < SlotB ? -1 : 1;
    else if (Named)
      Compared = CompareNames(Slots[SlotA].Files->Name(A - Slots[SlotA].First),
                              Slots[SlotB].Files->Name(B - Slots[SlotB].First));
    else if (const uint64_t KeyA = WholeKey(SlotA, A), KeyB = WholeKey(SlotB, B); KeyA != KeyB)
      Compared = KeyA < KeyB ? -1 : 1;
    if (Descending)
      Compared = -Compared;
    return Compared != 0 ? Compared < 0 : A < B;
  };
  for (uint32_t Start = 0; Start < Count;) {
    uint32_t End = Start + 1;
    while (End < Count && Keys[End] >> NumberBits == Keys[Start] >> NumberBits)
      ++End;
    if (End - Start > 1)
      std::sort(Order.begin() + Start, Order.begin() + End, Less);
    if (Start / StopEvery != End / StopEvery && Stop())
      return {};
    Start = End;
  }
  return Order;
}

std::vector<uint32_t> TFilesSorter::Filter(const TFilesSnapshot& Files, const std::vector<uint32_t>& Order,
                                           const TFilesFilter& Filter, const TStop& Stop, uint64_t& Bytes)
{
  // Tested in the order the files lie in memory, then taken in Order's.
  Bytes = 0;
  std::vector<bool> Passes(Filter.Empty() ? 0 : Files.Count());
  for (const TFilesSnapshot::TSlot& Slot : Files.Slots()) {
    if (Stop())
      return {};
    for (uint32_t Index = 0; Index < Slot.Files->Count(); ++Index)
      if (Filter.Empty() || (Passes[Slot.First + Index] = Filter.Test(*Slot.Files, Index)))
        Bytes += (*Slot.Files)[Index].Size();
  }
  if (Filter.Empty())
    return Order;
  std::vector<uint32_t> Kept;
  for (uint32_t Number : Order)
    if (Passes[Number])
      Kept.push_back(Number);
  return Kept;
}
