// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartDrawing.h"

#include "charts/Chart.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

const QColor BarWallColor{192, 192, 192};
const QColor MarkColor{255, 255, 225};
const QColor ShadowColor{160, 160, 160};
const Qt::BrushStyle SlicePatterns[] = {Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern,  Qt::DiagCrossPattern,
                                        Qt::HorPattern,   Qt::VerPattern,   Qt::Dense5Pattern, Qt::Dense6Pattern};
constexpr double PieTilt = 0.6;    // height of the tilted pie to its width
constexpr double PieDepth = 0.16;  // its side to its width

// A step of 1, 2 or 5 times a power of ten that makes about Ticks steps up to
// Maximum.
double NiceStep(double Maximum, int Ticks)
{
  const double Raw = Maximum / std::max(1, Ticks);
  const double Power = std::pow(10, std::floor(std::log10(Raw)));
  for (double Factor : {1.0, 2.0, 5.0})
    if (Raw <= Factor * Power)
      return Factor * Power;
  return 10 * Power;
}

Qt::BrushStyle BarPattern(const TChartSeries& Series, int Stacked)
{
  if (!Series.FPatterns)
    return Qt::SolidPattern;
  return Stacked == 0 ? Qt::DiagCrossPattern : Qt::CrossPattern;
}

}  // namespace

TChartDrawing::TChartDrawing(const TChart& Chart, const QRectF& Bounds, qreal Scale)
  : FChart(Chart), FInk(TChartInk::Of(Chart.FDark && Chart.FGradient)), FBounds(Bounds), FScale(Scale)
{
  FFont = Chart.font();
  FFont.setPixelSize(std::max(1, int(std::lround(Px(QFontMetricsF(Chart.font()).height() * 0.8)))));
  FTitleFont = FFont;
  FTitleFont.setBold(true);
  FTitleFont.setPixelSize(std::max(1, int(std::lround(Px(13)))));

  for (const TChartSeries* Series : Chart.FSeries) {
    if (!Series->FActive)
      continue;
    if (Series->FKind == TChartSeries::skPie) {
      FPie = Series;
      break;
    }
    FBars.push_back(Series);
  }
  if (FPie)
    FBars.clear();

  QRectF Content = Bounds.adjusted(Bounds.width() * Chart.FMarginLeft / 100, Bounds.height() * Chart.FMarginTop / 100,
                                   -Bounds.width() * Chart.FMarginRight / 100, -Px(4));
  if (!Chart.FTitle.isEmpty()) {
    const QFontMetricsF Metrics(FTitleFont);
    const QString Title = Metrics.elidedText(Chart.FTitle, Qt::ElideMiddle, Bounds.width() - Px(24));
    const QSizeF Size(Metrics.horizontalAdvance(Title) + Px(16), Metrics.height() + Px(6));
    FTitleBox = QRectF(Bounds.center().x() - Size.width() / 2, Bounds.top() + Px(4), Size.width(), Size.height());
    Content.setTop(std::max(Content.top(), FTitleBox.bottom() + Px(6)));
  }
  if (!Chart.FMessage.isEmpty()) {
    FMessageBox = QRectF(Content.left(), Content.top(), Content.width(), QFontMetricsF(FFont).height() + Px(6));
    Content.setTop(FMessageBox.bottom() + Px(4));
  }
  if (Chart.FLegendVisible)
    LayOutLegend(Content);
  FContent = Content;
  FPlot = Content;
  if (FPie)
    LayOutPie(Content);
  else if (!FBars.empty())
    LayOutBars(Content);
}

// ---- Layout -------------------------------------------------------------------

