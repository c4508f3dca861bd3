// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/DrawnIcon.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPixmap>

QIcon TDrawnIcon::Make(const std::function<bool(QPainter& P, const QColor& Ink)>& Draw)
{
  constexpr int Size = 32;
  QPixmap Picture(Size, Size);
  Picture.fill(Qt::transparent);
  QPainter P(&Picture);
  P.setRenderHint(QPainter::Antialiasing);
  const bool Drawn = Draw(P, QGuiApplication::palette().color(QPalette::ButtonText));
  P.end();
  return Drawn ? QIcon(Picture) : QIcon();
}
