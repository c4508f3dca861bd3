// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RootCommands.h"

#include "app/EmptyTrash.h"
#include "app/ErrorBox.h"
#include "app/ShellCommands.h"
#include "app/TreeCommands.h"
#include "app/WindowSettings.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "remote/AdminStream.h"
#include "remote/RemoteAddress.h"
#include "remote/RemoteStream.h"
#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "scan/SlicedRead.h"
#include "shell/MRUList.h"
#include "shell/ShellPilot.h"
#include "shell/WaitCursor.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ScanProgress.h"
#include "view/StatusPanels.h"
#include "view/ValueDisplay.h"
#include "widgets/DriveBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QStatusBar>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <optional>
#include <sys/stat.h>

TRootCommands::TRootCommands(QWidget* Window, const TParts& Parts) : FWindow(Window), F(Parts)
{
  F.Driver.SetListener(this);
  FDrainTimer.setInterval(100);
  F.Errors.OnAdministrator = [this](const QStringList& Folders) {
    for (const QString& Folder : Folders)
      ScanAsAdministrator(Folder.toLocal8Bit().toStdString());
  };
  QObject::connect(&FDrainTimer, &QTimer::timeout, [this] { DrainScans(); });
}

bool TRootCommands::StartScan(const std::string& Path, int* Failure)
{
  const std::string Folder = TPathRules::Absolute(Path);
  if (Folder.empty())
    return false;
  // The rescanned root's nodes go away: its top node becomes current first,
  // and what was open and selected is opened again when the scan ends.
  // A root that does not hold the selection leaves it where it is.
  const TRoot* Existing = F.Driver.FindRoot(Folder);
  std::optional<TTreeCommands::TTreeState> Saved;
  if (Existing)
    Saved = F.Commands.BeforeRescan(Existing, FCurrent());
  if (Saved && Saved->FHasCurrent)
    OnCurrent(Existing->FNode);
  // A scan ended by its own restart is not one the user stopped.
  FRestarting = Existing && Existing->Scanning();
  F.Display.ForgetMountNames();
  TRoot* Root = F.Driver.StartScan(Folder, Failure);
  FRestarting = false;
  if (!Root)
    return false;
  if (Saved)
    F.Commands.KeepState(Root, std::move(*Saved));
  Root->FNode->FBold = F.Display.FBoldFactor < 100;
  Root->FNode->FImageIndex = -1;
  if (!Saved || Saved->FHasCurrent) {
    OnCurrent(Root->FNode);
    // The next keys are for the tree, not for the path box they came from.
    OnFocusTree();
  }
  F.Recent.AddItem(Root->FPath);
  OnCaption();
  Started();
  return true;
}

bool TRootCommands::RemoveRoot(TRoot* Root)
{
  TWaitCursor Wait;
  F.Commands.KeepState(Root, {});
  const bool WasHead = F.Driver.RemoveRoot(Root);
  // The tree selects a neighbouring root by itself; it becomes current.
  OnCurrent(FSelected());
  OnStatus(true);
  return WasHead;
}

void TRootCommands::ScanFailed(int Code, const std::string& Path)
{
  F.Errors.Report(Code, TPathRules::Shown(Path));
  // What this user may not read, the administrator may: the window offers
  // to scan its root again so.
  if (Code != EACCES)
    return;
  for (const TRoot* Root = F.Driver.Roots(); Root; Root = Root->FNext)
    if (!Root->Imported() && TPathRules::WithSeparator(Path).starts_with(Root->FPath))
      F.Errors.OfferAdministrator(QString::fromLocal8Bit(Root->FPath));
}

void TRootCommands::ScanProgress(TRoot* Root)
{
  F.Commands.ScanStep(Root->FNode, F.Driver.Roots() == Root && !Root->FNext);
}

