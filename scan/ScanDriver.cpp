// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/ScanDriver.h"

#include "fs/Directory.h"
#include "fs/FilledText.h"
#include "fs/PathRules.h"
#include "scan/FileListing.h"
#include "scan/FolderData.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/ImportScan.h"
#include "scan/NcduImport.h"
#include "scan/Root.h"
#include "scan/Scan2.h"
#include "scan/ScanListener.h"
#include "scan/StreamSource.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>

TScanDriver::TScanDriver(TFolderTree& Tree) : FTree(Tree) {}

TScanDriver::~TScanDriver()
{
  while (FRoots)
    RemoveRoot(FRoots);
}

TRoot* TScanDriver::FindRoot(const std::string& Path) const
{
  for (TRoot* Root = FRoots; Root; Root = Root->FNext)
    if (!Root->Imported() && TPathRules::SamePath(Root->FPath, Path))
      return Root;
  return nullptr;
}

std::string TScanDriver::StartFailure(int Code, const std::string& Path)
{
  if (Code == 0 || TDirectory::IsNoMatchCode(Code))
    return FilledText(tr("Cannot find Folder: %1"), {Path});
  return FilledText(tr("Path %1: %2"), {Path, std::strerror(Code)});
}

TRoot* TScanDriver::StartScan(const std::string& Given, int* Failure)
{
  if (Failure)
    *Failure = ENOENT;
  if (Given.empty())
    return nullptr;
  const std::string Path = TPathRules::Absolute(Given);
  if (Path.empty())
    return nullptr;
  TRoot* Root = FindRoot(Path);
  if (Root) {
    Await(Root);
    FTree.DeleteChildren(Root->FNode);
  } else {
    Root = NewRoot();
    if (FUserClusterSize)
      SetUserClusterSize(*Root, FUserClusterSize);
  }
  Root->FNode->FScanFlags = 0;
  Root->FNode->FChildrenLabelled = false;
  Root->FPath = TPathRules::WithSeparator(Path);

  Root->FSubfolderCount = Root->FSubfoldersDone = 0;
  int Error = ReadVolumeInfo(*Root);
  if (Error == 0)
    Error = FolderError(Root->FPath);
  if (Error != 0) {
    if (Failure)
      *Failure = Error;
    else
      ScanFailed(Error, Path);
    RemoveRoot(Root);
    return nullptr;
  }
  Root->FNode->SetName(Path);
  // Reports name a folder with the volume it is on, a whole volume by itself.
  const QString Name = TPathRules::Shown(Path);
  const QString Label = QString::fromStdString(Root->FVolumeLabel);
  if (Root->FDrive != Root->FPath)
    Root->FTitle = Label.isEmpty() ? Name : Name + " on [" + Label + "]";
  else
    Root->FTitle = " Drive: " + (Label.isEmpty() ? Name : Label + " (" + Name + ")");
  FTree.NodeChanged(Root->FNode);
  Launch(Root, Root->FNode, Root->FPath);
  if (Failure)
    *Failure = 0;
  return Root;
}

TRoot* TScanDriver::NewRoot()
{
  auto* Root = new TRoot;
  Root->FTree = &FTree;
  Root->FNext = FRoots;
  FRoots = Root;
  Root->FNode = new TFolderNode(Root);
  FTree.AddTopNode(Root->FNode);
  return Root;
}

TRoot* TScanDriver::FindSource(const std::string& Source) const
{
  for (TRoot* Root = FRoots; Root; Root = Root->FNext)
    if (Root->FSource == Source)
      return Root;
  return nullptr;
}

TRoot* TScanDriver::StartImport(const std::string& Given, std::unique_ptr<TStreamSource> Stream,
                                const std::string& Name)
{
  const std::string Source = Stream || Given == "-" ? Given : TPathRules::Absolute(Given);
  TRoot* Root = FindSource(Source);
  if (Root) {
    Await(Root);
    FTree.DeleteChildren(Root->FNode);
    FTree.SetFiles(Root->FNode, nullptr);
    TFolderNode* Top = Root->FNode;
    Top->Count({}, Top->Counts());
    Top->FScanFlags = 0;
    Top->FErrorCode = 0;
    Top->FLastWrite = 0;
    Root->FImportFile.clear();
    Root->FImportOffsets.clear();
    Root->FIncomplete.clear();
  } else {
    Root = NewRoot();
    Root->FSource = Source;
  }
  const uint32_t ClusterSize = FUserClusterSize ? FUserClusterSize : 4096;
  Root->FClusterSize = ClusterSize;
  Root->FFileSystem = Stream ? "remote" : "imported";
  Root->FSubfolderCount = Root->FSubfoldersDone = 0;
  const std::string Top = !Name.empty() ? Name : Source == "-" ? std::string("standard input") : Source;
  FTree.Rename(Root->FNode, Top);
  Root->FPath = TPathRules::WithSeparator(Top);
  Root->FTitle = Name.empty() ? TPathRules::Shown(Top) + " (imported)" : TPathRules::Shown(Top);
  FTree.NodeChanged(Root->FNode);
  auto Import = std::make_unique<TNcduImport>(Source, FSettings, ClusterSize);
  if (Stream)
    Import->SetStream(std::move(Stream));
  auto* Scan = new TImportScan(Root, std::move(Import), !Name.empty(), this);
  Running(Root, Scan);
  Scan->Resume();
  return Root;
}

