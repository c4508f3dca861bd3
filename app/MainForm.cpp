#include "MainForm.h"

#include "DetailsList.h"
#include "Directory.h"
#include "FileListing.h"
#include "FolderData.h"
#include "FolderDelegate.h"
#include "FolderModel.h"
#include "FolderNode.h"
#include "Manual.h"
#include "OptionDlg.h"
#include "PathRules.h"
#include "Prompt.h"
#include "Root.h"
#include "ScanSettings.h"
#include "WaitCursor.h"
#include "ZelSystemImageList.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QMessageBox>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTreeView>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace {


// Replaces what follows Marker in Caption by the value and " MB".
QString WithSize(const QString& Caption, const QString& Marker, int Value)
{
  return Caption.left(Caption.indexOf(Marker) + Marker.size()) + QString::number(Value) + " MB";
}

}  // namespace

TMainForm::TMainForm(const std::vector<std::string>& Arguments) : FArguments(Arguments)
{
  setWindowTitle("Spacelens");
  FModel = std::make_unique<TFolderModel>(FTree, FDisplay);
  FShellPilot = new TShellPilot(this);

  FTreeView = new QTreeView;
  FTreeView->setObjectName("Tree");
  FTreeView->setModel(FModel.get());
  FTreeView->setItemDelegate(new TFolderDelegate(FTreeView));
  FTreeView->setHeaderHidden(true);
  FTreeView->setUniformRowHeights(true);
  FTreeView->setIndentation(22);
  FTreeView->setIconSize(QSize(16, 16));
  FTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
  FTreeView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  FTreeView->header()->setStretchLastSection(false);
  FList = new TDetailsList(FDisplay);
  FRightPane = new QStackedWidget;
  FRightPane->addWidget(FList);
  FSplitter = new QSplitter;
  FSplitter->setHandleWidth(4);
  FSplitter->addWidget(FTreeView);
  FSplitter->addWidget(FRightPane);
  FSplitter->setStretchFactor(1, 1);
  setCentralWidget(FSplitter);

  // Status bar: free space, objects, selection sum, hint or cluster size.
  const int Widths[] = {184, 85, 94, 120};
  for (int Panel = 0; Panel < 4; ++Panel) {
    FPanels[Panel] = new QLabel;
    FPanels[Panel]->setObjectName(QString("Panel%1").arg(Panel));
    if (Panel < 3) {
      FPanels[Panel]->setMinimumWidth(Widths[Panel]);
      FPanels[Panel]->setFrameShape(QFrame::StyledPanel);
    }
    statusBar()->addWidget(FPanels[Panel], Panel == 3 ? 1 : 0);
  }

  BuildMenus();
  BuildToolBars();

  connect(FTreeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& Current) { TreeChange(Current); });
  connect(FTreeView, &QTreeView::expanded, this, [this](const QModelIndex& Index) { TreeExpanding(Index); });
  connect(FTreeView, &QTreeView::customContextMenuRequested, this,
          [this](const QPoint& Point) { TreeContextMenu(Point); });
  connect(FModel.get(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex& Parent, int First, int Last) { TreeNodesRemoved(Parent, First, Last); });
  connect(FList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { ListChange(); });
  connect(FTreeView, &QTreeView::clicked, this, [this] { FTimer.setInterval(100); });
  FTimer.setSingleShot(true);
  FTimer.setInterval(400);
  connect(&FTimer, &QTimer::timeout, this, [this] {
    if (FTimerTag == 1) {
      FTimerTag = 3;
      RefillList();
    }
    FTimerTag = 0;
  });
  auto* SelectAll = new QShortcut(QKeySequence::SelectAll, this);
  connect(SelectAll, &QShortcut::activated, this, [this] { SelectAllRows(); });
  auto* Backspace = new QShortcut(Qt::Key_Backspace, this);
  connect(Backspace, &QShortcut::activated, this, [this] {
    if (!FTreeView->hasFocus())
      ParentButtonClick();
  });

  FDriver.OnError = [this](int Code, const std::string& Path) { ReportError(Code, TPathRules::Shown(Path)); };
  FDriver.OnProgress = [this](TRoot* Root) { ScanProgress(Root); };
  FDriver.OnScanDone = [this](TRoot* Root, bool Stopped) { ScanDone(Root, Stopped); };
  FDrainTimer.setInterval(100);
  connect(&FDrainTimer, &QTimer::timeout, this, [this] { DrainScans(); });

  FormCreate();
}

TMainForm::~TMainForm()
{
  // Scans still running end without calling back into a window that goes;
  // the list and the model let go of the tree before the driver frees it.
  FDriver.OnError = nullptr;
  FDriver.OnProgress = nullptr;
  FDriver.OnScanDone = nullptr;
  ClearList();
  FTreeView->setModel(nullptr);
  FModel.reset();
}

QAction* TMainForm::NewAction(const QString& Name, const QString& Caption, const QString& Hint,
                              const std::function<void()>& Handler)
{
  auto* Item = new QAction(Caption, this);
  Item->setObjectName(Name);
  if (!Hint.isEmpty()) {
    // "Short|Long": the short part is the tool tip, the long part the status text.
    const int Bar = Hint.indexOf('|');
    Item->setToolTip(Bar < 0 ? Hint : Hint.left(Bar));
    Item->setStatusTip(Bar < 0 ? Hint : Hint.mid(Bar + 1));
  }
  connect(Item, &QAction::triggered, this, Handler);
  return Item;
}

QAction* TMainForm::Action(const QString& Name) const
{
  return findChild<QAction*>(Name);
}

