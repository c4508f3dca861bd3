// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"
#include "scan/SnapshotIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TScanSettings;

// What changed between two snapshots of a root, folder by folder, matched
// by their paths below it, in one measure.
class TSnapshotCompare {
public:
  // The state the CSV writes: "same", "changed" (grown or shrunk), "new"
  // or "gone".
  static const char* StateName(TChangeMeasure::TVerdict Verdict);

  struct TRow {
    const TFolderSnapshot::TFolder* Before;  // null for a new folder
    const TFolderSnapshot::TFolder* Now;     // null for a folder gone
    TChangeMeasure::TVerdict Verdict;
    int64_t Change;  // in the measure
  };

  // Both snapshots must outlive the comparison.
  TSnapshotCompare(const TFolderSnapshot& Before, const TFolderSnapshot& Now, const TChangeMeasure& Measure);
  const TChangeMeasure& Measure() const { return FMeasure; }
  // Now's folders in its order, then those gone in Before's order.
  const std::vector<TRow>& Rows() const { return FRows; }
  // The row of a folder of Now; null for none.
  const TRow* Of(std::string_view Path) const;
  // At most Count rows that grew, the most grown first (ties by path).
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
  TSnapshotIndex FNowByPath;
};
