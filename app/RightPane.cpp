#include "RightPane.h"

#include "ChartPane.h"
#include "DetailsList.h"
#include "FolderData.h"
#include "FolderNode.h"
#include "WaitCursor.h"

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
  // The chart keeps no folders, only what they showed: it is filled again.
  const TFolderNode* Shown = ShowsList() ? FList->Model().Folder() : FCurrentNode();
  if (!Shown)
    return;
  if (Parent == Shown) {
    Clear();
    if (!FRefillDue) {
      FRefillDue = true;
      QTimer::singleShot(0, this, [this] {
        FRefillDue = false;
        Refill();
      });
    }
  }
  for (const TFolderNode* Gone : Removed)
    for (const TFolderNode* Node = Shown; Node; Node = Node->Parent())
      if (Node == Gone) {
        Clear();
        return;
      }
}
