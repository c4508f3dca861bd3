// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TScanSettings;

// What changed between two snapshots of a root, folder by folder, the two
// trees walked side by side by their folders' names, in one measure.
class TSnapshotCompare {
public:
  // The state the CSV writes: "same", "changed" (grown or shrunk), "new"
  // or "gone".
  static const char* StateName(TChangeMeasure::TVerdict Verdict);

  struct TRow {
    uint32_t Before;  // the folder then; None for a new folder
    uint32_t Now;     // the folder now; None for a folder gone
    TChangeMeasure::TVerdict Verdict;
    int64_t Change;  // in the measure
  };

  // Both snapshots must outlive the comparison.
  TSnapshotCompare(const TFolderSnapshot& Before, const TFolderSnapshot& Now, const TChangeMeasure& Measure);
  const TChangeMeasure& Measure() const { return FMeasure; }
  const TFolderSnapshot& Before() const { return FBefore; }
  const TFolderSnapshot& Now() const { return FNow; }
  // Now's folders depth first, sub-folders by name, then those gone in
  // Before's order: the top's row first.
  const std::vector<TRow>& Rows() const { return FRows; }
  // A row's folder path below the top, "/" between names.
  std::string PathOf(const TRow& Row) const;
  // At most Count rows that grew, the most grown first (ties in the rows'
  // order: a folder before those below it).
  std::vector<const TRow*> Grown(size_t Count) const;
  // Why the two may not compare: of other folders, or counted with other
  // options or cluster sizes; empty when they are alike.
  std::string Warning() const { return Warning(FBefore.FHeader, FNow.FHeader); }
  // The same of two scans' headers; an export tells neither its options
  // nor (0) its cluster size.
  static std::string Warning(const TFolderSnapshot::THeader& Before, const TFolderSnapshot::THeader& Now);

  // How a scan with Settings counts, as a snapshot records it.
  static std::string OptionsOf(const TScanSettings& Settings);

private:
  const TFolderSnapshot& FBefore;
  const TFolderSnapshot& FNow;
  const TChangeMeasure FMeasure;
  std::vector<TRow> FRows;
};
