// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// A folder's totals as two scans of it are compared by.
struct TFolderTotals {
  uint64_t Size = 0;
  uint64_t Allocated = 0;
  uint64_t Objects = 0;
};

// How a folder changed between two scans, told one way for the window, the
// printed report and the CSV alike: in the measure of the view shown, the
// space allocated in the Allocated and Percent views, the objects in the
// Objects view, the size in the others.
class TChangeMeasure {
public:
  enum TVerdict : uint8_t { cvSame, cvGrown, cvShrunk, cvNew, cvGone };

  explicit TChangeMeasure(int ViewType);
  // Whether the measure is a number of bytes (not of objects).
  bool Bytes() const { return FField != &TFolderTotals::Objects; }
  uint64_t Of(const TFolderTotals& Totals) const { return Totals.*FField; }
  // How much the folder grew, less than 0 when it shrank; Before null for
  // a folder that is new, Now null for one that is gone.
  int64_t Change(const TFolderTotals* Before, const TFolderTotals* Now) const;
  TVerdict Verdict(const TFolderTotals* Before, const TFolderTotals* Now) const;

private:
  uint64_t TFolderTotals::*FField;
};
