// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeadlessScan.h"
#include "app/MainForm.h"
#include "app/Translations.h"
#include "remote/RemoteStream.h"

#include <QApplication>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>

#include <cstdlib>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// SSH, reading a folder of another machine for the window, asks its
// questions (a password, whether to trust a new host's key) through the
// program: the answer goes to standard output, and a refusal ends with 1.
int AskForSsh(int argc, char** argv)
{
  QApplication Application(argc, argv);
  const TTranslations Translations{QLocale()};
  const QString Prompt = QString::fromLocal8Bit(argv[1]);
  // Titled as the command that asks.
  const QString Title = QCoreApplication::translate("TRootCommands", "Scan Remote");
  if (qEnvironmentVariable("SSH_ASKPASS_PROMPT") == "confirm")
    return QMessageBox::question(nullptr, Title, Prompt) == QMessageBox::Yes ? 0 : 1;
  const bool Question = Prompt.contains("(yes/no");
  bool Given = false;
  const QString Answer =
    QInputDialog::getText(nullptr, Title, Prompt, Question ? QLineEdit::Normal : QLineEdit::Password, {}, &Given);
  if (!Given)
    return 1;
  std::printf("%s\n", Answer.toLocal8Bit().constData());
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc == 2 && std::getenv(TRemoteStream::AskpassMark))
    return AskForSsh(argc, argv);
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
  const TTranslations Translations{QLocale()};
  QApplication::setApplicationName("Spacelens");
  QApplication::setOrganizationName("Zelkon");
  // The desktop entry and icon installed with the program name its windows.
  QApplication::setDesktopFileName(SPACELENS_APP_ID);
  QApplication::setWindowIcon(QIcon::fromTheme(SPACELENS_APP_ID));
  TMainForm Window(Arguments);
  Window.show();
  return QApplication::exec();
}
