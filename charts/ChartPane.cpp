// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartPane.h"

#include "charts/Chart.h"
#include "charts/ChartIcons.h"
#include "charts/ChartSeries.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "fs/SafeSave.h"
#include "scan/Baseline.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/ZelSystemImageList.h"
#include "view/PictureFile.h"
#include "view/ValueDisplay.h"
#include "widgets/ColorButton.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TChartPane::TChartPane(TValueDisplay& Display, std::function<TFolderNode*()> CurrentNode)
  : FDisplay(Display), FCurrentNode(std::move(CurrentNode))
{
  FPie = std::make_unique<TChartSeries>(TChartSeries::skPie, "PieSeries", QColor());
  FBar = std::make_unique<TChartSeries>(TChartSeries::skBar, tr("Size"), QColor(Qt::green));
  FBar2 = std::make_unique<TChartSeries>(TChartSeries::skBar, tr("Wasted Space"), QColor(255, 128, 0));
  FGrown = std::make_unique<TChartSeries>(TChartSeries::skBar, tr("Grown"), QColor(0xD0, 0x40, 0x3A));
  FShrunk = std::make_unique<TChartSeries>(TChartSeries::skBar, tr("Shrunk"), QColor(0x3F, 0x6F, 0xD0));
  PieSeries = FPie.get();
  BarSeries = FBar.get();
  BarSeries2 = FBar2.get();
  PieSeries->FOtherPercent = 2;

  Chart = new TChart;
  // A gradient turns to bands on a screen of few colours.
  if (const QScreen* Screen = QGuiApplication::primaryScreen(); Screen && Screen->depth() <= 8)
    Chart->FGradient = false;
  Chart->FSeries = {PieSeries, BarSeries, BarSeries2, FGrown.get(), FShrunk.get()};
  Chart->OnMouseDown = [this](QMouseEvent* Event) { ChartMouseDown(Event); };
  Chart->OnDblClick = [this](QMouseEvent* Event) { ChartDblClick(Event); };
  Chart->OnScroll = [this] { ChartScroll(); };

  ChartScrollBar = new QScrollBar(Qt::Vertical);
  ChartScrollBar->setPageStep(2000);
  ChartScrollBar->setSingleStep(100);
  ChartScrollBar->setRange(0, 0);
  ChartScrollBar->setFocusPolicy(Qt::NoFocus);
  connect(ChartScrollBar, &QScrollBar::valueChanged, this, [this](int Position) { ChartScrollBarChange(Position); });

  ChartToolBar = new QToolBar(tr("Chart"));
  ChartToolBar->setObjectName("ChartToolBar");
  ChartToolBar->setIconSize(QSize(16, 16));
  auto Button = [this](const QString& Hint, const QIcon& Icon, void (TChartPane::*Handler)(), bool Checkable = false) {
    QAction* Item = ChartToolBar->addAction(Icon, Hint.section('|', 0, 0));
    Item->setToolTip(Hint.section('|', 0, 0));
    Item->setStatusTip(Hint.section('|', -1));
    Item->setCheckable(Checkable);
    connect(Item, &QAction::triggered, this, Handler);
    return Item;
  };
  using TIcons = TChartIcons;
  ToolButton2 = Button(tr("Copy Chart to Clipboard as Bitmap"), TZelSystemImageList::ThemeIcon("edit-copy"),
                       &TChartPane::CopyChart);
  // The window prints: it knows the printer and the page.
  ToolButton10 =
    ChartToolBar->addAction(TZelSystemImageList::ThemeIcon("document-print"), tr("Print the current chart"));
  ToolButton4 = Button(tr("Save chart to file as PNG, JPEG or bitmap"),
                       TZelSystemImageList::ThemeIcon("document-save-as"), &TChartPane::SaveChartClick);
  FModeSeparator = ChartToolBar->addSeparator();
  //: Noun: the change since the earlier scan
  ChangeButton = ChartToolBar->addAction(tr("Change"));
  ChangeButton->setToolTip(tr("Show the change since the earlier scan, or the sizes"));
  ChangeButton->setStatusTip(tr("Show how much each sub-folder grew or shrank since the earlier scan"));
  ChangeButton->setCheckable(true);
  ChangeButton->setVisible(false);
  connect(ChangeButton, &QAction::triggered, this, [this] { FillChart(); });
  ChartToolBar->addSeparator();
  View3DButton = Button(tr("View chart in 3D or 2D"), TIcons::Icon(TIcons::ci3D), &TChartPane::View3DButtonClick, true);
  ShowLegendButton =
    Button(tr("Show or Hide Legend"), TIcons::Icon(TIcons::ciLegend), &TChartPane::ShowLegendButtonClick, true);
  VertGridButton = Button(tr("Show or Hide Vertical Grid Lines"), TIcons::Icon(TIcons::ciVertGrid),
                          &TChartPane::VertGridButtonClick, true);
  HorzGridButton = Button(tr("Show or Hide Horizontal Grid Lines"), TIcons::Icon(TIcons::ciHorzGrid),
                          &TChartPane::HorzGridButtonClick, true);
  PatternButton = Button(tr("Switch between patterns and colors"), TIcons::Icon(TIcons::ciPattern),
                         &TChartPane::PatternButtonClick, true);
  ShowLegendButton->setChecked(true);
  VertGridButton->setChecked(true);
  HorzGridButton->setChecked(true);
  ColorBtn = new TColorButton;
  ColorBtn->setToolTip(tr("Choose color and click on a slice or bar to colorize it"));
  ColorBtn->setStatusTip(ColorBtn->toolTip());
  ColorBtn->setAutoRaise(true);
  ColorBtn->OnDropDown = [this] { ColorBtnDropDown(); };
  ColorBtn->OnFaceClick = [this] { ColorBtnClick(); };
  ChartToolBar->addWidget(ColorBtn);
  ChartToolBar->addSeparator();
  ZoomInButton = Button(tr("Zoom In"), TZelSystemImageList::ThemeIcon("zoom-in"), &TChartPane::ZoomInButtonClick);
  ZoomOutButton = Button(tr("Zoom Out"), TZelSystemImageList::ThemeIcon("zoom-out"), &TChartPane::ZoomOutButtonClick);

  auto* Body = new QHBoxLayout;
  Body->setSpacing(0);
  Body->addWidget(Chart, 1);
  Body->addWidget(ChartScrollBar);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addWidget(ChartToolBar);
  Layout->addLayout(Body, 1);
  ChartScrollBar->hide();
  ApplySettings(false, true, true, false);
}

