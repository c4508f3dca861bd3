// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QStatusBar;
class TFolderData;
class TValueDisplay;
struct TRoot;

// The panels of the status bar: free space of the drive, objects, the sum
// of the rows selected in the list, the hint or the cluster size, and at the
// right, while comparing, what is compared with what.
class TStatusPanels {
  Q_DECLARE_TR_FUNCTIONS(TStatusPanels)

public:
  enum TPanel { spFreeSpace, spObjects, spSelection, spHint, spChange, spCount };

  explicit TStatusPanels(QStatusBar* Bar);

  QString Text(int Panel) const;
  // A panel with no text (the change's) is hidden.
  void SetText(int Panel, const QString& Text);

  // The figures of Folder and its root, sizes in Display's unit; null:
  // none. The sum of the selected rows stays as it is.
  void ShowFolder(const TFolderData* Folder, const TValueDisplay& Display);
  // The objects below Folder counted so far (itself not counted).
  void ShowObjects(const TFolderData* Folder);
  // A hint, or the cluster size of Root when Hint is empty.
  void ShowHint(const QString& Hint, const TRoot* Root);
  // Objects and the sum of the selected rows in the current view's measure
  // (for Percent, their share of Folder).
  void ShowSelection(const std::vector<const TFolderData*>& Rows, const TFolderData* Folder, TValueDisplay& Display);
  static QString ClusterText(const TRoot* Root);
  // Space came free or was taken: the drive's free space is read again.
  void ForgetFreeSpace() { FSpaceDrive.clear(); }

private:
  QString FreeSpaceText(const TRoot* Root, const TValueDisplay& Display);

  std::array<QLabel*, spCount> FPanels;
  // The drive's free space is read at most once a second.
  std::string FSpaceDrive;
  uint64_t FTotalKB = 0;
  uint64_t FFreeKB = 0;
  bool FHasInodes = false;
  uint64_t FFreeInodes = 0;
  std::chrono::steady_clock::time_point FSpaceRead;
};
