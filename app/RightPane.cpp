// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RightPane.h"

#include "charts/Chart.h"
#include "charts/ChartPane.h"
#include "files/FilesList.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/ScanSettings.h"
#include "shell/WaitCursor.h"
#include "treemap/TreemapPane.h"
#include "types/TypesList.h"
#include "view/DetailsList.h"

#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

TRightPane::TRightPane(TValueDisplay& Display, TFolderTree& Tree, const TScanSettings& Settings,
                       std::function<TFolderNode*()> CurrentNode)
  : FSettings(Settings), FCurrentNode(std::move(CurrentNode)), FTree(Tree)
{
  FList = new TDetailsList(Display);
  addWidget(FList);
  FCharts = new TChartPane(Display, FCurrentNode);
  addWidget(FCharts);
  FTreemap = new TTreemapPane(Display, Tree, Settings, FCurrentNode);
  FTreemapPage = new QWidget;
  (new QVBoxLayout(FTreemapPage))->setContentsMargins(0, 0, 0, 0);
  FTreemapPage->layout()->addWidget(FTreemap);
  addWidget(FTreemapPage);
  FFiles = new TFilesList(Display, Tree);
  addWidget(FFiles);
  FTypes = new TTypesList(Display, Tree);
  addWidget(FTypes);
  FTypes->OnPick = [this](TTypesModel::TPick Pick) { FTreemap->SetHighlight(Pick.Kind, Pick.Extension); };
  FTypes->OnTreemap = [this](bool) { PlaceTreemap(); };
  FTreemap->OnSelect = [this](TFolderNode* Folder, const std::string& File) {
    FList->SelectWhenListed(File);
    if (OnSelect)
      OnSelect(Folder);
  };
  FTreemap->OnOpen = [this](TFolderNode* Folder) {
    if (OnSelect)
      OnSelect(Folder);
  };
  FTreemap->OnParent = [this] {
    if (FTreemap->Shown() && FTreemap->Shown()->Parent() && OnSelect)
      OnSelect(FTreemap->Shown()->Parent());
  };
  FTreemap->OnHover = [this](const QString& Text) {
    if (OnHint)
      OnHint(Text);
  };
  // Over the pages, until a folder is selected.
  FEmptyHint = new QLabel(tr(EmptyHint), this);
  FEmptyHint->setObjectName("EmptyHint");
  FEmptyHint->setAlignment(Qt::AlignCenter);
  FEmptyHint->setWordWrap(true);
  FEmptyHint->setMargin(24);
  FEmptyHint->setAutoFillBackground(true);
  FEmptyHint->setForegroundRole(QPalette::PlaceholderText);
  FEmptyHint->setBackgroundRole(QPalette::Base);
  FTimer.setSingleShot(true);
  FTimer.setInterval(400);
  connect(&FTimer, &QTimer::timeout, this, [this] {
    if (FState == rsPending) {
      FState = rsAtOnce;
      Refill();
    }
    FState = rsDefer;
  });
}

const char* TRightPane::EmptyHint =
  QT_TRANSLATE_NOOP("TRightPane",
                    "No folder selected.\n\nThe folder selected in the tree shows here as a list, a pie or bar chart, "
                    "or a treemap. To scan a folder, type its path in the box above and press Enter, or choose Select "
                    "Directory in the File menu.");

void TRightPane::resizeEvent(QResizeEvent* Event)
{
  QStackedWidget::resizeEvent(Event);
  FEmptyHint->setGeometry(rect());
}

void TRightPane::ShowEmptyHint(bool Shown)
{
  FEmptyHint->setVisible(Shown);
  if (Shown)
    FEmptyHint->raise();
}

bool TRightPane::ShowsEmptyHint() const
{
  return !FEmptyHint->isHidden();
}

bool TRightPane::ShowsList() const
{
  return currentWidget() == FList;
}

void TRightPane::ShowList()
{
  ShowPage(FList);
  FState = rsAtOnce;
  Refill();
}

bool TRightPane::SelectAllRows()
{
  if (QTableView* Files = FFiles->View(); Files->hasFocus()) {
    Files->selectAll();
    return false;
  }
  TWaitCursor Wait;
  FList->selectAll();
  FList->setFocus();
  return true;
}

bool TRightPane::ShowsTreemap() const
{
  return currentWidget() == FTreemapPage;
}

std::vector<TReportCanvas::TPictureDraw> TRightPane::ShownPicture()
{
  if (ShowsTreemap())
    return {[this](QPainter& Painter, const QRect& Bounds) { FTreemap->Draw(Painter, Bounds); }};
  if (ShowsList() || ShowsFiles() || ShowsTypes())
    return {};
  std::vector<TReportCanvas::TPictureDraw> Pages;
  for (int Page = 0; Page < FCharts->Chart->PrintedPages(); ++Page)
    Pages.push_back(
      [this, Page](QPainter& Painter, const QRect& Bounds) { FCharts->Chart->DrawPrinted(Painter, Bounds, Page); });
  return Pages;
}

