// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ListModel.h"

#include "fs/PathRules.h"
#include "scan/Baseline.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/ZelSystemImageList.h"
#include "view/ValueDisplay.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>

TListModel::TListModel(TValueDisplay& Display, QObject* Parent) : QAbstractTableModel(Parent), FDisplay(Display) {}

TListModel::~TListModel() = default;

QString TListModel::Caption(int Column)
{
  static const char* Captions[] = {
    QT_TRANSLATE_NOOP("TListModel", "Name"),
    //: Column header; keep the two trailing spaces
    QT_TRANSLATE_NOOP("TListModel", "Size  "),
    //: Column header; keep the two trailing spaces
    QT_TRANSLATE_NOOP("TListModel", "Allocated  "),
    QT_TRANSLATE_NOOP("TListModel", "Objects"),
    //: Column header; keep the two trailing spaces
    QT_TRANSLATE_NOOP("TListModel", "Wasted  "),
    QT_TRANSLATE_NOOP("TListModel", "% of Parent"),
    QT_TRANSLATE_NOOP("TListModel", "Last Access"),
    QT_TRANSLATE_NOOP("TListModel", "Last Change"),
    //: Column header: change since the earlier scan; keep the two trailing spaces
    QT_TRANSLATE_NOOP("TListModel", "Change  "),
    //: Column header: value in the earlier scan; keep the two trailing spaces
    QT_TRANSLATE_NOOP("TListModel", "Before  "),
  };
  return tr(Captions[Column]);
}

int TListModel::DefaultWidth(int Column)
{
  static const int Widths[] = {150, 90, 90, 60, 80, 70, 100, 100, 90, 90};
  return Widths[Column];
}

void TListModel::Clear()
{
  beginResetModel();
  FRows.clear();
  FShown.clear();
  FFolder = nullptr;
  FCompared.reset();
  endResetModel();
}

void TListModel::SetFolder(TFolderNode* Node)
{
  beginResetModel();
  FRows.clear();
  FShown.clear();
  FFolder = Node;
  FCompared = FDisplay.FBaseline;
  TFolderData* Own = Node;
  // While comparing, each folder's then, found at once for all of them.
  const auto Then = [](const TBaseline::TChange& Change) {
    return Change.Compared ? std::optional(Change.Before) : std::nullopt;
  };
  if (!Node->Parent())
    FRows.push_back(
      {Own, nullptr, FDisplay.NodeCaption(Own), true, -1, true, FCompared ? Then(FCompared->Of(Node)) : std::nullopt});
  std::vector<const TFolderSnapshot::TFolder*> Gone;
  const std::vector<TBaseline::TChange> Changes =
    FCompared ? FCompared->OfChildren(Node, &Gone) : std::vector<TBaseline::TChange>(Node->ChildCount());
  for (size_t At = 0; At < Node->ChildCount(); ++At)
    if (TFolderNode* Child = Node->Child(At); !Child->FIsFiles)
      FRows.push_back({Child, nullptr, FDisplay.NodeCaption(Child), true, -1, false, Then(Changes[At])});
  for (const TFolderSnapshot::TFolder* Then : Gone) {
    // A record of its own, empty: the folder is no more.
    std::unique_ptr<TFolderNode> Record = Detached(Node, std::string(FCompared->NameOf(*Then)));
    TFolderData* Shared = Record.get();
    FRows.push_back({Shared, std::move(Record), TPathRules::Shown(Shared->FName), true, -1, false, Then, true});
  }
  FShown.resize(FRows.size());
  std::iota(FShown.begin(), FShown.end(), 0u);
  endResetModel();
}

std::vector<TListModel::TRow> TListModel::MakeFileRows(const std::vector<TListedFile>& Files, TFolderNode* Folder,
                                                       uint32_t ClusterSize, size_t Shown)
{
  std::vector<TRow> Rows;
  Rows.reserve(Files.size() + Shown);
  for (const TListedFile& File : Files) {
    std::unique_ptr<TFolderNode> Record = Detached(Folder, File.Name);
    Record->Count(TFolderData::CountFile(File.Size, ClusterSize, File.DiskBytes));
    Record->FLastAccess = FileTime::ToSeconds32(File.LastAccess);
    Record->FLastWrite = FileTime::ToSeconds32(File.LastWrite);
    TFolderData* Shared = Record.get();
    Rows.push_back({Shared, std::move(Record), TPathRules::Shown(File.Name), false, -1, false, {}, false});
  }
  return Rows;
}

