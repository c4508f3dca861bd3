// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// An entry of a folder as the treemap sees it: a sub-folder or a file.
struct TTreemapEntry {
  uint64_t Weight;     // the measure drawn (bytes); 0 takes no area
  const void* Folder;  // the sub-folder, or null for a file
  uint32_t File;       // for a file: its index among its folder's files
  uint8_t Class;       // for a file: its extension class (TFileClass::TKind)
  uint8_t Change = 0;  // how it changed since an earlier scan: TChangeSource::TMark
};
