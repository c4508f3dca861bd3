#include "RightPane.h"

#include "ChartPane.h"
#include "DetailsList.h"
#include "FolderData.h"
#include "FolderNode.h"
#include "WaitCursor.h"

#include <algorithm>

TRightPane::TRightPane(TValueDisplay& Display, const TScanSettings& Settings,
                       std::function<TFolderNode*()> CurrentNode)
  : FSettings(Settings), FCurrentNode(std::move(CurrentNode))
{
  FList = new TDetailsList(Display);
  addWidget(FList);
  FCharts = new TChartPane(Display, FCurrentNode);
  addWidget(FCharts);
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

bool TRightPane::ShowsList() const
{
  return currentWidget() == FList;
}

void TRightPane::ShowList()
{
  setCurrentWidget(FList);
  FState = rsAtOnce;
  Refill();
}

void TRightPane::ShowChart()
{
  setCurrentWidget(FCharts);
}

void TRightPane::Refill()
{
  TFolderNode* Node = FCurrentNode();
  if (!Node)
    return;
  if (!ShowsList()) {
    FCharts->FillChart();
    return;
  }
  if (!FList->isVisible())
    return;
  if (FState == rsDefer) {
    FTimer.start();
    FState = rsPending;
    return;
  }
  TWaitCursor Wait;
  if (Node->Finished())
    Node->FChildrenLabelled = true;
  FList->ShowFolder(Node, FSettings);
}

void TRightPane::Clear()
{
  FList->Clear();
  FCharts->Clear();
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
  if (!ShowsList() && Current && Parent == Current && !FRefillDue) {
    FRefillDue = true;
    QTimer::singleShot(0, this, [this] {
      FRefillDue = false;
      Refill();
    });
  }
}
