// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessScan.h"
#include "MainForm.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
  // Arguments stay bytes: a folder name need not be valid UTF-8.
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  if (THeadlessScan::WantsHeadless(Arguments))
    return THeadlessScan().Run(Arguments);
  // Without a display the toolkit would abort.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
      && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("spacelens: no display; use --nogui for a scan without a window\n", stderr);
    return 1;
  }

  QApplication Application(argc, argv);
  QApplication::setApplicationName("Spacelens");
  QApplication::setOrganizationName("Zelkon");
  // The desktop entry and icon installed with the program name its windows.
  QApplication::setDesktopFileName(SPACELENS_APP_ID);
  QApplication::setWindowIcon(QIcon::fromTheme(SPACELENS_APP_ID));
  TMainForm Window(Arguments);
  Window.show();
  return QApplication::exec();
}
