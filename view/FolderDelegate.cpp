// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderDelegate.h"

#include "view/FolderModel.h"

#include <QPainter>

void TFolderDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
  const int State = Index.data(TFolderModel::StateImageRole).toInt();
  if (State == 0) {
    QStyledItemDelegate::paint(Painter, Option, Index);
    return;
  }
  QStyleOptionViewItem Rest = Option;
  Rest.rect.setLeft(Option.rect.left() + StateWidth);
  QStyledItemDelegate::paint(Painter, Rest, Index);
  if (State >= 2) {
    const QRect Image(Option.rect.left(), Option.rect.center().y() - 8, StateWidth, 16);
    Painter->fillRect(Image.left() + 1, Image.top() + 5, 2 * (State - 1), 6, QColor(0, 0, 255));
  }
}

QSize TFolderDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
  QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
  if (Index.data(TFolderModel::StateImageRole).toInt() > 0)
    Size.rwidth() += StateWidth;
  return Size;
}
