// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

class QWidget;

// Connects a network share (smb://, sftp://, ...) the user names, as a drive
// mounted by the desktop's gio; failures are told in Window's dialogs.
class TNetworkDrive {
  Q_DECLARE_TR_FUNCTIONS(TNetworkDrive)

public:
  // False when cancelled or when the share cannot be connected.
  static bool Connect(QWidget* Window);
};
