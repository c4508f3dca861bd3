// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesList.h"

#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "view/ValueDisplay.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSettings>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>

//: The filter's words and examples stay in English
const char* const TFilesList::Syntax = QT_TRANSLATE_NOOP(
  "TFilesList",
  "Names (* and ? as wildcards; a word without them is looked for inside names; quoted, any word is a name), "
  "-name or not name to leave names out, > 100 MB, <= 4 KB, 10MB..1GB, older than 1 year, newer than 2 weeks, "
  "changed before 2024-01, accessed after 2023, kind:video,audio, ext:tar.gz,zip (ext: alone: none), links>1, "
  "links=2. Everything given must hold.");

TFilesList::TFilesList(TValueDisplay& Display, const TFolderTree& Tree, QWidget* Parent)
  : TSubtreeView(Parent), FDisplay(Display), FTree(Tree), FModel(Display)
{
  auto* Bar = new QHBoxLayout;
  const auto Quick = [&](const QString& Text, const QString& Tip, const std::function<void()>& Sort) {
    auto* Button = new QToolButton;
    Button->setText(Text);
    Button->setToolTip(Tip);
    Button->setCheckable(true);
    Button->setAutoRaise(true);
    connect(Button, &QToolButton::clicked, this, Sort);
    Bar->addWidget(Button);
    return Button;
  };
  FLargest =
    Quick(tr("&Largest"), tr("The largest files first, by the space they take in the Allocated and Percent views"),
          [this] { SortLargest(); });
  FNewest =
    Quick(tr("&Newest"), tr("The files changed last first"), [this] { SortBy(TFilesSorter::skLastChange, true); });
  FOldest = Quick(tr("&Oldest"), tr("The files changed longest ago first"),
                  [this] { SortBy(TFilesSorter::skLastChange, false); });
  FFilterBox = new QLineEdit;
  FFilterBox->setObjectName("FilesFilter");
  FFilterBox->setClearButtonEnabled(true);
  //: The filter's words and examples stay in English
  FFilterBox->setPlaceholderText(tr("Filter: *.iso *.mkv  > 100 MB  older than 1 year  kind:video"));
  FFilterBox->setToolTip(tr(Syntax));
  connect(FFilterBox, &QLineEdit::textChanged, this, &TFilesList::FilterEdited);
  Bar->addWidget(FFilterBox, 1);

  FView = new QTableView;
  FView->setModel(&FModel);
  FView->setSelectionBehavior(QAbstractItemView::SelectRows);
  // The arrows move by row; Tab leaves the list.
  FView->setTabKeyNavigation(false);
  FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FView->setShowGrid(false);
  FView->setWordWrap(false);
  FView->setContextMenuPolicy(Qt::CustomContextMenu);
  // A million rows: fixed heights cost nothing a row.
  FView->verticalHeader()->hide();
  FView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FView->verticalHeader()->setDefaultSectionSize(FView->fontMetrics().height() + 6);
  FView->horizontalHeader()->setSectionsMovable(true);
  FView->horizontalHeader()->setSortIndicatorShown(true);
  FView->horizontalHeader()->setSectionsClickable(true);
  FView->horizontalHeader()->setHighlightSections(false);
  FView->horizontalHeader()->resizeSection(TFilesSorter::skName, 200);
  FView->horizontalHeader()->resizeSection(TFilesSorter::skFolder, 200);
  connect(FView->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFilesList::HeaderClicked);
  Build(Bar, FView, tr("Save the files listed as a CSV table"));
  ShowSortState();
}

void TFilesList::ShowFolder(TFolderNode* Folder, bool LinksOnce)
{
  if (Folder == this->Folder() && FView->currentIndex().isValid())
    FKeepRow = FView->currentIndex().row();
  else if (Folder != FKeptFor)
    FKeepRow = -1;
  FKeptFor = nullptr;
  FBusy = true;
  TSubtreeView::ShowFolder(Folder, LinksOnce);
}

void TFilesList::Take()
{
  FTaking = true;
  FOrder.reset();
  Run();
  FollowScan();
}

void TFilesList::Clear()
{
  Forget();
  FJob.Cancel();
  FBusy = false;
  FTaking = false;
  FFiles.reset();
  FOrder.reset();
  FModel.Clear();
}

bool TFilesList::TreeRowsRemoving(const std::vector<const TFolderNode*>& Removed)
{
  if (!Meets(FFiles ? FFiles->Top() : nullptr, Removed))
    return false;
  // Listed again once the tree has settled, at the same place when the
  // folder is the same.
  const int Row = FView->currentIndex().row();
  const TFolderNode* Folder = this->Folder();
  Clear();
  FKeepRow = Row;
  FKeptFor = Folder;
  return true;
}

void TFilesList::SortBy(TFilesSorter::TKey Key, bool Descending)
{
  FKey = Key;
  FDescending = Descending;
  FLargestFirst = false;
  ShowSortState();
  Run();
}

void TFilesList::SortLargest()
{
  FLargestFirst = true;
  ShowSortState();
  Run();
}

TFilesSorter::TKey TFilesList::LargestKey() const
{
  return FDisplay.BytesMeasure() == vtAllocated ? TFilesSorter::skAllocated : TFilesSorter::skSize;
}

void TFilesList::SetFilterText(const QString& Text)
{
  FFilterBox->setText(Text);
  FilterEdited();
}

QString TFilesList::FilterText() const
{
  return FFilterBox->text().trimmed();
}