void TScanDriver::Running(TRoot* Root, TRootScan* Scan)
{
  if (FScans.empty()) {
    FEnded = {};
    FEndedWhole = true;
  }
  FScans.emplace_back(Scan);
  Root->FWorker = Scan;
}

void TScanDriver::AddImported(TRoot* Root)
{
  Root->FTree = &FTree;
  Root->FNext = FRoots;
  FRoots = Root;
  FTree.AddTopNode(Root->FNode);
  if (FSettings.FShowFiles)
    ApplyShowFiles(Root->FNode, true);
}

bool TScanDriver::UpdateBranch(TFolderNode* Node)
{
  // A "<Files>" entry is no folder of its own to scan.
  if (!Node || Node->FIsFiles || !TFolderTree::Editable(Node) || Node->Root()->Imported())
    return false;
  FTree.DeleteChildren(Node);
  if (!Node->Parent())
    Node->Root()->FSubfolderCount = Node->Root()->FSubfoldersDone = 0;  // the progress of the root starts again
  Launch(Node->Root(), Node, Node->FullPath());
  return true;
}

void TScanDriver::Launch(TRoot* Root, TFolderNode* Node, const std::string& Path)
{
  FTree.SetFiles(Node, nullptr);  // the scan lists the folder again
  auto* Scan = new TScan2(Path, Node, Root, FSettings, this);
  Running(Root, Scan);
  Scan->Resume();
}

void TScanDriver::ScanFailed(int Code, const std::string& Path)
{
  if (FListener)
    FListener->ScanFailed(Code, Path);
}

void TScanDriver::ScanProgress(TRoot* Root)
{
  if (FListener)
    FListener->ScanProgress(Root);
}

void TScanDriver::ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted)
{
  // An export is read without "<Files>" entries: they come once it is in.
  if (Root->Imported() && FSettings.FShowFiles)
    ApplyShowFiles(Root->FNode, true);
  FEnded.FCounted.FFolders += Counted.FFolders;
  FEnded.FCounted.FFiles += Counted.FFiles;
  FEnded.FCounted.FExcluded += Counted.FExcluded;
  FEnded.FSize = TFolderData::AddBytes(FEnded.FSize, Root->FNode->SizeBytes());
  FEnded.FBytes = TFolderData::AddBytes(FEnded.FBytes, Root->FNode->AllocatedBytes());
  FEnded.FUsedBytes += Root->FUsedKB * 1024;
  FEndedWhole = FEndedWhole && Root->FDrive == Root->FPath && Root->FUsedKB > 0;
  if (FListener)
    FListener->ScanDone(Root, Stopped, Counted);
}

TScanDriver::TProgress TScanDriver::Progress() const
{
  TProgress Progress = FEnded;
  bool WholeVolumes = FEndedWhole;
  for (const std::unique_ptr<TRootScan>& Scan : FScans) {
    const TScanCounts Counted = Scan->Counted();
    Progress.FCounted.FFolders += Counted.FFolders;
    Progress.FCounted.FFiles += Counted.FFiles;
    Progress.FCounted.FExcluded += Counted.FExcluded;
    Progress.FSize = TFolderData::AddBytes(Progress.FSize, Scan->Node()->SizeBytes());
    Progress.FBytes = TFolderData::AddBytes(Progress.FBytes, Scan->Node()->AllocatedBytes());
    const TRoot* Root = Scan->Root();
    WholeVolumes = WholeVolumes && Scan->Node() == Root->FNode && Root->FDrive == Root->FPath && Root->FUsedKB > 0;
    Progress.FUsedBytes += Root->FUsedKB * 1024;
    if (Progress.FReading.empty())
      Progress.FReading = Scan->ReadingPath();
  }
  if (!WholeVolumes)
    Progress.FUsedBytes = 0;
  return Progress;
}

void TScanDriver::Stop(TRoot* Root)
{
  if (Root && Root->FWorker)
    Root->FWorker->Terminate();
}

void TScanDriver::Await(TRoot* Root)
{
  if (TRootScan* Scan = Root->FWorker) {
    Scan->Terminate();
    Scan->Await();
    Forget(Scan);
  }
}

void TScanDriver::Forget(TRootScan* Scan)
{
  std::erase_if(FScans, [Scan](const std::unique_ptr<TRootScan>& Item) { return Item.get() == Scan; });
}

