// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/ChangeMeasure.h"

#include "scan/FolderData.h"

TChangeMeasure::TChangeMeasure(int ViewType)
  : FField(ViewType == vtAllocated || ViewType == vtPercent ? &TFolderTotals::Allocated
             : ViewType == vtObjects                        ? &TFolderTotals::Objects
                                                            : &TFolderTotals::Size)
{
}

int64_t TChangeMeasure::Change(const TFolderTotals* Before, const TFolderTotals* Now) const
{
  return int64_t((Now ? Of(*Now) : 0) - (Before ? Of(*Before) : 0));
}

TChangeMeasure::TVerdict TChangeMeasure::Verdict(const TFolderTotals* Before, const TFolderTotals* Now) const
{
  if (!Before)
    return cvNew;
  if (!Now)
    return cvGone;
  const int64_t Grown = Change(Before, Now);
  return Grown > 0 ? cvGrown : Grown < 0 ? cvShrunk : cvSame;
}