void TMainForm::BuildMenus()
{
  // The tree's own menu; the File menu's "&Branch" offers the same commands.
  FRootPopup = new QMenu(this);
  QMenu* Expand = FRootPopup->addMenu("&Expand");
  Expand->menuAction()->setObjectName("Expand1");
  Expand->addAction(NewAction("FullExpand1", "&Full Expand", "", [this] { ExpandClick(); }));
  Expand->addSeparator();
  for (int Level = 1; Level <= 4; ++Level)
    Expand->addAction(NewAction(QString("ToLevel%1").arg(Level), QString("To Level &%1").arg(Level), "",
                                [this, Level] { Tolevel11Click(Level); }));
  Expand->addSeparator();
  Expand->addAction(NewAction("ExpandOver1", "Expand Folder &over: xxx MB", "", [this] { Tolevel11Click(99); }));
  Expand->addAction(NewAction("RemoveFolderMenuItem", "&Remove Folder <xxx MB", "",
                              [this] { RemoveFolderMenuItemClick(); }));
  Expand->addAction(NewAction("SetSize1", "&Set Size", "", [this] { SetMinimumExpandSizeClick(true); }));
  FRootPopup->addAction(NewAction("FullCollapse1", "Full &Collapse", "", [this] { CollapseClick(); }));
  FRootPopup->addAction(NewAction("Remove1", "&Remove from Spacelens", "", [this] { RemoveClick(); }));
  QAction* Update = NewAction("Update1", "&Update", "Update|Rescan current Folder", [this] {
    FTreeView->setFocus();
    Update1Click();
  });
  Update->setShortcut(Qt::Key_F5);
  Update->setShortcutContext(Qt::WindowShortcut);
  addAction(Update);
  FRootPopup->addAction(Update);
  FRootPopup->addAction(NewAction("UpdateBranch1", "Update &Branch", "Update Branch|Update information for this subfolder",
                                  [this] { UpdateBranch1Click(); }));
  FRootPopup->addAction(NewAction("CountFolders1", "&Count Folders", "", [this] { CountFolders1Click(); }));

  QMenu* File = menuBar()->addMenu("&File");
  File->addAction(NewAction("FileOpen1", "Select &Directory...", "Open Folder|Select a folder to scan",
                            [this] { FileOpen(); }));
  File->addAction(NewAction("ScanAllDrives1", "Scan All &Drives", "Scan All Drives|Scan every mounted drive",
                            [this] { ScanAllDrivesClick(); }));
  File->addSeparator();
  FBranchMenu = File->addMenu("&Branch");
  FBranchMenu->menuAction()->setObjectName("Branch1");
  FBranchMenu->addActions(FRootPopup->actions());
  File->addAction(NewAction("UpdateAll1", "&Update All", "Update All|Rescan all displayed folders",
                            [this] { UpdateClick(); }));
  File->addSeparator();
  File->addAction(NewAction("Exit1", "E&xit", "", [this] { close(); }));

  QMenu* View = menuBar()->addMenu("&View");
  FViewGroup = new QActionGroup(this);
  const char* ViewCaptions[] = {"&Size", "Bytes &Alllocated", "&Percent", "&Wasted Space", "Use &CD-Rom Cluster Size"};
  const char* ViewHints[] = {"Size|Show the size of the folders",
                             "Bytes Allocated|Show how many bytes are allocated on disk by the folders",
                             "Percent|Show how many percent of the parent folders each folder occupies",
                             "Wasted Space|Show how much space is wasted  by the folders",
                             "CD-Rom cluster size|Show how much the folders would occupy on a CD-ROM"};
  const char* ViewButtons[] = {"Size", "Allocated", "Percent", "Wasted", "CD-ROM"};
  for (int Type = 1; Type <= 5; ++Type) {
    QAction* Item = NewAction(QString("ViewButton%1").arg(Type), ViewCaptions[Type - 1], ViewHints[Type - 1],
                              [this, Type] { View1Click(Type); });
    Item->setIconText(ViewButtons[Type - 1]);
    Item->setCheckable(true);
    Item->setData(Type);
    FViewGroup->addAction(Item);
    View->addAction(Item);
  }
  FViewButtons = FViewGroup;
  View->addSeparator();
  QAction* ListButton = NewAction("ListButton", "&Detailed List", "Detailed List|Show the folders and files in a list",
                                  [this] { ListButtonClick(); });
  ListButton->setIconText("List");
  ListButton->setCheckable(true);
  View->addAction(ListButton);
  View->addSeparator();
  View->addAction(NewAction("Options1", "&Options...", "Options|Change how values are shown and what a scan counts",
                            [this] { Options1Click(); }));

  QMenu* Sort = menuBar()->addMenu("&Sort");
  FSortGroup = new QActionGroup(this);
  const char* SortCaptions[] = {"By &Name", "By &Size", "N&one"};
  const char* SortHints[] = {"Sort By Name", "Sort By Size", "No Sorting"};
  const char* SortButtons[] = {"SAlphaButton", "SNumButton", "SNoButton"};
  for (int Type = 1; Type <= 3; ++Type) {
    QAction* Item = NewAction(SortButtons[Type - 1], SortCaptions[Type - 1],
                              QString("%1|%1").arg(SortHints[Type - 1]), [this, Type] { Sort1Click(Type); });
    Item->setIconText(SortHints[Type - 1]);
    Item->setCheckable(true);
    Item->setData(Type);
    FSortGroup->addAction(Item);
    Sort->addAction(Item);
  }
  FSortButtons = FSortGroup;

  QMenu* Help = menuBar()->addMenu("&Help");
  QAction* Contents = NewAction("Contents1", "&Contents", "Contents|Open the manual", [] { TManual::Open(); });
  Contents->setShortcut(Qt::Key_F1);
  Help->addAction(Contents);
  Help->addSeparator();
  Help->addAction(NewAction("About1", "About...", "", [this] {
    QMessageBox::about(this, "About Spacelens",
                       "<b>Spacelens 2.0</b><p>A fast disk-space analyser: the size, allocated space, share, "
                       "wasted space and CD-ROM size of every folder.</p>");
  }));
}

