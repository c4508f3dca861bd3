// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/DetailsList.h"

#include "fs/Directory.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "scan/ScanSettings.h"
#include "view/ValueDisplay.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QSettings>
#include <QStyle>
#include <QToolTip>

#include <utility>

namespace {

// A link to a folder or a mount point below the folder the user chose: the
// scan did not enter it unless told to follow them.
bool IsReparsePoint(TFolderNode* Node)
{
  TDirEntry Entry;
  return Node->Parent() && TDirectory::Classify(Node->FullPath(), Entry) == 0
    && (Entry.Kind == TDirEntry::ekFolderLink || Entry.Kind == TDirEntry::ekMountPoint);
}

}  // namespace

TDetailsList::TDetailsList(TValueDisplay& Display, QWidget* Parent) : QTableView(Parent), FModel(Display)
{
  // A table keeps no per-row structure, so a folder of 100,000 files lays out
  // at once.
  setObjectName("List");
  setModel(&FModel);
  setShowGrid(false);
  setWordWrap(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  // Tab moves on to the next pane rather than through the cells.
  setTabKeyNavigation(false);
  setIconSize(QSize(16, 16));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(std::max(20, fontMetrics().height() + 4));
  QHeaderView* Header = header();
  Header->setSectionsMovable(true);
  Header->setSectionsClickable(true);
  Header->setSortIndicatorShown(true);
  Header->setStretchLastSection(false);
  for (int Column = 0; Column < TListModel::lcAll; ++Column)
    Header->resizeSection(Column, TListModel::DefaultWidth(Column));
  ShowChange(false);
  Header->setSectionResizeMode(TListModel::lcName, QHeaderView::Stretch);
  Header->setSortIndicator(FSortColumn, Qt::AscendingOrder);
  connect(Header, &QHeaderView::sectionClicked, this, [this](int Section) { HeaderClicked(Section); });
}

std::vector<const TFolderData*> TDetailsList::SelectedRecords() const
{
  std::vector<const TFolderData*> Records;
  for (const QModelIndex& Row : selectionModel()->selectedRows())
    if (!FModel.IsTop(Row.row()) && !FModel.IsGone(Row.row()))
      Records.push_back(FModel.Record(Row.row()));
  return Records;
}

void TDetailsList::Clear()
{
  FFiles.Cancel();
  FModel.Clear();
}

void TDetailsList::ShowFolder(TFolderNode* Node, const TScanSettings& Settings)
{
  FFiles.Cancel();
  FModel.SetFolder(Node);
  Resort();
  FitColumns();
  if (!Settings.FShowFiles || (!Settings.FFollowReparsePoints && IsReparsePoint(Node)))
    return;
  FFiles.Start(Node->FullPath(), Settings, Node, size_t(FModel.rowCount()),
               [this](std::vector<TListModel::TRow>&& Rows, int Error, const std::string& Folder) {
                 if (Error && OnListError)
                   OnListError(Error, Folder);
                 FModel.AddRows(std::move(Rows));
                 Resort();
                 FitColumns();
                 SelectListed();
               });
}

void TDetailsList::SelectListed()
{
  const std::string Name = std::exchange(FSelectWhenListed, {});
  for (int Row = 0; !Name.empty() && Row < FModel.rowCount(); ++Row)
    if (!FModel.IsFolder(Row) && FModel.Record(Row)->Name() == Name) {
      selectRow(Row);
      scrollTo(FModel.index(Row, 0));
      return;
    }
}

void TDetailsList::HeaderClicked(int Section)
{
  if (Section == FSortColumn && FSorted)
    FAscending = !FAscending;
  FSortColumn = Section;
  FSorted = true;
  header()->setSortIndicatorShown(true);
  Resort();
}

void TDetailsList::FollowTree(TValueDisplay::TSortType SortType, TViewType ShowType)
{
  FSorted = SortType != TValueDisplay::stNone;
  header()->setSortIndicatorShown(FSorted);
  if (!FSorted)
    return;
  FAscending = true;
  const int ByValue = ShowType == vtAllocated ? TListModel::lcAllocated
    : ShowType == vtPercent                   ? TListModel::lcPercent
    : ShowType == vtWasted                    ? TListModel::lcWasted
                                              : TListModel::lcSize;
  SetSortColumn(SortType == TValueDisplay::stName       ? TListModel::lcName
                  : SortType == TValueDisplay::stChange ? TListModel::lcChange
                                                        : ByValue);
  Resort();
}

void TDetailsList::ShowChange(bool Shown)
{
  QHeaderView* Header = header();
  // Beside the size they tell of.
  if (Shown) {
    Header->moveSection(Header->visualIndex(TListModel::lcChange), Header->visualIndex(TListModel::lcSize) + 1);
    Header->moveSection(Header->visualIndex(TListModel::lcBefore), Header->visualIndex(TListModel::lcChange) + 1);
  }
  Header->setSectionHidden(TListModel::lcChange, !Shown);
  Header->setSectionHidden(TListModel::lcBefore, !Shown);
  if (!Shown && FSortColumn >= TListModel::lcCount)
    SetSortColumn(TListModel::lcSize);
}

void TDetailsList::SetSortColumn(int Column)
{
  FSortColumn = std::clamp(Column, 0, TListModel::lcAll - 1);
  header()->setSortIndicator(FSortColumn, FAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TDetailsList::Resort()
{
  if (!FSorted)
    return;
  SetSortColumn(FSortColumn);
  FModel.Sort(FSortColumn, FAscending);
}

void TDetailsList::FitColumns()
{
  const QFontMetrics Cells = fontMetrics(), Captions = header()->fontMetrics();
  // Room for the cell's margins, and for the sort arrow beside a caption.
  const int Margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
  const int Arrow = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header()) + 12;
  for (int Column = TListModel::lcName + 1; Column < TListModel::lcAll; ++Column)
    if (!header()->isSectionHidden(Column))
      header()->resizeSection(Column,
                              std::max(Cells.horizontalAdvance(FModel.WidestText(Column)) + Margin,
                                       Captions.horizontalAdvance(TListModel::Caption(Column)) + Arrow));
}

bool TDetailsList::viewportEvent(QEvent* Event)
{
  if (Event->type() == QEvent::ToolTip) {
    auto* Help = static_cast<QHelpEvent*>(Event);
    const QModelIndex At = indexAt(Help->pos());
    if (At.column() == TListModel::lcName) {
      const QString Name = At.data().toString();
      const int Room = visualRect(At).width() - iconSize().width() - 12;
      if (fontMetrics().horizontalAdvance(Name) > Room) {
        QToolTip::showText(Help->globalPos(), Name, viewport(), visualRect(At));
        return true;
      }
    }
  }
  return QTableView::viewportEvent(Event);
}

int TDetailsList::ColumnWidth(int Column) const
{
  return header()->isSectionHidden(Column) ? 0 : header()->sectionSize(Column);
}

void TDetailsList::SetColumnWidth(int Column, int Width)
{
  header()->setSectionHidden(Column, Width <= 0);
  if (Width > 0)
    header()->resizeSection(Column, Width);
}

void TDetailsList::LoadLayout(QSettings& Store)
{
  const QStringList Sizes = Store.value("Columns/Sizes").toString().split(',', Qt::SkipEmptyParts);
  if (Sizes.size() == TListModel::lcCount)
    for (int Column = 0; Column < TListModel::lcCount; ++Column)
      SetColumnWidth(Column, Sizes[Column].trimmed().toInt());
  // The logical column at each position, left to right.
  const QStringList Order = Store.value("Columns/Order").toString().split(',', Qt::SkipEmptyParts);
  if (Order.size() == TListModel::lcCount)
    for (int Position = 0; Position < TListModel::lcCount; ++Position) {
      bool Valid = false;
      const int Column = Order[Position].trimmed().toInt(&Valid);
      if (Valid && Column >= 0 && Column < TListModel::lcCount)
        header()->moveSection(header()->visualIndex(Column), Position);
    }
  FAscending = Store.value("Sort/Ascending", "1").toString().trimmed() != "0";
  bool Valid = false;
  const int Column = Store.value("Sort/SortCol").toString().toInt(&Valid);
  SetSortColumn(Valid ? Column : FSortColumn);
}

void TDetailsList::SaveLayout(QSettings& Store) const
{
  // The change columns come and go with a comparison: kept are the others.
  QStringList Sizes, Order;
  for (int Column = 0; Column < TListModel::lcCount; ++Column)
    Sizes << QString::number(ColumnWidth(Column));
  for (int Position = 0; Position < TListModel::lcAll; ++Position)
    if (const int Column = header()->logicalIndex(Position); Column < TListModel::lcCount)
      Order << QString::number(Column);
  Store.setValue("Columns/Sizes", Sizes.join(','));
  Store.setValue("Columns/Order", Order.join(','));
  Store.setValue("Sort/Ascending", FAscending ? "1" : "0");
  // The change columns go with the comparison.
  Store.setValue("Sort/SortCol", QString::number(FSortColumn < TListModel::lcCount ? FSortColumn : TListModel::lcSize));
  Store.setValue("ViewStyle/ViewStyle", "3");  // report style, the only one
}
