// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <string>

class QWidget;

// Opens files and folders with the desktop's own programs, detached from
// this one; failures are told in dialogs over Window.
class TShellLauncher {
  Q_DECLARE_TR_FUNCTIONS(TShellLauncher)

public:
  // Whether the desktop's opener is installed; when not, the user hears so.
  static bool Ready(QWidget* Window);
  // Opens a folder in the file manager, or a file with the program set for
  // its kind (when none is, the user may pick one that can).
  static bool Open(const std::string& Path, bool Folder, QWidget* Window);
};
