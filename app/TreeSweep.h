// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderTree.h"
#include "view/JobQueue.h"
#include "view/NodeOrder.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <deque>
#include <memory>
#include <vector>

class TFolderModel;
class TFolderNode;
class TFolderTreeView;
class TTreeCommands;
class TValueDisplay;

// Work over many folders of the tree, done in slices so that the window
// keeps answering however large the tree: sorting the children of every
// folder shown (the view hears of the new order once, at the end), and for
// a Full Expand, sorting and labelling a whole branch and then opening it
// level by level. Small work ends within the call that starts it. Any
// removal from the tree ends it where it is.
class TTreeSweep : public QObject {
public:
  TTreeSweep(TTreeCommands& Commands, TFolderTreeView* View, TFolderModel& Model, TFolderTree& Tree,
             TValueDisplay& Display);

  // Sorts the children of Tops and of every folder shown below them.
  void Sort(const std::vector<TFolderNode*>& Tops);
  // Adds Node to the folders being sorted, starting a sort when none runs.
  void SortAlso(TFolderNode* Node);
  // Sorts, labels and opens Node and everything below it.
  void Expand(TFolderNode* Node);
  void Cancel();
  bool Busy() const { return FTimer.isActive(); }
  // The view is being told to open folders: not a user's expanding.
  bool Opening() const { return FOpening; }

private:
  void Slice();

  TTreeCommands& FCommands;
  TFolderTreeView* FView;
  TFolderModel& FModel;
  TFolderTree& FTree;
  TValueDisplay& FDisplay;
  TFolderNode* FTop = nullptr;  // of a Full Expand
  std::vector<TFolderNode*> FToSort;
  // The folder whose children are being keyed, and their keys so far.
  TFolderNode* FKeying = nullptr;
  std::vector<TNodeOrder::TKeyed> FKeys;
  // Keys of many children are sorted on threads of their own, which share
  // them until Done.
  struct TPoolSort {
    TFolderNode* Node;
    std::vector<TNodeOrder::TKeyed> Keys;
    bool Done = false;
  };
  std::vector<std::shared_ptr<TPoolSort>> FPoolSorts;
  TJobQueue FSorting{QThread::idealThreadCount()};
  std::vector<TFolderTree::TOrder> FOrders;
  std::deque<TFolderNode*> FToOpen;  // in the order they show, level by level
  bool FOpening = false;
  QTimer FTimer;
};
