// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"

#include "app/CompareCommands.h"
#include "app/ErrorBox.h"
#include "app/FilesCommands.h"
#include "app/HeadlessScan.h"
#include "app/MainActions.h"
#include "app/RightPane.h"
#include "app/RootCommands.h"
#include "app/ShellCommands.h"
#include "app/TreeCommands.h"
#include "app/TypesCommands.h"
#include "charts/ChartPane.h"
#include "files/FilesList.h"
#include "fs/PathRules.h"
#include "print/PrintCommands.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/MRUList.h"
#include "shell/Prompt.h"
#include "shell/ShellPilot.h"
#include "shell/WaitCursor.h"
#include "shell/ZelSystemImageList.h"
#include "types/TypesList.h"
#include "view/DetailsList.h"
#include "view/FileClass.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ScanProgress.h"
#include "view/StatusPanels.h"
#include "widgets/DriveBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

TMainForm::TMainForm(const std::vector<std::string>& Arguments) : FArguments(Arguments)
{
  setWindowTitle("Spacelens");
  FModel = std::make_unique<TFolderModel>(FTree, FDisplay);
  FShellPilot = new TShellPilot(this);
  FErrorBox = new TErrorBox(this);

  FTreeView = new TFolderTreeView(*FModel);
  FRightPane = new TRightPane(FDisplay, FTree, FDriver.FSettings, [this] { return FCurrentNode; });
  FTree.AddListener(FRightPane);
  FTree.AddListener(this);
  // Each folder keeps the sizes and kinds of its files for the treemap.
  FDriver.FSettings.FFileKind = [](const char* Name, bool Executable) {
    return uint8_t(TFileClass::Of(Name, Executable));
  };
  FRightPane->OnSelect = [this](TFolderNode* Folder) { SetCurrentNode(Folder); };
  FRightPane->OnHint = [this](const QString& Text) { FPanels->SetText(TStatusPanels::spHint, Text); };
  FList = &FRightPane->List();
  FCharts = &FRightPane->Charts();
  FList->OnListError = [this](int Code, const std::string& Folder) { ReportError(Code, TPathRules::Shown(Folder)); };
  FSplitter = new QSplitter;
  FSplitter->setHandleWidth(4);
  FSplitter->addWidget(FTreeView);
  FSplitter->addWidget(FRightPane);
  FSplitter->setStretchFactor(1, 1);
  setCentralWidget(FSplitter);
  FPanels = std::make_unique<TStatusPanels>(statusBar());
  FProgress = new TScanProgress(FDisplay);
  statusBar()->addPermanentWidget(FProgress);
  FCommands = std::make_unique<TTreeCommands>(FTreeView, *FModel, FTree, FDisplay);
  FPrinting = std::make_unique<TPrintCommands>(this, FDisplay, FSettings.FMargins);
  FPrinting->FSelected = [this] { return SelectedNode(); };
  FPrinting->FTops = [this] { return FTree.TopNodes(); };
  FPrinting->FIsExpanded = [this](const TFolderNode* Node) { return FCommands->IsExpanded(Node); };
  FPrinting->FShownPicture = [this] { return FRightPane->ShownPicture(); };
  FPrinting->FList = [this]() -> const TListModel* { return &FList->Model(); };
  FPrinting->FListing = [this] { return FList->Listing(); };
  FPrinting->OnProgress = [this](const QString& Text) {
    FPanels->SetText(TStatusPanels::spHint, Text);
    statusBar()->repaint();
  };
  FPrinting->OnDone = [this] { RefreshStatus(false); };
  FPrinting->OnTitleChanged = [this] { FRightPane->RefillPicture(); };
  FActions = std::make_unique<TMainActions>(*this);
  FRecent = new TMRUFileList(this);
  FRecent->FRemoveOnClick = false;
  FRecent->SetMaximum(6);
  FRecent->SetFileMenu(FActions->FFileExitSeparator);
  FRecent->OnMRUItemClick = [this](const std::string& Place) { FRoots->Open(Place); };
  FDriveBox = new TDriveBox(*FRecent);
  FDriveBox->OnScan = [this] { FRoots->ScanbuttonClick(); };
  FActions->FFolderBar->insertWidget(Action("ScanButton"), FDriveBox);
  FShellCommands = std::make_unique<TShellCommands>(*FShellPilot, FTree, *FModel, FTreeView, FList, FDisplay);
  FShellCommands->FRootPopup = FActions->FRootPopup;
  FShellCommands->FPartPopup = FActions->FPartPopup;
  FShellCommands->OnCurrentNode = [this](TFolderNode* Node) {
    // A right click selects; on empty space there is no current node.
    if (Node)
      FTreeView->setCurrentIndex(FModel->IndexOf(Node));
    FCurrentNode = Node;
  };
  FShellCommands->OnTotalsChanged = [this] {
    FDriver.ListFilesAgain(FList->Model().Folder());
    FPanels->ForgetFreeSpace();
    RefreshStatus(false);
    FList->viewport()->update();
    FRightPane->RefillPicture();
    ListChange();
  };
  FShellCommands->OnTreeKey = [this] { FRightPane->TreeKeyPressed(); };
  FFilesCommands = std::make_unique<TFilesCommands>(
    TFilesCommands::TParts{*FShellPilot, FTree, FDriver, FRightPane->Files(), *FShellCommands},
    [this](TFolderNode* Folder, const std::string& Name) {
      SetCurrentNode(Folder);
      FList->SelectWhenListed(Name);
      ListButtonClick();
    });
  FTypesCommands =
    std::make_unique<TTypesCommands>(FRightPane->Types(), FRightPane->Files(), [this] { FilesButtonClick(); });
  FCompare = std::make_unique<TCompareCommands>(*this);
  FPrinting->FShownRows = [this]() -> std::optional<TRowsReport::TRows> {
    if (FRightPane->ShowsFiles() || FRightPane->ShowsTypes())
      return FRightPane->ShowsFiles() ? FFilesCommands->Report() : FTypesCommands->Report();
    return std::nullopt;
  };
  FShellCommands->OnCountAgain = [this](TFolderNode* Folder, const QString& Why) {
    if (FRoots->UpdateBranch(Folder))
      statusBar()->showMessage(Why, 10000);
  };

  connect(FCharts->ToolButton10, &QAction::triggered, this, [this] { FPrinting->PrintChartMenuClick(false); });
  FCharts->AddModeActions(Action("PieButton"), Action("BarButton"));
  FCharts->OnSortChildren = [this](TFolderNode* Node) {
    if (!FModel->Removing())
      FCommands->SortChildren(Node);
  };
  FCharts->OnDrillDown = [this](int Child) { ChartDrillDown(Child); };

  connect(FTreeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& Current) { TreeChange(Current); });
  FTreeView->OnExpanded = [this](TFolderNode* Node) { FCommands->Expanding(Node); };
  connect(FTreeView, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& Point) { FShellCommands->TreeMouseUp(Point); });
  FList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FList, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& Point) { FShellCommands->ListMouseUp(Point); });
  connect(FList, &QAbstractItemView::doubleClicked, this, [this] { FShellCommands->ListDblClick(); });
  FTreeView->installEventFilter(this);
  FList->installEventFilter(this);
  // After the view has taken the new order, in an event of its own.
  connect(FModel.get(), &QAbstractItemModel::layoutChanged, FCharts, &TChartPane::FollowTreeOrder,
          Qt::QueuedConnection);
  connect(FList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { ListChange(); });
  connect(&FList->Model(), &QAbstractItemModel::modelReset, this, [this] { ListChange(); });
  connect(FTreeView, &QAbstractItemView::clicked, FRightPane, &TRightPane::TreeClicked);

  FModel->FIsExpanded = [this](const TFolderNode* Node) { return FCommands->IsExpanded(Node); };
  FRoots = std::make_unique<TRootCommands>(
    this,
    TRootCommands::TParts{FDriver, *FCommands, *FModel, FDisplay, FSettings, *FShellPilot, *FRecent, *FDriveBox,
                          *FProgress, *FPanels, *FErrorBox});
  FRoots->FCurrent = [this] { return FCurrentNode; };
  FRoots->FSelected = [this] { return SelectedNode(); };
  FRoots->OnCurrent = [this](TFolderNode* Node) { SetCurrentNode(Node); };
  FRoots->OnFocusTree = [this] { FTreeView->setFocus(); };
  FRoots->OnStatus = [this](bool Refresh) { RefreshStatus(Refresh); };
  FRoots->OnCaption = [this] { RefreshCaption(); };
  FRoots->OnMessage = [this](const QString& Text) { statusBar()->showMessage(Text, 10000); };

  FormCreate();
}

