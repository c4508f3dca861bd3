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
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "widgets/ColorButton.h"

#include <QAccessible>
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

#include <sys/mount.h>

#include <cmath>

namespace {

// Sub-folders "d00", "d01", ... of one file each, scanned in a window charting them.
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
    Rescanned();
  }
  void Rescanned()
  {
    QVERIFY(ScansDone(*Form));
    Root = Form->Driver().Roots()->FNode;
    Form->SetCurrentNode(Root);
  }
  TChartPane& Pane() { return Form->Charts(); }
  TChart& Chart() { return *Pane().Chart; }
  QPoint At(const TChartSeries& Series, int Point) { return Chart().PointCentre(Series, Point).toPoint(); }

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

  // Series and values by view and unit, written as the tree writes them.
  void seriesByView_data()
  {
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("unit");
    QTest::addColumn<bool>("pie");
    for (int View = vtSize; View <= vtObjects; ++View)
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
    Form.View1Click(TViewType(view));
    TChartPane& Pane = Charted.Pane();
    const int Flag = unit == TValueDisplay::utMB ? 0 : 1;
    QCOMPARE(Pane.PieSeries->FActive, pie);
    QCOMPARE(Pane.BarSeries->FActive, !pie && view != vtWasted);
    QCOMPARE(Pane.BarSeries2->FActive, !pie && view != vtCDROM && view != vtObjects);
    const std::vector<TFolderNode*>& Children = Charted.Root->Children();
    QCOMPARE(Children.size(), size_t(3));
    QStringList Names;  // in the tree's order, which follows the view
    for (const TFolderNode* Child : Children)
      Names << QString::fromStdString(Child->Name());
    // Objects are counted, every other view sized.
    const int Axis = view == vtObjects ? vtObjects : vtSize;
    QCOMPARE(Charted.Chart().FBottomFormat.Format(Children[0]->GetValue(Axis, Flag)),
             Form.Display().FormatValue(Children[0], Axis, false));
    auto Holds = [&](const TChartSeries& Series, int Measure, const QColor& Colour) {
      QCOMPARE(Labels(Series), Names);
      for (int Index = 0; Index < 3; ++Index) {
        const double Value = Series.Point(Index).Value;
        QCOMPARE(Value, Children[Index]->GetValue(Measure, Flag));
        QCOMPARE(Series.FValueFormat.Format(Value), Form.Display().FormatValue(Children[Index], Measure, false));
        QCOMPARE(Series.PointColor(Index), Colour.isValid() ? Colour : TChartSeries::AutomaticColor(Index));
      }
    };
    if (pie) {
      Holds(*Pane.PieSeries, view, QColor());
      QCOMPARE(Pane.BarSeries->Count() + Pane.BarSeries2->Count(), 0);
      return;
    }
    QCOMPARE(Pane.PieSeries->Count(), 0);
    if (Pane.BarSeries->FActive)
      Holds(*Pane.BarSeries, view == vtCDROM || view == vtObjects ? view : vtSize, Qt::green);
    if (Pane.BarSeries2->FActive)
      Holds(*Pane.BarSeries2, vtWasted, QColor(255, 128, 0));
  }

  // From sixteen sub-folders on, those under 2 % share one "Other" slice.
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
    QCOMPARE(std::pair(Shown[0].Point, Shown[0].Label), std::pair(0, QString("d00")));
    QCOMPARE(std::pair(Shown.back().Point, Shown.back().Label),
             count > 15 ? std::pair(-1, QString("Other")) : std::pair(14, Pie.Point(14).Label));
  }
  // Empty points go with the small ones, also when every point is empty.
  void otherOfEmptyPoints()
  {
    TChartSeries Pie(TChartSeries::skPie, "", Qt::black);
    Pie.FOtherPercent = 2;
    Pie.Add(0, "a");
    Pie.Add(0, "b");
    const std::vector<TChartSeries::TSlice> Shown = Pie.Slices();
    QCOMPARE(Shown.size(), size_t(1));
    QCOMPARE(std::pair(Shown[0].Point, Shown[0].Label), std::pair(-1, QString("Other")));
  }

  // A file system's top shows its free space when allocated space is shown; double clicks drill down.
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
    QVERIFY(Free.Value > 3000 && Free.Value <= 4096);  // kilobytes of the 4 MB
    Form.Unit1Click(TValueDisplay::utMB);
    QCOMPARE(Pane.PieSeries->Point(2).Value, std::round(Free.Value / 1024));

    Form.TreeView()->Collapse(Charted.Root);
    QTest::mouseDClick(Pane.Chart, Qt::LeftButton, {}, Charted.At(*Pane.PieSeries, 2));
    QCOMPARE(Form.CurrentNode(), Charted.Root);
    QVERIFY(Form.TreeView()->IsExpanded(Charted.Root));
    QTest::mouseDClick(Pane.Chart, Qt::LeftButton, {}, Charted.At(*Pane.PieSeries, 1));
    QCOMPARE(Form.CurrentNode(), Charted.Root->Child(1));
    QCOMPARE(Labels(*Pane.PieSeries), QStringList{"d01"});

    TCharted Plain({500000});
    Plain.Form->View1Click(vtAllocated);
    QCOMPARE(Labels(*Plain.Pane().PieSeries), QStringList{"d00"});
  }

  // Bars past the nineteenth scroll, past twenty also page; zoomed, the last is still reached.
  void scrollBar_data()
  {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("perPage");
    QTest::newRow("19") << 19 << int(vtSize) << 0 << 0;
    QTest::newRow("20") << 20 << int(vtSize) << 100 << 0;
    QTest::newRow("30, Wasted") << 30 << int(vtWasted) << 1100 << 21;
  }
  void scrollBar()
  {
    QFETCH(int, count);
    QFETCH(int, view);
    QFETCH(int, maximum);
    QFETCH(int, perPage);
    TCharted Charted(std::vector<off_t>(count, 5000), 1);
    Charted.Form->View1Click(TViewType(view));
    TChart& Chart = Charted.Chart();
    QScrollBar& Bar = *Charted.Pane().ChartScrollBar;
    QCOMPARE(Bar.isVisible(), maximum > 0);
    QCOMPARE(Bar.maximum(), maximum);
    QCOMPARE(Chart.FMaxPointsPerPage, perPage);
    if (maximum == 0)
      return;
    // The bar of the position comes first, with 0.4 of a bar above it.
    const double Span = Chart.AxisMaximum() - Chart.AxisMinimum();
    Bar.setValue(maximum);
    QCOMPARE(Chart.AxisMinimum(), maximum / 100 - 0.4);
    QCOMPARE(Chart.AxisMaximum() - Chart.AxisMinimum(), Span);
    const TChartSeries& Shown = *Charted.Pane().CurrentSeries;
    QVERIFY(Charted.At(Shown, 0).isNull());
    QTest::keyClick(&Chart, Qt::Key_Home);
    QCOMPARE(Chart.AxisMinimum(), -0.5);
    QCOMPARE(Bar.value(), 0);

    Charted.Pane().ZoomInButton->trigger();
    Charted.Pane().ZoomInButton->trigger();
    QCOMPARE(Chart.AxisMaximum() - Chart.AxisMinimum(), Span / 1.4);
    QCOMPARE(Chart.PointAt(Shown, Charted.At(Shown, 0)), 0);
    Bar.setValue(Bar.maximum());
    QVERIFY(Chart.rect().contains(Charted.At(Shown, count - 1)));
    QTest::mouseDClick(&Chart, Qt::LeftButton, {}, Charted.At(Shown, count - 1));
    QCOMPARE(Charted.Form->CurrentNode(), Charted.Root->Child(count - 1));
  }

  void modesAcrossRestart_data()
  {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("written");
    QTest::newRow("pie") << 0 << 0;
    QTest::newRow("bar") << 1 << 1;
    QTest::newRow("list") << 2 << 2;
    QTest::newRow("any other value") << 7 << 1;
  }
  void modesAcrossRestart()
  {
    QFETCH(int, stored);
    QFETCH(int, written);
    QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", stored);
    {
      TMainForm Form;
      Form.show();
      QVERIFY(Form.Action(QStringList{"PieButton", "BarButton", "ListButton"}[written])->isChecked());
      QCOMPARE(Form.Charts().isVisible(), stored != 2);
      QCOMPARE(Form.List().isVisible(), stored == 2);
      QCOMPARE(Form.Charts().PieActive(), stored == 0);
      QCOMPARE(Form.Action("PrintChartMenu")->text(),
               QString(stored == 2 ? "Print &Folder Contents..." : "Print C&hart..."));
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
    // Black never colours; one drop-down colours one slice.
    Pane.ColorBtnDropDown();
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Slice1);
    QCOMPARE(Pane.PieSeries->PointColor(1), TChartSeries::AutomaticColor(1));
    Pane.ColorBtn->SetActiveColor(Qt::red);
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Slice1);
    QCOMPARE(Pane.PieSeries->PointColor(1), QColor(Qt::red));
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Charted.At(*Pane.PieSeries, 2));
    QCOMPARE(Pane.PieSeries->PointColor(2), TChartSeries::AutomaticColor(2));
    // The face colours the slice right-clicked last, if any.
    Pane.ColorBtn->SetActiveColor(Qt::blue);
    QTest::mouseClick(Chart, Qt::RightButton, {}, Charted.At(*Pane.PieSeries, 0));
    QCOMPARE(Pane.ClickedPoint, 0);
    Pane.ColorBtn->click();
    QCOMPARE(Pane.PieSeries->PointColor(0), QColor(Qt::blue));
    QTest::mouseClick(Chart, Qt::RightButton, {}, QPoint(2, 2));
    Pane.ColorBtn->SetActiveColor(Qt::yellow);
    Pane.ColorBtn->click();
    QCOMPARE(Pane.PieSeries->PointColor(0), QColor(Qt::blue));
    Charted.Form->barbuttonClick();
    Pane.ColorBtnDropDown();
    QTest::mouseClick(Chart, Qt::LeftButton, {}, Charted.At(*Pane.BarSeries2, 1));
    QCOMPARE(Pane.BarSeries2->PointColor(0), QColor(Qt::yellow));
    QCOMPARE(Pane.BarSeries->PointColor(0), QColor(Qt::green));
    QTest::mouseClick(Chart, Qt::RightButton, {}, Charted.At(*Pane.BarSeries, 0));
    QCOMPARE(Pane.ClickedPoint, 0);
    Pane.FillChart();
    QCOMPARE(Pane.ClickedPoint, -1);
  }

  // Saved directly (kind -1) or through the dialog's kinds; other extensions get the kind's.
  void savePicture_data()
  {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    auto Row = [](const char* Tag, int Kind, const char* Name, const char* Suffix, const char* Written,
                  const char* Format) {
      QTest::newRow(Tag) << Kind << QString(Name) << QString(Suffix) << QString(Written) << QByteArray(Format);
    };
    Row("bmp", -1, "chart.bmp", "png", "chart.bmp", "bmp");
    Row("jpg", -1, "chart.JPG", "png", "chart.JPG", "jpeg");
    Row("not a picture's", -1, "chart.txt", "png", "chart.txt.png", "png");
    Row("dialog, JPEG, other extension", 1, "chart5.txt", "png", "chart5.txt.jpg", "jpeg");
    Row("dialog, bitmap, a PNG's name", 2, "chart.png", "png", "chart.png", "png");
  }
  void savePicture()
  {
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    TCharted Charted({3000000, 2000000});
    const QString Folder = QString::fromStdString(Charted.Tree.Top());
    QString Error;
    if (kind < 0) {
      QCOMPARE(Charted.Pane().SaveChart(Folder + "/" + name, suffix, Error), Folder + "/" + written);
    } else {
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
    }
    QImageReader Reader(Folder + "/" + written);
    QCOMPARE(Reader.format(), format);
    QVERIFY(written == name || !QFile::exists(Folder + "/" + name));
    QCOMPARE(Reader.size(), Charted.Chart().size() * Charted.Chart().devicePixelRatioF());
    QVERIFY(Charted.Pane().SaveChart(Folder + "/missing/" + name, suffix, Error).isEmpty());
    QVERIFY(Error.contains("missing"));
  }

  // The picture is the pie as sharp as the screen shows it, not a blank.
  void picture()
  {
    TCharted Charted({3000000, 2000000, 1000000});
    const QImage Image = Charted.Chart().Picture();
    QCOMPARE(Image.size(), Charted.Chart().size() * Charted.Chart().devicePixelRatioF());
    QCOMPARE(Image.devicePixelRatio(), Charted.Chart().devicePixelRatioF());
    QSet<QRgb> Colours;
    for (int Y = 0; Y < Image.height(); Y += 3)
      for (int X = 0; X < Image.width(); X += 3)
        Colours.insert(Image.pixel(X, Y));
    QVERIFY(Colours.size() > 50);
    QVERIFY(Colours.contains(TChartSeries::AutomaticColor(0).rgb()));
  }

  // A folder with nothing to chart says what it holds.
  void nothingToChart_data()
  {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("unit");
    QTest::newRow("empty") << "empty" << int(TValueDisplay::utMB);
    QTest::newRow("files, automatic") << "d00" << int(TValueDisplay::utAutomatic);
  }
  void nothingToChart()
  {
    QFETCH(QString, folder);
    QFETCH(int, unit);
    TCharted Charted({3000000});
    QVERIFY(QDir(QString::fromStdString(Charted.Path)).mkdir("empty"));
    TMainForm& Form = *Charted.Form;
    Form.Roots().Update1Click();
    Charted.Rescanned();
    Form.Unit1Click(unit);
    QVERIFY(Charted.Chart().FMessage.isEmpty());
    TFolderNode* Node = Child(Charted.Root, folder.toStdString());
    QVERIFY(Node);
    for (bool Pie : {true, false}) {
      Pie ? Form.PiebuttonClick() : Form.barbuttonClick();
      Form.SetCurrentNode(Node);
      const bool Empty = folder == "empty";
      QCOMPARE(
        Charted.Chart().FMessage,
        Empty ? "Empty folder" : "Only files: " + Form.Display().FormatValue(Node, vtSize, false) + " in 1 file");
      if (Empty)
        QCOMPARE(Charted.Pane().CurrentSeries->Count(), 0);
      Form.SetCurrentNode(Charted.Root);
    }
  }

  // On paper, bars go a page at a time on one scale; the screen's view stays.
  void printedPages_data()
  {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::newRow("21") << 21 << 1;
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

  // A screen reader hears the chart's title and each slice or bar by its
  // label, with its value as the legend and the labels show it.
  void accessibleChart_data()
  {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("pie") << 0 << QStringList{"3.0 MB", "2.0 MB", "1.0 MB"};
    QTest::newRow("bars") << 1
                          << QStringList{"Size: 3.0 MB, Wasted Space: 0.0 MB", "Size: 2.0 MB, Wasted Space: 0.0 MB",
                                         "Size: 1.0 MB, Wasted Space: 0.0 MB"};
  }
  void accessibleChart()
  {
    QFETCH(int, mode);
    QFETCH(QStringList, values);
    TCharted Charted({3 << 20, 2 << 20, 1 << 20}, mode);
    TChart& Chart = Charted.Chart();
    QAccessibleInterface* Told = QAccessible::queryAccessibleInterface(&Chart);
    QVERIFY(Told);
    QCOMPARE(Told->role(), QAccessible::Chart);
    QCOMPARE(Told->text(QAccessible::Name), Chart.FTitle);
    QCOMPARE(Told->childCount(), 3);
    QStringList Names, Values;
    for (int Item = 0; Item < Told->childCount(); ++Item) {
      QAccessibleInterface* Child = Told->child(Item);
      QCOMPARE(Told->indexOfChild(Child), Item);
      QCOMPARE(Child->parent(), Told);
      Names << Child->text(QAccessible::Name);
      Values << Child->text(QAccessible::Value);
    }
    QCOMPARE(Names, (QStringList{"d00", "d01", "d02"}));
    QCOMPARE(Values, values);
    QCOMPARE(Told->child(3), nullptr);
  }

  // Under a dark theme the chart's background, back wall, legend and labels
  // are dark with light text; printed, it stays dark on white.
  void darkTheme_data()
  {
    QTest::addColumn<int>("mode");
    QTest::newRow("pie") << 0;
    QTest::newRow("bars") << 1;
  }
  void darkTheme()
  {
    QFETCH(int, mode);
    TCharted Charted({3 << 20, 2 << 20, 1 << 20}, mode);
    TChart& Chart = Charted.Chart();
    const auto Lightness = [](const QImage& Picture, int Channel) {
      // The median lightness of the picture: its background and boxes.
      std::vector<int> Values;
      for (int Y = 0; Y < Picture.height(); Y += 3)
        for (int X = 0; X < Picture.width(); X += 3)
          Values.push_back(Channel < 0 ? Picture.pixelColor(X, Y).lightness() : qGray(Picture.pixel(X, Y)));
      std::nth_element(Values.begin(), Values.begin() + Values.size() / 2, Values.end());
      return Values[Values.size() / 2];
    };
    const int Light = Lightness(Chart.grab().toImage(), -1);
    QPalette Dark = Chart.palette();
    Dark.setColor(QPalette::Window, QColor(40, 40, 40));
    Dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    Chart.setPalette(Dark);
    const QImage Shown = Chart.grab().toImage();
    QVERIFY2(Light > 150 && Lightness(Shown, -1) < 80,
             qPrintable(QString("%1 then %2").arg(Light).arg(Lightness(Shown, -1))));
    // The legend's box and the labels: light text on a dark box.
    const QRect Legend = TChartDrawing(Chart, Chart.rect()).LegendBox().toRect().adjusted(2, 2, -2, -2);
    QVERIFY(!Legend.isEmpty());
    const QImage Box = Shown.copy(Legend);
    QVERIFY(Lightness(Box, -1) < 80);
    int Brightest = 0;
    for (int Y = 0; Y < Box.height(); ++Y)
      for (int X = Box.width() * 2 / 3; X < Box.width(); ++X)
        Brightest = std::max(Brightest, Box.pixelColor(X, Y).lightness());
    QVERIFY2(Brightest > 180, qPrintable(QString::number(Brightest)));
    QImage Paper(800, 1000, QImage::Format_RGB32);
    Paper.fill(Qt::white);
    QPainter Painter(&Paper);
    Chart.DrawPrinted(Painter, Paper.rect(), 0);
    Painter.end();
    QVERIFY(Lightness(Paper, 0) > 200);
  }

  // A running scan has no percentages: the pie shows the share so far, and says so.
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
