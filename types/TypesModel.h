// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "types/TypeTotals.h"

#include <QAbstractItemModel>
#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

class TFilesSnapshot;
class TValueDisplay;

// The rows of the types view: one a class of file, with its extensions
// below it, each with its files, size, space allocated, share of the
// folder and largest file. The share and the first order are by the
// measure the tree shows; every column sorts, the extensions within their
// class.
class TTypesModel : public QAbstractItemModel {
  Q_DECLARE_TR_FUNCTIONS(TTypesModel)

public:
  enum TColumn { tcType, tcFiles, tcSize, tcAllocated, tcPercent, tcLargest, tcCount };
  // A row's type: a class (Extension null) or an extension of one.
  struct TPick {
    int Kind = -1;
    const std::string* Extension = nullptr;
  };

  explicit TTypesModel(TValueDisplay& Display) : FDisplay(Display) {}

  // The types of Files, counted from it; the model holds Files for the
  // names of the largest files.
  void SetTypes(std::shared_ptr<const TFilesSnapshot> Files, std::vector<TTypeTotals::TType> Types);
  void Clear();
  const TFilesSnapshot* Files() const { return FFiles.get(); }
  TPick PickAt(const QModelIndex& Index) const;
  // The totals of a row.
  const TTypeTotals::TType& TypeAt(const QModelIndex& Index) const;
  // Every extension row, in the order shown.
  std::vector<TTypeTotals::TType> Extensions() const;
  // A type's measure as the tree shows it.
  uint64_t Value(const TTypeTotals::TType& Type) const;
  // The full path of a row's largest file.
  std::string LargestPath(const QModelIndex& Index) const;
  QString TypeName(const QModelIndex& Index) const;
  int SortColumn() const { return FSortColumn; }
  Qt::SortOrder SortOrder() const { return FSortOrder; }

  static QString Caption(int Column);
  QModelIndex index(int Row, int Column, const QModelIndex& Parent = {}) const override;
  QModelIndex parent(const QModelIndex& Index) const override;
  int rowCount(const QModelIndex& Parent = {}) const override;
  int columnCount(const QModelIndex& Parent = {}) const override;
  QVariant data(const QModelIndex& Index, int Role) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;
  void sort(int Column, Qt::SortOrder Order = Qt::AscendingOrder) override;

private:
  struct TGroup {
    TTypeTotals::TType Total;  // of the class, Extension empty
    std::vector<TTypeTotals::TType> Types;
  };
  // Orders the groups and their extensions by the sort column.
  void Order();
  // A comes first: classes' totals, else extensions of one class.
  bool Before(const TTypeTotals::TType& A, const TTypeTotals::TType& B, bool Classes) const;
  QString Cell(const TTypeTotals::TType& Type, bool Class, int Column) const;
  static QString NameOf(const TTypeTotals::TType& Type, bool Class);

  TValueDisplay& FDisplay;
  std::shared_ptr<const TFilesSnapshot> FFiles;
  std::vector<TGroup> FGroups;
  uint64_t FWhole = 0;  // the measure of all files
  int FSortColumn = tcPercent;
  Qt::SortOrder FSortOrder = Qt::DescendingOrder;
};
