// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/AccessibleItem.h"

#include <QCoreApplication>

class TFolderNode;
class TFolderTreeView;

// A row of the folder tree as a screen reader hears it: its label as
// shown, its level and sub-folders in its description, open or closed in
// its state, and opening and closing as its actions.
class TFolderRowAccessible : public TAccessibleItem,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface {
  Q_DECLARE_TR_FUNCTIONS(TFolderRowAccessible)

public:
  TFolderRowAccessible(TFolderTreeView* View, int Row);

  // The folder of the row; none past the rows shown.
  TFolderNode* Node() const;

  bool isValid() const override { return Node() != nullptr; }
  QString text(QAccessible::Text Kind) const override;
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::TreeItem; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType Type) override;

  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return 0; }
  int rowIndex() const override { return FRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

  QStringList actionNames() const override;
  void doAction(const QString& Name) override;
  QStringList keyBindingsForAction(const QString& Name) const override;

private:
  TFolderTreeView* View() const;

  int FRow;
};
