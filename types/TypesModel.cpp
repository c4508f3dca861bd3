// SPDX-License-Identifier: GPL-3.0-or-later
#include "types/TypesModel.h"

#include "fs/PathRules.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "view/FileClass.h"
#include "view/ValueDisplay.h"

#include <QIcon>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace {

// A class's colour in the treemap, as a swatch.
QIcon Swatch(int Kind)
{
  static std::array<QIcon, TFileClass::Count> Made;
  if (Made[Kind].isNull()) {
    QPixmap Square(12, 12);
    Square.fill(QColor::fromRgb(TFileClass::Color(Kind)));
    Made[Kind] = QIcon(Square);
  }
  return Made[Kind];
}

}  // namespace

void TTypesModel::SetTypes(std::shared_ptr<const TFilesSnapshot> Files, std::vector<TTypeTotals::TType> Types)
{
  beginResetModel();
  FFiles = std::move(Files);
  FGroups.clear();
  std::array<int, TFileClass::Count> GroupOf;
  GroupOf.fill(-1);
  for (TTypeTotals::TType& Type : Types) {
    const int Kind = std::min<int>(Type.Kind, TFileClass::fcOther);
    if (GroupOf[Kind] < 0) {
      GroupOf[Kind] = int(FGroups.size());
      FGroups.push_back({});
      FGroups.back().Total.Kind = uint8_t(Kind);
    }
    TTypeTotals::TType& Total = FGroups[GroupOf[Kind]].Total;
    Total.Files += Type.Files;
    Total.Size += Type.Size;
    Total.Allocated += Type.Allocated;
    Total.Slack += Type.Slack;
    Total.CdRom += Type.CdRom;
    if (Type.Largest > Total.Largest || Total.Files == Type.Files) {
      Total.Largest = Type.Largest;
      Total.LargestFile = Type.LargestFile;
    }
    FGroups[GroupOf[Kind]].Types.push_back(std::move(Type));
  }
  Order();
  endResetModel();
}

void TTypesModel::Clear()
{
  SetTypes(nullptr, {});
}

uint64_t TTypesModel::Value(const TTypeTotals::TType& Type) const
{
  switch (FDisplay.FShowType) {
    case vtSize: return Type.Size;
    case vtWasted: return Type.Slack;
    case vtCDROM: return Type.CdRom;
    case vtObjects: return Type.Files;
    default: return Type.Allocated;
  }
}

QString TTypesModel::Caption(int Column)
{
  static const char* const Captions[] = {
    QT_TRANSLATE_NOOP("TTypesModel", "Type"),        QT_TRANSLATE_NOOP("TTypesModel", "Files"),
    QT_TRANSLATE_NOOP("TTypesModel", "Size"),        QT_TRANSLATE_NOOP("TTypesModel", "Allocated"),
    QT_TRANSLATE_NOOP("TTypesModel", "% of Folder"), QT_TRANSLATE_NOOP("TTypesModel", "Largest File"),
  };
  return tr(Captions[Column]);
}

TTypesModel::TPick TTypesModel::PickAt(const QModelIndex& Index) const
{
  if (!Index.isValid())
    return {};
  const TTypeTotals::TType& Type = TypeAt(Index);
  return {Type.Kind, Index.internalId() ? &Type.Extension : nullptr};
}

const TTypeTotals::TType& TTypesModel::TypeAt(const QModelIndex& Index) const
{
  return Index.internalId() ? FGroups[Index.internalId() - 1].Types[Index.row()] : FGroups[Index.row()].Total;
}

std::vector<TTypeTotals::TType> TTypesModel::Extensions() const
{
  std::vector<TTypeTotals::TType> All;
  for (const TGroup& Group : FGroups)
    All.insert(All.end(), Group.Types.begin(), Group.Types.end());
  return All;
}

std::string TTypesModel::LargestPath(const QModelIndex& Index) const
{
  const uint32_t Number = TypeAt(Index).LargestFile;
  const TFilesSnapshot::TSlot& Slot = FFiles->Slots()[FFiles->SlotOf(Number)];
  return Slot.Node->FullPath() + std::string(Slot.Files->Name(Number - Slot.First));
}

QString TTypesModel::TypeName(const QModelIndex& Index) const
{
  return NameOf(TypeAt(Index), Index.internalId() == 0);
}

QString TTypesModel::NameOf(const TTypeTotals::TType& Type, bool Class)
{
  if (Class)
    return TFileClass::Name(Type.Kind);
  return Type.Extension.empty() ? tr("no extension") : "." + QString::fromStdString(Type.Extension);
}

QModelIndex TTypesModel::index(int Row, int Column, const QModelIndex& Parent) const
{
  if (Parent.isValid())
    return Parent.internalId() == 0 && Row >= 0 && size_t(Row) < FGroups[Parent.row()].Types.size()
      ? createIndex(Row, Column, quintptr(Parent.row() + 1))
      : QModelIndex();
  return Row >= 0 && size_t(Row) < FGroups.size() ? createIndex(Row, Column, quintptr(0)) : QModelIndex();
}

QModelIndex TTypesModel::parent(const QModelIndex& Index) const
{
  if (!Index.isValid() || Index.internalId() == 0)
    return {};
  return createIndex(int(Index.internalId() - 1), 0, quintptr(0));
}

