// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreemapLegend.h"

#include "FileClass.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The legend's cells: all alike, sized by the longest name, in rows of
// Columns.
struct TGrid {
  TGrid(const QFont& Font, const QPaintDevice* Device, qreal Width)
  {
    const QFontMetricsF Metrics(Font, Device);
    Swatch = Metrics.height() * 0.8;
    Gap = Metrics.height() * 0.5;
    qreal Longest = 0;
    for (int Kind = 0; Kind < TFileClass::Count; ++Kind)
      Longest = std::max(Longest, Metrics.horizontalAdvance(TFileClass::Name(Kind)));
    Cell = QSizeF(Swatch + Gap + Longest + Gap * 2, Metrics.height() * 1.4);
    Columns = std::clamp(int(Width / Cell.width()), 1, TFileClass::Count);
    Rows = (TFileClass::Count + Columns - 1) / Columns;
  }
  qreal Swatch, Gap;
  QSizeF Cell;
  int Columns, Rows;
};

}  // namespace

TTreemapLegend::TTreemapLegend(QWidget* Parent) : QWidget(Parent)
{
  QSizePolicy Policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  Policy.setHeightForWidth(true);
  setSizePolicy(Policy);
}

void TTreemapLegend::Draw(QPainter& Painter, const QRectF& Bounds)
{
  const TGrid Grid(Painter.font(), Painter.device(), Bounds.width());
  const int Rows = std::min(Grid.Rows, int(Bounds.height() / Grid.Cell.height()));
  Painter.save();
  const QPen Text = Painter.pen();
  for (int Kind = 0; Kind < std::min(TFileClass::Count, Rows * Grid.Columns); ++Kind) {
    const QRectF Cell(Bounds.left() + Kind % Grid.Columns * Grid.Cell.width(),
                      Bounds.top() + Kind / Grid.Columns * Grid.Cell.height(), Grid.Cell.width(), Grid.Cell.height());
    const QRectF Swatch(Cell.left(), Cell.center().y() - Grid.Swatch / 2, Grid.Swatch, Grid.Swatch);
    const QColor Color = QColor::fromRgb(TFileClass::Color(Kind));
    Painter.setPen(QPen(Color.darker(160), 0));
    Painter.setBrush(Color);
    Painter.drawRect(Swatch);
    Painter.setPen(Text);
    Painter.drawText(Cell.adjusted(Grid.Swatch + Grid.Gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     TFileClass::Name(Kind));
  }
  Painter.restore();
}

qreal TTreemapLegend::Height(const QFont& Font, const QPaintDevice* Device, qreal Width)
{
  const TGrid Grid(Font, Device, Width);
  return Grid.Rows * Grid.Cell.height();
}

QSize TTreemapLegend::sizeHint() const
{
  // Two columns of names.
  const TGrid Grid(font(), this, 0);
  const int Width = int(std::ceil(Grid.Cell.width() * 2));
  return QSize(Width, heightForWidth(Width));
}

int TTreemapLegend::heightForWidth(int Width) const
{
  return int(std::ceil(Height(font(), this, Width)));
}

void TTreemapLegend::paintEvent(QPaintEvent*)
{
  QPainter Painter(this);
  Painter.setPen(palette().color(QPalette::WindowText));
  Draw(Painter, rect());
}
