// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RootCommands.h"

#include "app/ErrorBox.h"
#include "app/MainForm.h"
#include "app/ShellCommands.h"
#include "app/TreeCommands.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "fs/WorkerThread.h"
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "remote/RemoteAddress.h"
#include "remote/RemoteStream.h"
#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
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
#include <QFileDialog>
#include <QInputDialog>
#include <QStatusBar>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <optional>
#include <sys/stat.h>

TRootCommands::TRootCommands(TMainForm& Form, TScanProgress& Progress, TStatusPanels& Panels, TErrorBox& Errors)
  : FForm(Form), FProgress(Progress), FPanels(Panels), FErrors(Errors)
{
  FHistory.setMaxThreadCount(1);
  FForm.Driver().SetListener(this);
  FDrainTimer.setInterval(100);
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
  const TRoot* Existing = FForm.Driver().FindRoot(Folder);
  std::optional<TTreeCommands::TTreeState> Saved;
  if (Existing)
    Saved = FForm.Commands().BeforeRescan(Existing, FForm.CurrentNode());
  if (Saved && Saved->FHasCurrent)
    FForm.SetCurrentNode(Existing->FNode);
  // A scan ended by its own restart is not one the user stopped.
  FRestarting = Existing && Existing->Scanning();
  FForm.Display().ForgetMountNames();
  TRoot* Root = FForm.Driver().StartScan(Folder, Failure);
  FRestarting = false;
  if (!Root)
    return false;
  if (Saved)
    FForm.Commands().KeepState(Root, std::move(*Saved));
  Root->FNode->FBold = FForm.Display().FBoldFactor < 100;
  Root->FNode->FImageIndex = -1;
  if (!Saved || Saved->FHasCurrent) {
    FForm.SetCurrentNode(Root->FNode);
    // The next keys are for the tree, not for the path box they came from.
    FForm.TreeView()->setFocus();
  }
  FForm.Recent().AddItem(Root->FPath);
  FForm.RefreshCaption();
  Started();
  return true;
}

bool TRootCommands::RemoveRoot(TRoot* Root)
{
  TWaitCursor Wait;
  FForm.Commands().KeepState(Root, {});
  const bool WasHead = FForm.Driver().RemoveRoot(Root);
  // The tree selects a neighbouring root by itself; it becomes current.
  FForm.SetCurrentNode(FForm.SelectedNode());
  FForm.RefreshStatus(true);
  return WasHead;
}

void TRootCommands::ScanFailed(int Code, const std::string& Path)
{
  FForm.ReportError(Code, TPathRules::Shown(Path));
}

void TRootCommands::ScanProgress(TRoot* Root)
{
  FForm.Commands().ScanStep(Root->FNode, FForm.Driver().Roots() == Root && !Root->FNext);
}

void TRootCommands::ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted)
{
  FForm.RefreshStatus(true);
  if (!FRestarting)
    FProgress.Ended(Counted, Stopped);
  // An export that broke off: what came stays, and the window tells why.
  if (const QString Why = QString::fromLocal8Bit(Root->FIncomplete); !Why.isEmpty())
    FErrors.Report(Root->FNode->FObjects.Load() == 0 ? "Cannot read " + ShownSource(*Root) + ": " + Why
                                                     : ShownSource(*Root) + " is incomplete: " + Why);
  if (!Stopped && !Root->Imported() && FForm.WindowSettings().FHistoryKeep > 0)
    Remember(Root);
  // What was selected before a rescan, unless another folder was chosen since.
  if (TFolderNode* Current = FForm.Commands().ScanFinished(Root, Stopped);
      Current && FForm.CurrentNode() == Root->FNode)
    FForm.SetCurrentNode(Current);
}

