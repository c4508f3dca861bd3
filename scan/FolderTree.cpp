// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderTree.h"

#include "fs/PathRules.h"
#include "scan/FolderBlock.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/FolderTreeListener.h"
#include "scan/Root.h"

#include <algorithm>

TFolderTree::~TFolderTree()
{
  for (TFolderNode* Node : FTopNodes)
    TFolderNode::DeleteSubtree(Node);
}

std::vector<TFolderNode*>& TFolderTree::ChildList(TFolderNode* Parent)
{
  if (!Parent)
    return FTopNodes;
  if (!Parent->FChildren)
    Parent->FChildren = new TFolderNode::TChildren{{}, nullptr, Parent->Root()};
  return Parent->FChildren->FItems;
}

void TFolderTree::Renumber(std::vector<TFolderNode*>& List, size_t From)
{
  for (size_t Index = From; Index < List.size(); ++Index)
    List[Index]->FIndex = uint32_t(Index);
}

void TFolderTree::AddTopNode(TFolderNode* Node)
{
  std::vector<TFolderNode*> Nodes{Node};
  AppendChildren(nullptr, Nodes);
}

void TFolderTree::AddListener(TFolderTreeListener* Listener)
{
  FListeners.push_back(Listener);
}

void TFolderTree::RemoveListener(TFolderTreeListener* Listener)
{
  std::erase(FListeners, Listener);
}

void TFolderTree::AppendChildren(TFolderNode* Parent, std::vector<TFolderNode*>& Nodes)
{
  if (Nodes.empty())
    return;
  const size_t First = Parent ? Parent->ChildCount() : FTopNodes.size();
  Tell(&TFolderTreeListener::TreeBeginInsert, Parent, First, First + Nodes.size() - 1);
  {
    std::unique_lock Lock(FGuard);
    std::vector<TFolderNode*>& List = ChildList(Parent);
    List.insert(List.end(), Nodes.begin(), Nodes.end());
    Renumber(List, First);
  }
  Nodes.clear();
  Tell(&TFolderTreeListener::TreeEndInsert);
}

void TFolderTree::AppendBlock(TFolderBlock* Block)
{
  TFolderNode* Parent = Block->Parent();
  std::vector<TFolderNode*> Nodes(Block->Count());
  for (size_t Index = 0; Index < Nodes.size(); ++Index)
    Nodes[Index] = Block->Node(Index);
  {
    std::unique_lock Lock(FGuard);
    ChildList(Parent);
    Block->FNext = Parent->FChildren->FBlock;
    Parent->FChildren->FBlock = Block;
  }
  AppendChildren(Parent, Nodes);
}

void TFolderTree::ForgetNames(const TFolderNode* Node)
{
  // No name of a file may be remembered in a folder that is freed.
  if (TRoot* Root = Node->Root(); Root && Node == Root->FNode)
    Root->FLinks.Clear();
  else if (Root)
    Root->FLinks.RemoveBranch(Node);
}

void TFolderTree::DeleteNode(TFolderNode* Node)
{
  ForgetNames(Node);
  TFolderNode* Parent = Node->Parent();
  const size_t Index = Node->Index();
  Tell(&TFolderTreeListener::TreeBeginRemove, Parent, Index, Index);
  {
    std::unique_lock Lock(FGuard);
    ++FRemovals;
    std::vector<TFolderNode*>& List = ChildList(Parent);
    List.erase(List.begin() + Index);
    Renumber(List, Index);
    TFolderNode::DeleteSubtree(Node);
  }
  Tell(&TFolderTreeListener::TreeEndRemove);
}

void TFolderTree::DeleteChildren(TFolderNode* Node)
{
  // The folder is listed again: the names it held go with those below.
  ForgetNames(Node);
  TFolderNode::TChildren* Children = Node->FChildren;
  if (!Children)
    return;
  const size_t Count = Children->FItems.size();
  if (Count > 0)
    Tell(&TFolderTreeListener::TreeBeginRemove, Node, 0, Count - 1);
  {
    std::unique_lock Lock(FGuard);
    ++FRemovals;
    Node->FChildren = nullptr;
    for (TFolderNode* Child : Children->FItems)
      TFolderNode::DeleteSubtree(Child);
    TFolderBlock::Free(Children->FBlock);
    delete Children;
  }
  if (Count > 0)
    Tell(&TFolderTreeListener::TreeEndRemove);
}

bool TFolderTree::IsOrder(const TOrder& Order) const
{
  const std::vector<TFolderNode*>& List = Order.first ? Order.first->Children() : FTopNodes;
  if (Order.second.size() != List.size())
    return false;
  std::vector<bool> Seen(List.size());
  for (const TFolderNode* Node : Order.second) {
    const size_t Index = Node->Index();
    if (Index >= List.size() || List[Index] != Node || Seen[Index])
      return false;
    Seen[Index] = true;
  }
  return true;
}

void TFolderTree::Reorder(std::vector<TOrder>& Orders)
{
  // An order made before the children changed would lose or repeat some:
  // it stays behind in Orders.
  const auto Stale =
    std::partition(Orders.begin(), Orders.end(), [this](const TOrder& Order) { return IsOrder(Order); });
  if (Stale == Orders.begin())
    return;
  Tell(&TFolderTreeListener::TreeBeginReorder);
  {
    std::unique_lock Lock(FGuard);
    for (auto Order = Orders.begin(); Order != Stale; ++Order) {
      std::vector<TFolderNode*>& List = ChildList(Order->first);
      List.swap(Order->second);
      Renumber(List, 0);
    }
  }
  Orders.erase(Orders.begin(), Stale);
  Tell(&TFolderTreeListener::TreeEndReorder);
}

