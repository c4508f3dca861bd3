// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"
#include "view/LatestJob.h"

#include <QCoreApplication>
#include <QObject>

#include <atomic>
#include <memory>
#include <string>

class TBaseline;
class TMainForm;
struct TRoot;

// Comparing the window's tree with an earlier scan of a root: the choice
// ("Compare With"), the earlier scan read on a worker, and every view told
// when a comparison starts or ends; the status bar says what is compared
// with what and how much the root grew.
class TCompareCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TCompareCommands)

public:
  explicit TCompareCommands(TMainForm& Form);
  // Waits for a file being read.
  ~TCompareCommands() override;

  // Asks what to compare the selected root with, then compares.
  void CompareClick();
  // Compares the root whose top folder is Root with the scan in File (a
  // snapshot or an export); a file that cannot be read is told.
  void Compare(const std::string& File, const TRoot& Root);
  // Ends the comparison.
  void End();
  bool Active() const;
  // An earlier scan is being read to compare with.
  bool Reading() const { return FReading.Busy(); }
  // The status bar's text of the comparison: "since Mon 30 Nov 03:00,
  // 7 days: +4.2 GB"; empty when none.
  QString StatusText() const;

private:
  void Apply(std::shared_ptr<const TBaseline> Baseline);
  // How the root at Root is counted now, as a snapshot would say.
  TFolderSnapshot::THeader NowOf(const TRoot& Root) const;

  TMainForm& FForm;
  TLatestJob FReading;  // joined before the window goes
  // Set when the file being read is no longer wanted: another was asked
  // for, the comparison ended, or the window goes.
  std::shared_ptr<std::atomic<bool>> FStop = std::make_shared<std::atomic<bool>>(false);
};