void TChartDrawing::LayOutLegend(QRectF& Content)
{
  std::vector<TChartLegend::TEntry> Entries;
  if (FChart.FLegendStyle == TChart::lsValues && FPie) {
    const std::vector<TChartSeries::TSlice> Slices = FPie->Slices();
    for (size_t Index = 0; Index < Slices.size(); ++Index) {
      const TChartSeries::TSlice& Slice = Slices[Index];
      Entries.push_back({Slice.Color, Slice.Label, FPie->FValueFormat.Format(Slice.Value),
                         FPie->FPatterns ? SlicePatterns[Index % std::size(SlicePatterns)] : Qt::SolidPattern});
    }
  } else {
    int Stacked = 0;
    for (const TChartSeries* Series : FChart.FSeries)
      if (Series->FActive && Series->FKind == TChartSeries::skBar)
        Entries.push_back({Series->FColor, Series->FTitle, {}, BarPattern(*Series, Stacked++)});
  }
  if (!Entries.empty())
    FLegend.emplace(std::move(Entries), FFont, FBounds, Content, FScale);
}

void TChartDrawing::LayOutPie(const QRectF& Plot)
{
  FSlices = FPie->Slices();
  FWhole = 0;
  for (const TChartSeries::TSlice& Slice : FSlices) {
    FStarts.push_back(FWhole);
    FWhole += Slice.Value;
  }
  for (double& Start : FStarts)
    Start = FWhole > 0 ? Start / FWhole * 360 : 0;

  const QFontMetricsF Metrics(FFont);
  const qreal Arrow = Px(8);
  const qreal MarkHeight = Metrics.height() + Px(4);
  const qreal LabelLimit = std::max(Px(60), Plot.width() * 0.22);
  qreal MarkWidth = 0;
  std::vector<TMark> Marks;
  for (size_t Slice = 0; Slice < FSlices.size(); ++Slice) {
    const double Value = FSlices[Slice].Value;
    if (Value <= 0)
      continue;
    const QString Percent = TValueFormat("##0.# %").Format(Value / FWhole * 100);
    QString Text = Percent;
    if (!FChart.FMarksPercentOnly)
      Text = Metrics.elidedText(FSlices[Slice].Label, Qt::ElideMiddle, LabelLimit) + " " + Percent;
    Marks.push_back({{}, {}, Text, false, Value, int(Slice)});
    MarkWidth = std::max(MarkWidth, Metrics.horizontalAdvance(Text) + Px(8));
  }
  const bool Deep = FChart.FView3D;
  const double Height = Deep ? PieTilt + PieDepth : 1;
  double Radius = std::min(Plot.width() / 2 - Arrow - MarkWidth - Px(4), (Plot.height() / 2 - Px(4)) / Height);
  if (Deep)
    Radius *= FChart.FZoom / 100.0;
  Radius = std::max(Radius, Px(8));
  const double Tilted = Deep ? Radius * PieTilt : Radius;
  FDepth = Deep ? Radius * PieDepth : 0;
  const QPointF Centre = Plot.center() + FChart.FPanOffset * FScale - QPointF(0, FDepth / 2);
  FPieRect = QRectF(Centre.x() - Radius, Centre.y() - Tilted, 2 * Radius, 2 * Tilted);

  // Marks stand in a column on each side of the pie, each near the height of
  // its slice: the marks of larger slices are placed first, and one that
  // would have to move far from its slice, across the pie, is left out.
  std::vector<TMark> Sides[2];
  for (TMark& Item : Marks) {
    const auto [Start, Sweep] = SliceAngles(Item.Slice);
    const double Middle = (Start + Sweep / 2) * M_PI / 180;
    const QRectF Face = SliceRect(Item.Slice);
    const QPointF Direction(std::cos(Middle), -std::sin(Middle));
    Item.Anchor = Face.center() + QPointF(Direction.x() * Face.width() / 2, Direction.y() * Face.height() / 2);
    if (Direction.y() > 0)
      Item.Anchor.ry() += FDepth;
    Item.Left = Direction.x() < 0;
    const qreal Width = Metrics.horizontalAdvance(Item.Text) + Px(8);
    const qreal Y = std::clamp(Item.Anchor.y() + Direction.y() * Arrow - MarkHeight / 2, Plot.top(),
                               std::max(Plot.top(), Plot.bottom() - MarkHeight));
    Item.Box = QRectF(Item.Left ? FPieRect.left() - Arrow - Width : FPieRect.right() + Arrow, Y, Width, MarkHeight);
    Sides[Item.Left].push_back(std::move(Item));
  }
  const qreal Reach = 2.5 * MarkHeight;
  for (std::vector<TMark>& Side : Sides) {
    std::stable_sort(Side.begin(), Side.end(), [](const TMark& A, const TMark& B) { return A.Value > B.Value; });
    std::vector<qreal> Taken;  // tops of the marks placed
    auto Free = [&](qreal Top) {
      if (Top < Plot.top() || Top + MarkHeight > Plot.bottom())
        return false;
      for (qreal Other : Taken)
        if (std::abs(Other - Top) < MarkHeight + Px(1))
          return false;
      return true;
    };
    const size_t First = FMarks.size();
    for (TMark& Item : Side) {
      // Where it would be, else just above or below a mark already placed.
      const qreal Wanted = Item.Box.top();
      std::vector<qreal> Tops{Wanted};
      for (qreal Other : Taken) {
        Tops.push_back(Other - MarkHeight - Px(1));
        Tops.push_back(Other + MarkHeight + Px(1));
      }
      std::sort(Tops.begin(), Tops.end(),
                [Wanted](qreal A, qreal B) { return std::abs(A - Wanted) < std::abs(B - Wanted); });
      for (qreal Top : Tops) {
        if (std::abs(Top - Wanted) > Reach)
          break;
        if (Free(Top)) {
          Item.Box.moveTop(Top);
          Taken.push_back(Top);
          FMarks.push_back(Item);
          break;
        }
      }
    }
    // The places go to the marks in the order of their slices down the side,
    // so that no two leader lines cross.
    std::sort(Taken.begin(), Taken.end());
    std::sort(FMarks.begin() + First, FMarks.end(),
              [](const TMark& A, const TMark& B) { return A.Anchor.y() < B.Anchor.y(); });
    for (size_t Index = First; Index < FMarks.size(); ++Index)
      FMarks[Index].Box.moveTop(Taken[Index - First]);
  }
}