void TMainForm::BuildToolBars()
{
  FToolBar1 = addToolBar("Folders");
  FToolBar1->setObjectName("ToolBar1");
  FToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* Stop = NewAction("StopButton", "Stop", "Stop|Stop scanning", [this] { StopButtonClick(); });
  Stop->setIcon(TZelSystemImageList::ThemeIcon("process-stop"));
  QAction* Remove = NewAction("RemoveButton", "Remove", "Remove|Remove the selected folder from Spacelens",
                              [this] { RemoveClick(); });
  Remove->setIcon(TZelSystemImageList::ThemeIcon("list-remove"));
  QAction* Update = Action("Update1");
  Update->setIcon(TZelSystemImageList::ThemeIcon("view-refresh"));
  QAction* Parent = NewAction("ParentButton", "Parent", "Parent Folder|Select parent folder of current folder",
                              [this] { ParentButtonClick(); });
  Parent->setIcon(TZelSystemImageList::ThemeIcon("go-up"));
  QAction* Open = Action("FileOpen1");
  Open->setIcon(TZelSystemImageList::ThemeIcon("folder-open"));
  QAction* Network = NewAction("SpeedButton2", "Network", "Connect Network Drive|Connect a network share as a drive",
                               [this] { FShellPilot->ConnectNetworkDrive(); });
  Network->setIcon(TZelSystemImageList::ThemeIcon("network-server"));
  FToolBar1->addActions({Stop, Remove, Update, Parent, Open, Network});

  FToolBar3 = addToolBar("View");
  FToolBar3->setObjectName("ToolBar3");
  FToolBar3->setToolButtonStyle(Qt::ToolButtonTextOnly);
  FToolBar3->addActions(FViewGroup->actions());
  FToolBar3->addSeparator();
  FToolBar3->addActions(FSortGroup->actions());
  FToolBar3->addSeparator();
  FToolBar3->addAction(Action("ListButton"));
}

void TMainForm::FormCreate()
{
  // Settings read when the window is made, in this order.
  FSortType = FSettings.Integer("SortType", 2);
  FDisplay.FShowType = FSettings.Integer("ShowType", 1);
  FDisplay.FUnitType = FSettings.Integer("UnitType", 0);
  QRect Frame(213, 105, FSettings.Integer("Width", 674), FSettings.Integer("Height", 532));
  Frame.moveTo(FSettings.Integer("Left", 213), FSettings.Integer("Top", 105));
  setGeometry(Frame);
  FDisplay.FDecimals = FSettings.Integer("Decimals", 2);
  const char* MarginNames[] = {"MarginLeft", "MarginTop", "MarginBot", "MarginRight"};
  for (int Side = 0; Side < 4; ++Side)
    FMargins[Side] = FSettings.Integer(MarginNames[Side], 800);
  FDisplay.FBoldFactor = FSettings.Integer("BoldFactor", 15);
  FMinimumExpandSize = std::max(0, FSettings.Integer("MinimumExpandSize", 10));
  TScanSettings& Scan = TScanSettings::Current();
  Scan.FFollowReparsePoints = FSettings.Boolean("FollowReparsePoints", false);
  Scan.FShowFiles = FSettings.Boolean("ShowFiles", true);
  FChartTool = FSettings.Boolean("ChartTool", false);
  FChart3D = FSettings.Boolean("Chart3D", true);
  FChartLegend = FSettings.Boolean("ChartLegend", true);
  FChartPatterns = FSettings.Boolean("ChartPatterns", false);
  FSplitter->setSizes({FSettings.Integer("Splitter", 222), std::max(100, Frame.width() - 226)});
  FMRUMaximum = FSettings.Integer("MRUMaximum", 6);
  FList->LoadLayout(FSettings.Store());
  // The list sorts by the column that matches the tree's sort mode.
  FList->SetSortColumn(FSortType - 1);

  // A stored Wasted or CD-ROM view starts as Size.
  if (FDisplay.FShowType > 3 || FDisplay.FShowType < 1)
    FDisplay.FShowType = 1;
  if (FSettings.Boolean("Maximized", false))
    setWindowState(Qt::WindowMaximized);
  // A second copy started meanwhile opens 20 pixels lower and further right.
  FSettings.SetInteger("Top", Frame.top() + 20);
  FSettings.SetInteger("Left", Frame.left() + 20);

  for (QAction* Item : FSortGroup->actions())
    Item->setChecked(Item->data().toInt() == FSortType);
  for (QAction* Item : FViewGroup->actions())
    Item->setChecked(Item->data().toInt() == FDisplay.FShowType);
  SetMinimumExpandSizeClick(false);
  // The icons every tree shows are loaded now rather than at the first scan.
  TZelSystemImageList::FilesIconIndex();
  TZelSystemImageList::IconIndex(QDir::homePath().toLocal8Bit().toStdString());
  FActiveSeries = FSettings.Integer("ActiveSeries", 0);
  // Until the charts exist the right pane is the list, whatever was stored.
  ListButtonClick();
  RefreshCaption();
}

void TMainForm::showEvent(QShowEvent* Event)
{
  QMainWindow::showEvent(Event);
  if (!FShown) {
    FShown = true;
    FormShow();
  }
}

void TMainForm::FormShow()
{
  TScanSettings::Current().FShowErrors = FSettings.Boolean("ShowErrors", true);
  FDisplay.MeasureFont(font());
  FToolBarBreak = FSettings.Boolean("ToolBarBreak", true);
  if (FToolBarBreak)
    insertToolBarBreak(FToolBar3);
  RefreshStatus(true);
  // The window is on screen before the first scan starts.
  QTimer::singleShot(0, this, [this] { ProcessCommandLine(); });
}