void TRootCommands::Remember(const TRoot* Root)
{
  const TFolderTree* Tree = &FForm.Tree();
  const int64_t Time = std::time(nullptr);
  FRemembered[Root->FPath] = Time;
  FHistory.start([this, Tree, Top = Root->FNode, Removals = Tree->Removals(), Store = FForm.WindowSettings().History(),
                  Options = TSnapshotCompare::OptionsOf(FForm.Driver().FSettings), Time]() mutable {
    TWorkerThread::GiveWay();
    // Gone when the root was removed meanwhile.
    const TFolderSnapshot Snapshot = TFolderSnapshot::Of(Top, Options, Time, Tree, Removals);
    std::string Error;
    if (Snapshot.FFolders.empty() || Store.Remember(Snapshot, Error))
      return;
    QMetaObject::invokeMethod(
      &FForm,
      [this, Error] {
        FForm.statusBar()->showMessage(
          QString("The scan is not remembered: %1").arg(QString::fromLocal8Bit(Error.c_str())), 10000);
      },
      Qt::QueuedConnection);
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
  FForm.Driver().Drain(std::chrono::steady_clock::now() + std::chrono::milliseconds(15));
  FForm.Model().FlushChanges();
  if (FForm.Driver().Scanning()) {
    FProgress.Show(FForm.Driver().Progress());
  } else {
    FDrainTimer.stop();
    FProgress.AllEnded();
  }
  if (const TRoot* Root = FForm.SelectedRoot(); Root && Root->Scanning() && FForm.CurrentNode())
    FPanels.ShowObjects(FForm.CurrentNode());
}

void TRootCommands::FileOpen()
{
  if (!FForm.ShellPilot().BrowseForFolder(""))
    return;
  if (FForm.ShellPilot().FolderSpecialKind() == TShellPilot::skComputer)
    ScanAllDrivesClick();
  else
    StartScan(FForm.ShellPilot().Folder());
}

void TRootCommands::ScanbuttonClick()
{
  const std::string Typed = FForm.DriveBox().Path();
  if (TRemoteAddress::Looks(Typed)) {
    ScanRemote(Typed);
    return;
  }
  if (!ScanOrTell(Typed))
    return;
  if (const TRoot* Root = FForm.Driver().FindRoot(TPathRules::WithSeparator(TPathRules::Absolute(Typed))))
    FForm.DriveBox().Scanned(Root->FPath);
}

bool TRootCommands::ScanOrTell(const std::string& Path)
{
  int Failure = ENOENT;
  if (StartScan(Path, &Failure))
    return true;
  FErrors.Report(TPathRules::Shown(TScanDriver::StartFailure(Failure, Path)));
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
  for (TRoot* Root = FForm.Driver().Roots(); Root; Root = Root->FNext)
    if (Root->Remote())
      Places.push_back(Root->FSource);
    else if (!Root->Imported())
      Places.push_back(Root->FPath);
  for (const std::string& Place : Places)
    if (TRemoteAddress::Looks(Place))
      ScanRemote(Place);
    else
      StartScan(Place);
}

void TRootCommands::Update1Click()
{
  FForm.TreeView()->setFocus();
  // A folder on another machine is read from there again.
  if (TFolderNode* Node = FForm.CurrentNode(); Node && Node->Root()->Remote())
    ScanRemote(Node->Root()->FSource);
  else if (Node && !TShellCommands::Foreign(Node, &FForm))
    StartScan(Node->Root()->FPath);
}

void TRootCommands::UpdateBranch1Click()
{
  if (FForm.CurrentNode() && !TShellCommands::Foreign(FForm.CurrentNode(), &FForm))
    UpdateBranch(FForm.CurrentNode());
}

bool TRootCommands::UpdateBranch(TFolderNode* Node)
{
  if (!FForm.Driver().UpdateBranch(Node))
    return false;
  FForm.Display().ForgetMountNames();
  Started();
  return true;
}

void TRootCommands::StopButtonClick()
{
  if (TFolderNode* Node = FForm.SelectedNode())
    FForm.Driver().Stop(Node->Root());
}

void TRootCommands::RemoveClick()
{
  TFolderNode* Node = FForm.SelectedNode();
  FForm.SetCurrentNode(nullptr);
  if (Node)
    RemoveRoot(Node->Root());
}

void TRootCommands::RemoveFolderMenuItemClick()
{
  if (TFolderNode* Node = FForm.SelectedNode()) {
    TWaitCursor Wait;
    FForm.Driver().PruneSmallFolders(Node, FForm.Display().FShowType, FForm.Commands().FMinimumExpandSize);
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
  Show(FForm.Driver().StartImport(Source), Source == "-" ? std::string() : TPathRules::Absolute(Source));
}

bool TRootCommands::ScanRemote(const std::string& Text)
{
  TRemoteAddress Address;
  std::string Problem;
  if (!Address.Parse(Text, Problem)) {
    FErrors.Report(QString::fromLocal8Bit(Text + ": " + Problem));
    return false;
  }
  // SSH asks its questions (a password, a new host's key) through this
  // program, in a window.
  auto Stream =
    std::make_unique<TRemoteStream>(Address, QCoreApplication::applicationFilePath().toLocal8Bit().toStdString());
  Show(FForm.Driver().StartImport(Address.Url(), std::move(Stream), Address.Name()), Address.Url());
  return true;
}

void TRootCommands::Show(TRoot* Root, const std::string& Recent)
{
  Root->FNode->FBold = FForm.Display().FBoldFactor < 100;
  FForm.SetCurrentNode(Root->FNode);
  FForm.TreeView()->setFocus();
  if (!Recent.empty())
    FForm.Recent().AddItem(Recent);
  FForm.RefreshCaption();
  Started();
}

void TRootCommands::ImportScanClick()
{
  const QString Name = QFileDialog::getOpenFileName(&FForm, "Import Scan", {},
                                                    "Scans exported by ncdu, gdu or Spacelens (*.json);;All files (*)");
  if (!Name.isEmpty())
    Import(Name.toLocal8Bit().toStdString());
}

void TRootCommands::ScanRemoteClick()
{
  bool Chosen = false;
  const QString Typed = QInputDialog::getText(&FForm, "Scan Remote",
                                              "A folder on another machine, reached over SSH:\n"
                                              "ssh://[user@]host[:port]/path or [user@]host:/path\n\n"
                                              "The machine scans it with Spacelens, ncdu or gdu, whichever it has.",
                                              QLineEdit::Normal, FLastRemote, &Chosen);
  if (!Chosen || Typed.trimmed().isEmpty())
    return;
  FLastRemote = Typed.trimmed();
  ScanRemote(FLastRemote.toLocal8Bit().toStdString());
}

void TRootCommands::Started()
{
  FProgress.Started();
  FDrainTimer.start();
  FForm.RefreshStatus(false);
}
