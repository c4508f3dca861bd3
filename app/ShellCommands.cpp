// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ShellCommands.h"

#include "fs/PathRules.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "shell/ShellPilot.h"
#include "shell/ShellPilotError.h"
#include "shell/Trash.h"
#include "shell/WaitCursor.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ValueDisplay.h"

#include <QKeyEvent>
#include <QMenu>

#include <algorithm>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// A folder's path as an object of its parent: without the final "/".
std::string ObjectPath(const TFolderData* Record)
{
  std::string Path = Record->FullPath();
  if (Path.size() > 1 && Path.back() == '/')
    Path.pop_back();
  return Path;
}

}  // namespace

bool TShellCommands::Went(const TMoved& Moved, const std::string& Path)
{
  struct stat Data;
  return Moved.contains(Path) || (lstat(Path.c_str(), &Data) != 0 && errno == ENOENT);
}

QString TShellCommands::RemovalVerb(const QKeyEvent* Event)
{
  return Event->modifiers() & Qt::ShiftModifier ? "deletepermanently" : "delete";
}

QString TShellCommands::RemovalTitle(const QKeyEvent* Event)
{
  return Event->modifiers() & Qt::ShiftModifier ? tr("Delete Permanently") : tr("Move to Trash");
}

bool TShellCommands::IsMenuKey(const QKeyEvent* Event)
{
  return (Event->key() == Qt::Key_F10 && Event->modifiers() == Qt::ShiftModifier) || Event->key() == Qt::Key_Menu;
}