TMainForm::~TMainForm()
{
  // Scans still running end without calling back into a window that goes;
  // the list and the model let go of the tree before the driver frees it.
  FDriver.SetListener(nullptr);
  FTree.RemoveListener(this);
  FTree.RemoveListener(FRightPane);
  FRightPane->Clear();
  FTreeView->setModel(nullptr);
  FModel.reset();
}

QAction* TMainForm::Action(const QString& Name) const
{
  return FActions->Action(Name);
}

void TMainForm::FormCreate()
{
  FSettings.Load(FStore, false);
  FSettings.ApplyTo(FDisplay, *FCommands, FDriver.FSettings);
  // Loaded under the form's maximum; the stored one applies from then on.
  FRecent->LoadFromRegistry(FStore.Store());
  FRecent->SetMaximum(FSettings.FMRUMaximum);
  const QRect Frame = FSettings.Frame();
  setGeometry(Frame);
  FSplitter->setSizes({FSettings.FSplitter, std::max(100, Frame.width() - FSettings.FSplitter - 4)});
  FList->LoadLayout(FStore.Store());
  FRightPane->Files().LoadLayout(FStore.Store());
  FRightPane->Types().LoadLayout(FStore.Store());
  // The list sorts by the column that matches the tree's sort mode.
  FList->FollowTree(TValueDisplay::TSortType(FSettings.FSortType), FDisplay.FShowType);
  if (FSettings.FMaximized)
    setWindowState(Qt::WindowMaximized);
  // A second copy started meanwhile opens 20 pixels lower and further right.
  FStore.SetInteger("Top", Frame.top() + 20);
  FStore.SetInteger("Left", Frame.left() + 20);

  FActions->CheckSort(FCommands->FSortType);
  FActions->CheckView(FDisplay.FShowType);
  FActions->CheckUnit(FDisplay.FUnitType);
  SetMinimumExpandSizeClick(false);
  // The icons every tree shows are loaded now rather than at the first scan.
  TZelSystemImageList::FilesIconIndex();
  TZelSystemImageList::IconIndex(QDir::homePath().toLocal8Bit().toStdString());
  FCharts->ApplySettings(FSettings.FChartTool, FSettings.FChart3D, FSettings.FChartLegend, FSettings.FChartPatterns);
  // The page shown last, by its number in the settings (in the order of
  // TRightPane::TSeries); the bars for any other.
  static const char* const Pages[] = {"PieButton",     "BarButton",   "ListButton",
                                      "TreemapButton", "FilesButton", "TypesButton"};
  static_assert(std::size(Pages) == TRightPane::psTypes + 1);
  const int Page = FSettings.FActiveSeries;
  Action(Page >= 0 && Page < int(std::size(Pages)) ? Pages[Page] : "BarButton")->trigger();
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
  FSettings.Load(FStore, true);
  FDriver.FSettings.FShowErrors = FSettings.FShowErrors;
  FDisplay.MeasureFont(font());
  if (FSettings.FToolBarBreak)
    insertToolBarBreak(FActions->FViewBar);
  if (FSettings.FToolBar1Width > 0)
    FActions->FFolderBar->setMinimumWidth(std::min(FSettings.FToolBar1Width, width()));
  FDriveBox->SelectStart();
  RefreshStatus(true);
  // The window is on screen before the first scan starts.
  QTimer::singleShot(0, this, [this] { ProcessCommandLine(); });
}

