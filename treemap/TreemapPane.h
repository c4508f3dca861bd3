// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LatestJob.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QPainter;
class TFolderNode;
class TFolderTree;
class TTreemapLegend;
class TTreemapView;
struct TScanSettings;
struct TTreemapTile;
class TValueDisplay;

// The right pane's treemap: the current folder's whole subtree, down to its
// files, coloured by kind, with the key below. Hovering tells what a tile
// is; a click selects its folder in the tree (and its file in the list)
// while the treemap stays; a double click opens a folder. Names of files are
// read from their folder when first needed, off the window's thread.
class TTreemapPane : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TTreemapPane)

public:
  TTreemapPane(TValueDisplay& Display, TFolderTree& Tree, const TScanSettings& Settings,
               std::function<TFolderNode*()> CurrentNode);

  // Shows the current folder again, in the measure of the view type; while
  // its root is being scanned, at most once a second.
  void Fill();
  // Lets go of every node of the tree; nothing is drawn until the next Fill.
  void Clear();
  // The folder shown.
  TFolderNode* Shown() const { return FShown; }
  TTreemapView& View() { return *FView; }
  // Lights the files of class Kind, of Extension (lower case) when given,
  // and dims the rest; a Kind below 0 lights all.
  void SetHighlight(int Kind, const std::string* Extension);
  // The tiles of the folder shown, as laid out now (its sub-folders, files
  // and small items): the first and how many. None while a picture is being
  // made.
  std::pair<int, int> ShownTiles() const;
  // A tile as a person reads it: its name (a file's kind, whose name may
  // still have to be read) and its value in the measure shown.
  std::pair<QString, QString> Described(const TTreemapTile& Tile) const;
  QWidget* Legend() const;
  // The treemap with its key, as copied, saved and printed.
  QImage Picture() const;
  void Draw(QPainter& Painter, const QRect& Bounds) const;

  // A tile was clicked: its folder is to be selected in the tree and, for a
  // file, the file in the list (its name; empty for a folder).
  std::function<void(TFolderNode* Folder, const std::string& File)> OnSelect;
  // A tile was double-clicked: its folder, shown now, is to be selected in
  // the tree.
  std::function<void(TFolderNode* Folder)> OnOpen;
  // Backspace: the folder above the one shown is wanted.
  std::function<void()> OnParent;
  // What the mouse is over, for the status bar; empty when nothing.
  std::function<void(const QString& Text)> OnHover;

protected:
  void contextMenuEvent(QContextMenuEvent* Event) override;

private:
  // The current folder: the folder of a "<Files>" entry.
  TFolderNode* CurrentFolder() const;
  void Show(TFolderNode* Node);
  void Hover(const TTreemapTile* Tile);
  void Click(const void* Folder, uint32_t File);
  // Selects a clicked tile's folder, and file, in the tree and the list.
  void Select(TFolderNode* Folder, const std::string& File);
  // Shows a double-clicked tile's folder, and selects it in the tree.
  void Open(TFolderNode* Folder);
  // Calls Done with the name of Folder's file Index once its names are read.
  void NameOf(TFolderNode* Folder, uint32_t Index, std::function<void(const std::string&)> Done);

  TValueDisplay& FDisplay;
  TFolderTree& FTree;
  const TScanSettings& FSettings;
  std::function<TFolderNode*()> FCurrentNode;
  TTreemapView* FView;
  TTreemapLegend* FLegend;
  TFolderNode* FShown = nullptr;
  const TFolderNode* FClicked = nullptr;  // selected in the tree by a click here
  QTimer FThrottle;
  std::chrono::steady_clock::time_point FLastFill;
  // The names of the files of one folder, in the order the scan kept them.
  std::string FNamesOf;
  std::vector<std::string> FNames;
  // Two threads: a folder on a hung share does not hold up the next.
  TLatestJob FNamesJob{2};
};
