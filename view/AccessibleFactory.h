// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

// Has screen readers hear widgets of type TWidget through TInterface, made
// for each such widget; installed once, however many widgets call it. The
// widgets have no meta-object of their own, so they are told by their type.
template <class TWidget, class TInterface>
void InstallAccessible()
{
  static const bool Installed = [] {
    QAccessible::installFactory([](const QString&, QObject* Object) -> QAccessibleInterface* {
      auto* Widget = dynamic_cast<TWidget*>(Object);
      return Widget ? new TInterface(Widget) : nullptr;
    });
    return true;
  }();
  Q_UNUSED(Installed);
}