void TChartDrawing::LayOutBars(const QRectF& Plot)
{
  int Count = 0;
  for (const TChartSeries* Series : FBars)
    Count = std::max(Count, Series->Count());
  const double Minimum = FChart.AxisMinimum();
  const double Maximum = FChart.AxisMaximum();
  const double Half = 0.35;  // of a bar position, each side of its middle
  FFirst = std::max(0, int(std::ceil(Minimum - Half)));
  FLast = std::min(Count - 1, int(std::floor(Maximum + Half)));

  // The value axis fits the bars shown; on paper all of them, so that
  // every page reads against the same scale.
  double Largest = 0;
  for (int Point = FChart.FWholeScale ? 0 : FFirst; Point <= (FChart.FWholeScale ? Count - 1 : FLast); ++Point) {
    double Stack = 0;
    for (const TChartSeries* Series : FBars)
      if (Point < Series->Count())
        Stack += std::max(0.0, Series->Point(Point).Value);
    Largest = std::max(Largest, Stack);
  }
  const QFontMetricsF Metrics(FFont);
  FLabelWidth = 0;
  const qreal LabelLimit = Plot.width() * 0.4;
  for (int Point = FFirst; Point <= FLast; ++Point) {
    if (Point < FBars[0]->Count())
      FLabelWidth =
        std::max(FLabelWidth, std::min(LabelLimit, Metrics.horizontalAdvance(FBars[0]->Point(Point).Label)));
  }
  FLabelWidth += Px(6);
  const qreal AxisHeight = Metrics.height() + Px(8);
  QRectF Area(Plot.left() + FLabelWidth, Plot.top(), Plot.width() - FLabelWidth, Plot.height() - AxisHeight);
  const double Span = std::max(0.01, Maximum - Minimum);
  if (FChart.FView3D) {
    const qreal Depth = std::min({Area.height() / Span * 0.3, Px(12), Area.height() / 6});
    FDepthOffset = QPointF(Depth, -Depth);
    Area.adjust(0, Depth, -Depth, 0);
  }
  FRowHeight = Area.height() / Span;
  FPlot = Area;

  // Value steps far enough apart for their texts.
  if (Largest <= 0)
    Largest = 1;
  const qreal TextWidth = Metrics.horizontalAdvance(FChart.FBottomFormat.Format(Largest)) + Px(16);
  const int Ticks = std::clamp(int(Area.width() / TextWidth), 1, 8);
  // Round steps of the unit shown, no finer than its decimals.
  const double Unit = FChart.FBottomFormat.UnitSize(Largest);
  FValueStep = std::max(NiceStep(Largest / Unit, Ticks), std::pow(10.0, -FChart.FBottomFormat.MaxDecimals())) * Unit;
  FValueMaximum = std::ceil(Largest / FValueStep - 1e-9) * FValueStep;
}

