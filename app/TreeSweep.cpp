// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TreeSweep.h"

#include "app/TreeCommands.h"
#include "scan/FolderNode.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ValueDisplay.h"

#include <chrono>
#include <utility>

namespace {

// Work per slice: short enough that a click in between is answered at once.
constexpr auto SliceTime = std::chrono::milliseconds(12);
// Children that take longer than a slice to sort are sorted off the window's
// thread.
constexpr size_t PoolSortCount = 20000;

}  // namespace

TTreeSweep::TTreeSweep(TTreeCommands& Commands, TFolderTreeView* View, TFolderModel& Model, TFolderTree& Tree,
                       TValueDisplay& Display)
  : FCommands(Commands), FView(View), FModel(Model), FTree(Tree), FDisplay(Display)
{
  FTimer.setInterval(0);
  connect(&FTimer, &QTimer::timeout, this, [this] { Slice(); });
  // Nodes on the work lists may be among those that go.
  connect(&Model, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { Cancel(); });
  connect(&Model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { Cancel(); });
}

void TTreeSweep::Sort(const std::vector<TFolderNode*>& Tops)
{
  Cancel();
  FToSort = Tops;
  FTimer.setInterval(0);
  FTimer.start();
  Slice();
}

void TTreeSweep::SortAlso(TFolderNode* Node)
{
  FToSort.push_back(Node);
  if (!FTimer.isActive()) {
    FTimer.setInterval(0);
    FTimer.start();
  }
}

void TTreeSweep::Expand(TFolderNode* Node)
{
  Cancel();
  FTop = Node;
  FToSort.push_back(Node);
  FToOpen.push_back(Node);
  FTimer.setInterval(0);
  FTimer.start();
  Slice();
}

void TTreeSweep::Cancel()
{
  FTimer.stop();
  FTop = nullptr;
  FToSort.clear();
  FKeying = nullptr;
  FKeys.clear();
  FPoolSorts.clear();  // a sort still running ends on its own
  FOrders.clear();
  FToOpen.clear();
}

void TTreeSweep::Slice()
{
  const auto Deadline = std::chrono::steady_clock::now() + SliceTime;
  auto TimeLeft = [&Deadline] { return std::chrono::steady_clock::now() < Deadline; };
  // Sorted first, so that each folder opens in its final order. The keys of
  // a folder's children may take more than one slice.
  while ((FKeying || !FToSort.empty()) && TimeLeft()) {
    if (FKeying) {
      const size_t End = std::min(FKeys.size() + 1024, FKeying->ChildCount());
      for (size_t Index = FKeys.size(); Index < End; ++Index)
        FKeys.push_back(FCommands.Keyed(FKeying->Child(Index)));
      if (FKeys.size() == FKeying->ChildCount()) {
        const TViewType ShowType = FDisplay.FShowType;
        if (FKeys.size() < PoolSortCount) {
          TNodeOrder::Sort(FKeys, ShowType);
          TNodeOrder::Take(FKeying, FKeys, FOrders);
        } else {
          auto Sort = std::make_shared<TPoolSort>();
          Sort->Node = FKeying;
          Sort->Keys = std::move(FKeys);
          FSorting.Start([Sort, ShowType](const TLatestJob::TStop&) -> std::function<void()> {
            TNodeOrder::Sort(Sort->Keys, ShowType);
            return [Sort] { Sort->Done = true; };
          });
          FPoolSorts.push_back(std::move(Sort));
        }
        FKeying = nullptr;
        FKeys.clear();
      }
      continue;
    }
    for (int Batch = 0; Batch < 64 && !FToSort.empty() && !FKeying; ++Batch) {
      TFolderNode* Node = FToSort.back();
      FToSort.pop_back();
      if (FCommands.Sorting(Node))
        FKeying = Node;
      if (FTop && Node->Finished())
        Node->FChildrenLabelled = true;
      // A Full Expand sorts the whole branch, a resort what is shown.
      if (FTop || FCommands.IsExpanded(Node))
        for (TFolderNode* Child : Node->Children())
          if (Child->ChildCount() > 0)
            FToSort.push_back(Child);
    }
  }
  if (FKeying || !FToSort.empty())
    return;
  for (const auto& Sort : FPoolSorts) {
    if (!Sort->Done) {
      FTimer.setInterval(2);  // nothing to do but wait
      return;
    }
  }
  for (const auto& Sort : FPoolSorts)
    TNodeOrder::Take(Sort->Node, Sort->Keys, FOrders);
  FPoolSorts.clear();
  FTimer.setInterval(0);
  FTree.Reorder(FOrders);
  // Children reordered or added since their keys were taken (a selection, a
  // scan step, a "<Files>" entry) are sorted again.
  for (const TFolderTree::TOrder& Order : FOrders)
    FToSort.push_back(Order.first);
  FOrders.clear();
  if (!FToSort.empty())
    return;
  const bool Marked = FTop && TFolderTree::Editable(FTop);
  FOpening = true;
  std::vector<TFolderNode*> Opened;
  while (!FToOpen.empty() && TimeLeft()) {
    for (int Batch = 0; Batch < 16 && !FToOpen.empty(); ++Batch) {
      TFolderNode* Node = FToOpen.front();
      FToOpen.pop_front();
      Opened.push_back(Node);
      if (Marked)
        FDisplay.ApplyBold(Node, [](const TFolderNode*) { return false; });
      for (TFolderNode* Child : Node->Children())
        if (Child->ChildCount() > 0)
          FToOpen.push_back(Child);
    }
  }
  FView->Expand(Opened);
  FOpening = false;
  if (!FToOpen.empty())
    return;
  FTimer.stop();
  if (TFolderNode* Top = std::exchange(FTop, nullptr)) {
    FModel.RefreshLabels(Top);
    FView->scrollTo(FModel.IndexOf(Top->Parent() ? Top->Parent() : Top));
  }
}
