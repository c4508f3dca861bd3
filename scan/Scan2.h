// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/Directory.h"
#include "scan/FolderFiles.h"
#include "scan/FolderHandles.h"
#include "scan/LinkCounter.h"
#include "scan/ResultQueue.h"
#include "scan/RootScan.h"
#include "scan/ScanListener.h"
#include "scan/ScanSettings.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

class TFolderBlock;
class TFolderNode;
struct TRoot;

// One scan of one folder (a whole scan root or one branch of it). The folder
// is walked by a few worker threads, each taking one folder at a time: list
// it, count its files, hand its sub-folders on as new tasks. Workers create
// the nodes and records of the subtree and count into them; what the owning
// thread must do (attach nodes to the tree, advance progress, report failures)
// is queued and applied by Drain(), so a scan never waits for the window.
class TScan2 : public TRootScan {
public:
  // Takes the start node's totals as the old values and clears them. The
  // workers start with Resume(). Listener, when given, hears of the scan's
  // failures, progress and end from Drain().
  TScan2(const std::string& Path, TFolderNode* Node, TRoot* Root, const TScanSettings& Settings,
         TScanListener* Listener = nullptr);
  // Stops and joins the workers; results never drained are freed.
  ~TScan2() override;
  TScan2(const TScan2&) = delete;
  TScan2& operator=(const TScan2&) = delete;

  void Resume();
  // Asks the workers to stop: each folder being listed finishes its listing,
  // nothing new is entered, and folders on the way stay incomplete.
  void Terminate() override { FTerminated.store(true, std::memory_order_relaxed); }
  bool Terminated() const override { return FTerminated.load(std::memory_order_relaxed); }
  bool Finished() const override { return FFinished; }
  void Drain(TDeadline Deadline = TDeadline::max()) override;
  void WaitForResults(std::chrono::milliseconds Timeout) override;
  void Await() override;

  TFolderNode* Node() const override { return FNode; }
  TRoot* Root() const override { return FRoot; }
  const std::string& Path() const { return FPath; }
  TScanCounts Counted() const override
  {
    return {FFoldersCounted.load(std::memory_order_relaxed), FFilesCounted.load(std::memory_order_relaxed),
            FExcludedCounted.load(std::memory_order_relaxed)};
  }
  std::string ReadingPath() const override;

  // The start node's totals before the scan.
  TFileCount FOld;

  // Test hook: how many descriptors folders waiting for their sub-folders
  // may keep (0: none, each is opened again by name); -1 for the usual.
  static void SetDescriptorBudget(int Budget);

private:
  using TDirHandle = TFolderHandles::THandle;
  struct TTask {
    TFolderNode* Node;
    TDirHandle* Parent;  // null for the start folder
    bool IsLink;
  };
  struct TResult {
    enum TKind { rkAppend, rkProgress, rkFailure, rkDone } Kind;
    explicit TResult(TKind Kind) : Kind(Kind) {}
    TFolderBlock* Block = nullptr;
    int Code = 0;
    std::string Path;
  };
  // What a worker keeps from one folder to the next.
  struct TWorkspace {
    std::vector<char> Buffer;
    std::string Names;                                // the sub-folders' names, each ended by a zero byte
    std::vector<std::pair<size_t, bool>> SubFolders;  // name offset, is a link
    std::vector<std::string_view> NameViews;
    std::vector<TTask> NewTasks;
    std::vector<TLinkCounter::TLinkedFile> Linked;  // own files with several names
    TFolderFiles::TBuilder Files;                   // kept for the window
  };

  // One more worker: 0, or the errno when the system gives no more threads.
  int Spawn();
  void JoinAll();
  void WorkerLoop();
  void WalkFolder(const TTask& Task, TWorkspace& Space);
  bool Enter(const TTask& Given, int& Fd, TFileIdentity& Identity, TDirHandle*& Trail, bool& Followed);
  // Above is the handle of Node's parent, null for the start folder.
  void FinishFolder(TFolderNode* Node, TDirHandle* Above);
  void FinishUnentered(TFolderNode* Node, TDirHandle* Above, uint8_t Flags);
  void AddUp(TFolderNode* Node, const TFileCount& Count);
  void ReportFailure(TFolderNode* Node, int Code);
  void Post(TResult&& Result);
  void Complete();
  void MarkStopped();

  TFolderNode* FNode;
  TRoot* FRoot;
  std::string FPath;
  const TScanSettings FSettings;
  TScanListener* const FListener;
  const uint32_t FClusterSize;

  std::vector<std::thread> FThreads;
  std::atomic<bool> FTerminated{false};
  std::atomic<uint64_t> FFilesCounted{0};
  std::atomic<uint64_t> FFoldersCounted{0};
  std::atomic<uint64_t> FExcludedCounted{0};
  std::atomic<const TFolderNode*> FReading{nullptr};
  TFolderHandles FHandles;

  std::mutex FTaskMutex;
  std::condition_variable FTaskReady;
  std::condition_variable FWorkersEnded;
  std::vector<TTask> FTasks;
  int FBusy = 0;
  size_t FIdle = 0;
  int FWorkersLeft = 0;  // workers started and not yet ended

  // Folders entered through a followed link or mount point, as device and
  // inode: each is entered once, however many ways lead to it.
  std::mutex FEnteredMutex;
  std::set<std::pair<uint64_t, uint64_t>> FEntered;

  TResultQueue<TResult> FResults;

  bool FFinished = false;
};
