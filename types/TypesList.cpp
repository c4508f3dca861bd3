// SPDX-License-Identifier: GPL-3.0-or-later
#include "types/TypesList.h"

#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "view/ValueDisplay.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <optional>

TTypesList::TTypesList(TValueDisplay& Display, const TFolderTree& Tree, QWidget* Parent)
  : TSubtreeView(Parent), FDisplay(Display), FTree(Tree), FModel(Display)
{
  auto* Bar = new QHBoxLayout;
  auto* Hint = new QLabel(tr("Select a type to light its files in the treemap; double-click it to list them."));
  Hint->setForegroundRole(QPalette::PlaceholderText);
  // Wrapped, so that the hint never makes the window wider than the screen.
  Hint->setWordWrap(true);
  Bar->addWidget(Hint, 1);
  FTreemapSwitch = new QToolButton;
  FTreemapSwitch->setText(tr("Tree&map"));
  FTreemapSwitch->setToolTip(tr("Show the treemap below the types"));
  FTreemapSwitch->setCheckable(true);
  FTreemapSwitch->setChecked(true);
  FTreemapSwitch->setAutoRaise(true);
  connect(FTreemapSwitch, &QToolButton::toggled, this, [this](bool Shown) {
    FTreemapPlace->setVisible(Shown);
    if (OnTreemap)
      OnTreemap(Shown);
  });
  Bar->addWidget(FTreemapSwitch);

  FView = new QTreeView;
  FView->setModel(&FModel);
  FView->setUniformRowHeights(true);
  FView->setExpandsOnDoubleClick(false);
  // Set first: turning sorting on sorts by it.
  FView->header()->setSortIndicator(FModel.SortColumn(), FModel.SortOrder());
  FView->setSortingEnabled(true);
  FView->header()->setSectionsMovable(true);
  for (const auto& [Column, Width] :
       {std::pair(TTypesModel::tcType, 190), std::pair(TTypesModel::tcFiles, 70), std::pair(TTypesModel::tcSize, 85),
        std::pair(TTypesModel::tcAllocated, 85), std::pair(TTypesModel::tcPercent, 90)})
    FView->header()->resizeSection(Column, Width);
  FView->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { Picked(); });
  connect(FView, &QTreeView::activated, this, [this](const QModelIndex& Index) {
    if (OnOpen)
      OnOpen(FModel.PickAt(Index));
  });
  connect(FView, &QTreeView::collapsed, this, [this](const QModelIndex& Index) {
    if (!Index.parent().isValid())
      FClosed.insert(FModel.TypeAt(Index).Kind);
  });
  connect(FView, &QTreeView::expanded, this, [this](const QModelIndex& Index) {
    if (!Index.parent().isValid())
      FClosed.erase(FModel.TypeAt(Index).Kind);
  });
  FTreemapPlace = new QWidget;
  auto* Place = new QVBoxLayout(FTreemapPlace);
  Place->setContentsMargins(0, 0, 0, 0);
  FSplitter = new QSplitter(Qt::Vertical);
  FSplitter->addWidget(FView);
  FSplitter->addWidget(FTreemapPlace);
  FSplitter->setChildrenCollapsible(false);
  FSplitter->setStretchFactor(0, 2);
  FSplitter->setStretchFactor(1, 3);
  FSplitter->setSizes({200, 300});
  Build(Bar, FSplitter, tr("Save the types as a CSV table"));
}

bool TTypesList::ShowsTreemap() const
{
  return FTreemapSwitch->isChecked();
}

void TTypesList::Take()
{
  if (!FModel.Files())
    FStatus->setText(tr("Counting the files..."));
  FJob.Start([this, Folder = Folder(), LinksOnce = LinksOnce(),
              Removals = FTree.Removals()](const TLatestJob::TStop& Stop) -> std::function<void()> {
    auto Files = std::make_shared<const TFilesSnapshot>(Folder, LinksOnce, &FTree, Removals);
    // The tree removed folders meanwhile: taken again.
    if (Files->Abandoned())
      return [this] { Take(); };
    TTypeTotals Totals(false);  // the snapshot has left out repeated names
    Totals.Add(*Files, Stop);
    auto Types = std::make_shared<std::vector<TTypeTotals::TType>>(Totals.Ranked());
    return [this, Files, Types] { Fill(Files, std::move(*Types)); };
  });
  FollowScan();
}