void TRightPane::ShowChart()
{
  ShowPage(FCharts);
}

TRightPane::TSeries TRightPane::Series() const
{
  if (ShowsTypes())
    return psTypes;
  if (ShowsFiles())
    return psFiles;
  if (ShowsTreemap())
    return psTreemap;
  if (ShowsList())
    return psList;
  return FCharts->PieActive() ? psPie : psBars;
}

void TRightPane::ShowPage(QWidget* Page)
{
  // A million rows hold some 13 MB and the files of the tree they list, and
  // the types view those files too: they let go of them while another page
  // is shown.
  if (Page != currentWidget()) {
    if (ShowsFiles())
      FFiles->Clear();
    if (ShowsTypes())
      FTypes->Clear();
  }
  setCurrentWidget(Page);
  PlaceTreemap();
}

void TRightPane::PlaceTreemap()
{
  QWidget* Place = ShowsTypes() && FTypes->ShowsTreemap() ? FTypes->TreemapPlace() : FTreemapPage;
  if (FTreemap->parentWidget() != Place) {
    Place->layout()->addWidget(FTreemap);
    FTreemap->show();
  }
  FTreemap->Fill();
}

bool TRightPane::ShowsTypes() const
{
  return currentWidget() == FTypes;
}

void TRightPane::ShowTypes()
{
  ShowPage(FTypes);
  FState = rsAtOnce;
  Refill();
}

bool TRightPane::ShowsFiles() const
{
  return currentWidget() == FFiles;
}

void TRightPane::ShowFiles()
{
  ShowPage(FFiles);
  FState = rsAtOnce;
  Refill();
}

void TRightPane::ShowTreemap()
{
  ShowPage(FTreemapPage);
}

void TRightPane::Refill()
{
  TFolderNode* Node = FCurrentNode();
  ShowEmptyHint(!Node);
  if (!Node)
    return;
  if (ShowsTreemap()) {
    FTreemap->Fill();
    return;
  }
  if (!ShowsList() && !ShowsFiles() && !ShowsTypes()) {
    FCharts->FillChart();
    return;
  }
  // The treemap below the types at once, as on its own page.
  if (ShowsTypes())
    FTreemap->Fill();
  if (!currentWidget()->isVisible())
    return;
  if (FState == rsDefer) {
    FTimer.start();
    FState = rsPending;
    return;
  }
  if (ShowsFiles()) {
    FFiles->ShowFolder(Node, FSettings.FHardLinksOnce);
    return;
  }
  if (ShowsTypes()) {
    FTypes->ShowFolder(Node, FSettings.FHardLinksOnce);
    return;
  }
  TWaitCursor Wait;
  if (Node->Finished())
    Node->FChildrenLabelled = true;
  FList->ShowFolder(Node, FSettings);
}

void TRightPane::RefillPicture()
{
  FCharts->FillChart();
  FTreemap->Fill();
  if (ShowsFiles() && FCurrentNode())
    FFiles->ShowFolder(FCurrentNode(), FSettings.FHardLinksOnce);
  if (ShowsTypes() && FCurrentNode())
    FTypes->ShowFolder(FCurrentNode(), FSettings.FHardLinksOnce);
}

void TRightPane::Clear()
{
  ShowEmptyHint(true);
  FList->Clear();
  FFiles->Clear();
  FTypes->Clear();
  FCharts->Clear();
  FTreemap->Clear();
}

void TRightPane::TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last)
{
  std::vector<const TFolderNode*> Removed;
  for (size_t Index = First; Index <= Last; ++Index)
    Removed.push_back(Parent ? Parent->Child(Index) : FTree.TopNodes()[Index]);
  auto Goes = [=](const TFolderNode* Node) { return Node->IsWithin(Parent, First, Last); };
  // The list holds the records of its rows: it lets go of them before they
  // are freed, in either mode.
  const TFolderNode* Listed = FList->Model().Folder();
  if (Listed && Goes(Listed))
    FList->Clear();
  else if (Listed && Listed == Parent)
    FList->Model().DropRecords({Removed.begin(), Removed.end()});
  // The chart keeps only texts and values; it goes blank with its folder,
  // and is filled again once the tree has settled when its sub-folders go.
  const TFolderNode* Current = FCurrentNode();
  if (Current && Goes(Current))
    FCharts->Clear();
  // The treemap may hold any node below the folder it shows: it lets go of
  // them all, and is made again once the tree has settled.
  const bool TreemapHeld = FTreemap->Shown() != nullptr;
  if (TreemapHeld)
    FTreemap->Clear();
  // So may the files and types views, below the folder they show.
  const bool FilesHeld = FFiles->TreeRowsRemoving(Removed);
  const bool TypesHeld = FTypes->TreeRowsRemoving(Removed);
  if (!ShowsList() && Current && (Parent == Current || TreemapHeld || FilesHeld || TypesHeld) && !FRefillDue) {
    FRefillDue = true;
    QTimer::singleShot(0, this, [this] {
      FRefillDue = false;
      Refill();
    });
  }
}
