// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

class TDetailsList;
class TValueDisplay;
struct TScanSettings;
struct TWindowSettings;

// The choices of the options dialog, handed in filled from the window and
// handed back as the user left them.
struct TOptionChoices {
  // The options as the window's parts hold them now.
  static TOptionChoices Gather(const TValueDisplay& Display, const TScanSettings& Scan, const TWindowSettings& Window,
                               const TDetailsList& List);
  // Gives the window's parts these options; true when the values shown
  // change (units, decimals or bold factor), so labels must be made again.
  bool ApplyTo(TValueDisplay& Display, TScanSettings& Scan, TWindowSettings& Window, TDetailsList& List) const;

  int FUnitType = 0;
  int FDecimals = 1;
  int FBoldFactor = 15;
  int FMRUMaximum = 6;
  int FHistoryKeep = 10;
  int FHistoryMegabytes = 200;
  uint64_t FDuplicatesBytes = 1 << 20;
  bool FShowFiles = true;
  bool FChartTool = false;
  bool FShowErrors = true;
  bool FFollowReparsePoints = false;
  bool FHardLinksOnce = true;
  std::string FFilter;             // patterns separated by spaces
  std::string FExclude;            // exclude patterns, one a line
  std::array<bool, 8> FColumns{};  // the details list's columns shown
  uint32_t FClusterSize = 0;       // user-defined cluster size; 0: each volume's own
  bool FHasRoots = false;          // a scan exists that new scan options would redo
  bool FRescan = false;            // out: the filter or cluster size was touched after a scan
};
