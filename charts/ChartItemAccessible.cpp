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
  if (!isValid())
    return {};
  const auto* Chart = static_cast<const TChartAccessible*>(parent());
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
