// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanListener.h"
#include "view/JobQueue.h"

#include <QCoreApplication>
#include <QTimer>

#include <functional>
#include <string>
#include <unordered_map>

class QWidget;
class TDriveBox;
class TErrorBox;
class TFolderModel;
class TFolderNode;
class TMRUFileList;
class TScanDriver;
class TScanProgress;
class TShellPilot;
class TStatusPanels;
class TTreeCommands;
class TValueDisplay;
struct TRoot;
struct TWindowSettings;

// What the window does with its scan roots: scanning a folder (chosen,
// typed, or every drive), importing exports and scanning folders of other
// machines as they arrive, updating, stopping, removing and pruning roots;
// and, while scans run, their results applied on a timer, their progress
// shown, their failures told and their end given to the tree. A scan that
// ends unstopped is remembered in the user's cache, off the window's thread.
class TRootCommands : private TScanListener {
  Q_DECLARE_TR_FUNCTIONS(TRootCommands)

public:
  // What the commands work with: the window's parts.
  struct TParts {
    TScanDriver& Driver;
    TTreeCommands& Commands;
    TFolderModel& Model;
    TValueDisplay& Display;
    const TWindowSettings& Settings;
    TShellPilot& Pilot;
    TMRUFileList& Recent;
    TDriveBox& DriveBox;
    TScanProgress& Progress;
    TStatusPanels& Panels;
    TErrorBox& Errors;
  };
  // Window is where dialogs show.
  TRootCommands(QWidget* Window, const TParts& Parts);

  // The window's current folder and the folder selected in its tree, asked
  // when a command runs.
  std::function<TFolderNode*()> FCurrent;
  std::function<TFolderNode*()> FSelected;
  // Makes a folder (or none) current in the window.
  std::function<void(TFolderNode*)> OnCurrent;
  // A root was added: the next keys are for the tree.
  std::function<void()> OnFocusTree;
  // The status bar (Refresh: its totals too) and the caption follow.
  std::function<void(bool Refresh)> OnStatus;
  std::function<void()> OnCaption;
  // A passing message for the status bar.
  std::function<void(const QString&)> OnMessage;

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
  // Scans a folder of this machine as the administrator, as a new root or
  // again.
  void ScanAsAdministrator(const std::string& Path);
  void ScanAsAdministratorClick();
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
  // Empties the Trash of the drives scanned here (asking first) and scans
  // the Trash folders of the tree again; the free space is read anew.
  void EmptyTrashClick();
  void StopButtonClick();
  void RemoveClick();
  void RemoveFolderMenuItemClick();
  // When the last scan of the root at Path was remembered, as the snapshot
  // names it; 0 when it was not.
  int64_t RememberedAt(const std::string& Path) const;
  // Returns once every scan handed to the history is written (or refused).
  void WaitForHistory() { FHistory.WaitForDone(); }

private:
  void Started();
  void DrainScans();
  void ScanFailed(int Code, const std::string& Path) override;
  void ScanProgress(TRoot* Root) override;
  void ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted) override;
  void Remember(const TRoot* Root);
  // Scans again the root a source names: a local folder, a remote one, or
  // one scanned by the administrator.
  void Update(const std::string& Place);
  void Show(TRoot* Root, const std::string& Recent);

  QWidget* FWindow;
  TParts F;
  QTimer FDrainTimer;
  bool FRestarting = false;                              // a root's scan ends because it starts again
  std::unordered_map<std::string, int64_t> FRemembered;  // by root path
  TJobQueue FHistory;                                    // joined before the tree goes
  QString FLastRemote;                                   // the address last typed in Scan Remote
};
