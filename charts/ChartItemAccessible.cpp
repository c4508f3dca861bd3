// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartItemAccessible.h"

#include "charts/Chart.h"
#include "charts/ChartAccessible.h"

#include <QWindow>

TChartItemAccessible::TChartItemAccessible(TChart* Chart, int Item) : FChart(Chart), FItem(Item) {}

bool TChartItemAccessible::isValid() const
{
  const auto* Chart = static_cast<const TChartAccessible*>(parent());
  return Chart && FItem < Chart->ItemCount();
}

QWindow* TChartItemAccessible::window() const
{
  return FChart ? FChart->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TChartItemAccessible::parent() const
{
  return FChart ? QAccessible::queryAccessibleInterface(FChart) : nullptr;
}

QString TChartItemAccessible::text(QAccessible::Text Kind) const
{
  const auto* Chart = static_cast<const TChartAccessible*>(parent());
  if (!Chart || FItem >= Chart->ItemCount())
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
  return FChart ? QRect(FChart->mapToGlobal(QPoint(0, 0)), FChart->size()) : QRect();
}

QAccessible::State TChartItemAccessible::state() const
{
  QAccessible::State State;
  State.readOnly = true;
  State.invalid = !isValid();
  return State;
}
