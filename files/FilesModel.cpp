// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesModel.h"

#include "fs/FileTime.h"
#include "fs/PathRules.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "shell/ZelSystemImageList.h"
#include "view/FileClass.h"
#include "view/ValueDisplay.h"

#include <algorithm>

void TFilesModel::SetRows(std::shared_ptr<const TFilesSnapshot> Files,
                          std::shared_ptr<const std::vector<uint32_t>> Shown)
{
  beginResetModel();
  FFiles = std::move(Files);
  FShown = std::move(Shown);
  endResetModel();
}

void TFilesModel::Clear()
{
  SetRows(nullptr, nullptr);
}

TFolderNode* TFilesModel::FolderAt(int Row) const
{
  return FFiles->Slots()[FFiles->SlotOf(NumberAt(Row))].Node;
}

std::string TFilesModel::NameAt(int Row) const
{
  const uint32_t Number = NumberAt(Row);
  const TFilesSnapshot::TSlot& Slot = FFiles->Slots()[FFiles->SlotOf(Number)];
  return std::string(Slot.Files->Name(Number - Slot.First));
}

std::string TFilesModel::FolderBelowTop(int Row) const
{
  const std::string Top = FFiles->Top()->FullPath(), Folder = FolderAt(Row)->FullPath();
  return Folder.substr(std::min(Top.size(), Folder.size()));
}

TFolderTree::TGoneFile TFilesModel::Counted(int Row) const
{
  const uint32_t Number = NumberAt(Row);
  const TFilesSnapshot::TSlot& Slot = FFiles->Slots()[FFiles->SlotOf(Number)];
  const uint32_t Index = Number - Slot.First;
  TFolderTree::TGoneFile File;
  File.Count = TFolderData::CountFile((*Slot.Files)[Index].Size(), Slot.ClusterSize,
                                      Slot.Files->Allocated(Index, Slot.ClusterSize));
  File.Links = Slot.Files->Links(Index);
  Slot.Files->Identity(Index, File.Device, File.Inode);
  return File;
}

QString TFilesModel::Caption(int Column)
{
  static const char* const Captions[] = {
    QT_TRANSLATE_NOOP("TFilesModel", "Name"),
    QT_TRANSLATE_NOOP("TFilesModel", "Folder"),
    QT_TRANSLATE_NOOP("TFilesModel", "Size"),
    QT_TRANSLATE_NOOP("TFilesModel", "Allocated"),
    QT_TRANSLATE_NOOP("TFilesModel", "Last Change"),
    QT_TRANSLATE_NOOP("TFilesModel", "Last Access"),
    QT_TRANSLATE_NOOP("TFilesModel", "Kind"),
    //: Column header: the number of names (hard links) of a file
    QT_TRANSLATE_NOOP("TFilesModel", "Links"),
  };
  return tr(Captions[Column]);
}

int TFilesModel::rowCount(const QModelIndex& Parent) const
{
  return Parent.isValid() || !FShown ? 0 : int(FShown->size());
}

int TFilesModel::columnCount(const QModelIndex& Parent) const
{
  return Parent.isValid() ? 0 : TFilesSorter::skCount;
}

QVariant TFilesModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
  if (Orientation != Qt::Horizontal)
    return {};
  if (Role == Qt::DisplayRole)
    return Caption(Section);
  if (Role == Qt::TextAlignmentRole) {
    const bool Number =
      Section == TFilesSorter::skSize || Section == TFilesSorter::skAllocated || Section == TFilesSorter::skLinks;
    return int((Number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  return {};
}

QString TFilesModel::Cell(int Row, int Column) const
{
  const uint32_t Number = NumberAt(Row);
  const TFilesSnapshot::TSlot& Slot = FFiles->Slots()[FFiles->SlotOf(Number)];
  const uint32_t Index = Number - Slot.First;
  const TFolderFiles::TFile& File = (*Slot.Files)[Index];
  switch (Column) {
    case TFilesSorter::skName: return TPathRules::Shown(std::string(Slot.Files->Name(Index)));
    case TFilesSorter::skFolder: return TPathRules::Shown(FolderBelowTop(Row));
    case TFilesSorter::skSize: return FDisplay.BytesText(double(File.Size()));
    case TFilesSorter::skAllocated: return FDisplay.BytesText(double(Slot.Files->Allocated(Index, Slot.ClusterSize)));
    case TFilesSorter::skLastChange: return TFolderData::DateText(FileTime::FromSeconds32(File.LastWrite));
    case TFilesSorter::skLastAccess: return TFolderData::DateText(FileTime::FromSeconds32(File.LastAccess));
    case TFilesSorter::skKind: return TFileClass::Name(File.Kind);
    default: return QString::number(Slot.Files->Links(Index));
  }
}

QVariant TFilesModel::data(const QModelIndex& Index, int Role) const
{
  if (!Index.isValid() || !FFiles)
    return {};
  switch (Role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return Cell(Index.row(), Index.column());
    case Qt::TextAlignmentRole: return headerData(Index.column(), Qt::Horizontal, Role);
    case Qt::DecorationRole:
      if (Index.column() != TFilesSorter::skName)
        return {};
      return TZelSystemImageList::Icon(
        TZelSystemImageList::IconIndex(FolderAt(Index.row())->FullPath() + NameAt(Index.row())));
    case Qt::ToolTipRole:
      if (Index.column() == TFilesSorter::skFolder || Index.column() == TFilesSorter::skName)
        return TPathRules::Shown(FolderAt(Index.row())->FullPath() + NameAt(Index.row()));
      return {};
    default: return {};
  }
}

Qt::ItemFlags TFilesModel::flags(const QModelIndex& Index) const
{
  Qt::ItemFlags Flags = QAbstractTableModel::flags(Index);
  if (Index.isValid() && Index.column() == TFilesSorter::skName)
    Flags |= Qt::ItemIsEditable;
  return Flags;
}

bool TFilesModel::setData(const QModelIndex& Index, const QVariant& Value, int Role)
{
  if (Role != Qt::EditRole || !Index.isValid() || Index.column() != TFilesSorter::skName || !OnRename)
    return false;
  QString Name = Value.toString();
  return OnRename(Index.row(), Name);
}
