// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TreeCommands.h"

#include "app/TreeSweep.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ValueDisplay.h"

#include <QRegularExpression>
#include <algorithm>

#include <vector>

namespace {

// Children that take too long to sort at once.
constexpr size_t LargeFolder = 5000;

std::vector<std::string> NamesBelow(const TFolderNode* Top, const TFolderNode* Node)
{
  std::vector<std::string> Names;
  for (; Node && Node != Top; Node = Node->Parent())
    Names.push_back(Node->FName);
  std::reverse(Names.begin(), Names.end());
  return Names;
}

TFolderNode* Find(TFolderNode* Top, const std::vector<std::string>& Names)
{
  TFolderNode* Node = Top;
  for (const std::string& Name : Names) {
    const auto& Children = Node->Children();
    const auto Found = std::find_if(Children.begin(), Children.end(), [&Name](const TFolderNode* Child) {
      return !Child->FIsFiles && Child->FName == Name;
    });
    if (Found == Children.end())
      return nullptr;
    Node = *Found;
  }
  return Node;
}

}  // namespace

TTreeCommands::TTreeCommands(TFolderTreeView* View, TFolderModel& Model, TFolderTree& Tree, TValueDisplay& Display)
  : FView(View),
    FModel(Model),
    FTree(Tree),
    FDisplay(Display),
    FSweep(std::make_unique<TTreeSweep>(*this, View, Model, Tree, Display))
{
}

TTreeCommands::~TTreeCommands() = default;

bool TTreeCommands::Busy() const
{
  return FSweep->Busy();
}

bool TTreeCommands::IsExpanded(const TFolderNode* Node) const
{
  return FView->IsExpanded(Node);
}

void TTreeCommands::SortChildren(TFolderNode* Node)
{
  // Many children are sorted in slices; until then they show as they were.
  if (Node->ChildCount() > LargeFolder)
    FSweep->SortAlso(Node);
  else
    SortChildren(std::vector<TFolderNode*>{Node});
}

void TTreeCommands::SortChildren(const std::vector<TFolderNode*>& Nodes)
{
  std::vector<TFolderTree::TOrder> Orders;
  for (TFolderNode* Node : Nodes)
    OrderChildren(Node, Orders);
  FTree.Reorder(Orders);
}

bool TTreeCommands::Sorting(const TFolderNode* Node) const
{
  return FSortType != TValueDisplay::stNone && Node->ChildCount() > 1;
}

TNodeOrder::TKeyed TTreeCommands::Keyed(TFolderNode* Child)
{
  return {FDisplay.SortKey(Child, FSortType), Child};
}

void TTreeCommands::OrderChildren(TFolderNode* Node, std::vector<TFolderTree::TOrder>& Orders)
{
  if (!Sorting(Node))
    return;
  std::vector<TNodeOrder::TKeyed> Keys;
  Keys.reserve(Node->ChildCount());
  for (TFolderNode* Child : Node->Children())
    Keys.push_back(Keyed(Child));
  TNodeOrder::Sort(Keys, FDisplay.FShowType);
  TNodeOrder::Take(Node, Keys, Orders);
}

std::vector<TFolderNode*> TTreeCommands::Shown(TFolderNode* Node) const
{
  std::vector<TFolderNode*> Nodes;
  TFolderNode::ForEachBelow(Node, [&](TFolderNode* Current) {
    Nodes.push_back(Current);
    return IsExpanded(Current);
  });
  return Nodes;
}

void TTreeCommands::ResortTree(TFolderNode* Node)
{
  SortChildren(Shown(Node));
}

void TTreeCommands::Relabel(TFolderNode* Node, bool Bold)
{
  if (!Node) {
    for (TFolderNode* Top : FTree.TopNodes())
      Relabel(Top, Bold);
    return;
  }
  // A scan still counting sets bold when its folders are opened.
  if (Bold && TFolderTree::Editable(Node))
    FDisplay.ApplyBold(Node, [this](const TFolderNode* Item) { return IsExpanded(Item); });
  FModel.RefreshLabels(Node);
}

void TTreeCommands::Expanding(TFolderNode* Node)
{
  if (FSweep->Opening() || !Node)
    return;
  SortChildren(Node);
  if (Node->Finished())
    Node->FChildrenLabelled = true;
  if (TFolderTree::Editable(Node)) {
    FDisplay.ApplyBold(Node, [this](const TFolderNode* Item) { return IsExpanded(Item); });
    FModel.RefreshChildren(Node);
  }
}

void TTreeCommands::ScanStep(TFolderNode* Top, bool OnlyRoot)
{
  if (OnlyRoot
      && std::count_if(Top->Children().begin(), Top->Children().end(),
                       [](const TFolderNode* Child) { return !Child->FIsFiles; })
        == 1)
    FView->Expand(Top);
  SortChildren(Top);
  FModel.TreeNodeChanged(Top);
}

