// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FilesCommands.h"

#include "app/CsvExport.h"
#include "app/CsvFile.h"
#include "app/RightPane.h"
#include "app/ShellCommands.h"
#include "files/FilesList.h"
#include "fs/FileTime.h"
#include "fs/PathRules.h"
#include "print/PrintCommands.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/ScanDriver.h"
#include "shell/Prompt.h"
#include "shell/ShellPilot.h"
#include "shell/ShellPilotError.h"
#include "shell/WaitCursor.h"
#include "view/DetailsList.h"
#include "view/FileClass.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

#include <map>
#include <utility>

TFilesCommands::TFilesCommands(const TParts& Parts, TShowFile Show)
  : FPilot(Parts.Pilot),
    FTree(Parts.Tree),
    FDriver(Parts.Driver),
    FList(Parts.List),
    FShell(Parts.Shell),
    FShowFile(std::move(Show))
{
  FList.Model().OnRename = [this](int Row, QString& Name) { return Rename(Row, Name); };
  QTableView* View = FList.View();
  View->installEventFilter(this);
  connect(View, &QWidget::customContextMenuRequested, this, [this](const QPoint& Point) { MouseUp(Point); });
  FList.OnExport = [this] { ExportClick(); };
  connect(View, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& Index) { ShowFile(Index.row()); });
}

void TFilesCommands::ShowFile(int Row)
{
  FShowFile(FList.Model().FolderAt(Row), FList.Model().NameAt(Row));
}

bool TFilesCommands::eventFilter(QObject* Watched, QEvent* Event)
{
  if (Watched == FList.View() && Event->type() == QEvent::KeyPress && KeyDown(static_cast<QKeyEvent*>(Event)))
    return true;
  return QObject::eventFilter(Watched, Event);
}

bool TFilesCommands::Foreign() const
{
  return !FList.Folder() || TShellCommands::Foreign(FList.Folder(), FList.View());
}

std::vector<TFilesCommands::TActing> TFilesCommands::ActingRows() const
{
  const TFilesModel& Model = FList.Model();
  std::vector<TActing> Acting;
  for (const QModelIndex& Index : FList.View()->selectionModel()->selectedRows()) {
    const int Row = Index.row();
    if (!TShellCommands::InTrash(Model.FolderAt(Row)->FullPath() + Model.NameAt(Row)))
      Acting.push_back(ActingRow(Row));
  }
  return Acting;
}

TFilesCommands::TActing TFilesCommands::ActingRow(int Row) const
{
  const TFilesModel& Model = FList.Model();
  return {Model.FolderAt(Row), Model.NameAt(Row), Model.FolderBelowTop(Row) + Model.NameAt(Row), Model.Counted(Row)};
}

void TFilesCommands::NameObjects(const std::vector<TActing>& Acting)
{
  FPilot.MultiObjects().clear();
  if (Acting.size() == 1) {
    FPilot.SetFolder(Acting.front().Folder->FullPath());
    FPilot.SetObjectName(Acting.front().Name);
    return;
  }
  // Several rows may lie in several folders: each is named from the top.
  FPilot.SetFolder(FList.Folder()->FullPath());
  for (const TActing& Item : Acting)
    FPilot.MultiObjects().push_back(Item.Below);
}

void TFilesCommands::MouseUp(QPoint Point)
{
  QTableView* View = FList.View();
  const QModelIndex At = View->indexAt(Point);
  if (!At.isValid() || Foreign() || !TFolderTree::Editable(FList.Folder()))
    return;
  if (!View->selectionModel()->isRowSelected(At.row(), {}))
    View->selectRow(At.row());
  const std::vector<TActing> Acting = ActingRows();
  if (Acting.empty())
    return;
  // The shell's Rename edits the row here, not in the details list.
  auto Renaming = std::exchange(FPilot.OnRename, [View, Row = At.row()](TShellPilot*) {
    View->edit(View->model()->index(Row, TFilesSorter::skName));
  });
  QString Command;
  try {
    NameObjects(Acting);
    FPilot.ShowContextMenu(View->viewport()->mapToGlobal(Point), nullptr, Command);
  } catch (const EShellPilotError&) {
    FPilot.MultiObjects().clear();
  }
  FPilot.OnRename = std::move(Renaming);
  Deleted(Acting, FShell.TakeMoved());
}