void TMainForm::ProcessCommandLine()
{
  for (const std::string& Argument : FArguments) {
    const QString Text = TPathRules::Shown(Argument);
    if (Text.compare("/NONE", Qt::CaseInsensitive) == 0 || Text.compare("/NOGUI", Qt::CaseInsensitive) == 0)
      continue;
    if (!StartScan(Argument))
      TPrompt::Warn(this, "Spacelens", "Cannot find Folder: " + Text);
  }
}

void TMainForm::closeEvent(QCloseEvent* Event)
{
  FormClose();
  QMainWindow::closeEvent(Event);
}

void TMainForm::FormClose()
{
  const bool Maximized = isMaximized();
  FSettings.SetBoolean("Maximized", Maximized);
  // No worker may still touch the tree when it is freed.
  for (TRoot* Root = FDriver.Roots(); Root; Root = Root->FNext)
    FDriver.Await(Root);
  FDrainTimer.stop();

  const QRect Frame = Maximized ? normalGeometry() : geometry();
  FSettings.SetInteger("SortType", FSortType);
  FSettings.SetInteger("ShowType", FDisplay.FShowType);
  FSettings.SetInteger("UnitType", FDisplay.FUnitType);
  FSettings.SetInteger("Width", Frame.width());
  FSettings.SetInteger("Height", Frame.height());
  FSettings.SetInteger("Top", Frame.top());
  FSettings.SetInteger("Left", Frame.left());
  FSettings.SetInteger("Decimals", FDisplay.FDecimals);
  const char* MarginNames[] = {"MarginLeft", "MarginTop", "MarginBot", "MarginRight"};
  for (int Side = 0; Side < 4; ++Side)
    FSettings.SetInteger(MarginNames[Side], FMargins[Side]);
  FSettings.SetInteger("Splitter", FSplitter->sizes().value(0, 222));
  FSettings.SetInteger("BoldFactor", FDisplay.FBoldFactor);
  FSettings.SetInteger("MinimumExpandSize", FMinimumExpandSize);
  FSettings.SetInteger("ToolBar1Width", FToolBar1->width());
  FSettings.SetInteger("MRUMaximum", FMRUMaximum);
  const TScanSettings& Scan = TScanSettings::Current();
  FSettings.SetBoolean("ShowFiles", Scan.FShowFiles);
  FSettings.SetBoolean("ChartTool", FChartTool);
  FSettings.SetBoolean("Chart3D", FChart3D);
  FSettings.SetBoolean("ChartLegend", FChartLegend);
  FSettings.SetBoolean("ChartPatterns", FChartPatterns);
  FSettings.SetBoolean("ShowErrors", Scan.FShowErrors);
  FSettings.SetBoolean("ToolBarBreak", FToolBarBreak);
  FSettings.SetBoolean("FollowReparsePoints", Scan.FFollowReparsePoints);
  FSettings.SetInteger("ActiveSeries", FRightPane->currentWidget() == FList ? 2 : FActiveSeries);
  FList->SaveLayout(FSettings.Store());
  FSettings.Store().sync();
}

bool TMainForm::event(QEvent* Event)
{
  if (Event->type() == QEvent::StatusTip) {
    ShowHint(static_cast<QStatusTipEvent*>(Event)->tip());
    return true;
  }
  return QMainWindow::event(Event);
}

// ---- Scan roots -----------------------------------------------------------

bool TMainForm::StartScan(const std::string& Path)
{
  if (Path.empty())
    return false;
  const std::string Folder = TPathRules::Absolute(Path);
  if (Folder.empty())
    return false;
  // The rescanned root's nodes go away: its top node becomes current first.
  if (TRoot* Existing = FDriver.FindRoot(Folder))
    SetCurrentNode(Existing->FNode);
  if (!FDriver.StartScan(Folder))
    return false;
  TRoot* Root = FDriver.FindRoot(Folder);
  Root->FNode->FBold = FDisplay.FBoldFactor < 100;
  Root->FNode->FImageIndex = -1;
  SetCurrentNode(Root->FNode);
  RefreshCaption();
  FDrainTimer.start();
  RefreshStatus(false);
  return true;
}

bool TMainForm::RemoveRoot(TRoot* Root)
{
  TWaitCursor Wait;
  const bool WasHead = FDriver.RemoveRoot(Root);
  // The tree selects a neighbouring root by itself; it becomes current.
  FCurrentNode = SelectedNode();
  RefreshStatus(true);
  return WasHead;
}

void TMainForm::ReportError(int Code, const QString& Path)
{
  if (Code == 0)
    return;
  const QString Text = QString::fromLocal8Bit(std::strerror(Code));
  FErrorLines << (Path.isEmpty() ? Text : "Path " + Path + ": " + Text);
  // The box is brought up to date once per turn of the event loop, however
  // many failures a scan reports meanwhile.
  if (!FErrorBoxDue) {
    FErrorBoxDue = true;
    QTimer::singleShot(0, this, [this] { ShowErrors(); });
  }
}

void TMainForm::ShowErrors()
{
  FErrorBoxDue = false;
  if (!FErrorBox) {
    FErrorBox = new QMessageBox(QMessageBox::Warning, "Spacelens", QString(), QMessageBox::Ok, this);
    FErrorBox->setObjectName("ErrorBox");
    FErrorBox->setModal(false);
    // A box closed is a box emptied: the next failure opens a new one.
    connect(FErrorBox, &QMessageBox::finished, this, [this] { FErrorLines.clear(); });
  }
  // A long list stays readable: the first failures, and all of them below.
  constexpr int Shown = 10;
  QString Text = FErrorLines.mid(0, Shown).join('\n');
  if (FErrorLines.size() > Shown)
    Text += QString("\n\n%1 more failures are listed in the details.").arg(FErrorLines.size() - Shown);
  FErrorBox->setText(Text);
  FErrorBox->setDetailedText(FErrorLines.size() > Shown ? FErrorLines.join('\n') : QString());
  if (!FErrorBox->isVisible())
    FErrorBox->show();
}

