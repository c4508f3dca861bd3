// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolIcons.h"

#include "shell/ZelSystemImageList.h"
#include "view/DrawnIcon.h"

#include <QPainterPath>

QIcon TToolIcons::Icon(const QString& Name)
{
  const QIcon Themed = TZelSystemImageList::ThemeIcon(Name);
  return Themed.isNull() ? Drawn(Name) : Themed;
}

QIcon TToolIcons::Drawn(const QString& Name)
{
  return TDrawnIcon::Make([&Name](QPainter& P, const QColor& Ink) {
    P.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (Name == "system-search") {
      P.drawEllipse(QRectF(5, 5, 15, 15));
      P.setPen(QPen(Ink, 4, Qt::SolidLine, Qt::RoundCap));
      P.drawLine(QPointF(18, 18), QPointF(27, 27));
    } else if (Name == "process-stop") {
      P.setBrush(QColor(0xCC, 0x44, 0x44));
      P.drawRoundedRect(QRectF(6, 6, 20, 20), 3, 3);
    } else if (Name == "list-remove") {
      P.drawLine(QPointF(7, 16), QPointF(25, 16));
    } else if (Name == "view-refresh") {
      P.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
      P.setBrush(Ink);
      P.drawPolygon(QPolygonF{{21, 3}, {26, 10}, {18, 11}});
    } else if (Name == "go-up") {
      P.drawLine(QPointF(16, 27), QPointF(16, 6));
      P.drawPolyline(QPolygonF{{8, 14}, {16, 6}, {24, 14}});
    } else if (Name == "folder-open") {
      P.setBrush(QColor(0xDD, 0xBB, 0x55));
      P.drawPolygon(QPolygonF{{3, 8}, {12, 8}, {14, 11}, {26, 11}, {26, 26}, {3, 26}});
    } else if (Name == "document-print") {
      P.drawRect(QRectF(9, 4, 14, 8));
      P.setBrush(QColor(0xBB, 0xBB, 0xBB));
      P.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
      P.setBrush(Qt::white);
      P.drawRect(QRectF(9, 19, 14, 9));
    } else if (Name == "document-open-recent") {
      // A clock: an earlier scan.
      P.drawEllipse(QRectF(5, 5, 22, 22));
      P.drawPolyline(QPolygonF{{16, 9}, {16, 16}, {21, 19}});
    } else if (Name == "network-server") {
      P.setBrush(QColor(0x99, 0xAA, 0xBB));
      P.drawRect(QRectF(7, 4, 18, 18));
      P.drawLine(QPointF(16, 22), QPointF(16, 27));
      P.drawLine(QPointF(6, 27), QPointF(26, 27));
    } else {
      return false;
    }
    return true;
  });
}