void TRootCommands::ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted)
{
  OnStatus(true);
  if (!FRestarting)
    F.Progress.Ended(Counted, Stopped);
  // An export that broke off: what came stays, and the window tells why.
  const QString Why = QString::fromLocal8Bit(Root->FIncomplete);
  if (!Why.isEmpty() && Root->FNode->FObjects.Load() == 0) {
    // Nothing came: no root is left of it, only the reason.
    F.Errors.Report(tr("Cannot read %1: %2").arg(ShownSource(*Root), Why));
    QTimer::singleShot(0, FWindow, [this, Root] {
      for (TRoot* Still = F.Driver.Roots(); Still; Still = Still->FNext)
        if (Still == Root && !Root->Scanning() && Root->FNode->FObjects.Load() == 0) {
          RemoveRoot(Root);
          return;
        }
    });
    return;
  }
  if (!Why.isEmpty())
    F.Errors.Report(tr("%1 is incomplete: %2").arg(ShownSource(*Root), Why));
  // An export remembered whole, as a scan of this machine is.
  else if (!Stopped && F.Settings.FHistoryKeep > 0)
    Remember(Root);
  // What was selected before a rescan, unless another folder was chosen since.
  if (TFolderNode* Current = F.Commands.ScanFinished(Root, Stopped); Current && FCurrent() == Root->FNode)
    OnCurrent(Current);
}

void TRootCommands::Remember(const TRoot* Root)
{
  const TFolderTree* Tree = &F.Driver.Tree();
  const int64_t Time = std::time(nullptr);
  const std::string Name = THistoryStore::RootOf(*Root);
  // Scanned elsewhere: on the machine its address names, or on one unknown.
  const std::optional<std::string> Host = !Root->Imported() || Root->AsAdministrator() ? std::nullopt
    : Root->Remote() ? std::optional(Root->FPath.substr(0, Root->FPath.find(':')))
                     : std::optional(std::string());
  FRemembered[Name] = Time;
  FHistory.Start([this, Tree, Top = Root->FNode, Removals = Tree->Removals(), Store = F.Settings.History(),
                  Options = TSnapshotCompare::OptionsOf(F.Driver.FSettings), Time, Name,
                  Host](const TLatestJob::TStop&) mutable -> std::function<void()> {
    if (!Store.Usable())
      return {};
    TFolderSnapshot::THeader Header;
    {
      TSlicedRead Read(Tree, Removals);
      if (!Read.Valid())
        return {};  // the root was removed meanwhile
      Header = TFolderSnapshot::HeaderOf(Top, Options, Time);
    }
    Header.Root = Name;
    if (Host)
      Header.Host = *Host;
    // Written as the tree is walked; nothing when the root goes meanwhile.
    bool Removed = false;
    std::string Error, Warning;
    const bool Kept = Store.Remember(
      Header,
      [&](std::FILE* Stream) {
        Removed = !TFolderSnapshot::Write(Stream, Header, Top, Tree, Removals) && errno == EAGAIN;
        return !Removed && !std::ferror(Stream);
      },
      Error, &Warning);
    const QString Told = Kept ? QString::fromLocal8Bit(Warning.c_str())
                              : tr("The scan is not remembered: %1").arg(QString::fromLocal8Bit(Error.c_str()));
    if (Removed || Told.isEmpty())
      return {};
    return [this, Told] { OnMessage(Told); };
  });
}

int64_t TRootCommands::RememberedAt(const std::string& Path) const
{
  const auto Found = FRemembered.find(Path);
  return Found == FRemembered.end() ? 0 : Found->second;
}

void TRootCommands::DrainScans()
{
  // A slice of each tick, so the window stays responsive however much the
  // workers found since the last one.
  F.Driver.Drain(std::chrono::steady_clock::now() + std::chrono::milliseconds(15));
  F.Model.FlushChanges();
  if (F.Driver.Scanning()) {
    F.Progress.Show(F.Driver.Progress());
  } else {
    FDrainTimer.stop();
    F.Progress.AllEnded();
  }
  if (const TFolderNode* Selected = FSelected(); Selected && Selected->Root()->Scanning() && FCurrent())
    F.Panels.ShowObjects(FCurrent());
}

