// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QTreeView>

class TFolderModel;
class TFolderNode;

// The tree of scanned folders: labels with the chosen measure, icons, bold
// for large folders and the progress bar of a scanning root. Its one column
// grows to fit the labels in view, measured once per turn of the event loop
// however many labels changed: a relabel of a fully expanded tree reports
// tens of thousands of changed rows.
class TFolderTreeView : public QTreeView {
public:
  explicit TFolderTreeView(TFolderModel& Model, QWidget* Parent = nullptr);

  // The line shown in the empty tree: how to start.
  static const char* EmptyHint;

  TFolderNode* CurrentFolder() const;
  bool IsExpanded(const TFolderNode* Node) const;

protected:
  void dataChanged(const QModelIndex& TopLeft, const QModelIndex& BottomRight, const QList<int>& Roles) override;
  void paintEvent(QPaintEvent* Event) override;

private:
  void FitColumn();

  TFolderModel& FModel;
  QTimer FFit;
};