std::unique_ptr<TFolderNode> TListModel::Detached(TFolderNode* Folder, const std::string& Name)
{
  auto Record = std::make_unique<TFolderNode>(Folder);
  Record->SetName(Name);
  Record->FState = ssDone;
  return Record;
}

void TListModel::AddRows(std::vector<TRow>&& Rows)
{
  if (Rows.empty() || !FFolder)
    return;
  beginInsertRows({}, int(FRows.size()), int(FRows.size() + Rows.size() - 1));
  // The worker that made the new rows has touched their memory already: the
  // few rows shown so far move in front of them, where there is room, rather
  // than a hundred thousand rows to fresh memory that this thread would wait
  // on page by page.
  if (Rows.capacity() >= Rows.size() + FRows.size()) {
    Rows.insert(Rows.begin(), std::make_move_iterator(FRows.begin()), std::make_move_iterator(FRows.end()));
    FRows.swap(Rows);
  } else {
    FRows.insert(FRows.end(), std::make_move_iterator(Rows.begin()), std::make_move_iterator(Rows.end()));
  }
  FShown.reserve(FRows.size());
  for (size_t Index = FShown.size(); Index < FRows.size(); ++Index)
    FShown.push_back(uint32_t(Index));
  endInsertRows();
}

int TListModel::rowCount(const QModelIndex& Parent) const
{
  return Parent.isValid() ? 0 : int(FRows.size());
}

int TListModel::columnCount(const QModelIndex& Parent) const
{
  return Parent.isValid() ? 0 : lcAll;
}

QVariant TListModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
  if (Orientation != Qt::Horizontal)
    return {};
  if (Role == Qt::DisplayRole)
    return Caption(Section);
  if (Role == Qt::TextAlignmentRole)
    return int(
      (Section == lcName || Section == lcLastAccess || Section == lcLastChange ? Qt::AlignLeft : Qt::AlignRight)
      | Qt::AlignVCenter);
  return {};
}

QString TListModel::Cell(const TRow& Row, int Column) const
{
  TFolderData* Record = Row.Record;
  const bool File = !Row.Folder;
  const TFolderSnapshot::TFolder* Then = Row.Then.value_or(nullptr);
  if (Row.Gone) {
    switch (Column) {
      case lcName: return Row.Caption;
      //: In the change column: the folder is gone since the earlier scan
      case lcChange: return tr("gone");
      case lcBefore: return FDisplay.ThenText(*Then);
      default: return {};
    }
  }
  switch (Column) {
    case lcName: return Row.Caption;
    case lcChange: return FDisplay.ChangeText(ChangeOf(Row));
    case lcBefore: return Then ? FDisplay.ThenText(*Then) : QString();
    case lcSize: return FDisplay.FormatValue(Record, vtSize, false);
    case lcAllocated: return FDisplay.FormatValue(Record, vtAllocated, false);
    case lcObjects: return File ? QString("1  ") : QString("%1  ").arg(Record->FObjects.Load());
    case lcWasted: return FDisplay.FormatValue(Record, vtWasted, false);
    case lcPercent:
      if (!File)
        return FDisplay.FormatValue(Record, vtPercent, false);
      return FDisplay.PercentText(double(Record->AllocatedClusters()), double(FFolder->AllocatedClusters()));
    case lcLastAccess: return TFolderData::DateText(Record->LastAccess());
    case lcLastChange: return TFolderData::DateText(Record->LastWrite());
    default: return {};
  }
}

TBaseline::TChange TListModel::ChangeOf(const TRow& Row)
{
  return Row.Then ? TBaseline::Change(Row.Record->Node(), *Row.Then) : TBaseline::TChange();
}