void TRootCommands::FileOpen()
{
  if (!F.Pilot.BrowseForFolder(""))
    return;
  if (F.Pilot.FolderSpecialKind() == TShellPilot::skComputer)
    ScanAllDrivesClick();
  else
    StartScan(F.Pilot.Folder());
}

void TRootCommands::ScanbuttonClick()
{
  const std::string Typed = F.DriveBox.Path();
  if (TRemoteAddress::Looks(Typed)) {
    ScanRemote(Typed);
    return;
  }
  if (!ScanOrTell(Typed))
    return;
  if (const TRoot* Root = F.Driver.FindRoot(TPathRules::WithSeparator(TPathRules::Absolute(Typed))))
    F.DriveBox.Scanned(Root->FPath);
}

bool TRootCommands::ScanOrTell(const std::string& Path)
{
  int Failure = ENOENT;
  if (StartScan(Path, &Failure))
    return true;
  F.Errors.Report(TPathRules::Shown(TScanDriver::StartFailure(Failure, Path)));
  if (Failure == EACCES)
    F.Errors.OfferAdministrator(QString::fromLocal8Bit(TPathRules::Absolute(Path)));
  return false;
}

void TRootCommands::ScanAllDrivesClick()
{
  for (const std::string& Drive : LogicalDrives())
    StartScan(Drive);
}

void TRootCommands::UpdateClick()
{
  std::vector<std::string> Places;
  for (TRoot* Root = F.Driver.Roots(); Root; Root = Root->FNext)
    if (Root->Remote() || Root->AsAdministrator())
      Places.push_back(Root->FSource);
    else if (!Root->Imported())
      Places.push_back(Root->FPath);
  for (const std::string& Place : Places)
    Update(Place);
}

void TRootCommands::Update(const std::string& Place)
{
  // "admin:/path" would read as a machine's folder too.
  if (Place.starts_with(AdministratorSource))
    ScanAsAdministrator(Place.substr(std::strlen(AdministratorSource)));
  else if (TRemoteAddress::Looks(Place))
    ScanRemote(Place);
  else
    StartScan(Place);
}

void TRootCommands::Update1Click()
{
  OnFocusTree();
  // A folder on another machine is read from there again, one the
  // administrator read by the administrator.
  if (TFolderNode* Node = FCurrent(); Node && (Node->Root()->Remote() || Node->Root()->AsAdministrator()))
    Update(Node->Root()->FSource);
  else if (Node && !TShellCommands::Foreign(Node, FWindow))
    StartScan(Node->Root()->FPath);
}

void TRootCommands::UpdateBranch1Click()
{
  if (FCurrent() && !TShellCommands::Foreign(FCurrent(), FWindow))
    UpdateBranch(FCurrent());
}

bool TRootCommands::UpdateBranch(TFolderNode* Node)
{
  if (!F.Driver.UpdateBranch(Node))
    return false;
  F.Display.ForgetMountNames();
  Started();
  return true;
}

void TRootCommands::StopButtonClick()
{
  if (TFolderNode* Node = FSelected())
    F.Driver.Stop(Node->Root());
}

void TRootCommands::EmptyTrashClick()
{
  std::vector<std::string> Drives;
  for (const TRoot* Root = F.Driver.Roots(); Root; Root = Root->FNext)
    if (!Root->Imported() && !Root->FDrive.empty())
      Drives.push_back(Root->FDrive);
  for (const std::string& Trash : TEmptyTrash::Run(FWindow, Drives))
    if (TFolderNode* Folder = F.Driver.Tree().DeepestAt(Trash); Folder && TFolderTree::Editable(Folder))
      UpdateBranch(Folder);
  F.Panels.ForgetFreeSpace();
}

void TRootCommands::RemoveClick()
{
  TFolderNode* Node = FSelected();
  OnCurrent(nullptr);
  if (Node)
    RemoveRoot(Node->Root());
}

