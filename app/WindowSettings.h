// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"

#include <QRect>

#include <array>
#include <string>

class TSettingsStore;
class TTreeCommands;
class TValueDisplay;
struct TScanSettings;

// Every value the window keeps between runs. Each has its key, its default
// and the range it is read into in one table, so reading and writing never
// drift apart; a stored value outside its range reads as the default.
struct TWindowSettings {
  int FSortType = 2;  // 1 by name, 2 by size, 3 none
  // On Linux a file's length may be a thousand times what it takes on disk
  // (sparse images, databases): a first start shows the space taken.
  int FShowType = 2;
  int FUnitType = 0;
  int FWidth = 674;
  int FHeight = 532;
  int FLeft = 213;
  int FTop = 105;
  // The screen's scale the frame was kept at, in percent (0: not known):
  // a window comes back the same size on the screen at another scale.
  int FScale = 0;
  int FDecimals = 2;                                // decimals shown plus one
  std::array<int, 4> FMargins{800, 800, 800, 800};  // left, top, bottom, right
  int FBoldFactor = 15;
  int FMinimumExpandSize = 10;  // megabytes
  bool FFollowReparsePoints = false;
  bool FShowFiles = true;
  bool FHardLinksOnce = true;
  std::string FExclude;  // the scan's exclude patterns, one a line
  bool FChartTool = false;
  bool FChart3D = true;
  bool FChartLegend = true;
  bool FChartPatterns = false;
  int FSplitter = 222;
  int FMRUMaximum = 6;
  int FHistoryKeep = 10;                // scans remembered of each folder; 0: none
  int FHistoryMegabytes = 200;          // at most, in all
  uint64_t FDuplicatesBytes = 1 << 20;  // the smallest copy Find Duplicates looks at
  bool FMaximized = false;
  int FActiveSeries = 0;
  // Read when the window is first shown rather than when it is made.
  bool FShowErrors = true;
  bool FToolBarBreak = true;
  int FToolBar1Width = 0;     // 0: as wide as its buttons
  bool FStoredFrame = false;  // the window's size was stored
  bool FStoredSplitter = false;

  // Reads the values of the window's creation (AtShow false) or of its
  // first showing (AtShow true).
  void Load(const TSettingsStore& Store, bool AtShow);
  // Where scans are remembered, kept as the user chose.
  THistoryStore History() const;
  void Save(TSettingsStore& Store) const;
  // The window's frame on a screen: the stored one, put where it can be
  // seen, or at a first start seven tenths of the screen each way. The splitter
  // becomes two fifths of it when none was stored.
  QRect Frame();
  // The same on a screen of that available room and scale (device pixels
  // to one of the window's).
  QRect Frame(const QRect& Available, qreal Scale);
  // Keeps the window's frame as it is now, on a screen of that scale.
  void SetFrame(const QRect& Frame, qreal Scale);

  // Hands the values read at creation to the parts that use them, and takes
  // them back before they are saved.
  void ApplyTo(TValueDisplay& Display, TTreeCommands& Commands, TScanSettings& Scan) const;
  void TakeFrom(const TValueDisplay& Display, const TTreeCommands& Commands, const TScanSettings& Scan);
};
