// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderTreeListener.h"

#include <QAbstractItemModel>
#include <QModelIndexList>

#include <functional>
#include <unordered_set>

class TFolderTree;
class TValueDisplay;

// The folder tree as Qt sees it: one column of node labels, icons and bold
// states, computed when the view asks. It follows every change of the tree
// through the listener interface. Changed labels are collected and told to
// the views in one go by FlushChanges(), together with the rows whose totals
// running scans keep raising.
class TFolderModel : public QAbstractItemModel, public TFolderTreeListener {
public:
  // Role of the progress state image of a scanning root: 0 none, 1 empty
  // bar, 2..16 a bar of 2 x (state - 1) pixels.
  static constexpr int StateImageRole = Qt::UserRole + 1;

  TFolderModel(TFolderTree& Tree, TValueDisplay& Display, QObject* Parent = nullptr);
  ~TFolderModel() override;

  QModelIndex IndexOf(const TFolderNode* Node) const;
  static TFolderNode* NodeOf(const QModelIndex& Index);
  // Tells the view that the labels of Node, and of the children of every
  // node below it whose children were labelled, changed.
  void RefreshLabels(TFolderNode* Node);
  // Tells the view that the children of Node changed their labels or bold.
  void RefreshChildren(TFolderNode* Node);
  static int StateImage(const TFolderNode* Node);
  // Tells the views of every label that changed since the last flush: nodes
  // the tree reported, and the shown rows of roots being scanned (and of
  // those whose scan ended since).
  void FlushChanges();
  // Whether a node's children are shown; the view's answer.
  std::function<bool(const TFolderNode*)> FIsExpanded;
  // Rows are being removed (between the begin and the end of a removal).
  bool Removing() const { return FRemoving; }
  // Renaming a folder in place (only below the top, not "<Files>", not
  // while its scan runs): asked with the name typed, which it turns into
  // the name the folder now has; false leaves it as it was.
  std::function<bool(TFolderNode* Node, QString& Name)> OnRename;

  QModelIndex index(int Row, int Column, const QModelIndex& Parent = {}) const override;
  QModelIndex parent(const QModelIndex& Child) const override;
  int rowCount(const QModelIndex& Parent = {}) const override;
  int columnCount(const QModelIndex& Parent = {}) const override;
  QVariant data(const QModelIndex& Index, int Role) const override;
  Qt::ItemFlags flags(const QModelIndex& Index) const override;
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;

  void TreeBeginInsert(TFolderNode* Parent, size_t First, size_t Last) override;
  void TreeEndInsert() override;
  void TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last) override;
  void TreeEndRemove() override;
  void TreeBeginReorder() override;
  void TreeEndReorder() override;
  void TreeNodeChanged(TFolderNode* Node) override;

  // The rows below Parent: its sub-folders, or the tops for none.
  const std::vector<TFolderNode*>& RowsOf(const TFolderNode* Parent) const;

private:
  TFolderTree& FTree;
  TValueDisplay& FDisplay;
  void RowChanged(const TFolderNode* Node);

  QModelIndexList FReordered;
  bool FRemoving = false;
  std::unordered_set<const TFolderNode*> FChanged;
  std::unordered_set<const void*> FLiveRoots;  // roots scanning at the last flush; compared, never read
  bool FFlushDue = false;
};
