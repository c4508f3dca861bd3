// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QIcon;
class QPainter;
class QRect;

// What a report draws on, in tenths of a millimetre from the top left of the
// printable area, y growing downwards: texts at a point in the current font
// and alignment, lines, icons, the chart, and new pages. Fonts are asked for
// by name, cell height (in tenths of a millimetre) and weight; widths are
// measured the same way whatever draws, so reports lay out alike on paper,
// in a PDF and in a test's record.
class TReportCanvas {
public:
  enum TAlign { taLeft, taCenter, taRight };

  virtual ~TReportCanvas() = default;

  // The printable area's size in tenths of a millimetre.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // Text drawn with its top at Y; X is its left edge, middle or right edge
  // by the alignment.
  virtual void Text(int X, int Y, const QString& Text) = 0;
  virtual void Line(int X1, int Y1, int X2, int Y2) = 0;
  virtual void Icon(int X, int Y, int Size, const QIcon& Icon) = 0;
  // A picture (a chart, a treemap) drawn into the device's own pixels.
  using TPictureDraw = std::function<void(QPainter& Painter, const QRect& Bounds)>;
  virtual void Picture(int Left, int Top, int Right, int Bottom, const TPictureDraw& Draw) = 0;
  // False when the device cannot start one.
  virtual bool NewPage() = 0;

  void SetFont(const QString& Name, int Height, bool Bold);
  void SetFontName(const QString& Name);
  void SetBold(bool Bold);
  // Width of the letters in percent of the font's own.
  void SetStretch(int Percent);
  const QFont& Font() const { return FFont; }
  void SetAlign(TAlign Align) { FAlign = Align; }
  TAlign Align() const { return FAlign; }
  // Width of Text in the current font, in tenths of a millimetre.
  int TextWidth(const QString& Text) const;

private:
  QFont FFont;
  TAlign FAlign = taLeft;
};
