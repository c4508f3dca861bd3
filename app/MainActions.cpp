// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainActions.h"

#include "app/CompareCommands.h"
#include "app/DuplicatesDlg.h"
#include "app/MainForm.h"
#include "app/Manual.h"
#include "app/OptionCommands.h"
#include "app/RightPane.h"
#include "app/RootCommands.h"
#include "app/ToolIcons.h"
#include "charts/ChartIcons.h"
#include "print/PrintCommands.h"
#include "view/FolderTreeView.h"
#include "widgets/DriveBox.h"
#include "widgets/PaneFocus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QToolBar>

namespace {

using THandler = void (*)(TMainForm& Form, int Tag);

struct TActionRow {
  const char* Name;
  const char* Caption;
  const char* Hint;  // "short|long": the tool tip, then the status-bar text
  THandler Handler;
  int Tag = 0;
  const char* Icon = nullptr;        // theme icon of the tool button
  const char* ButtonText = nullptr;  // text of a text-only tool button
};

const TActionRow ActionTable[] = {
  {"FileOpen1", "Select &Directory...", "Open Folder|Select a folder to scan",
   [](TMainForm& F, int) { F.Roots().FileOpen(); }, 0, "folder-open"},
  {"ScanAllDrives1", "Scan &All Drives", "Scan All Drives|Scan every mounted drive",
   [](TMainForm& F, int) { F.Roots().ScanAllDrivesClick(); }},
  {"ImportScan1", "&Import Scan...", "Import Scan|Show a scan exported by ncdu, gdu or Spacelens",
   [](TMainForm& F, int) { F.Roots().ImportScanClick(); }},
  {"ScanRemote1", "Scan &Remote...", "Scan Remote|Scan a folder on another machine over SSH",
   [](TMainForm& F, int) { F.Roots().ScanRemoteClick(); }},
  {"ScanAsAdministrator1", "Scan as Admi&nistrator...",
   "Scan as Administrator|Scan a folder that only the administrator may read, asking for the password",
   [](TMainForm& F, int) { F.Roots().ScanAsAdministratorClick(); }},
  {"CompareButton", "&Compare With...",
   "Compare|Compare the folder with an earlier scan: what grew, what is new, what is gone",
   [](TMainForm& F, int) { F.Compare().CompareClick(); }, 0, "document-open-recent", "Compare"},
  {"FindDuplicates1", "Find &Duplicates...", "Find Duplicates|Find the files of equal content below the folder",
   [](TMainForm& F, int) { TDuplicatesDlg::Open(F, false); }},
  {"FindDuplicatesAll1", "Find Duplicates in &All...",
   "Find Duplicates in All|Find the files of equal content below every folder shown",
   [](TMainForm& F, int) { TDuplicatesDlg::Open(F, true); }},
  {"EmptyTrash1", "Empty &Trash...",
   "Empty Trash|Delete for good what the Trash of the scanned drives holds: its space comes free",
   [](TMainForm& F, int) { F.EmptyTrashClick(); }},
  {"UpdateAll1", "&Update All", "Update All|Rescan all displayed folders",
   [](TMainForm& F, int) { F.Roots().UpdateClick(); }},
  {"Exit1", "E&xit", "", [](TMainForm& F, int) { F.close(); }},

  {"Open1", "&Open", "Open|Show contents of the folder", [](TMainForm& F, int Tag) { F.openClick(Tag); }, 1},
  {"Explore1", "&Explore", "Explore|Open the folder that holds it in the file manager",
   [](TMainForm& F, int Tag) { F.openClick(Tag); }, 2},
  {"Properties1", "&Properties", "Properties|Show the properties of the folder",
   [](TMainForm& F, int) { F.Properties1Click(); }},
  {"FullExpand1", "&Full Expand", "", [](TMainForm& F, int) { F.ExpandClick(); }},
  {"FullExpand2", "Full &Expand", "Full Expand|Recursively expand all subnodes",
   [](TMainForm& F, int) { F.ExpandClick(); }},
  {"FullCollapse2", "Full &Collapse", "Full Collapse|Recursively collapse all subnodes",
   [](TMainForm& F, int) { F.CollapseClick(); }},
  {"ToLevel1", "To Level &1", "", [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 1},
  {"ToLevel2", "To Level &2", "", [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 2},
  {"ToLevel3", "To Level &3", "", [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 3},
  {"ToLevel4", "To Level &4", "", [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 4},
  {"ExpandOver1", "Expand Folder &over: xxx MB", "", [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 99},
  {"RemoveFolderMenuItem", "&Remove Folder <xxx MB", "",
   [](TMainForm& F, int) { F.Roots().RemoveFolderMenuItemClick(); }},
  {"SetSize1", "&Set Size", "", [](TMainForm& F, int) { F.SetMinimumExpandSizeClick(true); }},
  {"FullCollapse1", "Full Co&llapse", "", [](TMainForm& F, int) { F.CollapseClick(); }},
  {"Remove1", "&Remove from Spacelens", "Remove from Spacelens|Remove this folder from the Spacelens window",
   [](TMainForm& F, int) { F.Roots().RemoveClick(); }},
  {"Update1", "&Update", "Update|Rescan Folder", [](TMainForm& F, int) { F.Roots().Update1Click(); }, 0,
   "view-refresh"},
  {"UpdateBranch1", "Update &Branch", "Update Branch|Update information for this subfolder",
   [](TMainForm& F, int) { F.Roots().UpdateBranch1Click(); }},
  {"CountFolders1", "&Count Folders", "", [](TMainForm& F, int) { F.CountFolders1Click(); }},

  {"ViewButton1", "&Size", "Size|Show the size of the folders",
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 1, nullptr, "Size"},
  {"ViewButton2", "Bytes &Allocated", "Bytes Allocated|Show how many bytes are allocated on disk by the folders",
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 2, nullptr, "Allocated"},
  {"ViewButton3", "&Percent", "Percent|Show how many percent of the parent folders each folder occupies",
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 3, nullptr, "Percent"},
  {"ViewButton4", "&Wasted Space", "Wasted Space|Show how much space is wasted  by the folders",
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 4, nullptr, "Wasted"},
  {"ViewButton5", "Use &CD-Rom Cluster Size", "CD-Rom cluster size|Show how much the folders would occupy on a CD-ROM",
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 5, nullptr, "CD-ROM"},
  {"ViewButton6", "Ob&jects", "Objects|Show how many files and folders each folder holds",
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 6, nullptr, "Objects"},
  {"UnitMB", "&MB only", "MB only|Show values in megabytes", [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 0,
   nullptr, "MB"},
  {"UnitMixed", "KB/MB M&ixed", "KB/MB Mixed|Show values in kilobytes, from 100 MB on in megabytes",
   [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 1, nullptr, "KB/MB"},
  {"UnitKB", "&KB only", "KB only|Show values in kilobytes", [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 2,
   nullptr, "KB"},
  {"UnitAutomatic", "&Automatic", "Automatic|Show each value in the largest unit that keeps it at 1 or more",
   [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 3, nullptr, "Auto"},
  {"PieButton", "P&ie Chart", "Pie Chart|Show Pie chart for the selected folder",
   [](TMainForm& F, int) { F.PiebuttonClick(); }, 0, nullptr, "Pie"},
  {"BarButton", "&Bar Chart", "Bar Chart|Show bar chart for the selected folder",
   [](TMainForm& F, int) { F.barbuttonClick(); }, 0, nullptr, "Bar"},
  {"TreemapButton", "&Treemap", "Treemap|Show every file below the selected folder as a tile as large as its size",
   [](TMainForm& F, int) { F.TreemapButtonClick(); }, 0, nullptr, "Treemap"},
  {"ListButton", "&Detailed List", "Detailed List|Show the folders and files in a list",
   [](TMainForm& F, int) { F.ListButtonClick(); }, 0, nullptr, "List"},
  {"FilesButton", "&Files", "Files|List every file below the selected folder, at any depth, largest first",
   [](TMainForm& F, int) { F.FilesButtonClick(); }, 0, nullptr, "Files"},
  {"TypesButton", "T&ypes", "Types|Show what kinds of file fill the selected folder, by class and extension",
   [](TMainForm& F, int) { F.TypesButtonClick(); }, 0, nullptr, "Types"},
  {"TitleMenu", "Set &Title...", "Set Title|Set Title for printing and exporting",
   [](TMainForm& F, int) { F.Printing().TitleMenuClick(); }},
  {"Print1", "&Print Report...", "Print Report|Print report for currently active folder/drive",
   [](TMainForm& F, int) { F.Printing().PrintClick(true); }},
  {"PrintReportforAll1", "Print Report for All...",
   "Print Report for All|Print a report for all drives and folders currently listed in the left pane",
   [](TMainForm& F, int) { F.Printing().PrintReportforAll1Click(); }},
  {"PrintChartMenu", "Print Something", "Print Pane|Prints the right pane of the window",
   [](TMainForm& F, int) { F.Printing().PrintChartMenuClick(true); }},
  {"PageSetup1", "Pa&ge Setup ...", "Page Setup|Setup page for printed reports",
   [](TMainForm& F, int) { F.Printing().PageSetup1Click(); }},
  {"PrintSetup1", "Printer &Setup ...", "Printer Setup|Setup Printer",
   [](TMainForm& F, int) { F.Printing().PrintSetupClick(); }},
  {"PrintButton", "Print", "Print Report|Print report for selected folder",
   [](TMainForm& F, int) { F.Printing().PrintClick(false); }, 0, "document-print"},
  {"Options1", "&Options...", "Options|Change how values are shown and what a scan counts",
   [](TMainForm& F, int) { TOptionCommands::OptionsClick(F); }},
  {"SAlphaButton", "By &Name", "Sort By Name|Sort By Name",
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stName, nullptr,
   "Sort By Name"},
  {"SNumButton", "By &Size", "Sort By Size|Sort By Size",
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stSize, nullptr,
   "Sort By Size"},
  {"SChangeButton", "By &Change", "Sort By Change|Sort by growth since the earlier scan, the most grown first",
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stChange, nullptr,
   "Sort By Change"},
  {"SNoButton", "N&one", "No Sorting|No Sorting",
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stNone, nullptr,
   "No Sorting"},
  {"Contents1", "&Contents", "Contents|Open the manual", [](TMainForm&, int) { TManual::Open(); }},
  {"About1", "About...", "",
   [](TMainForm& F, int) {
     QMessageBox::about(&F, "About Spacelens",
                        "<b>Spacelens " SPACELENS_VERSION
                        "</b><p>A fast disk-space analyser: the size, allocated "
                        "space, share, wasted space and CD-ROM size of every folder.</p>");
   }},

  {"ScanButton", "Scan", "Scan selected drive|Scan drive which is selected in the quick drive access box",
   [](TMainForm& F, int) { F.Roots().ScanbuttonClick(); }, 0, "system-search"},
  {"StopButton", "Stop", "Stop|Stop scanning", [](TMainForm& F, int) { F.Roots().StopButtonClick(); }, 0,
   "process-stop"},
  {"RemoveButton", "Remove", "Remove|Remove the selected folder from Spacelens",
   [](TMainForm& F, int) { F.Roots().RemoveClick(); }, 0, "list-remove"},
  {"ParentButton", "Parent", "Parent Folder|Select parent folder of current folder",
   [](TMainForm& F, int) { F.ParentButtonClick(); }, 0, "go-up"},
  {"SpeedButton2", "Network",
   "Mount a network share|Mount a network share (smb://, sftp://) to scan it as a drive; File, Scan Remote scans "
   "another machine over SSH",
   [](TMainForm& F, int) { F.SpeedButton2Click(); }, 0, "network-server"},
};

// Adds the named actions to Menu; "-" is a separator.
void Fill(QMenu* Menu, const TMainActions& Actions, std::initializer_list<const char*> Names)
{
  for (const char* Name : Names) {
    if (QString(Name) == "-")
      Menu->addSeparator();
    else
      Menu->addAction(Actions.Action(Name));
  }
}

}  // namespace

TMainActions::TMainActions(TMainForm& Form) : FForm(Form)
{
  BuildActions();
  BuildMenus();
  BuildToolBars();
}

QAction* TMainActions::Action(const QString& Name) const
{
  return FForm.findChild<QAction*>(Name);
}

void TMainActions::BuildActions()
{
  FViewGroup = new QActionGroup(&FForm);
  FSortGroup = new QActionGroup(&FForm);
  for (const TActionRow& Row : ActionTable) {
    auto* Item = new QAction(Row.Caption, &FForm);
    Item->setObjectName(Row.Name);
    Item->setData(Row.Tag);
    if (const QString Hint = Row.Hint; !Hint.isEmpty()) {
      const int Bar = Hint.indexOf('|');
      Item->setToolTip(Bar < 0 ? Hint : Hint.left(Bar));
      Item->setStatusTip(Bar < 0 ? Hint : Hint.mid(Bar + 1));
    }
    if (Row.Icon)
      Item->setIcon(TToolIcons::Icon(Row.Icon));
    if (Row.ButtonText)
      Item->setIconText(Row.ButtonText);
    const THandler Handler = Row.Handler;
    const int Tag = Row.Tag;
    QObject::connect(Item, &QAction::triggered, &FForm, [this, Handler, Tag] { Handler(FForm, Tag); });
  }
  for (int Type = vtSize; Type <= vtObjects; ++Type)
    FViewGroup->addAction(Action(QString("ViewButton%1").arg(Type)));
  for (const char* Name : {"SAlphaButton", "SNumButton", "SChangeButton", "SNoButton"})
    FSortGroup->addAction(Action(Name));
  // Only while comparing.
  Action("SChangeButton")->setVisible(false);
  FModeGroup = new QActionGroup(&FForm);
  for (const char* Name : {"PieButton", "BarButton", "TreemapButton", "ListButton", "FilesButton", "TypesButton"})
    FModeGroup->addAction(Action(Name));
  Action("PieButton")->setIcon(TChartIcons::Icon(TChartIcons::ciPie));
  Action("BarButton")->setIcon(TChartIcons::Icon(TChartIcons::ciBar));
  FUnitGroup = new QActionGroup(&FForm);
  for (const char* Name : {"UnitMB", "UnitMixed", "UnitKB", "UnitAutomatic"})
    FUnitGroup->addAction(Action(Name));
  for (const QActionGroup* Group : {FViewGroup, FSortGroup, FModeGroup, FUnitGroup})
    for (QAction* Item : Group->actions())
      Item->setCheckable(true);

  QAction* Update = Action("Update1");
  Update->setShortcut(Qt::Key_F5);
  Update->setShortcutContext(Qt::WindowShortcut);
  FForm.addAction(Update);
  Action("Contents1")->setShortcut(Qt::Key_F1);
  Action("Print1")->setShortcut(QKeySequence::Print);
  // The keys of every desktop program: open a folder, close the one shown, quit.
  Action("FileOpen1")->setShortcut(Qt::CTRL | Qt::Key_O);
  Action("Remove1")->setShortcut(Qt::CTRL | Qt::Key_W);
  Action("Exit1")->setShortcut(Qt::CTRL | Qt::Key_Q);

  // F6 and Shift+F6 go from pane to pane: the path box, the tree, the right
  // pane; Tab leaves a list rather than walking its cells.
  for (const int Step : {1, -1}) {
    auto* Pane = new QShortcut(Step > 0 ? QKeySequence(Qt::Key_F6) : QKeySequence(Qt::SHIFT | Qt::Key_F6), &FForm);
    QObject::connect(Pane, &QShortcut::activated, &FForm, [this, Step] {
      TPaneFocus::Cycle({&FForm.DriveBox(), FForm.TreeView(), FForm.RightPane().currentWidget()}, Step);
    });
  }
  auto* SelectAll = new QShortcut(QKeySequence::SelectAll, &FForm);
  QObject::connect(SelectAll, &QShortcut::activated, &FForm, [this] { FForm.SelectAllRows(); });
  // Backspace goes up, except in the tree, where it is the tree's own key.
  auto* Backspace = new QShortcut(Qt::Key_Backspace, &FForm);
  QObject::connect(Backspace, &QShortcut::activated, &FForm, [this] {
    if (!FForm.TreeView()->hasFocus())
      FForm.ParentButtonClick();
  });
}

void TMainActions::BuildMenus()
{
  FRootPopup = new QMenu(&FForm);
  Fill(FRootPopup, *this, {"Open1", "Explore1", "Properties1", "-"});
  QMenu* Expand = FRootPopup->addMenu("E&xpand");
  Expand->menuAction()->setObjectName("Expand1");
  Fill(Expand, *this,
       {"FullExpand1", "-", "ToLevel1", "ToLevel2", "ToLevel3", "ToLevel4", "-", "ExpandOver1", "RemoveFolderMenuItem",
        "SetSize1"});
  Fill(FRootPopup, *this, {"FullCollapse1", "Remove1", "Update1", "CountFolders1", "FindDuplicates1"});
  // Below the shell's own items in the menu of other folders.
  FPartPopup = new QMenu(&FForm);
  FPartPopup->addAction("&Delete")->setVisible(false);
  QMenu* Own = FPartPopup->addMenu("Spacelens");
  Own->menuAction()->setObjectName("Spacelens1");
  Own->menuAction()->setStatusTip("Spacelens functionality");
  Fill(Own, *this, {"FullExpand2", "FullCollapse2", "UpdateBranch1", "FindDuplicates1"});

  QMenuBar* Bar = FForm.menuBar();
  QMenu* File = Bar->addMenu("&File");
  Fill(File, *this,
       {"FileOpen1", "ScanAllDrives1", "ScanRemote1", "ScanAsAdministrator1", "ImportScan1", "CompareButton", "-"});
  FBranchMenu = File->addMenu("&Branch");
  FBranchMenu->menuAction()->setObjectName("Branch1");
  FBranchMenu->addActions(FRootPopup->actions());
  Fill(File, *this,
       {"UpdateAll1", "-", "TitleMenu", "Print1", "PrintReportforAll1", "PrintChartMenu", "PageSetup1", "PrintSetup1",
        "-", "Exit1"});
  FFileExitSeparator = File->actions().value(File->actions().indexOf(Action("Exit1")) - 1);
  QMenu* View = Bar->addMenu("&View");
  Fill(View, *this, {"ViewButton1", "ViewButton2", "ViewButton3", "ViewButton4", "ViewButton5", "ViewButton6", "-"});
  QMenu* Units = View->addMenu("Show &Values as");
  Units->menuAction()->setObjectName("Units1");
  Fill(Units, *this, {"UnitMB", "UnitMixed", "UnitKB", "UnitAutomatic"});
  Fill(View, *this,
       {"-", "PieButton", "BarButton", "TreemapButton", "ListButton", "FilesButton", "TypesButton", "-", "Options1"});
  Fill(Bar->addMenu("&Sort"), *this, {"SAlphaButton", "SNumButton", "SChangeButton", "SNoButton"});
  Fill(Bar->addMenu("&Tools"), *this, {"FindDuplicates1", "FindDuplicatesAll1", "-", "EmptyTrash1"});
  Fill(Bar->addMenu("&Help"), *this, {"Contents1", "-", "About1"});
}

void TMainActions::BuildToolBars()
{
  FFolderBar = FForm.addToolBar("Folders");
  FFolderBar->setObjectName("ToolBar1");
  FFolderBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (const char* Name : {"ScanButton", "StopButton", "RemoveButton", "Update1", "ParentButton", "FileOpen1",
                           "CompareButton", "PrintButton", "SpeedButton2"})
    FFolderBar->addAction(Action(Name));

  FViewBar = FForm.addToolBar("View");
  FViewBar->setObjectName("ToolBar3");
  FViewBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  FViewBar->addActions(FViewGroup->actions());
  FViewBar->addSeparator();
  FViewBar->addActions(FSortGroup->actions());
  FViewBar->addSeparator();
  FViewBar->addActions(FModeGroup->actions());
}

void TMainActions::CheckView(TViewType ViewType)
{
  for (QAction* Item : FViewGroup->actions())
    Item->setChecked(Item->data().toInt() == ViewType);
}

void TMainActions::CheckMode(const char* Button, const char* PrintCaption)
{
  Action(Button)->setChecked(true);
  Action("PrintChartMenu")->setText(PrintCaption);
}

void TMainActions::CheckUnit(int UnitType)
{
  for (QAction* Item : FUnitGroup->actions())
    Item->setChecked(Item->data().toInt() == UnitType);
}

void TMainActions::CheckSort(TValueDisplay::TSortType SortType)
{
  for (QAction* Item : FSortGroup->actions())
    Item->setChecked(Item->data().toInt() == SortType);
}

void TMainActions::ShowMinimumSize(int Megabytes)
{
  // The caption up to its marker stays; the size after it is replaced.
  auto Show = [Megabytes](QAction* Item, const QString& Marker) {
    const QString Caption = Item->text();
    Item->setText(Caption.left(Caption.indexOf(Marker) + Marker.size()) + QString::number(Megabytes) + " MB");
  };
  Show(Action("RemoveFolderMenuItem"), "<");
  Show(Action("ExpandOver1"), ": ");
}
