// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/NetworkDrive.h"

#include "shell/Prompt.h"

#include <QEventLoop>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>

bool TNetworkDrive::Connect(QWidget* Window)
{
  const QString Title = tr("Connect Network Drive");
  QString Location = "smb://";
  if (!TPrompt::Input(Window, Title, tr("Address of the share (smb://server/share, sftp://user@host/folder, ...):"),
                      Location))
    return false;
  Location = Location.trimmed();
  if (Location.isEmpty() || Location == "smb://")
    return false;
  const QString Gio = QStandardPaths::findExecutable("gio");
  if (Gio.isEmpty()) {
    TPrompt::Warn(Window, Title,
                  tr("Connecting a network drive needs the program gio (Debian package libglib2.0-bin), "
                     "which is not installed."));
    return false;
  }
  // The window stays alive while gio works; the user may give up waiting.
  QProcess Mount;
  QProgressDialog Progress(tr("Connecting to %1...").arg(Location), tr("Cancel"), 0, 0, Window);
  Progress.setWindowTitle(Title);
  Progress.setMinimumDuration(500);
  QEventLoop Loop;
  QObject::connect(&Mount, &QProcess::finished, &Loop, &QEventLoop::quit);
  QObject::connect(&Mount, &QProcess::errorOccurred, &Loop, &QEventLoop::quit);
  QObject::connect(&Progress, &QProgressDialog::canceled, &Loop, &QEventLoop::quit);
  Mount.start(Gio, {"mount", Location});
  Mount.closeWriteChannel();
  if (Mount.state() != QProcess::NotRunning)
    Loop.exec();
  if (Progress.wasCanceled()) {
    Mount.kill();
    Mount.waitForFinished();
    return false;
  }
  Progress.reset();
  if (Mount.exitStatus() != QProcess::NormalExit || Mount.exitCode() != 0) {
    const QString Said = QString::fromLocal8Bit(Mount.readAllStandardError()).trimmed();
    TPrompt::Warn(Window, Title,
                  tr("Cannot connect to %1: %2").arg(Location, Said.isEmpty() ? Mount.errorString() : Said));
    return false;
  }
  return true;
}