double TChartDrawing::ValueX(double Value) const
{
  return FPlot.left() + FPlot.width() * Value / FValueMaximum;
}

QRectF TChartDrawing::Segment(const TChartSeries& Series, int Point) const
{
  if (Point < FFirst || Point > FLast || Point >= Series.Count())
    return {};
  double From = 0;
  for (const TChartSeries* Below : FBars) {
    if (Below == &Series) {
      const double Value = std::max(0.0, Series.Point(Point).Value);
      const double Middle = FPlot.top() + (Point - FChart.AxisMinimum()) * FRowHeight;
      const double Thick = FRowHeight * 0.7;
      return QRectF(QPointF(ValueX(From), Middle - Thick / 2), QPointF(ValueX(From + Value), Middle + Thick / 2));
    }
    if (Point < Below->Count())
      From += std::max(0.0, Below->Point(Point).Value);
  }
  return {};
}

std::pair<double, double> TChartDrawing::SliceAngles(int Slice) const
{
  const double End = Slice + 1 < int(FStarts.size()) ? FStarts[Slice + 1] : 360;
  return {90 - FStarts[Slice], -(End - FStarts[Slice])};
}

QRectF TChartDrawing::SliceRect(int Slice) const
{
  if (FSlices[Slice].Point < 0 || FSlices[Slice].Point != FChart.FExploded)
    return FPieRect;
  const auto [Start, Sweep] = SliceAngles(Slice);
  const double Middle = (Start + Sweep / 2) * M_PI / 180;
  const double Out = FPieRect.width() * 0.06;
  return FPieRect.translated(std::cos(Middle) * Out, -std::sin(Middle) * Out * FPieRect.height() / FPieRect.width());
}

std::vector<QRectF> TChartDrawing::MarkBoxes() const
{
  std::vector<QRectF> Boxes;
  for (const TMark& Mark : FMarks)
    Boxes.push_back(Mark.Box);
  return Boxes;
}

// ---- Hit tests ------------------------------------------------------------------

int TChartDrawing::SliceAt(QPointF Position) const
{
  if (!FPie || FWhole <= 0)
    return -1;
  for (int Slice = 0; Slice < int(FSlices.size()); ++Slice) {
    const QRectF Face = SliceRect(Slice);
    const double X = (Position.x() - Face.center().x()) / (Face.width() / 2);
    double Y = (Position.y() - Face.center().y()) / (Face.height() / 2);
    // The side below the face belongs to the slice above it.
    if (X * X + Y * Y > 1 && FDepth > 0 && Y > 0 && X * X < 1) {
      const double Edge = std::sqrt(1 - X * X);
      if ((Position.y() - Face.center().y() - FDepth) / (Face.height() / 2) <= Edge)
        Y = Edge;
    }
    if (X * X + Y * Y > 1 + 1e-9)
      continue;
    double Angle = 90 - std::atan2(-Y, X) * 180 / M_PI;  // clockwise from twelve
    Angle = std::fmod(Angle + 720, 360);
    const double End = Slice + 1 < int(FStarts.size()) ? FStarts[Slice + 1] : 360;
    if (Angle >= FStarts[Slice] && Angle < End)
      return Slice;
  }
  return -1;
}