TShellCommands::TShellCommands(TShellPilot& Pilot, TFolderTree& Tree, TFolderModel& Model, TFolderTreeView* View,
                               TDetailsList* List, TValueDisplay& Display)
  : FPilot(Pilot), FTree(Tree), FModel(Model), FView(View), FList(List), FDisplay(Display)
{
  FPilot.OnFolderTotals = [this](const std::string& Path) { return FolderTotals(Path); };
  FModel.OnRename = [this](TFolderNode* Node, QString& Name) { return TreeRename(Node, Name); };
  FList->Model().OnRename = [this](int Row, QString& Name) { return ListRename(Row, Name); };
  FPilot.OnRename = [this](TShellPilot*) { ShellPilotRename(); };
  FPilot.OnTrashed = [this](const TTrashed& Moved) {
    // Deleted for good, it went to no Trash.
    if (!Moved.Trash.empty() && (FTrashes.empty() || FTrashes.back() != Moved.Trash))
      FTrashes.push_back(Moved.Trash);
    FMoved.emplace(Moved.Path, Moved);
  };
  FPilot.OnPartlyRemoved = [this](const std::string& Folder) { FPartly.push_back(Folder); };
  FPilot.OnSpaceTaken = [this](const std::string& Path) -> std::optional<uint64_t> {
    const TFolderNode* Folder = FTree.DeepestAt(Path);
    if (Folder && Folder->FullPath() == TPathRules::WithSeparator(Path))
      return Folder->AllocatedBytes();
    return std::nullopt;
  };
  // Editing starts by F2 or the menus only: a double click opens.
  FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QList<QPair<QString, QString>> TShellCommands::FolderTotals(const std::string& Path) const
{
  QList<QPair<QString, QString>> Rows;
  const TFolderNode* Current = FView->CurrentFolder();
  if (!Current)
    return Rows;
  std::vector<const TFolderNode*> Candidates{Current};
  Candidates.insert(Candidates.end(), Current->Children().begin(), Current->Children().end());
  const std::string Folder = TPathRules::WithSeparator(Path);
  for (const TFolderNode* Node : Candidates)
    if (!Node->FIsFiles && Node->FullPath() == Folder) {
      Rows.append({tr("Spacelens size"), FDisplay.FormatValue(Node, vtSize, false)});
      //: A folder's property: the space its files take on the disk
      Rows.append({tr("Allocated"), FDisplay.FormatValue(Node, vtAllocated, false)});
      //: A folder's property: the space lost to partly filled clusters
      Rows.append({tr("Wasted"), FDisplay.FormatValue(Node, vtWasted, false)});
      Rows.append({tr("Objects"), QString::number(Node->FObjects.Load())});
      break;
    }
  return Rows;
}

bool TShellCommands::InTrash(const std::string& Path)
{
  const std::string Home = TPathRules::WithSeparator(TTrash::HomeTrash());
  if (Path.starts_with(Home) || TPathRules::WithSeparator(Path) == Home)
    return true;
  // A mounted file system's own Trash folders, "/.Trash/UID" and "/.Trash-UID".
  const std::string Own = "/.Trash-" + std::to_string(getuid());
  const std::string Shared = "/.Trash";
  return Path.find(Own + "/") != std::string::npos || Path.ends_with(Own)
    || Path.find(Shared + "/") != std::string::npos || Path.ends_with(Shared);
}

// ---- Tree ---------------------------------------------------------------------

bool TShellCommands::Foreign(const TFolderNode* Node, QWidget* Parent)
{
  const TRoot* Root = Node ? Node->Root() : nullptr;
  if (!Root || !Root->AsAdministrator())
    return Elsewhere(Node, Parent);
  if (Parent)
    TPrompt::Inform(Parent, tr("Scan as Administrator"),
                    tr("This folder was read by the administrator. Spacelens runs as you: it opens these files as "
                       "you, but does not rename them, move them to the Trash or scan part of them again. Update "
                       "scans the folder as the administrator again."));
  return true;
}

bool TShellCommands::Elsewhere(const TFolderNode* Node, QWidget* Parent)
{
  const TRoot* Root = Node ? Node->Root() : nullptr;
  if (!Root || !Root->Imported() || Root->AsAdministrator())
    return false;
  if (Parent && Root->Remote())
    TPrompt::Inform(
      Parent, tr("Remote Scan"),
      tr("These files are on %1; Spacelens acts only on local files. Update reads the folder from there again.")
        .arg(ShownSource(*Root).section(':', 0, 0)));
  else if (Parent)
    TPrompt::Inform(Parent, tr("Imported Scan"),
                    tr("This scan was imported from %1. Its files are on the computer where it was made, so they "
                       "cannot be opened, renamed, moved to the Trash or scanned again from here.")
                      .arg(ShownSource(*Root)));
  return true;
}

void TShellCommands::TreeMouseUp(QPoint Point)
{
  TFolderNode* Node = TFolderModel::NodeOf(FView->indexAt(Point));
  if (OnCurrentNode)
    OnCurrentNode(Node);
  if (!Node || Node->FIsFiles)
    return;
  const QPoint Global = FView->viewport()->mapToGlobal(Point);
  if (!Node->Parent()) {
    FRootPopup->exec(Global);
    return;
  }
  // A branch being scanned or imported, or the Trash's own entries, get the
  // program's items only.
  const std::string Path = ObjectPath(Node);
  if (!TFolderTree::Editable(Node) || InTrash(Path) || Foreign(Node)) {
    FPartPopup->exec(Global);
    return;
  }
  QString Command;
  try {
    FPilot.SetObjectName(Path);
    FPilot.ShowContextMenu(Global, FPartPopup, Command);
  } catch (const EShellPilotError&) {
    // Gone from the disk: what the program itself offers still works.
    FPartPopup->exec(Global);
    return;
  }
  // Whatever was chosen: a folder gone now leaves the tree.
  if (Went(TakeMoved(), Path) && FTree.FreeNode(Node, true) && OnTotalsChanged)
    OnTotalsChanged();
  FollowRemovals();
}

void TShellCommands::FollowRemovals()
{
  const auto CountAgain = [this](std::vector<std::string>& Paths, const QString& Why) {
    std::sort(Paths.begin(), Paths.end());
    Paths.erase(std::unique(Paths.begin(), Paths.end()), Paths.end());
    for (const std::string& Path : std::exchange(Paths, {}))
      if (TFolderNode* Folder = FTree.DeepestAt(Path); Folder && TFolderTree::Editable(Folder) && OnCountAgain)
        OnCountAgain(Folder, Why);
  };
  CountAgain(FTrashes, tr("What went to the Trash still takes its space there, until the Trash is emptied."));
  CountAgain(FPartly, tr("Some of what was to be deleted stays: it is counted again."));
}

void TShellCommands::StartTreeEdit(TFolderNode* Node)
{
  // The Trash's entries keep their names: their restore records name them.
  const QModelIndex Index = FModel.IndexOf(Node);
  if ((FModel.flags(Index) & Qt::ItemIsEditable) && !InTrash(ObjectPath(Node)))
    FView->edit(Index);
}

bool TShellCommands::TreeKeyDown(QKeyEvent* Event)
{
  if (OnTreeKey)
    OnTreeKey();
  TFolderNode* Node = FView->CurrentFolder();
  // Keys an editor passes on are not the tree's.
  if (!Node || !FView->hasFocus())
    return false;
  if (IsMenuKey(Event)) {
    const QRect Box = FView->visualRect(FModel.IndexOf(Node));
    TreeMouseUp(QPoint(Box.right() - 4, Box.bottom() - 4));
    return true;
  }
  if (!Node->Parent() || Node->FIsFiles)
    return false;
  if ((Event->key() == Qt::Key_F2 || Event->key() == Qt::Key_Delete) && Foreign(Node, FView))
    return true;
  if (Event->key() == Qt::Key_F2) {
    StartTreeEdit(Node);
    return true;
  }
  if (Event->key() == Qt::Key_Delete) {
    const std::string Path = ObjectPath(Node);
    if (!TFolderTree::Editable(Node) || InTrash(Path))
      return true;
    try {
      FPilot.SetObjectName(Path);
      FPilot.InvokeCommand(RemovalVerb(Event));
    } catch (const EShellPilotError& Error) {
      TPrompt::Warn(FView, RemovalTitle(Event), Error.Message());
    }
    // Gone, whoever removed it: it leaves the tree.
    if (Went(TakeMoved(), Path) && FTree.FreeNode(Node, true) && OnTotalsChanged)
      OnTotalsChanged();
    FollowRemovals();
    return true;
  }
  return false;
}

bool TShellCommands::TreeRename(TFolderNode* Node, QString& Name)
{
  if (InTrash(ObjectPath(Node)))
    return false;
  TWaitCursor Wait;
  try {
    FPilot.SetObjectName(ObjectPath(Node));
    FPilot.RenameObject(Name);
  } catch (const EShellPilotError& Error) {
    //: Title of a message box
    TPrompt::Warn(FView, tr("Rename"), Error.Message());
    return false;
  }
  // The folder may show another name than its own (a mount point's
  // label): its own name is what the disk now has. Unchanged, it failed.
  if (FPilot.ObjectName() == Node->Name())
    return false;
  FTree.Rename(Node, FPilot.ObjectName());
  FList->Model().RefreshCaption(Node);  // its row, when the list shows its parent
  return true;
}

void TShellCommands::openClick(TFolderNode* Node, int Tag)
{
  if (!Node || Elsewhere(Node, FView))
    return;
  try {
    FPilot.SetObjectName(ObjectPath(Node));
    FPilot.InvokeCommand(Tag == 2 ? "explore" : "default");
  } catch (const EShellPilotError& Error) {
    //: Title of a message box
    TPrompt::Warn(FView, tr("Open"), Error.Message());
  }
}

void TShellCommands::Properties1Click(TFolderNode* Node)
{
  if (!Node || Elsewhere(Node, FView))
    return;
  try {
    FPilot.SetFolder(Node->FullPath());
    FPilot.SelectFolderAsObject();
    FPilot.InvokeCommand("properties");
  } catch (const EShellPilotError& Error) {
    TPrompt::Warn(FView, tr("Properties"), Error.Message());
  }
}

// ---- List ---------------------------------------------------------------------

std::vector<TShellCommands::TActing> TShellCommands::ActingRows()
{
  TListModel& Model = FList->Model();
  const std::string Folder = Model.Folder()->FullPath();
  std::vector<TActing> Acting;
  for (const QModelIndex& Index : FList->selectionModel()->selectedRows()) {
    const int Row = Index.row();
    const TFolderData* Record = Model.Record(Row);
    if (Model.IsTop(Row) || Model.IsGone(Row)) {
      FList->selectionModel()->select(Index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
      continue;
    }
    // The folder is in no Trash (the callers see to that), so a row is in
    // one only as a Trash folder itself, which its name shows: the others
    // skip the full check, which costs much on thousands of rows.
    std::string Name = Record->Name();
    if (Name.find("Trash") == std::string::npos || !InTrash(Folder + Name))
      Acting.push_back({std::move(Name), Model.IsFolder(Row), Record->Counts(), Record, Row});
  }
  std::sort(Acting.begin(), Acting.end(), [](const TActing& A, const TActing& B) { return A.Row < B.Row; });
  return Acting;
}

void TShellCommands::NameObjects(TFolderNode* Folder, const std::vector<TActing>& Acting)
{
  FPilot.MultiObjects().clear();
  FPilot.SetFolder(Folder->FullPath());
  // One row is an object of its own, which can also be renamed.
  if (Acting.size() == 1)
    FPilot.SetObjectName(Acting.front().Name);
  else
    for (const TActing& Item : Acting)
      FPilot.MultiObjects().push_back(Item.Name);
}

void TShellCommands::ListMouseUp(QPoint Point)
{
  TListModel& Model = FList->Model();
  TFolderNode* Folder = Model.Folder();
  const QModelIndex At = FList->indexAt(Point);
  if (!Folder || !At.isValid() || Model.IsTop(At.row()) || InTrash(Folder->FullPath()) || !TFolderTree::Editable(Folder)
      || Foreign(Folder))
    return;
  if (!FList->selectionModel()->isRowSelected(At.row(), {}))
    FList->selectRow(At.row());
  const std::vector<TActing> Acting = ActingRows();
  if (Acting.empty())
    return;
  QString Command;
  try {
    NameObjects(Folder, Acting);
    FPilot.ShowContextMenu(FList->viewport()->mapToGlobal(Point), nullptr, Command);
  } catch (const EShellPilotError&) {
    FPilot.MultiObjects().clear();
    return;
  }
  // Whatever was chosen: what is gone now (all or part of a move to the
  // Trash) is taken out.
  ListDeleted(Folder, Acting);
  FollowRemovals();
}

bool TShellCommands::ListKeyDown(QKeyEvent* Event)
{
  TListModel& Model = FList->Model();
  TFolderNode* Folder = Model.Folder();
  const QModelIndexList Selected = FList->selectionModel()->selectedRows();
  // Keys an editor passes on are not the list's.
  if (!Folder || Selected.isEmpty() || !FList->hasFocus())
    return false;
  if (IsMenuKey(Event)) {
    const QRect Box = FList->visualRect(Model.index(Selected.first().row(), TListModel::lcName));
    ListMouseUp(QPoint(Box.right() - 4, Box.bottom() - 4));
    return true;
  }
  const bool Acts = Event->key() == Qt::Key_F2 || Event->key() == Qt::Key_Delete;
  if (Acts && Foreign(Folder, FList))
    return true;
  if (Event->key() == Qt::Key_F2) {
    FList->edit(Model.index(FList->currentIndex().isValid() ? FList->currentIndex().row() : Selected.first().row(),
                            TListModel::lcName));
    return true;
  }
  if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) && !(Event->modifiers() & Qt::AltModifier)) {
    ListDblClick();
    return true;
  }
  if (Event->key() != Qt::Key_Delete)
    return false;
  if (InTrash(Folder->FullPath()) || !TFolderTree::Editable(Folder))
    return true;
  const std::vector<TActing> Acting = ActingRows();
  if (Acting.empty())
    return true;
  try {
    NameObjects(Folder, Acting);
    FPilot.InvokeCommand(RemovalVerb(Event));
  } catch (const EShellPilotError& Error) {
    FPilot.MultiObjects().clear();
    TPrompt::Warn(FList, RemovalTitle(Event), Error.Message());
  }
  ListDeleted(Folder, Acting);
  FollowRemovals();
  return true;
}

