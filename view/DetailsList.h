// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/FileListJob.h"
#include "view/ListModel.h"
#include "view/ValueDisplay.h"

#include <QTableView>

#include <functional>

class QSettings;
struct TScanSettings;

// The details list: a report of the rows of TListModel with sortable,
// movable and hideable columns whose layout is kept in the settings.
// Clicking the header of the sort column reverses the direction; clicking
// another column sorts by it in the same direction.
class TDetailsList : public QTableView {
public:
  explicit TDetailsList(TValueDisplay& Display, QWidget* Parent = nullptr);

  TListModel& Model() { return FModel; }
  // Shows the rows of Node: its folder rows at once, its files (when the
  // settings show files) as soon as they have been listed.
  void ShowFolder(TFolderNode* Node, const TScanSettings& Settings);
  // The records of the selected rows, the scan root's own row left out: it
  // holds all the others.
  std::vector<const TFolderData*> SelectedRecords() const;
  // Files are still being listed.
  bool Listing() const { return FFiles.Busy(); }
  // The next listing selects the file of that name (none: empty).
  void SelectWhenListed(const std::string& File) { FSelectWhenListed = File; }
  // Empties the list: it refers to no record of the tree any more.
  void Clear();
  // A folder whose files could not be listed.
  std::function<void(int Code, const std::string& Folder)> OnListError;

  // Shows or hides the columns of a comparison.
  void ShowChange(bool Shown);
  int SortColumn() const { return FSortColumn; }
  bool Ascending() const { return FAscending; }
  void SetSortColumn(int Column);
  // Sorts as the tree does (sort mode 1 by name A to Z, 2 by the tree's
  // value largest first: the column of view type ShowType, 4 by change),
  // or not at all and without an arrow (3) until a header is clicked.
  void FollowTree(TValueDisplay::TSortType SortType, TViewType ShowType);
  // Sorts the rows by the current column and direction, if the list sorts.
  void Resort();
  // Each value column as wide as its widest value or its caption; the name
  // column takes the room left.
  void FitColumns();
  // Width of a column; 0 when hidden.
  int ColumnWidth(int Column) const;
  void SetColumnWidth(int Column, int Width);

  QHeaderView* header() const { return horizontalHeader(); }

  void LoadLayout(QSettings& Store);
  void SaveLayout(QSettings& Store) const;

protected:
  // A name cut short shows whole in its tool tip.
  bool viewportEvent(QEvent* Event) override;

private:
  void HeaderClicked(int Section);
  // Selects the file the last SelectWhenListed named, once.
  void SelectListed();

  TListModel FModel;
  TFileListJob FFiles;
  int FSortColumn = TListModel::lcSize;
  bool FAscending = true;
  std::string FSelectWhenListed;
  bool FSorted = true;
};
