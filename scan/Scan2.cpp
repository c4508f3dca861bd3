// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/Scan2.h"

#include "fs/Directory.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "fs/WorkerThread.h"
#include "scan/FolderBlock.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanListener.h"

#include <algorithm>
#include <fcntl.h>
#include <mutex>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

// Most threads per scan. Cold, the walk waits on the disk, and more requests
// in flight help far beyond the number of cores; more threads than this crowd
// out the window's own thread on a small machine.
constexpr unsigned WorkerCount = 12;

// Most descriptors folders waiting for their sub-folders keep at once.
constexpr rlim_t MostDescriptors = 4096;

std::atomic<int> GivenBudget{-1};

}  // namespace

TScan2::TScan2(const std::string& Path, TFolderNode* Node, TRoot* Root, const TScanSettings& Settings,
               TScanListener* Listener)
  : FNode(Node),
    FRoot(Root),
    FPath(TPathRules::WithSeparator(Path)),
    FSettings(Settings),
    FListener(Listener),
    FClusterSize(Root->FClusterSize)
{
  FOld = Node->Counts();
  Node->Count({}, FOld);
  Node->FScanFlags = 0;
  Node->FErrorCode = 0;
  Node->FLastAccess = 0;
  Node->FLastWrite = 0;
  Node->FState = ssQueued;
}

TScan2::~TScan2()
{
  Terminate();
  JoinAll();
  // Blocks never attached have no children of their own in the tree.
  FResults.ForEachLeft([](TResult& Result) { TFolderBlock::Free(Result.Block); });
}

void TScan2::Resume()
{
  // Folders waiting for their sub-folders keep their descriptors open, up
  // to half of what the process may open (the window and the workers' own
  // listings need the rest).
  static std::once_flag Raised;
  std::call_once(Raised, [] {
    rlimit Limit;
    if (getrlimit(RLIMIT_NOFILE, &Limit) == 0 && Limit.rlim_cur < Limit.rlim_max) {
      Limit.rlim_cur = Limit.rlim_max;
      setrlimit(RLIMIT_NOFILE, &Limit);
    }
  });
  rlimit Limit;
  const rlim_t Allowed = getrlimit(RLIMIT_NOFILE, &Limit) == 0 ? Limit.rlim_cur : 1024;
  const int Given = GivenBudget.load();
  FHandles.SetBudget(Given >= 0 ? uint32_t(Given) : uint32_t(std::clamp<rlim_t>(Allowed / 2, 16, MostDescriptors)));
  std::lock_guard Lock(FTaskMutex);
  FTasks.push_back({FNode, nullptr, false});
  if (const int Code = Spawn()) {
    // Not even one thread: the scan ends at once, a failure as a folder
    // that cannot be read is, never an empty success.
    FTasks.clear();
    FNode->FErrorCode = int16_t(Code);
    FNode->FState = ssFailed;
    ReportFailure(FNode, Code);
    Post(TResult(TResult::rkDone));
  }
}

int TScan2::Spawn()
{
  try {
    FThreads.emplace_back(&TScan2::WorkerLoop, this);
  } catch (const std::system_error& Error) {
    return Error.code().value() ? Error.code().value() : EAGAIN;  // the threads there are go on alone
  }
  ++FWorkersLeft;
  return 0;
}

void TScan2::JoinAll()
{
  {
    std::unique_lock Lock(FTaskMutex);
    FWorkersEnded.wait(Lock, [this] { return FWorkersLeft == 0; });
  }
  for (std::thread& Thread : FThreads)
    if (Thread.joinable())
      Thread.join();
}