QString TListModel::WidestText(int Column) const
{
  if (Column == lcName || FRows.empty())
    return {};
  // A change is as wide as its size, whichever way it went.
  const auto Width = [this, Column](const TRow& Row) {
    const double Value = SortValue(Row, Column);
    return Column == lcChange ? std::fabs(Value) : Value;
  };
  const TRow* Widest = &FRows.front();
  double Largest = Width(*Widest);
  for (const TRow& Row : FRows)
    if (const double Value = Width(Row); Value > Largest) {
      Widest = &Row;
      Largest = Value;
    }
  return Cell(*Widest, Column);
}

int TListModel::RowOf(const TFolderData* Record) const
{
  for (int Row = 0; Row < rowCount(); ++Row)
    if (RowAt(Row).Record == Record)
      return Row;
  return -1;
}

void TListModel::RefreshCaption(const TFolderData* Record)
{
  const int Row = RowOf(Record);
  if (Row < 0)
    return;
  FRows[FShown[size_t(Row)]].Caption = FDisplay.NodeCaption(Record);
  emit dataChanged(index(Row, lcName), index(Row, lcName));
}

void TListModel::DropRecords(const std::vector<const TFolderData*>& Records)
{
  const std::unordered_set<const TFolderData*> Gone(Records.begin(), Records.end());
  beginResetModel();
  std::vector<uint32_t> Places(FRows.size(), UINT32_MAX);  // old place in FRows to new
  std::vector<TRow> Kept;
  Kept.reserve(FRows.size());
  for (size_t Index = 0; Index < FRows.size(); ++Index)
    if (!Gone.contains(FRows[Index].Record)) {
      Places[Index] = uint32_t(Kept.size());
      Kept.push_back(std::move(FRows[Index]));
    }
  std::vector<uint32_t> Shown;
  Shown.reserve(Kept.size());
  for (uint32_t Place : FShown)
    if (Places[Place] != UINT32_MAX)
      Shown.push_back(Places[Place]);
  FRows = std::move(Kept);
  FShown = std::move(Shown);
  endResetModel();
}

Qt::ItemFlags TListModel::flags(const QModelIndex& Index) const
{
  // A folder gone is only shown: nothing can be done to it.
  if (Index.isValid() && RowAt(Index.row()).Gone)
    return Qt::NoItemFlags;
  Qt::ItemFlags Flags = QAbstractTableModel::flags(Index);
  if (Index.isValid() && Index.column() == lcName && !RowAt(Index.row()).Top && !FFolder->Root()->Imported())
    Flags |= Qt::ItemIsEditable;
  return Flags;
}

bool TListModel::setData(const QModelIndex& Index, const QVariant& Value, int Role)
{
  if (Role != Qt::EditRole || !Index.isValid() || !OnRename)
    return false;
  QString Name = Value.toString();
  if (Name == RowAt(Index.row()).Caption || !OnRename(Index.row(), Name))
    return false;
  FRows[FShown[size_t(Index.row())]].Caption = Name;
  emit dataChanged(index(Index.row(), 0), index(Index.row(), lcAll - 1));
  return true;
}

QVariant TListModel::data(const QModelIndex& Index, int Role) const
{
  if (!Index.isValid())
    return {};
  const TRow& Row = RowAt(Index.row());
  switch (Role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return Cell(Row, Index.column());
    case Qt::TextAlignmentRole: return headerData(Index.column(), Qt::Horizontal, Role);
    case Qt::DecorationRole:
      if (Index.column() != lcName)
        return {};
      if (Row.Icon < 0) {
        Row.Icon = Row.Folder ? TZelSystemImageList::IconIndex(Row.Record->FullPath(), Row.Record == FFolder)
                              : TZelSystemImageList::IconIndex(FFolder->FullPath() + Row.Record->FName);
      }
      return TZelSystemImageList::Icon(Row.Icon);
    case Qt::ToolTipRole:
      // Holes of a sparse file take no space: its Allocated is below its Size.
      if (!Row.Folder && Row.Record->FHoles.Load() > 0)
        return tr("A sparse file: %1 of its %2 take space on disk")
          .arg(FDisplay.FormatValue(Row.Record, vtAllocated, false).trimmed(),
               FDisplay.FormatValue(Row.Record, vtSize, false).trimmed());
      return {};
    default: return {};
  }
}