TChartPane::~TChartPane()
{
  Chart->FSeries.clear();
}

void TChartPane::ShowChange(bool Comparing)
{
  ChangeButton->setVisible(Comparing);
  ChangeButton->setChecked(Comparing);
}

bool TChartPane::ChartsChange(const TFolderNode* Node) const
{
  return ChangeButton->isChecked() && FDisplay.Compares(Node);
}

std::pair<TChartSeries*, TChartSeries*> TChartPane::Bars() const
{
  return FGrown->FActive ? std::pair(FGrown.get(), FShrunk.get()) : std::pair(BarSeries, BarSeries2);
}

void TChartPane::AddModeActions(QAction* Pie, QAction* Bar)
{
  ChartToolBar->insertActions(FModeSeparator, {Pie, Bar});
}

bool TChartPane::PieActive() const
{
  return PieSeries->FActive;
}

void TChartPane::ApplySettings(bool ToolBar, bool View3D, bool Legend, bool Patterns)
{
  ShowToolBar(ToolBar);
  View3DButton->setChecked(View3D);
  View3DButtonClick();
  ShowLegendButton->setChecked(Legend);
  ShowLegendButtonClick();
  PatternButton->setChecked(Patterns);
  PatternButtonClick();
}

void TChartPane::ShowToolBar(bool Visible)
{
  ChartToolBar->setVisible(Visible);
}