void TMainForm::SetCurrentNode(TFolderNode* Node)
{
  if (Node && isVisible())
    FTreeView->setCurrentIndex(FModel->IndexOf(Node));
  FCurrentNode = Node;
}

TFolderNode* TMainForm::SelectedNode() const
{
  return TFolderModel::NodeOf(FTreeView->currentIndex());
}

void TMainForm::TreeNodesRemoved(const QModelIndex& Parent, int First, int Last)
{
  // The list lets go of records before they are freed, and is filled again
  // once the tree has settled.
  const TFolderNode* Listed = FList->Model().Folder();
  if (Listed && TFolderModel::NodeOf(Parent) == Listed) {
    ClearList();
    if (!FRefillDue) {
      FRefillDue = true;
      QTimer::singleShot(0, this, [this] {
        FRefillDue = false;
        RefillList();
      });
    }
  }
  for (int Row = First; Row <= Last; ++Row) {
    const TFolderNode* Removed = TFolderModel::NodeOf(FModel->index(Row, 0, Parent));
    for (const TFolderNode* Node = FCurrentNode; Node; Node = Node->Parent())
      if (Node == Removed)
        FCurrentNode = nullptr;
    for (const TFolderNode* Node = Listed; Node; Node = Node->Parent())
      if (Node == Removed)
        ClearList();
  }
}

void TMainForm::FileOpen()
{
  if (!FShellPilot->BrowseForFolder(""))
    return;
  if (FShellPilot->FolderSpecialKind() == TShellPilot::skComputer)
    ScanAllDrivesClick();
  else
    StartScan(FShellPilot->Folder());
}

void TMainForm::ScanAllDrivesClick()
{
  for (const std::string& Drive : LogicalDrives())
    StartScan(Drive);
}

void TMainForm::UpdateClick()
{
  std::vector<std::string> Paths;
  for (TRoot* Root = FDriver.Roots(); Root; Root = Root->FNext)
    Paths.push_back(Root->FPath);
  for (const std::string& Path : Paths)
    StartScan(Path);
}

void TMainForm::Update1Click()
{
  if (FCurrentNode)
    StartScan(FCurrentNode->FData->FRoot->FPath);
}

void TMainForm::UpdateBranch1Click()
{
  if (FCurrentNode && FDriver.UpdateBranch(FCurrentNode)) {
    FDrainTimer.start();
    RefreshStatus(false);
  }
}

void TMainForm::StopButtonClick()
{
  if (TFolderNode* Node = SelectedNode())
    FDriver.Stop(Node->FData->FRoot);
}

void TMainForm::RemoveClick()
{
  TFolderNode* Node = SelectedNode();
  SetCurrentNode(nullptr);
  if (Node)
    RemoveRoot(Node->FData->FRoot);
}

void TMainForm::RemoveFolderMenuItemClick()
{
  if (TFolderNode* Node = SelectedNode())
    PruneSmallFolders(Node);
}

void TMainForm::DrainScans()
{
  // A slice of each tick, so the window stays responsive however much the
  // workers found since the last one.
  FDriver.Drain(std::chrono::steady_clock::now() + std::chrono::milliseconds(15));
  FTreeView->viewport()->update();
  if (!FDriver.Scanning())
    FDrainTimer.stop();
  RefreshStatus(false);
}

void TMainForm::ScanProgress(TRoot* Root)
{
  TFolderNode* Top = Root->FNode;
  if (Top->ChildCount() == 1 && FDriver.Roots() == Root && !Root->FNext)
    FTreeView->expand(FModel->IndexOf(Top));
  SortChildren(Top);
  FModel->TreeNodeChanged(Top);
}

void TMainForm::ScanDone(TRoot* Root, bool Stopped)
{
  RefreshStatus(true);
  if (Stopped)
    return;
  const QModelIndex Top = FModel->IndexOf(Root->FNode);
  if (FTreeView->isExpanded(Top))
    TreeExpanding(Top);
  else
    FTreeView->expand(Top);
  if (FDisplay.FShowType == vtPercent)
    RefreshLabels(Root->FNode);
}

// ---- Tree -------------------------------------------------------------------

bool TMainForm::IsExpanded(const TFolderNode* Node) const
{
  return FTreeView->isExpanded(FModel->IndexOf(Node));
}

void TMainForm::SortChildren(TFolderNode* Node)
{
  if (FSortType == 1 || FSortType == 2)
    FTree.SortChildren(Node, [this](const TFolderNode* A, const TFolderNode* B) {
      return FDisplay.CompareNodes(A, B, FSortType) < 0;
    });
}

void TMainForm::TreeExpanding(const QModelIndex& Index)
{
  TFolderNode* Node = TFolderModel::NodeOf(Index);
  if (FBulkExpanding || !Node)
    return;
  SortChildren(Node);
  TFolderData* Record = Node->FData;
  if (!Record->FChildrenLabelled && !Record->FIncomplete)
    Record->FChildrenLabelled = true;
  if (!Record->FRoot->FWorker) {
    FDisplay.ApplyBold(Node, [this](const TFolderNode* Item) { return IsExpanded(Item); });
    FModel->RefreshChildren(Node);
  }
}

void TMainForm::TreeChange(const QModelIndex& Current)
{
  TFolderNode* Node = TFolderModel::NodeOf(Current);
  // While rows are being removed the tree must not be reordered; the new
  // current node's children are sorted when it is next expanded or selected.
  if (Node && !FModel->Removing())
    SortChildren(Node);
  FCurrentNode = Node;
  if (Node && (Node->Parent() || Node->ChildCount() > 0)) {
    RefreshStatus(true);
  } else {
    RefreshStatus(false);
    ClearList();
  }
  Action("ParentButton")->setEnabled(Node && Node->Parent());
}