void TShellCommands::ListDeleted(TFolderNode* Folder, const std::vector<TActing>& Acting)
{
  TListModel& Model = FList->Model();
  // Each object is looked for, so that a partial failure still counts what
  // went and only that.
  const TMoved Moved = TakeMoved();
  const std::string Path = Folder->FullPath();
  std::set<std::string> FolderNames;
  std::vector<const TFolderData*> Files;
  std::vector<TFolderTree::TGoneFile> GoneFiles;
  for (const TActing& Item : Acting) {
    const std::string Object = Path + Item.Name;
    if (!Went(Moved, Object))
      continue;
    if (Item.Folder) {
      FolderNames.insert(Item.Name);
      continue;
    }
    // A file that went otherwise than to the Trash counts as one name.
    TFolderTree::TGoneFile File{Item.Count};
    if (const auto Found = Moved.find(Object); Found != Moved.end())
      File = {Item.Count, Found->second.Device, Found->second.Inode, Found->second.Links};
    Files.push_back(Item.Record);
    GoneFiles.push_back(File);
  }
  std::vector<TFolderNode*> Folders;
  if (!FolderNames.empty())
    for (TFolderNode* Child : Folder->Children())
      if (!Child->FIsFiles && FolderNames.contains(Child->Name()))
        Folders.push_back(Child);
  if (Folders.empty() && Files.empty())
    return;
  {
    TWaitCursor Wait;
    // The rows of folders leave the list as their nodes leave the tree.
    for (TFolderNode* Node : Folders)
      FTree.FreeNode(Node, true);
    if (!Files.empty()) {
      FTree.RemoveGoneFiles(Folder, GoneFiles);
      if (Model.Folder() == Folder)
        Model.DropRecords(Files);
    }
  }
  if (OnTotalsChanged)
    OnTotalsChanged();
  if (const int First = Acting.front().Row; Model.Folder() == Folder && First < Model.rowCount())
    FList->selectRow(First);
}