// ---- Modes --------------------------------------------------------------------------

void TChartPane::ShowPie()
{
  BarSeries->FActive = false;
  BarSeries2->FActive = false;
  PieSeries->FActive = true;
  CurrentSeries = PieSeries;
  Chart->FPanning = TChart::pnBoth;
  Chart->FLegendStyle = TChart::lsValues;
  ChartScrollBar->hide();
  FillChart();
  VertGridButton->setEnabled(false);
  HorzGridButton->setEnabled(false);
}

void TChartPane::ShowBar()
{
  PieSeries->FActive = false;
  BarSeries->FActive = true;
  BarSeries2->FActive = true;
  CurrentSeries = BarSeries;
  Chart->FOrthogonal = true;
  Chart->FPanning = TChart::pnVertical;
  Chart->FLegendStyle = TChart::lsSeries;
  ChartScrollBar->show();
  FillChart();
  VertGridButton->setEnabled(true);
  HorzGridButton->setEnabled(true);
}

// ---- Filling ------------------------------------------------------------------------

QString TChartPane::ChartTitle(const TFolderNode* Node) const
{
  if (!Node->Parent())
    return Node->Root()->FTitle;
  QString Text = TPathRules::Shown(Node->FullPath());
  if (Text.size() > 40)
    Text = FDisplay.NodeCaption(Node) + TPathRules::Separator;
  Text.chop(1);
  return Text;
}

void TChartPane::AddFreeSpace(const TFolderNode* Node, bool Megabytes)
{
  // Told apart with links resolved, as the mount table names folders.
  const std::string Path = Node->FullPath();
  const QString Resolved = QFileInfo(QString::fromLocal8Bit(Path.c_str())).canonicalFilePath();
  std::string Top;
  if (Resolved.isEmpty() || MountTop(Path, Top) != 0
      || TPathRules::WithSeparator(Resolved.toLocal8Bit().toStdString()) != Top)
    return;
  uint64_t TotalKB = 0;
  uint64_t FreeKB = 0;
  if (GetDiskSpaceKB(Path, TotalKB, FreeKB) != 0)
    return;
  const double Free = Megabytes ? std::round(FreeKB / 1024.0) : double(FreeKB);
  PieSeries->Add(Free, tr("Free Space"), QColor(192, 0, 192));
}

QString TChartPane::ContentsText(const TFolderNode* Node) const
{
  const uint64_t Files = Node->OwnCount().Objects;
  if (Files == 0)
    return tr("Empty folder");
  const QString Size = FDisplay.FormatValue(Node, vtSize, false);
  const QString Count = QLocale().toString(qulonglong(Files));
  if (Files == 1)
    return tr("Only files: %1 in %2 file").arg(Size, Count);
  return tr("Only files: %1 in %2 files").arg(Size, Count);
}

TValueFormat TChartPane::ValueFormat(int ViewType) const
{
  // The chart writes its values as the tree does, in the unit chosen.
  return TValueFormat([this, ViewType](double Value) { return FDisplay.MeasureText(Value, ViewType); },
                      [this, ViewType](double Value) { return FDisplay.UnitSize(Value, ViewType); },
                      FDisplay.Decimals());
}

