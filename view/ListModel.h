// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/Baseline.h"
#include "scan/FileListing.h"
#include "scan/FolderNode.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TFolderData;
class TFolderNode;
class TValueDisplay;
struct TRoot;

// The rows of the details list: the folder itself (for a scan root), its
// sub-folders (sharing the tree's records) and its files (records of their
// own), with the eight columns of measures. While the tree is compared with
// an earlier scan, two more tell each folder's change and its size then, and
// the sub-folders gone since are rows of their own, greyed.
class TListModel : public QAbstractTableModel {
  Q_DECLARE_TR_FUNCTIONS(TListModel)

public:
  // lcCount columns are always there; the change columns follow them.
  enum TColumn {
    lcName,
    lcSize,
    lcAllocated,
    lcObjects,
    lcWasted,
    lcPercent,
    lcLastAccess,
    lcLastChange,
    lcCount,
    lcChange = lcCount,
    lcBefore,
    lcAll
  };

  explicit TListModel(TValueDisplay& Display, QObject* Parent = nullptr);
  ~TListModel() override;

  static QString Caption(int Column);
  static int DefaultWidth(int Column);

  // Empties the list: no record of the tree is referred to any more.
  void Clear();
  // The folder rows of Node (the folder itself first when it is a top node).
  void SetFolder(TFolderNode* Node);
  // One row of the list. File rows can be made on any thread (MakeFileRows)
  // and then added on the list's own.
  struct TRow {
    TFolderData* Record;
    std::unique_ptr<TFolderNode> Own;  // file rows own their record
    QString Caption;
    bool Folder;       // a folder row shares its tree node's record
    mutable int Icon;  // found when first drawn
    bool Top = false;  // the row of a scan root's own folder
    // While comparing, for a folder of the root compared: the folder in the
    // earlier scan (null for a new one), found once; for a folder gone
    // since, the folder it was.
    std::optional<const TFolderSnapshot::TFolder*> Then;
    bool Gone = false;
  };
  // Rows of Folder's files, counted with the given allocation unit, with
  // room ahead for the Shown rows the list has already (see AddRows).
  static std::vector<TRow> MakeFileRows(const std::vector<TListedFile>& Files, TFolderNode* Folder,
                                        uint32_t ClusterSize, size_t Shown);
  void AddRows(std::vector<TRow>&& Rows);
  TFolderNode* Folder() const { return FFolder; }
  void Sort(int Column, bool Ascending);
  TFolderData* Record(int Row) const { return RowAt(Row).Record; }
  bool IsFolder(int Row) const { return RowAt(Row).Folder; }
  bool IsTop(int Row) const { return RowAt(Row).Top; }
  bool IsGone(int Row) const { return RowAt(Row).Gone; }
  // The row of a record, -1 when none.
  int RowOf(const TFolderData* Record) const;
  // The widest text a value column shows: the cell of its largest value
  // (dates all have one width); empty for the name column.
  QString WidestText(int Column) const;
  // The caption of a folder's row made again (the folder was renamed).
  void RefreshCaption(const TFolderData* Record);
  // Takes out the rows of these records (gone from the disk or the tree).
  void DropRecords(const std::vector<const TFolderData*>& Records);
  // Renaming a row in place: asked with the row and the name typed, which it
  // turns into the name the object now has; false leaves the row as it was.
  std::function<bool(int Row, QString& Name)> OnRename;

  int rowCount(const QModelIndex& Parent = {}) const override;
  int columnCount(const QModelIndex& Parent = {}) const override;
  QVariant data(const QModelIndex& Index, int Role) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;
  Qt::ItemFlags flags(const QModelIndex& Index) const override;
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;

private:
  QString Cell(const TRow& Row, int Column) const;
  // A row's change since the earlier scan, as it is now.
  static TBaseline::TChange ChangeOf(const TRow& Row);
  // A record of a row's own, below Folder but not in the tree.
  static std::unique_ptr<TFolderNode> Detached(TFolderNode* Folder, const std::string& Name);
  // The measure a numeric column sorts by.
  double SortValue(const TRow& Row, int Column) const;

  TValueDisplay& FDisplay;
  TFolderNode* FFolder = nullptr;
  std::shared_ptr<const TBaseline> FCompared;  // what the rows' Then are of
  std::vector<TRow> FRows;                     // in the order they came
  std::vector<uint32_t> FShown;                // places in FRows, in the order shown
  const TRow& RowAt(int Row) const { return FRows[FShown[size_t(Row)]]; }
};
