// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/AccessibleChildren.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

class TFolderTreeView;

// What a screen reader is told of the folder tree: a tree whose items are
// the rows shown, top to bottom, each named as its label reads, with its
// level, whether it is open, and its sub-folders; rows are selected, opened
// and closed through it. Answered from the view's own row counts, as the
// view lays out only the rows in view.
class TFolderTreeAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  Q_DECLARE_TR_FUNCTIONS(TFolderTreeAccessible)

public:
  explicit TFolderTreeAccessible(TFolderTreeView* View);

  TFolderTreeView* View() const;

  QAccessible::Role role() const override { return QAccessible::Tree; }
  int childCount() const override;
  QAccessibleInterface* child(int Index) const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;
  QAccessibleInterface* childAt(int X, int Y) const override;
  void* interface_cast(QAccessible::InterfaceType Type) override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int Row, int Column) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int) const override { return tr("Folder"); }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return selectedCellCount(); }
  int columnCount() const override { return 1; }
  int rowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int Row) const override;
  bool selectRow(int Row) override;
  bool selectColumn(int) override { return false; }
  bool unselectRow(int Row) override;
  bool unselectColumn(int) override { return false; }
  // The rows shown changed: the rows told before are let go.
  void modelChange(QAccessibleTableModelChangeEvent* Event) override;

private:
  // The rows told, for as long as the rows shown stay as they are.
  mutable TAccessibleChildren FRows;
};
