// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DuplicatesDlg.h"

#include "app/CsvFile.h"
#include "app/FilesCommands.h"
#include "app/HeadlessDuplicates.h"
#include "app/MainForm.h"
#include "app/ShellCommands.h"
#include "fs/PathRules.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "shell/Remover.h"
#include "shell/Trash.h"
#include "shell/WaitCursor.h"
#include "view/ValueDisplay.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>

namespace {

constexpr int SizeRole = Qt::UserRole;      // of a group: the size of each copy
constexpr int PathRole = Qt::UserRole + 1;  // of a file: its path, bytes
constexpr int TimeRole = Qt::UserRole + 2;  // of a file: its last change

const char* StageName(TDuplicateFinder::TStage Stage)
{
  switch (Stage) {
    case TDuplicateFinder::dsNames: return "Opening the files of equal size";
    case TDuplicateFinder::dsEnds: return "Reading their first and last 64 KiB";
    case TDuplicateFinder::dsContents: return "Reading the files alike so far";
    default: return "Searching";
  }
}

}  // namespace

void TDuplicatesDlg::Open(TMainForm& Form, bool AllRoots)
{
  TFolderNode* Selected = Form.SelectedNode();
  // Only files on this machine are read: imported roots are left out, and
  // one chosen alone is refused with the reason.
  if (!AllRoots && Selected && TShellCommands::Foreign(Selected, &Form))
    return;
  std::vector<TFolderNode*> Tops;
  if (AllRoots)
    std::copy_if(Form.Tree().TopNodes().begin(), Form.Tree().TopNodes().end(), std::back_inserter(Tops),
                 [](const TFolderNode* Top) { return !Top->Root()->Imported(); });
  else if (Selected)
    Tops.push_back(Selected->FIsFiles ? Selected->Parent() : Selected);
  if (Tops.empty())
    return;
  auto* Dialog = new TDuplicatesDlg(Form, std::move(Tops));
  Dialog->setAttribute(Qt::WA_DeleteOnClose);
  Dialog->show();
}

TDuplicatesDlg::TDuplicatesDlg(TMainForm& Form, std::vector<TFolderNode*> Tops)
  : QDialog(&Form),
    FForm(Form),
    FTops(std::move(Tops)),
    FMinimum(new QSpinBox),
    FState(new QLabel),
    FProgress(new QProgressBar),
    FCancel(new QPushButton("Cancel")),
    FGroups(new QTreeWidget)
{
  setWindowTitle(FTops.size() == 1 ? "Duplicates in " + TPathRules::Shown(FTops.front()->FullPath())
                                   : QString("Duplicates in %1 folders").arg(FTops.size()));
  auto* Layout = new QVBoxLayout(this);
  auto* Size = new QHBoxLayout;
  Size->addWidget(new QLabel("Files of at least"));
  FMinimum->setRange(1, 1000000);
  FMinimum->setSuffix(" MB");
  FMinimum->setValue(Form.WindowSettings().FDuplicatesMegabytes);
  Size->addWidget(FMinimum);
  auto* Again = new QPushButton("Search");
  connect(Again, &QPushButton::clicked, this, [this] { Search(); });
  Size->addWidget(Again);
  Size->addStretch(1);
  Layout->addLayout(Size);
  auto* Going = new QHBoxLayout;
  Going->addWidget(FState, 1);
  Going->addWidget(FProgress);
  Going->addWidget(FCancel);
  connect(FCancel, &QPushButton::clicked, this, [this] { Stop(); });
  Layout->addLayout(Going);
  FGroups->setHeaderLabels({"Copies", "Size", "Last Change"});
  FGroups->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  FGroups->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  FGroups->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  FGroups->header()->setStretchLastSection(false);
  Layout->addWidget(FGroups, 1);
  auto* Buttons = new QHBoxLayout;
  const char* Rules[] = {"Keep Oldest", "Keep Newest", "Keep Shortest Path"};
  for (int Rule = 0; Rule < 3; ++Rule) {
    auto* Button = new QPushButton(Rules[Rule]);
    Button->setToolTip("Tick every copy of each group but the one kept");
    connect(Button, &QPushButton::clicked, this, [this, Rule] { Keep(Rule); });
    Buttons->addWidget(Button);
  }
  Buttons->addStretch(1);
  auto* Export = new QPushButton("Export...");
  Export->setToolTip("Save the groups shown as a CSV table");
  connect(Export, &QPushButton::clicked, this, [this] {
    TCsvFile::SaveAs(this, "Export the Duplicates", "duplicates.csv", "duplicates",
                     [this](std::FILE* Stream) { return WriteCsv(Stream); });
  });
  Buttons->addWidget(Export);
  auto* Trash = new QPushButton("Move to Trash");
  connect(Trash, &QPushButton::clicked, this, [this] { MoveToTrash(); });
  Buttons->addWidget(Trash);
  auto* Close = new QPushButton("Close");
  connect(Close, &QPushButton::clicked, this, &QDialog::close);
  Buttons->addWidget(Close);
  Layout->addLayout(Buttons);
  FPoll.setInterval(200);
  connect(&FPoll, &QTimer::timeout, this, [this] { Poll(); });
  resize(720, 480);
  Search();
}

