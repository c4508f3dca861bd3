#pragma once

class QTreeView;
class TFolderModel;
class TFolderNode;
class TFolderTree;
class TValueDisplay;

// The commands that order, open and mark the folder tree: sorting by the
// sort mode, expanding (fully, to a level, above a size), collapsing,
// counting folders, and bold for the large folders of a finished scan.
class TTreeCommands {
public:
  TTreeCommands(QTreeView* View, TFolderModel& Model, TFolderTree& Tree, TValueDisplay& Display);

  int FSortType = 2;            // 1 by name, 2 by size, 3 none
  int FMinimumExpandSize = 10;  // megabytes, for "Expand Folder over" and "Remove Folder <"

  bool IsExpanded(const TFolderNode* Node) const;
  // Sorts Node's children by the sort mode (nothing for "none").
  void SortChildren(TFolderNode* Node);
  // Sorts Node's children and those of every expanded folder below it.
  void ResortTree(TFolderNode* Node);
  // What expanding Node takes: its children sorted, labelled and, once its
  // scan is over, marked bold.
  void Expanding(TFolderNode* Node);
  // Expands Node and everything below it in one go.
  void FullExpand(TFolderNode* Node);
  void CollapseAll(TFolderNode* Node);
  // Expands Levels levels below Node, each folder only while its measure in
  // megabytes is at least Minimum; collapses what lies deeper.
  void ExpandToLevel(TFolderNode* Node, int Levels, double Minimum);
  // The folders below Top, "<Files>" entries left out.
  static int CountFolders(const TFolderNode* Top);
  // Bold for the large folders below Node, and new labels for them.
  void Relabel(TFolderNode* Node, bool Bold);

private:
  QTreeView* FView;
  TFolderModel& FModel;
  TFolderTree& FTree;
  TValueDisplay& FDisplay;
  bool FBulkExpanding = false;
};
