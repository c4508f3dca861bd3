// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/NcduImport.h"
#include "scan/ResultQueue.h"
#include "scan/RootScan.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class TStreamSource;

// An export read into a root as it arrives, on a thread of its own: each
// folder joins the tree as soon as its entry is read and its totals grow
// as its contents follow, so the root fills as a scan's does. An export
// that breaks off leaves what was read, marked incomplete with the reason.
class TImportScan : public TRootScan, private TNcduImport::TSink {
public:
  // Reads Import's source into Root, whose top node is in the tree and
  // empty; the top keeps its name when KeepName, else takes the export's.
  TImportScan(TRoot* Root, std::unique_ptr<TNcduImport> Import, bool KeepName, TScanListener* Listener);
  ~TImportScan() override;
  TImportScan(const TImportScan&) = delete;
  TImportScan& operator=(const TImportScan&) = delete;

  void Resume();
  void Terminate() override { FStop.store(true, std::memory_order_relaxed); }
  bool Terminated() const override { return FStop.load(std::memory_order_relaxed); }
  bool Finished() const override { return FFinished; }
  void Drain(TDeadline Deadline = TDeadline::max()) override;
  void WaitForResults(std::chrono::milliseconds Timeout) override;
  void Await() override;
  TFolderNode* Node() const override;
  TRoot* Root() const override { return FRoot; }
  TScanCounts Counted() const override;
  std::string ReadingPath() const override;

private:
  struct TResult {
    enum TKind { rkTop, rkAttach, rkBlock, rkProgress, rkDone } Kind;
    explicit TResult(TKind Kind, TFolderNode* Parent = nullptr, TFolderNode* Node = nullptr,
                     TFolderBlock* Block = nullptr)
      : Kind(Kind), Parent(Parent), Node(Node), Block(Block)
    {
    }
    TFolderNode* Parent;
    TFolderNode* Node;
    TFolderBlock* Block;
    std::string Name;
    uint32_t ClusterSize = 0;
  };

  void Top(const std::string& Name, uint32_t ClusterSize) override;
  void Attach(TFolderNode* Parent, TFolderNode* Node) override;
  void Finished(TFolderNode* Node, TFolderBlock* Block, bool FirstLevel) override;
  void Post(TResult&& Result);
  void Complete();

  TRoot* const FRoot;
  const std::unique_ptr<TNcduImport> FImport;
  const bool FKeepName;
  TScanListener* const FListener;
  std::thread FThread;
  std::atomic<bool> FStop{false};
  std::atomic<const TFolderNode*> FReading{nullptr};
  TResultQueue<TResult> FResults;
  bool FFinished = false;
};
