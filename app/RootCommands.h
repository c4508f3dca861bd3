// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanListener.h"

#include <QThreadPool>
#include <QTimer>

#include <string>
#include <unordered_map>

class TErrorBox;
class TMainForm;
class TScanProgress;
class TStatusPanels;
class TFolderNode;
struct TRoot;

// What the window does with its scan roots: scanning a folder (chosen,
// typed, or every drive), importing exports and scanning folders of other
// machines as they arrive, updating, stopping, removing and pruning roots;
// and, while scans run, their results applied on a timer, their progress
// shown, their failures told and their end given to the tree. A scan that
// ends unstopped is remembered in the user's cache, off the window's thread.
class TRootCommands : private TScanListener {
public:
  TRootCommands(TMainForm& Form, TScanProgress& Progress, TStatusPanels& Panels, TErrorBox& Errors);

  // Scans a folder (a path in bytes) as a new root, or rescans its root;
  // false when refused, the errno in Failure when given (else it is told
  // as a scan failure).
  bool StartScan(const std::string& Path, int* Failure = nullptr);
  bool RemoveRoot(TRoot* Root);
  // The same, telling a folder that cannot be scanned in the box of failures.
  bool ScanOrTell(const std::string& Path);
  // Opens what the command line, the path box or the recent list names: a
  // folder on another machine (ssh://), an export to import (a file, a
  // FIFO, "-" for standard input) or a folder to scan; false, told, when
  // it cannot be.
  bool Open(const std::string& Place);
  // Reads an export as a root that fills as it arrives (see
  // TScanDriver::StartImport) and shows it.
  void Import(const std::string& Source);
  // Scans the folder of a remote address (ssh://[user@]host[:port]/path or
  // [user@]host:/path) over SSH; false, told, when the address is wrong.
  bool ScanRemote(const std::string& Address);
  void ImportScanClick();
  void ScanRemoteClick();
  // The window closes: results are no longer applied.
  void StopDraining() { FDrainTimer.stop(); }

  void FileOpen();
  void ScanbuttonClick();
  void ScanAllDrivesClick();
  void UpdateClick();
  void Update1Click();
  void UpdateBranch1Click();
  // Scans the folder of Node again; false when its root cannot be.
  bool UpdateBranch(TFolderNode* Node);
  void StopButtonClick();
  void RemoveClick();
  void RemoveFolderMenuItemClick();
  // When the last scan of the root at Path was remembered, as the snapshot
  // names it; 0 when it was not.
  int64_t RememberedAt(const std::string& Path) const;

private:
  void Started();
  void DrainScans();
  void ScanFailed(int Code, const std::string& Path) override;
  void ScanProgress(TRoot* Root) override;
  void ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted) override;
  void Remember(const TRoot* Root);
  void Show(TRoot* Root, const std::string& Recent);

  TMainForm& FForm;
  TScanProgress& FProgress;
  TStatusPanels& FPanels;
  TErrorBox& FErrors;
  QTimer FDrainTimer;
  bool FRestarting = false;                              // a root's scan ends because it starts again
  std::unordered_map<std::string, int64_t> FRemembered;  // by root path
  QThreadPool FHistory;                                  // one thread, joined before the tree goes
  QString FLastRemote;                                   // the address last typed in Scan Remote
};