void TChartPane::FillChart()
{
  TFolderNode* Node = FCurrentNode();
  if (isHidden() || !Node)
    return;
  for (TChartSeries* Series : Chart->FSeries)
    Series->Clear();
  if (OnSortChildren)
    OnSortChildren(Node);
  const bool Change = ChartsChange(Node);
  Chart->FTitle = Change ? tr("%1  (change)").arg(ChartTitle(Node)) : ChartTitle(Node);
  Chart->FMarginTop = ChartToolBar->isHidden() ? 3 : 6;

  const int View = FDisplay.FShowType;
  const bool Pie = PieSeries->FActive;
  BarSeries->FActive = !Pie && !Change && View != vtWasted;
  BarSeries2->FActive = !Pie && !Change && View != vtCDROM && View != vtObjects;
  FGrown->FActive = FShrunk->FActive = !Pie && Change;
  // The bars shown answer the mouse and the scroll bar: in the Wasted view
  // those of the wasted space.
  if (!Pie)
    CurrentSeries = Change ? FGrown.get() : BarSeries->FActive ? BarSeries : BarSeries2;
  // Objects are counted, not sized: their bars and axis are counts.
  const int BarMeasure = View == vtCDROM || View == vtObjects ? View : vtSize;
  const bool Megabytes = FDisplay.FUnitType == TValueDisplay::utMB;
  const int UnitFlag = Megabytes ? 0 : 1;
  Chart->FBottomFormat = ValueFormat(View == vtObjects ? vtObjects : vtSize);
  const std::vector<TFolderNode*>& Children = Node->Children();
  Chart->FMaxPointsPerPage = Children.size() > 20 ? 21 : 0;
  // Without sub-folders the chart says what the folder holds; files alone
  // make one slice or bar of the folder itself.
  Chart->FMessage = Children.empty() ? ContentsText(Node) : QString();
  const bool Alone = Children.empty() && Node->Parent() && Node->OwnCount().Objects > 0;

  BarSeries->FValueFormat = ValueFormat(BarMeasure);
  BarSeries2->FValueFormat = ValueFormat(vtWasted);
  if (BarSeries->FActive || BarSeries2->FActive) {
    for (TChartSeries* Series : {BarSeries, BarSeries2})
      if (Series->FActive)
        Series->Reserve(Children.size() + 1);
    auto AddBars = [&](const TFolderNode* Item, bool Cut) {
      const QString Caption = FDisplay.NodeCaption(Item);
      if (BarSeries->FActive)
        BarSeries->Add(Item->GetValue(BarMeasure, UnitFlag), Cut ? Caption.left(24) : Caption);
      if (BarSeries2->FActive)
        BarSeries2->Add(Item->GetValue(vtWasted, UnitFlag), Caption);
    };
    for (const TFolderNode* Child : Children)
      AddBars(Child, true);
    if (Alone)
      AddBars(Node, false);
  }
  // Growth and shrinking as bars of their own colours, in the size's unit.
  const double Unit = View == vtObjects ? 1 : Megabytes ? 1024.0 * 1024 : 1024;
  const std::vector<TBaseline::TChange> Changes =
    Change ? FDisplay.FBaseline->OfChildren(Node) : std::vector<TBaseline::TChange>();
  const auto Grown = [&](size_t Child) { return double(FDisplay.Change(Changes[Child])) / Unit; };
  if (FGrown->FActive) {
    FGrown->FValueFormat = FShrunk->FValueFormat = ValueFormat(View == vtObjects ? vtObjects : vtSize);
    for (size_t Child = 0; Child < Children.size(); ++Child) {
      const QString Caption = FDisplay.NodeCaption(Children[Child]).left(24);
      FGrown->Add(std::max(Grown(Child), 0.0), Caption);
      FShrunk->Add(std::max(-Grown(Child), 0.0), Caption);
    }
  }
  Chart->Rescale();
  if (Pie) {
    PieSeries->FValueFormat = ValueFormat(View);
    PieSeries->FOtherPercent = 0;
    // A running scan has no percentages yet: its slices show the share of
    // the space counted so far.
    const bool SoFar = View == vtPercent && Node->GetValue(vtPercent, UnitFlag) < 0;
    if (SoFar)
      PieSeries->FNote = tr("Share counted so far: the scan is still running");
    PieSeries->Reserve(Children.size() + 2);
    // Of a change, the share of each sub-folder that grew in all they grew.
    if (Change)
      PieSeries->FNote = tr("Growth since the earlier scan; folders that shrank are not shown");
    // Index: of the sub-folder measured; past them, the folder itself.
    auto Measure = [&](const TFolderNode* Item, size_t Index) {
      if (Change)
        return std::max(Index < Changes.size() ? Grown(Index) : double(FDisplay.Change(Item)) / Unit, 0.0);
      if (SoFar)
        return TFolderData::PercentOf(double(Item->AllocatedClusters()), double(Node->AllocatedClusters()));
      return Item->GetValue(View, UnitFlag);
    };
    for (size_t Index = 0; Index < Children.size(); ++Index) {
      PieSeries->Add(Measure(Children[Index], Index), FDisplay.NodeCaption(Children[Index]));
      // Up to 15 sub-folders each get a slice; more, and the small ones
      // make one "Other" slice.
      if (Index == 15)
        PieSeries->FOtherPercent = 2;
    }
    if (View == vtAllocated && !Change)
      AddFreeSpace(Node, Megabytes);
    if (Alone)
      PieSeries->Add(Measure(Node, SIZE_MAX), FDisplay.NodeCaption(Node));
  }
  FCharted = Node;
  FChartedOrder.assign(Children.begin(), Children.end());
  ClickedPoint = -1;
  Chart->FExploded = -1;
  Chart->update();
  SetupChartScrollBar();
}

