#include "Scan2.h"

#include "Directory.h"
#include "FolderData.h"
#include "FolderNode.h"
#include "FolderTree.h"
#include "Mounts.h"
#include "PathRules.h"
#include "Root.h"
#include "ScanListener.h"
#include "Wildcard.h"

#include <algorithm>
#include <fcntl.h>
#include <mutex>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace {

// Most threads per scan. Cold, the walk waits on the disk, and more requests
// in flight help far beyond the number of cores; more threads than this crowd
// out the window's own thread on a small machine.
constexpr unsigned WorkerCount = 12;

constexpr int WorkerNiceness = 19;

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
  TFolderData* Record = Node->FData;
  FOldClusters = Record->FClusters;
  FOldObjects = Record->FObjects;
  FOldTailBytes = Record->FTailBytes;
  Record->FClusters = 0;
  Record->FTailBytes = 0;
  Record->FObjects = 0;
  Record->FOwnClusters = 0;
  Record->FOwnTailBytes = 0;
  Record->FOwnFiles = -1;
  Record->FErrorCode = 0;
  Record->FLastAccess = 0;
  Record->FLastWrite = 0;
  Record->FState = fsQueued;
}

TScan2::~TScan2()
{
  Terminate();
  JoinAll();
  for (std::vector<TResult>* Results : {&FBatch, &FResults})
    for (TResult& Result : *Results)
      for (TFolderNode* Node : Result.Nodes)
        TFolderNode::DeleteSubtree(Node);
}

void TScan2::Resume()
{
  // Folders waiting for their sub-folders keep their descriptors open.
  static std::once_flag Raised;
  std::call_once(Raised, [] {
    rlimit Limit;
    if (getrlimit(RLIMIT_NOFILE, &Limit) == 0 && Limit.rlim_cur < Limit.rlim_max) {
      Limit.rlim_cur = Limit.rlim_max;
      setrlimit(RLIMIT_NOFILE, &Limit);
    }
  });
  std::lock_guard Lock(FTaskMutex);
  FTasks.push_back({FNode, nullptr, false});
  if (!Spawn()) {
    // Not even one thread: the scan ends at once, its root left incomplete.
    FTasks.clear();
    Post(TResult(TResult::rkDone));
  }
}

bool TScan2::Spawn()
{
  try {
    FThreads.emplace_back(&TScan2::WorkerLoop, this);
  } catch (const std::system_error&) {
    return false;  // the threads there are go on alone
  }
  ++FWorkersLeft;
  return true;
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
  // Workers yield to the thread that owns the tree, so the window stays
  // responsive while they keep every core busy.
  setpriority(PRIO_PROCESS, gettid(), WorkerNiceness);
  std::vector<char> Buffer(TDirectory::BufferSize);
  std::vector<TTask> NewTasks;
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
    Task.Node->FData->FState = fsListing;
    FReading.store(Task.Node, std::memory_order_release);
    WalkFolder(Task, Buffer, NewTasks);
    Lock.lock();
    --FBusy;
    // Reversed onto the stack, so the first folder listed is walked first.
    FTasks.insert(FTasks.end(), NewTasks.rbegin(), NewTasks.rend());
    // Wake only as many idle workers as there is new work; this one takes
    // the first task itself. Workers are added while the work outgrows them,
    // so a small folder never starts them all.
    if (FBusy == 0 && FTasks.empty())
      FTaskReady.notify_all();
    for (size_t Wake = std::min<size_t>(NewTasks.size() - (NewTasks.empty() ? 0 : 1), FIdle); Wake > 0; --Wake)
      FTaskReady.notify_one();
    if (FTasks.size() > FIdle + 1 && FThreads.size() < WorkerCount)
      Spawn();
    NewTasks.clear();
  }
  const bool Last = --FWorkersLeft == 0;
  Lock.unlock();
  FTaskReady.notify_all();
  FWorkersEnded.notify_all();
  if (Last)
    Post(TResult(TResult::rkDone));
}

