#pragma once

#include <array>
#include <cstdint>
#include <string>

// The choices of the options dialog, handed in filled from the window and
// handed back as the user left them.
struct TOptions {
  int FUnitType = 0;
  int FDecimals = 1;
  int FBoldFactor = 15;
  int FMRUMaximum = 6;
  bool FShowFiles = true;
  bool FChartTool = false;
  bool FShowErrors = true;
  bool FFollowReparsePoints = false;
  std::string FFilter;               // patterns separated by spaces
  std::array<bool, 8> FColumns{};    // the details list's columns shown
  uint32_t FClusterSize = 0;         // user-defined cluster size; 0: each volume's own
  bool FHasRoots = false;            // a scan exists that new scan options would redo
  bool FRescan = false;              // out: the filter or cluster size was touched after a scan
};
