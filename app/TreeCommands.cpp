#include "TreeCommands.h"

#include "FolderData.h"
#include "FolderModel.h"
#include "FolderNode.h"
#include "FolderTree.h"
#include "FolderTreeView.h"
#include "ValueDisplay.h"


#include <QApplication>
#include <QRegularExpression>

#include <vector>

TTreeCommands::TTreeCommands(TFolderTreeView* View, TFolderModel& Model, TFolderTree& Tree, TValueDisplay& Display)
  : FView(View), FModel(Model), FTree(Tree), FDisplay(Display)
{
}

bool TTreeCommands::IsExpanded(const TFolderNode* Node) const
{
  return FView->IsExpanded(Node);
}

void TTreeCommands::SortChildren(TFolderNode* Node)
{
  if (FSortType == 1 || FSortType == 2)
    FTree.SortChildren(Node, [this](const TFolderNode* A, const TFolderNode* B) {
      return FDisplay.CompareNodes(A, B, FSortType) < 0;
    });
}

void TTreeCommands::ResortTree(TFolderNode* Node)
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

void TTreeCommands::Relabel(TFolderNode* Node, bool Bold)
{
  if (Bold)
    FDisplay.ApplyBold(Node, [this](const TFolderNode* Item) { return IsExpanded(Item); });
  FModel.RefreshLabels(Node);
}

void TTreeCommands::Expanding(TFolderNode* Node)
{
  if (FBulkExpanding || !Node)
    return;
  SortChildren(Node);
  TFolderData* Record = Node->FData;
  if (Record->Finished())
    Record->FChildrenLabelled = true;
  if (TFolderTree::Editable(Node)) {
    FDisplay.ApplyBold(Node, [this](const TFolderNode* Item) { return IsExpanded(Item); });
    FModel.RefreshChildren(Node);
  }
}

void TTreeCommands::ScanStep(TFolderNode* Top, bool OnlyRoot)
{
  if (OnlyRoot && Top->ChildCount() == 1)
    FView->expand(FModel.IndexOf(Top));
  SortChildren(Top);
  FModel.TreeNodeChanged(Top);
}

void TTreeCommands::ScanFinished(TFolderNode* Top)
{
  if (IsExpanded(Top))
    Expanding(Top);
  else
    FView->expand(FModel.IndexOf(Top));
  if (FDisplay.FShowType == vtPercent)
    FModel.RefreshLabels(Top);
}

void TTreeCommands::FullExpand(TFolderNode* Node)
{
  // Everything is sorted and marked first, then the view expands in one go.
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    SortChildren(Current);
    if (Current->FData->Finished())
      Current->FData->FChildrenLabelled = true;
    Pending.insert(Pending.end(), Current->Children().begin(), Current->Children().end());
  }
  FBulkExpanding = true;
  FView->expandRecursively(FModel.IndexOf(Node));
  FBulkExpanding = false;
  if (TFolderTree::Editable(Node))
    Relabel(Node, true);
  FView->scrollTo(FModel.IndexOf(Node->Parent() ? Node->Parent() : Node));
}

void TTreeCommands::CollapseAll(TFolderNode* Node)
{
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    if (!IsExpanded(Current))
      continue;
    FView->collapse(FModel.IndexOf(Current));
    Pending.insert(Pending.end(), Current->Children().begin(), Current->Children().end());
  }
}

void TTreeCommands::ExpandToLevel(TFolderNode* Node, int Levels, double Minimum)
{
  std::vector<std::pair<TFolderNode*, int>> Pending{{Node, Levels}};
  while (!Pending.empty()) {
    auto [Current, Left] = Pending.back();
    Pending.pop_back();
    if (Left <= 0 || Current->FData->GetValue(FDisplay.FShowType, 0) < Minimum) {
      CollapseAll(Current);
      continue;
    }
    FView->expand(FModel.IndexOf(Current));
    for (TFolderNode* Child : Current->Children())
      Pending.push_back({Child, Left - 1});
  }
}

int TTreeCommands::CountFolders(const TFolderNode* Top)
{
  int Count = 0;
  std::vector<const TFolderNode*> Pending(Top->Children().begin(), Top->Children().end());
  while (!Pending.empty()) {
    const TFolderNode* Node = Pending.back();
    Pending.pop_back();
    if (Node->FData->FIsFiles)
      continue;
    ++Count;
    Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
  }
  return Count;
}

void TTreeCommands::ResortAll(bool Relabel)
{
  for (size_t Index = 0; Index < FTree.TopNodes().size(); ++Index) {
    TFolderNode* Top = FTree.TopNodes()[Index];
    if (Relabel) {
      FModel.RefreshLabels(Top);
      // The tree repaints between roots; no click may remove one meanwhile.
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ResortTree(Top);
  }
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
