// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/ImportScan.h"

#include "fs/PathRules.h"
#include "scan/FolderBlock.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"

#include <utility>

TImportScan::TImportScan(TRoot* Root, std::unique_ptr<TNcduImport> Import, bool KeepName, TScanListener* Listener)
  : FRoot(Root), FImport(std::move(Import)), FKeepName(KeepName), FListener(Listener)
{
  Root->FNode->FState = ssListing;
}

TImportScan::~TImportScan()
{
  Terminate();
  if (FThread.joinable())
    FThread.join();
  // What was never attached belongs to nobody else.
  FResults.ForEachLeft([](TResult& Result) {
    if (Result.Kind == TResult::rkAttach)
      TFolderNode::DeleteSubtree(Result.Node);
    else if (Result.Kind == TResult::rkBlock)
      TFolderBlock::Free(Result.Block);
  });
}

void TImportScan::Resume()
{
  FThread = std::thread([this] {
    FImport->Run(*FRoot, *this, &FStop);
    Post(TResult(TResult::rkDone));
  });
}

TFolderNode* TImportScan::Node() const
{
  return FRoot->FNode;
}

TScanCounts TImportScan::Counted() const
{
  return {FImport->FoldersRead(), FImport->FilesRead(), 0};
}

std::string TImportScan::ReadingPath() const
{
  // Names are given before a node is posted, and nodes are freed only
  // after the reading.
  const TFolderNode* Node = FReading.load(std::memory_order_acquire);
  return Node ? Node->FullPath() : std::string();
}

void TImportScan::Top(const std::string& Name, uint32_t ClusterSize)
{
  TResult Result(TResult::rkTop);
  Result.Name = Name;
  Result.ClusterSize = ClusterSize;
  Post(std::move(Result));
}

void TImportScan::Attach(TFolderNode* Parent, TFolderNode* Node)
{
  Post(TResult(TResult::rkAttach, Parent, Node));
  FReading.store(Node, std::memory_order_release);
}

void TImportScan::Finished(TFolderNode* Node, TFolderBlock* Block, bool FirstLevel)
{
  if (Block)
    Post(TResult(TResult::rkBlock, nullptr, Node, Block));
  if (FirstLevel)
    Post(TResult(TResult::rkProgress));
}

void TImportScan::Post(TResult&& Result)
{
  const bool Done = Result.Kind == TResult::rkDone;
  FResults.Post(std::move(Result), Done);
}

void TImportScan::WaitForResults(std::chrono::milliseconds Timeout)
{
  FResults.WaitForLast(Timeout);
}

void TImportScan::Drain(TDeadline Deadline)
{
  TFolderTree& Tree = *FRoot->FTree;
  std::vector<TFolderNode*> Siblings;
  while (!FFinished) {
    if (Deadline != TDeadline::max() && std::chrono::steady_clock::now() > Deadline)
      return;
    TResult* Next = FResults.Next();
    if (!Next)
      return;
    TResult& Result = *Next;
    switch (Result.Kind) {
      case TResult::rkTop:
        FRoot->FClusterSize = Result.ClusterSize;
        if (!FKeepName) {
          Tree.Rename(FRoot->FNode, Result.Name);
          FRoot->FPath = TPathRules::WithSeparator(Result.Name);
          FRoot->FTitle = TPathRules::Shown(Result.Name) + " (imported)";
        }
        Tree.NodeChanged(FRoot->FNode);
        break;
      case TResult::rkAttach:
        // Siblings read one after the other join the tree together.
        Siblings.push_back(Result.Node);
        for (TResult* Sibling = FResults.Following();
             Sibling && Sibling->Kind == TResult::rkAttach && Sibling->Parent == Result.Parent;
             Sibling = FResults.Following())
          Siblings.push_back(FResults.Next()->Node);
        Tree.AppendChildren(Result.Parent, Siblings);
        break;
      case TResult::rkBlock: Tree.AppendBlock(std::exchange(Result.Block, nullptr)); break;
      case TResult::rkProgress:
        ++FRoot->FSubfoldersDone;
        if (FListener)
          FListener->ScanProgress(FRoot);
        break;
      case TResult::rkDone: Complete(); break;
    }
  }
}

void TImportScan::Await()
{
  if (FThread.joinable())
    FThread.join();
  while (!FFinished)
    Drain();
}

void TImportScan::Complete()
{
  if (FThread.joinable())
    FThread.join();
  TFolderNode* Top = FRoot->FNode;
  if (Top->FState == ssListing)
    Top->FState = ssStopped;  // the export ended before its top folder began
  FImport->GiveRoot(*FRoot);
  FRoot->FSubfolderCount = FRoot->FSubfoldersDone = int(Top->ChildCount());
  // Why, without the source the window names already.
  if (const std::string& Error = FImport->Error(); !Terminated() && !Error.empty())
    FRoot->FIncomplete = Error.starts_with(FRoot->FSource + ": ") ? Error.substr(FRoot->FSource.size() + 2)
      : Error.starts_with(FRoot->FSource + " ")                   ? Error.substr(FRoot->FSource.size() + 1)
                                                                  : Error;
  FRoot->FWorker = nullptr;
  FRoot->FTree->NodeChanged(Top);
  FFinished = true;
  if (FListener)
    FListener->ScanDone(FRoot, Terminated(), Counted());
}