void TFolderTree::SetFiles(TFolderNode* Node, TFolderFiles* Files)
{
  std::unique_lock Lock(FGuard);
  TFolderFiles::Release(Node->FFiles.exchange(Files, std::memory_order_acq_rel));
}

void TFolderTree::Rename(TFolderNode* Node, const std::string& Name)
{
  {
    std::unique_lock Lock(FGuard);
    Node->SetName(Name);
  }
  NodeChanged(Node);
}

void TFolderTree::NodeChanged(TFolderNode* Node)
{
  Tell(&TFolderTreeListener::TreeNodeChanged, Node);
}

TFolderNode* TFolderTree::DeepestAt(const std::string& Given) const
{
  const std::string Path = TPathRules::WithSeparator(Given);
  TFolderNode* Deepest = nullptr;
  size_t Reached = 0;
  for (TFolderNode* Top : FTopNodes) {
    const TRoot* Root = Top->Root();
    if (!Root || Root->Imported() || !Path.starts_with(Root->FPath) || Root->FPath.size() <= Reached)
      continue;
    // Down the tree one name of the path at a time.
    TFolderNode* Node = Top;
    size_t Start = Root->FPath.size();
    for (size_t End; (End = Path.find('/', Start)) != std::string::npos; Start = End + 1) {
      const std::string Name = Path.substr(Start, End - Start);
      const auto& Children = Node->Children();
      const auto Found = std::find_if(Children.begin(), Children.end(), [&Name](const TFolderNode* Child) {
        return !Child->FIsFiles && Child->FName == Name;
      });
      if (Found == Children.end())
        break;
      Node = *Found;
    }
    Deepest = Node;
    Reached = Root->FPath.size();
  }
  return Deepest;
}

bool TFolderTree::Editable(const TFolderNode* Node)
{
  const TRoot* Root = Node->Root();
  return !Root || !Root->Scanning();
}

void TFolderTree::AddToAncestors(TFolderNode* Node, const TFileCount& Added, const TFileCount& Taken)
{
  for (; Node; Node = Node->Parent()) {
    Node->Count(Added, Taken);
    NodeChanged(Node);
  }
}

void TFolderTree::RemoveGoneFiles(TFolderNode* Folder, const std::vector<TGoneFile>& Gone)
{
  TFileCount Totals;
  std::vector<std::pair<TFileCount, TFolderNode*>> Named;
  for (const TGoneFile& File : Gone) {
    TFolderNode* Still = nullptr;
    if (File.Links > 1 && Editable(Folder) && Folder->Root()->FLinks.RemoveName(File.Device, File.Inode, Folder, Still))
      Named.emplace_back(File.Count, Still);
    else
      Totals.Add(File.Count);
  }
  RemoveOwnFiles(Folder, Totals);
  for (const auto& [Count, Still] : Named)
    RemoveOwnFiles(Folder, Count, Still);
}

bool TFolderTree::RemoveOwnFiles(TFolderNode* Folder, const TFileCount& Files, const TFolderNode* Counting)
{
  if (!Editable(Folder))
    return false;
  if (Counting == Folder)
    return true;  // another name of the file is here: nothing changes
  // No more than the scan counted: a file may have grown since, or be newer.
  const TFileCount Own = Folder->OwnCount();
  const TFileCount Taken{std::min(Files.Clusters, Own.Clusters), std::min(Files.TailBytes, Own.TailBytes),
                         std::min(Files.Objects, Own.Objects), std::min(Files.Holes, Own.Holes)};
  Folder->TakeOwnFiles(Taken);
  for (TFolderNode* Node = Folder; Node && Node != Counting; Node = Node->Parent()) {
    Node->Count({}, Taken);
    NodeChanged(Node);
  }
  FitFilesEntry(Folder);
  return true;
}

void TFolderTree::FitFilesEntry(TFolderNode* Folder)
{
  const auto& Children = Folder->Children();
  const auto Entry =
    std::find_if(Children.begin(), Children.end(), [](const TFolderNode* Child) { return Child->FIsFiles; });
  if (Entry == Children.end())
    return;
  // Only beside sub-folders and with files left, as a scan would show it.
  if (Folder->OwnCount().Objects == 0 || Children.size() == 1) {
    DeleteNode(*Entry);
  } else {
    (*Entry)->SetFilesEntry(Folder->OwnCount());
    NodeChanged(*Entry);
  }
}

bool TFolderTree::FreeNode(TFolderNode* Node, bool Subtract)
{
  if (!Editable(Node))
    return false;
  if (Subtract && Node->Parent()) {
    AddToAncestors(Node->Parent(), {}, Node->Counts());
    // A file with a name outside the branch still counts in the folders
    // above that name.
    Node->Root()->FLinks.RemoveBranch(
      Node, [this](TFolderNode* Folder, const TFileCount& Count) { AddToAncestors(Folder, Count, {}); });
  }
  TFolderNode* const Parent = Node->Parent();
  DeleteNode(Node);
  if (Subtract && Parent)
    FitFilesEntry(Parent);
  return true;
}
