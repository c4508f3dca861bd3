// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The files a folder holds as the window's treemap draws them: each one's
// length, the clusters of its holes and its kind (a class of extension the
// window defines), in the order its listing counted them; 12 bytes a file.
// Only a scan asked to keep them makes them, never one without a window.
class TFolderFiles {
public:
  struct TFile {
    uint32_t SizeLow;
    uint32_t SizeHigh : 24;  // lengths up to 64 PiB
    uint32_t Kind : 8;
    uint32_t Holes;          // at most 2^32 - 1: 16 TiB of 4096-byte clusters

    uint64_t Size() const { return SizeLow | uint64_t(SizeHigh) << 32; }
    static TFile Make(uint64_t Size, uint64_t Holes, uint8_t Kind);
  };
  static_assert(sizeof(TFile) == 12);

  TFolderFiles(const TFolderFiles&) = delete;
  TFolderFiles& operator=(const TFolderFiles&) = delete;

  // Null for no files.
  static TFolderFiles* Make(const std::vector<TFile>& Files);
  static void Free(TFolderFiles* Files);

  uint32_t Count() const { return FCount; }
  const TFile& operator[](size_t Index) const { return Items()[Index]; }

private:
  TFolderFiles() = default;
  const TFile* Items() const { return reinterpret_cast<const TFile*>(this + 1); }

  uint32_t FCount = 0;
  uint32_t FPadding = 0;
};