TDuplicatesDlg::~TDuplicatesDlg()
{
  // Nothing is shown any more: the window it belongs to may be going too.
  Join();
}

void TDuplicatesDlg::Join()
{
  FStop = true;
  if (FSearch.joinable())
    FSearch.join();
}

void TDuplicatesDlg::Stop()
{
  Join();
  Poll();
}

void TDuplicatesDlg::Search()
{
  Stop();
  FGroups->clear();
  FPlaces.clear();
  FForm.WindowSettings().FDuplicatesMegabytes = FMinimum->value();
  const uint64_t Minimum = uint64_t(FMinimum->value()) << 20;
  // The candidates as the tree holds them; its folders stay valid while it
  // removes nothing.
  std::vector<TDuplicateFinder::TFile> Candidates;
  {
    TWaitCursor Wait;
    FRemovals = FForm.Tree().Removals();
    for (TFolderNode* Top : FTops) {
      const TFilesSnapshot Files(Top, FForm.Driver().FSettings.FHardLinksOnce);
      for (const TFilesSnapshot::TSlot& Folder : Files.Slots()) {
        const std::string Path = Folder.Node->FullPath();
        for (uint32_t At = 0; At < Folder.Files->Count(); ++At)
          if (const uint64_t Size = (*Folder.Files)[At].Size(); Size >= Minimum) {
            std::string Name(Folder.Files->Name(At));
            // A folder within another root given is met once.
            if (FPlaces.emplace(Path + Name, std::pair(Folder.Node, Name)).second)
              Candidates.push_back({Path + Name, Size});
          }
      }
    }
  }
  FStop = false;
  FDone = false;
  FFinder = std::make_unique<TDuplicateFinder>(std::move(Candidates));
  FFinder->OnGroup = [this](const TDuplicateFinder::TGroup& Group) {
    const std::lock_guard Lock(FGuard);
    FNew.push_back(Group);
  };
  FCancel->setEnabled(true);
  FSearch = std::thread([this] {
    FFinder->Run(&FStop);
    FDone = true;
  });
  FPoll.start();
  Poll();
}

void TDuplicatesDlg::Poll()
{
  std::vector<TDuplicateFinder::TGroup> New;
  {
    const std::lock_guard Lock(FGuard);
    New.swap(FNew);
  }
  for (const TDuplicateFinder::TGroup& Group : New)
    AddGroup(Group);
  if (!FFinder)
    return;
  const TDuplicateFinder::TProgress Now = FFinder->Progress();
  if (Now.Stage != FStage) {
    FStage = Now.Stage;
    FStageClock.start();
  }
  const double Seconds = std::max(FStageClock.elapsed(), qint64(1)) / 1000.0;
  FProgress->setRange(0, 1000);
  FProgress->setValue(Now.BytesTotal     ? int(Now.Bytes * 1000 / Now.BytesTotal)
                        : Now.FilesTotal ? int(Now.Files * 1000 / Now.FilesTotal)
                                         : 0);
  FState->setText(QString("%1: %2 of %3 files, %4 of %5 MB, %6 MB/s")
                    .arg(StageName(Now.Stage))
                    .arg(Now.Files)
                    .arg(Now.FilesTotal)
                    .arg(QLocale().toString(double(Now.Bytes) / 1048576, 'f', 1),
                         QLocale().toString(double(Now.BytesTotal) / 1048576, 'f', 1),
                         QLocale().toString(double(Now.Bytes) / 1048576 / Seconds, 'f', 0)));
  if (FDone && FSearch.joinable())
    FSearch.join();
  if (!FSearch.joinable())
    Finished();
}

