// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportCanvas.h"

#include <QFontMetricsF>

#include <cmath>

void TReportCanvas::SetFont(const QString& Name, int Height, bool Bold)
{
  FFont = QFont(Name);
  FFont.setPixelSize(std::max(1, Height));
  FFont.setBold(Bold);
  // Widths as the font's design gives them, not fitted to a screen's pixels.
  FFont.setHintingPreference(QFont::PreferNoHinting);
}

void TReportCanvas::SetFontName(const QString& Name)
{
  FFont.setFamily(Name);
}

void TReportCanvas::SetBold(bool Bold)
{
  FFont.setBold(Bold);
}

void TReportCanvas::SetStretch(int Percent)
{
  FFont.setStretch(Percent);
}

int TReportCanvas::TextWidth(const QString& Text) const
{
  return int(std::lround(QFontMetricsF(FFont).horizontalAdvance(Text)));
}
