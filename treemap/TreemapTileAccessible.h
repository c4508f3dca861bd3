// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class TTreemapPane;

// A tile of the folder the treemap shows, as a screen reader hears it: its
// name and its value. It is the Item-th of the tiles shown, whatever they
// are now.
class TTreemapTileAccessible : public QAccessibleInterface {
public:
  TTreemapTileAccessible(TTreemapPane* Pane, int Item);

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
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override;

private:
  // The tile of the layout; -1 when there are fewer tiles now.
  int Tile() const;

  QPointer<TTreemapPane> FPane;
  int FItem;
};
