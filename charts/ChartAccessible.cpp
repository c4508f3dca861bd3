// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartAccessible.h"

#include "charts/Chart.h"
#include "charts/ChartItemAccessible.h"
#include "charts/ChartSeries.h"

namespace {

// The chart's pie, or its first series of bars, whichever it shows.
const TChartSeries* Shown(const TChart& Chart, TChartSeries::TKind Kind)
{
  const TChartSeries* First = Chart.Shown();
  return First && First->FKind == Kind ? First : nullptr;
}

}  // namespace

TChartAccessible::TChartAccessible(TChart* Chart) : QAccessibleWidget(Chart, QAccessible::Chart) {}

TChart* TChartAccessible::Chart() const
{
  return static_cast<TChart*>(widget());
}

int TChartAccessible::ItemCount() const
{
  if (const TChartSeries* Pie = Shown(*Chart(), TChartSeries::skPie))
    return int(Pie->Slices().size());
  const TChartSeries* Bars = Shown(*Chart(), TChartSeries::skBar);
  return Bars ? Bars->Count() : 0;
}

QString TChartAccessible::ItemName(int Item) const
{
  if (const TChartSeries* Pie = Shown(*Chart(), TChartSeries::skPie)) {
    const std::vector<TChartSeries::TSlice> Slices = Pie->Slices();
    return Item >= 0 && size_t(Item) < Slices.size() ? Slices[Item].Label : QString();
  }
  const TChartSeries* Bars = Shown(*Chart(), TChartSeries::skBar);
  return Bars && Item >= 0 && Item < Bars->Count() ? Bars->Point(Item).Label : QString();
}

QString TChartAccessible::ItemValue(int Item) const
{
  if (const TChartSeries* Pie = Shown(*Chart(), TChartSeries::skPie)) {
    const std::vector<TChartSeries::TSlice> Slices = Pie->Slices();
    return Item >= 0 && size_t(Item) < Slices.size() ? Pie->FValueFormat.Format(Slices[Item].Value) : QString();
  }
  // Each series of bars at this point, by its name: "Size: 3 MB, Wasted Space: 12 KB".
  QStringList Values;
  for (const TChartSeries* Series : Chart()->FSeries)
    if (Series->FActive && Series->FKind == TChartSeries::skBar && Item >= 0 && Item < Series->Count())
      //: A series of bars and its value, as in "Size: 3 MB"
      Values << tr("%1: %2").arg(Series->FTitle, Series->FValueFormat.Format(Series->Point(Item).Value).trimmed());
  return Values.join(", ");
}

QString TChartAccessible::text(QAccessible::Text Kind) const
{
  if (Kind == QAccessible::Name)
    return Chart()->FTitle.isEmpty() ? tr("Chart") : Chart()->FTitle;
  if (Kind == QAccessible::Description)
    return Chart()->FMessage;
  return QAccessibleWidget::text(Kind);
}

QAccessibleInterface* TChartAccessible::child(int Index) const
{
  if (Index < 0 || Index >= ItemCount())
    return nullptr;
  return FItems.At(Index, [this, Index] { return new TChartItemAccessible(Chart(), Index); });
}

int TChartAccessible::indexOfChild(const QAccessibleInterface* Child) const
{
  return FItems.IndexOf(Child);
}
