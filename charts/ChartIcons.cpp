// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartIcons.h"

#include "view/DrawnIcon.h"

#include <QPainterPath>

QIcon TChartIcons::Icon(TKind Kind)
{
  return TDrawnIcon::Make([Kind](QPainter& P, const QColor& Ink) {
    P.setPen(QPen(Ink, 2));
    switch (Kind) {
      case ciPie:
        P.setBrush(QColor(0x88, 0xCC, 0xEE));
        P.drawEllipse(QRectF(3, 3, 26, 26));
        P.setBrush(QColor(0xCC, 0x66, 0x77));
        P.drawPie(QRectF(3, 3, 26, 26), 90 * 16, -110 * 16);
        break;
      case ciBar:
        P.setBrush(QColor(0x44, 0xAA, 0x99));
        P.drawRect(QRectF(4, 5, 22, 6));
        P.drawRect(QRectF(4, 13, 14, 6));
        P.drawRect(QRectF(4, 21, 18, 6));
        break;
      case ci3D: {
        P.setBrush(QColor(0xDD, 0xCC, 0x77));
        P.drawRect(QRectF(4, 11, 17, 17));
        P.drawPolygon(QPolygonF{{4, 11}, {11, 4}, {28, 4}, {21, 11}});
        P.setBrush(QColor(0x99, 0x99, 0x33));
        P.drawPolygon(QPolygonF{{21, 11}, {28, 4}, {28, 21}, {21, 28}});
        break;
      }
      case ciLegend:
        P.setBrush(Qt::NoBrush);
        P.drawRect(QRectF(3, 5, 26, 22));
        for (int Row = 0; Row < 3; ++Row) {
          P.fillRect(QRectF(7, 9 + Row * 6, 4, 4), QColor(0xCC, 0x66, 0x77));
          P.drawLine(QPointF(14, 11 + Row * 6), QPointF(25, 11 + Row * 6));
        }
        break;
      case ciVertGrid:
      case ciHorzGrid:
        P.drawLine(QPointF(4, 3), QPointF(4, 28));
        P.drawLine(QPointF(4, 28), QPointF(29, 28));
        P.setPen(QPen(Ink, 1.5, Qt::DotLine));
        for (int Line = 1; Line <= 3; ++Line) {
          const qreal At = 4 + Line * 6;
          if (Kind == ciVertGrid)
            P.drawLine(QPointF(At, 3), QPointF(At, 27));
          else
            P.drawLine(QPointF(5, 28 - Line * 6), QPointF(29, 28 - Line * 6));
        }
        break;
      case ciPattern:
        P.setBrush(QBrush(Ink, Qt::DiagCrossPattern));
        P.drawRect(QRectF(4, 4, 24, 24));
        break;
    }
    return true;
  });
}
