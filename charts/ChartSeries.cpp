// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartSeries.h"

#include <algorithm>

namespace {

// Paul Tol's "muted" scheme, rearranged so that neighbours differ in
// lightness as well as in hue.
const QColor Palette[] = {
  {0x33, 0x22, 0x88}, {0xDD, 0xCC, 0x77}, {0x11, 0x77, 0x33}, {0xCC, 0x66, 0x77}, {0x88, 0xCC, 0xEE},
  {0x88, 0x22, 0x55}, {0x44, 0xAA, 0x99}, {0x99, 0x99, 0x33}, {0xAA, 0x44, 0x99},
};

}  // namespace

const QColor TChartSeries::OtherColor{0xDD, 0xDD, 0xDD};

TChartSeries::TChartSeries(TKind Kind, const QString& Title, const QColor& Color)
  : FKind(Kind), FTitle(Title), FColor(Color)
{
}

void TChartSeries::Clear()
{
  FPoints.clear();
  FNote.clear();
}

int TChartSeries::Add(double Value, const QString& Label, const QColor& Color)
{
  FPoints.push_back({Value, Label, Color});
  return Count() - 1;
}

QColor TChartSeries::AutomaticColor(int Index)
{
  // Past the palette, its colours again, lighter and then darker.
  const int Count = int(std::size(Palette));
  const QColor& Base = Palette[Index % Count];
  switch (Index / Count % 3) {
    case 1: return Base.lighter(150);
    case 2: return Base.darker(150);
    default: return Base;
  }
}

QColor TChartSeries::PointColor(int Index) const
{
  const QColor& Own = FPoints[Index].Color;
  if (Own.isValid())
    return Own;
  return FKind == skPie ? AutomaticColor(Index) : FColor;
}

std::vector<TChartSeries::TSlice> TChartSeries::Slices() const
{
  double Whole = 0;
  for (const TChartPoint& Point : FPoints)
    Whole += std::max(0.0, Point.Value);
  const double Least = Whole * FOtherPercent / 100;
  std::vector<TSlice> Slices;
  //: The slice of the small sub-folders together
  TSlice Other{0, tr("Other"), OtherColor, -1};
  bool HasOther = false;
  for (int Index = 0; Index < Count(); ++Index) {
    const double Value = std::max(0.0, FPoints[Index].Value);
    // Empty slices show nothing: with grouping on they go with the small ones.
    if (FOtherPercent > 0 && (Value < Least || Value == 0)) {
      Other.Value += Value;
      HasOther = true;
    } else {
      Slices.push_back({Value, FPoints[Index].Label, PointColor(Index), Index});
    }
  }
  if (HasOther)
    Slices.push_back(std::move(Other));
  return Slices;
}
