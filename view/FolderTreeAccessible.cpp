// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderTreeAccessible.h"

#include "scan/FolderNode.h"
#include "view/FolderModel.h"
#include "view/FolderRowAccessible.h"
#include "view/FolderTreeView.h"

TFolderTreeAccessible::TFolderTreeAccessible(TFolderTreeView* View) : QAccessibleWidget(View, QAccessible::Tree) {}

TFolderTreeView* TFolderTreeAccessible::View() const
{
  return static_cast<TFolderTreeView*>(widget());
}

int TFolderTreeAccessible::rowCount() const
{
  return int(std::min<size_t>(View()->RowCount(), INT_MAX));
}

int TFolderTreeAccessible::childCount() const
{
  return rowCount();
}

QAccessibleInterface* TFolderTreeAccessible::cellAt(int Row, int Column) const
{
  if (Column != 0 || Row < 0 || Row >= rowCount())
    return nullptr;
  return FRows.At(Row, [this, Row] { return new TFolderRowAccessible(View(), Row); });
}

QAccessibleInterface* TFolderTreeAccessible::child(int Index) const
{
  return cellAt(Index, 0);
}

int TFolderTreeAccessible::indexOfChild(const QAccessibleInterface* Child) const
{
  return FRows.IndexOf(Child);
}

QAccessibleInterface* TFolderTreeAccessible::childAt(int X, int Y) const
{
  const QPoint Point = View()->viewport()->mapFromGlobal(QPoint(X, Y));
  const int64_t Row = View()->RowOf(TFolderModel::NodeOf(View()->indexAt(Point)));
  return Row >= 0 ? cellAt(int(Row), 0) : nullptr;
}

void* TFolderTreeAccessible::interface_cast(QAccessible::InterfaceType Type)
{
  if (Type == QAccessible::TableInterface)
    return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(Type);
}

QList<int> TFolderTreeAccessible::selectedRows() const
{
  QList<int> Rows;
  if (const QModelIndex Current = View()->currentIndex(); Current.isValid())
    if (const int64_t Row = View()->RowOf(TFolderModel::NodeOf(Current)); Row >= 0 && isRowSelected(int(Row)))
      Rows << int(Row);
  return Rows;
}

int TFolderTreeAccessible::selectedCellCount() const
{
  return int(selectedRows().size());
}

QList<QAccessibleInterface*> TFolderTreeAccessible::selectedCells() const
{
  QList<QAccessibleInterface*> Cells;
  for (const int Row : selectedRows())
    Cells << cellAt(Row, 0);
  return Cells;
}

bool TFolderTreeAccessible::isRowSelected(int Row) const
{
  const TFolderNode* Node = Row >= 0 ? View()->NodeAt(size_t(Row)) : nullptr;
  const auto* Model = static_cast<const TFolderModel*>(View()->model());
  return Node && View()->selectionModel() && View()->selectionModel()->isSelected(Model->IndexOf(Node));
}

bool TFolderTreeAccessible::selectRow(int Row)
{
  const TFolderNode* Node = Row >= 0 ? View()->NodeAt(size_t(Row)) : nullptr;
  if (!Node)
    return false;
  View()->setCurrentIndex(static_cast<const TFolderModel*>(View()->model())->IndexOf(Node));
  return true;
}

bool TFolderTreeAccessible::unselectRow(int)
{
  // One folder is always the current one.
  return false;
}

void TFolderTreeAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
  FRows.Forget();
}
