// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"

#include <QCoreApplication>
#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QTreeWidget;
class TValueDisplay;

// "Compare With": the earlier scans of a root that are remembered, the
// newest first, with when they were made and what they counted; the one
// before the scan shown is chosen at first. A file can be chosen instead
// (a snapshot, or an export of ncdu, gdu or Spacelens), and "None" ends a
// comparison.
class TCompareDlg : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TCompareDlg)

public:
  // Entries are the snapshots of Now's root, the newest first, those
  // counted otherwise than Now noted; Since is when the scan shown was
  // remembered (0: it was not), which leaves it and later ones out.
  TCompareDlg(QWidget* Parent, const TFolderSnapshot::THeader& Now, std::vector<THistoryStore::TEntry> Entries,
              int64_t Since, bool Comparing, const TValueDisplay& Display);

  // What was chosen: a file to compare with, or none to end the comparison.
  std::string FFile;
  bool FNone = false;

  // "Scanned" times as the list writes them: "Mon 30 Nov 2026 03:00".
  static QString When(int64_t Time);
  // How long ago, as "7 days", "5 hours", "12 minutes".
  static QString Age(int64_t Seconds);

private:
  void OtherFile();

  std::vector<THistoryStore::TEntry> FEntries;
  QTreeWidget* FList;
  QPushButton* FCompare;
};