// What a group's copies but one take.
static uint64_t Wasted(const QTreeWidgetItem* Group)
{
  return Group->data(0, SizeRole).toULongLong() * uint64_t(std::max(Group->childCount() - 1, 0));
}

void TDuplicatesDlg::Label(QTreeWidgetItem* Group) const
{
  Group->setText(0,
                 QString("%1 copies, %2 wasted")
                   .arg(Group->childCount())
                   .arg(FForm.Display().BytesText(double(Wasted(Group))).trimmed()));
}

void TDuplicatesDlg::AddGroup(const TDuplicateFinder::TGroup& Group)
{
  auto* Item = new QTreeWidgetItem;
  Item->setText(1, FForm.Display().BytesText(double(Group.Size)).trimmed());
  Item->setData(0, SizeRole, QVariant::fromValue<qulonglong>(Group.Size));
  for (const TDuplicateFinder::TFile& File : Group.Files) {
    auto* Copy = new QTreeWidgetItem(Item);
    Copy->setText(0, TPathRules::Shown(File.Path));
    Copy->setText(2, QLocale().toString(QDateTime::fromSecsSinceEpoch(File.LastWrite), QLocale::ShortFormat));
    Copy->setData(0, PathRole, QByteArray::fromStdString(File.Path));
    Copy->setData(0, TimeRole, QVariant::fromValue<qlonglong>(File.LastWrite));
    Copy->setFlags(Copy->flags() | Qt::ItemIsUserCheckable);
    Copy->setCheckState(0, Qt::Unchecked);
  }
  Label(Item);
  // The most wasted first, as they come.
  int At = 0;
  while (At < FGroups->topLevelItemCount() && Wasted(FGroups->topLevelItem(At)) >= Group.Wasted())
    ++At;
  FGroups->insertTopLevelItem(At, Item);
  Item->setExpanded(true);
}

void TDuplicatesDlg::Finished()
{
  FPoll.stop();
  FCancel->setEnabled(false);
  FProgress->setValue(FProgress->maximum());
  uint64_t Copies = 0, Wasted = 0;
  for (int Group = 0; Group < FGroups->topLevelItemCount(); ++Group) {
    Copies += uint64_t(FGroups->topLevelItem(Group)->childCount());
    Wasted += ::Wasted(FGroups->topLevelItem(Group));
  }
  QString Text = QString("%1 groups of copies, %2 files, %3 wasted%4")
                   .arg(FGroups->topLevelItemCount())
                   .arg(Copies)
                   .arg(FForm.Display().BytesText(double(Wasted)).trimmed())
                   .arg(FStop ? " (stopped)" : "");
  const std::vector<TDuplicateFinder::TSkipped> Skipped = FFinder->Skipped();
  if (!Skipped.empty()) {
    Text += QString("; %1 files left out").arg(Skipped.size());
    QString Reasons;
    for (const TDuplicateFinder::TSkipped& File : Skipped)
      Reasons += TPathRules::Shown(File.Path) + ": " + QString::fromLocal8Bit(File.Reason.c_str()) + "\n";
    FState->setToolTip(Reasons.trimmed());
  }
  FState->setText(Text);
}

void TDuplicatesDlg::Keep(int Rule)
{
  for (int Group = 0; Group < FGroups->topLevelItemCount(); ++Group) {
    QTreeWidgetItem* Item = FGroups->topLevelItem(Group);
    int Kept = 0;
    for (int Copy = 1; Copy < Item->childCount(); ++Copy) {
      const QTreeWidgetItem* This = Item->child(Copy);
      const QTreeWidgetItem* Best = Item->child(Kept);
      const qlonglong Time = This->data(0, TimeRole).toLongLong(), BestTime = Best->data(0, TimeRole).toLongLong();
      if ((Rule == 0 && Time < BestTime) || (Rule == 1 && Time > BestTime)
          || (Rule == 2 && This->data(0, PathRole).toByteArray().size() < Best->data(0, PathRole).toByteArray().size()))
        Kept = Copy;
    }
    for (int Copy = 0; Copy < Item->childCount(); ++Copy)
      Item->child(Copy)->setCheckState(0, Copy == Kept ? Qt::Unchecked : Qt::Checked);
  }
}