bool TScan2::Enter(const TTask& Given, int& Fd, TFileIdentity& Identity)
{
  TTask Task = Given;
  TFolderNode* Node = Task.Node;
  if (!Task.Parent && Node->Parent()) {
    // The start of a branch is entered as the walk from its parent would:
    // a link or a mount point only when they are followed.
    const int AboveFd = TDirectory::OpenPath(PathOf(Node->Parent()));
    TFileIdentity Above;
    TDirEntry Start;
    if (AboveFd >= 0 && TDirectory::Identify(AboveFd, Above) == 0
        && TDirectory::Classify(AboveFd, Node->FData->FName.c_str(), Start) == 0) {
      Task.Parent = new TDirHandle{AboveFd, Above, 1};
      Task.IsLink = Start.Kind == TDirEntry::ekFolderLink;
    } else if (AboveFd >= 0) {
      close(AboveFd);
    }
  }
  TDirHandle* Parent = Task.Parent;
  if (!Parent) {
    Fd = TDirectory::OpenPath(FPath);  // the chosen folder is always entered
  } else if (Task.IsLink && !FSettings.FFollowReparsePoints) {
    Release(Parent);
    FinishUnentered(Node);
    return false;
  } else {
    Fd = TDirectory::Open(Parent->Fd, Node->FData->FName.c_str(), Task.IsLink);
  }
  if (Fd < 0) {
    if (Parent)
      Release(Parent);
    if (TDirectory::IsNoMatchCode(-Fd)) {
      FinishUnentered(Node);  // gone since the listing: an empty folder
      return false;
    }
    Node->FData->FErrorCode = -Fd;
    ReportFailure(Node, -Fd);
    FinishFolder(Node);
    return false;
  }
  if (TDirectory::Identify(Fd, Identity) == 0) {
    Node->FDevice = Identity.Device;
    Node->FInode = Identity.Inode;
  } else if (Parent) {
    // Unknown identity: taken as the parent's mount, so it is not skipped.
    Identity = Parent->Identity;
    Identity.Inode = 0;
  }
  if (!Parent)
    return true;
  const bool MountPoint = Identity.OnOtherMountThan(Parent->Identity);
  Release(Parent);
  bool Enter = !MountPoint || FSettings.FFollowReparsePoints;
  if (Enter && (MountPoint || Task.IsLink)) {
    // A followed link or mount never enters a folder already on its own path.
    for (const TFolderNode* Above = Node->Parent(); Above && Enter; Above = Above->Parent())
      Enter = Above->FDevice != Identity.Device || Above->FInode != Identity.Inode;
    // Nor a pseudo file system (every /proc/PID/root leads to the whole
    // system again), nor a folder entered another such way before.
    if (Enter && MountPoint)
      Enter = !IsPseudoFileSystem(Fd, Identity);
    if (Enter && Identity.Inode) {
      std::lock_guard Lock(FEnteredMutex);
      Enter = FEntered.insert({Identity.Device, Identity.Inode}).second;
    }
  }
  if (!Enter) {
    close(Fd);
    FinishUnentered(Node);
  }
  return Enter;
}

void TScan2::FinishUnentered(TFolderNode* Node)
{
  // Finished like any folder, with no files of its own.
  Node->FData->FOwnFiles = 0;
  FinishFolder(Node);
}

