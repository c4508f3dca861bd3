// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class TValueDisplay;

// The progress of the running scans in the status bar: folders and files
// counted, their size, the time taken, and a bar of the bytes counted against
// the space used on the drive when whole drives are scanned (a busy bar
// otherwise). When the scans end it says what they counted, for a while.
class TScanProgress : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TScanProgress)

public:
  explicit TScanProgress(TValueDisplay& Display, QWidget* Parent = nullptr);

  // A scan starts; the clock starts with the first of several.
  void Started();
  // Shows the progress, at most four times a second.
  void Show(const TScanDriver::TProgress& Progress);
  // A scan ended having counted Counted.
  void Ended(const TScanCounts& Counted, bool Stopped);
  // Every scan has ended: what they counted, shown for a few seconds.
  void AllEnded();

  QString Text() const;

private:
  TValueDisplay& FDisplay;
  QLabel* FText;
  QProgressBar* FBar;
  QElapsedTimer FClock;
  QElapsedTimer FShown;
  QTimer FHide;
  TScanCounts FEnded;
  bool FStopped = false;
};