void TMainForm::ProcessCommandLine()
{
  // Folders that cannot be scanned are told in the one box of failures, so
  // the others scan at once.
  bool OptionsEnded = false;
  for (const std::string& Argument : FArguments)
    if (Argument == "--" && !OptionsEnded)
      OptionsEnded = true;
    else if (!THeadlessScan::IsNoFolder(Argument))
      FRoots->Open(Argument);
}

void TMainForm::closeEvent(QCloseEvent* Event)
{
  FormClose();
  QMainWindow::closeEvent(Event);
}

void TMainForm::FormClose()
{
  FSettings.FMaximized = isMaximized();
  // No worker may still touch the tree when it is freed.
  for (TRoot* Root = FDriver.Roots(); Root; Root = Root->FNext)
    FDriver.Await(Root);
  FRoots->StopDraining();

  FSettings.TakeFrom(FDisplay, *FCommands, FDriver.FSettings);
  FSettings.SetFrame(FSettings.FMaximized ? normalGeometry() : geometry(), devicePixelRatioF());
  FSettings.FSplitter = FSplitter->sizes().value(0, 222);
  FSettings.FToolBar1Width = FActions->FFolderBar->width();
  FSettings.FActiveSeries = FRightPane->Series();
  FSettings.FChart3D = FCharts->View3DButton->isChecked();
  FSettings.FChartLegend = FCharts->ShowLegendButton->isChecked();
  FSettings.FChartPatterns = FCharts->PatternButton->isChecked();
  FSettings.FMRUMaximum = FRecent->Maximum();
  FSettings.Save(FStore);
  FList->SaveLayout(FStore.Store());
  FRightPane->Files().SaveLayout(FStore.Store());
  FRightPane->Types().SaveLayout(FStore.Store());
  FRecent->SaveToRegistry(FStore.Store());
  FStore.Store().sync();
}

