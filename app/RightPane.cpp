// SPDX-License-Identifier: GPL-3.0-or-later
#include "RightPane.h"

#include "Chart.h"
#include "ChartPane.h"
#include "DetailsList.h"
#include "FilesList.h"
#include "FolderData.h"
#include "FolderNode.h"
#include "ScanSettings.h"
#include "TreemapPane.h"
#include "WaitCursor.h"

#include <QLabel>

#include <algorithm>

TRightPane::TRightPane(TValueDisplay& Display, TFolderTree& Tree, const TScanSettings& Settings,
                       std::function<TFolderNode*()> CurrentNode)
  : FSettings(Settings), FCurrentNode(std::move(CurrentNode))
{
  FList = new TDetailsList(Display);
  addWidget(FList);
  FCharts = new TChartPane(Display, FCurrentNode);
  addWidget(FCharts);
  FTreemap = new TTreemapPane(Display, Tree, Settings, FCurrentNode);
  addWidget(FTreemap);
  FFiles = new TFilesList(Display);
  addWidget(FFiles);
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
  FEmptyHint = new QLabel(EmptyHint, this);
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
  "No folder selected.\n\nThe folder selected in the tree shows here as a list, a pie or bar chart, or a "
  "treemap. To scan a folder, type its path in the box above and press Enter, or choose Select Directory in "
  "the File menu.";

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
  LeaveFiles();
  setCurrentWidget(FList);
  FState = rsAtOnce;
  Refill();
}

bool TRightPane::ShowsTreemap() const
{
  return currentWidget() == FTreemap;
}

std::vector<TReportCanvas::TPictureDraw> TRightPane::ShownPicture()
{
  if (ShowsTreemap())
    return {[this](QPainter& Painter, const QRect& Bounds) { FTreemap->Draw(Painter, Bounds); }};
  if (ShowsList() || ShowsFiles())
    return {};
  std::vector<TReportCanvas::TPictureDraw> Pages;
  for (int Page = 0; Page < FCharts->Chart->PrintedPages(); ++Page)
    Pages.push_back(
      [this, Page](QPainter& Painter, const QRect& Bounds) { FCharts->Chart->DrawPrinted(Painter, Bounds, Page); });
  return Pages;
}

void TRightPane::ShowChart()
{
  LeaveFiles();
  setCurrentWidget(FCharts);
}

int TRightPane::Series() const
{
  if (ShowsFiles())
    return 4;
  if (ShowsTreemap())
    return 3;
  if (ShowsList())
    return 2;
  return FCharts->PieActive() ? 0 : 1;
}

void TRightPane::LeaveFiles()
{
  // A million rows hold some 13 MB and the files of the tree they list:
  // let go of them while another page is shown.
  if (ShowsFiles())
    FFiles->Clear();
}

bool TRightPane::ShowsFiles() const
{
  return currentWidget() == FFiles;
}

void TRightPane::ShowFiles()
{
  setCurrentWidget(FFiles);
  FState = rsAtOnce;
  Refill();
}

void TRightPane::ShowTreemap()
{
  LeaveFiles();
  setCurrentWidget(FTreemap);
  FTreemap->Fill();
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
  if (!ShowsList() && !ShowsFiles()) {
    FCharts->FillChart();
    return;
  }
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
}

void TRightPane::Clear()
{
  ShowEmptyHint(true);
  FList->Clear();
  FFiles->Clear();
  FCharts->Clear();
  FTreemap->Clear();
}

void TRightPane::TreeRowsRemoving(const TFolderNode* Parent, const std::vector<const TFolderNode*>& Removed)
{
  auto Goes = [&Removed](const TFolderNode* Node) {
    for (; Node; Node = Node->Parent())
      if (std::find(Removed.begin(), Removed.end(), Node) != Removed.end())
        return true;
    return false;
  };
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
  // So may the files view, below the folder it lists.
  const bool FilesHeld = FFiles->TreeRowsRemoving(Removed);
  if (!ShowsList() && Current && (Parent == Current || TreemapHeld || FilesHeld) && !FRefillDue) {
    FRefillDue = true;
    QTimer::singleShot(0, this, [this] {
      FRefillDue = false;
      Refill();
    });
  }
}
