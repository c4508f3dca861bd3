// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QWidget>

#include <vector>

class QFont;
class QPaintDevice;
class QPainter;

// The key to a treemap's colours: a swatch and a name for each class of
// file and for the small items drawn in the folders' colour (or for each
// change, while comparing), in as many columns as fit. A widget, and drawn
// the same into any rectangle of any device (a printed page).
class TTreemapLegend : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TTreemapLegend)

public:
  struct TKey {
    QString Name;
    QRgb Color;
  };
  explicit TTreemapLegend(QWidget* Parent = nullptr);

  // The file classes' keys, shown until others are set.
  static std::vector<TKey> ClassKeys();
  void SetKeys(std::vector<TKey> Keys);

  // With the painter's font, the names in its pen; rows that do not fit in
  // Bounds are left out.
  void Draw(QPainter& Painter, const QRectF& Bounds) const;
  // How tall the legend is in Width, on Device.
  qreal Height(const QFont& Font, const QPaintDevice* Device, qreal Width) const;

  QSize sizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int Width) const override;

protected:
  void paintEvent(QPaintEvent* Event) override;

private:
  // What a screen reader is told of the key: its names.
  void Tell();

  std::vector<TKey> FKeys;
};
