// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/ShellVerb.h"

#include <QCoreApplication>

#include <optional>

class QMenu;
class QPoint;
class QWidget;

// The context menu of files and folders: the shell's verbs, then a copy of
// the program's own items.
class TShellMenu {
  Q_DECLARE_TR_FUNCTIONS(TShellMenu)

public:
  struct TOffer {
    bool Rename = false;  // the item is there at all
    bool CanRename = false;
    bool CanDelete = false;
  };
  // Shows the menu at Point over Window and waits for the choice: the verb
  // chosen, or nothing when the menu was closed or one of Extra's items
  // (which has run its own handler) was.
  static std::optional<TShellVerb> Choose(const QPoint& Point, QWidget* Window, QMenu* Extra, const TOffer& Offer);
};
