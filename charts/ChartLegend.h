// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
struct TChartInk;

// A chart's legend: one entry per slice or per series, with its swatch (or
// hatching), its name and its value, in as many columns as fit, at the
// bottom of the chart and at most a third of its height; what does not fit
// is counted on the last entry.
class TChartLegend {
  Q_DECLARE_TR_FUNCTIONS(TChartLegend)

public:
  struct TEntry {
    QColor Color;
    QString Text;
    QString Value;
    Qt::BrushStyle Pattern;  // NoBrush: no swatch
  };

  // Takes its place at the bottom of Content, which keeps what is left.
  // Scale is how many device pixels a screen pixel takes.
  TChartLegend(std::vector<TEntry> Entries, const QFont& Font, const QRectF& Bounds, QRectF& Content, qreal Scale);

  QRectF Box() const { return FBox; }
  void Draw(QPainter& Painter, const TChartInk& Ink) const;

private:
  qreal Px(qreal ScreenPixels) const { return ScreenPixels * FScale; }

  std::vector<TEntry> FEntries;
  QFont FFont;
  qreal FScale;
  QRectF FBox;
  int FColumns = 1;
  QSizeF FEntrySize;
};