int TChartDrawing::PointAt(const TChartSeries& Series, QPointF Position) const
{
  if (!Series.FActive)
    return -1;
  if (&Series == FPie) {
    const int Slice = SliceAt(Position);
    return Slice < 0 ? -1 : FSlices[Slice].Point;
  }
  if (FRowHeight <= 0)
    return -1;
  const int Point = int(std::floor(FChart.AxisMinimum() + (Position.y() - FPlot.top()) / FRowHeight + 0.5));
  return Segment(Series, Point).contains(Position) ? Point : -1;
}

QPointF TChartDrawing::PointCentre(const TChartSeries& Series, int Point) const
{
  if (&Series == FPie) {
    for (int Slice = 0; Slice < int(FSlices.size()); ++Slice)
      if (FSlices[Slice].Point == Point && FSlices[Slice].Value > 0) {
        const auto [Start, Sweep] = SliceAngles(Slice);
        const double Middle = (Start + Sweep / 2) * M_PI / 180;
        const QRectF Face = SliceRect(Slice);
        return Face.center() + QPointF(std::cos(Middle) * Face.width() / 3, -std::sin(Middle) * Face.height() / 3);
      }
    return {};
  }
  const QRectF Bar = Segment(Series, Point);
  return Bar.isEmpty() ? QPointF() : Bar.center();
}

// ---- Drawing ----------------------------------------------------------------------

QBrush TChartDrawing::Fill(const QColor& Color, Qt::BrushStyle Pattern, const QRectF& Area) const
{
  if (Pattern != Qt::SolidPattern)
    return QBrush(Color, Pattern);
  QLinearGradient Gradient(Area.topLeft(), Area.topRight());
  Gradient.setColorAt(0, Color.lighter(160));
  Gradient.setColorAt(1, Color);
  return Gradient;
}

void TChartDrawing::Draw(QPainter& Painter) const
{
  Painter.save();
  Painter.setClipRect(FBounds);
  Painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(Painter);
  Painter.save();
  // Between the title and the legend; the value axis' texts may reach out
  // into the margins beside.
  Painter.setClipRect(QRectF(FBounds.left(), FContent.top(), FBounds.width(), FContent.height()), Qt::IntersectClip);
  if (FPie)
    DrawPie(Painter);
  else if (!FBars.empty())
    DrawBars(Painter);
  Painter.restore();
  DrawTitle(Painter);
  DrawMessage(Painter);
  if (FLegend)
    FLegend->Draw(Painter, FInk);
  Painter.restore();
}

void TChartDrawing::DrawBackground(QPainter& Painter) const
{
  if (!FChart.FGradient) {
    Painter.fillRect(FBounds, Qt::white);
    return;
  }
  QLinearGradient Gradient(FBounds.bottomLeft(), FBounds.topLeft());
  Gradient.setColorAt(0, FInk.Bottom);
  Gradient.setColorAt(1, FInk.Top);
  Painter.fillRect(FBounds, Gradient);
}

void TChartDrawing::DrawTitle(QPainter& Painter) const
{
  if (FTitleBox.isEmpty())
    return;
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(QColor(0, 0, 0, 60));
  Painter.drawRect(FTitleBox.translated(Px(2), Px(2)));
  QRadialGradient Gradient(FTitleBox.center(), FTitleBox.width() / 2);
  Gradient.setColorAt(0, QColor(192, 192, 192, 128));
  Gradient.setColorAt(1, FInk.Title);
  Painter.setBrush(Gradient);
  Painter.drawRect(FTitleBox);
  Painter.setFont(FTitleFont);
  Painter.setPen(QColor(0, 0, 0, 80));
  const QString Title =
    QFontMetricsF(FTitleFont).elidedText(FChart.FTitle, Qt::ElideMiddle, FTitleBox.width() - Px(14));
  Painter.drawText(FTitleBox.translated(Px(1), Px(1)), Qt::AlignCenter, Title);
  Painter.setPen(FInk.Text);
  Painter.drawText(FTitleBox, Qt::AlignCenter, Title);
}