void TMainForm::TreeContextMenu(const QPoint& Point)
{
  const QModelIndex Index = FTreeView->indexAt(Point);
  if (!Index.isValid())
    return;
  FTreeView->setCurrentIndex(Index);  // a right click selects
  FRootPopup->exec(FTreeView->viewport()->mapToGlobal(Point));
}

void TMainForm::RefreshLabels(TFolderNode* Node)
{
  FModel->RefreshLabels(Node);
}

void TMainForm::ResortTree(TFolderNode* Node)
{
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    SortChildren(Current);
    if (IsExpanded(Current))
      Pending.insert(Pending.end(), Current->Children().begin(), Current->Children().end());
  }
}

void TMainForm::ApplyShowFiles(TFolderNode* Node)
{
  FDriver.ApplyShowFiles(Node, TScanSettings::Current().FShowFiles);
  ResortTree(Node);
}

void TMainForm::PruneSmallFolders(TFolderNode* Node)
{
  TWaitCursor Wait;
  FDriver.PruneSmallFolders(Node, FDisplay.FShowType, FMinimumExpandSize);
}

void TMainForm::Sort1Click(int SortType)
{
  TWaitCursor Wait;
  FSortType = SortType;
  for (QAction* Item : FSortGroup->actions())
    Item->setChecked(Item->data().toInt() == SortType);
  FList->SetSortColumn(SortType - 1);
  for (TRoot* Root = FDriver.Roots(); Root; Root = Root->FNext)
    ResortTree(Root->FNode);
  if (SortType < 3)
    FList->Resort();
}

void TMainForm::View1Click(int ViewType)
{
  if (ViewType == FDisplay.FShowType)
    return;
  FDisplay.FShowType = ViewType;
  for (QAction* Item : FViewGroup->actions())
    Item->setChecked(Item->data().toInt() == ViewType);
  {
    TWaitCursor Wait;
    for (TRoot* Root = FDriver.Roots(); Root; Root = Root->FNext) {
      RefreshLabels(Root->FNode);
      // The tree repaints between roots; no click may remove one meanwhile.
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      ResortTree(Root->FNode);
    }
  }
  RefreshCaption();
  ListChange();
}

void TMainForm::CollapseAll(TFolderNode* Node)
{
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    if (!IsExpanded(Current))
      continue;
    FTreeView->collapse(FModel->IndexOf(Current));
    Pending.insert(Pending.end(), Current->Children().begin(), Current->Children().end());
  }
}

void TMainForm::ExpandClick()
{
  TWaitCursor Wait;
  if (!FCurrentNode)
    return;
  TFolderNode* Node = FCurrentNode;
  const bool Bold = !Node->FData->FRoot->FWorker;
  // Everything is sorted and marked first, then the view expands in one go.
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    SortChildren(Current);
    if (!Current->FData->FIncomplete)
      Current->FData->FChildrenLabelled = true;
    Pending.insert(Pending.end(), Current->Children().begin(), Current->Children().end());
  }
  FBulkExpanding = true;
  FTreeView->expandRecursively(FModel->IndexOf(Node));
  FBulkExpanding = false;
  if (Bold) {
    FDisplay.ApplyBold(Node, [this](const TFolderNode* Item) { return IsExpanded(Item); });
    RefreshLabels(Node);
  }
  FTreeView->scrollTo(FModel->IndexOf(Node->Parent() ? Node->Parent() : Node));
}

void TMainForm::CollapseClick()
{
  if (FCurrentNode)
    CollapseAll(FCurrentNode);
}

void TMainForm::Tolevel11Click(int Levels)
{
  TWaitCursor Wait;
  TFolderNode* Node = SelectedNode();
  if (!Node)
    return;
  TFolderNode* Top = Node->FData->FRoot->FNode;
  SetCurrentNode(Top);
  ExpandToLevel(Top, Levels, Levels > 50 ? FMinimumExpandSize : 0);
  FTreeView->scrollTo(FModel->IndexOf(Top));
}

void TMainForm::ExpandToLevel(TFolderNode* Node, int Levels, double Minimum)
{
  std::vector<std::pair<TFolderNode*, int>> Pending{{Node, Levels}};
  while (!Pending.empty()) {
    auto [Current, Left] = Pending.back();
    Pending.pop_back();
    if (Left <= 0 || Current->FData->GetValue(FDisplay.FShowType, 0) < Minimum) {
      CollapseAll(Current);
      continue;
    }
    FTreeView->expand(FModel->IndexOf(Current));
    for (TFolderNode* Child : Current->Children())
      Pending.push_back({Child, Left - 1});
  }
}

void TMainForm::SetMinimumExpandSizeClick(bool Ask)
{
  if (Ask) {
    QString Answer = QString("%1 MB").arg(FMinimumExpandSize);
    if (!TPrompt::Input(this, "Minimum Expand Size", "Specify the minimum size for expanding and removing:", Answer))
      return;
    // The leading digits count; the preset " MB" and anything after are ignored.
    int Digits = 0;
    while (Digits < Answer.size() && Answer[Digits].isDigit() && Answer[Digits].unicode() < 128)
      ++Digits;
    bool Valid = false;
    const int Value = Answer.left(Digits).toInt(&Valid);
    if (!Valid) {
      TPrompt::Warn(this, "Minimum Expand Size", "Sorry, this was not a valid number.");
      return;
    }
    FMinimumExpandSize = Value;
  }
  QAction* Remove = Action("RemoveFolderMenuItem");
  Remove->setText(WithSize(Remove->text(), "<", FMinimumExpandSize));
  QAction* Over = Action("ExpandOver1");
  Over->setText(WithSize(Over->text(), ": ", FMinimumExpandSize));
}