void TRootCommands::RemoveFolderMenuItemClick()
{
  if (TFolderNode* Node = FSelected()) {
    TWaitCursor Wait;
    F.Driver.PruneSmallFolders(Node, F.Display.FShowType, F.Commands.FMinimumExpandSize);
  }
}

bool TRootCommands::Open(const std::string& Place)
{
  if (TRemoteAddress::Looks(Place))
    return ScanRemote(Place);
  struct stat Data;
  if (Place == "-" || (stat(Place.c_str(), &Data) == 0 && (S_ISREG(Data.st_mode) || S_ISFIFO(Data.st_mode)))) {
    Import(Place);
    return true;
  }
  return ScanOrTell(Place);
}

void TRootCommands::Import(const std::string& Source)
{
  Show(F.Driver.StartImport(Source), Source == "-" ? std::string() : TPathRules::Absolute(Source));
}

bool TRootCommands::ScanRemote(const std::string& Text)
{
  TRemoteAddress Address;
  std::string Problem;
  if (!Address.Parse(Text, Problem)) {
    F.Errors.Report(QString::fromLocal8Bit(Text + ": " + Problem));
    return false;
  }
  // SSH asks its questions (a password, a new host's key) through this
  // program, in a window.
  auto Stream =
    std::make_unique<TRemoteStream>(Address, QCoreApplication::applicationFilePath().toLocal8Bit().toStdString());
  Show(F.Driver.StartImport(Address.Url(), std::move(Stream), Address.Name()), Address.Url());
  return true;
}

void TRootCommands::ScanAsAdministrator(const std::string& Path)
{
  const std::string Folder = TPathRules::Absolute(Path);
  auto Stream =
    std::make_unique<TAdminStream>(Folder, QCoreApplication::applicationFilePath().toLocal8Bit().toStdString());
  Show(F.Driver.StartImport(AdministratorSource + Folder, std::move(Stream), Folder), {});
}

void TRootCommands::ScanAsAdministratorClick()
{
  const TFolderNode* Node = FCurrent();
  const QString Start = Node ? QString::fromLocal8Bit(Node->Root()->FNode->FullPath()) : QDir::rootPath();
  const QString Chosen = QFileDialog::getExistingDirectory(FWindow, tr("Scan as Administrator"), Start);
  if (!Chosen.isEmpty())
    ScanAsAdministrator(Chosen.toLocal8Bit().toStdString());
}

void TRootCommands::Show(TRoot* Root, const std::string& Recent)
{
  Root->FNode->FBold = F.Display.FBoldFactor < 100;
  OnCurrent(Root->FNode);
  OnFocusTree();
  if (!Recent.empty())
    F.Recent.AddItem(Recent);
  OnCaption();
  Started();
}

void TRootCommands::ImportScanClick()
{
  const QString Name =
    QFileDialog::getOpenFileName(FWindow, tr("Import Scan"), {},
                                 //: File types of a file dialog: keep the patterns in brackets and the ;;
                                 tr("Scans exported by ncdu, gdu or Spacelens (*.json);;All files (*)"));
  if (!Name.isEmpty())
    Import(Name.toLocal8Bit().toStdString());
}

void TRootCommands::ScanRemoteClick()
{
  bool Chosen = false;
  const QString Typed = QInputDialog::getText(FWindow, tr("Scan Remote"),
                                              tr("A folder on another machine, reached over SSH:\n"
                                                 "ssh://[user@]host[:port]/path or [user@]host:/path\n\n"
                                                 "The machine scans it with Spacelens, ncdu or gdu, whichever it has."),
                                              QLineEdit::Normal, FLastRemote, &Chosen);
  if (!Chosen || Typed.trimmed().isEmpty())
    return;
  FLastRemote = Typed.trimmed();
  ScanRemote(FLastRemote.toLocal8Bit().toStdString());
}

void TRootCommands::Started()
{
  F.Progress.Started();
  FDrainTimer.start();
  OnStatus(false);
}