void TScan2::WalkFolder(const TTask& Task, std::vector<char>& Buffer, std::vector<TTask>& NewTasks)
{
  TFolderNode* Node = Task.Node;
  TFolderData* Record = Node->FData;
  if (Terminated()) {
    if (Task.Parent)
      Release(Task.Parent);
    return;
  }
  int Fd;
  TFileIdentity Identity;
  if (!Enter(Task, Fd, Identity))
    return;
  FFoldersCounted.fetch_add(1, std::memory_order_relaxed);

  const bool EveryFile = FSettings.MatchesEveryFile();
  // A file matching several patterns counts once for each.
  auto Matches = [this](const char* Name) {
    return uint64_t(std::count_if(FSettings.FFileFilter.begin(), FSettings.FFileFilter.end(),
                                  [Name](const std::string& Pattern) { return MatchWildcard(Pattern.c_str(), Name); }));
  };
  uint64_t Clusters = 0, TailBytes = 0, Files = 0, LastAccess = 0, LastWrite = 0;
  std::vector<TSubFolder> SubFolders;
  // Only files hold data: links to files, devices, pipes and sockets, and
  // files the filter leaves out, are never read.
  TDirectory Listing(Fd, Buffer.data(), Buffer.size(), [&](const char* Name, TDirEntry::TKind Kind) {
    return Kind == TDirEntry::ekFile && (EveryFile || Matches(Name) > 0);
  });
  TDirEntry Entry;
  while (Listing.Next(Entry)) {
    if (Entry.LeadsToFolder()) {
      SubFolders.push_back({Entry.Name, Entry.Kind == TDirEntry::ekFolderLink});
      continue;
    }
    const TFileCount Count = TFolderData::CountFile(Entry.Size, FClusterSize);
    if (Count.Objects == 0)
      continue;
    const uint64_t Times = EveryFile ? 1 : Matches(Entry.Name);
    Clusters += Count.Clusters * Times;
    TailBytes += Count.TailBytes * Times;
    Files += Times;
    LastAccess = std::max(LastAccess, Entry.LastAccess);
    LastWrite = std::max(LastWrite, Entry.LastWrite);
  }

  FFilesCounted.fetch_add(Files, std::memory_order_relaxed);
  Record->FOwnClusters = Clusters;
  Record->FOwnTailBytes = TailBytes;
  Record->FOwnFiles = int64_t(Files);
  Record->FLastAccess.RaiseTo(LastAccess);
  Record->FLastWrite.RaiseTo(LastWrite);
  AddUp(Node, Clusters, TailBytes, Files);

  const int ListError = Listing.Error();
  if (ListError && !TDirectory::IsNoMatchCode(ListError)) {
    Record->FErrorCode = ListError;
    ReportFailure(Node, ListError);
    SubFolders.clear();
  } else if (const int EntryError = Listing.EntryError()) {
    // Listed, but some of its entries could not be read: its totals fall short.
    Record->FErrorCode = EntryError;
    ReportFailure(Node, EntryError);
  }
  if (Terminated()) {
    close(Fd);
    return;  // stays incomplete, without its sub-folders
  }
  if (SubFolders.empty()) {
    close(Fd);
    FinishFolder(Node);
    return;
  }

  auto* Handle = new TDirHandle{Fd, Identity, uint32_t(SubFolders.size())};
  std::vector<TFolderNode*> Children;
  Children.reserve(SubFolders.size() + 1);
  for (TSubFolder& Sub : SubFolders) {
    auto* Child = new TFolderNode(Node);
    Child->FData = new TFolderData(Child, FRoot);
    Child->FData->FName = std::move(Sub.Name);
    Children.push_back(Child);
    NewTasks.push_back({Child, Handle, Sub.IsLink});
  }
  if (FSettings.FShowFiles && Files > 0) {
    auto* Entry = new TFolderNode(Node);
    Entry->FData = new TFolderData(Entry, FRoot);
    Entry->FData->FIsFiles = true;
    Entry->FData->FClusters = Clusters;
    Entry->FData->FTailBytes = TailBytes;
    Entry->FData->FObjects = Files;
    Children.push_back(Entry);
  }
  // Set before any sub-folder task can run and finish.
  Node->FPending.store(uint32_t(SubFolders.size()), std::memory_order_release);
  TResult Append(TResult::rkAppend);
  Append.Parent = Node;
  Append.Nodes = std::move(Children);
  Post(std::move(Append));
}

void TScan2::FinishFolder(TFolderNode* Node)
{
  // The folder counts itself, then tells its parent; the last sub-folder to
  // finish finishes the parent in turn, without recursion.
  for (;;) {
    TFolderData* Record = Node->FData;
    AddUp(Node, 1, 0, 1);
    Record->FState = Record->FErrorCode ? fsFailed : fsDone;
    if (Node == FNode)
      return;
    TFolderNode* Parent = Node->Parent();
    Parent->FData->FLastAccess.RaiseTo(Record->FLastAccess);
    Parent->FData->FLastWrite.RaiseTo(Record->FLastWrite);
    if (Parent == FRoot->FNode)
      Post(TResult(TResult::rkProgress));
    if (Parent->FPending.fetch_sub(1, std::memory_order_acq_rel) != 1)
      return;
    Node = Parent;
  }
}

