#include "ListModel.h"

#include "FolderData.h"
#include "FolderNode.h"
#include "Root.h"
#include "ValueDisplay.h"
#include "ZelSystemImageList.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>

TListModel::TListModel(TValueDisplay& Display, QObject* Parent) : QAbstractTableModel(Parent), FDisplay(Display) {}

TListModel::~TListModel() = default;

QString TListModel::Caption(int Column)
{
  static const char* Captions[] = {"Name", "Size  ", "Allocated  ", "Objects", "Wasted  ", "% of Parent",
                                   "Last Access", "Last Change"};
  return Captions[Column];
}

int TListModel::DefaultWidth(int Column)
{
  static const int Widths[] = {150, 90, 90, 60, 80, 70, 100, 100};
  return Widths[Column];
}

void TListModel::Clear()
{
  beginResetModel();
  FRows.clear();
  FFolder = nullptr;
  endResetModel();
}

void TListModel::SetFolder(TFolderNode* Node)
{
  beginResetModel();
  FRows.clear();
  FFolder = Node;
  TFolderData* Own = Node->FData;
  if (!Node->Parent())
    FRows.push_back({Own, nullptr, FDisplay.NodeCaption(Own), FolderMarker, -1});
  for (TFolderNode* Child : Node->Children())
    if (!Child->FData->FIsFiles)
      FRows.push_back({Child->FData, nullptr, FDisplay.NodeCaption(Child->FData), FolderMarker, -1});
  endResetModel();
}

void TListModel::AddFiles(const std::vector<TListedFile>& Files)
{
  if (Files.empty() || !FFolder)
    return;
  TRoot* Root = FFolder->FData->FRoot;
  beginInsertRows({}, int(FRows.size()), int(FRows.size() + Files.size() - 1));
  FRows.reserve(FRows.size() + Files.size());
  for (const TListedFile& File : Files) {
    auto Record = std::make_unique<TFolderData>(nullptr, Root);
    const TFileCount Count = TFolderData::CountFile(File.Size, Root->FClusterSize);
    Record->FClusters = Count.Clusters;
    Record->FTailBytes = Count.TailBytes;
    Record->FObjects = Count.Objects;
    Record->FLastAccess = File.LastAccess;
    Record->FLastWrite = File.LastWrite;
    Record->FName = File.Name;
    Record->FIncomplete = false;
    TFolderData* Shared = Record.get();
    FRows.push_back({Shared, std::move(Record), QString::fromLocal8Bit(File.Name.c_str()), 0, -1});
  }
  endInsertRows();
}

int TListModel::rowCount(const QModelIndex& Parent) const
{
  return Parent.isValid() ? 0 : int(FRows.size());
}

int TListModel::columnCount(const QModelIndex& Parent) const
{
  return Parent.isValid() ? 0 : lcCount;
}

