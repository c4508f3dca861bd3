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
#include "shell/PermanentDelete.h"
#include "shell/Prompt.h"
#include "shell/Remover.h"
#include "shell/Trash.h"
#include "shell/WaitCursor.h"
#include "view/ValueDisplay.h"
#include "widgets/SizeEdit.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>

Q_DECLARE_METATYPE(TDuplicateFinder::TFile)
Q_DECLARE_METATYPE(TDuplicateFinder::TGroup)

namespace {

constexpr int GroupRole = Qt::UserRole;       // of a group: the group, its files left out
constexpr int FileRole = Qt::UserRole;        // of a name: the file as the search found it
constexpr int WastedRole = Qt::UserRole + 1;  // of a group: what its copies but one take, as labelled
enum TColumn { dcName, dcSize, dcLastChange, dcNote };

QString StageName(TDuplicateFinder::TStage Stage)
{
  switch (Stage) {
    case TDuplicateFinder::dsNames:
      return QCoreApplication::translate("TDuplicatesDlg", "Opening the files of equal size");
    case TDuplicateFinder::dsEnds:
      return QCoreApplication::translate("TDuplicatesDlg", "Reading their first and last 64 KiB");
    case TDuplicateFinder::dsContents:
      return QCoreApplication::translate("TDuplicatesDlg", "Reading the files alike so far");
    default: return QCoreApplication::translate("TDuplicatesDlg", "Searching");
  }
}

TDuplicateFinder::TFile FileOf(const QTreeWidgetItem* Name)
{
  return Name->data(dcName, FileRole).value<TDuplicateFinder::TFile>();
}

// A group as shown: the names left in it.
TDuplicateFinder::TGroup GroupOf(const QTreeWidgetItem* Item)
{
  TDuplicateFinder::TGroup Group = Item->data(dcName, GroupRole).value<TDuplicateFinder::TGroup>();
  for (int Name = 0; Name < Item->childCount(); ++Name)
    Group.Files.push_back(FileOf(Item->child(Name)));
  return Group;
}

// One and Many hold %1 for the number.
QString Counted(uint64_t Count, const QString& One, const QString& Many)
{
  return (Count == 1 ? One : Many).arg(QLocale().toString(qulonglong(Count)));
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
    FMinimum(new TSizeEdit),
    FState(new QLabel),
    FNote(new QLabel),
    FProgress(new QProgressBar),
    FCancel(new QPushButton(tr("Cancel"))),
    FGroups(new QTreeWidget)
{
  setWindowTitle(FTops.size() == 1 ? tr("Duplicates in %1").arg(TPathRules::Shown(FTops.front()->FullPath()))
                                   : tr("Duplicates in %1 folders").arg(FTops.size()));
  auto* Layout = new QVBoxLayout(this);
  auto* Size = new QHBoxLayout;
  auto* SizeLabel = new QLabel(tr("Files of at &least"));
  SizeLabel->setBuddy(FMinimum);
  Size->addWidget(SizeLabel);
  FMinimum->SetBytes(Form.WindowSettings().FDuplicatesBytes);
  Size->addWidget(FMinimum);
  auto* Again = new QPushButton(tr("&Search"));
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
  FGroups->setHeaderLabels({
    //: Column header: a group of copies, then each copy's path
    tr("Copies"),
    tr("Size"),
    tr("Last Change"),
    //: Column header: a remark on a copy
    tr("Note"),
  });
  FGroups->header()->setSectionResizeMode(dcName, QHeaderView::Stretch);
  for (int Column : {dcSize, dcLastChange, dcNote})
    FGroups->header()->setSectionResizeMode(Column, QHeaderView::ResizeToContents);
  FGroups->header()->setStretchLastSection(false);
  Layout->addWidget(FGroups, 1);
  FNote->setWordWrap(true);
  FNote->hide();
  Layout->addWidget(FNote);
  auto* Buttons = new QHBoxLayout;
  const QString Rules[] = {tr("Keep &Oldest"), tr("Keep &Newest"), tr("Keep Shortest &Path")};
  for (int Rule = 0; Rule < 3; ++Rule) {
    auto* Button = new QPushButton(Rules[Rule]);
    Button->setToolTip(tr("Tick every copy of each group but the one kept; other names of the file kept stay"));
    connect(Button, &QPushButton::clicked, this, [this, Rule] { Keep(Rule); });
    Buttons->addWidget(Button);
  }
  Buttons->addStretch(1);
  auto* Export = new QPushButton(tr("&Export..."));
  Export->setToolTip(tr("Save the groups shown as a CSV table"));
  connect(Export, &QPushButton::clicked, this, [this] {
    //: Fills in "The %1 could not be saved to %2"
    const QString What = tr("duplicates");
    TCsvFile::SaveAs(this, tr("Export the Duplicates"), "duplicates.csv", What,
                     [this](std::FILE* Stream) { return WriteCsv(Stream); });
  });
  Buttons->addWidget(Export);
  auto* Trash = new QPushButton(tr("Move to &Trash"));
  connect(Trash, &QPushButton::clicked, this, [this] { Remove(false); });
  Buttons->addWidget(Trash);
  auto* Delete = new QPushButton(tr("&Delete Permanently..."));
  Delete->setToolTip(tr("Delete the ticked copies for good (Shift+Delete): their space comes free at once"));
  connect(Delete, &QPushButton::clicked, this, [this] { Remove(true); });
  Buttons->addWidget(Delete);
  auto* Close = new QPushButton(tr("Close"));
  connect(Close, &QPushButton::clicked, this, &QDialog::close);
  Buttons->addWidget(Close);
  Layout->addLayout(Buttons);
  auto* ForGood = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete), this);
  connect(ForGood, &QShortcut::activated, this, [this] { Remove(true); });
  auto* ToTrash = new QShortcut(QKeySequence::Delete, this);
  connect(ToTrash, &QShortcut::activated, this, [this] { Remove(false); });
  FPoll.setInterval(200);
  connect(&FPoll, &QTimer::timeout, this, [this] { Poll(); });
  resize(760, 480);
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
  FSearch.CancelAndWait();
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
  FNote->hide();
  FForm.WindowSettings().FDuplicatesBytes = FMinimum->Bytes();
  const uint64_t Minimum = FMinimum->Bytes();
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
          if (const uint64_t Size = (*Folder.Files)[At].Size(); Size >= Minimum && Size > 0) {
            std::string Name(Folder.Files->Name(At));
            // A folder within another root given is met once.
            if (FPlaces.emplace(Path + Name, std::pair(Folder.Node, Name)).second)
              Candidates.push_back({Path + Name, Size});
          }
      }
    }
  }
  FStop = false;
  FFinder = std::make_unique<TDuplicateFinder>(std::move(Candidates));
  FFinder->OnGroup = [this](const TDuplicateFinder::TGroup& Group) {
    const std::lock_guard Lock(FGuard);
    FNew.push_back(Group);
  };
  FCancel->setEnabled(true);
  FSearch.Start([this](const TLatestJob::TStop&) -> std::function<void()> {
    FFinder->Run(&FStop);
    return [this] { Poll(); };
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
  FState->setText(tr("%1: %2 of %3 files, %4 of %5 MB, %6 MB/s")
                    .arg(StageName(Now.Stage), QString::number(Now.Files), QString::number(Now.FilesTotal),
                         QLocale().toString(double(Now.Bytes) / 1048576, 'f', 1),
                         QLocale().toString(double(Now.BytesTotal) / 1048576, 'f', 1),
                         QLocale().toString(double(Now.Bytes) / 1048576 / Seconds, 'f', 0)));
  if (!FSearch.Busy())
    Finished();
}

void TDuplicatesDlg::Label(QTreeWidgetItem* Item) const
{
  const TDuplicateFinder::TGroup Group = GroupOf(Item);
  const size_t Copies = Group.Copies();
  QString Text = Counted(Copies, tr("%1 copy"), tr("%1 copies"));
  if (Group.Files.size() > Copies)
    Text += " (" + Counted(Group.Files.size(), tr("%1 name"), tr("%1 names")) + ")";
  Item->setText(dcName, tr("%1, %2 wasted").arg(Text, FForm.Display().BytesText(double(Group.Wasted())).trimmed()));
  Item->setData(dcName, WastedRole, QVariant::fromValue(Group.Wasted()));
  // A name of a file named before in the group: no copy, it frees nothing.
  for (int Name = 0; Name < Item->childCount(); ++Name) {
    QString Note;
    for (int Before = 0; Before < Name && Note.isEmpty(); ++Before)
      if (Group.Files[size_t(Before)].SameFile(Group.Files[size_t(Name)]))
        Note = tr("another name of %1").arg(TPathRules::Shown(Group.Files[size_t(Before)].Path).section('/', -1));
    Item->child(Name)->setText(dcNote, Note);
  }
}

void TDuplicatesDlg::AddGroup(const TDuplicateFinder::TGroup& Group)
{
  auto* Item = new QTreeWidgetItem;
  Item->setText(dcSize, FForm.Display().BytesText(double(Group.Size)).trimmed());
  TDuplicateFinder::TGroup Own = Group;
  Own.Files.clear();
  Item->setData(dcName, GroupRole, QVariant::fromValue(Own));
  for (const TDuplicateFinder::TFile& File : Group.Files) {
    auto* Name = new QTreeWidgetItem(Item);
    Name->setText(dcName, TPathRules::Shown(File.Path));
    Name->setText(dcLastChange,
                  QLocale().toString(QDateTime::fromSecsSinceEpoch(File.LastWrite), QLocale::ShortFormat));
    Name->setData(dcName, FileRole, QVariant::fromValue(File));
    Name->setFlags(Name->flags() | Qt::ItemIsUserCheckable);
    Name->setCheckState(dcName, Qt::Unchecked);
  }
  Label(Item);
  // The most wasted first, as they come.
  int Low = 0, High = FGroups->topLevelItemCount();
  while (Low < High) {
    const int Middle = Low + (High - Low) / 2;
    if (FGroups->topLevelItem(Middle)->data(dcName, WastedRole).toULongLong() >= Group.Wasted())
      Low = Middle + 1;
    else
      High = Middle;
  }
  FGroups->insertTopLevelItem(Low, Item);
  Item->setExpanded(true);
}

void TDuplicatesDlg::Finished()
{
  FPoll.stop();
  FCancel->setEnabled(false);
  FProgress->setValue(FProgress->maximum());
  const std::vector<TDuplicateFinder::TSkipped> Skipped = FFinder->Skipped();
  QString Reasons;
  for (const TDuplicateFinder::TSkipped& File : Skipped)
    Reasons += TPathRules::Shown(File.Path) + ": " + QString::fromLocal8Bit(File.Reason.c_str()) + "\n";
  FState->setToolTip(Reasons.trimmed());
  ShowSummary();
}

QString TDuplicatesDlg::Summary() const
{
  uint64_t Copies = 0, Names = 0, Wasted = 0;
  for (int At = 0; At < FGroups->topLevelItemCount(); ++At) {
    const TDuplicateFinder::TGroup Group = GroupOf(FGroups->topLevelItem(At));
    Copies += Group.Copies();
    Names += Group.Files.size();
    Wasted += Group.Wasted();
  }
  QString Found = Counted(Copies, tr("%1 copy"), tr("%1 copies"));
  if (Names > Copies)
    Found += " (" + Counted(Names, tr("%1 name"), tr("%1 names")) + ")";
  QString Text =
    tr("%1, %2, %3 wasted")
      .arg(Counted(uint64_t(FGroups->topLevelItemCount()), tr("%1 group of copies"), tr("%1 groups of copies")), Found,
           FForm.Display().BytesText(double(Wasted)).trimmed());
  if (FStop)
    Text = tr("%1 (stopped)").arg(Text);
  if (const size_t Skipped = FFinder ? FFinder->Skipped().size() : 0)
    Text = tr("%1; %2 left out").arg(Text, Counted(Skipped, tr("%1 file"), tr("%1 files")));
  return Text;
}

void TDuplicatesDlg::ShowSummary()
{
  FState->setText(Summary());
}

QString TDuplicatesDlg::Note() const
{
  return FNote->isHidden() ? QString() : FNote->text();
}

void TDuplicatesDlg::Keep(int Rule)
{
  int Ties = 0;
  for (int At = 0; At < FGroups->topLevelItemCount(); ++At) {
    QTreeWidgetItem* Item = FGroups->topLevelItem(At);
    const TDuplicateFinder::TGroup Group = GroupOf(Item);
    // The first by path wins a tie; a tie with another name of the same
    // file is none.
    size_t Kept = 0;
    bool Tie = false;
    for (size_t Name = 1; Name < Group.Files.size(); ++Name) {
      const TDuplicateFinder::TFile &This = Group.Files[Name], &Best = Group.Files[Kept];
      const int64_t Time = This.LastWrite, BestTime = Best.LastWrite;
      if ((Rule == 0 && Time < BestTime) || (Rule == 1 && Time > BestTime)
          || (Rule == 2 && This.Path.size() < Best.Path.size())) {
        Kept = Name;
        Tie = false;
      } else if (Rule < 2 && Time == BestTime && !This.SameFile(Best)) {
        Tie = true;
      }
    }
    Ties += Tie;
    for (size_t Name = 0; Name < Group.Files.size(); ++Name)
      Item->child(int(Name))->setCheckState(
        dcName, Group.Files[Name].SameFile(Group.Files[Kept]) ? Qt::Unchecked : Qt::Checked);
  }
  FNote->setVisible(Ties > 0);
  const QString Groups = Counted(uint64_t(Ties), tr("%1 group"), tr("%1 groups"));
  FNote->setText(Rule == 0 ? tr("In %1 the oldest copies were changed at the same moment: a tie, broken by keeping "
                                "the first of them by path.")
                               .arg(Groups)
                           : tr("In %1 the newest copies were changed at the same moment: a tie, broken by keeping "
                                "the first of them by path.")
                               .arg(Groups));
}

bool TDuplicatesDlg::WriteCsv(std::FILE* Stream) const
{
  std::vector<TDuplicateFinder::TGroup> Shown;
  for (int At = 0; At < FGroups->topLevelItemCount(); ++At)
    Shown.push_back(GroupOf(FGroups->topLevelItem(At)));
  return THeadlessDuplicates::WriteCsv(Stream, Shown);
}

void TDuplicatesDlg::Remove(bool ForGood)
{
  const QString Title = ForGood ? tr("Delete Permanently") : tr("Move to Trash");
  // Each name to remove, with its group and the copy that stays, which is
  // read again before it goes.
  struct TJob {
    size_t GroupAt;  // in Ticking
    TDuplicateFinder::TFile File, Kept;
    QTreeWidgetItem* Item;
  };
  std::vector<TDuplicateFinder::TGroup> Ticking;  // the groups with names ticked
  std::vector<TJob> Jobs;
  size_t Copies = 0;
  uint64_t Freed = 0;
  for (int At = 0; At < FGroups->topLevelItemCount(); ++At) {
    QTreeWidgetItem* Item = FGroups->topLevelItem(At);
    TDuplicateFinder::TGroup Group = GroupOf(Item);
    std::vector<size_t> Ticked;
    for (size_t Name = 0; Name < Group.Files.size(); ++Name)
      if (Item->child(int(Name))->checkState(dcName) == Qt::Checked)
        Ticked.push_back(Name);
    // The last copy of a group is never removed.
    if (Ticked.size() == Group.Files.size()) {
      Item->child(0)->setCheckState(dcName, Qt::Unchecked);
      Ticked.erase(Ticked.begin());
    }
    if (Ticked.empty())
      continue;
    size_t Kept = 0;
    while (Item->child(int(Kept))->checkState(dcName) == Qt::Checked)
      ++Kept;
    // A name seen by two paths (a folder mounted twice) would take the
    // unticked one with it.
    for (size_t Name : Ticked)
      for (size_t Other = 0; Other < Group.Files.size(); ++Other)
        if (Item->child(int(Other))->checkState(dcName) != Qt::Checked && Group.Files[Name].SameFile(Group.Files[Other])
            && TDuplicateFinder::OneEntry(Group.Files[Name].Path, Group.Files[Other].Path)) {
          TPrompt::Warn(this, Title,
                        tr("%1 and %2 are one name seen by two paths (a folder mounted twice): removing one "
                           "removes both. Nothing was removed.")
                          .arg(TPathRules::Shown(Group.Files[Name].Path), TPathRules::Shown(Group.Files[Other].Path)));
          return;
        }
    const size_t GroupAt = Ticking.size();
    // A file's space comes free when every name of it goes, here and
    // elsewhere.
    for (size_t Name : Ticked) {
      const TDuplicateFinder::TFile& File = Group.Files[Name];
      Jobs.push_back({GroupAt, File, Group.Files[Kept], Item->child(int(Name))});
      const auto Same = [&File](const TDuplicateFinder::TFile& Other) { return Other.SameFile(File); };
      const bool First =
        std::find_if(Ticked.begin(), Ticked.end(), [&](size_t Other) { return Same(Group.Files[Other]); })
        == std::find(Ticked.begin(), Ticked.end(), Name);
      if (!First)
        continue;
      ++Copies;
      const auto Going =
        std::count_if(Ticked.begin(), Ticked.end(), [&](size_t Other) { return Same(Group.Files[Other]); });
      if (uint64_t(Going) == File.Links)
        Freed += File.DiskBytes;
    }
    Ticking.push_back(std::move(Group));
  }
  if (Jobs.empty())
    return;
  if (FForm.Tree().Removals() != FRemovals || Searching()) {
    TPrompt::Inform(this, Title,
                    Searching() ? tr("The search is still going on: wait for it, or cancel it.")
                                : tr("Folders were removed from the tree since the search: search again."));
    return;
  }
  QString What = Counted(Copies, tr("%1 copy"), tr("%1 copies"));
  if (Jobs.size() > Copies)
    What += " (" + Counted(Jobs.size(), tr("%1 name"), tr("%1 names")) + ")";
  const QString Space = FForm.Display().BytesText(double(Freed)).trimmed();
  const QString Frees = Freed == 0 ? tr("Nothing comes free: another name of each stays.")
    : ForGood                      ? tr("%1 comes free.").arg(Space)
                                   : tr("%1 comes free once the Trash is emptied.").arg(Space);
  QString Question;
  if (ForGood)
    Question = tr(
      "Delete %1 permanently? %2\nEach is read again first, with the copy kept: one that changed since "
      "the search stays where it is.");
  else
    Question = tr(
      "Move %1 to the Trash? %2\nEach is read again first, with the copy kept: one that changed since "
      "the search stays where it is.");
  if (!TPrompt::Confirm(this, Title, Question.arg(What, Frees)))
    return;
  std::vector<std::string> Paths;
  std::unordered_map<std::string, size_t> JobOf;
  for (size_t Job = 0; Job < Jobs.size(); ++Job) {
    Paths.push_back(Jobs[Job].File.Path);
    JobOf.emplace(Jobs[Job].File.Path, Job);
  }
  // On the removal's thread: a copy goes only while it and the one kept
  // are what the search found; the kept one is read whole once a group and
  // looked at again before each name goes.
  std::unordered_map<size_t, std::string> KeptChanged;  // by group: why the kept copy is no copy now
  std::unordered_map<size_t, bool> KeptRead;
  const TRemover::TRemove RemoveOne = [&](const std::string& Path, QString& Reason, TTrashed* Taken,
                                          const std::atomic<bool>* Stop) {
    const TJob& Job = Jobs[JobOf.at(Path)];
    const TDuplicateFinder::TGroup& Group = Ticking[Job.GroupAt];
    std::string Why;
    if (!KeptRead[Job.GroupAt]) {
      KeptRead[Job.GroupAt] = true;
      if (!TDuplicateFinder::StillCopy(Group, Job.Kept, Why, Stop))
        KeptChanged[Job.GroupAt] = Why;
    } else if (!TDuplicateFinder::StillThere(Job.Kept, Why))
      KeptChanged[Job.GroupAt] = Why;
    if (const auto Changed = KeptChanged.find(Job.GroupAt); Changed != KeptChanged.end()) {
      Reason = tr("%1 stays: the copy kept, %2, %3")
                 .arg(TPathRules::Shown(Path), TPathRules::Shown(Job.Kept.Path),
                      QString::fromLocal8Bit(Changed->second.c_str()));
      return false;
    }
    if (!TDuplicateFinder::StillCopy(Group, Job.File, Why, Stop)) {
      Reason = tr("%1 stays: %2").arg(TPathRules::Shown(Path), QString::fromLocal8Bit(Why.c_str()));
      return false;
    }
    return ForGood ? TPermanentDelete::Delete(Path, Reason, Taken, Stop) : TTrash::MoveToTrash(Path, Reason, Taken);
  };
  const TRemover::TResult Result =
    TRemover::Run(Paths, this, RemoveOne, Title, ForGood ? tr("Deleting") : tr("Moving to the Trash"));
  std::unordered_map<std::string, TTrashed> Moved;
  for (const TTrashed& Object : Result.Moved)
    Moved.emplace(Object.Path, Object);
  // The tree may have lost folders while the moves ran (an Update): their
  // copies are counted by that scan.
  const bool TreeKept = FForm.Tree().Removals() == FRemovals;
  std::vector<TFilesCommands::TActing> Going;
  std::vector<QTreeWidgetItem*> Groups;
  for (const TJob& Job : Jobs) {
    if (!Moved.contains(Job.File.Path))
      continue;
    if (TreeKept) {
      const auto& [Folder, Name] = FPlaces.at(Job.File.Path);
      Going.push_back({Folder, Name, {}});
    }
    Groups.push_back(Job.Item->parent());
    delete Job.Item;
  }
  // A group of names of one file is no group of copies.
  std::sort(Groups.begin(), Groups.end());
  Groups.erase(std::unique(Groups.begin(), Groups.end()), Groups.end());
  for (QTreeWidgetItem* Group : Groups)
    if (GroupOf(Group).Copies() < 2)
      delete Group;
    else
      Label(Group);
  ShowSummary();
  FForm.FilesCommands().Deleted(Going, Moved);
  if (!Result.Failures.isEmpty())
    TPrompt::Warn(this, Title, tr("These stay where they are:\n%1").arg(Result.Failures.join("\n")));
}
