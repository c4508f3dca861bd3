// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/AccessibleItem.h"

class TChart;

// A slice or a bar of a chart as a screen reader hears it: its label, and
// its value as the chart shows it.
class TChartItemAccessible : public TAccessibleItem {
public:
  TChartItemAccessible(TChart* Chart, int Item);

  bool isValid() const override;
  QString text(QAccessible::Text Kind) const override;
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::ListItem; }

private:
  int FItem;
};