bool TFilesCommands::KeyDown(QKeyEvent* Event)
{
  QTableView* View = FList.View();
  const QModelIndexList Selected = View->selectionModel()->selectedRows();
  if (Selected.isEmpty() || !View->hasFocus())
    return false;
  if (TShellCommands::IsMenuKey(Event)) {
    const QRect Box = View->visualRect(View->model()->index(Selected.first().row(), TFilesSorter::skName));
    MouseUp(QPoint(Box.right() - 4, Box.bottom() - 4));
    return true;
  }
  if (Event->matches(QKeySequence::Copy)) {
    CopyPaths();
    return true;
  }
  if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) {
    ShowFile(View->currentIndex().isValid() ? View->currentIndex().row() : Selected.first().row());
    return true;
  }
  if (Event->key() != Qt::Key_F2 && Event->key() != Qt::Key_Delete)
    return false;
  if (Foreign() || !TFolderTree::Editable(FList.Folder()))
    return true;
  if (Event->key() == Qt::Key_F2) {
    View->edit(View->model()->index(
      View->currentIndex().isValid() ? View->currentIndex().row() : Selected.first().row(), TFilesSorter::skName));
    return true;
  }
  const std::vector<TActing> Acting = ActingRows();
  if (Acting.empty())
    return true;
  try {
    NameObjects(Acting);
    FPilot.InvokeCommand(TShellCommands::RemovalVerb(Event));
  } catch (const EShellPilotError& Error) {
    // One of them is gone: removed by another program.
    FPilot.MultiObjects().clear();
    TPrompt::Warn(View, TShellCommands::RemovalTitle(Event), Error.Message());
  }
  Deleted(Acting, FShell.TakeMoved());
  return true;
}

void TFilesCommands::CopyPaths()
{
  const std::vector<TActing> Acting = ActingRows();
  if (Acting.empty())
    return;
  try {
    NameObjects(Acting);
    FPilot.InvokeCommand("copy");
  } catch (const EShellPilotError& Error) {
    FPilot.MultiObjects().clear();
    TPrompt::Warn(FList.View(), tr("Copy Path"), Error.Message());
  }
}

void TFilesCommands::Deleted(const std::vector<TActing>& Acting, const std::unordered_map<std::string, TTrashed>& Moved)
{
  // A partial failure still counts what went, and only that.
  std::map<TFolderNode*, std::vector<TFolderTree::TGoneFile>> Gone;
  for (const TActing& Item : Acting) {
    const std::string Path = Item.Folder->FullPath() + Item.Name;
    TFolderTree::TGoneFile File = Item.Listed;
    if (const auto Found = Moved.find(Path); Found != Moved.end()) {
      const TTrashed& Was = Found->second;
      File = {TFolderData::CountFile(Was.Size, Item.Folder->ClusterSize(), Was.DiskBytes), Was.Device, Was.Inode,
              Was.Links};
    } else if (!TShellCommands::Went(Moved, Path)) {
      continue;
    }
    const TFileCount Once = File.Count;
    File.Count = {};
    File.Count.Add(Once, FDriver.FSettings.Matches(Item.Name.c_str()));
    Gone[Item.Folder].push_back(File);
  }
  if (Gone.empty())
    return;
  {
    TWaitCursor Wait;
    for (const auto& [Folder, Files] : Gone) {
      FTree.RemoveGoneFiles(Folder, Files);
      FDriver.ListFilesAgain(Folder);
    }
  }
  // Totals and the free space everywhere are shown again, and the Trash
  // followed.
  FShell.OnTotalsChanged();
  FShell.FollowRemovals();
}

bool TFilesCommands::Rename(int Row, QString& Name)
{
  TFolderNode* Folder = FList.Model().FolderAt(Row);
  const std::string Old = FList.Model().NameAt(Row);
  if (Foreign() || !TFolderTree::Editable(Folder) || TShellCommands::InTrash(Folder->FullPath() + Old))
    return false;
  TWaitCursor Wait;
  try {
    FPilot.SetFolder(Folder->FullPath());
    FPilot.SetObjectName(Old);
    FPilot.RenameObject(Name);
  } catch (const EShellPilotError& Error) {
    // Taken before the message, whose loop may change the list and the tree.
    const TActing Acting = ActingRow(Row);
    const bool Went = TShellCommands::Went({}, Folder->FullPath() + Old);
    const uint64_t Removals = FTree.Removals();
    //: Title of a message box
    TPrompt::Warn(FList.View(), tr("Rename"), Error.Message());
    // Removed by another program: its row goes, once the edit has closed,
    // unless the tree let go of its folder meanwhile.
    if (Went)
      QMetaObject::invokeMethod(
        this,
        [this, Acting, Removals] {
          if (FTree.Removals() == Removals)
            Deleted({Acting}, {});
        },
        Qt::QueuedConnection);
    return false;
  }
  if (FPilot.ObjectName() == Old)
    return false;  // the shell said why
  // The folder's files with the new name; the list takes them when the
  // edit has closed.
  FDriver.ListFilesAgain(Folder);
  QMetaObject::invokeMethod(
    this, [this] { FList.Relist(); }, Qt::QueuedConnection);
  return true;
}

