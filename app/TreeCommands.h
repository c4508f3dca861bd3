// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderTree.h"
#include "view/NodeOrder.h"
#include "view/ValueDisplay.h"

#include <QCoreApplication>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QString;
class TTreeSweep;
class TFolderTreeView;
class TFolderModel;
class TFolderNode;
class TFolderTree;
class TValueDisplay;
struct TRoot;

// The commands that order, open and mark the folder tree: sorting by the
// sort mode, expanding (fully, to a level, above a size), collapsing,
// counting folders, and bold for the large folders of a finished scan.
class TTreeCommands {
  Q_DECLARE_TR_FUNCTIONS(TTreeCommands)

public:
  TTreeCommands(TFolderTreeView* View, TFolderModel& Model, TFolderTree& Tree, TValueDisplay& Display);
  ~TTreeCommands();

  TValueDisplay::TSortType FSortType = TValueDisplay::stSize;
  int FMinimumExpandSize = 10;  // megabytes, for "Expand Folder over" and "Remove Folder <"

  bool IsExpanded(const TFolderNode* Node) const;
  // Sorts Node's children by the sort mode (nothing for "none"); those of a
  // very large folder in slices.
  void SortChildren(TFolderNode* Node);
  // Sorts the children of every node of Nodes, told to the view as one change.
  void SortChildren(const std::vector<TFolderNode*>& Nodes);
  // Adds Node's new order of children to Orders when the sort mode changes it.
  void OrderChildren(TFolderNode* Node, std::vector<TFolderTree::TOrder>& Orders);
  // The same in steps (see TNodeOrder): whether the sort mode orders Node's
  // children, and the key of each child.
  bool Sorting(const TFolderNode* Node) const;
  TNodeOrder::TKeyed Keyed(TFolderNode* Child);
  // Sorts Node's children and those of every expanded folder below it.
  void ResortTree(TFolderNode* Node);
  // What expanding Node takes: its children sorted, labelled and, once its
  // scan is over, marked bold.
  void Expanding(TFolderNode* Node);
  // A first-level folder of the scan of Top is done: its children are
  // sorted again, and the only root opens once it has a folder to show.
  void ScanStep(TFolderNode* Top, bool OnlyRoot);
  // The scan of Root ended: its top opens one level, marked and labelled,
  // unless it was stopped, and what was open before a rescan opens again.
  // Returns the folder that was selected before the rescan, if still there.
  TFolderNode* ScanFinished(TRoot* Root, bool Stopped);
  // Expands Node and everything below it, sorted and marked, in slices.
  void FullExpand(TFolderNode* Node);
  // A Full Expand or a sort of the whole tree is still under way.
  bool Busy() const;
  void CollapseAll(TFolderNode* Node);
  // Expands Levels levels below Node, each folder only while its measure in
  // megabytes is at least Minimum; collapses what lies deeper.
  void ExpandToLevel(TFolderNode* Node, int Levels, double Minimum);
  // Sorts every root's tree again (in slices); first, when the measure
  // shown changed, relabels them and sets bold by the new measure.
  void ResortAll(bool MeasureChanged);
  // A size typed for the minimum expand size: a whole number of megabytes,
  // with or without a unit ("10", "10 MB", "2 GB", "2048 KB"). False, with
  // Megabytes untouched, for anything else.
  static bool ParseMegabytes(const QString& Text, int& Megabytes);
  // Asks for the minimum expand size, telling a size it cannot take.
  void AskMinimumExpandSize();
  // What was open and selected in a root's tree, as paths of folder names
  // below it, so that a rescan can open and select the same folders again.
  struct TTreeState {
    std::vector<std::vector<std::string>> FExpanded;
    std::vector<std::string> FCurrent;
    bool FHasCurrent = false;
  };
  TTreeState SaveState(const TFolderNode* Top, const TFolderNode* Current) const;
  // Keeps State for when the scan of Root ends; an empty state forgets it.
  void KeepState(const TRoot* Root, TTreeState State);
  // Before Root is scanned again: what is open and selected in it, or what
  // was kept for a rescan of it that has not ended yet.
  std::optional<TTreeState> BeforeRescan(const TRoot* Root, const TFolderNode* Current);
  // The folders below Top, "<Files>" entries left out.
  static int CountFolders(const TFolderNode* Top);
  // Tells how many folders Top has.
  void TellFolderCount(const TFolderNode* Top);
  // Bold for the large folders below Node, and new labels for them (every
  // root's when Node is null).
  void Relabel(TFolderNode* Node, bool Bold);

private:
  std::optional<TTreeState> TakeState(const TRoot* Root);
  // Node and every folder shown below it: below expanded ones.
  std::vector<TFolderNode*> Shown(TFolderNode* Node) const;

  TFolderTreeView* FView;
  TFolderModel& FModel;
  TFolderTree& FTree;
  TValueDisplay& FDisplay;
  std::unique_ptr<TTreeSweep> FSweep;
  std::map<const TRoot*, TTreeState> FKept;  // keys are compared, never read
};
