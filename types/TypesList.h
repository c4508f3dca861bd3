// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "types/TypesModel.h"
#include "view/LatestJob.h"
#include "view/SubtreeView.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QSettings;
class QSplitter;
class QToolButton;
class QTreeView;
class TFolderNode;
class TFolderTree;

// The types view: what kinds of file fill the selected folder's subtree, a
// row a class with its extensions below it, and a place below the rows for
// the treemap, which lights the selected type's files. It counts a snapshot
// of the tree's files, taken and counted off the window's thread under the
// tree's guard.
class TTypesList : public TSubtreeView {
  Q_DECLARE_TR_FUNCTIONS(TTypesList)

public:
  TTypesList(TValueDisplay& Display, const TFolderTree& Tree, QWidget* Parent = nullptr);

  QTreeView* View() const { return FView; }
  TTypesModel& Model() { return FModel; }
  // Where the treemap goes while the types are shown with it.
  QWidget* TreemapPlace() const { return FTreemapPlace; }
  bool ShowsTreemap() const;
  void Clear();
  // The types are still being counted.
  bool Busy() const { return FJob.Busy() || TakeDue(); }
  // Nodes are about to go: the view lets go of them all when it shows or
  // is about to show any of them; true when it did.
  bool TreeRowsRemoving(const std::vector<const TFolderNode*>& Removed);
  // The row of a type, found by its class and extension (null: the class).
  QModelIndex IndexOf(int Kind, const std::string* Extension) const;
  QString StatusText() const;

  void LoadLayout(QSettings& Store);
  void SaveLayout(QSettings& Store) const;

  // The selected row's type, or none (Kind -1).
  std::function<void(TTypesModel::TPick Pick)> OnPick;
  // A row was double-clicked, or Enter pressed on it.
  std::function<void(TTypesModel::TPick Pick)> OnOpen;
  // The treemap switch was turned.
  std::function<void(bool Shown)> OnTreemap;

private:
  void Take() override;
  void Picked();
  // Shows the counted types, keeping the selection and what was closed.
  void Fill(std::shared_ptr<const TFilesSnapshot> Files, std::vector<TTypeTotals::TType> Types);

  TValueDisplay& FDisplay;
  const TFolderTree& FTree;
  TTypesModel FModel;
  TLatestJob FJob;
  QTreeView* FView;
  QSplitter* FSplitter;
  QWidget* FTreemapPlace;
  QToolButton* FTreemapSwitch;
  std::set<int> FClosed;  // the classes whose extensions the user hid
};
