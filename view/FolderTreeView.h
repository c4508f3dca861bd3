// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QTimer>

#include <functional>
#include <unordered_map>
#include <vector>

class TFolderModel;
class TFolderNode;

// The tree of scanned folders: labels with the chosen measure, icons, bold
// for large folders and the progress bar of a scanning root. It lays out
// only the rows in view: every open folder keeps the number of rows shown
// below it, so that finding a row walks down the tree past whole branches,
// and opening, closing, adding or removing a branch corrects the open
// folders above it. No change costs the number of rows shown, however many
// millions, or however deep the tree. Its one column grows to fit the
// labels in view, measured once per turn of the event loop however many
// labels changed.
class TFolderTreeView : public QAbstractItemView {
  Q_DECLARE_TR_FUNCTIONS(TFolderTreeView)

public:
  explicit TFolderTreeView(TFolderModel& Model, QWidget* Parent = nullptr);

  // The line shown in the empty tree: how to start.
  static const char* EmptyHint;
  // Horizontal room of each level.
  static constexpr int Indent = 22;

  TFolderNode* CurrentFolder() const;
  bool IsExpanded(const TFolderNode* Node) const;
  // Shows the children of Node, and of any folder below it left open.
  void Expand(TFolderNode* Node);
  // Opens Nodes at once, parents listed before their children: what
  // opening them one by one would cost again for each folder above them
  // is paid once.
  void Expand(const std::vector<TFolderNode*>& Nodes);
  void Collapse(TFolderNode* Node);
  // The number of rows shown.
  size_t RowCount() const { return FRowCount; }
  // The node of a row shown, none past the last.
  TFolderNode* NodeAt(size_t Row) const;
  // The row of Node, -1 while a folder above it is closed.
  int64_t RowOf(const TFolderNode* Node) const;
  // A folder was opened by the user or by the program.
  std::function<void(TFolderNode* Node)> OnExpanded;

  QRect visualRect(const QModelIndex& Index) const override;
  void scrollTo(const QModelIndex& Index, ScrollHint Hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& Point) const override;
  void reset() override;
  void doItemsLayout() override;

protected:
  QModelIndex moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex& Index) const override;
  void setSelection(const QRect& Rect, QItemSelectionModel::SelectionFlags Command) override;
  QRegion visualRegionForSelection(const QItemSelection& Selection) const override;
  void updateGeometries() override;
  void scrollContentsBy(int Dx, int Dy) override;
  void dataChanged(const QModelIndex& TopLeft, const QModelIndex& BottomRight, const QList<int>& Roles) override;
  void rowsInserted(const QModelIndex& Parent, int First, int Last) override;
  void rowsAboutToBeRemoved(const QModelIndex& Parent, int First, int Last) override;
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void changeEvent(QEvent* Event) override;

private:
  // Rows shown below Node: none while it is closed.
  size_t RowsBelow(const TFolderNode* Node) const;
  // The rows below Node changed by Rows: so do those of every open folder
  // above it, up to the first closed one, and the count of all rows when
  // none is. Whether the rows shown changed.
  bool AddRows(const TFolderNode* Node, int64_t Rows);
  // The rows after and before Node, in the order shown.
  TFolderNode* Next(const TFolderNode* Node) const;
  TFolderNode* Previous(const TFolderNode* Node) const;
  int RowHeight() const;
  int RowsInView() const;
  int RowAtY(int Y) const;
  // The node whose expand arrow is at Point.
  TFolderNode* ArrowAt(const QPoint& Point) const;
  void Toggle(TFolderNode* Node);
  void Changed();
  void Refit();
  void FitColumn();

  TFolderModel& FModel;
  // Rows shown below each open folder; only open folders are counted.
  std::unordered_map<const TFolderNode*, size_t> FShown;
  size_t FRowCount = 0;
  // Grows with every change of the rows shown, which ends the hint below.
  uint64_t FLayout = 0;
  // The last row found, a start for finding rows near it.
  mutable TFolderNode* FHintNode = nullptr;
  mutable size_t FHintRow = 0;
  mutable uint64_t FHintLayout = 0;
  mutable int FRowHeight = 0;
  int FColumnWidth = 0;
  QTimer FFit;
};
