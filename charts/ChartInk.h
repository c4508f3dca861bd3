// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The colours of a chart's own parts (background, axes, labels, legend):
// dark on light as printed, light on dark under a dark desktop theme. The
// series keep their colours.
struct TChartInk {
  QColor Text;    // labels and the message
  QColor Axis;    // the axes' lines
  QColor Paper;   // the back wall of the bars, the legend's box
  QColor Rule;    // the legend's lines between rows
  QColor Bottom;  // the background's gradient, from the bottom
  QColor Top;
  QColor Title;  // the title box's light

  static TChartInk Of(bool Dark)
  {
    if (Dark)
      return {QColor(232, 232, 232), QColor(200, 200, 200), QColor(52, 52, 58),      QColor(82, 82, 90),
              QColor(38, 38, 42),    QColor(40, 40, 104),   QColor(96, 96, 112, 128)};
    return {Qt::black,
            Qt::black,
            Qt::white,
            QColor(220, 220, 220),
            QColor(230, 230, 230),
            QColor(128, 128, 255),
            QColor(255, 255, 255, 128)};
  }
};
