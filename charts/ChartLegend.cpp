// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartLegend.h"

#include "charts/ChartInk.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>

TChartLegend::TChartLegend(std::vector<TEntry> Entries, const QFont& Font, const QRectF& Bounds, QRectF& Content,
                           qreal Scale)
  : FEntries(std::move(Entries)), FFont(Font), FScale(Scale)
{
  const QFontMetricsF Metrics(FFont);
  qreal ValueWidth = 0;
  for (const TEntry& Entry : FEntries)
    ValueWidth = std::max(ValueWidth, Metrics.horizontalAdvance(Entry.Value));
  const qreal Swatch = Metrics.height() * 0.8;
  // Names give way to values in a narrow chart.
  const qreal LabelLimit =
    std::max(Px(20), std::min(Content.width() * 0.45, Content.width() - Swatch - ValueWidth - Px(30)));
  qreal LabelWidth = 0;
  for (TEntry& Entry : FEntries) {
    Entry.Text = Metrics.elidedText(Entry.Text, Qt::ElideMiddle, LabelLimit);
    LabelWidth = std::max(LabelWidth, Metrics.horizontalAdvance(Entry.Text));
  }
  FEntrySize = QSizeF(std::min(Content.width(), Px(6) + Swatch + Px(6) + LabelWidth + Px(12) + ValueWidth + Px(6)),
                      Metrics.height() + Px(4));
  FColumns = std::max(1, int(Content.width() / FEntrySize.width()));
  // At most a third of the chart; what does not fit is counted on the last line.
  const int RowsFit = std::max(1, int(Bounds.height() / 3 / FEntrySize.height()));
  int Rows = int((FEntries.size() + FColumns - 1) / FColumns);
  if (Rows > RowsFit) {
    Rows = RowsFit;
    const size_t Kept = size_t(Rows) * FColumns - 1;
    const size_t Left = FEntries.size() - Kept;
    FEntries.resize(Kept);
    //: The legend's last entry: how many entries did not fit
    FEntries.push_back({Qt::transparent, tr("%1 more").arg(QLocale().toString(qulonglong(Left))), {}, Qt::NoBrush});
  }
  FColumns = std::min<int>(FColumns, int(FEntries.size()));
  const QSizeF Size(FEntrySize.width() * FColumns, FEntrySize.height() * Rows);
  FBox = QRectF(Bounds.center().x() - Size.width() / 2, Content.bottom() - Size.height(), Size.width(), Size.height());
  Content.setBottom(FBox.top() - Px(8));
}

void TChartLegend::Draw(QPainter& Painter, const TChartInk& Ink) const
{
  Painter.setPen(QPen(Qt::gray, Px(1)));
  Painter.setBrush(Ink.Paper);
  Painter.drawRect(FBox);
  Painter.setFont(FFont);
  const QFontMetricsF Metrics(FFont);
  const qreal Swatch = Metrics.height() * 0.8;
  for (size_t Index = 0; Index < FEntries.size(); ++Index) {
    const TEntry& Entry = FEntries[Index];
    const int Row = int(Index) / FColumns;
    const int Column = int(Index) % FColumns;
    const QRectF Cell(FBox.left() + Column * FEntrySize.width(), FBox.top() + Row * FEntrySize.height(),
                      FEntrySize.width(), FEntrySize.height());
    if (Row > 0 && Column == 0) {  // the dividing lines between rows
      Painter.setPen(QPen(Ink.Rule, Px(1)));
      Painter.drawLine(QPointF(FBox.left(), Cell.top()), QPointF(FBox.right(), Cell.top()));
    }
    QRectF Text = Cell.adjusted(Px(6), 0, -Px(6), 0);
    if (Entry.Pattern != Qt::NoBrush) {
      const QRectF Box(Text.left(), Cell.center().y() - Swatch / 2, Swatch, Swatch);
      Painter.setPen(QPen(Qt::black, Px(0.5)));
      Painter.setBrush(Qt::white);
      Painter.drawRect(Box);
      Painter.setBrush(QBrush(Entry.Color, Entry.Pattern));
      Painter.drawRect(Box);
      Text.setLeft(Box.right() + Px(6));
    }
    Painter.setPen(Ink.Text);
    Painter.drawText(Text, Qt::AlignLeft | Qt::AlignVCenter, Entry.Text);
    Painter.drawText(Text, Qt::AlignRight | Qt::AlignVCenter, Entry.Value);
  }
}
