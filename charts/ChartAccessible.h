// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/AccessibleChildren.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

class TChart;

// What a screen reader is told of a chart: its title, then a list of its
// slices or bars, each named by its label with its value as the legend
// and the labels show it.
class TChartAccessible : public QAccessibleWidget {
  Q_DECLARE_TR_FUNCTIONS(TChartAccessible)

public:
  explicit TChartAccessible(TChart* Chart);

  TChart* Chart() const;
  // The slices of the pie, or the bars of the first series of bars.
  int ItemCount() const;
  QString ItemName(int Item) const;
  // The value, or with bars each series' value, as shown.
  QString ItemValue(int Item) const;

  QString text(QAccessible::Text Kind) const override;
  int childCount() const override { return ItemCount(); }
  QAccessibleInterface* child(int Index) const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;

private:
  mutable TAccessibleChildren FItems;
};
