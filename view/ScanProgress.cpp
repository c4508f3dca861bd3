// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ScanProgress.h"

#include "view/ValueDisplay.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>

namespace {

QString Duration(qint64 Milliseconds)
{
  const qint64 Seconds = Milliseconds / 1000;
  //: A time in seconds
  return Seconds < 60
    ? QCoreApplication::translate("TScanProgress", "%1 s").arg(QLocale().toString(Milliseconds / 1000.0, 'f', 1))
    : QString("%1:%2").arg(Seconds / 60).arg(Seconds % 60, 2, 10, QChar('0'));
}

QString Counts(const TScanCounts& Counted)
{
  const QString Folders = QLocale().toString(qulonglong(Counted.FFolders));
  const QString Files = QLocale().toString(qulonglong(Counted.FFiles));
  if (Counted.FExcluded > 0)
    return QCoreApplication::translate("TScanProgress", "%1 folders, %2 files (%3 left out by the exclude rules)")
      .arg(Folders, Files, QLocale().toString(qulonglong(Counted.FExcluded)));
  return QCoreApplication::translate("TScanProgress", "%1 folders, %2 files").arg(Folders, Files);
}

}  // namespace

TScanProgress::TScanProgress(TValueDisplay& Display, QWidget* Parent) : QWidget(Parent), FDisplay(Display)
{
  setObjectName("ScanProgress");
  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  FText = new QLabel;
  FBar = new QProgressBar;
  FBar->setMaximumWidth(120);
  FBar->setMaximumHeight(14);
  FBar->setTextVisible(false);
  Layout->addWidget(FText);
  Layout->addWidget(FBar);
  FHide.setSingleShot(true);
  FHide.setInterval(5000);
  connect(&FHide, &QTimer::timeout, this, &QWidget::hide);
  hide();
}

QString TScanProgress::Text() const
{
  return isVisible() ? FText->text() : QString();
}

void TScanProgress::Started()
{
  if (!FClock.isValid() || FHide.isActive() || isHidden()) {
    FClock.start();
    FEnded = {};
    FStopped = false;
  }
  FHide.stop();
  FShown.invalidate();
}

void TScanProgress::Show(const TScanDriver::TProgress& Progress)
{
  if (FShown.isValid() && FShown.elapsed() < 250)
    return;
  FShown.start();
  FText->setText(QString("%1, %2, %3")
                   .arg(Counts(Progress.FCounted), FDisplay.BytesText(Progress.FSize), Duration(FClock.elapsed())));
  // The bytes counted against those the drive says are used. Once that
  // estimate runs out (hard links, space the file system keeps for itself)
  // the bar is busy, never full before the scan is done.
  const uint64_t Percent = Progress.FUsedBytes > 0 ? Progress.FBytes / (Progress.FUsedBytes / 100 + 1) : 100;
  if (Percent < 98) {
    FBar->setRange(0, 100);
    FBar->setValue(int(Percent));
  } else {
    FBar->setRange(0, 0);
  }
  FBar->show();
  show();
}

void TScanProgress::Ended(const TScanCounts& Counted, bool Stopped)
{
  FEnded.FFolders += Counted.FFolders;
  FEnded.FFiles += Counted.FFiles;
  FEnded.FExcluded += Counted.FExcluded;
  FStopped = FStopped || Stopped;
}

void TScanProgress::AllEnded()
{
  if (!FClock.isValid())
    return;
  const QString Time = Duration(FClock.elapsed());
  FText->setText(FStopped ? tr("Stopped: %1 counted in %2").arg(Counts(FEnded), Time)
                          : tr("Scanned %1 in %2").arg(Counts(FEnded), Time));
  FBar->hide();
  show();
  FHide.start();
  FClock.invalidate();
}
