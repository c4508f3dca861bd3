// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The files a folder holds as the window shows them: each one's name,
// length, kind (a class of extension the window defines) and times in whole
// seconds, in the order its listing counted them; for the few with some
// holes (not all holes) or several names, also those and their identity. One block of memory a
// folder, some 20 bytes a file and its name. Only a scan asked to keep them
// makes them, never one without a window.
//
// Once made a block never changes. The tree holds one reference; a reader
// on another thread (the files view's sorting) takes one of its own, so the
// tree may replace a folder's files while the reader still reads the old.
struct TFileCount;

class TFolderFiles {
public:
  struct TFile {
    uint32_t SizeLow;
    uint32_t SizeHigh : 24;  // lengths up to 64 PiB
    uint32_t Kind : 7;
    uint32_t Hollow : 1;  // takes no space on disk at all
    uint32_t LastWrite;   // Unix seconds; 0: unknown or before 1970
    uint32_t LastAccess;
    uint32_t NameAt : 30;  // where the name starts among the names
    uint32_t Extra : 1;    // some holes or several names: see the extras
    uint32_t Linked : 1;   // several names: hard links

    uint64_t Size() const { return SizeLow | uint64_t(SizeHigh) << 32; }
  };
  static_assert(sizeof(TFile) == 16 + 4);

  // Gathers one folder's files, then makes their block; kept by a scan's
  // worker from one folder to the next.
  class TBuilder {
  public:
    // Count as the scan counted the file; LastWrite and LastAccess in
    // file-time units; Device and Inode matter only with Links above 1.
    void Add(std::string_view Name, uint64_t Size, const TFileCount& Count, uint8_t Kind, uint64_t LastWrite,
             uint64_t LastAccess, uint64_t Links, uint64_t Device, uint64_t Inode);
    bool Empty() const { return FFiles.empty(); }
    // Null for no files; the builder is empty again.
    TFolderFiles* Make();

  private:
    std::vector<TFile> FFiles;
    std::string FNames;
    std::vector<uint32_t> FExtras;  // ExtraWords a file with extras
  };

  TFolderFiles(const TFolderFiles&) = delete;
  TFolderFiles& operator=(const TFolderFiles&) = delete;

  void AddRef() { FRefs.fetch_add(1, std::memory_order_relaxed); }
  // Frees the block with its last reference; null is let be.
  static void Release(TFolderFiles* Files);

  uint32_t Count() const { return FCount; }
  const TFile& operator[](size_t Index) const { return Items()[Index]; }
  std::string_view Name(size_t Index) const;
  // The bytes its clusters of ClusterSize take on disk, holes left out.
  uint64_t Allocated(size_t Index, uint32_t ClusterSize) const;
  uint32_t Links(size_t Index) const;
  // Of a file with several names: false for others.
  bool Identity(size_t Index, uint64_t& Device, uint64_t& Inode) const;

private:
  // An extra's words: index, links, holes (2), device (2), inode (2).
  static constexpr size_t ExtraWords = 8;
  TFolderFiles() = default;
  const TFile* Items() const { return reinterpret_cast<const TFile*>(this + 1); }
  const char* Names() const { return reinterpret_cast<const char*>(Items() + FCount); }
  // The extra words of a file that has them, or null.
  const uint32_t* ExtraOf(size_t Index) const;

  uint32_t FCount = 0;
  uint32_t FNameBytes = 0;
  uint32_t FExtraCount = 0;
  std::atomic<uint32_t> FRefs{1};
};
