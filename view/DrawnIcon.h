// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPainter>

#include <functional>

// An icon the program draws itself: on a 32-pixel square, scaled down by
// the buttons, antialiased, in the ink of the buttons' text.
class TDrawnIcon {
public:
  // Draw paints it; false gives a null icon instead.
  static QIcon Make(const std::function<bool(QPainter& P, const QColor& Ink)>& Draw);
};
