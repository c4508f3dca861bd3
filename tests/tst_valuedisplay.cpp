// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "tests/HeldScan.h"
#include "tests/TreeFixture.h"
#include "view/ValueDisplay.h"

#include <QLocale>
#include <QTest>

#include <cerrno>

namespace {

// A scan root with 1024-byte clusters: a folder of k + 1 clusters and one
// object measures exactly k KB.
struct TFixture : TTreeFixture {
  TFixture() : TTreeFixture(1024) {}
  TValueDisplay Display;
};

}  // namespace

class TValueDisplayTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void formatValue_data()
  {
    QTest::addColumn<quint64>("kilobytes");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("mixed at 102,400 KB stays kb") << 102400ull << 1 << 1 << 2 << "102,400.0 kb";
    QTest::newRow("mixed above turns MB") << 102401ull << 1 << 1 << 2 << "100.0 MB";
    QTest::newRow("MB only, no decimals") << 1600ull << 1 << 0 << 1 << "2 MB";
    QTest::newRow("KB only, grouped") << 1234567ull << 1 << 2 << 2 << "1,234,567.0 kb";
    QTest::newRow("allocated counts the folder too") << 9ull << 2 << 2 << 1 << "10 kb";
    QTest::newRow("objects: grouped, no unit") << 1234ull << 6 << 1 << 3 << "1,234";
    QTest::newRow("automatic, kilobytes") << 900ull << 1 << 3 << 2 << "900.0 KB";
    QTest::newRow("automatic, terabytes") << 3ull * 1024 * 1024 * 1024 << 1 << 3 << 3 << "3.00 TB";
    QTest::newRow("automatic, empty") << 0ull << 1 << 3 << 2 << "0.0 KB";
  }
  void formatValue()
  {
    QFETCH(quint64, kilobytes);
    QFETCH(int, view);
    QFETCH(int, unit);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    TFixture Fixture;
    TFolderNode* Node = Fixture.Add(Fixture.Top, "a", kilobytes + 1);
    if (view == vtObjects)
      TFixture::Set(Node, 1, 0, kilobytes);
    Fixture.Display.FUnitType = TValueDisplay::TUnitType(unit);
    Fixture.Display.FDecimals = decimals - 1;
    QCOMPARE(Fixture.Display.FormatValue(Node, view, false), text);
  }

  void percent()
  {
    TFixture Fixture;
    Fixture.Display.FShowType = vtPercent;
    TFolderNode* Node = Fixture.Add(Fixture.Top, "busy", 10);
    TFixture::Set(Fixture.Top, 100, 0, 2);
    QCOMPARE(Fixture.Display.FormatValue(Node, vtPercent, true), QString("  10.0 %  "));
    THeldScan Held;  // a folder whose scan runs shows no percent: its label is its caption
    QCOMPARE(Fixture.Display.NodeLabel(Held.Other()), QString("other"));
  }

  void captions_data()
  {
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("top");
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain") << 0 << int(ssDone) << false << "folder";
    QTest::newRow("access denied") << EACCES << int(ssFailed) << false << "folder [Access Denied!]";
    QTest::newRow("not permitted") << EPERM << int(ssFailed) << false << "folder [Access Denied!]";
    QTest::newRow("other error") << EIO << int(ssFailed) << false << "folder [Error!]";
    QTest::newRow("being scanned") << 0 << int(ssListing) << false << "folder  <==";
    QTest::newRow("waiting to be scanned") << 0 << int(ssQueued) << false << "folder  <==";
    QTest::newRow("both") << EIO << int(ssListing) << false << "folder [Error!]  <==";
    QTest::newRow("cut short by a stop") << 0 << int(ssStopped) << false << "folder [Stopped]";
    QTest::newRow("a root shows no marks") << EACCES << int(ssListing) << true << "/top";
  }
  void captions()
  {
    QFETCH(int, error);
    QFETCH(int, state);
    QFETCH(bool, top);
    QFETCH(QString, caption);
    TFixture Fixture;
    TFolderNode* Node = top ? Fixture.Top : Fixture.Add(Fixture.Top, "folder", 1);
    Node->FErrorCode = error;
    Node->FState = TScanState(state);
    QCOMPARE(Fixture.Display.NodeCaption(Node), caption);
  }

  // A folder below that could not be read: at least the value shown, on
  // every folder above it up to the top.
  void lowerBounds()
  {
    TFixture Fixture;
    TFolderNode* Middle = Fixture.Add(Fixture.Top, "middle", 10);
    TFolderNode* Failed = Fixture.Add(Middle, "failed", 1);
    TFolderNode* Beside = Fixture.Add(Fixture.Top, "beside", 1);
    TFixture::Set(Fixture.Top, 20, 0, 4);
    Failed->FErrorCode = EACCES;
    TFolderNode::MarkFailedAbove(Failed);
    for (const TFolderNode* Node : {Fixture.Top, Middle})
      QVERIFY2(Fixture.Display.NodeLabel(Node).startsWith(u'≥'), qPrintable(Fixture.Display.NodeLabel(Node)));
    for (const TFolderNode* Node : {Failed, Beside})
      QVERIFY(!Fixture.Display.NodeLabel(Node).contains(u'≥'));
  }

  void bold_data()
  {
    QTest::addColumn<int>("factor");
    QTest::addColumn<QList<bool>>("bold");
    QTest::newRow("0: every folder with a cluster") << 0 << QList<bool>{true, true, false, true};
    QTest::newRow("15: above the threshold only") << 15 << QList<bool>{false, true, false, true};
    QTest::newRow("100: none") << 100 << QList<bool>{false, false, false, false};
  }
  void bold()
  {
    QFETCH(int, factor);
    QFETCH(QList<bool>, bold);
    TFixture Fixture;
    Fixture.Display.FShowType = vtAllocated;
    TFixture::Set(Fixture.Top, 1000, 0, 5);
    TFolderNode* Deep = Fixture.Add(Fixture.Top, "a", 150);
    for (const auto& [Name, Clusters] : {std::pair{"b", 151}, {"c", 0}, {"d", 1000}})
      Fixture.Add(Fixture.Top, Name, Clusters);
    TFolderNode* Inner = Fixture.Add(Deep, "inner", 500);
    TFolderNode* Innermost = Fixture.Add(Inner, "innermost", 400);
    Fixture.Display.FBoldFactor = factor;
    // Only the top is expanded: its children and theirs are marked, no deeper.
    Fixture.Display.ApplyBold(Fixture.Top, [&](const TFolderNode* Node) { return Node == Fixture.Top; });
    QList<bool> Got;
    for (TFolderNode* Child : Fixture.Top->Children())
      Got << Child->FBold;
    QCOMPARE(Got, bold);
    QCOMPARE(Inner->FBold, factor < 50);  // measured against the whole scan, not its parent
    QCOMPARE(Innermost->FBold, false);
    Fixture.Display.ApplyBold(Fixture.Top, [](const TFolderNode*) { return true; });
    QCOMPARE(Innermost->FBold, factor < 40);
  }

  // Bold follows the value shown: a sparse image is large in Size and small
  // in the space it takes, and many small files are many objects.
  void boldFollowsTheMeasure_data()
  {
    QTest::addColumn<int>("view");
    QTest::addColumn<QList<bool>>("bold");  // image, data, many
    QTest::newRow("size") << int(vtSize) << QList<bool>{true, false, false};
    QTest::newRow("allocated") << int(vtAllocated) << QList<bool>{false, true, false};
    QTest::newRow("percent: of the space allocated") << int(vtPercent) << QList<bool>{false, true, false};
    QTest::newRow("objects") << int(vtObjects) << QList<bool>{false, false, true};
  }
  void boldFollowsTheMeasure()
  {
    QFETCH(int, view);
    QFETCH(QList<bool>, bold);
    TFixture Fixture;
    TFolderNode* Image = Fixture.Add(Fixture.Top, "image", 2001);
    Image->FHoles = 1990;
    Fixture.Add(Fixture.Top, "data", 241);
    Fixture.Add(Fixture.Top, "many", 40, 0, 40);
    TFixture::Set(Fixture.Top, 2283, 0, 43);
    Fixture.Top->FHoles = 1990;
    Fixture.Display.FShowType = TViewType(view);
    Fixture.Display.ApplyBold(Fixture.Top, [](const TFolderNode*) { return true; });
    QList<bool> Got;
    for (TFolderNode* Child : Fixture.Top->Children())
      Got << Child->FBold;
    QCOMPARE(Got, bold);
  }

  void compareNodes_data()
  {
    QTest::addColumn<int>("sort");
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("order");
    // Added in the order b, c, "<Files>", a. a: 10.3 KB and b: 10.7 KB, both
    // 11 clusters; c: 9 KB in 20 clusters of 11 objects (the most waste);
    // "<Files>": 30 KB in 31 clusters.
    QTest::newRow("by name") << 1 << 1 << QStringList{"<Files>", "a", "b", "c"};
    QTest::newRow("size: half a KB apart keep their order") << 2 << 1 << QStringList{"<Files>", "b", "a", "c"};
    QTest::newRow("cd-rom sorts by size") << 2 << 5 << QStringList{"<Files>", "b", "a", "c"};
    QTest::newRow("allocated by clusters") << 2 << 2 << QStringList{"<Files>", "c", "b", "a"};
    QTest::newRow("wasted") << 2 << 4 << QStringList{"c", "<Files>", "a", "b"};
    QTest::newRow("none keeps the order of addition") << 3 << 1 << QStringList{"b", "c", "<Files>", "a"};
  }
  void compareNodes()
  {
    QFETCH(int, sort);
    QFETCH(int, view);
    QFETCH(QStringList, order);
    TFixture Fixture;
    // Size KB = (C - N) + T / 1024 with 1024-byte clusters.
    Fixture.Add(Fixture.Top, "b", 11, 717, 1);                       // 10.7 KB, waste 0.3 KB
    Fixture.Add(Fixture.Top, "c", 20, 0, 11);                        // 9 KB, waste 11 KB
    TFolderNode* Files = Fixture.Add(Fixture.Top, "", 31, 1024, 2);  // 30 KB, waste 1 KB
    Files->FIsFiles = true;
    Fixture.Add(Fixture.Top, "a", 11, 307, 1);  // 10.3 KB, waste 0.7 KB
    Fixture.Display.FShowType = TViewType(view);
    std::vector<TFolderNode*> Sorted = Fixture.Top->Children();
    std::stable_sort(Sorted.begin(), Sorted.end(), [&](const TFolderNode* A, const TFolderNode* B) {
      return Fixture.Display.CompareNodes(A, B, TValueDisplay::TSortType(sort)) < 0;
    });
    QStringList Got;
    for (TFolderNode* Child : Sorted)
      Got << Fixture.Display.NodeCaption(Child);
    QCOMPARE(Got, order);
  }
};

QTEST_MAIN(TValueDisplayTest)
#include "tst_valuedisplay.moc"
