#include "Manual.h"

#include "Prompt.h"

#include <QCoreApplication>
#include <QFileInfo>
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

QString TManual::Path()
{
  return QCoreApplication::applicationDirPath() + "/spacelens-manual.html";
}

bool TManual::Open(const QString& Topic)
{
  if (!QFileInfo::exists(Path())) {
    TPrompt::Warn(nullptr, "Spacelens", "The manual is not installed: " + Path() + " is missing.");
    return false;
  }
  QUrl Address = QUrl::fromLocalFile(Path());
  if (!Topic.isEmpty())
    Address.setFragment(Topic);
  if (Opener())
    return Opener()(Address);
  // The desktop's opener says only when it is done whether anything could
  // show the page; a failure then is told with the manual's place.
  auto* Viewer = new QProcess(QCoreApplication::instance());
  const auto Failed = [Viewer] {
    TPrompt::Warn(nullptr, "Spacelens",
                  "No program could show the manual. It is the file " + Path()
                    + "; open it with a web browser.");
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
