// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapLegend.h"

#include "view/FileClass.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The legend's cells: all alike, sized by the longest name, in rows of
// Columns.
struct TGrid {
  TGrid(const std::vector<TTreemapLegend::TKey>& Keys, const QFont& Font, const QPaintDevice* Device, qreal Width)
  {
    const QFontMetricsF Metrics(Font, Device);
    Swatch = Metrics.height() * 0.8;
    Gap = Metrics.height() * 0.5;
    qreal Longest = 0;
    for (const TTreemapLegend::TKey& Key : Keys)
      Longest = std::max(Longest, Metrics.horizontalAdvance(Key.Name));
    const int Count = std::max(int(Keys.size()), 1);
    Cell = QSizeF(Swatch + Gap + Longest + Gap * 2, Metrics.height() * 1.4);
    Columns = std::clamp(int(Width / Cell.width()), 1, Count);
    Rows = (int(Keys.size()) + Columns - 1) / Columns;
  }
  qreal Swatch, Gap;
  QSizeF Cell;
  int Columns, Rows;
};

}  // namespace

TTreemapLegend::TTreemapLegend(QWidget* Parent) : QWidget(Parent), FKeys(ClassKeys())
{
  QSizePolicy Policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  Policy.setHeightForWidth(true);
  setSizePolicy(Policy);
  //: Noun: the legend of the treemap's colours
  setAccessibleName(tr("Key"));
  Tell();
}

void TTreemapLegend::Tell()
{
  QStringList Names;
  for (const TKey& Key : FKeys)
    Names << Key.Name;
  setAccessibleDescription(Names.join(", "));
}

std::vector<TTreemapLegend::TKey> TTreemapLegend::ClassKeys()
{
  std::vector<TKey> Keys;
  for (int Kind = 0; Kind < TFileClass::Count; ++Kind)
    Keys.push_back({TFileClass::Name(Kind), TFileClass::Color(Kind)});
  return Keys;
}

void TTreemapLegend::SetKeys(std::vector<TKey> Keys)
{
  FKeys = std::move(Keys);
  Tell();
  updateGeometry();
  update();
}

void TTreemapLegend::Draw(QPainter& Painter, const QRectF& Bounds) const
{
  const TGrid Grid(FKeys, Painter.font(), Painter.device(), Bounds.width());
  const int Rows = std::min(Grid.Rows, int(Bounds.height() / Grid.Cell.height()));
  Painter.save();
  const QPen Text = Painter.pen();
  for (int Key = 0; Key < std::min(int(FKeys.size()), Rows * Grid.Columns); ++Key) {
    const QRectF Cell(Bounds.left() + Key % Grid.Columns * Grid.Cell.width(),
                      Bounds.top() + Key / Grid.Columns * Grid.Cell.height(), Grid.Cell.width(), Grid.Cell.height());
    const QRectF Swatch(Cell.left(), Cell.center().y() - Grid.Swatch / 2, Grid.Swatch, Grid.Swatch);
    const QColor Color = QColor::fromRgb(FKeys[size_t(Key)].Color);
    Painter.setPen(QPen(Color.darker(160), 0));
    Painter.setBrush(Color);
    Painter.drawRect(Swatch);
    Painter.setPen(Text);
    Painter.drawText(Cell.adjusted(Grid.Swatch + Grid.Gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     FKeys[size_t(Key)].Name);
  }
  Painter.restore();
}

qreal TTreemapLegend::Height(const QFont& Font, const QPaintDevice* Device, qreal Width) const
{
  const TGrid Grid(FKeys, Font, Device, Width);
  return Grid.Rows * Grid.Cell.height();
}

QSize TTreemapLegend::sizeHint() const
{
  // Two columns of names.
  const TGrid Grid(FKeys, font(), this, 0);
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