bool TMainForm::event(QEvent* Event)
{
  if (Event->type() == QEvent::StatusTip) {
    FPanels->ShowHint(static_cast<QStatusTipEvent*>(Event)->tip(), SelectedRoot());
    return true;
  }
  return QMainWindow::event(Event);
}

// ---- Scan roots -----------------------------------------------------------

bool TMainForm::StartScan(const std::string& Path)
{
  return FRoots->StartScan(Path);
}

bool TMainForm::RemoveRoot(TRoot* Root)
{
  return FRoots->RemoveRoot(Root);
}

void TMainForm::ReportError(int Code, const QString& Path)
{
  FErrorBox->Report(Code, Path);
}

bool TMainForm::Busy() const
{
  return FCommands->Busy();
}

void TMainForm::SetCurrentNode(TFolderNode* Node)
{
  if (Node && isVisible())
    FTreeView->setCurrentIndex(FModel->IndexOf(Node));
  FCurrentNode = Node;
}

TFolderNode* TMainForm::SelectedNode() const
{
  return FTreeView->CurrentFolder();
}

const TRoot* TMainForm::SelectedRoot() const
{
  const TFolderNode* Node = SelectedNode();
  return Node ? Node->Root() : nullptr;
}

void TMainForm::SpeedButton2Click()
{
  FShellPilot->ConnectNetworkDrive();
}

void TMainForm::EmptyTrashClick()
{
  FRoots->EmptyTrashClick();
  RefreshStatus(false);
  FRightPane->RefillPicture();
}

// ---- Tree -------------------------------------------------------------------