bool TScanDriver::RemoveRoot(TRoot* Root)
{
  Await(Root);
  const bool WasHead = FRoots == Root;
  if (WasHead) {
    FRoots = Root->FNext;
  } else {
    TRoot* Before = FRoots;
    while (Before && Before->FNext != Root)
      Before = Before->FNext;
    if (Before)
      Before->FNext = Root->FNext;
  }
  FTree.FreeNode(Root->FNode, false);
  delete Root;
  return WasHead;
}

void TScanDriver::Drain(std::chrono::steady_clock::time_point Deadline)
{
  // A completion step may start or await other scans: iterate over a copy.
  std::vector<TRootScan*> Running;
  for (const std::unique_ptr<TRootScan>& Scan : FScans)
    Running.push_back(Scan.get());
  for (TRootScan* Scan : Running)
    if (std::any_of(FScans.begin(), FScans.end(), [Scan](const auto& Item) { return Item.get() == Scan; })) {
      Scan->Drain(Deadline);
      if (Scan->Finished())
        Forget(Scan);
    }
}

void TScanDriver::WaitForResults(std::chrono::milliseconds Timeout)
{
  if (!FScans.empty())
    FScans.front()->WaitForResults(Timeout);
}

std::vector<std::string> TScanDriver::ApplyScanOptions(bool Rescan, uint32_t ClusterSize, bool ShowFilesChanged)
{
  std::vector<std::string> Again;
  for (TRoot* Root = FRoots; Root; Root = Root->FNext) {
    if (Root->Imported()) {
      if (ShowFilesChanged)
        ApplyShowFiles(Root->FNode, FSettings.FShowFiles);
      continue;  // its files are not on this machine to count again
    }
    if (Rescan) {
      if (ClusterSize)
        SetUserClusterSize(*Root, ClusterSize);
      else if (Root->FFileSystem == UserDefinedFileSystem)
        ClearUserClusterSize(*Root);
    }
    if (Rescan || (ShowFilesChanged && Root->Scanning()))
      Again.push_back(Root->FPath);
    else if (ShowFilesChanged)
      ApplyShowFiles(Root->FNode, FSettings.FShowFiles);
  }
  return Again;
}

void TScanDriver::ApplyShowFiles(TFolderNode* Node, bool ShowFiles)
{
  if (!TFolderTree::Editable(Node))
    return;
  // Each folder's entry is added or freed before the walk goes below it.
  TFolderNode::ForEachBelow(Node, [&](TFolderNode* Current) {
    if (Current->FIsFiles)
      return false;
    const auto& Children = Current->Children();
    const auto Entry =
      std::find_if(Children.begin(), Children.end(), [](const TFolderNode* Child) { return Child->FIsFiles; });
    if (!ShowFiles && Entry != Children.end()) {
      FTree.FreeNode(*Entry, false);
    } else if (ShowFiles && Entry == Children.end() && Current->OwnFiles() > 0 && Current->ChildCount() > 0) {
      std::vector<TFolderNode*> Added{TFolderNode::NewFilesEntry(Current)};
      FTree.AppendChildren(Current, Added);
    }
    return true;
  });
}

void TScanDriver::ListFilesAgain(TFolderNode* Folder)
{
  if (!FSettings.FFileKind || !Folder || Folder->FIsFiles || !TFolderTree::Editable(Folder)
      || Folder->Root()->Imported())
    return;
  std::vector<TListedFile> Listed;
  TFileListing::List(Folder->FullPath(), {"*"}, Listed, {}, FSettings.FExclude, Folder->PathBelowTop());
  TFolderFiles::TBuilder Files;
  for (const TListedFile& File : Listed)
    if (FSettings.Matches(File.Name.c_str()) > 0) {
      const TFileCount Count = TFolderData::CountFile(File.Size, Folder->ClusterSize(), File.DiskBytes);
      Files.Add(File.Name, File.Size, Count, FSettings.FFileKind(File.Name.c_str(), File.Executable), File.LastWrite,
                File.LastAccess, File.Links, File.Device, File.Inode);
    }
  FTree.SetFiles(Folder, Files.Make());
}

void TScanDriver::PruneSmallFolders(TFolderNode* Node, int ViewType, double Minimum)
{
  if (!TFolderTree::Editable(Node))
    return;
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    for (size_t Index = 0; Index < Current->ChildCount();) {
      TFolderNode* Child = Current->Child(Index);
      // Folders still open or cut short, and "<Files>", stay as they are.
      if (!Child->Finished()) {
        ++Index;
      } else if (Child->GetValue(ViewType, 0) >= Minimum) {
        Pending.push_back(Child);
        ++Index;
      } else {
        // Its totals stay in Current's: so do the names of files it held.
        Node->Root()->FLinks.MoveNamesUp(Child);
        FTree.FreeNode(Child, false);
      }
    }
  }
}