void TChartPane::FollowTreeOrder()
{
  const TFolderNode* Node = FCurrentNode();
  if (isHidden() || !Node || Node != FCharted)
    return;
  const std::vector<TFolderNode*>& Children = Node->Children();
  if (!std::equal(Children.begin(), Children.end(), FChartedOrder.begin(), FChartedOrder.end()))
    FillChart();
}

void TChartPane::Clear()
{
  for (TChartSeries* Series : {PieSeries, BarSeries, BarSeries2})
    Series->Clear();
  FCharted = nullptr;
  FChartedOrder.clear();
  Chart->FTitle.clear();
  Chart->FMessage.clear();
  Chart->Rescale();
  ClickedPoint = -1;
  Chart->FExploded = -1;
  Chart->update();
  SetupChartScrollBar();
}

void TChartPane::SetupChartScrollBar()
{
  const QSignalBlocker Quiet(ChartScrollBar);
  const int Count = PieSeries->FActive || !CurrentSeries ? 0 : CurrentSeries->Count();
  const int Minimum = 0;
  const int Highest = Count > 0 ? (Count - 1) * 100 : 0;
  // Zoomed in, fewer bars show at once: far enough for the last to come
  // into view whole (a position puts its bar 0.4 below the top).
  const double Span = Chart->AxisMaximum() - Chart->AxisMinimum();
  const int Last = Count > 0 ? int(std::ceil(Count - 0.1 - Span)) * 100 : 0;
  const int Maximum = std::max({Minimum, Highest - 1800, Last});
  ChartScrollBar->setRange(Minimum, Maximum);
  ChartScrollBar->setValue(int(std::lround(Chart->AxisMinimum() * 100)));
  ChartScrollBar->setVisible(Maximum != Minimum);
}

void TChartPane::ChartScrollBarChange(int Position)
{
  ClickedPoint = -1;
  Chart->FExploded = -1;
  const double Shift = Position / 100 - Chart->AxisMinimum() - 0.4;
  Chart->SetAxisRange(Chart->AxisMinimum() + Shift, Chart->AxisMaximum() + Shift);
}

void TChartPane::ChartScroll()
{
  ClickedPoint = -1;
  Chart->FExploded = -1;
  const QSignalBlocker Quiet(ChartScrollBar);
  ChartScrollBar->setValue(int(std::lround(Chart->AxisMinimum() * 100)));
}

// ---- Mouse --------------------------------------------------------------------------