void TMainForm::TreeChange(const QModelIndex& Current)
{
  TFolderNode* Node = TFolderModel::NodeOf(Current);
  // While rows are being removed the tree must not be reordered; the new
  // current node's children are sorted when it is next expanded or selected.
  if (Node && !FModel->Removing())
    FCommands->SortChildren(Node);
  FCurrentNode = Node;
  if (!Node)
    FRightPane->Clear();
  RefreshStatus(Node != nullptr);
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event)
{
  if (Event->type() == QEvent::KeyPress) {
    auto* Key = static_cast<QKeyEvent*>(Event);
    if (Watched == FTreeView && FShellCommands->TreeKeyDown(Key))
      return true;
    if (Watched == FList && FShellCommands->ListKeyDown(Key))
      return true;
  }
  return QMainWindow::eventFilter(Watched, Event);
}

void TMainForm::openClick(int Tag)
{
  FShellCommands->openClick(FCurrentNode, Tag);
}

void TMainForm::Properties1Click()
{
  FShellCommands->Properties1Click(FCurrentNode);
}

void TMainForm::TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last)
{
  if (FCurrentNode && FCurrentNode->IsWithin(Parent, First, Last))
    FCurrentNode = nullptr;
}

void TMainForm::Sort1Click(TValueDisplay::TSortType SortType)
{
  TWaitCursor Wait;
  FCommands->FSortType = SortType;
  if (SortType != TValueDisplay::stChange)
    FDisplay.FSortBesideChange = SortType;
  FActions->CheckSort(SortType);
  FList->FollowTree(SortType, FDisplay.FShowType);
  FCommands->ResortAll(false);
  FRightPane->RefillPicture();
}

void TMainForm::View1Click(TViewType ViewType)
{
  if (ViewType == FDisplay.FShowType)
    return;
  FDisplay.FShowType = ViewType;
  FActions->CheckView(ViewType);
  if (FCommands->FSortType == TValueDisplay::stSize)
    FList->FollowTree(TValueDisplay::stSize, ViewType);
  {
    TWaitCursor Wait;
    FCommands->ResortAll(true);
  }
  RefreshCaption();
  ListChange();
  FRightPane->RefillPicture();
}

void TMainForm::Unit1Click(int UnitType)
{
  FDisplay.FUnitType = TValueDisplay::TUnitType(UnitType);
  FActions->CheckUnit(UnitType);
  FCommands->Relabel(nullptr, false);
  FList->FitColumns();
  RefreshStatus(false);
  FList->viewport()->update();
  ListChange();
  FRightPane->RefillPicture();
}

void TMainForm::ExpandClick()
{
  TWaitCursor Wait;
  if (FCurrentNode)
    FCommands->FullExpand(FCurrentNode);
}

void TMainForm::CollapseClick()
{
  if (FCurrentNode)
    FCommands->CollapseAll(FCurrentNode);
}

void TMainForm::Tolevel11Click(int Levels)
{
  TWaitCursor Wait;
  TFolderNode* Node = SelectedNode();
  if (!Node)
    return;
  TFolderNode* Top = Node->Root()->FNode;
  SetCurrentNode(Top);
  FCommands->ExpandToLevel(Top, Levels, Levels > 50 ? FCommands->FMinimumExpandSize : 0);
  FTreeView->scrollTo(FModel->IndexOf(Top));
}

void TMainForm::SetMinimumExpandSizeClick(bool Ask)
{
  if (Ask)
    FCommands->AskMinimumExpandSize();
  FActions->ShowMinimumSize(FCommands->FMinimumExpandSize);
}

void TMainForm::CountFolders1Click()
{
  if (FCurrentNode)
    FCommands->TellFolderCount(FCurrentNode->Root()->FNode);
}

void TMainForm::ParentButtonClick()
{
  TFolderNode* Node = SelectedNode();
  if (Node && Node->Parent())
    SetCurrentNode(Node->Parent());
}

