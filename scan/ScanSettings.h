// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ExcludeRules.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TFolderNode;
struct TDirEntry;

// The settings a scan reads. The scan driver holds them; every scan works
// with the copy it took when it started.
struct TScanSettings {
  std::vector<std::string> FFileFilter{"*"};
  bool FFollowReparsePoints = false;
  bool FShowFiles = true;
  bool FShowErrors = false;
  // A file with several names (hard links) counts once in each folder above its names.
  bool FHardLinksOnce = true;
  // Files and folders neither listed nor counted.
  TExcludeRules FExclude;
  // When set, each folder keeps its files (TFolderFiles), their kinds told
  // by this from their names and whether they may be run (the mode the scan
  // reads anyway); called by the scan's workers at once.
  std::function<uint8_t(const char* Name, bool Executable)> FFileKind;
  // When set, hears of every file the scan counts, as listed in Folder;
  // called by the scan's workers at once.
  std::function<void(const TFolderNode* Folder, const TDirEntry& Entry)> FFileCounted;

  // Splits Text at spaces into at most Limit patterns; no pattern means "*".
  void SetFileFilter(const std::string& Text, size_t Limit = 63);
  // Whether the filter is the single pattern "*", which every file matches.
  bool MatchesEveryFile() const;
  // How many patterns of the filter Name matches: a file counts once for each.
  uint64_t Matches(const char* Name) const;
};