void TChartDrawing::DrawMessage(QPainter& Painter) const
{
  if (FMessageBox.isEmpty())
    return;
  Painter.setFont(FFont);
  Painter.setPen(FInk.Text);
  Painter.drawText(FMessageBox, Qt::AlignCenter,
                   QFontMetricsF(FFont).elidedText(FChart.FMessage, Qt::ElideMiddle, FMessageBox.width()));
}

void TChartDrawing::DrawPie(QPainter& Painter) const
{
  if (FWhole <= 0)
    return;
  auto Pattern = [this](int Slice) {
    return FPie->FPatterns ? SlicePatterns[Slice % std::size(SlicePatterns)] : Qt::SolidPattern;
  };
  const int Count = int(FSlices.size());
  // The side: the front half of each slice's rim, from the face down.
  if (FDepth > 0) {
    for (int Slice = 0; Slice < Count; ++Slice) {
      const auto [Start, Sweep] = SliceAngles(Slice);
      const double From = std::max(Start + Sweep, -180.0);
      const double To = std::min(Start, 0.0);
      // Angles run from 90 down to -270; the front is -180 to 0.
      if (From >= To)
        continue;
      const QRectF Face = SliceRect(Slice);
      QPainterPath Side;
      Side.arcMoveTo(Face, From);
      Side.arcTo(Face, From, To - From);
      Side.arcTo(Face.translated(0, FDepth), To, From - To);
      Side.closeSubpath();
      Painter.setPen(QPen(FSlices[Slice].Color.darker(170), Px(0.5)));
      Painter.setBrush(QBrush(FSlices[Slice].Color.darker(140),
                              Pattern(Slice) == Qt::SolidPattern ? Qt::SolidPattern : Pattern(Slice)));
      Painter.drawPath(Side);
    }
  } else {
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(ShadowColor);
    Painter.drawEllipse(FPieRect.translated(Px(3), Px(3)));
  }
  for (int Slice = 0; Slice < Count; ++Slice) {
    const auto [Start, Sweep] = SliceAngles(Slice);
    const QRectF Face = SliceRect(Slice);
    Painter.setPen(QPen(Qt::black, Px(0.5)));
    if (Pattern(Slice) != Qt::SolidPattern) {
      Painter.setBrush(Qt::white);
      Painter.drawPie(Face, int(std::lround(Start * 16)), int(std::lround(Sweep * 16)));
      Painter.setBrush(QBrush(FSlices[Slice].Color, Pattern(Slice)));
    } else {
      Painter.setBrush(FSlices[Slice].Color);
    }
    if (FSlices[Slice].Value >= FWhole)  // the whole pie: no seam
      Painter.drawEllipse(Face);
    else
      Painter.drawPie(Face, int(std::lround(Start * 16)), int(std::lround(Sweep * 16)));
  }
  Painter.setFont(FFont);
  for (const TMark& Mark : FMarks) {
    const QPointF Join(Mark.Left ? Mark.Box.right() : Mark.Box.left(), Mark.Box.center().y());
    Painter.setPen(QPen(FInk.Axis, Px(0.8)));
    Painter.drawLine(Mark.Anchor, Join);
    Painter.setBrush(MarkColor);
    Painter.setPen(QPen(Qt::gray, Px(0.5)));
    Painter.drawRect(Mark.Box);
    Painter.setPen(Qt::black);
    Painter.drawText(Mark.Box, Qt::AlignCenter, Mark.Text);
  }
}

