// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/ReportCanvas.h"
#include "scan/FolderTreeListener.h"

#include <QCoreApplication>
#include <QStackedWidget>
#include <QTimer>

#include <functional>
#include <vector>

class QLabel;
class QModelIndex;
class TChartPane;
class TDetailsList;
class TFilesList;
class TFolderNode;
class TFolderTree;
class TTreemapPane;
class TTypesList;
class TValueDisplay;
struct TScanSettings;

// The right pane: the current folder of the tree shown as the details list,
// a chart, a treemap, the files view or the types view, which may show the
// treemap below its rows. It is refilled when the selection, a scan or the
// options change. A chart or a treemap is filled at once; the lists' refill
// waits a moment, so that walking the tree with the keys does not list
// every folder passed.
class TRightPane : public QStackedWidget, public TFolderTreeListener {
  Q_DECLARE_TR_FUNCTIONS(TRightPane)

public:
  // CurrentNode answers which folder to show when a refill runs.
  TRightPane(TValueDisplay& Display, TFolderTree& Tree, const TScanSettings& Settings,
             std::function<TFolderNode*()> CurrentNode);

  TDetailsList& List() { return *FList; }
  TChartPane& Charts() { return *FCharts; }
  TTreemapPane& Treemap() { return *FTreemap; }
  TFilesList& Files() { return *FFiles; }
  TTypesList& Types() { return *FTypes; }
  bool ShowsList() const;
  bool ShowsTreemap() const;
  bool ShowsFiles() const;
  bool ShowsTypes() const;
  // What is shown; the window's settings keep it by its number.
  enum TSeries : int { psPie, psBars, psList, psTreemap, psFiles, psTypes };
  TSeries Series() const;
  // The drawings of the chart or treemap shown, one a printed page, for
  // print; none with the list.
  std::vector<TReportCanvas::TPictureDraw> ShownPicture();

  // The treemap picked a folder to show or select (and told the list which
  // of its files to select).
  std::function<void(TFolderNode* Folder)> OnSelect;
  // What the mouse is over in the treemap, for the status bar.
  std::function<void(const QString& Text)> OnHint;

  // Shows the details list and fills it.
  void ShowList();
  // Selects every row of the list in focus: the Files view's, else the
  // details list, which takes the focus; true for the details list.
  bool SelectAllRows();
  // Shows the chart; the chart's mode switch fills it.
  void ShowChart();
  void ShowTreemap();
  void ShowFiles();
  void ShowTypes();
  // Shows the current folder again (at once, or after the deferral).
  void Refill();
  // Draws the chart or the treemap again, or lists the files view's files
  // again, whichever is shown, at once.
  void RefillPicture();
  // Lets go of every record of the tree.
  void Clear();
  // A click in the tree: the deferred refill comes sooner.
  void TreeClicked() { FTimer.setInterval(100); }
  // A key in the tree: the deferred refill waits for the keys to settle.
  void TreeKeyPressed() { FTimer.setInterval(500); }
  // Folders of the tree are about to go: the views let go of what they hold
  // of them before they are freed and are filled again once the tree has
  // settled. The window adds the pane to the tree's listeners.
  void TreeBeginRemove(TFolderNode* Parent, size_t First, size_t Last) override;

  // What the pane says while no folder is selected.
  static const char* EmptyHint;
  bool ShowsEmptyHint() const;

protected:
  void resizeEvent(QResizeEvent* Event) override;

private:
  enum TRefillState { rsDefer, rsPending, rsAtOnce };
  void ShowEmptyHint(bool Shown);
  // Shows Page, letting go of what the page before held.
  void ShowPage(QWidget* Page);
  // Puts the treemap where it is shown: on its page, or below the types.
  void PlaceTreemap();

  const TScanSettings& FSettings;
  std::function<TFolderNode*()> FCurrentNode;
  TFolderTree& FTree;
  TDetailsList* FList;
  TChartPane* FCharts;
  TTreemapPane* FTreemap;
  TFilesList* FFiles;
  TTypesList* FTypes;
  QWidget* FTreemapPage;
  QLabel* FEmptyHint;
  QTimer FTimer;
  TRefillState FState = rsDefer;
  bool FRefillDue = false;  // a refill after rows of the shown folder went
};
