// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FilesSorter.h"
#include "scan/FolderTree.h"

#include <QAbstractTableModel>
#include <QCoreApplication>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFilesSnapshot;
class TFolderNode;
class TValueDisplay;

// The rows of the files view: the files of a snapshot in the order and
// with the filter last applied, one a row. Its texts are made for the rows
// painted, never kept, so that a million rows cost four bytes each.
class TFilesModel : public QAbstractTableModel {
  Q_DECLARE_TR_FUNCTIONS(TFilesModel)

public:
  explicit TFilesModel(TValueDisplay& Display) : FDisplay(Display) {}

  // The files shown, by number, in the order shown.
  void SetRows(std::shared_ptr<const TFilesSnapshot> Files, std::shared_ptr<const std::vector<uint32_t>> Shown);
  void Clear();
  const TFilesSnapshot* Files() const { return FFiles.get(); }
  uint32_t NumberAt(int Row) const { return (*FShown)[Row]; }
  TFolderNode* FolderAt(int Row) const;
  std::string NameAt(int Row) const;
  // The folder of the row's file below the top folder: "" for the top
  // folder's own files, else "sub/folder/".
  std::string FolderBelowTop(int Row) const;
  // What the row's file counts for in the tree, once for a pattern it
  // matches, as the scan found it: what goes when it is found gone.
  TFolderTree::TGoneFile Counted(int Row) const;

  // Renaming a row's file in place: true when it took the new name.
  std::function<bool(int Row, QString& Name)> OnRename;

  static QString Caption(int Column);
  int rowCount(const QModelIndex& Parent = {}) const override;
  int columnCount(const QModelIndex& Parent = {}) const override;
  QVariant data(const QModelIndex& Index, int Role) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;
  Qt::ItemFlags flags(const QModelIndex& Index) const override;
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;

private:
  QString Cell(int Row, int Column) const;

  TValueDisplay& FDisplay;
  std::shared_ptr<const TFilesSnapshot> FFiles;
  std::shared_ptr<const std::vector<uint32_t>> FShown;
};