void TChartDrawing::DrawBars(QPainter& Painter) const
{
  const QPointF Depth = FDepthOffset;
  // Walls: the left one beside the bars' labels, the back one behind them.
  const QRectF Back = FPlot.translated(Depth);
  if (!Depth.isNull()) {
    const QPolygonF Left{FPlot.topLeft(), Back.topLeft(), Back.bottomLeft(), FPlot.bottomLeft()};
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(BarWallColor);
    Painter.drawPolygon(Left);
  }
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(FInk.Paper);
  Painter.drawRect(Back);

  const QFontMetricsF Metrics(FFont);
  Painter.setFont(FFont);
  const QPen Grid(QColor(160, 160, 160), Px(0.5), Qt::DotLine);
  for (double Value = 0; Value <= FValueMaximum + FValueStep / 2; Value += FValueStep) {
    const double X = ValueX(Value);
    if (FChart.FVertGrid) {
      Painter.setPen(Grid);
      Painter.drawLine(QPointF(X + Depth.x(), Back.top()), QPointF(X + Depth.x(), Back.bottom()));
      if (!Depth.isNull())
        Painter.drawLine(QPointF(X, FPlot.bottom()), QPointF(X + Depth.x(), Back.bottom()));
    }
    Painter.setPen(FInk.Text);
    const QString Text = FChart.FBottomFormat.Format(Value);
    const qreal Width = Metrics.horizontalAdvance(Text);
    Painter.drawText(QRectF(X - Width / 2 - Px(2), FPlot.bottom() + Px(4), Width + Px(4), Metrics.height()),
                     Qt::AlignCenter, Text);
  }
  Painter.setPen(QPen(FInk.Axis, Px(0.8)));
  Painter.drawLine(FPlot.bottomLeft(), FPlot.bottomRight());
  Painter.drawLine(FPlot.topLeft(), FPlot.bottomLeft());

  Painter.save();
  Painter.setClipRect(QRectF(FBounds.left(), FPlot.top() + Depth.y(), FBounds.width(), FPlot.height() - Depth.y()),
                      Qt::IntersectClip);
  const TChartSeries& First = *FBars.front();
  // Labels of rows lower than their text: every so many is named.
  const int LabelStep = std::max(1, int(std::ceil(Metrics.height() / std::max(FRowHeight, 0.01))));
  for (int Point = FFirst; Point <= FLast; ++Point) {
    const double Middle = FPlot.top() + (Point - FChart.AxisMinimum()) * FRowHeight;
    if (FChart.FHorzGrid) {
      Painter.setPen(Grid);
      const double Line = Middle - FRowHeight / 2;
      Painter.drawLine(QPointF(FPlot.left() + Depth.x(), Line + Depth.y()), QPointF(Back.right(), Line + Depth.y()));
    }
    if (Point < First.Count() && Point % LabelStep == 0) {
      Painter.setPen(FInk.Text);
      const QString Label = Metrics.elidedText(First.Point(Point).Label, Qt::ElideRight, FLabelWidth - Px(6));
      Painter.drawText(
        QRectF(FBounds.left(), Middle - FRowHeight / 2, FPlot.left() - FBounds.left() - Px(6), FRowHeight),
        Qt::AlignRight | Qt::AlignVCenter, Label);
    }
    QRectF Outer;
    QColor OuterColor;
    for (size_t Stacked = 0; Stacked < FBars.size(); ++Stacked) {
      const TChartSeries& Series = *FBars[Stacked];
      const QRectF Bar = Segment(Series, Point);
      if (Bar.isEmpty() || Bar.width() <= 0)
        continue;
      const QColor Color = Series.PointColor(Point);
      const Qt::BrushStyle Pattern = BarPattern(Series, int(Stacked));
      Painter.setPen(QPen(Qt::black, Px(0.5)));
      if (Pattern != Qt::SolidPattern) {
        Painter.setBrush(Qt::white);
        Painter.drawRect(Bar);
      }
      Painter.setBrush(Fill(Color, Pattern, Bar));
      Painter.drawRect(Bar);
      if (!Depth.isNull()) {
        Painter.setBrush(Color.lighter(130));
        Painter.drawPolygon(QPolygonF{Bar.topLeft(), Bar.topRight(), Bar.topRight() + Depth, Bar.topLeft() + Depth});
      }
      Outer = Bar;
      OuterColor = Color;
    }
    if (!Depth.isNull() && !Outer.isEmpty()) {
      Painter.setBrush(OuterColor.darker(140));
      Painter.drawPolygon(
        QPolygonF{Outer.topRight(), Outer.topRight() + Depth, Outer.bottomRight() + Depth, Outer.bottomRight()});
    }
  }
  Painter.restore();
}