void TFilesList::FilterEdited()
{
  QString Error;
  const bool Valid = FFilter.Parse(FFilterBox->text(), QDateTime::currentSecsSinceEpoch(), Error);
  // A word that makes no sense leaves the filter as it was, and says why at
  // once; the syntax stays in the tip.
  FFilterBox->setStyleSheet(Valid ? QString() : QString("QLineEdit { background: #fbe3e4; }"));
  FFilterBox->setToolTip(Valid ? tr(Syntax) : tr("Not understood: %1\n\n%2").arg(Error, tr(Syntax)));
  if (!Valid && FFilterBox->hasFocus())
    QToolTip::showText(FFilterBox->mapToGlobal(QPoint(0, FFilterBox->height())), tr("Not understood: %1").arg(Error),
                       FFilterBox);
  if (Valid)
    Run();
}

void TFilesList::HeaderClicked(int Section)
{
  const auto Key = TFilesSorter::TKey(Section);
  // The same column turns the order round; another starts with what people
  // look for first: large, new and many before small, old and few.
  const bool Words = Key == TFilesSorter::skName || Key == TFilesSorter::skFolder || Key == TFilesSorter::skKind;
  SortBy(Key, Key == FKey ? !FDescending : !Words);
}

void TFilesList::ShowSortState()
{
  if (FLargestFirst) {
    FKey = LargestKey();
    FDescending = true;
  }
  FLargest->setChecked(FLargestFirst);
  FNewest->setChecked(!FLargestFirst && FKey == TFilesSorter::skLastChange && FDescending);
  FOldest->setChecked(!FLargestFirst && FKey == TFilesSorter::skLastChange && !FDescending);
  FView->horizontalHeader()->setSortIndicator(FKey, FDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TFilesList::Run()
{
  if (!FFiles && !FTaking)
    return;
  ShowSortState();  // the measure shown may have changed
  if (FOrder && (FOrderKey != FKey || FOrderDescending != FDescending))
    FOrder.reset();
  FBusy = true;
  FStatus->setText(FModel.rowCount() ? tr("%1  (sorting...)").arg(StatusText()) : tr("Sorting the files..."));
  const TFilesJob::TSource Source{FTaking ? nullptr : FFiles, Folder(), LinksOnce(), &FTree, FTree.Removals()};
  FJob.Start(Source, FKey, FDescending, FOrder, FFilter, [this](TFilesJob::TResult&& Result) {
    // The tree removed folders while the files were taken: taken again.
    if (!Result.Files)
      return Run();
    FBusy = false;
    FTaking = false;
    FFiles = Result.Files;
    FOrder = Result.Order;
    FOrderKey = Result.Key;
    FOrderDescending = Result.Descending;
    FShownBytes = Result.ShownBytes;
    // The selection is of rows that are gone; the place of the current
    // one stays.
    const int Current = FKeepRow >= 0 ? FKeepRow : FView->currentIndex().row();
    FModel.SetRows(std::move(Result.Files), std::move(Result.Shown));
    FKeepRow = -1;
    if (Current >= 0 && FModel.rowCount() > 0) {
      const int Row = std::min(Current, FModel.rowCount() - 1);
      FView->setCurrentIndex(FModel.index(Row, TFilesSorter::skName));
    }
    FStatus->setText(StatusText());
  });
}

QString TFilesList::StatusText() const
{
  if (!FFiles)
    return {};
  const QLocale Locale;
  const QString Bytes = FDisplay.BytesMeasure() == vtAllocated ? FDisplay.MeasureTotalText(FShownBytes.Allocated)
                                                               : FDisplay.BytesText(double(FShownBytes.Size)).trimmed();
  if (FFilter.Empty())
    return tr("%1 files, %2").arg(Locale.toString(FModel.rowCount()), Bytes);
  return tr("%1 of %2 files, %3").arg(Locale.toString(FModel.rowCount()), Locale.toString(FFiles->Listed()), Bytes);
}

void TFilesList::LoadLayout(QSettings& Store)
{
  const QStringList Sizes = Store.value("Files/Sizes").toString().split(',', Qt::SkipEmptyParts);
  if (Sizes.size() == TFilesSorter::skCount)
    for (int Column = 0; Column < TFilesSorter::skCount; ++Column)
      if (const int Width = Sizes[Column].trimmed().toInt(); Width > 0)
        FView->horizontalHeader()->resizeSection(Column, Width);
  bool Valid = false;
  const int Key = Store.value("Files/SortCol").toString().toInt(&Valid);
  if (Valid && Key >= 0 && Key < TFilesSorter::skCount) {
    FKey = TFilesSorter::TKey(Key);
    FDescending = Store.value("Files/Descending", "1").toString().trimmed() != "0";
    // Largest was the size, largest first, before it followed the measure.
    FLargestFirst = FKey == TFilesSorter::skSize && FDescending;
  }
  ShowSortState();
}

void TFilesList::SaveLayout(QSettings& Store) const
{
  QStringList Sizes;
  for (int Column = 0; Column < TFilesSorter::skCount; ++Column)
    Sizes << QString::number(FView->horizontalHeader()->sectionSize(Column));
  Store.setValue("Files/Sizes", Sizes.join(','));
  Store.setValue("Files/SortCol", FLargestFirst ? QString("largest") : QString::number(FKey));
  Store.setValue("Files/Descending", FDescending ? "1" : "0");
}
