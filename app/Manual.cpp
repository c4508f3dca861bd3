// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Manual.h"

#include "shell/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>

static TManual::TOpener& Opener()
{
  static TManual::TOpener Installed;
  return Installed;
}

void TManual::SetOpener(TOpener Function)
{
  Opener() = std::move(Function);
}

QStringList TManual::Places(const QString& ProgramDir)
{
  // The manual in the user's languages first, as far as it is translated.
  QStringList Suffixes;
  for (const QString& Tag : QLocale().uiLanguages()) {
    const QLocale Language(Tag);
    if (Language.language() != QLocale::English && Language.language() != QLocale::C)
      Suffixes << "." + QLocale::languageToCode(Language.language());
  }
  Suffixes.removeDuplicates();
  Suffixes << QString();
  QStringList Found;
  for (const QString& Suffix : Suffixes)
    Found << QDir::cleanPath(ProgramDir + "/spacelens-manual" + Suffix + ".html")
          << QDir::cleanPath(ProgramDir + "/../share/doc/spacelens/manual" + Suffix + ".html");
  return Found;
}

QString TManual::Find(const QString& ProgramDir)
{
  for (const QString& Place : Places(ProgramDir))
    if (QFileInfo(Place).isFile())
      return Place;
  return {};
}

// The program's folder, also before the application object exists (--help).
static QString ProgramDir()
{
  if (QCoreApplication::instance())
    return QCoreApplication::applicationDirPath();
  return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
}

QString TManual::Path()
{
  return Find(ProgramDir());
}

bool TManual::Open(const QString& Topic)
{
  const QString Manual = Path();
  if (Manual.isEmpty()) {
    TPrompt::Warn(nullptr, "Spacelens",
                  tr("The manual is not installed. It was looked for as:\n%1").arg(Places(ProgramDir()).join("\n")));
    return false;
  }
  QUrl Address = QUrl::fromLocalFile(Manual);
  if (!Topic.isEmpty())
    Address.setFragment(Topic);
  if (Opener())
    return Opener()(Address);
  // The desktop's opener says only when it is done whether anything could
  // show the page; a failure then is told with the manual's place.
  auto* Viewer = new QProcess(QCoreApplication::instance());
  const auto Failed = [Viewer, Manual] {
    TPrompt::Warn(nullptr, "Spacelens",
                  tr("No program could show the manual. It is the file %1; open it with a web browser.").arg(Manual));
    Viewer->deleteLater();
  };
  QObject::connect(Viewer, &QProcess::finished, Viewer, [Viewer, Failed](int Code, QProcess::ExitStatus Status) {
    if (Status != QProcess::NormalExit || Code != 0)
      Failed();
    else
      Viewer->deleteLater();
  });
  QObject::connect(Viewer, &QProcess::errorOccurred, Viewer, [Failed](QProcess::ProcessError Error) {
    if (Error == QProcess::FailedToStart)
      Failed();
  });
  Viewer->start("xdg-open", {Address.toString(QUrl::FullyEncoded)});
  return true;
}
