#pragma once

#include "FolderTree.h"
#include "ScanDriver.h"
#include "Settings.h"
#include "ShellPilot.h"
#include "ValueDisplay.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMessageBox;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QTreeView;
class TDetailsList;
class TFolderModel;

// The main window: the folder tree of every scanned folder with its live
// labels, the right pane, the menus and tool bars, the status bar, and the
// settings kept between runs.
class TMainForm : public QMainWindow {
public:
  // Arguments are the command line without the program name, as bytes.
  explicit TMainForm(const std::vector<std::string>& Arguments = {});
  ~TMainForm() override;

  // Scans a folder (a path in bytes) as a new root, or rescans its root;
  // false when refused.
  bool StartScan(const std::string& Path);
  bool RemoveRoot(TRoot* Root);
  // Tells of a scan failure without ever making the scan wait: one message
  // box at a time, later failures added to it as further lines.
  void ReportError(int Code, const QString& Path);
  void SetCurrentNode(TFolderNode* Node);
  TFolderNode* CurrentNode() const { return FCurrentNode; }

  void FileOpen();
  void ScanAllDrivesClick();
  void UpdateClick();
  void Update1Click();
  void UpdateBranch1Click();
  void StopButtonClick();
  void RemoveClick();
  void RemoveFolderMenuItemClick();
  void Sort1Click(int SortType);
  void View1Click(int ViewType);
  void ExpandClick();
  void CollapseClick();
  void Tolevel11Click(int Levels);
  void SetMinimumExpandSizeClick(bool Ask);
  void CountFolders1Click();
  void ParentButtonClick();

  void RefreshLabels(TFolderNode* Node);
  void ResortTree(TFolderNode* Node);
  void ApplyShowFiles(TFolderNode* Node);
  void PruneSmallFolders(TFolderNode* Node);
  void ExpandToLevel(TFolderNode* Node, int Levels, double Minimum);
  void RefreshStatus(bool Refresh);
  void RefreshCaption();
  void ShowHint(const QString& Hint);

  TScanDriver& Driver() { return FDriver; }
  TFolderTree& Tree() { return FTree; }
  TValueDisplay& Display() { return FDisplay; }
  TFolderModel& Model() { return *FModel; }
  QTreeView* TreeView() const { return FTreeView; }
  QMessageBox* ErrorBox() const { return FErrorBox; }
  QString StatusText(int Panel) const;
  QAction* Action(const QString& Name) const;

  void RefillList();
  void ListChange();
  void ListButtonClick();
  void Options1Click();
  void SelectAllRows();
  TDetailsList& List() { return *FList; }

  int FSortType = 2;
  int FMinimumExpandSize = 10;
  bool FChartTool = false;
  int FMRUMaximum = 6;

protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  bool event(QEvent* Event) override;

private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void ProcessCommandLine();
  void BuildMenus();
  void BuildToolBars();
  QAction* NewAction(const QString& Name, const QString& Caption, const QString& Hint,
                     const std::function<void()>& Handler);
  void BuildBranchMenu();
  void TreeChange(const QModelIndex& Current);
  void TreeExpanding(const QModelIndex& Index);
  void TreeContextMenu(const QPoint& Point);
  void TreeNodesRemoved(const QModelIndex& Parent, int First, int Last);
  void CollapseAll(TFolderNode* Node);
  void DrainScans();
  void ScanProgress(TRoot* Root);
  void ScanDone(TRoot* Root, bool Stopped);
  void ClearList();
  void ShowErrors();
  void ListFiles(TFolderNode* Node);
  void SortChildren(TFolderNode* Node);
  bool IsExpanded(const TFolderNode* Node) const;
  TFolderNode* SelectedNode() const;
  QString ClusterText(const TRoot* Root) const;
  void SetPanel(int Panel, const QString& Text);

  std::vector<std::string> FArguments;
  TSettings FSettings;
  TFolderTree FTree;
  TValueDisplay FDisplay;
  TScanDriver FDriver{FTree};
  std::unique_ptr<TFolderModel> FModel;
  TShellPilot* FShellPilot;
  TFolderNode* FCurrentNode = nullptr;
  bool FShown = false;
  bool FBulkExpanding = false;

  QTreeView* FTreeView;
  QSplitter* FSplitter;
  QStackedWidget* FRightPane;
  QMenu* FRootPopup;
  QMenu* FBranchMenu;
  QToolBar* FToolBar1;
  QToolBar* FToolBar3;
  std::array<QLabel*, 4> FPanels;
  QMessageBox* FErrorBox = nullptr;
  QStringList FErrorLines;  // every failure told in the box that is open
  bool FErrorBoxDue = false;
  QTimer FDrainTimer;
  TDetailsList* FList;
  // The deferred refill of the list: Tag 0 defers, 1 a refill is pending,
  // 3 refills run at once (the list is visible).
  QTimer FTimer;
  int FTimerTag = 0;
  // Counts refills, so that files listed for an earlier one are dropped; a
  // listing still running reads it to stop early.
  std::shared_ptr<std::atomic<int>> FListGeneration = std::make_shared<std::atomic<int>>(0);
  bool FRefillDue = false;
  QActionGroup* FViewGroup;
  QActionGroup* FSortGroup;
  QActionGroup* FViewButtons;
  QActionGroup* FSortButtons;

  // Settings kept for the parts of the window that use them (print margins,
  // chart options, recently used list, right-pane mode).
  std::array<int, 4> FMargins{800, 800, 800, 800};
  bool FChart3D = true, FChartLegend = true, FChartPatterns = false;
  int FActiveSeries = 0;
  bool FToolBarBreak = true;
};
