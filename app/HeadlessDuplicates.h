// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "duplicates/DuplicateFinder.h"

struct TScanSettings;

// The duplicates side of a headless scan: each file of at least the
// smallest size the scan counts is a candidate, and once the scans end the
// copies among them are found and written as CSV (a row for each file of
// each group, the groups by the space they waste) or summed up.
class THeadlessDuplicates {
public:
  static constexpr uint64_t DefaultMinSize = 1 << 20;
  explicit THeadlessDuplicates(uint64_t MinSize) : FMinSize(MinSize) {}

  // Has the scans of Settings hand their files to this one.
  void Watch(TScanSettings& Settings);
  // Finds the copies among the candidates; files skipped are told on stderr.
  void Find();
  static const char* Header;
  bool WriteCsv(std::FILE* Stream) const { return WriteCsv(Stream, FGroups); }
  // A row for each file of each group, the groups numbered in their order;
  // false when the stream failed.
  static bool WriteCsv(std::FILE* Stream, const std::vector<TDuplicateFinder::TGroup>& Groups);
  bool WriteSummary(std::FILE* Stream) const;

private:
  const uint64_t FMinSize;
  std::mutex FGuard;  // scans count files on several threads
  std::vector<TDuplicateFinder::TFile> FCandidates;
  std::vector<TDuplicateFinder::TGroup> FGroups;
};