void TScan2::WorkerLoop()
{
  // Workers give way to the thread that owns the tree, so the window stays
  // responsive while they keep every core busy.
  TWorkerThread::GiveWay();
  TWorkspace Space;
  Space.Buffer.resize(TDirectory::BufferSize);
  std::vector<TTask>& NewTasks = Space.NewTasks;
  std::unique_lock Lock(FTaskMutex);
  for (;;) {
    ++FIdle;
    FTaskReady.wait(Lock, [this] { return !FTasks.empty() || FBusy == 0; });
    --FIdle;
    if (FTasks.empty())
      break;  // nothing queued and nobody who could queue more
    const TTask Task = FTasks.back();
    FTasks.pop_back();
    ++FBusy;
    Lock.unlock();
    Task.Node->FState = ssListing;
    FReading.store(Task.Node, std::memory_order_release);
    WalkFolder(Task, Space);
    Lock.lock();
    --FBusy;
    // Reversed onto the stack, so the first folder listed is walked first.
    FTasks.insert(FTasks.end(), NewTasks.rbegin(), NewTasks.rend());
    // Wake only as many idle workers as there is new work; this one takes
    // the first task itself. Workers are added while the work outgrows them,
    // so a small folder never starts them all.
    const bool AllDone = FBusy == 0 && FTasks.empty();
    size_t Wake = std::min<size_t>(NewTasks.size() - (NewTasks.empty() ? 0 : 1), FIdle);
    if (FTasks.size() > FIdle + 1 && FThreads.size() < WorkerCount)
      Spawn();
    NewTasks.clear();
    // Woken after the lock is let go, so that they do not wait for it at once.
    if (AllDone || Wake > 0) {
      Lock.unlock();
      if (AllDone)
        FTaskReady.notify_all();
      for (; Wake > 0; --Wake)
        FTaskReady.notify_one();
      Lock.lock();
    }
  }
  const bool Last = --FWorkersLeft == 0;
  Lock.unlock();
  FTaskReady.notify_all();
  FWorkersEnded.notify_all();
  if (Last)
    Post(TResult(TResult::rkDone));
}

bool TScan2::Enter(const TTask& Given, int& Fd, TFileIdentity& Identity, TDirHandle*& Trail, bool& Followed)
{
  TTask Task = Given;
  TFolderNode* Node = Task.Node;
  Trail = nullptr;
  if (!Task.Parent && Node->Parent()) {
    // The start of a branch is entered as the walk from its parent would:
    // a link or a mount point only when they are followed.
    Task.Parent = FHandles.TrailTo(Node->Parent());
    TDirEntry Start;
    if (Task.Parent && TDirectory::Classify(Task.Parent->Fd, Node->FName, Start) == 0) {
      Task.IsLink = Start.Kind == TDirEntry::ekFolderLink;
    } else if (Task.Parent) {
      FHandles.Release(Task.Parent);
      Task.Parent = nullptr;
    }
  }
  TDirHandle* Parent = Task.Parent;
  Followed = Task.IsLink;
  if (!Parent) {
    Fd = TDirectory::OpenPath(FPath);  // the chosen folder is always entered
  } else if (Task.IsLink && !FSettings.FFollowReparsePoints) {
    FinishUnentered(Node, Parent, sfNotEntered);
    FHandles.Release(Parent);
    return false;
  } else {
    Fd = FHandles.Descriptor(Parent, Node->Parent());
    if (Fd >= 0)
      Fd = TDirectory::Open(Fd, Node->FName, Task.IsLink);
  }
  if (Fd < 0) {
    if (TDirectory::IsNoMatchCode(-Fd)) {
      FinishUnentered(Node, Parent, 0);  // gone since the listing: an empty folder
    } else {
      Node->FErrorCode = -Fd;
      ReportFailure(Node, -Fd);
      FinishFolder(Node, Parent);
    }
    if (Parent)
      FHandles.Release(Parent);
    return false;
  }
  const bool Known = TDirectory::Identify(Fd, Identity) == 0;
  if (!Known && Parent) {
    // Unknown identity: taken as the parent's mount, so it is not skipped.
    Identity = Parent->Identity;
    Identity.Inode = 0;
  }
  if (!Known || (Parent && Identity.Device != Parent->Identity.Device))
    Node->FScanFlags = sfOtherDevice;
  if (!Parent)
    return true;
  const bool MountPoint = Identity.OnOtherMountThan(Parent->Identity);
  bool Enter = !MountPoint || FSettings.FFollowReparsePoints;
  if (Enter && (MountPoint || Task.IsLink)) {
    // A followed link or mount never enters a folder already on its own path.
    for (const TDirHandle* Above = Parent; Above && Enter; Above = Above->Up)
      Enter = Above->Identity.Device != Identity.Device || Above->Identity.Inode != Identity.Inode;
    // Nor a pseudo file system (every /proc/PID/root leads to the whole
    // system again), nor a folder entered another such way before.
    if (Enter && MountPoint)
      Enter = !IsPseudoFileSystem(Fd, Identity);
    if (Enter && Identity.Inode) {
      std::lock_guard Lock(FEnteredMutex);
      Enter = FEntered.insert({Identity.Device, Identity.Inode}).second;
    }
  }
  if (Enter) {
    Parent->Refs.fetch_add(1, std::memory_order_relaxed);
    Trail = Parent;
  } else {
    close(Fd);
    FinishUnentered(Node, Parent, sfNotEntered);
  }
  FHandles.Release(Parent);
  return Enter;
}