// ---- Status bar and caption -------------------------------------------------

void TMainForm::RefreshStatus(bool Refresh)
{
  const bool HasRoots = FDriver.Roots() != nullptr;
  if (Refresh) {
    for (const char* Name : {"UpdateAll1", "Print1", "PrintButton", "PrintChartMenu", "TitleMenu"})
      Action(Name)->setEnabled(HasRoots);
    FActions->FBranchMenu->menuAction()->setEnabled(HasRoots);
    if (FCurrentNode)
      RefillList();
  }
  const TFolderNode* Selected = SelectedNode();
  Action("Update1")->setEnabled(Selected != nullptr);
  Action("ParentButton")->setEnabled(Selected && Selected->Parent());
  const TRoot* Root = HasRoots && FCurrentNode ? FCurrentNode->Root() : nullptr;
  FPanels->ShowFolder(Root ? FCurrentNode : nullptr, FDisplay);
  FPanels->SetText(TStatusPanels::spChange, FCompare->StatusText());
  // Each in a place of its own: a double click on Stop never removes the
  // root whose scan it stopped.
  Action("StopButton")->setEnabled(Root && Root->Scanning());
  Action("RemoveButton")->setEnabled(Selected && !(Root && Root->Scanning()));
}

void TMainForm::RefreshCaption()
{
  const std::vector<std::string>& Filter = FDriver.FSettings.FFileFilter;
  QString Caption = "Spacelens";
  if (!Filter.empty() && Filter[0] != "*" && Filter[0] != "*.*")
    Caption +=
      " " + TPathRules::Shown(Filter[0]) + " " + (Filter.size() > 1 ? TPathRules::Shown(Filter[1]) : QString());
  setWindowTitle(Caption + " - (" + TValueDisplay::ViewTypeName(FDisplay.FShowType) + ")");
}

// ---- Details list -----------------------------------------------------------

void TMainForm::RefillList()
{
  FRightPane->Refill();
  ListChange();
}

void TMainForm::ListChange()
{
  if (QCoreApplication::closingDown() || !FCurrentNode)
    return;
  const std::vector<const TFolderData*> Rows = FList->SelectedRecords();
  // Summed once the wait cursor of a long selection is gone.
  if (Rows.size() > 1 && QApplication::overrideCursor())
    return;
  FPanels->ShowSelection(Rows, FCurrentNode, FDisplay);
}

void TMainForm::SelectAllRows()
{
  if (FRightPane->SelectAllRows())
    ListChange();
}

void TMainForm::ListButtonClick()
{
  FActions->CheckMode("ListButton", tr("Print &Folder Contents..."));
  FRightPane->ShowList();
  ListChange();
}

// ---- Charts -----------------------------------------------------------------

void TMainForm::TreemapButtonClick()
{
  FActions->CheckMode("TreemapButton", tr("Print Tree&map..."));
  FRightPane->ShowTreemap();
}

void TMainForm::FilesButtonClick()
{
  FActions->CheckMode("FilesButton", tr("Print &Files..."));
  FRightPane->ShowFiles();
}

void TMainForm::TypesButtonClick()
{
  FActions->CheckMode("TypesButton", tr("Print T&ypes..."));
  FRightPane->ShowTypes();
}

void TMainForm::PiebuttonClick()
{
  FActions->CheckMode("PieButton", tr("Print C&hart..."));
  FRightPane->ShowChart();
  FCharts->ShowPie();
}

void TMainForm::barbuttonClick()
{
  FActions->CheckMode("BarButton", tr("Print C&hart..."));
  FRightPane->ShowChart();
  FCharts->ShowBar();
}

void TMainForm::ChartDrillDown(int Child)
{
  TFolderNode* Node = SelectedNode();
  if (!Node)
    return;
  FTreeView->Expand(Node);
  if (Child >= 0 && size_t(Child) < Node->ChildCount())
    SetCurrentNode(Node->Child(Child));
}