QVariant TListModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
  if (Orientation != Qt::Horizontal)
    return {};
  if (Role == Qt::DisplayRole)
    return Caption(Section);
  if (Role == Qt::TextAlignmentRole)
    return int((Section == lcName || Section >= lcLastAccess ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  return {};
}

QString TListModel::Cell(const TRow& Row, int Column) const
{
  TFolderData* Record = Row.Record;
  const bool File = Row.Marker != FolderMarker;
  switch (Column) {
    case lcName: return Row.Caption;
    case lcSize: return FDisplay.FormatValue(Record, vtSize, false);
    case lcAllocated: return FDisplay.FormatValue(Record, vtAllocated, false);
    case lcObjects: return File ? QString("1  ") : QString("%1  ").arg(Record->FObjects.Load());
    case lcWasted: return FDisplay.FormatValue(Record, vtWasted, false);
    case lcPercent:
      if (!File)
        return FDisplay.FormatValue(Record, vtPercent, false);
      return TValueDisplay::Number(double(Record->FClusters.Load()) * 100
                                     / (double(FFolder->FData->FClusters.Load()) + 0.0001),
                                   std::clamp(FDisplay.FDecimals - 1, 0, 3))
        + " %";
    case lcLastAccess: return TFolderData::DateText(Record->FLastAccess);
    case lcLastChange: return TFolderData::DateText(Record->FLastWrite);
    default: return {};
  }
}

QVariant TListModel::data(const QModelIndex& Index, int Role) const
{
  if (!Index.isValid())
    return {};
  const TRow& Row = FRows[size_t(Index.row())];
  switch (Role) {
    case Qt::DisplayRole:
      return Cell(Row, Index.column());
    case Qt::TextAlignmentRole:
      return headerData(Index.column(), Qt::Horizontal, Role);
    case Qt::DecorationRole:
      if (Index.column() != lcName)
        return {};
      if (Row.Icon < 0) {
        // A row gets its icon, and a file row is complete, when first drawn.
        if (Row.Marker == FolderMarker) {
          Row.Icon = TZelSystemImageList::IconIndex(Row.Record->FullPath(), Row.Record == FFolder->FData);
        } else {
          Row.Icon = TZelSystemImageList::IconIndex(FFolder->FData->FullPath() + Row.Record->FName);
          Row.Marker = DrawnFileMarker;
        }
      }
      return TZelSystemImageList::Icon(Row.Icon);
    default:
      return {};
  }
}

static int Sign(double Value)
{
  return (Value > 0) - (Value < 0);
}

int TListModel::CompareRows(int A, int B, int Column) const
{
  const TRow& First = FRows[size_t(A)];
  const TRow& Second = FRows[size_t(B)];
  // The row of a scan root's own folder (its caption is a path) stays first.
  if (First.Caption.contains('/'))
    return -1;
  if (Second.Caption.contains('/'))
    return 1;
  const TFolderData* X = First.Record;
  const TFolderData* Y = Second.Record;
  switch (Column) {
    case lcName:
      // Folders before files; whether a file row was drawn yet does not count.
      if ((First.Marker == FolderMarker) != (Second.Marker == FolderMarker))
        return First.Marker == FolderMarker ? -1 : 1;
      return QString::localeAwareCompare(First.Caption, Second.Caption);
    case lcSize:
      return Sign(std::round(Y->GetValue(vtSize, 1) - X->GetValue(vtSize, 1)));
    case lcAllocated:
    case lcPercent:
      return Sign(double(Y->FClusters.Load()) - double(X->FClusters.Load()));
    case lcObjects:
      return Sign(double(Y->FObjects.Load()) - double(X->FObjects.Load()));
    case lcWasted:
      return Sign((double(Y->FObjects.Load()) - double(X->FObjects.Load())) * Y->ClusterSize()
                  - double(Y->FTailBytes.Load()) + double(X->FTailBytes.Load()));
    case lcLastAccess:
      return Sign(double(X->FLastAccess.Load() >> 32) - double(Y->FLastAccess.Load() >> 32));
    case lcLastChange:
      return Sign(double(X->FLastWrite.Load() >> 32) - double(Y->FLastWrite.Load() >> 32));
    default:
      return 0;
  }
}

void TListModel::Sort(int Column, bool Ascending)
{
  if (FRows.size() < 2)
    return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList Before = persistentIndexList();
  std::vector<int> Order(FRows.size());
  std::iota(Order.begin(), Order.end(), 0);
  // Names compare by collation keys made once, not by a collation per pair.
  std::vector<QCollatorSortKey> Keys;
  if (Column == lcName) {
    const QCollator Collator;
    Keys.reserve(FRows.size());
    for (const TRow& Row : FRows)
      Keys.push_back(Collator.sortKey(Row.Caption));
  }
  std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
    int Result;
    const TRow& First = FRows[size_t(A)];
    const TRow& Second = FRows[size_t(B)];
    if (Column == lcName && (First.Marker == FolderMarker) == (Second.Marker == FolderMarker)
        && !First.Caption.contains('/') && !Second.Caption.contains('/'))
      Result = Keys[size_t(A)].compare(Keys[size_t(B)]);
    else
      Result = CompareRows(A, B, Column);
    return (Ascending ? Result : -Result) < 0;
  });
  std::vector<TRow> Sorted;
  Sorted.reserve(FRows.size());
  std::vector<int> NewRow(FRows.size());
  for (size_t Index = 0; Index < Order.size(); ++Index) {
    NewRow[size_t(Order[Index])] = int(Index);
    Sorted.push_back(std::move(FRows[size_t(Order[Index])]));
  }
  FRows.swap(Sorted);
  QModelIndexList After;
  for (const QModelIndex& Old : Before)
    After << index(NewRow[size_t(Old.row())], Old.column());
  changePersistentIndexList(Before, After);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
