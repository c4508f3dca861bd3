// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderModel.h"

#include "fs/PathRules.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "shell/ZelSystemImageList.h"
#include "view/ValueDisplay.h"

#include <QFont>
#include <QTimer>

TFolderModel::TFolderModel(TFolderTree& Tree, TValueDisplay& Display, QObject* Parent)
  : QAbstractItemModel(Parent), FTree(Tree), FDisplay(Display)
{
  FTree.AddListener(this);
}

TFolderModel::~TFolderModel()
{
  FTree.RemoveListener(this);
}

TFolderNode* TFolderModel::NodeOf(const QModelIndex& Index)
{
  return static_cast<TFolderNode*>(Index.internalPointer());
}

QModelIndex TFolderModel::IndexOf(const TFolderNode* Node) const
{
  return Node ? createIndex(int(Node->Index()), 0, const_cast<TFolderNode*>(Node)) : QModelIndex();
}

const std::vector<TFolderNode*>& TFolderModel::RowsOf(const TFolderNode* Parent) const
{
  return Parent ? Parent->Children() : FTree.TopNodes();
}

QModelIndex TFolderModel::index(int Row, int Column, const QModelIndex& Parent) const
{
  const std::vector<TFolderNode*>& Rows = RowsOf(NodeOf(Parent));
  if (Row < 0 || size_t(Row) >= Rows.size() || Column != 0)
    return {};
  return createIndex(Row, 0, Rows[size_t(Row)]);
}

QModelIndex TFolderModel::parent(const QModelIndex& Child) const
{
  return Child.isValid() ? IndexOf(NodeOf(Child)->Parent()) : QModelIndex();
}

int TFolderModel::rowCount(const QModelIndex& Parent) const
{
  if (Parent.column() > 0)
    return 0;
  return int(RowsOf(NodeOf(Parent)).size());
}

int TFolderModel::columnCount(const QModelIndex&) const
{
  return 1;
}

int TFolderModel::StateImage(const TFolderNode* Node)
{
  const TRoot* Root = Node->Root();
  if (Node->Parent() || !Root || !Root->FWorker || Root->FNode != Node)
    return 0;
  if (Root->FSubfolderCount <= 0)
    return 1;
  return std::min(16, Root->FSubfoldersDone * 15 / Root->FSubfolderCount + 1);
}

Qt::ItemFlags TFolderModel::flags(const QModelIndex& Index) const
{
  Qt::ItemFlags Flags = QAbstractItemModel::flags(Index);
  const TFolderNode* Node = NodeOf(Index);
  if (!Node)
    return Flags;
  // A view need not ask for its children: most rows of a large tree are
  // folders without sub-folders. Should one get some later (scanned again),
  // their insertion tells the view.
  if (Node->ChildCount() == 0 && (Node->FIsFiles || Node->Finished()))
    Flags |= Qt::ItemNeverHasChildren;
  if (!Node->Parent() || Node->FIsFiles)
    return Flags;
  // A folder on disk here, and not being scanned, can be renamed.
  if (const TRoot* Root = Node->Root(); !Root || (!Root->Scanning() && !Root->Imported()))
    Flags |= Qt::ItemIsEditable;
  return Flags;
}

bool TFolderModel::setData(const QModelIndex& Index, const QVariant& Value, int Role)
{
  TFolderNode* Node = NodeOf(Index);
  if (Role != Qt::EditRole || !Node || !OnRename)
    return false;
  QString Name = Value.toString();
  if (Name == FDisplay.DisplayName(Node) || !OnRename(Node, Name))
    return false;
  emit dataChanged(Index, Index);
  return true;
}