void TShellCommands::ListDblClick()
{
  TListModel& Model = FList->Model();
  TFolderNode* Folder = Model.Folder();
  const QModelIndex Current = FList->currentIndex();
  if (!Folder || !Current.isValid() || Model.IsTop(Current.row()) || Model.IsGone(Current.row()))
    return;
  TFolderData* Record = Model.Record(Current.row());
  if (Model.IsFolder(Current.row())) {
    auto* Child = static_cast<TFolderNode*>(Record);
    FView->Expand(Folder);
    FView->setCurrentIndex(FModel.IndexOf(Child));
    return;
  }
  if (InTrash(Folder->FullPath()) || Elsewhere(Folder, FList))
    return;
  try {
    FPilot.SetFolder(Folder->FullPath());
    FPilot.SetObjectName(Record->Name());
    FPilot.InvokeCommand("default");
  } catch (const EShellPilotError& Error) {
    TPrompt::Warn(FList, tr("Open"), Error.Message());
  }
}

bool TShellCommands::ListRename(int Row, QString& Name)
{
  TListModel& Model = FList->Model();
  TFolderNode* Folder = Model.Folder();
  TFolderData* Record = Model.Record(Row);
  if (!Folder || !TFolderTree::Editable(Folder) || InTrash(Folder->FullPath() + Record->Name()))
    return false;
  // The record is looked for again after the shell's messages, during which
  // the list may change.
  const std::string Old = Record->Name();
  TWaitCursor Wait;
  try {
    FPilot.SetFolder(Folder->FullPath());
    FPilot.SetObjectName(Record->Name());
    FPilot.RenameObject(Name);
  } catch (const EShellPilotError& Error) {
    TPrompt::Warn(FList, tr("Rename"), Error.Message());
    return false;
  }
  if (FPilot.ObjectName() == Old || Model.Folder() != Folder || Model.RowOf(Record) != Row)
    return false;  // the shell said why, or the list moved on
  if (Model.IsFolder(Row))
    FTree.Rename(static_cast<TFolderNode*>(Record), FPilot.ObjectName());
  else
    Record->SetName(FPilot.ObjectName());
  return true;
}

void TShellCommands::ShellPilotRename()
{
  if (FList->hasFocus() && FList->currentIndex().isValid()) {
    FList->edit(FList->Model().index(FList->currentIndex().row(), TListModel::lcName));
    return;
  }
  if (FView->hasFocus())
    if (TFolderNode* Node = FView->CurrentFolder())
      StartTreeEdit(Node);
}
