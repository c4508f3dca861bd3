// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/RightPane.h"
#include "charts/Chart.h"
#include "charts/ChartPane.h"
#include "files/FilesList.h"
#include "print/ChartPrintout.h"
#include "print/ContentsReport.h"
#include "print/PrintCommands.h"
#include "print/ReportCanvas.h"
#include "print/ReportPage.h"
#include "print/TreeReport.h"
#include "shell/Prompt.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "types/TypesList.h"
#include "view/ListModel.h"
#include "view/ValueDisplay.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

// Keeps what a report draws, with places and pages.
class TRecordingCanvas : public TReportCanvas {
public:
  struct TItem {
    enum TKind { kText, kLine, kIcon, kChart } Kind;
    int Page, X, Y, X2 = 0, Y2 = 0;
    QString Text = {};
    TAlign Align = taLeft;
  };
  std::vector<TItem> Items;
  int Page = 1;

  // The printable area of the A4 printer of the examples: 200 x 287 mm.
  int PageWidth() const override { return 2000; }
  int PageHeight() const override { return 2870; }
  void Text(int X, int Y, const QString& Text) override
  {
    Items.push_back({TItem::kText, Page, X, Y, 0, 0, Text, Align()});
  }
  void Line(int X1, int Y1, int X2, int Y2) override { Items.push_back({TItem::kLine, Page, X1, Y1, X2, Y2}); }
  void Icon(int X, int Y, int Size, const QIcon&) override
  {
    Items.push_back({TItem::kIcon, Page, X, Y, X + Size, Y + Size});
  }
  void Picture(int Left, int Top, int Right, int Bottom, const TPictureDraw&) override
  {
    Items.push_back({TItem::kChart, Page, Left, Top, Right, Bottom});
  }
  bool NewPage() override { return ++Page > 1; }

  // Of a kind, on one page or (0) on all.
  std::vector<TItem> Of(TItem::TKind Kind, int OnPage = 0) const
  {
    std::vector<TItem> Found;
    for (const TItem& Item : Items)
      if (Item.Kind == Kind && (OnPage == 0 || Item.Page == OnPage))
        Found.push_back(Item);
    return Found;
  }
  std::vector<TItem> Texts() const { return Of(TItem::kText); }
  const TItem* Find(const QString& Text) const
  {
    for (const TItem& Item : Items)
      if (Item.Kind == TItem::kText && Item.Text == Text)
        return &Item;
    return nullptr;
  }
};

const std::array<int, 4> DefaultMargins{800, 800, 800, 800};

// A scan made by hand: /top with a (a1 (a1x), a2) and b.
struct TReportTree : TTreeFixture {
  TReportTree() : TTreeFixture(4096)
  {
    Root.FTotalKB = 10485760;  // 10 GB
    Root.FFreeKB = 4194304;
    Root.FFileSystem = "ext4";
    Root.FTitle = "The scan's title";
    Top->FClusters = 2048;
    Top->FObjects = 6;
    Top->FState = ssDone;
    A = Add(Top, "a", 1024, 0, 3);
    Add(Add(A, "a1", 512, 0, 2), "a1x", 256);
    Add(A, "a2", 256);
    Add(Top, "b", 512);
  }
  TFolderNode* A;
};

}  // namespace

class TPrintTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Header block; a line at Y = H stays, the next breaks the page below its label.
  void page()
  {
    TRecordingCanvas Canvas;
    TValueDisplay Display;
    TReportPage Page(Canvas, Display, DefaultMargins);
    Page.StartReport(" Report, ", "Third line");
    auto Texts = Canvas.Texts();
    QCOMPARE(Texts.size(), size_t(3));
    const QString Title = "Spacelens Report, " + QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
    QCOMPARE(Texts[0].Text, Title);
    QCOMPARE(Texts[1].Text, QString("V 2.0"));  // the one version, told everywhere

    QStringList Progress;
    Page.OnProgress = [&Progress](const QString& Text) { Progress << Text; };
    Page.Y = Page.H - TReportPage::LineStep;
    QVERIFY(Page.LineDone("Folder"));
    QCOMPARE(Page.Y, Page.H);
    QVERIFY(Page.LineDone("Folder"));
    QCOMPARE(Progress, QStringList{"Printing Page 2 ..."});
    Texts = Canvas.Texts();
    QCOMPARE((std::tuple{Texts[3].Text, Texts[3].Y, Texts[3].Page}), (std::tuple{QString("Page 1"), 2760, 1}));
    QStringList Second;
    for (const auto& Text : Canvas.Of(TRecordingCanvas::TItem::kText, 2))
      Second << Text.Text;
    QCOMPARE(Second,
             (QStringList{"Folder", "Size  ", "Allocated  ", "Objects", "Wasted  ", "% of Parent", "Last Access",
                          "Last Change"}));
    QCOMPARE(Canvas.Of(TRecordingCanvas::TItem::kLine, 2).size(), size_t(1));  // the rule under the captions
    QCOMPARE(Page.Y, 80 + 40 + 20);
  }

  // The tree report's totals and cut names; collapsed folders stay shut.
  void treeReport()
  {
    TReportTree Tree;
    TRecordingCanvas Collapsed;
    TValueDisplay Display;
    TTreeReport(Display, [&Tree](const TFolderNode* Node) {
      return Node == Tree.Top;
    }).Print(Collapsed, DefaultMargins, Tree.Top);
    QVERIFY(Collapsed.Find("a") && Collapsed.Find("b"));
    QVERIFY(!Collapsed.Find("a1"));

    const std::string Long(120, 'w');
    TFolderNode* Deep = Child(Tree.Top, "b");
    for (int Level = 0; Level < 8; ++Level)
      Deep = Tree.Add(Deep, Level < 7 ? "d" : Long);
    Tree.Add(Tree.Top, Long, 1);
    TRecordingCanvas Canvas;
    TTreeReport Report(Display, [](const TFolderNode*) { return true; });
    QVERIFY(Report.Print(Canvas, DefaultMargins, Tree.Top));
    const auto Texts = Canvas.Texts();
    QVERIFY(
      Texts[3].Text.startsWith("[Current Drive]    Size: 10,240.0 MB    Used: 6,144.0 MB    Free: 4,096.0 MB    "
                               "4096 Bytes per Cluster (ext4)"));
    QCOMPARE(Texts[4].Text,
             "[Current Folder]  Size: " + Display.FormatValue(Tree.Top, vtSize, false)
               + "    Allocated: 8.0 MB    Percent of Drive: 0 %    Objects: 6    Wasted Space: "
               + Display.FormatValue(Tree.Top, vtWasted, false));
    const auto* Row = Canvas.Find("a");
    QVERIFY(Row);
    QCOMPARE((Row + 3)->Text, QString("3"));  // objects, a plain number
    // Wide names are cut to their column and short of the size text.
    Canvas.SetFont("Times New Roman", 32, false);
    int Cut = 0;
    for (size_t Index = 0; Index < Canvas.Items.size(); ++Index) {
      const auto& Name = Canvas.Items[Index];
      if (Name.Kind != TRecordingCanvas::TItem::kText || !Name.Text.startsWith("www"))
        continue;
      const int Indent = Name.X - 80;
      const auto& Size = Canvas.Items[Index + 1];
      QVERIFY(Indent == 0 || Indent == 200);
      QVERIFY(Name.Text.size() < int(Long.size()));
      QVERIFY(Canvas.TextWidth(Name.Text) <= 590 - Indent);
      QVERIFY(Name.X + Canvas.TextWidth(Name.Text) < Size.X - Canvas.TextWidth(Size.Text));
      ++Cut;
    }
    QCOMPARE(Cut, 2);
  }

  // A page of chart on each page, the first below the header block, each labelled.
  void chartPrintout()
  {
    TReportTree Tree;
    TRecordingCanvas Canvas;
    TValueDisplay Display;
    const TReportCanvas::TPictureDraw Draw = [](QPainter&, const QRect&) {};
    QVERIFY(TChartPrintout::Print(Canvas, DefaultMargins, Display, Tree.A, {Draw, Draw, Draw}));
    QCOMPARE(Canvas.Texts()[2].Text, QString("/top/a/"));
    std::vector<std::array<int, 5>> Boxes;
    for (const auto& Item : Canvas.Of(TRecordingCanvas::TItem::kChart))
      Boxes.push_back({Item.Page, Item.X, Item.Y, Item.X2, Item.Y2});
    QCOMPARE(Boxes,
             (std::vector<std::array<int, 5>>{
               {1, 80, 360 + 150, 80 + 1840, 2710}, {2, 80, 80, 80 + 1840, 2710}, {3, 80, 80, 80 + 1840, 2710}}));
    QStringList Labels;
    for (const auto& Text : Canvas.Texts())
      if (Text.Text.startsWith("Page "))
        Labels << QString("%1 on %2").arg(Text.Text).arg(Text.Page);
    QCOMPARE(Labels, (QStringList{"Page 1 on 1", "Page 2 on 2", "Page 3 on 3"}));
  }

  // Folder contents: no gap for the root's own row, an icon a row.
  void contentsReport()
  {
    TReportTree Tree;
    TValueDisplay Display;
    TListModel Model(Display);
    Model.SetFolder(Tree.Top);
    TRecordingCanvas Canvas;
    QVERIFY(TContentsReport::Print(Canvas, DefaultMargins, Display, Model, {}));
    QVERIFY(Canvas.Find("[Current Folder]  Size: " + Display.FormatValue(Tree.Top, vtSize, false)
                        + "    Allocated: 8.0 MB    Percent of Drive: 0 %    Files: 6    Wasted Space: "
                        + Display.FormatValue(Tree.Top, vtWasted, false)));
    std::vector<int> Icons;
    for (const auto& Item : Canvas.Of(TRecordingCanvas::TItem::kIcon))
      Icons.push_back(Item.Y);
    QCOMPARE(Icons, (std::vector<int>{460, 498}));  // a and b; the top's own row is left out
  }

  void marginsThroughTheDialog_data()
  {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("shown");
    QTest::newRow("metric") << true << 800;
    QTest::newRow("inch") << false << 315;
  }
  void marginsThroughTheDialog()
  {
    QFETCH(bool, metric);
    QFETCH(int, shown);
    QCOMPARE(TPrintCommands::MarginToDialog(800, metric), shown);
    QCOMPARE(TPrintCommands::MarginFromDialog(shown, metric), 800);
    // A cancelled dialog keeps the margins but for rounding, and the printable area.
    QLocale::setDefault(
      QLocale(metric ? QLocale::German : QLocale::English, metric ? QLocale::Germany : QLocale::UnitedStates));
    QWidget Window;
    TValueDisplay Display;
    std::array<int, 4> Margins{800, 1000, 1200, 500};
    TPrintCommands Commands(&Window, Display, Margins);
    Commands.UsePdf(QDir::temp().filePath("margins.pdf"));
    QTimer::singleShot(0, [] {
      if (QWidget* Dialog = QApplication::activeModalWidget())
        Dialog->close();
    });
    const QRectF Printable = Commands.Printer().pageLayout().paintRect(QPageLayout::Millimeter);
    Commands.PageSetup1Click();
    UseEnglishNumbers();
    const QRectF After = Commands.Printer().pageLayout().paintRect(QPageLayout::Millimeter);
    QVERIFY(std::abs(After.left() - Printable.left()) < 0.1 && std::abs(After.width() - Printable.width()) < 0.1);
    std::array<int, 4> Expected{800, 1000, 1200, 500};
    for (int& Margin : Expected)
      Margin = TPrintCommands::MarginFromDialog(TPrintCommands::MarginToDialog(Margin, metric), metric);
    QCOMPARE(Margins, Expected);
  }

  // Every view and every scan's report printed from the window into a PDF.
  void fromTheWindow()
  {
    TTestTree Tree{"sub", "sub/f:5000", "own.txt:100"};
    TTestTree Second;
    TMainForm Form;
    Form.show();
    const QString Pdf = QString::fromStdString(Tree.Top()) + "/report.pdf";
    Form.Printing().UsePdf(Pdf);
    const auto Confirm = [](TPrompt::TKind Kind, const QString&, const QString&, QString&) {
      return Kind == TPrompt::pkConfirm;
    };
    TPrompt::SetAnswerer(Confirm);
    const auto Answered = qScopeGuard([] { TPrompt::SetAnswerer(nullptr); });
    AcceptDialog();
    Form.Printing().PrintReportforAll1Click();
    QVERIFY(!QFile::exists(Pdf));
    QVERIFY(Form.StartScan(Tree.Top()) && Form.StartScan(Second.Top()));
    QVERIFY(ScansDone(Form));
    AcceptDialog();
    Form.Printing().PrintReportforAll1Click();
    QString Text = PdfText(Pdf);
    QCOMPARE(Text.count("Page 1"), 2);
    QCOMPARE(Text.count("Spacelens Report,"), 2);

    TFolderNode* Top = Form.Driver().FindRoot(Tree.Top() + "/")->FNode;
    Form.SetCurrentNode(Top);
    Form.PiebuttonClick();
    TPrompt::SetAnswerer([](TPrompt::TKind Kind, const QString& Title, const QString&, QString& Value) {
      Value = "Weekly disk report";
      return Kind == TPrompt::pkInput && Title == "Enter Title";
    });
    Form.Action("TitleMenu")->trigger();
    TPrompt::SetAnswerer(Confirm);
    QCOMPARE(Top->Root()->FTitle, QString("Weekly disk report"));
    const QString ChartPdf = QString::fromStdString(Tree.Top()) + "/chart.pdf";
    QTimer::singleShot(0, [ChartPdf] {
      if (auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        Dialog->selectFile(ChartPdf);
        static_cast<QDialog*>(Dialog)->accept();
      }
    });
    Form.Charts().ToolButton10->trigger();
    QVERIFY(HasAll(PdfText(ChartPdf), {"Spacelens - Chart", "Weekly disk report", "[Current Folder]"}));
    QVERIFY(Form.Charts().Chart->FGradient);
    QCOMPARE(Form.Charts().Chart->FTitle, QString("Weekly disk report"));

    Form.ListButtonClick();
    QVERIFY(HasAll(Printed(Form, ChartPdf), {"Spacelens - Folder Contents", "Files: ", "own.txt"}));

    Form.FilesButtonClick();
    Form.RightPane().Files().SetFilterText("> 1 KB");
    QTRY_VERIFY(!Form.RightPane().Files().Busy());
    Text = Printed(Form, ChartPdf);
    QVERIFY(HasAll(Text, {"Spacelens - Files", "(> 1 KB)", "Last Change"}));
    QVERIFY(Text.contains(QRegularExpression("\\bf +sub/")));
    QVERIFY(!Text.contains("own.txt"));

    Form.TypesButtonClick();
    QTRY_VERIFY(!Form.RightPane().Types().Busy() && Form.RightPane().Types().Model().rowCount() > 0);
    Text = Printed(Form, ChartPdf);
    QVERIFY(HasAll(Text, {"Spacelens - File Types", "% of Folder", "no extension"}));
    QVERIFY(Text.contains(QRegularExpression("Documents\\s+1\\s")));
    QVERIFY(Text.contains(QRegularExpression("\\.txt\\s+1\\s")));
  }

  // A PDF is never printed over unasked: tool buttons propose a free name.
  void pdfNeverReplacedUnasked()
  {
    TTestTree Tree{"sub"};
    TMainForm Form;
    QVERIFY(Scanned(Form, Tree));
    Form.CurrentNode()->Root()->FTitle = "Weekly";
    const QString Folder = QString::fromStdString(Tree.Top());
    const QString Old = Folder + "/Weekly.pdf";
    QFile File(Old);
    QVERIFY(File.open(QIODevice::WriteOnly) && File.write("old") == 3);
    File.close();
    Form.Printing().UsePdf(Old);
    QStringList Proposed;
    auto Answer = [&Proposed](bool Accept) {
      QTimer::singleShot(0, [&Proposed, Accept] {
        auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!Dialog)
          return;
        Proposed << Dialog->selectedFiles().value(0);
        Accept ? static_cast<QDialog*>(Dialog)->accept() : Dialog->reject();
      });
    };
    Answer(true);
    Form.Action("PrintButton")->trigger();
    Answer(true);
    Form.Charts().ToolButton10->trigger();
    Answer(false);
    Form.Action("PrintButton")->trigger();
    QCOMPARE(Proposed,
             (QStringList{Folder + "/Weekly (2).pdf", Folder + "/Weekly (3).pdf", Folder + "/Weekly (4).pdf"}));
    QCOMPARE(ReadAll(Old), QByteArray("old"));
    QVERIFY(PdfText(Folder + "/Weekly (2).pdf").contains("Spacelens Report,"));
    QVERIFY(PdfText(Folder + "/Weekly (3).pdf").contains("Spacelens - Chart"));
    QVERIFY(!QFile::exists(Folder + "/Weekly (4).pdf"));

    Form.Printing().UsePdf(Old);
    for (bool Replace : {false, true}) {
      QStringList Asked;
      TPrompt::SetAnswerer([&Asked, Replace](TPrompt::TKind Kind, const QString&, const QString& Text, QString&) {
        Asked << Text;
        return Kind == TPrompt::pkConfirm && Replace;
      });
      AcceptDialog();
      Form.Action("Print1")->trigger();
      TPrompt::SetAnswerer(nullptr);
      QCOMPARE(Asked.size(), 1);
      QVERIFY(Asked[0].contains("Weekly.pdf"));
      QCOMPARE(ReadAll(Old) == "old", !Replace);
    }
  }

  // The pages and copies chosen, each copy whole in turn, of a chart of three pages.
  void pdfPagesAndCopies_data()
  {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("all") << 0 << 0 << 1 << QStringList{"1", "2", "3"};
    QTest::newRow("2 to 3, twice") << 2 << 3 << 2 << QStringList{"2", "3", "2", "3"};
  }
  void pdfPagesAndCopies()
  {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, copies);
    QFETCH(QStringList, pages);
    TTestTree Tree;
    for (int Index = 0; Index < 43; ++Index) {
      const std::string Name = QString("folder%1").arg(Index, 2, 10, QChar('0')).toStdString();
      Tree.Folder(Name);
      Tree.File(Name + "/f", (43 - Index) * 8192);  // in the order of their names, the largest first
    }
    QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", 1);
    TMainForm Form;
    QVERIFY(Scanned(Form, Tree));
    const QString Pdf = QString::fromStdString(Tree.Top()) + "/bars.pdf";
    QPrinter& Paper = Form.Printing().Printer();
    Form.Printing().UsePdf(Pdf);
    Paper.setPrintRange(from > 0 ? QPrinter::PageRange : QPrinter::AllPages);
    if (from > 0)
      Paper.setFromTo(from, to);
    Paper.setCopyCount(copies);
    const QString Text = Printed(Form, Pdf);
    QStringList Labels;
    for (const QRegularExpressionMatch& Label : QRegularExpression("Page (\\d+)").globalMatch(Text))
      Labels << Label.captured(1);
    QCOMPARE(Labels, pages);
    QCOMPARE(Text.count('\f'), pages.size());
    QCOMPARE(Text.contains("folder00"), pages.contains("1"));
    QCOMPARE(Text.contains("folder42"), pages.contains("3"));
  }

  // Reports without a window: each scan from page 1; a failed one keeps the old file.
  void headlessReport()
  {
    TTestTree Tree{"one", "one/deeper", "one/deeper/f:5000", "one/own.txt:3000"};
    TTestTree Second;
    const QString Folder = QString::fromStdString(Tree.Top());
    const QString Other = QString::fromStdString(Second.Top());
    const QString Pdf = Folder + "/weekly.pdf";
    QByteArray Errors;
    // The exit status, -1 for none in time.
    auto Run = [&](const QStringList& Arguments, const QString& Output = {}) {
      QProcess Process;
      Process.setWorkingDirectory(Folder);
      Process.setStandardOutputFile(Output);
      Process.start(SPACELENS_BINARY, QStringList{"--nogui", "--report"} + Arguments);
      const bool Ended = Process.waitForFinished(30000);
      Errors = Process.readAllStandardError();
      return Ended ? Process.exitCode() : -1;
    };
    QCOMPARE(Run({Pdf, "--levels", "2", Folder, Other}), 0);
    QCOMPARE(Errors, QByteArray());
    const QString Text = PdfText(Pdf);
    QCOMPARE(Text.count("Page 1"), 2);
    // A folder's own files have their line, so its lines add up to it.
    QVERIFY(HasAll(Text, {"Spacelens Report,", "deeper", "<Files>"}));

    const QByteArray Before = ReadAll(Pdf);
    QCOMPARE(Run({Pdf, QString::fromStdString(Tree.Path("missing"))}), 1);
    QCOMPARE(ReadAll(Pdf), Before);
    QCOMPARE(Run({"-", Other}, Folder + "/out.pdf"), 0);
    QVERIFY(ReadAll(Folder + "/out.pdf").startsWith("%PDF"));
    QVERIFY(!QFile::exists(Folder + "/-"));
    const QString Nowhere = Folder + "/no/such/folder/report.pdf";
    QCOMPARE(Run({Nowhere, Other}), 1);
    QVERIFY(Errors.contains(Nowhere.toLocal8Bit()));
  }

