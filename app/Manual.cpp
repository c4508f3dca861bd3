#include "Manual.h"

#include "Prompt.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

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
  const bool Opened = Opener() ? Opener()(Address) : QDesktopServices::openUrl(Address);
  if (!Opened)
    TPrompt::Warn(nullptr, "Spacelens", "The manual could not be opened: " + Address.toString());
  return Opened;
}
