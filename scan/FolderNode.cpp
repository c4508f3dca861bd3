// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderNode.h"

#include "scan/FolderBlock.h"
#include "scan/FolderFiles.h"

#include <algorithm>
#include <cstring>

TFolderNode::TFolderNode(TRoot* Root) : FRoot(Root)
{
  FTop = true;
}

TFolderNode::TFolderNode(TFolderNode* Parent) : FDepth(Parent->FDepth + 1), FParent(Parent) {}

TFolderNode::~TFolderNode()
{
  // Children are freed by DeleteSubtree, never by a destructor, so that no
  // depth of tree can exhaust the stack.
  delete FChildren;
  TFolderFiles::Release(FFiles.load(std::memory_order_relaxed));
}

bool TFolderNode::Meets(const std::vector<const TFolderNode*>& Nodes) const
{
  const auto Holds = [](const TFolderNode* Above, const TFolderNode* Node) {
    for (; Node; Node = Node->Parent())
      if (Node == Above)
        return true;
    return false;
  };
  return std::any_of(Nodes.begin(), Nodes.end(),
                     [this, &Holds](const TFolderNode* Node) { return Holds(this, Node) || Holds(Node, this); });
}

std::vector<TFolderNode*> TFolderNode::SubFoldersByName() const
{
  std::vector<TFolderNode*> Folders;
  for (TFolderNode* Child : Children())
    if (!Child->FIsFiles)
      Folders.push_back(Child);
  std::sort(Folders.begin(), Folders.end(),
            [](const TFolderNode* A, const TFolderNode* B) { return std::strcmp(A->FName, B->FName) < 0; });
  return Folders;
}

const std::vector<TFolderNode*>& TFolderNode::Children() const
{
  static const std::vector<TFolderNode*> None;
  return FChildren ? FChildren->FItems : None;
}

TFileCount TFolderNode::OwnCount() const
{
  if (FChildren && FChildren->FBlock)
    return FChildren->FBlock->Own();
  // Without sub-folders, all a folder holds is its files and, once finished,
  // itself.
  TFileCount Own = Counts();
  if (Finished() && Own.Objects > 0 && Own.Clusters > 0) {
    --Own.Clusters;
    --Own.Objects;
  }
  return Own;
}

void TFolderNode::TakeOwnFiles(const TFileCount& Files)
{
  // Without a block the own count follows the totals, which the tree lowers.
  if (FChildren && FChildren->FBlock)
    FChildren->FBlock->TakeOwn(Files);
}

void TFolderNode::CountUp(const TFileCount& Added, const TFileCount& Taken, const TFolderNode* Top)
{
  for (TFolderNode* Node = this;; Node = Node->Parent()) {
    Node->Count(Added, Taken);
    if (Node == Top || Node->Gathers() || !Node->Parent())
      return;
  }
}

void TFolderNode::PassUp(const TFolderNode* Top)
{
  if (this != Top && Gathers() && Parent())
    Parent()->CountUp(Counts(), {}, Top);
}

void TFolderNode::MarkFailedAbove(TFolderNode* Node)
{
  // Marks reach the top, so one met on the way up means the rest have it.
  for (TFolderNode* Above = Node->Parent(); Above && !Above->FailedBelow(); Above = Above->Parent())
    Above->FScanFlags |= sfFailedBelow;
}

void TFolderNode::DeleteSubtree(TFolderNode* Node)
{
  // A work list instead of recursion; blocks go last, once none of their
  // nodes is needed any more.
  std::vector<TFolderNode*> Pending{Node};
  std::vector<TFolderBlock*> Blocks;
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    if (TChildren* Children = Current->FChildren) {
      Pending.insert(Pending.end(), Children->FItems.begin(), Children->FItems.end());
      if (Children->FBlock)
        Blocks.push_back(Children->FBlock);
      delete Children;
      Current->FChildren = nullptr;
    }
    if (!Current->FInBlock)
      delete Current;
    else
      TFolderFiles::Release(Current->FFiles.exchange(nullptr, std::memory_order_relaxed));
  }
  for (TFolderBlock* Block : Blocks)
    TFolderBlock::Free(Block);
}

TFolderNode* TFolderNode::NewFilesEntry(TFolderNode* Parent)
{
  auto* Entry = new TFolderNode(Parent);
  Entry->SetFilesEntry(Parent->OwnCount());
  return Entry;
}

void TFolderNode::SetFilesEntry(const TFileCount& Own)
{
  FIsFiles = true;
  FClusters = Own.Clusters;
  FTailBytes = Own.TailBytes;
  FObjects = Own.Objects;
  FHoles = Own.Holes;
}