void TScan2::FinishUnentered(TFolderNode* Node, TDirHandle* Above, uint8_t Flags)
{
  // Finished like any folder, with no files of its own.
  Node->FScanFlags = Node->FScanFlags | sfListed | Flags;
  FinishFolder(Node, Above);
}

void TScan2::WalkFolder(const TTask& Task, TWorkspace& Space)
{
  TFolderNode* Node = Task.Node;
  if (Terminated()) {
    if (Task.Parent)
      FHandles.Release(Task.Parent);
    return;
  }
  int Fd;
  TFileIdentity Identity;
  TDirHandle* Trail;
  bool Followed;
  if (!Enter(Task, Fd, Identity, Trail, Followed))
    return;
  FFoldersCounted.fetch_add(1, std::memory_order_relaxed);

  TFileCount Own;
  uint64_t LastAccess = 0, LastWrite = 0;
  Space.Names.clear();
  Space.SubFolders.clear();
  // Only files hold data: links to files, devices, pipes and sockets, and
  // files the filter leaves out, are never read.
  TDirectory Listing(Fd, Space.Buffer.data(), Space.Buffer.size(), [&](const char* Name, TDirEntry::TKind Kind) {
    return Kind == TDirEntry::ekFile && FSettings.Matches(Name) > 0;
  });
  // The rules with "/" go on from where they stood at the parent; a branch
  // scanned alone starts from its path below the scanned folder.
  const TExcludeRules& Exclude = FSettings.FExclude;
  TExcludeRules::TState Here;
  if (Exclude.NeedsPaths())
    Here = Trail && !Trail->PathState.empty() ? Exclude.Below(Trail->PathState, Node->FName)
                                              : Exclude.At(Node->PathBelowTop());
  uint64_t Excluded = 0;
  TDirEntry Entry;
  while (Listing.Next(Entry)) {
    if (!Exclude.Empty() && Exclude.Excludes(Here, Entry.Name)) {
      ++Excluded;
      continue;
    }
    if (Entry.LeadsToFolder()) {
      Space.SubFolders.push_back({Space.Names.size(), Entry.Kind == TDirEntry::ekFolderLink});
      Space.Names.append(Entry.Name).push_back('\0');
      continue;
    }
    // A file matching several patterns counts once for each; one matching
    // none was never read.
    const uint64_t Times = FSettings.Matches(Entry.Name);
    if (Times == 0)
      continue;
    const TFileCount Count = TFolderData::CountFile(Entry.Size, FClusterSize, Entry.DiskBytes);
    if (FSettings.FFileCounted)
      FSettings.FFileCounted(Node, Entry);
    // An empty file counts nothing, but it is a file that lists show.
    if (FSettings.FFileKind)
      Space.Files.Add(Entry.Name, Entry.Size, Count, FSettings.FFileKind(Entry.Name, Entry.Executable), Entry.LastWrite,
                      Entry.LastAccess, Entry.Links, Entry.Identity.Device, Entry.Identity.Inode);
    if (Count.Objects == 0)
      continue;
    Own.Add(Count, Times);
    if (Entry.Links > 1 && FSettings.FHardLinksOnce) {
      Space.Linked.push_back({Entry.Identity.Device, Entry.Identity.Inode, {}, Entry.Links});
      Space.Linked.back().Count.Add(Count, Times);
    }
    LastAccess = std::max(LastAccess, Entry.LastAccess);
    LastWrite = std::max(LastWrite, Entry.LastWrite);
  }

  if (!Space.Files.Empty())
    Node->FFiles.store(Space.Files.Make(), std::memory_order_release);
  if (!Space.Linked.empty())
    TLinkCounter::KeepOnePerFile(Space.Linked, Own);
  FFilesCounted.fetch_add(Own.Objects, std::memory_order_relaxed);
  if (Excluded)
    FExcludedCounted.fetch_add(Excluded, std::memory_order_relaxed);
  Node->FScanFlags = Node->FScanFlags | sfListed;
  Node->FLastAccess.RaiseTo(FileTime::ToSeconds32(LastAccess));
  Node->FLastWrite.RaiseTo(FileTime::ToSeconds32(LastWrite));
  AddUp(Node, Own);
  if (!Space.Linked.empty()) {
    // Only once the names are counted here and above can a second count go.
    FRoot->FLinks.Add(Node, Space.Linked, FNode);
    Space.Linked.clear();
  }

  const int ListError = Listing.Error();
  if (ListError && !TDirectory::IsNoMatchCode(ListError)) {
    Node->FErrorCode = ListError;
    ReportFailure(Node, ListError);
    Space.SubFolders.clear();
  } else if (const int EntryError = Listing.EntryError()) {
    // Listed, but some of its entries could not be read: its totals fall short.
    Node->FErrorCode = EntryError;
    ReportFailure(Node, EntryError);
  }
  if (const bool Stopped = Terminated(); Stopped || Space.SubFolders.empty()) {
    close(Fd);
    if (!Stopped)
      FinishFolder(Node, Trail);
    TFolderHandles::Unref(Trail);
    return;  // a stopped folder stays incomplete, without its sub-folders
  }

  const size_t Count = Space.SubFolders.size();
  TDirHandle* Handle = FHandles.Make(Fd, Identity, Trail, uint32_t(Count), Followed, Node);
  Handle->PathState = std::move(Here);
  Space.NameViews.clear();
  for (const auto& [Offset, IsLink] : Space.SubFolders)
    Space.NameViews.emplace_back(Space.Names.c_str() + Offset);
  TFolderBlock* Block = TFolderBlock::Make(Node, Space.NameViews, Own, FSettings.FShowFiles && Own.Objects > 0);
  for (size_t Index = 0; Index < Count; ++Index)
    Space.NewTasks.push_back({Block->Node(Index), Handle, Space.SubFolders[Index].second});
  TResult Append(TResult::rkAppend);
  Append.Block = Block;
  Post(std::move(Append));
}

