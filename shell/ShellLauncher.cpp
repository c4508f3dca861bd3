// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShellLauncher.h"

#include "shell/OpenWith.h"
#include "shell/Prompt.h"

#include <QStandardPaths>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts the desktop's opener for Path, detached, with the path's own bytes.
bool Launch(const std::string& Path)
{
  const QByteArray Opener = QStandardPaths::findExecutable("xdg-open").toLocal8Bit();
  if (Opener.isEmpty())
    return false;
  const pid_t Child = fork();
  if (Child < 0)
    return false;
  if (Child == 0) {
    // The grandchild is adopted by init, so no zombie is left behind.
    setsid();
    if (fork() == 0) {
      execl(Opener.constData(), Opener.constData(), Path.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(0);
  }
  int Status = 0;
  waitpid(Child, &Status, 0);
  return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
}

}  // namespace

bool TShellLauncher::Ready(QWidget* Window)
{
  if (!QStandardPaths::findExecutable("xdg-open").isEmpty())
    return true;
  //: Title of a message box: the verb
  TPrompt::Warn(Window, tr("Open"),
                tr("Opening files and folders needs the program xdg-open (Debian package xdg-utils), "
                   "which is not installed."));
  return false;
}

bool TShellLauncher::Open(const std::string& Path, bool Folder, QWidget* Window)
{
  return Folder ? Launch(Path) : TOpenWith::Open(Path, Launch, Window);
}