bool TDuplicatesDlg::WriteCsv(std::FILE* Stream) const
{
  std::vector<TDuplicateFinder::TGroup> Shown;
  for (int Group = 0; Group < FGroups->topLevelItemCount(); ++Group) {
    const QTreeWidgetItem* Item = FGroups->topLevelItem(Group);
    TDuplicateFinder::TGroup& Copies = Shown.emplace_back();
    Copies.Size = Item->data(0, SizeRole).toULongLong();
    for (int Copy = 0; Copy < Item->childCount(); ++Copy)
      Copies.Files.push_back({Item->child(Copy)->data(0, PathRole).toByteArray().toStdString(), Copies.Size,
                              Item->child(Copy)->data(0, TimeRole).toLongLong()});
  }
  return THeadlessDuplicates::WriteCsv(Stream, Shown);
}

void TDuplicatesDlg::MoveToTrash()
{
  // The ticked copies, one of each group always left.
  std::vector<QTreeWidgetItem*> Ticked;
  uint64_t Bytes = 0;
  for (int Group = 0; Group < FGroups->topLevelItemCount(); ++Group) {
    QTreeWidgetItem* Item = FGroups->topLevelItem(Group);
    std::vector<QTreeWidgetItem*> Copies;
    for (int Copy = 0; Copy < Item->childCount(); ++Copy)
      if (Item->child(Copy)->checkState(0) == Qt::Checked)
        Copies.push_back(Item->child(Copy));
    if (int(Copies.size()) == Item->childCount()) {
      Copies.front()->setCheckState(0, Qt::Unchecked);
      Copies.erase(Copies.begin());
    }
    Ticked.insert(Ticked.end(), Copies.begin(), Copies.end());
    Bytes += Copies.size() * Item->data(0, SizeRole).toULongLong();
  }
  if (Ticked.empty())
    return;
  if (FForm.Tree().Removals() != FRemovals || Searching()) {
    TPrompt::Inform(this, "Move to Trash",
                    Searching() ? "The search is still going on: wait for it, or cancel it."
                                : "Folders were removed from the tree since the search: search again.");
    return;
  }
  if (!TPrompt::Confirm(this, "Move to Trash",
                        QString("Move %1 copies (%2) to the Trash?")
                          .arg(Ticked.size())
                          .arg(FForm.Display().BytesText(double(Bytes)).trimmed())))
    return;
  std::vector<std::string> Paths;
  for (QTreeWidgetItem* Copy : Ticked)
    Paths.push_back(Copy->data(0, PathRole).toByteArray().toStdString());
  const TRemover::TResult Result = TRemover::MoveToTrash(Paths, this);
  std::unordered_map<std::string, TTrashed> Moved;
  for (const TTrashed& Object : Result.Moved)
    Moved.emplace(Object.Path, Object);
  // The tree may have lost folders while the moves ran (an Update): their
  // copies are counted by that scan.
  const bool TreeKept = FForm.Tree().Removals() == FRemovals;
  std::vector<TFilesCommands::TActing> Going;
  for (size_t Index = 0; Index < Ticked.size(); ++Index) {
    if (!Moved.contains(Paths[Index]))
      continue;
    if (TreeKept) {
      const auto& [Folder, Name] = FPlaces.at(Paths[Index]);
      Going.push_back({Folder, Name, {}});
    }
    QTreeWidgetItem* Group = Ticked[Index]->parent();
    delete Ticked[Index];
    // A group of one is no group.
    if (Group->childCount() < 2)
      delete Group;
    else
      Label(Group);
  }
  FForm.FilesCommands().Deleted(Going, Moved);
  if (!Result.Failures.isEmpty())
    TPrompt::Warn(this, "Move to Trash", "These stay where they are:\n" + Result.Failures.join("\n"));
}