void TScan2::FinishFolder(TFolderNode* Node, TDirHandle* Above)
{
  // The folder counts itself, then tells its parent through the parent's
  // handle; the last sub-folder to finish finishes the parent in turn,
  // without recursion. The caller holds Above, and each handle the one
  // above it.
  for (;;) {
    AddUp(Node, {1, 0, 1});
    Node->PassUp(FNode);
    Node->FState = Node->FErrorCode ? ssFailed : ssDone;
    if (Node == FNode)
      return;
    TFolderNode* Parent = Node->Parent();
    Parent->FLastAccess.RaiseTo(Node->FLastAccess);
    Parent->FLastWrite.RaiseTo(Node->FLastWrite);
    if (Parent == FRoot->FNode)
      Post(TResult(TResult::rkProgress));
    if (Above->Unfinished.fetch_sub(1, std::memory_order_acq_rel) != 1)
      return;
    Node = Parent;
    Above = Above->Up;
  }
}

void TScan2::AddUp(TFolderNode* Node, const TFileCount& Count)
{
  if (Count.Objects == 0)
    return;  // no file, no folder: nothing to add
  // Live totals: the folders above grow at once, up to the start of this
  // scan or the nearest one that gathers (the rest when it is finished).
  Node->CountUp(Count, {}, FNode);
}

