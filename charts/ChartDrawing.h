// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/ChartInk.h"
#include "charts/ChartLegend.h"
#include "charts/ChartSeries.h"

#include <QFont>
#include <QRectF>

#include <optional>
#include <vector>

class QPainter;
class TChart;

// The geometry of one drawing of a chart into a rectangle, worked out once
// and used both to draw and to find what lies under a position, so that the
// two always agree. Sizes are in the device's pixels; Scale is how many of
// them a screen pixel takes (more on a printer).
class TChartDrawing {
public:
  TChartDrawing(const TChart& Chart, const QRectF& Bounds, qreal Scale = 1);

  void Draw(QPainter& Painter) const;
  int PointAt(const TChartSeries& Series, QPointF Position) const;
  QPointF PointCentre(const TChartSeries& Series, int Point) const;
  // The slice of the pie under Position: an index into Slices(), or -1.
  int SliceAt(QPointF Position) const;
  const std::vector<TChartSeries::TSlice>& Slices() const { return FSlices; }
  // Pixels per bar position along the category axis.
  double RowHeight() const { return FRowHeight; }
  // Between the value axis' marks.
  double ValueStep() const { return FValueStep; }
  // Where the title, the legend and the pie's marks go.
  QRectF TitleBox() const { return FTitleBox; }
  QRectF MessageBox() const { return FMessageBox; }
  QRectF LegendBox() const { return FLegend ? FLegend->Box() : QRectF(); }
  std::vector<QRectF> MarkBoxes() const;

private:
  struct TMark {
    QRectF Box;
    QPointF Anchor;
    QString Text;
    bool Left;
    double Value;
    int Slice;
  };
  void LayOutLegend(QRectF& Content);
  void LayOutPie(const QRectF& Plot);
  void LayOutBars(const QRectF& Plot);
  void DrawBackground(QPainter& Painter) const;
  void DrawTitle(QPainter& Painter) const;
  void DrawMessage(QPainter& Painter) const;
  void DrawPie(QPainter& Painter) const;
  void DrawBars(QPainter& Painter) const;
  // The pie's top face, moved out for the exploded slice.
  QRectF SliceRect(int Slice) const;
  // Start and sweep of a slice in degrees (counter-clockwise from three
  // o'clock, as QPainter takes them); slices go clockwise from twelve.
  std::pair<double, double> SliceAngles(int Slice) const;
  // The stacked segment of Series' bar Point, empty when not drawn.
  QRectF Segment(const TChartSeries& Series, int Point) const;
  double ValueX(double Value) const;
  QBrush Fill(const QColor& Color, Qt::BrushStyle Pattern, const QRectF& Area) const;
  qreal Px(qreal ScreenPixels) const { return ScreenPixels * FScale; }

  const TChart& FChart;
  const TChartInk FInk;
  QRectF FBounds;
  qreal FScale;
  QFont FFont;
  QFont FTitleFont;
  QRectF FTitleBox;
  QRectF FMessageBox;
  QRectF FContent;  // between the title and the legend
  QRectF FPlot;
  std::optional<TChartLegend> FLegend;

  const TChartSeries* FPie = nullptr;
  std::vector<TChartSeries::TSlice> FSlices;
  std::vector<double> FStarts;  // of each slice, degrees clockwise from twelve
  double FWhole = 0;
  QRectF FPieRect;    // the top face's bounds
  double FDepth = 0;  // of the pie's side, pixels
  std::vector<TMark> FMarks;

  std::vector<const TChartSeries*> FBars;  // active bar series, bottom of the stack first
  int FFirst = 0;
  int FLast = -1;
  double FRowHeight = 0;
  double FValueMaximum = 1;
  double FValueStep = 1;
  double FLabelWidth = 0;
  QPointF FDepthOffset;
};