private:
  static void AcceptDialog()
  {
    QTimer::singleShot(0, [] {
      if (auto* Dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
        Dialog->accept();
    });
  }
  // The window shown, the tree scanned and its top selected.
  static bool Scanned(TMainForm& Form, const TTestTree& Tree)
  {
    Form.show();
    if (!Form.StartScan(Tree.Top()) || !ScansDone(Form))
      return false;
    Form.SetCurrentNode(Form.Driver().FindRoot(Tree.Top() + "/")->FNode);
    return true;
  }
  // The text of what the window's Print menu item wrote to Pdf.
  static QString Printed(TMainForm& Form, const QString& Pdf)
  {
    AcceptDialog();
    Form.Action("PrintChartMenu")->trigger();
    return PdfText(Pdf);
  }
  // Whether Text holds every one of Wanted; the first missing is told.
  static bool HasAll(const QString& Text, const QStringList& Wanted)
  {
    for (const QString& Piece : Wanted)
      if (!Text.contains(Piece)) {
        qWarning("missing: %s", qPrintable(Piece));
        return false;
      }
    return true;
  }
  static QByteArray ReadAll(const QString& Name)
  {
    QFile File(Name);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
  }
  static QString PdfText(const QString& Pdf)
  {
    QProcess Text;
    Text.start("pdftotext", {"-layout", Pdf, "-"});
    if (!Text.waitForFinished(30000))
      return {};
    return QString::fromUtf8(Text.readAllStandardOutput());
  }

  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TPrintTest)
#include "tst_print.moc"