QVariant TFolderModel::data(const QModelIndex& Index, int Role) const
{
  if (!Index.isValid())
    return {};
  TFolderNode* Node = NodeOf(Index);
  switch (Role) {
    case Qt::DisplayRole: return FDisplay.NodeLabel(Node);
    case Qt::EditRole: return FDisplay.DisplayName(Node);  // the bare name, without value or marks
    case Qt::DecorationRole:
      if (Node->FImageIndex < 0)
        Node->FImageIndex =
          Node->FIsFiles ? TZelSystemImageList::FilesIconIndex() : TZelSystemImageList::IconIndex(Node->FullPath());
      return TZelSystemImageList::Icon(Node->FImageIndex);
    case Qt::FontRole:
      if (Node->FBold) {
        QFont Bold;
        Bold.setBold(true);
        return Bold;
      }
      return {};
    case Qt::ToolTipRole: return TPathRules::Shown(Node->FullPath());
    case StateImageRole: return StateImage(Node);
    default: return {};
  }
}

void TFolderModel::RefreshLabels(TFolderNode* Node)
{
  const QModelIndex Own = IndexOf(Node);
  emit dataChanged(Own, Own);
  TFolderNode::ForEachBelow(Node, [this](TFolderNode* Current) {
    if (Current->FChildrenLabelled)
      RefreshChildren(Current);
    return Current->FChildrenLabelled;
  });
}

void TFolderModel::RefreshChildren(TFolderNode* Node)
{
  // The rows are known from their places: their nodes need not be read.
  if (const std::vector<TFolderNode*>& Rows = Node->Children(); !Rows.empty())
    emit dataChanged(createIndex(0, 0, Rows.front()), createIndex(int(Rows.size() - 1), 0, Rows.back()));
}

void TFolderModel::TreeBeginInsert(TFolderNode* Parent, size_t First, size_t Last)
{
  beginInsertRows(IndexOf(Parent), int(First), int(Last));
}

void TFolderModel::TreeEndInsert()
{
  endInsertRows();
}

void TFolderModel::TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last)
{
  // Collected nodes may be among those that go.
  FChanged.clear();
  FRemoving = true;
  beginRemoveRows(IndexOf(Parent), int(First), int(Last));
}

void TFolderModel::TreeEndRemove()
{
  endRemoveRows();
  FRemoving = false;
}

void TFolderModel::TreeBeginReorder()
{
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  FReordered = persistentIndexList();
}

void TFolderModel::TreeEndReorder()
{
  // Each persistent index follows its node to the node's new row.
  QModelIndexList Moved;
  Moved.reserve(FReordered.size());
  for (const QModelIndex& Old : FReordered)
    Moved << IndexOf(NodeOf(Old));
  changePersistentIndexList(FReordered, Moved);
  FReordered.clear();
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TFolderModel::TreeNodeChanged(TFolderNode* Node)
{
  FChanged.insert(Node);
  if (!FFlushDue) {
    FFlushDue = true;
    QTimer::singleShot(0, this, [this] { FlushChanges(); });
  }
}

void TFolderModel::RowChanged(const TFolderNode* Node)
{
  const QModelIndex Own = IndexOf(Node);
  emit dataChanged(Own, Own);
}

void TFolderModel::FlushChanges()
{
  FFlushDue = false;
  for (const TFolderNode* Node : FChanged)
    RowChanged(Node);
  FChanged.clear();
  // Workers raise the totals of every open folder without telling anyone:
  // the rows shown of a root being scanned are told as a range per parent.
  std::unordered_set<const void*> Live;
  for (const TFolderNode* Top : FTree.TopNodes()) {
    const TRoot* Root = Top->Root();
    if (Root->Scanning())
      Live.insert(Root);
    else if (!FLiveRoots.contains(Root))
      continue;
    RowChanged(Top);
    TFolderNode::ForEachBelow<const TFolderNode>(Top, [this](const TFolderNode* Node) {
      if (Node->ChildCount() == 0 || !FIsExpanded || !FIsExpanded(Node))
        return false;
      emit dataChanged(IndexOf(Node->Child(0)), IndexOf(Node->Children().back()));
      return true;
    });
  }
  FLiveRoots.swap(Live);
}
