// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/ValueFormat.h"

#include <QPointF>
#include <QWidget>

#include <functional>
#include <vector>

class TChartSeries;

// A chart of a pie or of stacked horizontal bars, drawn with QPainter into
// the widget, a picture or any rectangle of any paint device (a printed
// page). It pages and scrolls long bar charts along their category axis,
// pans with a chosen button and key, draws in 2D or with depth, and says
// which point lies under a position. What it shows is set in its fields;
// update() shows a change.
class TChart : public QWidget {
public:
  explicit TChart(QWidget* Parent = nullptr);

  enum TLegendStyle { lsValues, lsSeries };  // one entry per slice, or per series
  enum TPanning { pnNone, pnVertical, pnBoth };

  // Drawn in this order; only active series are drawn, a pie alone.
  std::vector<TChartSeries*> FSeries;
  QString FTitle;
  // A line below the title, such as what a folder with nothing to chart
  // holds.
  QString FMessage;
  // Margins in percent of the chart's size.
  int FMarginLeft = 2;
  int FMarginRight = 6;
  int FMarginTop = 8;
  bool FView3D = true;
  int FZoom = 100;           // percent, in 3D; see SetZoom
  bool FOrthogonal = false;  // depth drawn straight back rather than tilted
  bool FLegendVisible = true;
  TLegendStyle FLegendStyle = lsValues;
  bool FMarksPercentOnly = true;  // pie marks: the percentage, or label and percentage
  bool FVertGrid = true;          // lines at the value axis' steps
  bool FHorzGrid = true;          // lines between the bars
  bool FGradient = true;          // the background's gradient
  bool FDark = false;             // drawn for a dark theme, with the gradient only
  TPanning FPanning = pnNone;
  Qt::MouseButton FPanButton = Qt::RightButton;
  Qt::KeyboardModifier FPanModifier = Qt::ShiftModifier;
  int FMaxPointsPerPage = 0;  // bars shown at once when scaled automatically; 0 all
  TValueFormat FBottomFormat{"#,##0.### KB"};
  // The slice drawn pulled out of the pie; -1 none.
  int FExploded = -1;

  // The category axis (bar positions 0, 1, ... from the top) back to its
  // automatic range, the first page; a panned pie back in the middle.
  void Rescale();
  double AxisMinimum() const { return FAxisMinimum; }
  double AxisMaximum() const { return FAxisMaximum; }
  void SetAxisRange(double Minimum, double Maximum);
  // The zoom, kept between a fifth and ten times: of the pie's size, and
  // of the bars' thickness, fewer of them shown at a time.
  void SetZoom(int Percent);

  // The first active series: the pie, or the bars at the bottom of the stack.
  const TChartSeries* Shown() const;
  // The point of Series under Position, -1 for none (and for "Other").
  int PointAt(const TChartSeries& Series, QPointF Position) const;
  // Where a point is drawn (for the tests and for tips); a null point when
  // it is not in view.
  QPointF PointCentre(const TChartSeries& Series, int Point) const;
  // The label and value of what lies under Position, as its tip shows them.
  QString TipAt(QPointF Position) const;
  void Draw(QPainter& Painter, const QRect& Bounds) const;
  // Pages the chart takes on paper: a pie one, bars a page of them each.
  int PrintedPages() const;
  // Page (from 0) as paper gets it: without the screen's background and
  // title, which the report's own lines replace.
  void DrawPrinted(QPainter& Painter, const QRect& Bounds, int Page);
  // The chart as it is on screen, on a white ground.
  QImage Picture() const;

  // The user scrolled or paged the bars, or panned the chart.
  std::function<void()> OnScroll;
  std::function<void(QMouseEvent*)> OnMouseDown;
  std::function<void(QMouseEvent*)> OnDblClick;

protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

private:
  friend class TChartDrawing;
  int BarCount() const;
  // Bars on a page of the category axis, and the span of the axis shown at
  // the zoom.
  int PageBars() const;
  double ZoomedSpan() const;
  // Moves the bars shown by Rows positions, no further than the ends.
  void ScrollBars(double Rows);

  double FAxisMinimum = -0.5;
  double FAxisMaximum = 0.5;
  bool FWholeScale = false;  // the value axis fits every bar, not only those shown
  QPointF FPanOffset;        // of the pie, in pixels
  bool FDragging = false;
  QPointF FPanStart;
  double FPanAxis = 0;
  QPointF FPanOffsetStart;
};
