// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/RootCommands.h"
#include "charts/Chart.h"
#include "charts/ChartDrawing.h"
#include "charts/ChartPane.h"
#include "charts/ChartSeries.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "tests/HeldScan.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/WindowTest.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "widgets/ColorButton.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

#include <sys/mount.h>

#include <cmath>

namespace {

// A folder of sub-folders "d00", "d01", ... each holding one file of the
// given size, scanned in a window showing the chart of the given mode.
struct TCharted {
  explicit TCharted(const std::vector<off_t>& Sizes, int Mode = 0, const std::string& Top = {})
  {
    QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", Mode);
    Form = std::make_unique<TMainForm>();
    Path = Top.empty() ? Tree.Top() : Top;
    for (size_t Index = 0; Index < Sizes.size(); ++Index) {
      const std::string Name = Path + "/" + QString("d%1").arg(Index, 2, 10, QChar('0')).toStdString();
      QVERIFY(mkdir(Name.c_str(), 0755) == 0);
      const int Fd = open((Name + "/f").c_str(), O_CREAT | O_WRONLY, 0644);
      QVERIFY(Fd >= 0 && ftruncate(Fd, Sizes[Index]) == 0);
      close(Fd);
    }
    Form->Driver().FUserClusterSize = 4096;
    Form->resize(1000, 700);
    Form->show();
    QVERIFY(Form->StartScan(Path));
    QVERIFY(ScansDone(*Form));
    Root = Form->Driver().Roots()->FNode;
    Form->SetCurrentNode(Root);
  }
  TChartPane& Pane() { return Form->Charts(); }
  TChart& Chart() { return *Pane().Chart; }
  // Where a point of a series is drawn, in the chart.
  QPoint At(const TChartSeries& Series, int Point)
  {
    const QPointF Centre = Chart().PointCentre(Series, Point);
    return Centre.isNull() ? QPoint() : Centre.toPoint();
  }

  TTestTree Tree;
  std::string Path;
  std::unique_ptr<TMainForm> Form;
  TFolderNode* Root = nullptr;
};

QStringList Labels(const TChartSeries& Series)
{
  QStringList Labels;
  for (int Index = 0; Index < Series.Count(); ++Index)
    Labels << Series.Point(Index).Label;
  return Labels;
}

}  // namespace

class TChartsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Which series take part and what each point holds, by view type and
  // unit; every value is written as the tree writes it.
  void seriesByView_data()
  {
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("unit");
    QTest::addColumn<bool>("pie");
    for (int View = vtSize; View <= vtCDROM; ++View)
      for (int Unit : {TValueDisplay::utMB, TValueDisplay::utMixed, TValueDisplay::utKB, TValueDisplay::utAutomatic})
        for (bool Pie : {true, false})
          QTest::addRow("view %d, unit %d, %s", View, Unit, Pie ? "pie" : "bars") << View << Unit << Pie;
  }
  void seriesByView()
  {
    QFETCH(int, view);
    QFETCH(int, unit);
    QFETCH(bool, pie);
    TCharted Charted({300000000, 100000, 5000}, pie ? 0 : 1);
    TMainForm& Form = *Charted.Form;
    Form.Unit1Click(unit);
    Form.View1Click(view);
    TChartPane& Pane = Charted.Pane();
    TValueDisplay& Display = Form.Display();
    const int Flag = unit == TValueDisplay::utMB ? 0 : 1;
    QCOMPARE(Pane.PieSeries->FActive, pie);
    QCOMPARE(Pane.BarSeries->FActive, !pie && view != vtWasted);
    QCOMPARE(Pane.BarSeries2->FActive, !pie && view != vtCDROM);
    const std::vector<TFolderNode*>& Children = Charted.Root->Children();
    QCOMPARE(Children.size(), size_t(3));
    QStringList Names;  // in the tree's order
    for (const TFolderNode* Child : Children)
      Names << QString::fromStdString(Child->Name());
    const TValueFormat& Axis = Charted.Chart().FBottomFormat;
    QCOMPARE(Axis.Format(Children[0]->GetValue(vtSize, Flag)), Display.FormatValue(Children[0], vtSize, false));
    if (pie) {
      QCOMPARE(Labels(*Pane.PieSeries), Names);
      for (int Index = 0; Index < 3; ++Index) {
        const TChartPoint& Point = Pane.PieSeries->Point(Index);
        QCOMPARE(Point.Value, Children[Index]->GetValue(view, Flag));
        QCOMPARE(Pane.PieSeries->FValueFormat.Format(Point.Value), Display.FormatValue(Children[Index], view, false));
        QCOMPARE(Pane.PieSeries->PointColor(Index), TChartSeries::AutomaticColor(Index));
      }
      QCOMPARE(Pane.BarSeries->Count() + Pane.BarSeries2->Count(), 0);
      return;
    }
    QCOMPARE(Pane.PieSeries->Count(), 0);
    if (Pane.BarSeries->FActive) {
      QCOMPARE(Labels(*Pane.BarSeries), Names);
      const int Measure = view == vtCDROM ? vtCDROM : vtSize;
      for (int Index = 0; Index < 3; ++Index) {
        QCOMPARE(Pane.BarSeries->Point(Index).Value, Children[Index]->GetValue(Measure, Flag));
        QCOMPARE(Pane.BarSeries->FValueFormat.Format(Pane.BarSeries->Point(Index).Value),
                 Display.FormatValue(Children[Index], Measure, false));
      }
      QCOMPARE(Pane.BarSeries->PointColor(0), QColor(Qt::green));
    }
    if (Pane.BarSeries2->FActive) {
      for (int Index = 0; Index < 3; ++Index) {
        QCOMPARE(Pane.BarSeries2->Point(Index).Value, Children[Index]->GetValue(vtWasted, Flag));
        QCOMPARE(Pane.BarSeries2->FValueFormat.Format(Pane.BarSeries2->Point(Index).Value),
                 Display.FormatValue(Children[Index], vtWasted, false));
      }
      QCOMPARE(Pane.BarSeries2->PointColor(0), QColor(255, 128, 0));
    }
  }

  // The value axis steps in round numbers of the unit its largest value is
  // shown in.
  void axisSteps_data()
  {
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("unitSize");
    QTest::newRow("automatic") << int(TValueDisplay::utAutomatic) << 1024.0;
    QTest::newRow("kilobytes") << int(TValueDisplay::utKB) << 1.0;
    QTest::newRow("megabytes") << int(TValueDisplay::utMB) << 1.0;
  }
  void axisSteps()
  {
    QFETCH(int, unit);
    QFETCH(double, unitSize);
    TCharted Charted({300000000, 100000}, 1);
    Charted.Form->Unit1Click(unit);
    const TChartDrawing Drawing(Charted.Chart(), Charted.Chart().rect());
    const double Steps = Drawing.ValueStep() / unitSize;
    const double Power = std::pow(10, std::floor(std::log10(Steps) + 1e-9));
    const double Leading = Steps / Power;
    QVERIFY2(std::abs(Leading - 1) < 1e-6 || std::abs(Leading - 2) < 1e-6 || std::abs(Leading - 5) < 1e-6,
             qPrintable(QString::number(Steps)));
    QVERIFY(Steps * unitSize <= Charted.Root->Child(0)->GetValue(vtSize, unit != TValueDisplay::utMB));
  }

  // Up to fifteen sub-folders each get a slice; from sixteen on, those under
  // 2 percent share one "Other" slice, and the others keep their indexes.
  void otherGrouping_data()
  {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("slices");
    QTest::newRow("15") << 15 << 15;
    QTest::newRow("16") << 16 << 2;
  }
  void otherGrouping()
  {
    QFETCH(int, count);
    QFETCH(int, slices);
    std::vector<off_t> Sizes(count, 40000);
    Sizes[0] = 100000000;
    TCharted Charted(Sizes);
    const TChartSeries& Pie = *Charted.Pane().PieSeries;
    QCOMPARE(Pie.Count(), count);
    const std::vector<TChartSeries::TSlice> Shown = Pie.Slices();
    QCOMPARE(int(Shown.size()), slices);
    QCOMPARE(Shown[0].Point, 0);
    QCOMPARE(Shown[0].Label, QString("d00"));
    QCOMPARE(Shown.back().Label, count > 15 ? QString("Other") : Pie.Point(14).Label);
    QCOMPARE(Shown.back().Point, count > 15 ? -1 : 14);
  }

  // The free space of a file system is a slice of its top's pie in the
  // Allocated view only; a double click on it selects nothing, on a folder's
  // slice that folder.
  void freeSpaceAndDrillDown()
  {
    TTestTree Mount;
    if (mount("spacelens-test", Mount.Top().c_str(), "tmpfs", 0, "size=4m") != 0)
      QSKIP("cannot mount a tmpfs here");
    const auto Unmount = qScopeGuard([&] { umount2(Mount.Top().c_str(), MNT_DETACH); });
    TCharted Charted({500000, 100000}, 0, Mount.Top());
    TMainForm& Form = *Charted.Form;
    TChartPane& Pane = Charted.Pane();
    QCOMPARE(Pane.PieSeries->Count(), 2);
    Form.Unit1Click(TValueDisplay::utKB);
    Form.View1Click(vtAllocated);
    QCOMPARE(Pane.PieSeries->Count(), 3);
    const TChartPoint Free = Pane.PieSeries->Point(2);
    QCOMPARE(Free.Label, QString("Free Space"));
    QCOMPARE(Free.Color, QColor(192, 0, 192));
    QVERIFY(Free.Value > 3000 && Free.Value <= 4096);  // kilobytes of the 4 MB
    Form.Unit1Click(TValueDisplay::utMB);
    QCOMPARE(Pane.PieSeries->Point(2).Value, std::round(Free.Value / 1024));

    Form.TreeView()->collapse(Form.Model().IndexOf(Charted.Root));
    QTest::mouseDClick(Pane.Chart, Qt::LeftButton, {}, Charted.At(*Pane.PieSeries, 2));
    QCOMPARE(Form.CurrentNode(), Charted.Root);
    QVERIFY(Form.TreeView()->isExpanded(Form.Model().IndexOf(Charted.Root)));
    QTest::mouseDClick(Pane.Chart, Qt::LeftButton, {}, Charted.At(*Pane.PieSeries, 1));
    QCOMPARE(Form.CurrentNode(), Charted.Root->Child(1));
    // A folder without sub-folders is its own slice.
    QCOMPARE(Labels(*Pane.PieSeries), QStringList{"d01"});

    TCharted Plain({500000});
    Plain.Form->View1Click(vtAllocated);
    QCOMPARE(Labels(*Plain.Pane().PieSeries), QStringList{"d00"});
  }

  void labelsAndTitle()
  {
    TCharted Charted({1000}, 1);
    // A path of 40 characters with its "/" is the title; of 41 the name is.
    const std::string Top = Charted.Path + "/";
    const std::string Forty(40 - Top.size() - 1, 'x');
    for (const std::string& Name : {Forty, Forty + "y", std::string("a-name-of-more-than-24-characters")})
      QVERIFY(mkdir((Top + Name).c_str(), 0755) == 0);
    TMainForm& Form = *Charted.Form;
    Form.Roots().Update1Click();
    QVERIFY(ScansDone(Form));
    TFolderNode* Root = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Root);
    TChartPane& Pane = Charted.Pane();
    QCOMPARE(Charted.Chart().FTitle, Root->Root()->FTitle);
    QVERIFY(Labels(*Pane.BarSeries).contains("a-name-of-more-than-24-c"));
    QVERIFY(Labels(*Pane.BarSeries2).contains("a-name-of-more-than-24-characters"));
    for (TFolderNode* Child : Root->Children()) {
      const std::string Name = Child->Name();
      if (Name.size() < 10)
        continue;
      Form.SetCurrentNode(Child);
      QCOMPARE(Charted.Chart().FTitle, QString::fromStdString(Name == Forty ? Top + Name : Name));
    }
  }

  // Bars past the nineteenth scroll; past twenty they also page.
  void scrollBar_data()
  {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("perPage");
    QTest::newRow("19") << 19 << int(vtSize) << false << 0 << 0;
    QTest::newRow("20") << 20 << int(vtSize) << true << 100 << 0;
    QTest::newRow("30") << 30 << int(vtSize) << true << 1100 << 21;
    // Only the wasted space is drawn: its bars scroll and open folders.
    QTest::newRow("30, Wasted") << 30 << int(vtWasted) << true << 1100 << 21;
  }
  void scrollBar()
  {
    QFETCH(int, count);
    QFETCH(int, view);
    QFETCH(bool, shown);
    QFETCH(int, maximum);
    QFETCH(int, perPage);
    TCharted Charted(std::vector<off_t>(count, 5000), 1);
    Charted.Form->View1Click(view);
    QScrollBar& Bar = *Charted.Pane().ChartScrollBar;
    QCOMPARE(Bar.isVisible(), shown);
    QCOMPARE(Bar.minimum(), 0);
    QCOMPARE(Bar.maximum(), maximum);
    QCOMPARE(Charted.Chart().FMaxPointsPerPage, perPage);
    if (!shown)
      return;
    // The bar of the position comes first, with 0.4 of a bar above it.
    const double Span = Charted.Chart().AxisMaximum() - Charted.Chart().AxisMinimum();
    Bar.setValue(maximum);
    QCOMPARE(Charted.Chart().AxisMinimum(), maximum / 100 - 0.4);
    QCOMPARE(Charted.Chart().AxisMaximum() - Charted.Chart().AxisMinimum(), Span);
    // A double click on a bar scrolled to opens its folder.
    const TChartSeries& Shown = *Charted.Pane().CurrentSeries;
    const int Last = count - 1;
    QVERIFY(Charted.At(Shown, 0).isNull());
    QTest::mouseDClick(Charted.Pane().Chart, Qt::LeftButton, {}, Charted.At(Shown, Last));
    QCOMPARE(Charted.Form->CurrentNode(), Charted.Root->Child(Last));
    Charted.Form->SetCurrentNode(Charted.Root);
    // Scrolling the chart itself moves the scroll bar along.
    Bar.setValue(maximum);
    QTest::keyClick(Charted.Pane().Chart, Qt::Key_Home);
    QCOMPARE(Charted.Chart().AxisMinimum(), -0.5);
    QCOMPARE(Bar.value(), 0);
    QVERIFY(!Charted.At(Shown, 0).isNull());
  }

  void modesAcrossRestart_data()
  {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("written");
    QTest::newRow("pie") << 0 << "PieButton" << 0;
    QTest::newRow("bar") << 1 << "BarButton" << 1;
    QTest::newRow("list") << 2 << "ListButton" << 2;
    QTest::newRow("any other value") << 7 << "BarButton" << 1;
  }
  void modesAcrossRestart()
  {
    QFETCH(int, stored);
    QFETCH(QString, checked);
    QFETCH(int, written);
    QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", stored);
    {
      TMainForm Form;
      Form.show();
      QVERIFY(Form.Action(checked)->isChecked());
      QCOMPARE(Form.Charts().isVisible(), stored != 2);
      QCOMPARE(Form.List().isVisible(), stored == 2);
      QCOMPARE(Form.Charts().PieActive(), stored == 0);
      QCOMPARE(Form.Action("PrintChartMenu")->text(),
               QString(stored == 2 ? "Print &Folder Contents..." : "Print &Chart..."));
      // The chart's own buttons are the window's.
      QVERIFY(Form.Charts().ChartToolBar->actions().contains(Form.Action("PieButton")));
      Form.close();
    }
    QCOMPARE(QSettings("Zelkon", "Spacelens").value("ActiveSeries").toInt(), written);
  }

  void colourRules()
  {
    TCharted Charted({3000000, 2000000, 1000000});
    TChartPane& Pane = Charted.Pane();
    TChart* Chart = Pane.Chart;
    const QPoint Slice1 = Charted.At(*Pane.PieSeries, 1);
    // Black never colours by a click, even after the palette dropped down.
    Pane.ColorBtnDropDown();
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Slice1);
    QCOMPARE(Pane.PieSeries->PointColor(1), TChartSeries::AutomaticColor(1));
    // One drop-down, one slice.
    Pane.ColorBtn->SetActiveColor(Qt::red);
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Slice1);
    QCOMPARE(Pane.PieSeries->PointColor(1), QColor(Qt::red));
    QVERIFY(!Pane.ColorPending);
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Charted.At(*Pane.PieSeries, 2));
    QCOMPARE(Pane.PieSeries->PointColor(2), TChartSeries::AutomaticColor(2));
    // The face colours the slice right-clicked last, and nothing after a
    // right click on empty space.
    Pane.ColorBtn->SetActiveColor(Qt::blue);
    QTest::mouseClick(Chart, Qt::RightButton, {}, Charted.At(*Pane.PieSeries, 0));
    QCOMPARE(Pane.ClickedPoint, 0);
    Pane.ColorBtn->click();
    QCOMPARE(Pane.PieSeries->PointColor(0), QColor(Qt::blue));
    QTest::mouseClick(Chart, Qt::RightButton, {}, QPoint(2, 2));
    QCOMPARE(Pane.ClickedPoint, -1);
    Pane.ColorBtn->SetActiveColor(Qt::yellow);
    Pane.ColorBtn->click();
    QCOMPARE(Pane.PieSeries->PointColor(0), QColor(Qt::blue));
    // Bars colour by series.
    Charted.Form->barbuttonClick();
    Pane.ColorBtnDropDown();
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Charted.At(*Pane.BarSeries2, 1));
    QCOMPARE(Pane.BarSeries2->PointColor(0), QColor(Qt::yellow));
    QCOMPARE(Pane.BarSeries->PointColor(0), QColor(Qt::green));
    // A fill forgets the clicked point.
    QTest::mouseClick(Chart, Qt::RightButton, {}, Charted.At(*Pane.BarSeries, 0));
    QCOMPARE(Pane.ClickedPoint, 0);
    Pane.FillChart();
    QCOMPARE(Pane.ClickedPoint, -1);
    // A click names the point and its value.
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Charted.At(*Pane.BarSeries, 0));
    QCOMPARE(QToolTip::text(), "d00\n" + Pane.BarSeries->FValueFormat.Format(Pane.BarSeries->Point(0).Value));
  }

  void toolBarAtStart_data()
  {
    QTest::addColumn<bool>("view3D");
    QTest::newRow("3D stored off") << false;
    QTest::newRow("3D stored on") << true;
  }
  void toolBarAtStart()
  {
    QFETCH(bool, view3D);
    QSettings Store("Zelkon", "Spacelens");
    Store.setValue("Chart3D", view3D ? "1" : "0");
    Store.setValue("ChartLegend", "0");
    Store.setValue("ChartTool", "1");
    TCharted Charted({3000000, 2000000});
    TChartPane& Pane = Charted.Pane();
    QCOMPARE(Pane.ZoomInButton->isEnabled(), view3D);
    QCOMPARE(Pane.ZoomOutButton->isEnabled(), view3D);
    QCOMPARE(Charted.Chart().FView3D, view3D);
    QVERIFY(Pane.ChartToolBar->isVisible());
    QCOMPARE(Charted.Chart().FMarginTop, 6);
    // Without the legend the marks name their slices.
    QVERIFY(!Charted.Chart().FLegendVisible);
    QVERIFY(!Charted.Chart().FMarksPercentOnly);
    QVERIFY(!Pane.VertGridButton->isEnabled());
    Pane.View3DButton->trigger();
    QCOMPARE(Pane.ZoomInButton->isEnabled(), !view3D);
    Pane.ZoomInButton->trigger();
    QCOMPARE(Charted.Chart().FZoom, view3D ? 100 : 120);
  }

  void savePicture_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("bmp") << "chart.bmp"
                         << "png"
                         << "chart.bmp" << QByteArray("bmp");
    QTest::newRow("no extension") << "chart"
                                  << "jpg"
                                  << "chart.jpg" << QByteArray("jpeg");
    QTest::newRow("png") << "chart.png"
                         << "bmp"
                         << "chart.png" << QByteArray("png");
    QTest::newRow("jpg") << "chart.JPG"
                         << "png"
                         << "chart.JPG" << QByteArray("jpeg");
    QTest::newRow("not a picture's") << "chart.txt"
                                     << "png"
                                     << "chart.txt.png" << QByteArray("png");
  }
  void savePicture()
  {
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    TCharted Charted({3000000, 2000000});
    const QString Folder = QString::fromStdString(Charted.Tree.Top());
    QString Error;
    QCOMPARE(Charted.Pane().SaveChart(Folder + "/" + name, suffix, Error), Folder + "/" + written);
    QImageReader Reader(Folder + "/" + written);
    QCOMPARE(Reader.format(), format);
    // As many pixels as the screen shows the chart with.
    QCOMPARE(Reader.size(), Charted.Chart().size() * Charted.Chart().devicePixelRatioF());
    // Nothing is written where the folder is missing; the reason is told.
    QVERIFY(Charted.Pane().SaveChart(Folder + "/missing/" + name, suffix, Error).isEmpty());
    QVERIFY(Error.contains("missing"));
  }

  // The save dialog offers PNG first, then JPEG and bitmaps; the kind
  // chosen gives a name without a picture's extension its own.
  void saveDialog_data()
  {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("PNG, other extension") << 0 << "chart5.txt"
                                          << "chart5.txt.png" << QByteArray("png");
    QTest::newRow("JPEG, other extension") << 1 << "chart5.txt"
                                           << "chart5.txt.jpg" << QByteArray("jpeg");
    QTest::newRow("bitmap, a PNG's name") << 2 << "chart.png"
                                          << "chart.png" << QByteArray("png");
  }
  void saveDialog()
  {
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    TCharted Charted({3000000, 2000000});
    const QString Folder = QString::fromStdString(Charted.Tree.Top());
    QStringList Offered;
    QTimer::singleShot(0, [&] {
      auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!Dialog)
        return;
      Offered = Dialog->nameFilters();
      Dialog->selectNameFilter(Offered.value(kind));
      Dialog->selectFile(Folder + "/" + name);
      static_cast<QDialog*>(Dialog)->accept();
    });
    Charted.Pane().ToolButton4->trigger();
    QCOMPARE(Offered.size(), 3);
    QVERIFY(Offered[0].startsWith("PNG") && Offered[1].startsWith("JPEG") && Offered[2].startsWith("Bitmaps"));
    QCOMPARE(QImageReader(Folder + "/" + written).format(), format);
    QVERIFY(written == name || !QFile::exists(Folder + "/" + name));
  }

  // The marks of many small slices stand apart from each other, the title
  // and the legend, in a small chart and a large one, with names or without.
  void marksApart_data()
  {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("legend");
    QTest::newRow("small, legend") << QSize(430, 320) << true;
    QTest::newRow("small, names") << QSize(430, 320) << false;
    QTest::newRow("large, names") << QSize(900, 700) << false;
  }
  void marksApart()
  {
    QFETCH(QSize, size);
    QFETCH(bool, legend);
    std::vector<off_t> Sizes;
    for (int Index = 0; Index < 15; ++Index)
      Sizes.push_back(off_t(1) << (10 + Index));
    TCharted Charted(Sizes);
    TChart& Chart = Charted.Chart();
    Chart.FLegendVisible = legend;
    Chart.FMarksPercentOnly = legend;
    const QRect Bounds(QPoint(), size);
    const TChartDrawing Drawing(Chart, Bounds);
    const std::vector<QRectF> Marks = Drawing.MarkBoxes();
    QVERIFY(Marks.size() >= 5);
    for (size_t Index = 0; Index < Marks.size(); ++Index) {
      QVERIFY(QRectF(Bounds).contains(Marks[Index]));
      QVERIFY(!Marks[Index].intersects(Drawing.TitleBox()));
      QVERIFY(!Marks[Index].intersects(Drawing.LegendBox()));
      for (size_t Other = 0; Other < Index; ++Other)
        QVERIFY(!Marks[Index].intersects(Marks[Other]));
    }
  }

  // The picture shows the pie: many colours, not a blank.
  void picture()
  {
    TCharted Charted({3000000, 2000000, 1000000});
    const QImage Image = Charted.Chart().Picture();
    // Copied as sharp as the screen shows it.
    QCOMPARE(Image.size(), Charted.Chart().size() * Charted.Chart().devicePixelRatioF());
    QCOMPARE(Image.devicePixelRatio(), Charted.Chart().devicePixelRatioF());
    QSet<QRgb> Colours;
    for (int Y = 0; Y < Image.height(); Y += 3)
      for (int X = 0; X < Image.width(); X += 3)
        Colours.insert(Image.pixel(X, Y));
    QVERIFY(Colours.size() > 50);
    QVERIFY(Colours.contains(TChartSeries::AutomaticColor(0).rgb()));
    // A root without sub-folders has no point.
    TCharted Empty({});
    QCOMPARE(Empty.Pane().PieSeries->Count(), 0);
    QCOMPARE(Empty.Chart().FTitle, Empty.Root->Root()->FTitle);
  }

  // Zoomed in, bars grow thicker and fewer show; the labels and the value
  // axis stay, and the scroll bar reaches the last bar.
  void zoomBars()
  {
    TCharted Charted(std::vector<off_t>(30, 5000), 1);
    TChartPane& Pane = Charted.Pane();
    TChart& Chart = Charted.Chart();
    QVERIFY(Chart.FView3D);
    const double Span = Chart.AxisMaximum() - Chart.AxisMinimum();
    const double Row = TChartDrawing(Chart, Chart.rect()).RowHeight();
    Pane.ZoomInButton->trigger();
    Pane.ZoomInButton->trigger();
    QCOMPARE(Chart.FZoom, 140);
    QCOMPARE(Chart.AxisMaximum() - Chart.AxisMinimum(), Span / 1.4);
    QVERIFY(TChartDrawing(Chart, Chart.rect()).RowHeight() > Row * 1.3);
    const TChartSeries& Bars = *Pane.CurrentSeries;
    QVERIFY(Chart.rect().contains(Charted.At(Bars, 0)));
    // The label of the first bar is left of its bar, in the chart.
    QCOMPARE(Chart.PointAt(Bars, Charted.At(Bars, 0)), 0);
    QScrollBar& Scroll = *Pane.ChartScrollBar;
    Scroll.setValue(Scroll.maximum());
    QVERIFY(Chart.rect().contains(Charted.At(Bars, 29)));
    QTest::mouseDClick(Pane.Chart, Qt::LeftButton, {}, Charted.At(Bars, 29));
    QCOMPARE(Charted.Form->CurrentNode(), Charted.Root->Child(29));
  }

  // A folder with nothing to chart says what it holds, in the unit chosen,
  // below the title.
  void nothingToChart_data()
  {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("start");
    QTest::newRow("empty") << "empty" << int(TValueDisplay::utMB) << "Empty folder";
    QTest::newRow("files, MB") << "d00" << int(TValueDisplay::utMB) << "Only files: ";
    QTest::newRow("files, automatic") << "d00" << int(TValueDisplay::utAutomatic) << "Only files: ";
  }
  void nothingToChart()
  {
    QFETCH(QString, folder);
    QFETCH(int, unit);
    QFETCH(QString, start);
    TCharted Charted({3000000});
    QVERIFY(QDir(QString::fromStdString(Charted.Path)).mkdir("empty"));
    TMainForm& Form = *Charted.Form;
    Form.Roots().Update1Click();
    QVERIFY(ScansDone(Form));
    Form.Unit1Click(unit);
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Top);
    QVERIFY(Charted.Chart().FMessage.isEmpty());
    TFolderNode* Node = nullptr;
    for (TFolderNode* Child : Top->Children())
      if (Child->Name() == folder.toStdString())
        Node = Child;
    QVERIFY(Node);
    for (bool Pie : {true, false}) {
      Pie ? Form.PiebuttonClick() : Form.barbuttonClick();
      Form.SetCurrentNode(Node);
      const QString Message = Charted.Chart().FMessage;
      QVERIFY2(Message.startsWith(start), qPrintable(Message));
      if (folder != "empty")
        QCOMPARE(Message, "Only files: " + Form.Display().FormatValue(Node, vtSize, false) + " in 1 file");
      else
        QCOMPARE(Charted.Pane().CurrentSeries->Count(), 0);
      const TChartDrawing Drawing(Charted.Chart(), Charted.Chart().rect());
      QVERIFY(Charted.Chart().rect().contains(Drawing.MessageBox().toRect()));
      QVERIFY(!Drawing.MessageBox().intersects(Drawing.TitleBox()));
      Form.SetCurrentNode(Top);
    }
  }

  // On paper, bars go a page of them at a time, every page, each against
  // the scale of them all; the screen's scrolling and zoom stay as they were.
  void printedPages_data()
  {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::newRow("20") << 20 << 1;
    QTest::newRow("21") << 21 << 1;
    QTest::newRow("40") << 40 << 2;
    QTest::newRow("43") << 43 << 3;
  }
  void printedPages()
  {
    QFETCH(int, count);
    QFETCH(int, pages);
    std::vector<off_t> Sizes;
    for (int Index = 0; Index < count; ++Index)
      Sizes.push_back(off_t(count - Index) << 20);
    TCharted Charted(Sizes, 1);
    TChart& Chart = Charted.Chart();
    QCOMPARE(Chart.PrintedPages(), pages);
    Charted.Pane().ZoomInButton->trigger();
    QTest::keyClick(Charted.Pane().Chart, Qt::Key_End);
    const std::pair Shown{Chart.AxisMinimum(), Chart.AxisMaximum()};
    // How far right the green of the bars reaches on a page.
    auto BarsReach = [&Chart](int Page) {
      QImage Paper(800, 1000, QImage::Format_RGB32);
      Paper.fill(Qt::white);
      QPainter Painter(&Paper);
      Chart.DrawPrinted(Painter, Paper.rect(), Page);
      int Reach = 0;
      for (int Y = 0; Y < Paper.height(); Y += 2)
        for (int X = 0; X < Paper.width(); ++X)
          if (const QColor Colour = Paper.pixelColor(X, Y);
              Colour.green() > Colour.red() + 60 && Colour.green() > Colour.blue() + 60)
            Reach = std::max(Reach, X);
      return Reach;
    };
    const int First = BarsReach(0);
    const int Last = BarsReach(pages - 1);
    QVERIFY(First > 400);
    if (pages > 1)
      QVERIFY2(Last < First * 3 / 4, qPrintable(QString("%1, %2").arg(First).arg(Last)));
    QCOMPARE((std::pair{Chart.AxisMinimum(), Chart.AxisMaximum()}), Shown);
    Charted.Form->PiebuttonClick();
    QCOMPARE(Chart.PrintedPages(), 1);
  }

  // A running scan has no percentages: the pie shows the share so far and
  // says so, and never a negative slice.
  void percentWhileScanning()
  {
    TTestTree Tree;
    Tree.Folder("held");
    Tree.Folder("done");
    Tree.File("done/f", 50000);
    QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", 0);
    TMainForm Form;
    THold Hold("held");
    Form.show();
    Form.View1Click(vtPercent);
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(Hold.Reached());
    TChartPane& Pane = Form.Charts();
    QTRY_COMPARE(Form.CurrentNode()->ChildCount(), size_t(2));
    Pane.FillChart();
    QCOMPARE(Pane.PieSeries->Count(), 2);
    for (int Index = 0; Index < 2; ++Index)
      QVERIFY(Pane.PieSeries->Point(Index).Value >= 0);
    QVERIFY(!Pane.PieSeries->FNote.isEmpty());
    Hold.Release();
    QVERIFY(ScansDone(Form));
    QVERIFY(Pane.PieSeries->FNote.isEmpty());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TChartsTest)
#include "tst_charts.moc"