void TMainForm::CountFolders1Click()
{
  if (!FCurrentNode)
    return;
  TFolderNode* Top = FCurrentNode->FData->FRoot->FNode;
  int Count = 0;
  std::vector<TFolderNode*> Pending(Top->Children().begin(), Top->Children().end());
  while (!Pending.empty()) {
    TFolderNode* Node = Pending.back();
    Pending.pop_back();
    if (Node->FData->FIsFiles)
      continue;
    ++Count;
    Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
  }
  TPrompt::Inform(this, "Count Folders",
                  QString("     %1 has %2 Folders.     ").arg(FDisplay.NodeCaption(Top->FData)).arg(Count));
}

void TMainForm::ParentButtonClick()
{
  TFolderNode* Node = SelectedNode();
  if (Node && Node->Parent())
    SetCurrentNode(Node->Parent());
}

// ---- Status bar and caption -------------------------------------------------

void TMainForm::SetPanel(int Panel, const QString& Text)
{
  FPanels[Panel]->setText(Text);
}

QString TMainForm::StatusText(int Panel) const
{
  return FPanels[Panel]->text();
}

QString TMainForm::ClusterText(const TRoot* Root) const
{
  const uint32_t Size = Root->FCompressed ? Root->FBytesPerSector * Root->FSectorsPerCluster : Root->FClusterSize;
  return QString("%1 Bytes per Cluster (%2)").arg(Size).arg(TPathRules::Shown(Root->FFileSystem));
}

void TMainForm::RefreshStatus(bool Refresh)
{
  const bool HasRoots = FDriver.Roots() != nullptr;
  if (Refresh) {
    Action("UpdateAll1")->setEnabled(HasRoots);
    FBranchMenu->menuAction()->setEnabled(HasRoots);
    if (FCurrentNode)
      RefillList();
  }
  Action("RemoveButton")->setEnabled(SelectedNode() != nullptr);
  if (HasRoots && FCurrentNode) {
    const TRoot* Root = FCurrentNode->FData->FRoot;
    QString Free = "Free Space: ";
    uint64_t TotalKB = 0, FreeKB = 0;
    if (Root->FTotalKB > 0 && GetDiskSpaceKB(Root->FDrive, TotalKB, FreeKB) == 0)
      Free += QString("%1 MB (of %2 MB)").arg(qRound64(FreeKB / 1024.0)).arg(qRound64(TotalKB / 1024.0));
    SetPanel(0, Free);
    const uint64_t Objects = Root->FNode->FData->FObjects;
    SetPanel(1, Objects > 0 ? QString("%1 Objects").arg(Objects - 1) : QString());
    SetPanel(2, {});
    SetPanel(3, ClusterText(Root));
    Action("StopButton")->setVisible(Root->FWorker != nullptr);
    Action("RemoveButton")->setVisible(Root->FWorker == nullptr);
  } else {
    SetPanel(1, "0 Objects");
    SetPanel(0, {});
    Action("StopButton")->setVisible(false);
    Action("RemoveButton")->setVisible(true);
  }
}

void TMainForm::RefreshCaption()
{
  const std::vector<std::string>& Filter = TScanSettings::Current().FFileFilter;
  QString Caption = "Spacelens";
  if (!Filter.empty() && Filter[0] != "*" && Filter[0] != "*.*")
    Caption += " " + TPathRules::Shown(Filter[0]) + " " + (Filter.size() > 1 ? TPathRules::Shown(Filter[1]) : QString());
  setWindowTitle(Caption + " - (" + TValueDisplay::ViewTypeName(FDisplay.FShowType) + ")");
}

void TMainForm::ShowHint(const QString& Hint)
{
  if (!Hint.isEmpty()) {
    SetPanel(3, Hint);
    return;
  }
  const TFolderNode* Node = SelectedNode();
  SetPanel(3, Node ? ClusterText(Node->FData->FRoot) : QString());
}

// ---- Details list -----------------------------------------------------------

void TMainForm::ClearList()
{
  ++*FListGeneration;
  FList->Model().Clear();
}

static bool IsReparsePoint(TFolderNode* Node)
{
  if (!Node->Parent())
    return false;  // a folder the user chose is always entered
  std::string Path = Node->FData->FullPath();
  Path.pop_back();
  struct stat Own;
  return lstat(Path.c_str(), &Own) == 0 && (S_ISLNK(Own.st_mode) || TDirectory::IsMountPoint(Path));
}

void TMainForm::RefillList()
{
  if (!FCurrentNode || !FCurrentNode->FData || !FList->isVisible())
    return;
  if (FTimerTag == 0) {
    FTimer.start();
    FTimerTag = 1;
    return;
  }
  TWaitCursor Wait;
  ++*FListGeneration;
  FList->Model().SetFolder(FCurrentNode);
  TFolderData* Record = FCurrentNode->FData;
  if (!Record->FIncomplete)
    Record->FChildrenLabelled = true;
  FList->Resort();
  const TScanSettings& Settings = TScanSettings::Current();
  if (Settings.FShowFiles && (Settings.FFollowReparsePoints || !IsReparsePoint(FCurrentNode)))
    ListFiles(FCurrentNode);
  ListChange();
}

