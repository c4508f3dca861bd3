// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

// A part of a widget that a screen reader hears as an item of its own (a
// row, a slice, a tile): it has no object and no children, and the
// widget's interface is its parent. Read-only, and invalid once the widget
// no longer shows it.
class TAccessibleItem : public QAccessibleInterface {
public:
  explicit TAccessibleItem(QWidget* Widget) : FWidget(Widget) {}

  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FWidget ? FWidget->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override
  {
    return FWidget ? QAccessible::queryAccessibleInterface(FWidget) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::State state() const override
  {
    QAccessible::State State;
    State.readOnly = true;
    State.invalid = !isValid();
    return State;
  }

protected:
  // The widget's rectangle Box in the screen's coordinates.
  QRect OnScreen(const QWidget* Of, const QRect& Box) const
  {
    return QRect(Of->mapToGlobal(Box.topLeft()), Box.size());
  }

  QPointer<QWidget> FWidget;
};