void TScan2::AddUp(TFolderNode* Node, uint64_t Clusters, uint64_t TailBytes, uint64_t Objects)
{
  if (Clusters == 0 && TailBytes == 0 && Objects == 0)
    return;
  // Live totals: every folder up to the start of this scan grows at once.
  for (;; Node = Node->Parent()) {
    TFolderData* Record = Node->FData;
    Record->FClusters += Clusters;
    Record->FTailBytes += TailBytes;
    Record->FObjects += Objects;
    if (Node == FNode)
      return;
  }
}

void TScan2::ReportFailure(TFolderNode* Node, int Code)
{
  TResult Failure(TResult::rkFailure);
  Failure.Code = Code;
  if (FSettings.FShowErrors)
    Failure.Path = PathOf(Node);
  Post(std::move(Failure));
}

void TScan2::Release(TDirHandle* Handle)
{
  if (Handle->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    close(Handle->Fd);
    delete Handle;
  }
}

std::string TScan2::PathOf(const TFolderNode* Node) const
{
  std::vector<const std::string*> Names;
  for (; Node; Node = Node->Parent())
    Names.push_back(&Node->FData->FName);
  std::string Path;
  for (auto Name = Names.rbegin(); Name != Names.rend(); ++Name)
    Path = TPathRules::WithSeparator(Path + **Name);
  return Path;
}

void TScan2::Post(TResult&& Result)
{
  const bool Done = Result.Kind == TResult::rkDone;
  {
    std::lock_guard Lock(FResultMutex);
    FResults.push_back(std::move(Result));
  }
  // The owner drains on its own schedule; only the end is worth waking for.
  if (Done)
    FResultReady.notify_all();
}

void TScan2::WaitForResults(std::chrono::milliseconds Timeout)
{
  std::unique_lock Lock(FResultMutex);
  FResultReady.wait_for(Lock, Timeout, [this] { return !FResults.empty() && FResults.back().Kind == TResult::rkDone; });
}

void TScan2::Drain(TDeadline Deadline)
{
  if (FBatchNext == FBatch.size()) {
    FBatch.clear();
    FBatchNext = 0;
    std::lock_guard Lock(FResultMutex);
    FBatch.swap(FResults);
  }
  while (FBatchNext < FBatch.size()) {
    if (Deadline != TDeadline::max() && std::chrono::steady_clock::now() > Deadline)
      return;
    TResult& Result = FBatch[FBatchNext++];
    switch (Result.Kind) {
      case TResult::rkAppend:
        FRoot->FTree->AppendChildren(Result.Parent, Result.Nodes);
        break;
      case TResult::rkProgress:
        ++FRoot->FSubfoldersDone;
        if (FListener)
          FListener->ScanProgress(FRoot);
        break;
      case TResult::rkFailure:
        if (FListener)
          FListener->ScanFailed(Result.Code, Result.Path);
        break;
      case TResult::rkDone:
        Complete();
        break;
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
  const TFolderData* Record = FNode->FData;
  FRoot->FTree->NodeChanged(FNode);
  // A branch rescan corrects every folder above the branch.
  if (FNode->Parent())
    FRoot->FTree->AddToAncestors(FNode->Parent(), int64_t(Record->FObjects - FOldObjects),
                                 int64_t(Record->FClusters - FOldClusters),
                                 int64_t(Record->FTailBytes - FOldTailBytes));
  FFinished = true;
  if (FListener)
    FListener->ScanDone(FRoot, Terminated(), Counted());
}

std::string TScan2::ReadingPath() const
{
  // A node's name and parents are set before any worker takes it up, and
  // nodes are freed only after the scan.
  const TFolderNode* Node = FReading.load(std::memory_order_acquire);
  return Node ? PathOf(Node) : std::string();
}

void TScan2::MarkStopped()
{
  // Folders the stop cut short keep what was counted in them.
  std::vector<TFolderNode*> Pending{FNode};
  while (!Pending.empty()) {
    TFolderNode* Node = Pending.back();
    Pending.pop_back();
    TFolderData* Record = Node->FData;
    if (Record->FIsFiles || Record->Finished())
      continue;
    Record->FState = fsStopped;
    Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
  }
}