TFolderNode* TTreeCommands::ScanFinished(TRoot* Root, bool Stopped)
{
  TFolderNode* Top = Root->FNode;
  if (!Stopped) {
    if (IsExpanded(Top))
      Expanding(Top);
    else
      FView->Expand(Top);
    if (FDisplay.FShowType == vtPercent)
      FModel.RefreshLabels(Top);
  }
  const std::optional<TTreeState> Kept = TakeState(Root);
  if (!Kept)
    return nullptr;
  const TTreeState& State = *Kept;
  // Parents come before their children in the saved order.
  std::vector<TFolderNode*> Opened;
  for (const std::vector<std::string>& Names : State.FExpanded)
    if (TFolderNode* Node = Find(Top, Names))
      Opened.push_back(Node);
  FView->Expand(Opened);
  return State.FHasCurrent ? Find(Top, State.FCurrent) : nullptr;
}

std::optional<TTreeCommands::TTreeState> TTreeCommands::TakeState(const TRoot* Root)
{
  const auto Kept = FKept.find(Root);
  if (Kept == FKept.end())
    return std::nullopt;
  TTreeState State = std::move(Kept->second);
  FKept.erase(Kept);
  return State;
}

std::optional<TTreeCommands::TTreeState> TTreeCommands::BeforeRescan(const TRoot* Root, const TFolderNode* Current)
{
  std::optional<TTreeState> State = TakeState(Root);
  return State ? State : SaveState(Root->FNode, Current);
}

void TTreeCommands::KeepState(const TRoot* Root, TTreeState State)
{
  if (State.FExpanded.empty() && !State.FHasCurrent)
    FKept.erase(Root);
  else
    FKept[Root] = std::move(State);
}

void TTreeCommands::FullExpand(TFolderNode* Node)
{
  FSweep->Expand(Node);
}

void TTreeCommands::CollapseAll(TFolderNode* Node)
{
  FSweep->Cancel();
  TFolderNode::ForEachBelow(Node, [this](TFolderNode* Current) {
    if (!IsExpanded(Current))
      return false;
    FView->Collapse(Current);
    return true;
  });
}

void TTreeCommands::ExpandToLevel(TFolderNode* Node, int Levels, double Minimum)
{
  FSweep->Cancel();
  const uint32_t Deepest = Node->Depth() + uint32_t(std::max(Levels, 0));
  std::vector<TFolderNode*> Opened;  // parents first
  TFolderNode::ForEachBelow(Node, [&](TFolderNode* Current) {
    if (Current->Depth() >= Deepest || Current->GetValue(FDisplay.FShowType, 0) < Minimum) {
      CollapseAll(Current);
      return false;
    }
    Opened.push_back(Current);
    return true;
  });
  FView->Expand(Opened);
}

TTreeCommands::TTreeState TTreeCommands::SaveState(const TFolderNode* Top, const TFolderNode* Current) const
{
  TTreeState State;
  TFolderNode::ForEachBelow(Top, [&](const TFolderNode* Node) {
    if (!IsExpanded(Node))
      return false;
    State.FExpanded.push_back(NamesBelow(Top, Node));
    return true;
  });
  for (const TFolderNode* Node = Current; Node; Node = Node->Parent())
    if (Node == Top) {
      State.FCurrent = NamesBelow(Top, Current);
      State.FHasCurrent = true;
    }
  return State;
}

int TTreeCommands::CountFolders(const TFolderNode* Top)
{
  int Count = 0;
  TFolderNode::ForEachBelow(Top, [&](const TFolderNode* Node) {
    if (Node->FIsFiles)
      return false;
    Count += Node != Top;
    return true;
  });
  return Count;
}

void TTreeCommands::ResortAll(bool MeasureChanged)
{
  if (MeasureChanged)
    Relabel(nullptr, true);
  // A Full Expand under way ends: it would open folders in the old order.
  FSweep->Sort(FTree.TopNodes());
}

bool TTreeCommands::ParseMegabytes(const QString& Text, int& Megabytes)
{
  static const QRegularExpression Size("^\\s*(\\d{1,12})\\s*(KB|MB|GB|TB)?\\s*$",
                                       QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch Match = Size.match(Text);
  if (!Match.hasMatch())
    return false;
  const QString Unit = Match.captured(2).toUpper();
  long double Value = Match.captured(1).toLongLong();
  Value *= Unit == "KB" ? 1.0L / 1024 : Unit == "GB" ? 1024 : Unit == "TB" ? 1024.0L * 1024 : 1;
  if (Value != static_cast<long long>(Value) || Value > 1000000)
    return false;
  Megabytes = int(Value);
  return true;
}

void TTreeCommands::AskMinimumExpandSize()
{
  QString Answer = QString("%1 MB").arg(FMinimumExpandSize);
  if (!TPrompt::Input(FView, tr("Minimum Expand Size"), tr("Specify the minimum size for expanding and removing:"),
                      Answer))
    return;
  if (!ParseMegabytes(Answer, FMinimumExpandSize))
    TPrompt::Warn(FView, tr("Minimum Expand Size"),
                  //: Keep MB and GB: the size typed is read with these units
                  tr("Sorry, this was not a valid size. Give whole megabytes, for example \"10 MB\" or \"2 GB\"."));
}

void TTreeCommands::TellFolderCount(const TFolderNode* Top)
{
  TPrompt::Inform(
    FView, tr("Count Folders"),
    tr("     %1 has %2 Folders.     ").arg(FDisplay.NodeCaption(Top), QString::number(CountFolders(Top))));
}
