// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/ValueFormat.h"

#include <QCoreApplication>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMouseEvent;
class QScrollBar;
class QToolBar;
class TChart;
class TChartSeries;
class TColorButton;
class TFolderNode;
class TValueDisplay;

// The chart side of the right pane: the current folder's sub-folders as a
// pie or as stacked bars, with the chart's tool bar above it and a scroll
// bar beside long bar charts. It is filled again from the folder records on
// each change the window tells it of, never point by point.
class TChartPane : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TChartPane)

public:
  // CurrentNode answers which folder to chart when a fill runs.
  TChartPane(TValueDisplay& Display, std::function<TFolderNode*()> CurrentNode);
  ~TChartPane() override;

  TChart* Chart;
  TChartSeries* PieSeries;
  TChartSeries* BarSeries;
  TChartSeries* BarSeries2;
  QScrollBar* ChartScrollBar;
  QToolBar* ChartToolBar;
  TColorButton* ColorBtn;
  QAction* ToolButton2;   // copy
  QAction* ToolButton10;  // print
  QAction* ToolButton4;   // save
  QAction* View3DButton;
  QAction* ShowLegendButton;
  QAction* VertGridButton;
  QAction* HorzGridButton;
  QAction* PatternButton;
  QAction* ZoomInButton;
  QAction* ZoomOutButton;
  QAction* ChangeButton;  // while comparing: the change since, not the sizes

  // The series that answers the mouse: the pie, or the bars' first series.
  TChartSeries* CurrentSeries = nullptr;
  int ClickedPoint = -1;      // the point last right-clicked; -1 none
  bool ColorPending = false;  // the palette dropped down: the next click on a point colours it
  int LastMouseX = 0;
  int LastMouseY = 0;

  // The children of a folder in the tree's order, before they are charted.
  std::function<void(TFolderNode*)> OnSortChildren;
  // A double click: the tree's selected folder opens one level and its
  // sub-folder of the given index (-1 none) is selected.
  std::function<void(int Child)> OnDrillDown;

  // The mode buttons the window shares with its own tool bar and menu.
  void AddModeActions(QAction* Pie, QAction* Bar);
  // A comparison started or ended: the change can be charted, and is.
  void ShowChange(bool Comparing);
  // The chart's part of switching to the pie and to the bars.
  void ShowPie();
  void ShowBar();
  bool PieActive() const;
  // The tool bar's buttons as stored, each applied as if clicked.
  void ApplySettings(bool ToolBar, bool View3D, bool Legend, bool Patterns);
  void ShowToolBar(bool Visible);

  void FillChart();
  void SetupChartScrollBar();
  // The tree changed the order of folders: a chart that no longer shows its
  // folder's sub-folders in the tree's order is filled again.
  void FollowTreeOrder();
  // An empty chart, when no folder is current.
  void Clear();

  void CopyChart();
  // Asks where, then saves the chart as a picture.
  void SaveChartClick();
  // The chart as a picture in FileName, as TPictureFile::Save.
  QString SaveChart(const QString& FileName, const QString& Suffix, QString& Error) const;

  void View3DButtonClick();
  void ShowLegendButtonClick();
  void VertGridButtonClick();
  void HorzGridButtonClick();
  void PatternButtonClick();
  void ZoomInButtonClick();
  void ZoomOutButtonClick();
  void ColorBtnDropDown();
  void ColorBtnClick();

private:
  void ChartMouseDown(QMouseEvent* Event);
  void ChartDblClick(QMouseEvent* Event);
  void ChartScrollBarChange(int Position);
  void ChartScroll();
  QString ChartTitle(const TFolderNode* Node) const;
  // What a folder without sub-folders holds: "Empty folder", or its files'
  // size and count.
  QString ContentsText(const TFolderNode* Node) const;
  // The values of a measure of the view type as the tree writes them.
  TValueFormat ValueFormat(int ViewType) const;
  // "bmp", "png" or "jpeg" by the name's extension; empty for any other.
  // Adds the "Free Space" slice when Node is the top of its file system.
  void AddFreeSpace(const TFolderNode* Node, bool Megabytes);
  // Whether Node's change is charted, not its sizes.
  bool ChartsChange(const TFolderNode* Node) const;
  // The two bar series shown: sizes and wasted space, or growth and shrinking.
  std::pair<TChartSeries*, TChartSeries*> Bars() const;

  TValueDisplay& FDisplay;
  std::function<TFolderNode*()> FCurrentNode;
  std::unique_ptr<TChartSeries> FPie, FBar, FBar2, FGrown, FShrunk;
  QAction* FModeSeparator;
  // The folder last charted and its sub-folders in the order charted; only
  // compared, never followed, as any of them may have gone since.
  const TFolderNode* FCharted = nullptr;
  std::vector<const TFolderNode*> FChartedOrder;
};
