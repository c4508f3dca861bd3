// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <array>
#include <functional>

class QString;
class TFolderNode;
class TReportCanvas;
class TReportPage;
class TValueDisplay;

// The report of one scan as its tree shows it: the drive's and the scan's
// totals, then a line for every folder shown (the top's sub-folders and
// those of every open folder below), indented by level and joined by tree
// lines, in the tree's order.
class TTreeReport {
  Q_DECLARE_TR_FUNCTIONS(TTreeReport)

public:
  // IsExpanded tells which folders are open.
  TTreeReport(TValueDisplay& Display, std::function<bool(const TFolderNode*)> IsExpanded);

  std::function<void(const QString&)> OnProgress;

  // The report of Top's scan, from a new page of Canvas on. False when the
  // device would not start a page.
  bool Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, const TFolderNode* Top);

private:
  bool PrintBranch(TReportPage& Page, const TFolderNode* Parent, int Indent);

  TValueDisplay& FDisplay;
  std::function<bool(const TFolderNode*)> FIsExpanded;
};
