// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/Chart.h"

#include "charts/ChartAccessible.h"
#include "charts/ChartDrawing.h"
#include "charts/ChartSeries.h"
#include "view/AccessibleFactory.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

TChart::TChart(QWidget* Parent) : QWidget(Parent)
{
  // Screen readers hear the slices and bars, not only a picture.
  InstallAccessible<TChart, TChartAccessible>();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 120);
}

int TChart::BarCount() const
{
  int Count = 0;
  for (const TChartSeries* Series : FSeries)
    if (Series->FActive && Series->FKind == TChartSeries::skBar)
      Count = std::max(Count, Series->Count());
  return Count;
}

const TChartSeries* TChart::Shown() const
{
  for (const TChartSeries* Series : FSeries)
    if (Series->FActive)
      return Series;
  return nullptr;
}

int TChart::PageBars() const
{
  const int Count = BarCount();
  return std::max(FMaxPointsPerPage > 0 ? std::min(Count, FMaxPointsPerPage) : Count, 1);
}

double TChart::ZoomedSpan() const
{
  return FView3D ? PageBars() * 100.0 / FZoom : PageBars();
}

void TChart::Rescale()
{
  FAxisMinimum = -0.5;
  FAxisMaximum = FAxisMinimum + ZoomedSpan();
  FPanOffset = {};
}

void TChart::SetAxisRange(double Minimum, double Maximum)
{
  FAxisMinimum = Minimum;
  FAxisMaximum = Maximum;
  update();
}

void TChart::SetZoom(int Percent)
{
  FZoom = std::clamp(Percent, 20, 1000);
  // Bars come nearer by showing fewer at a time, from the first shown.
  FAxisMaximum = FAxisMinimum + ZoomedSpan();
  update();
}

void TChart::ScrollBars(double Rows)
{
  const double Span = FAxisMaximum - FAxisMinimum;
  const double Last = std::max(-0.5, BarCount() - 0.5 - Span);
  const double Minimum = std::clamp(FAxisMinimum + Rows, std::min(-0.5, FAxisMinimum), std::max(Last, FAxisMinimum));
  if (Minimum == FAxisMinimum)
    return;
  SetAxisRange(Minimum, Minimum + Span);
  if (OnScroll)
    OnScroll();
}

int TChart::PointAt(const TChartSeries& Series, QPointF Position) const
{
  return TChartDrawing(*this, rect()).PointAt(Series, Position);
}

QPointF TChart::PointCentre(const TChartSeries& Series, int Point) const
{
  return TChartDrawing(*this, rect()).PointCentre(Series, Point);
}

QString TChart::TipAt(QPointF Position) const
{
  const TChartDrawing Drawing(*this, rect());
  for (const TChartSeries* Series : FSeries) {
    if (!Series->FActive)
      continue;
    QString Label;
    double Value = 0;
    if (Series->FKind == TChartSeries::skPie) {
      const int Slice = Drawing.SliceAt(Position);
      if (Slice < 0)
        continue;
      Label = Drawing.Slices()[Slice].Label;
      Value = Drawing.Slices()[Slice].Value;
    } else {
      const int Point = Drawing.PointAt(*Series, Position);
      if (Point < 0)
        continue;
      Label = Series->Point(Point).Label;
      Value = Series->Point(Point).Value;
    }
    QString Tip = Label + "\n" + Series->FValueFormat.Format(Value);
    if (!Series->FNote.isEmpty())
      Tip += "\n" + Series->FNote;
    return Tip;
  }
  return {};
}

void TChart::Draw(QPainter& Painter, const QRect& Bounds) const
{
  const qreal Scale = Painter.device() ? Painter.device()->logicalDpiY() / qreal(logicalDpiY()) : 1;
  TChartDrawing(*this, Bounds, std::max<qreal>(Scale, 0.1)).Draw(Painter);
}

int TChart::PrintedPages() const
{
  const TChartSeries* First = Shown();
  if (!First || First->FKind == TChartSeries::skPie)
    return 1;
  return std::max(1, (BarCount() + PageBars() - 1) / PageBars());
}