void TTypesList::Fill(std::shared_ptr<const TFilesSnapshot> Files, std::vector<TTypeTotals::TType> Types)
{
  const TTypesModel::TPick Was = FModel.PickAt(FView->currentIndex());
  const int Kind = Was.Kind;
  const std::optional<std::string> Extension =
    Was.Extension ? std::optional<std::string>(*Was.Extension) : std::nullopt;
  const bool Same = FModel.Files() && Files->Top() == FModel.Files()->Top();
  FModel.SetTypes(std::move(Files), std::move(Types));
  for (int Row = 0; Row < FModel.rowCount(); ++Row) {
    const QModelIndex Class = FModel.index(Row, 0);
    FView->setExpanded(Class, !FClosed.count(FModel.TypeAt(Class).Kind));
  }
  // The same folder counted again keeps its type selected.
  const QModelIndex Current = Same && Kind >= 0 ? IndexOf(Kind, Extension ? &*Extension : nullptr) : QModelIndex();
  if (Current.isValid())
    FView->setCurrentIndex(Current);
  else
    Picked();
  FStatus->setText(StatusText());
}

QModelIndex TTypesList::IndexOf(int Kind, const std::string* Extension) const
{
  for (int Row = 0; Row < FModel.rowCount(); ++Row) {
    const QModelIndex Class = FModel.index(Row, 0);
    if (FModel.TypeAt(Class).Kind != Kind)
      continue;
    if (!Extension)
      return Class;
    for (int Child = 0; Child < FModel.rowCount(Class); ++Child)
      if (FModel.TypeAt(FModel.index(Child, 0, Class)).Extension == *Extension)
        return FModel.index(Child, 0, Class);
  }
  return {};
}

void TTypesList::Picked()
{
  if (OnPick)
    OnPick(FModel.PickAt(FView->currentIndex()));
}

void TTypesList::Clear()
{
  Forget();
  FJob.Cancel();
  FModel.Clear();
  Picked();
}

bool TTypesList::TreeRowsRemoving(const std::vector<const TFolderNode*>& Removed)
{
  if (!Meets(FModel.Files() ? FModel.Files()->Top() : nullptr, Removed))
    return false;
  Clear();
  return true;
}

QString TTypesList::StatusText() const
{
  if (!FModel.Files())
    return {};
  uint64_t Files = 0, Measure = 0;
  const std::vector<TTypeTotals::TType> Types = FModel.Extensions();
  for (const TTypeTotals::TType& Type : Types) {
    Files += Type.Files;
    Measure += FModel.Value(Type);
  }
  const QLocale Locale;
  const QString TypeCount = Locale.toString(qulonglong(Types.size()));
  const QString ClassCount = Locale.toString(FModel.rowCount());
  const QString FileCount = Locale.toString(qulonglong(Files));
  if (FDisplay.FShowType == vtObjects)
    return tr("%1 types in %2 classes, %3 files").arg(TypeCount, ClassCount, FileCount);
  // With the total the shares are of.
  return tr("%1 types in %2 classes, %3 files, %4")
    .arg(TypeCount, ClassCount, FileCount, FDisplay.MeasureTotalText(Measure));
}

void TTypesList::LoadLayout(QSettings& Store)
{
  const QStringList Sizes = Store.value("Types/Sizes").toString().split(',', Qt::SkipEmptyParts);
  if (Sizes.size() == TTypesModel::tcCount)
    for (int Column = 0; Column < TTypesModel::tcCount; ++Column)
      if (const int Width = Sizes[Column].trimmed().toInt(); Width > 0)
        FView->header()->resizeSection(Column, Width);
  bool Valid = false;
  const int Column = Store.value("Types/SortCol").toString().toInt(&Valid);
  const bool Descending = Store.value("Types/Descending", "1").toString().trimmed() != "0";
  if (Valid && Column >= 0 && Column < TTypesModel::tcCount)
    FView->sortByColumn(Column, Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  FTreemapSwitch->setChecked(Store.value("Types/Treemap", "1").toString().trimmed() != "0");
  const QStringList Split = Store.value("Types/Split").toString().split(',', Qt::SkipEmptyParts);
  if (Split.size() == 2 && Split[0].toInt() > 0 && Split[1].toInt() > 0)
    FSplitter->setSizes({Split[0].toInt(), Split[1].toInt()});
}

void TTypesList::SaveLayout(QSettings& Store) const
{
  QStringList Sizes;
  for (int Column = 0; Column < TTypesModel::tcCount; ++Column)
    Sizes << QString::number(FView->header()->sectionSize(Column));
  Store.setValue("Types/Sizes", Sizes.join(','));
  Store.setValue("Types/SortCol", QString::number(FModel.SortColumn()));
  Store.setValue("Types/Descending", FModel.SortOrder() == Qt::DescendingOrder ? "1" : "0");
  Store.setValue("Types/Treemap", ShowsTreemap() ? "1" : "0");
  if (FTreemapPlace->isVisible())
    Store.setValue("Types/Split", QString("%1,%2").arg(FSplitter->sizes()[0]).arg(FSplitter->sizes()[1]));
}
