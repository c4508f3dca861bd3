// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/ValueFormat.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>

#include <vector>

// One point of a series: its value, its label, and its own colour (invalid:
// the series' colour, or for a pie slice a colour of the palette).
struct TChartPoint {
  double Value = 0;
  QString Label;
  QColor Color;
};

// A series of the chart: a pie, or a row of horizontal bars stacked on those
// of the series before it. Points keep their index whatever the drawing does
// with them, so index i of a fill is sub-folder i of the charted folder.
class TChartSeries {
  Q_DECLARE_TR_FUNCTIONS(TChartSeries)

public:
  enum TKind { skPie, skBar };
  TChartSeries(TKind Kind, const QString& Title, const QColor& Color);

  // A slice as the pie draws it: a point, or several small ones together.
  struct TSlice {
    double Value = 0;
    QString Label;
    QColor Color;
    int Point = -1;  // the point it shows; -1 for the "Other" slice
  };

  const TKind FKind;
  const QString FTitle;
  QColor FColor;  // of every bar; a pie colours its slices itself
  bool FActive = false;
  TValueFormat FValueFormat{"#,##0 KB"};
  // Pie: slices under this percentage of the whole make one "Other" slice;
  // 0 draws every slice.
  double FOtherPercent = 0;
  // Filled with hatching in the point's colour rather than solid.
  bool FPatterns = false;
  // Told with each point's value on its tip, such as why a value is only a
  // share so far.
  QString FNote;

  void Clear();
  void Reserve(size_t Count) { FPoints.reserve(Count); }
  int Add(double Value, const QString& Label, const QColor& Color = {});
  int Count() const { return int(FPoints.size()); }
  const TChartPoint& Point(int Index) const { return FPoints[Index]; }
  void SetPointColor(int Index, const QColor& Color) { FPoints[Index].Color = Color; }
  // The colour a point is drawn in.
  QColor PointColor(int Index) const;
  // The slices in the order they are drawn, "Other" last. Values below zero
  // count as nothing.
  std::vector<TSlice> Slices() const;
  // The palette's colour for the n-th slice: distinct for readers who do
  // not tell red from green, and apart in grey print.
  static QColor AutomaticColor(int Index);
  static const QColor OtherColor;

private:
  std::vector<TChartPoint> FPoints;
};
