// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The files a folder holds as the window shows them: each one's name,
// length, the clusters of its holes, its kind (a class of extension the
// window defines), its times in whole seconds and, for the few with several
// names, their number; in the order its listing counted them. One block of
// memory a folder, some 24 bytes a file and its name. Only a scan asked to
// keep them makes them, never one without a window.
//
// Once made a block never changes. The tree holds one reference; a reader
// on another thread (the files view's sorting) takes one of its own, so the
// tree may replace a folder's files while the reader still reads the old.
class TFolderFiles {
public:
  struct TFile {
    uint32_t SizeLow;
    uint32_t SizeHigh : 24;  // lengths up to 64 PiB
    uint32_t Kind : 8;
    uint32_t Holes;          // at most 2^32 - 1: 16 TiB of 4096-byte clusters
    uint32_t LastWrite;      // Unix seconds; 0: unknown or before 1970
    uint32_t LastAccess;
    uint32_t NameAt : 31;    // where the name starts among the names
    uint32_t Linked : 1;     // more than one name: see Links()

    uint64_t Size() const { return SizeLow | uint64_t(SizeHigh) << 32; }
    // The bytes its clusters of ClusterSize take on disk, holes left out.
    uint64_t Allocated(uint32_t ClusterSize) const;
  };
  static_assert(sizeof(TFile) == 24);

  // Gathers one folder's files, then makes their block; kept by a scan's
  // worker from one folder to the next.
  class TBuilder {
  public:
    // LastWrite and LastAccess in file-time units.
    void Add(std::string_view Name, uint64_t Size, uint64_t Holes, uint8_t Kind, uint64_t LastWrite,
             uint64_t LastAccess, uint64_t Links);
    bool Empty() const { return FFiles.empty(); }
    // Null for no files; the builder is empty again.
    TFolderFiles* Make();

  private:
    std::vector<TFile> FFiles;
    std::string FNames;
    std::vector<std::pair<uint32_t, uint32_t>> FLinked;  // index, names
  };

  TFolderFiles(const TFolderFiles&) = delete;
  TFolderFiles& operator=(const TFolderFiles&) = delete;

  void AddRef() { FRefs.fetch_add(1, std::memory_order_relaxed); }
  // Frees the block with its last reference; null is let be.
  static void Release(TFolderFiles* Files);

  uint32_t Count() const { return FCount; }
  const TFile& operator[](size_t Index) const { return Items()[Index]; }
  std::string_view Name(size_t Index) const;
  uint32_t Links(size_t Index) const;

  // Whole seconds since 1970 of a file time, 0 for none or before 1970.
  static uint32_t Seconds(uint64_t FileTime);

private:
  TFolderFiles() = default;
  const TFile* Items() const { return reinterpret_cast<const TFile*>(this + 1); }
  const char* Names() const { return reinterpret_cast<const char*>(Items() + FCount); }

  uint32_t FCount = 0;
  uint32_t FNameBytes = 0;
  uint32_t FLinkedCount = 0;
  std::atomic<uint32_t> FRefs{1};
};
