// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ErrorBox.h"
#include "app/SettingsStore.h"
#include "app/TreeCommands.h"
#include "app/WindowSettings.h"
#include "scan/FolderTree.h"
#include "scan/FolderTreeListener.h"
#include "scan/ScanDriver.h"
#include "view/StatusPanels.h"
#include "view/ValueDisplay.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMessageBox;
class QSplitter;
class TChartPane;
class TCompareCommands;
class TPrintCommands;
class TFilesCommands;
class TTypesCommands;
class TShellCommands;
class TDriveBox;
class TMRUFileList;
class TDetailsList;
class TFolderModel;
class TFolderTreeView;
class TMainActions;
class TRightPane;
class TRootCommands;
class TScanProgress;
class TShellPilot;

// The main window: it composes the folder tree with its live labels, the
// right pane, the commands, the status bar and the settings kept between
// runs, and wires them to the scans. The work itself is done by the classes
// it holds; its handlers forward to them.
class TMainForm : public QMainWindow, private TFolderTreeListener {
  Q_DECLARE_TR_FUNCTIONS(TMainForm)

public:
  // Arguments are the command line without the program name, as bytes.
  explicit TMainForm(const std::vector<std::string>& Arguments = {});
  ~TMainForm() override;

  // Scans a folder (a path in bytes) as a new root, or rescans its root;
  // false when refused.
  bool StartScan(const std::string& Path);
  bool RemoveRoot(TRoot* Root);
  // Tells of a failure: one message box, later failures added to it.
  void ReportError(int Code, const QString& Path);
  void SetCurrentNode(TFolderNode* Node);
  TFolderNode* CurrentNode() const { return FCurrentNode; }
  // Work on the tree is still going on in slices (a Full Expand).
  bool Busy() const;

  // The tree's selected folder, and its root.
  TFolderNode* SelectedNode() const;
  const TRoot* SelectedRoot() const;

  void Sort1Click(TValueDisplay::TSortType SortType);
  void View1Click(TViewType ViewType);
  void Unit1Click(int UnitType);
  void openClick(int Tag);
  void Properties1Click();
  void ExpandClick();
  void CollapseClick();
  void Tolevel11Click(int Levels);
  void SetMinimumExpandSizeClick(bool Ask);
  void CountFolders1Click();
  void ParentButtonClick();
  void SpeedButton2Click();
  // Empties the Trash of the scanned drives; the folders holding a Trash
  // are scanned again and the free space shown follows.
  void EmptyTrashClick();
  void ListButtonClick();
  void PiebuttonClick();
  void TreemapButtonClick();
  void FilesButtonClick();
  void TypesButtonClick();
  void barbuttonClick();
  void SelectAllRows();

  void RefillList();
  void ListChange();
  void RefreshStatus(bool Refresh);
  void RefreshCaption();

  TScanDriver& Driver() { return FDriver; }
  TFolderTree& Tree() { return FTree; }
  TValueDisplay& Display() { return FDisplay; }
  TFolderModel& Model() { return *FModel; }
  TTreeCommands& Commands() { return *FCommands; }
  TDetailsList& List() { return *FList; }
  TChartPane& Charts() { return *FCharts; }
  TRightPane& RightPane() { return *FRightPane; }
  TDriveBox& DriveBox() { return *FDriveBox; }
  TShellPilot& ShellPilot() { return *FShellPilot; }
  TMRUFileList& Recent() { return *FRecent; }
  TPrintCommands& Printing() { return *FPrinting; }
  TWindowSettings& WindowSettings() { return FSettings; }
  TMainActions& Actions() { return *FActions; }
  TFilesCommands& FilesCommands() { return *FFilesCommands; }
  TTypesCommands& TypesCommands() { return *FTypesCommands; }
  TCompareCommands& Compare() { return *FCompare; }
  TShellCommands& ShellCommands() { return *FShellCommands; }
  TRootCommands& Roots() { return *FRoots; }
  TFolderTreeView* TreeView() const { return FTreeView; }
  QMessageBox* ErrorBox() const { return FErrorBox->Box(); }
  QString StatusText(int Panel) const { return FPanels->Text(Panel); }
  QAction* Action(const QString& Name) const;

protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  bool event(QEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void ProcessCommandLine();
  void TreeChange(const QModelIndex& Current);
  // The selected folder goes with the folders removed.
  void TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last) override;
  void ChartDrillDown(int Child);
  // The mode's button checked, and the right pane's print item named as
  // the mode prints it.

  std::vector<std::string> FArguments;
  TSettingsStore FStore;
  TWindowSettings FSettings;
  TFolderTree FTree;
  TValueDisplay FDisplay;
  TScanDriver FDriver{FTree};
  std::unique_ptr<TFolderModel> FModel;
  TShellPilot* FShellPilot;
  TFolderNode* FCurrentNode = nullptr;
  bool FShown = false;

  TFolderTreeView* FTreeView;
  QSplitter* FSplitter;
  TRightPane* FRightPane;
  TDetailsList* FList;
  TChartPane* FCharts;
  std::unique_ptr<TTreeCommands> FCommands;
  std::unique_ptr<TMainActions> FActions;
  std::unique_ptr<TPrintCommands> FPrinting;
  std::unique_ptr<TShellCommands> FShellCommands;
  std::unique_ptr<TFilesCommands> FFilesCommands;
  std::unique_ptr<TTypesCommands> FTypesCommands;
  std::unique_ptr<TCompareCommands> FCompare;
  TMRUFileList* FRecent;
  TDriveBox* FDriveBox;
  std::unique_ptr<TStatusPanels> FPanels;
  TScanProgress* FProgress;
  TErrorBox* FErrorBox;
  std::unique_ptr<TRootCommands> FRoots;
};