double TListModel::SortValue(const TRow& Row, int Column) const
{
  const TFolderData* Record = Row.Record;
  const TFolderSnapshot::TFolder* Then = Row.Then.value_or(nullptr);
  const double ThenValue = Then ? double(FDisplay.ChangeMeasure().Of(Then->Totals())) : 0;
  if (Row.Gone)
    return Column == lcChange ? -ThenValue : Column == lcBefore ? ThenValue : 0;
  switch (Column) {
    case lcSize: return Record->GetValue(vtSize, 1);
    case lcAllocated:
    case lcPercent: return double(Record->AllocatedClusters());
    case lcObjects: return double(Record->FObjects.Load());
    case lcWasted: return double(Record->FObjects.Load()) * Record->ClusterSize() - double(Record->FTailBytes.Load());
    case lcLastAccess: return double(Record->FLastAccess.Load());
    case lcLastChange: return double(Record->FLastWrite.Load());
    case lcChange: return double(FDisplay.Change(ChangeOf(Row)));
    case lcBefore: return ThenValue;
    default: return 0;
  }
}

void TListModel::Sort(int Column, bool Ascending)
{
  if (FRows.size() < 2)
    return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList Before = persistentIndexList();
  // Rows stay where they are; the order they show in is sorted.
  std::vector<uint32_t> Order = FShown;
  // Names compare by collation keys and measures by values, each made once
  // per row rather than once per comparison; with the rows' kinds, they are
  // all a comparison reads.
  enum : uint8_t { kFile, kFolder, kTop };
  std::vector<uint8_t> Kinds;
  Kinds.reserve(FRows.size());
  for (const TRow& Row : FRows)
    Kinds.push_back(Row.Top ? kTop : Row.Folder ? kFolder : kFile);
  if (Column == lcName) {
    std::vector<QCollatorSortKey> Keys;
    const QCollator Collator;
    Keys.reserve(FRows.size());
    for (const TRow& Row : FRows)
      Keys.push_back(Collator.sortKey(Row.Caption));
    std::stable_sort(Order.begin(), Order.end(), [&](uint32_t A, uint32_t B) {
      const uint8_t First = Kinds[size_t(A)];
      const uint8_t Second = Kinds[size_t(B)];
      int Result;
      if (First == kTop || Second == kTop)
        Result = First == kTop ? -1 : 1;
      else if (First != Second)
        Result = First == kFolder ? -1 : 1;
      else
        Result = Keys[size_t(A)].compare(Keys[size_t(B)]);
      return (Ascending ? Result : -Result) < 0;
    });
  } else {
    // Each row's key in the order shown ascending: larger first, but older
    // first for dates; sizes as the whole kilobytes shown, so that rows that
    // look alike keep their order. The scan root's own row leads, or ends
    // the other way round.
    std::vector<std::pair<double, uint32_t>> Keyed;
    Keyed.reserve(Order.size());
    for (const uint32_t Place : Order) {
      if (Kinds[Place] == kTop)
        continue;
      const double Value = SortValue(FRows[Place], Column);
      Keyed.emplace_back(Column == lcSize                                     ? -std::round(Value)
                           : Column == lcLastAccess || Column == lcLastChange ? Value
                                                                              : -Value,
                         Place);
    }
    const auto Before = [Ascending](const std::pair<double, uint32_t>& A, const std::pair<double, uint32_t>& B) {
      return Ascending ? A.first < B.first : B.first < A.first;
    };
    std::stable_sort(Keyed.begin(), Keyed.end(), Before);
    const auto Top = std::find_if(Order.begin(), Order.end(), [&](uint32_t Place) { return Kinds[Place] == kTop; });
    const size_t First = Top != Order.end() && Ascending ? 1 : 0;
    if (Top != Order.end())
      (Ascending ? Order.front() : Order.back()) = *Top;
    for (size_t Index = 0; Index < Keyed.size(); ++Index)
      Order[First + Index] = Keyed[Index].second;
  }
  std::vector<int> NewRow(FRows.size());  // by place in FRows
  for (size_t Index = 0; Index < Order.size(); ++Index)
    NewRow[Order[Index]] = int(Index);
  QModelIndexList After;
  for (const QModelIndex& Old : Before)
    After << index(NewRow[FShown[size_t(Old.row())]], Old.column());
  FShown.swap(Order);
  changePersistentIndexList(Before, After);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