bool TFilesCommands::WriteCsv(std::FILE* Stream) const
{
  const TFilesModel& Model = FList.Model();
  const TFilesSnapshot* Files = Model.Files();
  std::vector<TTopFiles::TFile> Rows;
  Rows.reserve(size_t(Model.rowCount()));
  for (int Row = 0; Row < Model.rowCount(); ++Row) {
    const uint32_t Number = Model.NumberAt(Row);
    const size_t Slot = Files->SlotOf(Number);
    const TFilesSnapshot::TSlot& Place = Files->Slots()[Slot];
    const TFolderFiles::TFile& File = Files->File(Slot, Number);
    Rows.push_back({Place.Node->FullPath() + std::string(Place.Files->Name(Number - Place.First)), File.Size(),
                    Place.Files->Allocated(Number - Place.First, Place.ClusterSize),
                    FileTime::FromSeconds32(File.LastWrite), FileTime::FromSeconds32(File.LastAccess), 0, 0,
                    Place.Files->Links(Number - Place.First), uint8_t(File.Kind)});
  }
  return TCsvExport::WriteFiles(Stream, Rows);
}

void TFilesCommands::ExportClick()
{
  QWidget* View = FList.View();
  if (!FList.Model().Files() || FList.Busy()) {
    //: Title of a message box
    TPrompt::Warn(View, tr("Export"), tr("The files are still being sorted; export them once they are listed."));
    return;
  }
  //: Fills in "The %1 could not be saved to %2"
  const QString What = tr("files");
  TCsvFile::SaveAs(View, tr("Export the Files Listed"), "files.csv", What,
                   [this](std::FILE* Stream) { return WriteCsv(Stream); });
}

TRowsReport::TRows TFilesCommands::Report() const
{
  TRowsReport::TRows Rows;
  const TFilesModel& Model = FList.Model();
  //: After the program's name atop a printed report; keep the spaces
  Rows.Suffix = tr(" - Files   ");
  Rows.Third = TPathRules::Shown(FList.Folder() ? FList.Folder()->FullPath() : std::string());
  if (!FList.FilterText().isEmpty())
    Rows.Third += "   (" + FList.FilterText() + ")";
  //: Column header of a printed report
  Rows.FirstCaption = tr("Name");
  Rows.Captions = {tr("Size"),
                   //: Column header: the space taken on the disk
                   tr("Allocated"),
                   //: Column header: the number of names (hard links) of a file
                   tr("Links"), tr("Kind"), "", tr("Last Access"), tr("Last Change")};
  Rows.Count = Model.Files() ? Model.rowCount() : 0;
  Rows.Row = [&Model](int Row, QIcon& Icon, QString& Name, std::array<QString, 7>& Values) {
    // The list may have moved on while the pages were drawn.
    if (Row >= Model.rowCount()) {
      Icon = {};
      Name.clear();
      Values = {};
      return;
    }
    const auto Text = [&](int Column) { return Model.index(Row, Column).data().toString(); };
    Icon = Model.index(Row, TFilesSorter::skName).data(Qt::DecorationRole).value<QIcon>();
    // The name first: a line too long for its room loses the folder's end.
    Name = Text(TFilesSorter::skName) + "   " + Text(TFilesSorter::skFolder);
    const uint32_t Number = Model.NumberAt(Row);
    const int Kind = Model.Files()->File(Model.Files()->SlotOf(Number), Number).Kind;
    Values = {Text(TFilesSorter::skSize),
              Text(TFilesSorter::skAllocated),
              Text(TFilesSorter::skLinks),
              TFileClass::Word(Kind),
              QString(),
              Text(TFilesSorter::skLastAccess),
              Text(TFilesSorter::skLastChange)};
  };
  return Rows;
}
