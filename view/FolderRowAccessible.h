// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class TFolderNode;
class TFolderTreeView;

// A row of the folder tree as a screen reader hears it: its label as
// shown, its level and sub-folders in its description, open or closed in
// its state, and opening and closing as its actions.
class TFolderRowAccessible : public QAccessibleInterface,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface {
public:
  TFolderRowAccessible(TFolderTreeView* View, int Row);

  // The folder of the row; none once the rows shown changed under it.
  TFolderNode* Node() const;

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text Kind) const override;
  void setText(QAccessible::Text, const QString&) override {}
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

  // The folder's depth below its root: 1 for a root.
  static int Level(const TFolderNode* Node);

private:
  QPointer<TFolderTreeView> FView;
  int FRow;
};