void TChart::DrawPrinted(QPainter& Painter, const QRect& Bounds, int Page)
{
  const bool Gradient = std::exchange(FGradient, false);
  const QString Title = std::exchange(FTitle, QString());
  // Whole pages of bars, whatever is scrolled to or zoomed on screen.
  const double Minimum = std::exchange(FAxisMinimum, Page * PageBars() - 0.5);
  const double Maximum = std::exchange(FAxisMaximum, FAxisMinimum + PageBars());
  FWholeScale = true;
  Draw(Painter, Bounds);
  FWholeScale = false;
  FGradient = Gradient;
  FTitle = Title;
  FAxisMinimum = Minimum;
  FAxisMaximum = Maximum;
}

QImage TChart::Picture() const
{
  // In the screen's own pixels, as sharp as the chart is shown.
  const qreal Ratio = devicePixelRatioF();
  QImage Image(size() * Ratio, QImage::Format_RGB32);
  Image.setDevicePixelRatio(Ratio);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  TChartDrawing(*this, rect()).Draw(Painter);
  return Image;
}

void TChart::paintEvent(QPaintEvent*)
{
  // The theme may change while the program runs.
  FDark = palette().color(QPalette::Window).lightness() < 128;
  QPainter Painter(this);
  TChartDrawing(*this, rect()).Draw(Painter);
}

void TChart::mousePressEvent(QMouseEvent* Event)
{
  if (FPanning != pnNone && Event->button() == FPanButton && (Event->modifiers() & FPanModifier)) {
    FDragging = true;
    FPanStart = Event->position();
    FPanAxis = FAxisMinimum;
    FPanOffsetStart = FPanOffset;
  }
  if (OnMouseDown)
    OnMouseDown(Event);
}

void TChart::mouseMoveEvent(QMouseEvent* Event)
{
  if (!FDragging)
    return;
  const QPointF Moved = Event->position() - FPanStart;
  if (Shown() && Shown()->FKind == TChartSeries::skPie) {
    if (FPanning == pnBoth) {
      FPanOffset = FPanOffsetStart + Moved;
      update();
    }
  } else {
    const double Rows = TChartDrawing(*this, rect()).RowHeight();
    if (Rows > 0)
      ScrollBars(FPanAxis - Moved.y() / Rows - FAxisMinimum);
    return;
  }
  if (OnScroll)
    OnScroll();
}

void TChart::mouseReleaseEvent(QMouseEvent* Event)
{
  FDragging = false;
  // A click names the point clicked; shown on release, which would hide it.
  if (Event->button() == Qt::LeftButton) {
    const QString Tip = TipAt(Event->position());
    if (!Tip.isEmpty())
      QToolTip::showText(Event->globalPosition().toPoint(), Tip, this);
  }
}

void TChart::mouseDoubleClickEvent(QMouseEvent* Event)
{
  if (OnDblClick)
    OnDblClick(Event);
}

void TChart::wheelEvent(QWheelEvent* Event)
{
  const double Notches = Event->angleDelta().y() / 120.0;
  if (Notches == 0 || BarCount() == 0) {
    Event->ignore();
    return;
  }
  ScrollBars(-3 * Notches);
}

void TChart::keyPressEvent(QKeyEvent* Event)
{
  const double Span = FAxisMaximum - FAxisMinimum;
  const double Page = std::max(1.0, std::floor(Span));
  switch (Event->key()) {
    case Qt::Key_PageDown: ScrollBars(Page); break;
    case Qt::Key_PageUp: ScrollBars(-Page); break;
    case Qt::Key_Down: ScrollBars(1); break;
    case Qt::Key_Up: ScrollBars(-1); break;
    case Qt::Key_Home: ScrollBars(-BarCount()); break;
    case Qt::Key_End: ScrollBars(BarCount()); break;
    default: QWidget::keyPressEvent(Event);
  }
}