int TTypesModel::rowCount(const QModelIndex& Parent) const
{
  if (!Parent.isValid())
    return int(FGroups.size());
  return Parent.internalId() == 0 && Parent.column() == 0 ? int(FGroups[Parent.row()].Types.size()) : 0;
}

int TTypesModel::columnCount(const QModelIndex&) const
{
  return tcCount;
}

QVariant TTypesModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
  if (Orientation != Qt::Horizontal)
    return {};
  if (Role == Qt::DisplayRole)
    return Caption(Section);
  const bool Words = Section == tcType || Section == tcLargest;
  if (Role == Qt::TextAlignmentRole)
    return int((Words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  // Many and large before few and small; the largest file's too.
  if (Role == Qt::InitialSortOrderRole)
    return int(Section == tcType ? Qt::AscendingOrder : Qt::DescendingOrder);
  return {};
}

QString TTypesModel::Cell(const TTypeTotals::TType& Type, bool Class, int Column) const
{
  switch (Column) {
    case tcFiles: return TValueDisplay::Number(double(Type.Files), 0);
    case tcSize: return FDisplay.BytesText(double(Type.Size)).trimmed();
    case tcAllocated: return FDisplay.BytesText(double(Type.Allocated)).trimmed();
    case tcPercent: {
      uint64_t Whole = 0;
      for (const TGroup& Group : FGroups)
        Whole += Value(Group.Total);
      return FDisplay.PercentText(double(Value(Type)), double(Whole));
    }
    case tcLargest: {
      const TFilesSnapshot::TSlot& Slot = FFiles->Slots()[FFiles->SlotOf(Type.LargestFile)];
      return TPathRules::Shown(std::string(Slot.Files->Name(Type.LargestFile - Slot.First)));
    }
    default: return NameOf(Type, Class);
  }
}

QVariant TTypesModel::data(const QModelIndex& Index, int Role) const
{
  if (!Index.isValid())
    return {};
  const TTypeTotals::TType& Type = TypeAt(Index);
  const bool Class = Index.internalId() == 0;
  switch (Role) {
    case Qt::DisplayRole: return Cell(Type, Class, Index.column());
    case Qt::TextAlignmentRole: return headerData(Index.column(), Qt::Horizontal, Role);
    case Qt::DecorationRole: return Class && Index.column() == tcType ? Swatch(Type.Kind) : QVariant();
    case Qt::ToolTipRole:
      if (Index.column() == tcLargest)
        return TPathRules::Shown(LargestPath(Index)) + "\n" + FDisplay.BytesText(double(Type.Largest)).trimmed();
      return {};
    default: return {};
  }
}

bool TTypesModel::Before(const TTypeTotals::TType& A, const TTypeTotals::TType& B, bool Classes) const
{
  const auto Key = [this](const TTypeTotals::TType& Type) -> uint64_t {
    switch (FSortColumn) {
      case tcFiles: return Type.Files;
      case tcSize: return Type.Size;
      case tcAllocated: return Type.Allocated;
      case tcLargest: return Type.Largest;
      default: return Value(Type);
    }
  };
  const bool Descending = FSortOrder == Qt::DescendingOrder;
  if (FSortColumn != tcType && Key(A) != Key(B))
    return Descending ? Key(A) > Key(B) : Key(A) < Key(B);
  // Ties, and the type column, go by name.
  return FSortColumn == tcType && Descending ? NameOf(B, Classes) < NameOf(A, Classes)
                                             : NameOf(A, Classes) < NameOf(B, Classes);
}

void TTypesModel::Order()
{
  std::sort(FGroups.begin(), FGroups.end(),
            [this](const TGroup& A, const TGroup& B) { return Before(A.Total, B.Total, true); });
  for (TGroup& Group : FGroups)
    std::sort(Group.Types.begin(), Group.Types.end(),
              [this](const TTypeTotals::TType& A, const TTypeTotals::TType& B) { return Before(A, B, false); });
}

void TTypesModel::sort(int Column, Qt::SortOrder Order)
{
  if (Column < 0 || Column >= tcCount)
    return;
  FSortColumn = Column;
  FSortOrder = Order;
  emit layoutAboutToBeChanged();
  const QModelIndexList Before = persistentIndexList();
  std::vector<std::pair<int, std::string>> Picks;  // what each persistent index was
  for (const QModelIndex& Index : Before)
    Picks.emplace_back(TypeAt(Index).Kind, TypeAt(Index).Extension);
  this->Order();
  QModelIndexList After;
  for (qsizetype At = 0; At < Before.size(); ++At) {
    const QModelIndex& Old = Before[At];
    QModelIndex New;
    for (size_t Group = 0; Group < FGroups.size() && !New.isValid(); ++Group) {
      if (FGroups[Group].Total.Kind != Picks[size_t(At)].first)
        continue;
      if (!Old.internalId()) {
        New = createIndex(int(Group), Old.column(), quintptr(0));
        break;
      }
      for (size_t Row = 0; Row < FGroups[Group].Types.size(); ++Row)
        if (FGroups[Group].Types[Row].Extension == Picks[size_t(At)].second) {
          New = createIndex(int(Row), Old.column(), quintptr(Group + 1));
          break;
        }
    }
    After << New;
  }
  changePersistentIndexList(Before, After);
  emit layoutChanged();
}
