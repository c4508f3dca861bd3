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
  {"FileOpen1", QT_TRANSLATE_NOOP("TMainActions", "Select &Directory..."),
   QT_TRANSLATE_NOOP("TMainActions", "Open Folder|Select a folder to scan"),
   [](TMainForm& F, int) { F.Roots().FileOpen(); }, 0, "folder-open"},
  {"ScanAllDrives1", QT_TRANSLATE_NOOP("TMainActions", "Scan &All Drives"),
   QT_TRANSLATE_NOOP("TMainActions", "Scan All Drives|Scan every mounted drive"),
   [](TMainForm& F, int) { F.Roots().ScanAllDrivesClick(); }},
  {"ImportScan1", QT_TRANSLATE_NOOP("TMainActions", "&Import Scan..."),
   QT_TRANSLATE_NOOP("TMainActions", "Import Scan|Show a scan exported by ncdu, gdu or Spacelens"),
   [](TMainForm& F, int) { F.Roots().ImportScanClick(); }},
  {"ScanRemote1", QT_TRANSLATE_NOOP("TMainActions", "Scan &Remote..."),
   QT_TRANSLATE_NOOP("TMainActions", "Scan Remote|Scan a folder on another machine over SSH"),
   [](TMainForm& F, int) { F.Roots().ScanRemoteClick(); }},
  {"ScanAsAdministrator1", QT_TRANSLATE_NOOP("TMainActions", "Scan as Admi&nistrator..."),
   QT_TRANSLATE_NOOP(
     "TMainActions",
     "Scan as Administrator|Scan a folder that only the administrator may read, asking for the password"),
   [](TMainForm& F, int) { F.Roots().ScanAsAdministratorClick(); }},
  {"CompareButton", QT_TRANSLATE_NOOP("TMainActions", "&Compare With..."),
   QT_TRANSLATE_NOOP("TMainActions",
                     "Compare|Compare the folder with an earlier scan: what grew, what is new, what is gone"),
   [](TMainForm& F, int) { F.Compare().CompareClick(); }, 0, "document-open-recent",
   //: A verb: compare with an earlier scan
   QT_TRANSLATE_NOOP("TMainActions", "Compare")},
  {"FindDuplicates1", QT_TRANSLATE_NOOP("TMainActions", "Find &Duplicates..."),
   QT_TRANSLATE_NOOP("TMainActions", "Find Duplicates|Find the files of equal content below the folder"),
   [](TMainForm& F, int) { TDuplicatesDlg::Open(F, false); }},
  {"FindDuplicatesAll1", QT_TRANSLATE_NOOP("TMainActions", "Find Duplicates in &All..."),
   QT_TRANSLATE_NOOP("TMainActions", "Find Duplicates in All|Find the files of equal content below every folder shown"),
   [](TMainForm& F, int) { TDuplicatesDlg::Open(F, true); }},
  {"EmptyTrash1", QT_TRANSLATE_NOOP("TMainActions", "Empty &Trash..."),
   QT_TRANSLATE_NOOP("TMainActions",
                     "Empty Trash|Delete for good what the Trash of the scanned drives holds: its space comes free"),
   [](TMainForm& F, int) { F.EmptyTrashClick(); }},
  {"UpdateAll1", QT_TRANSLATE_NOOP("TMainActions", "&Update All"),
   QT_TRANSLATE_NOOP("TMainActions", "Update All|Rescan all displayed folders"),
   [](TMainForm& F, int) { F.Roots().UpdateClick(); }},
  {"Exit1", QT_TRANSLATE_NOOP("TMainActions", "E&xit"), "", [](TMainForm& F, int) { F.close(); }},

  {"Open1", QT_TRANSLATE_NOOP("TMainActions", "&Open"),
   QT_TRANSLATE_NOOP("TMainActions", "Open|Show contents of the folder"),
   [](TMainForm& F, int Tag) { F.openClick(Tag); }, 1},
  {"Explore1", QT_TRANSLATE_NOOP("TMainActions", "&Explore"),
   QT_TRANSLATE_NOOP("TMainActions", "Explore|Open the folder that holds it in the file manager"),
   [](TMainForm& F, int Tag) { F.openClick(Tag); }, 2},
  {"Properties1", QT_TRANSLATE_NOOP("TMainActions", "&Properties"),
   QT_TRANSLATE_NOOP("TMainActions", "Properties|Show the properties of the folder"),
   [](TMainForm& F, int) { F.Properties1Click(); }},
  {"FullExpand1", QT_TRANSLATE_NOOP("TMainActions", "&Full Expand"), "", [](TMainForm& F, int) { F.ExpandClick(); }},
  {"FullExpand2", QT_TRANSLATE_NOOP("TMainActions", "Full &Expand"),
   QT_TRANSLATE_NOOP("TMainActions", "Full Expand|Recursively expand all subnodes"),
   [](TMainForm& F, int) { F.ExpandClick(); }},
  {"FullCollapse2", QT_TRANSLATE_NOOP("TMainActions", "Full &Collapse"),
   QT_TRANSLATE_NOOP("TMainActions", "Full Collapse|Recursively collapse all subnodes"),
   [](TMainForm& F, int) { F.CollapseClick(); }},
  {"ToLevel1", QT_TRANSLATE_NOOP("TMainActions", "To Level &1"), "",
   [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 1},
  {"ToLevel2", QT_TRANSLATE_NOOP("TMainActions", "To Level &2"), "",
   [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 2},
  {"ToLevel3", QT_TRANSLATE_NOOP("TMainActions", "To Level &3"), "",
   [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 3},
  {"ToLevel4", QT_TRANSLATE_NOOP("TMainActions", "To Level &4"), "",
   [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 4},
  {"ExpandOver1", QT_TRANSLATE_NOOP("TMainActions", "Expand Folder &over: xxx MB"), "",
   [](TMainForm& F, int Tag) { F.Tolevel11Click(Tag); }, 99},
  {"RemoveFolderMenuItem", QT_TRANSLATE_NOOP("TMainActions", "&Remove Folder <xxx MB"), "",
   [](TMainForm& F, int) { F.Roots().RemoveFolderMenuItemClick(); }},
  {"SetSize1", QT_TRANSLATE_NOOP("TMainActions", "&Set Size"), "",
   [](TMainForm& F, int) { F.SetMinimumExpandSizeClick(true); }},
  {"FullCollapse1", QT_TRANSLATE_NOOP("TMainActions", "Full Co&llapse"), "",
   [](TMainForm& F, int) { F.CollapseClick(); }},
  {"Remove1", QT_TRANSLATE_NOOP("TMainActions", "&Remove from Spacelens"),
   QT_TRANSLATE_NOOP("TMainActions", "Remove from Spacelens|Remove this folder from the Spacelens window"),
   [](TMainForm& F, int) { F.Roots().RemoveClick(); }},
  {"Update1", QT_TRANSLATE_NOOP("TMainActions", "&Update"),
   QT_TRANSLATE_NOOP("TMainActions", "Update|Rescan Folder"), [](TMainForm& F, int) { F.Roots().Update1Click(); }, 0,
   "view-refresh"},
  {"UpdateBranch1", QT_TRANSLATE_NOOP("TMainActions", "Update &Branch"),
   QT_TRANSLATE_NOOP("TMainActions", "Update Branch|Update information for this subfolder"),
   [](TMainForm& F, int) { F.Roots().UpdateBranch1Click(); }},
  {"CountFolders1", QT_TRANSLATE_NOOP("TMainActions", "&Count Folders"), "",
   [](TMainForm& F, int) { F.CountFolders1Click(); }},

  {"ViewButton1", QT_TRANSLATE_NOOP("TMainActions", "&Size"),
   QT_TRANSLATE_NOOP("TMainActions", "Size|Show the size of the folders"),
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 1, nullptr, QT_TRANSLATE_NOOP("TMainActions", "Size")},
  {"ViewButton2", QT_TRANSLATE_NOOP("TMainActions", "Bytes &Allocated"),
   QT_TRANSLATE_NOOP("TMainActions", "Bytes Allocated|Show how many bytes are allocated on disk by the folders"),
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 2, nullptr,
   //: Short for Bytes Allocated
   QT_TRANSLATE_NOOP("TMainActions", "Allocated")},
  {"ViewButton3", QT_TRANSLATE_NOOP("TMainActions", "&Percent"),
   QT_TRANSLATE_NOOP("TMainActions", "Percent|Show how many percent of the parent folders each folder occupies"),
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 3, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "Percent")},
  {"ViewButton4", QT_TRANSLATE_NOOP("TMainActions", "&Wasted Space"),
   QT_TRANSLATE_NOOP("TMainActions", "Wasted Space|Show how much space is wasted  by the folders"),
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 4, nullptr,
   //: Short for Wasted Space
   QT_TRANSLATE_NOOP("TMainActions", "Wasted")},
  {"ViewButton5", QT_TRANSLATE_NOOP("TMainActions", "Use &CD-Rom Cluster Size"),
   QT_TRANSLATE_NOOP("TMainActions", "CD-Rom cluster size|Show how much the folders would occupy on a CD-ROM"),
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 5, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "CD-ROM")},
  {"ViewButton6", QT_TRANSLATE_NOOP("TMainActions", "Ob&jects"),
   QT_TRANSLATE_NOOP("TMainActions", "Objects|Show how many files and folders each folder holds"),
   [](TMainForm& F, int Tag) { F.View1Click(TViewType(Tag)); }, 6, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "Objects")},
  {"UnitMB", QT_TRANSLATE_NOOP("TMainActions", "&MB only"),
   QT_TRANSLATE_NOOP("TMainActions", "MB only|Show values in megabytes"),
   [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 0, nullptr, QT_TRANSLATE_NOOP("TMainActions", "MB")},
  {"UnitMixed", QT_TRANSLATE_NOOP("TMainActions", "KB/MB M&ixed"),
   QT_TRANSLATE_NOOP("TMainActions", "KB/MB Mixed|Show values in kilobytes, from 100 MB on in megabytes"),
   [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 1, nullptr, QT_TRANSLATE_NOOP("TMainActions", "KB/MB")},
  {"UnitKB", QT_TRANSLATE_NOOP("TMainActions", "&KB only"),
   QT_TRANSLATE_NOOP("TMainActions", "KB only|Show values in kilobytes"),
   [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 2, nullptr, QT_TRANSLATE_NOOP("TMainActions", "KB")},
  {"UnitAutomatic", QT_TRANSLATE_NOOP("TMainActions", "&Automatic"),
   QT_TRANSLATE_NOOP("TMainActions", "Automatic|Show each value in the largest unit that keeps it at 1 or more"),
   [](TMainForm& F, int Tag) { F.Unit1Click(Tag); }, 3, nullptr,
   //: Short for the Automatic unit
   QT_TRANSLATE_NOOP("TMainActions", "Auto")},
  {"PieButton", QT_TRANSLATE_NOOP("TMainActions", "P&ie Chart"),
   QT_TRANSLATE_NOOP("TMainActions", "Pie Chart|Show Pie chart for the selected folder"),
   [](TMainForm& F, int) { F.PiebuttonClick(); }, 0, nullptr,
   //: Short for Pie Chart
   QT_TRANSLATE_NOOP("TMainActions", "Pie")},
  {"BarButton", QT_TRANSLATE_NOOP("TMainActions", "&Bar Chart"),
   QT_TRANSLATE_NOOP("TMainActions", "Bar Chart|Show bar chart for the selected folder"),
   [](TMainForm& F, int) { F.barbuttonClick(); }, 0, nullptr,
   //: Short for Bar Chart
   QT_TRANSLATE_NOOP("TMainActions", "Bar")},
  {"TreemapButton", QT_TRANSLATE_NOOP("TMainActions", "&Treemap"),
   QT_TRANSLATE_NOOP("TMainActions",
                     "Treemap|Show every file below the selected folder as a tile as large as its size"),
   [](TMainForm& F, int) { F.TreemapButtonClick(); }, 0, nullptr, QT_TRANSLATE_NOOP("TMainActions", "Treemap")},
  {"ListButton", QT_TRANSLATE_NOOP("TMainActions", "&Detailed List"),
   QT_TRANSLATE_NOOP("TMainActions", "Detailed List|Show the folders and files in a list"),
   [](TMainForm& F, int) { F.ListButtonClick(); }, 0, nullptr, QT_TRANSLATE_NOOP("TMainActions", "List")},
  {"FilesButton", QT_TRANSLATE_NOOP("TMainActions", "&Files"),
   QT_TRANSLATE_NOOP("TMainActions", "Files|List every file below the selected folder, at any depth, largest first"),
   [](TMainForm& F, int) { F.FilesButtonClick(); }, 0, nullptr, QT_TRANSLATE_NOOP("TMainActions", "Files")},
  {"TypesButton", QT_TRANSLATE_NOOP("TMainActions", "T&ypes"),
   QT_TRANSLATE_NOOP("TMainActions", "Types|Show what kinds of file fill the selected folder, by class and extension"),
   [](TMainForm& F, int) { F.TypesButtonClick(); }, 0, nullptr, QT_TRANSLATE_NOOP("TMainActions", "Types")},
  {"TitleMenu", QT_TRANSLATE_NOOP("TMainActions", "Set &Title..."),
   QT_TRANSLATE_NOOP("TMainActions", "Set Title|Set Title for printing and exporting"),
   [](TMainForm& F, int) { F.Printing().TitleMenuClick(); }},
  {"Print1", QT_TRANSLATE_NOOP("TMainActions", "&Print Report..."),
   QT_TRANSLATE_NOOP("TMainActions", "Print Report|Print report for currently active folder/drive"),
   [](TMainForm& F, int) { F.Printing().PrintClick(true); }},
  {"PrintReportforAll1", QT_TRANSLATE_NOOP("TMainActions", "Print Report for All..."),
   QT_TRANSLATE_NOOP(
     "TMainActions",
     "Print Report for All|Print a report for all drives and folders currently listed in the left pane"),
   [](TMainForm& F, int) { F.Printing().PrintReportforAll1Click(); }},
  {"PrintChartMenu", QT_TRANSLATE_NOOP("TMainActions", "Print Something"),
   QT_TRANSLATE_NOOP("TMainActions", "Print Pane|Prints the right pane of the window"),
   [](TMainForm& F, int) { F.Printing().PrintChartMenuClick(true); }},
  {"PageSetup1", QT_TRANSLATE_NOOP("TMainActions", "Pa&ge Setup ..."),
   QT_TRANSLATE_NOOP("TMainActions", "Page Setup|Setup page for printed reports"),
   [](TMainForm& F, int) { F.Printing().PageSetup1Click(); }},
  {"PrintSetup1", QT_TRANSLATE_NOOP("TMainActions", "Printer &Setup ..."),
   QT_TRANSLATE_NOOP("TMainActions", "Printer Setup|Setup Printer"),
   [](TMainForm& F, int) { F.Printing().PrintSetupClick(); }},
  {"PrintButton", QT_TRANSLATE_NOOP("TMainActions", "Print"),
   QT_TRANSLATE_NOOP("TMainActions", "Print Report|Print report for selected folder"),
   [](TMainForm& F, int) { F.Printing().PrintClick(false); }, 0, "document-print"},
  {"Options1", QT_TRANSLATE_NOOP("TMainActions", "&Options..."),
   QT_TRANSLATE_NOOP("TMainActions", "Options|Change how values are shown and what a scan counts"),
   [](TMainForm& F, int) { TOptionCommands::OptionsClick(F); }},
  {"SAlphaButton", QT_TRANSLATE_NOOP("TMainActions", "By &Name"),
   QT_TRANSLATE_NOOP("TMainActions", "Sort By Name|Sort By Name"),
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stName, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "Sort By Name")},
  {"SNumButton", QT_TRANSLATE_NOOP("TMainActions", "By &Size"),
   QT_TRANSLATE_NOOP("TMainActions", "Sort By Size|Sort By Size"),
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stSize, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "Sort By Size")},
  {"SChangeButton", QT_TRANSLATE_NOOP("TMainActions", "By &Change"),
   QT_TRANSLATE_NOOP("TMainActions", "Sort By Change|Sort by growth since the earlier scan, the most grown first"),
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stChange, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "Sort By Change")},
  {"SNoButton", QT_TRANSLATE_NOOP("TMainActions", "N&one"),
   QT_TRANSLATE_NOOP("TMainActions", "No Sorting|No Sorting"),
   [](TMainForm& F, int Tag) { F.Sort1Click(TValueDisplay::TSortType(Tag)); }, TValueDisplay::stNone, nullptr,
   QT_TRANSLATE_NOOP("TMainActions", "No Sorting")},
  {"Contents1", QT_TRANSLATE_NOOP("TMainActions", "&Contents"),
   QT_TRANSLATE_NOOP("TMainActions", "Contents|Open the manual"), [](TMainForm&, int) { TManual::Open(); }},
  {"About1", QT_TRANSLATE_NOOP("TMainActions", "About..."), "",
   [](TMainForm& F, int) {
     QMessageBox::about(&F, QCoreApplication::translate("TMainActions", "About Spacelens"),
                        QCoreApplication::translate("TMainActions",
                                                    "<b>Spacelens %1</b><p>A fast disk-space analyser: the size, "
                                                    "allocated space, share, wasted space and CD-ROM size of every "
                                                    "folder.</p>")
                          .arg(SPACELENS_VERSION));
   }},

  {"ScanButton", QT_TRANSLATE_NOOP("TMainActions", "Scan"),
   QT_TRANSLATE_NOOP("TMainActions", "Scan selected drive|Scan drive which is selected in the quick drive access box"),
   [](TMainForm& F, int) { F.Roots().ScanbuttonClick(); }, 0, "system-search"},
  {"StopButton", QT_TRANSLATE_NOOP("TMainActions", "Stop"),
   QT_TRANSLATE_NOOP("TMainActions", "Stop|Stop scanning"), [](TMainForm& F, int) { F.Roots().StopButtonClick(); }, 0,
   "process-stop"},
  {"RemoveButton", QT_TRANSLATE_NOOP("TMainActions", "Remove"),
   QT_TRANSLATE_NOOP("TMainActions", "Remove|Remove the selected folder from Spacelens"),
   [](TMainForm& F, int) { F.Roots().RemoveClick(); }, 0, "list-remove"},
  {"ParentButton",
   //: The parent folder
   QT_TRANSLATE_NOOP("TMainActions", "Parent"),
   QT_TRANSLATE_NOOP("TMainActions", "Parent Folder|Select parent folder of current folder"),
   [](TMainForm& F, int) { F.ParentButtonClick(); }, 0, "go-up"},
  {"SpeedButton2", QT_TRANSLATE_NOOP("TMainActions", "Network"),
   QT_TRANSLATE_NOOP(
     "TMainActions",
     "Mount a network share|Mount a network share (smb://, sftp://) to scan it as a drive; File, Scan Remote scans "
     "another machine over SSH"),
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
    auto* Item = new QAction(tr(Row.Caption), &FForm);
    Item->setObjectName(Row.Name);
    Item->setData(Row.Tag);
    if (const QString Hint = tr(Row.Hint); !Hint.isEmpty()) {
      const int Bar = Hint.indexOf('|');
      Item->setToolTip(Bar < 0 ? Hint : Hint.left(Bar));
      Item->setStatusTip(Bar < 0 ? Hint : Hint.mid(Bar + 1));
    }
    if (Row.Icon)
      Item->setIcon(TToolIcons::Icon(Row.Icon));
    if (Row.ButtonText)
      Item->setIconText(tr(Row.ButtonText));
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
  QMenu* Expand = FRootPopup->addMenu(tr("E&xpand"));
  Expand->menuAction()->setObjectName("Expand1");
  Fill(Expand, *this,
       {"FullExpand1", "-", "ToLevel1", "ToLevel2", "ToLevel3", "ToLevel4", "-", "ExpandOver1", "RemoveFolderMenuItem",
        "SetSize1"});
  Fill(FRootPopup, *this, {"FullCollapse1", "Remove1", "Update1", "CountFolders1", "FindDuplicates1"});
  // Below the shell's own items in the menu of other folders.
  FPartPopup = new QMenu(&FForm);
  FPartPopup->addAction(tr("&Delete"))->setVisible(false);
  QMenu* Own = FPartPopup->addMenu("Spacelens");
  Own->menuAction()->setObjectName("Spacelens1");
  Own->menuAction()->setStatusTip(tr("Spacelens functionality"));
  Fill(Own, *this, {"FullExpand2", "FullCollapse2", "UpdateBranch1", "FindDuplicates1"});

  QMenuBar* Bar = FForm.menuBar();
  QMenu* File = Bar->addMenu(tr("&File"));
  Fill(File, *this,
       {"FileOpen1", "ScanAllDrives1", "ScanRemote1", "ScanAsAdministrator1", "ImportScan1", "CompareButton", "-"});
  FBranchMenu = File->addMenu(tr("&Branch"));
  FBranchMenu->menuAction()->setObjectName("Branch1");
  FBranchMenu->addActions(FRootPopup->actions());
  Fill(File, *this,
       {"UpdateAll1", "-", "TitleMenu", "Print1", "PrintReportforAll1", "PrintChartMenu", "PageSetup1", "PrintSetup1",
        "-", "Exit1"});
  FFileExitSeparator = File->actions().value(File->actions().indexOf(Action("Exit1")) - 1);
  QMenu* View = Bar->addMenu(tr("&View"));
  Fill(View, *this, {"ViewButton1", "ViewButton2", "ViewButton3", "ViewButton4", "ViewButton5", "ViewButton6", "-"});
  QMenu* Units = View->addMenu(tr("Show &Values as"));
  Units->menuAction()->setObjectName("Units1");
  Fill(Units, *this, {"UnitMB", "UnitMixed", "UnitKB", "UnitAutomatic"});
  Fill(View, *this,
       {"-", "PieButton", "BarButton", "TreemapButton", "ListButton", "FilesButton", "TypesButton", "-", "Options1"});
  Fill(Bar->addMenu(tr("&Sort")), *this, {"SAlphaButton", "SNumButton", "SChangeButton", "SNoButton"});
  Fill(Bar->addMenu(tr("&Tools")), *this, {"FindDuplicates1", "FindDuplicatesAll1", "-", "EmptyTrash1"});
  Fill(Bar->addMenu(tr("&Help")), *this, {"Contents1", "-", "About1"});
}

void TMainActions::BuildToolBars()
{
  //: Name of a tool bar
  FFolderBar = FForm.addToolBar(tr("Folders"));
  FFolderBar->setObjectName("ToolBar1");
  FFolderBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (const char* Name : {"ScanButton", "StopButton", "RemoveButton", "Update1", "ParentButton", "FileOpen1",
                           "CompareButton", "PrintButton", "SpeedButton2"})
    FFolderBar->addAction(Action(Name));

  //: Name of a tool bar
  FViewBar = FForm.addToolBar(tr("View"));
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

void TMainActions::CheckMode(const char* Button, const QString& PrintCaption)
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
  Action("RemoveFolderMenuItem")->setText(tr("&Remove Folder <%1 MB").arg(Megabytes));
  Action("ExpandOver1")->setText(tr("Expand Folder &over: %1 MB").arg(Megabytes));
}
