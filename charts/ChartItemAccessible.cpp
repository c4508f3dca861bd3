// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartItemAccessible.h"

#include "charts/Chart.h"
#include "charts/ChartAccessible.h"

TChartItemAccessible::TChartItemAccessible(TChart* Chart, int Item) : TAccessibleItem(Chart), FItem(Item) {}

bool TChartItemAccessible::isValid() const
{
  const auto* Chart = static_cast<const TChartAccessible*>(parent());
  return Chart && FItem < Chart->ItemCount();
}

QString TChartItemAccessible::text(QAccessible::Text Kind) const
{
  // Names and values of an item out of range are empty.
  const auto* Chart = static_cast<const TChartAccessible*>(parent());
  if (!Chart)
    return {};
  switch (Kind) {
    case QAccessible::Name: return Chart->ItemName(FItem);
    case QAccessible::Value:
    case QAccessible::Description: return Chart->ItemValue(FItem);
    default: return {};
  }
}

QRect TChartItemAccessible::rect() const
{
  // The chart's own: slices and bars move with every zoom and turn.
  return FWidget ? OnScreen(FWidget, FWidget->rect()) : QRect();
}