void TScan2::ReportFailure(TFolderNode* Node, int Code)
{
  TFolderNode::MarkFailedAbove(Node);
  TResult Failure(TResult::rkFailure);
  Failure.Code = Code;
  if (FSettings.FShowErrors)
    Failure.Path = Node->FullPath();
  Post(std::move(Failure));
}

void TScan2::SetDescriptorBudget(int Budget)
{
  GivenBudget = Budget;
}

void TScan2::Post(TResult&& Result)
{
  const bool Done = Result.Kind == TResult::rkDone;
  FResults.Post(std::move(Result), Done);
}

void TScan2::WaitForResults(std::chrono::milliseconds Timeout)
{
  FResults.WaitForLast(Timeout);
}

void TScan2::Drain(TDeadline Deadline)
{
  while (!FFinished) {
    if (Deadline != TDeadline::max() && std::chrono::steady_clock::now() > Deadline)
      return;
    TResult* Next = FResults.Next();
    if (!Next)
      return;
    TResult& Result = *Next;
    switch (Result.Kind) {
      case TResult::rkAppend: {
        TFolderBlock* Block = std::exchange(Result.Block, nullptr);
        // The root's own folders, as its listing finds them, for the progress.
        if (Block->Parent() == FRoot->FNode)
          for (size_t Index = 0; Index < Block->Count(); ++Index)
            FRoot->FSubfolderCount += !Block->Node(Index)->FIsFiles;
        FRoot->FTree->AppendBlock(Block);
        break;
      }
      case TResult::rkProgress:
        ++FRoot->FSubfoldersDone;
        if (FListener)
          FListener->ScanProgress(FRoot);
        break;
      case TResult::rkFailure:
        if (FListener)
          FListener->ScanFailed(Result.Code, Result.Path);
        break;
      case TResult::rkDone: Complete(); break;
    }
  }
}

void TScan2::Await()
{
  JoinAll();
  // Results left from a time-limited drain come first, then the rest.
  while (!FFinished)
    Drain();
}

void TScan2::Complete()
{
  JoinAll();
  if (Terminated())
    MarkStopped();
  if (FRoot->FWorker == this)
    FRoot->FWorker = nullptr;
  const TFolderData* Record = FNode;
  FRoot->FTree->NodeChanged(FNode);
  // A branch rescan corrects every folder above the branch.
  if (FNode->Parent())
    FRoot->FTree->AddToAncestors(FNode->Parent(), Record->Counts(), FOld);
  FFinished = true;
  if (FListener)
    FListener->ScanDone(FRoot, Terminated(), Counted());
}

std::string TScan2::ReadingPath() const
{
  // A node's name and parents are set before any worker takes it up, and
  // nodes are freed only after the scan.
  const TFolderNode* Node = FReading.load(std::memory_order_acquire);
  return Node ? Node->FullPath() : std::string();
}

void TScan2::MarkStopped()
{
  // Folders the stop cut short keep what was counted in them, and those
  // that gather pass it on up, the deepest first.
  std::vector<TFolderNode*> Gathering;
  TFolderNode::ForEachBelow(FNode, [&](TFolderNode* Node) {
    if (Node->FIsFiles || Node->Finished())
      return false;
    Node->FState = ssStopped;
    if (Node->Gathers())
      Gathering.push_back(Node);
    return true;
  });
  std::sort(Gathering.begin(), Gathering.end(),
            [](const TFolderNode* A, const TFolderNode* B) { return A->Depth() > B->Depth(); });
  for (TFolderNode* Node : Gathering)
    Node->PassUp(FNode);
}
