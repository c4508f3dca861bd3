// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/Manual.h"
#include "app/RightPane.h"
#include "app/RootCommands.h"
#include "app/ToolIcons.h"
#include "app/TreeCommands.h"
#include "app/WindowSettings.h"
#include "fs/Directory.h"
#include "history/HistoryStore.h"
#include "scan/FolderData.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "tests/HeldScan.h"
#include "tests/StandIns.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "treemap/TreemapLayout.h"
#include "treemap/TreemapPane.h"
#include "treemap/TreemapView.h"
#include "view/DetailsList.h"
#include "view/FileClass.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ScanProgress.h"
#include "view/StatusPanels.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <chrono>
#include <thread>

namespace {

QStringList Labels(TMainForm& Form, TFolderNode* Node)
{
  QStringList Texts;
  for (TFolderNode* Item : Node->Children())
    Texts << Form.Display().NodeCaption(Item);
  return Texts;
}

}  // namespace

class TMainFormTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  void firstStartDefaults()
  {
    TMainForm Form;
    QCOMPARE(Form.Display().FShowType, 1);
    QCOMPARE(Form.Commands().FSortType, int(TValueDisplay::stSize));
    QCOMPARE(Form.Display().FUnitType, TValueDisplay::utMB);
    QCOMPARE(Form.Display().FDecimals, 1);
    QCOMPARE(Form.Display().FBoldFactor, 15);
    QCOMPARE(Form.Commands().FMinimumExpandSize, 10);
    QVERIFY(Form.Driver().FSettings.FShowFiles);
    QVERIFY(!Form.Driver().FSettings.FFollowReparsePoints);
    QCOMPARE(Form.geometry().size(), Form.screen()->availableGeometry().size() * 0.7);
    QCOMPARE(Form.windowTitle(), QString("Spacelens - (Size)"));
    // Icons on the first tool bar, from the theme installed with the
    // program, whatever the desktop (none, here) says.
    for (const char* Name : {"ScanButton", "StopButton", "RemoveButton", "Update1", "ParentButton", "FileOpen1",
                             "PrintButton", "SpeedButton2"})
      QVERIFY2(!Form.Action(Name)->icon().isNull(), Name);
    // And drawn ones where a theme has none.
    for (const char* Name : {"system-search", "process-stop", "list-remove", "view-refresh", "go-up", "folder-open",
                             "document-print", "network-server"})
      QVERIFY2(!TToolIcons::Drawn(Name).isNull(), Name);
    // The empty right pane says how to begin, as the tree does.
    QVERIFY(Form.RightPane().ShowsEmptyHint());
    QCOMPARE(Form.Action("ExpandOver1")->text(), QString("Expand Folder &over: 10 MB"));
    QCOMPARE(Form.Action("RemoveFolderMenuItem")->text(), QString("&Remove Folder <10 MB"));
    QVERIFY(Form.Action("SNumButton")->isChecked());
    QVERIFY(Form.Action("ViewButton1")->isChecked());
    QCOMPARE(Form.Action("ViewButton2")->text(), QString("Bytes &Allocated"));
    // Nothing to update and no parent before anything is scanned.
    Form.show();
    QVERIFY(!Form.Action("Update1")->isEnabled());
    QVERIFY(!Form.Action("ParentButton")->isEnabled());
    QVERIFY(!Form.List().tabKeyNavigation());  // Tab leaves the list
    // A copy started now would open 20 pixels lower and further right.
    QSettings Store("Zelkon", "Spacelens");
    QCOMPARE(Store.value("Top").toString(), QString::number(Form.geometry().top() + 20));
    QCOMPARE(Store.value("Left").toString(), QString::number(Form.geometry().left() + 20));
  }

  void manualWithoutViewer_data()
  {
    QTest::addColumn<QByteArray>("opener");
    QTest::newRow("the opener finds no program") << QByteArray("exit 3\n");
    QTest::newRow("no opener at all") << QByteArray();
  }
  void manualWithoutViewer()
  {
    QFETCH(QByteArray, opener);
    TTestTree Programs;
    if (!opener.isEmpty())
      StandIn(Programs.Top(), "xdg-open", opener);
    const TProgramsFirst Only(Programs.Top(), true);
    TAnswers Answers;
    QVERIFY(TManual::Open("options"));
    QTRY_COMPARE(Answers.Asked.size(), 1);
    QVERIFY(Answers.Asked[0].contains(TManual::Path()));
  }

  void manualBesideOrUnderThePrefix()
  {
    // A build folder has the manual beside the program, an installed one
    // under the prefix; the one beside wins.
    TTestTree Prefix;
    for (const char* Folder : {"bin", "share", "share/doc", "share/doc/spacelens"})
      Prefix.Folder(Folder);
    const QString Bin = QString::fromStdString(Prefix.Path("bin"));
    QCOMPARE(TManual::Find(Bin), QString());
    Prefix.File("share/doc/spacelens/manual.html", 1);
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("share/doc/spacelens/manual.html")));
    Prefix.File("bin/spacelens-manual.html", 1);
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("bin/spacelens-manual.html")));
  }

  void settingsOutOfRange_data()
  {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("decimals") << "Decimals"
                              << "1000000";
    QTest::newRow("unit type") << "UnitType"
                               << "-7";
    QTest::newRow("bold factor") << "BoldFactor"
                                 << "101";
    QTest::newRow("width at the limit") << "Width"
                                        << "2147483647";
    QTest::newRow("far left") << "Left"
                              << "-2147483648";
    QTest::newRow("far below") << "Top"
                               << "100000";
  }
  void settingsOutOfRange()
  {
    QFETCH(QString, key);
    QFETCH(QString, value);
    QSettings("Zelkon", "Spacelens").setValue(key, value);
    TMainForm Form;
    Form.show();
    // Read as the default, and the window is on the screen.
    QCOMPARE(Form.Display().FDecimals, 1);
    QCOMPARE(Form.Display().FUnitType, TValueDisplay::utMB);
    QCOMPARE(Form.Display().FBoldFactor, 15);
    const QRect Screen = Form.screen()->availableGeometry();
    QVERIFY(Screen.contains(Form.geometry().center()));
    QVERIFY(Form.width() <= Screen.width());
  }

  // The first window takes a share of the screen, a stored one at most the
  // screen, in device-independent pixels (a screen at twice the scale has
  // half as many); both leave room for the title bar.
  void firstWindowFitsTheScreen_data()
  {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QSize>("size");
    QTest::newRow("first, 1600x1000 at twice the scale") << QRect(0, 0, 800, 480) << false << QSize(560, 336);
    QTest::newRow("first, a large screen") << QRect(0, 0, 2560, 1400) << false << QSize(1792, 980);
    QTest::newRow("stored, larger than the screen") << QRect(0, 0, 800, 480) << true << QSize(784, 432);
    QTest::newRow("stored, on a screen to the right") << QRect(1920, 0, 1920, 1040) << true << QSize(900, 700);
  }
  void firstWindowFitsTheScreen()
  {
    QFETCH(QRect, available);
    QFETCH(bool, stored);
    QFETCH(QSize, size);
    TWindowSettings Settings;
    Settings.FStoredFrame = stored;
    Settings.FLeft = available.left() + 10;
    Settings.FTop = 10;
    Settings.FWidth = 900;
    Settings.FHeight = 700;
    const QRect Frame = Settings.Frame(available);
    QCOMPARE(Frame.size(), size);
    QVERIFY(available.contains(Frame));
  }

  void settingsKept()
  {
    {
      TMainForm Form;
      Form.show();
      Form.setGeometry(50, 60, 700, 500);
      Form.View1Click(4);
      Form.Sort1Click(TValueDisplay::stName);
      Form.Display().FDecimals = 3;
      Form.Driver().FSettings.FShowFiles = false;
      Form.close();
    }
    QSettings Store("Zelkon", "Spacelens");
    QCOMPARE(Store.value("ShowType").toString(), QString("4"));
    QCOMPARE(Store.value("ShowFiles").toString(), QString("0"));
    QCOMPARE(Store.value("Width").toString(), QString("700"));
    TMainForm Again;
    QCOMPARE(Again.Display().FShowType, 1);  // Wasted starts as Size
    QCOMPARE(Again.Commands().FSortType, int(TValueDisplay::stName));
    QCOMPARE(Again.Display().FDecimals, 3);
    QVERIFY(!Again.Driver().FSettings.FShowFiles);
    QCOMPARE(Again.geometry(), QRect(50, 60, 700, 500));
    QCOMPARE(QSettings("Zelkon", "Spacelens").value("Top").toString(), QString("80"));
    // The folder tool bar's width is read when the window is first shown.
    const int BarWidth = Store.value("ToolBar1Width").toInt();
    QVERIFY(BarWidth > 0);
    Again.show();
    QCOMPARE(Again.findChild<QToolBar*>("ToolBar1")->minimumWidth(), BarWidth);
    // Values that are not numbers read as their defaults.
    QSettings("Zelkon", "Spacelens").setValue("BoldFactor", "lots");
    TMainForm Third;
    QCOMPARE(Third.Display().FBoldFactor, 15);
  }

  void commandLine()
  {
    TTestTree Tree;
    Tree.Folder("a");
    TAnswers Answers;
    {
      TMainForm Form({"/NONE"});
      Form.show();
      QCoreApplication::processEvents();  // the command line runs once the window is shown
      QCOMPARE(Form.Driver().Roots(), nullptr);
      QVERIFY(Answers.Asked.isEmpty());
    }
    const QString Missing = QString::fromStdString(Tree.Path("missing"));
    TMainForm Form({Missing.toStdString(), "/none", Tree.Top()});
    Form.show();
    QTRY_VERIFY(Form.Driver().Roots() != nullptr);
    QVERIFY(ScansDone(Form));
    // One box, not modal, tells it once; the other folder scans meanwhile.
    QVERIFY(Answers.Asked.isEmpty());
    QTRY_VERIFY(Form.ErrorBox());
    QCOMPARE(Form.ErrorBox()->text(), "Cannot find Folder: " + Missing);
    QCOMPARE(Form.Driver().Roots()->FNext, nullptr);
    QCOMPARE(Form.CurrentNode(), Form.Driver().Roots()->FNode);

    // A folder whose name is not UTF-8 is scanned by its bytes.
    Tree.Folder("caf\xe9");
    TMainForm Bytes({Tree.Path("caf\xe9")});
    Bytes.show();
    QTRY_VERIFY(Bytes.Driver().Roots() != nullptr);
    QCOMPARE(Bytes.Driver().Roots()->FPath, Tree.Path("caf\xe9/"));
  }

  void errorsAddUpInOneBox()
  {
    TMainForm Form;
    Form.show();
    Form.ReportError(EACCES, "/one");
    Form.ReportError(EIO, "/two");
    Form.ReportError(0, "/none");
    QTRY_VERIFY(Form.ErrorBox() && Form.ErrorBox()->isVisible());
    QCOMPARE(Form.ErrorBox()->text(), QString("Path /one: Permission denied\nPath /two: Input/output error"));
    Form.ReportError(ENOENT, "/three");
    QTRY_VERIFY(Form.ErrorBox()->text().endsWith("Path /three: No such file or directory"));
    // Many failures: the first ten, and all of them in the details.
    for (int Index = 0; Index < 100; ++Index)
      Form.ReportError(EACCES, QString("/many/%1").arg(Index));
    QTRY_VERIFY(Form.ErrorBox()->text().endsWith("93 more failures are listed in the details."));
    QCOMPARE(Form.ErrorBox()->detailedText().count('\n'), 102);
    // Closed, the box starts afresh.
    Form.ErrorBox()->done(0);
    Form.ReportError(ENOENT, "");
    QTRY_COMPARE(Form.ErrorBox()->text(), QString("No such file or directory"));
  }

  void liveScanThroughTheModel()
  {
    TTestTree Tree;
    for (int Top = 0; Top < 20; ++Top) {
      const std::string Name = "t" + std::to_string(Top);
      Tree.Folder(Name);
      for (int Sub = 0; Sub < 30; ++Sub) {
        Tree.Folder(Name + "/s" + std::to_string(Sub));
        Tree.File(Name + "/s" + std::to_string(Sub) + "/f", 5000);
      }
      Tree.File(Name + "/own", 10);
    }
    TMainForm Form;
    Form.show();
    QAbstractItemModelTester Tester(&Form.Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(Form.Action("StopButton")->isEnabled());
    QVERIFY(!Form.Action("RemoveButton")->isEnabled());
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    QCOMPARE(Form.Model().rowCount(Form.Model().IndexOf(Top)), 20);
    QCOMPARE(Top->FObjects.Load(), 1 + 20 + 20 + 600 + 600u);
    QVERIFY(Form.TreeView()->isExpanded(Form.Model().IndexOf(Top)));
    QVERIFY(!Form.RightPane().ShowsEmptyHint());
    QVERIFY(!Form.Action("StopButton")->isEnabled());
    QVERIFY(Form.Action("RemoveButton")->isEnabled());
    // Remove never takes the place Stop had.
    auto* Bar = Form.findChild<QToolBar*>("ToolBar1");
    const QWidget* Stop = Bar->widgetForAction(Form.Action("StopButton"));
    const QWidget* Remove = Bar->widgetForAction(Form.Action("RemoveButton"));
    QVERIFY(Stop && Remove);
    QVERIFY(!Stop->geometry().intersects(Remove->geometry()));
    QCOMPARE(Form.StatusText(1), QString("1240 Objects"));
    QVERIFY(Form.StatusText(0).startsWith("Free Space: "));
    // In the unit of every other figure.
    QVERIFY2(Form.StatusText(0).endsWith(" MB)"), qPrintable(Form.StatusText(0)));
    Form.Unit1Click(TValueDisplay::utKB);
    QVERIFY2(Form.StatusText(0).endsWith(" kb)"), qPrintable(Form.StatusText(0)));
    Form.Unit1Click(TValueDisplay::utMB);
    QVERIFY(Form.StatusText(3).contains(" Bytes per Cluster ("));
    // Each first-level folder holds sub-folders and a file: "<Files>" comes last.
    TFolderNode* First = Top->Child(0);
    QCOMPARE(Labels(Form, First).last(), QString("<Files>"));
    QVERIFY(Form.Model()
              .data(Form.Model().IndexOf(Top), Qt::DisplayRole)
              .toString()
              .endsWith(QString::fromStdString(Tree.Top())));
  }

  void rescansAndBranches()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("a/b");
    Tree.File("a/b/f", 100);
    Tree.File("a/g", 100);
    Tree.Folder("c");
    TMainForm Form;
    Form.show();
    const std::string Path = Tree.Top();
    QVERIFY(Form.StartScan(Path));
    QVERIFY(ScansDone(Form));
    TRoot* Root = Form.Driver().Roots();
    QVERIFY(Form.StartScan(Path + "/"));  // the same root again
    QVERIFY(ScansDone(Form));
    QCOMPARE(Form.Driver().Roots(), Root);
    QCOMPARE(Root->FNext, nullptr);

    // Update Branch of a/b corrects a and the top.
    TFolderNode* B = Child(Child(Root->FNode, "a"), "b");
    const uint64_t Before = Root->FNode->FObjects;
    Tree.File("a/b/g", 9000);
    Form.SetCurrentNode(B);
    Form.Roots().UpdateBranch1Click();
    QVERIFY(ScansDone(Form));
    QCOMPARE(Root->FNode->FObjects.Load(), Before + 1);
    QCOMPARE(Child(Root->FNode, "a")->FObjects.Load(), 5u);

    // A "<Files>" entry is no folder to update: nothing happens.
    TFolderNode* Files = nullptr;
    for (TFolderNode* Node : Child(Root->FNode, "a")->Children())
      if (Node->FIsFiles)
        Files = Node;
    QVERIFY(Files);
    Form.SetCurrentNode(Files);
    Form.Roots().UpdateBranch1Click();
    QVERIFY(!Form.Driver().Scanning());
    QCOMPARE(Root->FNode->FObjects.Load(), Before + 1);

    // A rescan opens and selects again what was open and selected.
    Form.TreeView()->expand(Form.Model().IndexOf(Child(Root->FNode, "a")));
    Form.SetCurrentNode(B);
    Form.Roots().Update1Click();
    QVERIFY(ScansDone(Form));
    TFolderNode* A = Child(Root->FNode, "a");
    QVERIFY(Form.TreeView()->isExpanded(Form.Model().IndexOf(A)));
    QCOMPARE(Form.CurrentNode(), Child(A, "b"));
    QCOMPARE(TFolderModel::NodeOf(Form.TreeView()->currentIndex()), Child(A, "b"));
    // Also with another root scanned beside it, and the rescan started twice.
    TTestTree Other;
    Other.Folder("o");
    QVERIFY(Form.StartScan(Other.Top()));
    QVERIFY(ScansDone(Form));
    Form.SetCurrentNode(Child(A, "b"));
    Form.Roots().UpdateClick();
    Form.Roots().UpdateClick();
    QVERIFY(ScansDone(Form));
    QCOMPARE(Form.CurrentNode(), Child(Child(Root->FNode, "a"), "b"));
    Form.RemoveRoot(Form.Driver().FindRoot(Other.Top() + "/"));

    // Stop, then update: the root is scanned again from scratch.
    QVERIFY(Form.StartScan(Path));
    Form.Roots().StopButtonClick();
    QVERIFY(ScansDone(Form));
    Form.SetCurrentNode(Root->FNode);
    Form.Roots().Update1Click();
    QVERIFY(ScansDone(Form));
    QCOMPARE(Root->FNode->Finished(), true);
    QCOMPARE(Root->FNode->FObjects.Load(), Before + 1);
  }

  void progressInTheStatusBar()
  {
    TTestTree Tree;
    Tree.Folder("held");
    Tree.Folder("other");
    Tree.File("other/f", 5000);
    Tree.File("a.txt", 10);
    Tree.File("b.txt", 20);
    StartWithList();
    TMainForm Form;
    // Declared after the window, so released before the window waits for it.
    THold Hold("held");
    Form.show();
    auto* Progress = Form.findChild<TScanProgress*>("ScanProgress");
    QVERIFY(Progress);
    QVERIFY(Form.StartScan(Tree.Top()));
    QTRY_VERIFY(Progress->Text().contains(" folders, "));
    // A sum of selected rows stays while the scan goes on.
    TDetailsList& List = Form.List();
    QTRY_COMPARE(List.Model().rowCount(), 3);  // the root's own row and its files
    List.selectionModel()->select(List.Model().index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    List.selectionModel()->select(List.Model().index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString Sum = Form.StatusText(2);
    QVERIFY(!Sum.isEmpty());
    const QString Before = Progress->Text();
    QTRY_VERIFY(Progress->Text() != Before);  // the next progress tick
    QCOMPARE(Form.StatusText(2), Sum);
    Hold.Release();
    QVERIFY(ScansDone(Form));
    // What the scan counted, when it is over.
    QTRY_VERIFY(Progress->Text().startsWith("Scanned 3 folders, 3 files in "));
  }

  // The bar measures the bytes counted against those the drives use, and
  // turns busy rather than full when the estimate runs out.
  void progressBar_data()
  {
    QTest::addColumn<quint64>("used");
    QTest::addColumn<quint64>("counted");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    constexpr quint64 GB = quint64(1) << 30;
    QTest::newRow("no estimate") << quint64(0) << 5 * GB << 0 << 0;
    QTest::newRow("half way") << 100 * GB << 50 * GB << 100 << 49;
    QTest::newRow("near the estimate") << 100 * GB << 99 * GB << 0 << 0;
    QTest::newRow("beyond the estimate") << 100 * GB << 250 * GB << 0 << 0;
    QTest::newRow("a quarter of petabytes") << 4096 * 1024 * GB << 1024 * 1024 * GB << 100 << 24;
  }
  void progressBar()
  {
    QFETCH(quint64, used);
    QFETCH(quint64, counted);
    QFETCH(int, maximum);
    QFETCH(int, value);
    TValueDisplay Display;
    TScanProgress Progress(Display);
    TScanDriver::TProgress Counts;
    Counts.FUsedBytes = used;
    Counts.FBytes = counted;
    Progress.Started();
    Progress.Show(Counts);
    auto* Bar = Progress.findChild<QProgressBar*>();
    QCOMPARE(Bar->maximum(), maximum);
    if (maximum)
      QVERIFY(std::abs(Bar->value() - value) <= 1);
  }

  void removeAndCloseWhileScanning()
  {
    TTestTree Tree;
    for (int Index = 0; Index < 300; ++Index) {
      Tree.Folder(std::to_string(Index));
      Tree.File(std::to_string(Index) + "/f", 10);
    }
    auto* Form = new TMainForm;
    Form->show();
    QVERIFY(Form->StartScan(Tree.Path("0")));
    QVERIFY(Form->StartScan(Tree.Top()));
    Form->Roots().RemoveClick();
    // The remaining root, which the tree selects, becomes current.
    QCOMPARE(Form->Driver().Roots()->FPath, Tree.Path("0/"));
    QCOMPARE(Form->CurrentNode(), Form->Driver().Roots()->FNode);
    Form->Roots().RemoveClick();
    QCOMPARE(Form->Driver().Roots(), nullptr);
    QCOMPARE(Form->CurrentNode(), nullptr);
    QVERIFY(Form->StartScan(Tree.Top()));
    QVERIFY(Form->StartScan(Tree.Path("0")));
    Form->close();
    QVERIFY(!Form->Driver().Scanning());
    delete Form;
  }

  // A scan that ends is remembered off the window's thread, with its
  // folders; a stopped one is not.
  void scansRemembered()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/f", 5000);
    TTestTree Stopped;
    for (int Folder = 0; Folder < 40; ++Folder)
      Stopped.Folder(std::to_string(Folder));
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    const std::string Root = Tree.Top() + "/";
    QTRY_COMPARE(THistoryStore().Of(Root).size(), size_t(1));
    TFolderSnapshot Kept;
    std::string Error;
    QVERIFY2(TFolderSnapshot::Read(THistoryStore().Of(Root).front().File, Kept, Error), Error.c_str());
    QCOMPARE(Kept.FFolders.size(), size_t(2));
    QCOMPARE(Kept.FFolders[1].Path, std::string("a"));
    QCOMPARE(Kept.FFolders[1].Size, uint64_t(5000));
    QCOMPARE(Kept.FHeader.Size, uint64_t(5000));
    // As many as the options say: none, then one.
    Form.WindowSettings().FHistoryKeep = 0;
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    QTest::qWait(200);
    QCOMPARE(THistoryStore().Of(Root).size(), size_t(1));
    Form.WindowSettings().FHistoryKeep = 1;
    Tree.File("a/g", 100);
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    QTRY_COMPARE(THistoryStore().Of(Root).front().Header.Size, uint64_t(5100));
    QCOMPARE(THistoryStore().Of(Root).size(), size_t(1));
    TDirectory::SetFailureInjector([](const char*) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return 0;
    });
    const auto Injected = qScopeGuard([] { TDirectory::SetFailureInjector(nullptr); });
    QVERIFY(Form.StartScan(Stopped.Top()));
    QVERIFY(Form.Driver().Scanning());
    Form.Driver().Stop(Form.Driver().FindRoot(Stopped.Top() + "/"));
    QVERIFY(ScansDone(Form));
    QTest::qWait(200);
    QVERIFY(THistoryStore().Of(Stopped.Top() + "/").empty());
  }

  void pruneKeepsFilesAndTotals()
  {
    TTestTree Tree;
    Tree.Folder("big");
    Tree.File("big/data", 20 << 20);
    Tree.Folder("big/tiny");
    Tree.Folder("small");
    Tree.File("small/data", 1 << 20);
    Tree.File("own", 1000);
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    const uint64_t Clusters = Top->FClusters;
    Form.SetCurrentNode(Top);
    Form.Roots().RemoveFolderMenuItemClick();
    QCOMPARE(Labels(Form, Top), (QStringList{"big", "<Files>"}));
    QCOMPARE(Labels(Form, Child(Top, "big")), QStringList{"<Files>"});
    QCOMPARE(Top->FClusters.Load(), Clusters);
  }

  // The treemap draws the selected folder's files, kept by the scan and
  // kept right by rescans, branch updates and pruning; a click selects the
  // file's folder in the tree and the file in the list, hovering names it.
  void treemapFollowsTheTree()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/photo.jpg", 3000000);
    Tree.File("a/notes.txt", 100);
    Tree.Folder("b");
    Tree.File("b/song.mp3", 20000);
    Tree.File("c.zip", 30000);
    TMainForm Form;
    Form.resize(900, 600);
    Form.show();
    Form.TreemapButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* A = Child(Top, "a");
    auto Kept = [](const TFolderNode* Folder) {
      QStringList Files;
      if (const TFolderFiles* Kept = Folder->FFiles.load())
        for (uint32_t Index = 0; Index < Kept->Count(); ++Index)
          Files << QString("%1:%2").arg((*Kept)[Index].Size()).arg(TFileClass::Name((*Kept)[Index].Kind));
      Files.sort();
      return Files;
    };
    QCOMPARE(Kept(A), (QStringList{"100:Documents", "3000000:Images"}));
    QCOMPARE(Kept(Top), QStringList{"30000:Archives"});

    Form.SetCurrentNode(Top);
    TTreemapView& View = Form.RightPane().Treemap().View();
    QVERIFY(View.WaitForImage(10000));
    QVERIFY(View.Image().pixel(View.Image().width() / 2, View.Image().height() / 2) != View.Image().pixel(0, 0)
            || View.Image().pixel(1, 1) != qRgb(255, 255, 255));
    const TTreemapLayout* Layout = View.Layout();
    int Photo = -1, Files = 0;
    for (size_t Tile = 0; Tile < Layout->Tiles().size(); ++Tile)
      if (Layout->Tiles()[Tile].Kind == TTreemapTile::tkFile) {
        ++Files;
        if (Layout->Tiles()[Tile].Folder == A && Layout->Tiles()[Tile].Class == TFileClass::fcImage)
          Photo = int(Tile);
      }
    QCOMPARE(Files, 4);
    QVERIFY(Photo >= 0);
    // Its size in the window's unit, whichever it is.
    for (int Unit : {TValueDisplay::utMB, TValueDisplay::utKB, TValueDisplay::utAutomatic}) {
      Form.Unit1Click(Unit);
      QVERIFY(View.WaitForImage(10000));
      Layout = View.Layout();
      View.OnHover(&Layout->Tiles()[size_t(Photo)]);
      QTRY_VERIFY(Form.StatusText(TStatusPanels::spHint).contains("/a/photo.jpg"));
      QVERIFY2(Form.StatusText(TStatusPanels::spHint).contains("    " + Form.Display().BytesText(3000000) + "    "),
               qPrintable(Form.StatusText(TStatusPanels::spHint)));
    }
    View.OnClick(A, Layout->Tiles()[size_t(Photo)].File);
    QTRY_COMPARE(Form.CurrentNode(), A);
    QCOMPARE(Form.RightPane().Treemap().Shown(), Top);  // the treemap stays
    Form.ListButtonClick();
    QTRY_COMPARE(Form.List().SelectedRecords().size(), size_t(1));
    QCOMPARE(Form.List().SelectedRecords()[0]->Name(), std::string("photo.jpg"));

    // A branch scanned again, a new file, and a pruned folder.
    Tree.File("a/more.png", 7000);
    Form.SetCurrentNode(A);
    Form.Roots().UpdateBranch1Click();
    QVERIFY(ScansDone(Form));
    QCOMPARE(Kept(A), (QStringList{"100:Documents", "3000000:Images", "7000:Images"}));
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Top = Form.Driver().Roots()->FNode;
    QCOMPARE(Kept(Child(Top, "a")).size(), 3);
    Form.TreemapButtonClick();
    Form.SetCurrentNode(Top);
    Form.Commands().FMinimumExpandSize = 1;  // megabytes: "b" goes, "a" stays
    Form.Roots().RemoveFolderMenuItemClick();
    QVERIFY(!Child(Top, "b"));
    QTRY_VERIFY(Form.RightPane().Treemap().Shown());  // made again once the tree settled
    QVERIFY(View.WaitForImage(10000) && View.Layout());
    for (const TTreemapTile& Tile : View.Layout()->Tiles())
      QVERIFY(Tile.Folder == Top || Tile.Folder == Child(Top, "a"));
  }

  // A double click on a tile shows its folder, even when the click before
  // selected that folder already; Backspace in the treemap shows the parent
  // of the folder shown, not of the tree's selection a click made deeper.
  void treemapOpensAndGoesUp()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("a/b");
    Tree.File("a/b/big.bin", 2000000);
    Tree.File("a/notes.txt", 500000);
    Tree.File("c.zip", 1000000);
    TMainForm Form;
    Form.resize(900, 600);
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    Form.TreemapButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* A = Child(Top, "a");
    TFolderNode* B = Child(A, "b");
    Form.SetCurrentNode(Top);
    TTreemapPane& Pane = Form.RightPane().Treemap();
    TTreemapView& View = Pane.View();
    // Where the file in "b" is drawn, in the picture shown.
    auto Big = [&View, B] {
      const TTreemapLayout* Layout = View.Layout();
      for (size_t Tile = 0; Tile < Layout->Tiles().size(); ++Tile)
        if (Layout->Tiles()[Tile].Folder == B && Layout->Tiles()[Tile].Kind == TTreemapTile::tkFile)
          return View.TileRect(int(Tile)).center().toPoint();
      return QPoint(-1, -1);
    };
    QVERIFY(View.WaitForImage(10000));
    QTest::mouseClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Form.CurrentNode(), B);
    QCOMPARE(Pane.Shown(), Top);
    QTest::mouseDClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Pane.Shown(), B);
    QCOMPARE(Form.CurrentNode(), B);

    View.setFocus();
    QTest::keyClick(&View, Qt::Key_Backspace);
    QCOMPARE(Pane.Shown(), A);
    QCOMPARE(Form.CurrentNode(), A);
    QVERIFY(View.WaitForImage(10000));
    QTest::mouseClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Form.CurrentNode(), B);
    QCOMPARE(Pane.Shown(), A);
    QTest::keyClick(&View, Qt::Key_Backspace);
    QCOMPARE(Pane.Shown(), Top);
    QCOMPARE(Form.CurrentNode(), Top);

    // A click on a file of the folder shown selects what was selected: the
    // next refill, of another measure, still draws a new picture.
    QVERIFY(View.WaitForImage(10000));
    QTest::mouseClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Form.CurrentNode(), B);
    QTest::mouseDClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Pane.Shown(), B);
    QVERIFY(View.WaitForImage(10000));
    QTest::mouseClick(&View, Qt::LeftButton, {}, Big());
    QTest::qWait(200);
    Form.View1Click(vtAllocated);
    QVERIFY(!View.Current());
    QVERIFY(View.WaitForImage(10000));
  }

  // The list lets go of the rows of a folder that goes, also while the
  // chart of another scan is shown.
  void listBehindTheChart()
  {
    TTestTree First;
    First.Folder("sub");
    First.File("sub/f", 1000);
    TTestTree Second;
    StartWithList();
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(First.Top()) && Form.StartScan(Second.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Sub = Form.Driver().FindRoot(First.Top() + "/")->FNode->Child(0);
    Form.SetCurrentNode(Sub);
    QTRY_COMPARE(Form.List().Model().Folder(), Sub);
    Form.SelectAllRows();
    Form.PiebuttonClick();
    Form.SetCurrentNode(Form.Driver().FindRoot(Second.Top() + "/")->FNode);
    QVERIFY(Form.StartScan(First.Top()));
    QVERIFY(!Form.List().Model().Folder());
    QVERIFY(ScansDone(Form));
    Form.ListChange();
    Form.ListButtonClick();
    QCOMPARE(Form.List().Model().Folder(), Form.CurrentNode());
  }

  // Sorting and opening a large tree runs in slices, during the scan and
  // after it, and ends safely when the tree goes.
  void largeTreeExpandedInSlices()
  {
    TTestTree Tree;
    for (int A = 0; A < 12; ++A) {
      const std::string First = "a" + std::to_string(A);
      Tree.Folder(First);
      for (int B = 0; B < 12; ++B) {
        const std::string Second = First + "/b" + std::to_string(B);
        Tree.Folder(Second);
        for (int C = 0; C < 6; ++C) {
          Tree.Folder(Second + "/c" + std::to_string(C));
          Tree.File(Second + "/c" + std::to_string(C) + "/f", (A * 7 + B * 3 + C) * 1000 % 9000);
        }
      }
    }
    TMainForm Form;
    Form.show();
    QAbstractItemModelTester Tester(&Form.Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(Form.StartScan(Tree.Top()));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Top);
    Form.ExpandClick();
    Form.View1Click(vtAllocated);
    QVERIFY(ScansDone(Form));
    QVERIFY(QTest::qWaitFor([&Form] { return !Form.Busy(); }));
    Form.SetCurrentNode(Top);
    Form.ExpandClick();
    QVERIFY(QTest::qWaitFor([&Form] { return !Form.Busy(); }));
    // Every folder is open, its children larger first.
    std::vector<TFolderNode*> Pending{Top};
    int Open = 0;
    while (!Pending.empty()) {
      TFolderNode* Node = Pending.back();
      Pending.pop_back();
      if (Node->ChildCount() == 0)
        continue;
      QVERIFY(Form.TreeView()->isExpanded(Form.Model().IndexOf(Node)));
      ++Open;
      for (size_t Index = 1; Index < Node->ChildCount(); ++Index)
        QVERIFY(Node->Child(Index - 1)->FClusters >= Node->Child(Index)->FClusters);
      Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
    }
    QCOMPARE(Open, 1 + 12 + 144);
    Form.CollapseClick();
    Form.ExpandClick();
    QVERIFY(Form.RemoveRoot(Form.Driver().Roots()));
    QVERIFY(!Form.Busy());
  }

  // Files that show up while a large folder is sorted in slices take their
  // place among the children; none is lost or shown twice.
  void filesAppearWhileSorting()
  {
    TTestTree Tree;
    Tree.Folder("wide");
    for (int Index = 0; Index < 30000; ++Index)
      Tree.Folder("wide/n" + std::to_string(Index * 7919 % 30000));
    Tree.File("wide/own", 5000);
    TMainForm Form;
    Form.Driver().FSettings.FShowFiles = false;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Wide = Child(Form.Driver().Roots()->FNode, "wide");
    Form.TreeView()->expand(Form.Model().IndexOf(Wide));
    QVERIFY(QTest::qWaitFor([&Form] { return !Form.Busy(); }));
    Form.Sort1Click(TValueDisplay::stName);
    QVERIFY(Form.Busy());
    Form.Driver().FSettings.FShowFiles = true;
    QVERIFY(Form.Driver().ApplyScanOptions(false, 0, true).empty());
    QVERIFY(QTest::qWaitFor([&Form] { return !Form.Busy(); }));
    std::vector<TFolderNode*> Children = Wide->Children();
    QCOMPARE(Children.size(), 30001u);
    std::sort(Children.begin(), Children.end());
    QVERIFY(std::adjacent_find(Children.begin(), Children.end()) == Children.end());
    QCOMPARE(Labels(Form, Wide).count("<Files>"), 1);
    QVERIFY(Form.RemoveRoot(Form.Driver().Roots()));
  }

  void countFoldersAndLevels()
  {
    TTestTree Tree;
    Tree.Folder("one");
    Tree.Folder("two");
    for (const char* Name : {"two/x", "two/y", "two/z", "two/z/deeper"})
      Tree.Folder(Name);
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* Two = Child(Top, "two");
    Form.SetCurrentNode(Two);
    TAnswers Answers;
    Form.CountFolders1Click();
    QCOMPARE(Answers.Asked, QStringList{"     " + QString::fromStdString(Tree.Top()) + " has 6 Folders.     "});

    Form.Tolevel11Click(2);
    QCOMPARE(Form.CurrentNode(), Top);
    QTreeView* View = Form.TreeView();
    QVERIFY(View->isExpanded(Form.Model().IndexOf(Two)));
    QVERIFY(!View->isExpanded(Form.Model().IndexOf(Child(Two, "z"))));
    Form.Tolevel11Click(1);
    QVERIFY(!View->isExpanded(Form.Model().IndexOf(Two)));
    Form.SetCurrentNode(Top);
    Form.ExpandClick();
    QVERIFY(View->isExpanded(Form.Model().IndexOf(Child(Two, "z"))));
    Form.CollapseClick();
    QVERIFY(!View->isExpanded(Form.Model().IndexOf(Top)));
    QVERIFY(!View->isExpanded(Form.Model().IndexOf(Two)));

    Form.SetCurrentNode(Child(Two, "x"));
    Form.ParentButtonClick();
    QCOMPARE(Form.CurrentNode(), Two);
  }

  void viewAndSort()
  {
    TTestTree Tree;
    Tree.Folder("alpha");
    Tree.File("alpha/f", 1000);
    Tree.Folder("alpha/small");
    Tree.Folder("alpha/large");
    Tree.File("alpha/large/f", 9000);
    Tree.Folder("beta");
    Tree.File("beta/f", 50000);
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    QCOMPARE(Labels(Form, Top), (QStringList{"beta", "alpha"}));
    Form.ExpandClick();
    TFolderNode* Alpha = Child(Top, "alpha");
    TFolderNode* Small = Child(Alpha, "small");
    Form.SetCurrentNode(Small);
    QCOMPARE(Labels(Form, Alpha), (QStringList{"large", "<Files>", "small"}));
    Form.Sort1Click(TValueDisplay::stName);
    QCOMPARE(Labels(Form, Top), (QStringList{"alpha", "beta"}));
    QVERIFY(Form.Action("SAlphaButton")->isChecked());
    // The order changes; what is open and what is selected stay.
    QCOMPARE(Labels(Form, Alpha), (QStringList{"<Files>", "large", "small"}));
    QVERIFY(Form.TreeView()->isExpanded(Form.Model().IndexOf(Alpha)));
    QCOMPARE(TFolderModel::NodeOf(Form.TreeView()->currentIndex()), Small);
    Form.View1Click(3);
    QVERIFY(Form.TreeView()->isExpanded(Form.Model().IndexOf(Alpha)));
    QCOMPARE(TFolderModel::NodeOf(Form.TreeView()->currentIndex()), Small);
    QCOMPARE(Form.windowTitle(), QString("Spacelens - (Percent)"));
    QVERIFY(Form.Model().data(Form.Model().IndexOf(Top->Child(0)), Qt::DisplayRole).toString().contains(" %"));
    Form.Driver().FSettings.SetFileFilter("*.txt *.doc");
    Form.RefreshCaption();
    QCOMPARE(Form.windowTitle(), QString("Spacelens *.txt *.doc - (Percent)"));
  }

  void minimumSize_data()
  {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("refused");
    QTest::newRow("digits and more") << "12abc" << 10 << true;
    QTest::newRow("the preset") << "10 MB" << 10 << false;
    QTest::newRow("bare number, lower-case unit") << "7 mb" << 7 << false;
    QTest::newRow("gigabytes") << "2 GB" << 2048 << false;
    QTest::newRow("whole megabytes in kilobytes") << "2048KB" << 2 << false;
    QTest::newRow("kilobytes below a megabyte") << "500 KB" << 10 << true;
    QTest::newRow("letters") << "abc" << 10 << true;
    QTest::newRow("empty") << "" << 10 << true;
    QTest::newRow("negative") << "-5" << 10 << true;
    QTest::newRow("too large") << "99999999999" << 10 << true;
  }
  void minimumSize()
  {
    QFETCH(QString, answer);
    QFETCH(int, stored);
    QFETCH(bool, refused);
    TMainForm Form;
    TAnswers Answers;
    Answers.Input = answer;
    Form.SetMinimumExpandSizeClick(true);
    QCOMPARE(Form.Commands().FMinimumExpandSize, stored);
    QCOMPARE(!Answers.Asked.filter("Sorry, this was not a valid size.").isEmpty(), refused);
    QCOMPARE(Form.Action("RemoveFolderMenuItem")->text(), QString("&Remove Folder <%1 MB").arg(stored));
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TMainFormTest)
#include "tst_mainform.moc"
