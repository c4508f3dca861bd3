// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FilesFilter.h"
#include "files/FilesJob.h"
#include "files/FilesModel.h"
#include "view/SubtreeView.h"

#include <QCoreApplication>
#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QSettings;
class QToolButton;
class TFolderNode;
class TFolderTree;

// The files view: every file below the selected folder, at any depth, in
// one list sorted by any column, with quick choices (Largest, Newest,
// Oldest) and a filter box above it and their count and total below. It
// holds a snapshot of the tree's files, taken on a thread of its own.
class TFilesList : public TSubtreeView {
  Q_DECLARE_TR_FUNCTIONS(TFilesList)

public:
  TFilesList(TValueDisplay& Display, const TFolderTree& Tree, QWidget* Parent = nullptr);

  QTableView* View() const { return FView; }
  TFilesModel& Model() { return FModel; }
  // A row at the place of the current one stays current when Folder is the
  // one listed.
  void ShowFolder(TFolderNode* Folder, bool LinksOnce) override;
  void Clear();
  // Rows are still being sorted or filtered.
  bool Busy() const { return FBusy; }
  // Nodes are about to go: the list lets go of them all when it shows or
  // is about to show any of them; true when it did (it wants ShowFolder
  // again once the tree has settled).
  bool TreeRowsRemoving(const std::vector<const TFolderNode*>& Removed);

  TFilesSorter::TKey SortKey() const { return FKey; }
  bool Descending() const { return FDescending; }
  void SortBy(TFilesSorter::TKey Key, bool Descending);
  // The largest first by the measure the tree shows (the space allocated in
  // the Allocated and Percent views, else the size), following it when the
  // view changes.
  void SortLargest();
  // Sets the filter box's text and applies it.
  void SetFilterText(const QString& Text);
  QString FilterText() const;
  // What the status line under the list says.
  QString StatusText() const;
  // What the filter box understands, its tip; shown through tr().
  static const char* const Syntax;

  void LoadLayout(QSettings& Store);
  void SaveLayout(QSettings& Store) const;

private:
  // Takes the files of the folder to show, and sorts and filters them.
  void Take() override;
  void Run();
  void FilterEdited();
  void HeaderClicked(int Section);
  void ShowSortState();
  TFilesSorter::TKey LargestKey() const;

  TValueDisplay& FDisplay;
  const TFolderTree& FTree;
  TFilesModel FModel;
  TFilesJob FJob;
  QTableView* FView;
  QLineEdit* FFilterBox;
  QToolButton* FLargest;
  QToolButton* FNewest;
  QToolButton* FOldest;
  std::shared_ptr<const TFilesSnapshot> FFiles;
  bool FTaking = false;                                 // the next job takes the folder's files afresh
  std::shared_ptr<const std::vector<uint32_t>> FOrder;  // of FFiles by the key it was made for
  TFilesSorter::TKey FOrderKey = TFilesSorter::skSize;
  bool FOrderDescending = true;
  TFilesFilter FFilter;
  TFilesSorter::TKey FKey = TFilesSorter::skAllocated;
  bool FDescending = true;
  bool FLargestFirst = true;  // FKey follows the measure shown
  bool FBusy = false;
  TFilesSorter::TBytes FShownBytes;
  int FKeepRow = -1;                      // the row to make current when the rows come
  const TFolderNode* FKeptFor = nullptr;  // the folder of FKeepRow, only compared
};