void TChartPane::ChartMouseDown(QMouseEvent* Event)
{
  const QPointF At = Event->position();
  LastMouseX = int(At.x());
  LastMouseY = int(At.y());
  int Bar = -1;
  int Bar2 = -1;
  int Point;
  if (PieSeries->FActive) {
    Point = Chart->PointAt(*PieSeries, At);
  } else {
    Bar = Chart->PointAt(*Bars().first, At);
    Bar2 = Chart->PointAt(*Bars().second, At);
    Point = Bar + Bar2 + 1;
  }
  if (Event->button() == Qt::RightButton) {
    ClickedPoint = Point;
    ColorPending = false;
    Chart->FExploded = PieSeries->FActive ? Point : -1;
    Chart->update();
  } else if (Event->button() == Qt::LeftButton && ColorBtn->ActiveColor() != Qt::black && Point >= 0 && ColorPending) {
    const QColor Color = ColorBtn->ActiveColor();
    if (PieSeries->FActive) {
      PieSeries->SetPointColor(Point, Color);
    } else {
      if (Bar >= 0)
        Bars().first->FColor = Color;
      if (Bar2 >= 0)
        Bars().second->FColor = Color;
    }
    ColorPending = false;
    Chart->update();
  }
}

void TChartPane::ChartDblClick(QMouseEvent* Event)
{
  if (OnDrillDown && CurrentSeries)
    OnDrillDown(Chart->PointAt(*CurrentSeries, Event->position()));
}

// ---- Tool bar -----------------------------------------------------------------------

void TChartPane::ColorBtnDropDown()
{
  ColorPending = true;
}

void TChartPane::ColorBtnClick()
{
  if (ClickedPoint >= 0 && PieSeries->FActive && ClickedPoint < PieSeries->Count()) {
    PieSeries->SetPointColor(ClickedPoint, ColorBtn->ActiveColor());
    Chart->update();
  }
}

void TChartPane::View3DButtonClick()
{
  Chart->FView3D = View3DButton->isChecked();
  ZoomInButton->setEnabled(Chart->FView3D);
  ZoomOutButton->setEnabled(Chart->FView3D);
  // Only 3D is zoomed: the bars shown at once change with it.
  Chart->SetZoom(Chart->FZoom);
  SetupChartScrollBar();
}

void TChartPane::ShowLegendButtonClick()
{
  Chart->FLegendVisible = ShowLegendButton->isChecked();
  // Without a legend the marks name their slices.
  Chart->FMarksPercentOnly = Chart->FLegendVisible;
  Chart->update();
}

void TChartPane::VertGridButtonClick()
{
  Chart->FVertGrid = VertGridButton->isChecked();
  Chart->update();
}

void TChartPane::HorzGridButtonClick()
{
  Chart->FHorzGrid = HorzGridButton->isChecked();
  Chart->update();
}

void TChartPane::PatternButtonClick()
{
  const bool Patterns = PatternButton->isChecked();
  for (TChartSeries* Series : {PieSeries, BarSeries, BarSeries2})
    Series->FPatterns = Patterns;
  Chart->update();
}

void TChartPane::ZoomInButtonClick()
{
  Chart->SetZoom(Chart->FZoom + 20);
  SetupChartScrollBar();
}

void TChartPane::ZoomOutButtonClick()
{
  Chart->SetZoom(Chart->FZoom - 20);
  SetupChartScrollBar();
}

void TChartPane::CopyChart()
{
  ClickedPoint = -1;
  Chart->FExploded = -1;
  Chart->update();
  QGuiApplication::clipboard()->setImage(Chart->Picture());
}

void TChartPane::SaveChartClick()
{
  TPictureFile::SaveAs(this, Chart->Picture());
}

QString TChartPane::SaveChart(const QString& FileName, const QString& Suffix, QString& Error) const
{
  return TPictureFile::Save(Chart->Picture(), FileName, Suffix, Error);
}