void TMainForm::ListFiles(TFolderNode* Node)
{
  // A folder of many files is listed on a thread of its own; its folder rows
  // are there already and the window stays responsive meanwhile. The thread
  // works on copies only (the root is just stored in the records), stops
  // early once a newer refill was asked for, and hands its rows to the main
  // thread, where they are dropped unless the window is still there and they
  // belong to its latest refill. It is never waited for: a listing stuck on a
  // hung network share holds up nothing.
  const int Generation = *FListGeneration;
  const std::shared_ptr<std::atomic<int>> Current = FListGeneration;
  const std::string Folder = Node->FData->FullPath();
  const std::vector<std::string> Patterns = TScanSettings::Current().FFileFilter;
  TRoot* Root = Node->FData->FRoot;
  const uint32_t ClusterSize = Root->FClusterSize;
  const QPointer<TMainForm> Window(this);
  try {
    std::thread([Window, Folder, Patterns, Root, ClusterSize, Current, Generation] {
      std::vector<TListedFile> Files;
      const int Error = TFileListing::List(Folder, Patterns, Files, [&] { return *Current != Generation; });
      if (*Current != Generation)
        return;
      auto Rows = std::make_shared<std::vector<TListModel::TRow>>(TListModel::MakeFileRows(Files, Root, ClusterSize));
      QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [Window, Folder, Rows, Error, Generation] {
          if (!Window || Generation != *Window->FListGeneration)
            return;
          if (Error)
            Window->ReportError(Error, TPathRules::Shown(Folder));
          Window->FList->Model().AddRows(std::move(*Rows));
          Window->FList->Resort();
        },
        Qt::QueuedConnection);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the list shows the folder rows alone.
  }
}

void TMainForm::ListChange()
{
  if (QCoreApplication::closingDown())
    return;
  const QModelIndexList Rows = FList->selectionModel()->selectedRows();
  if (Rows.size() <= 1) {
    if (FCurrentNode)
      SetPanel(1, QString("%1 Objects").arg(FCurrentNode->FData->FObjects.Load()));
    SetPanel(2, {});
    return;
  }
  if (QApplication::overrideCursor() || !FCurrentNode)
    return;
  TFolderData Sum(nullptr, FCurrentNode->FData->FRoot);
  for (const QModelIndex& Row : Rows) {
    const TFolderData* Record = FList->Model().Record(Row.row());
    Sum.FClusters += Record->FClusters.Load();
    Sum.FTailBytes += Record->FTailBytes.Load();
    Sum.FObjects += Record->FObjects.Load();
  }
  Sum.FIncomplete = false;
  if (FDisplay.FShowType == vtPercent)
    SetPanel(2, TValueDisplay::Number(double(Sum.FClusters.Load()) * 100
                                        / (double(FCurrentNode->FData->FClusters.Load()) + 0.0001),
                                      std::clamp(FDisplay.FDecimals - 1, 0, 3))
                  + " %");
  else
    SetPanel(2, FDisplay.FormatValue(&Sum, FDisplay.FShowType, false));
  SetPanel(1, QString("%1 Objects").arg(Rows.size()));
}

void TMainForm::SelectAllRows()
{
  {
    TWaitCursor Wait;
    FList->selectAll();
    FList->setFocus();
  }
  ListChange();
}

void TMainForm::ListButtonClick()
{
  Action("ListButton")->setChecked(true);
  FRightPane->setCurrentWidget(FList);
  FTimerTag = 3;
  RefillList();
}

void TMainForm::Options1Click()
{
  TOptionDlg Dialog(*this);
  Dialog.Load();
  TScanSettings& Settings = TScanSettings::Current();
  const bool FilesBefore = Settings.FShowFiles;
  if (Dialog.exec() != QDialog::Accepted)
    return;
  bool Changed = false;
  auto Update = [&Changed](int& Setting, int Value) {
    if (Setting != Value) {
      Setting = Value;
      Changed = true;
    }
  };
  Update(FDisplay.FUnitType, Dialog.UnitGroup->checkedId());
  Update(FDisplay.FDecimals, Dialog.DecimalSpin->value() + 1);
  Update(FDisplay.FBoldFactor, Dialog.BoldFactorSpin->value());
  FMRUMaximum = Dialog.MRUSpin->value();
  Settings.SetFileFilter(Dialog.Filteredit->text().toLocal8Bit().toStdString(), 63);
  for (int Column = 0; Column < TListModel::lcCount; ++Column) {
    const bool Shown = Dialog.ColumnList->item(Column)->checkState() == Qt::Checked;
    if (!Shown)
      FList->SetColumnWidth(Column, 0);
    else if (FList->ColumnWidth(Column) < 3)
      FList->SetColumnWidth(Column, 90);
  }
  Settings.FShowFiles = Dialog.FilesCheckbox->isChecked();
  FChartTool = Dialog.ChartToolBarCB->isChecked();
  Settings.FShowErrors = Dialog.ErrorCheckBox->isChecked();
  Settings.FFollowReparsePoints = Dialog.FollowLinksCheckBox->isChecked();

  {
    TWaitCursor Wait;
    std::vector<std::string> Paths;
    for (TRoot* Root = FDriver.Roots(); Root; Root = Root->FNext)
      Paths.push_back(Root->FPath);
    for (const std::string& Path : Paths) {
      TRoot* Root = FDriver.FindRoot(Path);
      if (!Root)
        continue;
      if (Dialog.WantsRescan()) {
        if (const int Size = Dialog.ChosenClusterSize())
          SetUserClusterSize(*Root, uint32_t(Size));
        else if (Root->FFileSystem == UserDefinedFileSystem)
          ClearUserClusterSize(*Root);
        StartScan(Path);
        continue;
      }
      if (Changed) {
        FDisplay.ApplyBold(Root->FNode, [this](const TFolderNode* Node) { return IsExpanded(Node); });
        RefreshLabels(Root->FNode);
      }
      if (Settings.FShowFiles != FilesBefore) {
        // A root still being scanned is scanned again with the new setting.
        if (Root->FWorker)
          StartScan(Path);
        else
          ApplyShowFiles(Root->FNode);
      }
    }
  }
  RefreshCaption();
  RefillList();
}
