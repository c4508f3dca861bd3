// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareCommands.h"
#include "app/CompareDlg.h"
#include "app/MainForm.h"
#include "app/RootCommands.h"
#include "charts/Chart.h"
#include "charts/ChartPane.h"
#include "charts/ChartSeries.h"
#include "history/HistoryStore.h"
#include "scan/Baseline.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "tests/StandIns.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "treemap/ChangeSource.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

namespace {

// A tree scanned twice by a window, changed in between in every way.
struct TTwoScans {
  TTwoScans()
  {
    for (const char* Folder : {"grown", "emptied", "old", "same"})
      Tree.Folder(Folder);
    Tree.File("grown/a", 1 << 20);
    Tree.File("emptied/b", 3000);
    Tree.File("old/c", 500);
    Tree.File("same/e", 10);
    Form.show();
    Form.Unit1Click(TValueDisplay::utAutomatic);
    // Space counted alike on any file system.
    Form.Driver().FUserClusterSize = 4096;
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    QTRY_COMPARE(THistoryStore().Of(Root).size(), size_t(1));
    Tree.File("grown/a", 4 << 20);
    QCOMPARE(std::remove(Tree.Path("emptied/b").c_str()), 0);
    QCOMPARE(std::rename(Tree.Path("old").c_str(), Tree.Path("new").c_str()), 0);
    Tree.Folder("added");
    Tree.File("added/f", 2 << 20);
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    QTRY_COMPARE(THistoryStore().Of(Root).size(), size_t(2));
  }
  TTestTree Tree;
  TMainForm Form;
  const std::string Root = Tree.Top() + "/";
};

// The tree's labels of Node's children, in their order.
QStringList Labels(TMainForm& Form, TFolderNode* Node)
{
  QStringList Labels;
  for (const TFolderNode* Child : Node->Children())
    if (!Child->FIsFiles)
      Labels << Form.Model().data(Form.Model().IndexOf(Child), Qt::DisplayRole).toString().simplified()
          + (Child->FBold ? " (bold)" : "");
  return Labels;
}

// The treemap's marks of Folder's tiles in the measure of ViewType, in the
// order of their names ("file" for a file).
QStringList Marks(TMainForm& Form, const TFolderNode* Folder, int ViewType)
{
  const TChangeSource Source(Form.Tree(), ViewType, 4096, Form.Display().FBaseline);
  std::vector<TTreemapEntry> Entries;
  Source.Entries(Folder, Entries);
  QStringList Marks;
  for (const TTreemapEntry& Entry : Entries)
    Marks << (Entry.Folder ? QString::fromStdString(static_cast<const TFolderNode*>(Entry.Folder)->Name()) : "file")
        + " " + TChangeSource::Name(Entry.Change);
  Marks.sort();
  return Marks;
}

}  // namespace

class TCompareTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Compare with nothing scanned says why it cannot.
  void nothingToCompare()
  {
    TAnswers Answers;
    TMainForm Form;
    Form.show();
    Form.Compare().CompareClick();
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY2(Answers.Asked[0].contains("scan a folder"), qPrintable(Answers.Asked[0]));
  }

  // The list of earlier scans leaves out the one shown and starts at the
  // one before it; "None" only ends a comparison there is.
  void dialogOffersThePrevious()
  {
    TTwoScans Scans;
    TMainForm& Form = Scans.Form;
    std::vector<THistoryStore::TEntry> Kept = THistoryStore().Of(Scans.Root);
    const int64_t Since = Form.Roots().RememberedAt(Scans.Root);
    QCOMPARE(Since, Kept.front().Header.Time);
    TFolderSnapshot::THeader Now = Kept.front().Header;
    Kept.push_back(Kept.back());
    Kept.back().Header.Options = "hard-links=each";
    TCompareDlg Dialog(&Form, Now, Kept, Since, false, Form.Display());
    auto* List = Dialog.findChild<QTreeWidget*>();
    QCOMPARE(List->topLevelItemCount(), 2);
    QCOMPARE(List->currentItem()->text(2), QString("1.0 MB"));
    QCOMPARE(List->topLevelItem(1)->text(4), QString("counted otherwise"));
    for (QPushButton* Button : Dialog.findChildren<QPushButton*>())
      if (Button->text() == "None")
        QVERIFY(!Button->isEnabled());
      else if (Button->text() == "Compare")
        Button->click();
    QCOMPARE(Dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Dialog.FFile, Kept[1].File);
    // A scan counted otherwise is compared with, and said to be.
    Form.Driver().FSettings.FHardLinksOnce = false;
    Form.Compare().Compare(Dialog.FFile, *Form.Driver().FindRoot(Scans.Root));
    QTRY_VERIFY(Form.Compare().Active());
    QVERIFY2(Form.statusBar()->currentMessage().startsWith("Compared with a scan counted with other options"),
             qPrintable(Form.statusBar()->currentMessage()));
    QCOMPARE(TCompareDlg::Age(2 * 86400 + 5), QString("2 days"));
  }

  // While comparing, the tree writes each folder's change, sorts by it and
  // makes the most grown bold; the list has the change, the size before
  // and the folders gone, which nothing can be done to; the charts offer
  // the change and the status bar the root's. "None" puts all back.
  void windowShowsTheChange()
  {
    TTwoScans Scans;
    TMainForm& Form = Scans.Form;
    TFolderNode* Top = Form.Tree().TopNodes().front();
    Form.SetCurrentNode(Top);
    Form.ListButtonClick();
    Form.Compare().Compare(THistoryStore().Of(Scans.Root).back().File, *Form.Driver().FindRoot(Scans.Root));
    QTRY_VERIFY(Form.Compare().Active());
    QCOMPARE(Form.Commands().FSortType, int(TValueDisplay::stChange));
    QCOMPARE(Labels(Form, Top),
             (QStringList{"4.0 MB +3.0 MB grown (bold)", "2.0 MB new added (bold)", "0.5 KB new new",
                          "0.0 KB same same", "0.0 KB -2.9 KB emptied"}));
    const QString Since = Form.StatusText(TStatusPanels::spChange);
    QVERIFY2(Since.startsWith("since ") && Since.endsWith(": +5.0 MB"), qPrintable(Since));
    // The bars: growth and shrinking of each sub-folder, in kilobytes.
    Form.barbuttonClick();
    const std::vector<TChartSeries*>& Series = Form.Charts().Chart->FSeries;
    const auto Bars = [&Series](size_t Index) {
      QStringList Bars;
      for (int Point = 0; Series[Index]->FActive && Point < Series[Index]->Count(); ++Point)
        Bars
          << QString("%1 %2").arg(Series[Index]->Point(Point).Label).arg(Series[Index]->Point(Point).Value, 0, 'f', 1);
      return Bars;
    };
    QCOMPARE(Bars(3), (QStringList{"grown 3072.0", "added 2048.0", "new 0.5", "same 0.0", "emptied 0.0"}));
    QCOMPARE(Bars(4), (QStringList{"grown 0.0", "added 0.0", "new 0.0", "same 0.0", "emptied 2.9"}));
    Form.ListButtonClick();
    TDetailsList& List = Form.List();
    TListModel& Model = List.Model();
    const auto Rows = [&Model] {
      QStringList Rows;
      for (int Row = 0; Row < Model.rowCount(); ++Row)
        Rows << Model.index(Row, TListModel::lcName).data().toString() + " "
            + Model.index(Row, TListModel::lcChange).data().toString() + " "
            + Model.index(Row, TListModel::lcBefore).data().toString()
            + (Model.flags(Model.index(Row, 0)) == Qt::NoItemFlags ? " (inert)" : "");
      return Rows;
    };
    QCOMPARE(
      Rows(),
      (QStringList{QString::fromStdString(Scans.Tree.Top()) + " +5.0 MB 1.0 MB", "grown +3.0 MB 1.0 MB", "added new ",
                   "new new ", "same same 0.0 KB", "old gone 0.5 KB (inert)", "emptied -2.9 KB 2.9 KB"}));
    List.selectAll();
    QCOMPARE(List.SelectedRecords().size(), size_t(5));
    // A folder's files tile by what they did themselves.
    QCOMPARE(Marks(Form, Child(Top, "grown"), vtSize), QStringList{"file Grown"});
    // In the view of the space allocated, its change: a whole cluster less,
    // and what it was then in that measure too.
    Form.View1Click(vtAllocated);
    QCOMPARE(Labels(Form, Top).last(), QString("4.0 KB -4.0 KB emptied"));
    QTRY_VERIFY(Rows().contains("emptied -4.0 KB 8.0 KB"));
    QVERIFY2(Rows().contains("old gone 8.0 KB (inert)"), qPrintable(Rows().join('|')));
    Form.View1Click(vtSize);
    // Ended, all is as before; also when it ends while a scan to compare with is read.
    Form.Compare().Compare(THistoryStore().Of(Scans.Root).back().File, *Form.Driver().FindRoot(Scans.Root));
    QVERIFY(Form.Compare().Reading());
    Form.Compare().End();
    QTRY_VERIFY(!Form.Compare().Reading());
    QVERIFY(!Form.Compare().Active());
    QCOMPARE(Form.Commands().FSortType, int(TValueDisplay::stSize));
    QCOMPARE(
      Labels(Form, Top),
      (QStringList{"4.0 MB grown (bold)", "2.0 MB added (bold)", "0.5 KB new", "0.0 KB same", "0.0 KB emptied"}));
    QVERIFY(Form.StatusText(TStatusPanels::spChange).isEmpty());
    QCOMPARE(Model.rowCount(), 6);
  }

  // By Change sorts the root compared; other roots keep the order they had,
  // also for what is scanned while comparing.
  void changeSortsTheRootCompared()
  {
    TTwoScans Scans;
    TMainForm& Form = Scans.Form;
    Form.SetCurrentNode(Form.Tree().TopNodes().front());
    Form.Compare().Compare(THistoryStore().Of(Scans.Root).back().File, *Form.Driver().FindRoot(Scans.Root));
    QTRY_VERIFY(Form.Compare().Active());
    TTestTree Other;
    const QStringList Sizes{"d30", "a80", "f10", "b70", "e20", "c50"};
    for (const QString& Name : Sizes) {
      Other.Folder(Name.left(1).toStdString());
      Other.File(Name.left(1).toStdString() + "/x", Name.mid(1).toULongLong() * 4096);
    }
    QVERIFY(Form.StartScan(Other.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* OtherTop = Form.Driver().FindRoot(Other.Top())->FNode;
    QStringList Order;
    for (const TFolderNode* Child : OtherTop->Children())
      Order << QString::fromStdString(Child->Name());
    QCOMPARE(Order, (QStringList{"a", "b", "c", "d", "e", "f"}));
    QCOMPARE(Form.Commands().FSortType, int(TValueDisplay::stChange));
  }

  // An imported scan is remembered by the folder its file names, apart from
  // this machine's folder of that name, and compares like a scan; an import
  // that read nothing leaves no root, only the reason.
  void importsRemembered()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/f", 10000);
    QTemporaryDir Files;
    const auto Export = [&](const char* Name) {
      const QString File = Files.filePath(Name);
      QProcess::execute(SPACELENS_BINARY,
                        {"--nogui", "--no-history", "--export-ncdu", File, QString::fromStdString(Tree.Top())});
      return File.toStdString();
    };
    const std::string First = Export("first.json");
    Tree.File("a/f", 3 << 20);
    const std::string Second = Export("second.json");
    QVERIFY(QFile::exists(QString::fromStdString(First)) && QFile::exists(QString::fromStdString(Second)));
    TMainForm Form;
    Form.show();
    const auto Import = [&Form](const std::string& File) {
      Form.Roots().Open(File);
      QVERIFY(ScansDone(Form));
    };
    Import(First);
    const std::string Folder = Tree.Top() + "/", Name = "imported " + Folder;
    QTRY_COMPARE(THistoryStore().Of(Name).size(), size_t(1));
    QVERIFY(THistoryStore().Of(Folder).empty());  // not this machine's folder
    Import(Second);
    QTRY_COMPARE(THistoryStore().Of(Name).size(), size_t(2));
    TRoot* Newer = Form.Driver().Roots();
    Form.SetCurrentNode(Newer->FNode);
    Form.Compare().Compare(THistoryStore().Of(Name).back().File, *Newer);
    QTRY_VERIFY(Form.Compare().Active());
    QVERIFY2(Labels(Form, Newer->FNode).first().contains("+3.0 MB"), qPrintable(Labels(Form, Newer->FNode).join('|')));
    Form.Compare().End();
    // Nothing read: the reason told, no root left.
    const auto Roots = [&Form] {
      int Count = 0;
      for (const TRoot* Root = Form.Driver().Roots(); Root; Root = Root->FNext)
        ++Count;
      return Count;
    };
    const int Before = Roots();
    const std::string Empty = Files.filePath("empty.json").toStdString();
    QVERIFY(QFile(QString::fromStdString(Empty)).open(QIODevice::WriteOnly));
    Import(Empty);
    QTRY_VERIFY(Form.ErrorBox() && Form.ErrorBox()->isVisible());
    QVERIFY2(Form.ErrorBox()->text().contains("the file is empty"), qPrintable(Form.ErrorBox()->text()));
    QTRY_COMPARE(Roots(), Before);
  }

  // The treemap marks each folder by its change in the measure drawn: a
  // file turned sparse shrinks only in the space allocated.
  void marksByTheMeasure()
  {
    TTestTree Tree;
    for (const char* Folder : {"shrunk", "holes"})
      Tree.Folder(Folder);
    Tree.File("shrunk/b", 3 << 20);
    Tree.File("holes/h", 1 << 16);
    TMainForm Form;
    Form.show();
    Form.Driver().FUserClusterSize = 4096;
    const std::string Root = Tree.Top() + "/";
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    QTRY_COMPARE(THistoryStore().Of(Root).size(), size_t(1));
    QCOMPARE(std::remove(Tree.Path("shrunk/b").c_str()), 0);
    Tree.Sparse("holes/h", 1 << 16);  // as long, but no space taken
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Tree().TopNodes().front();
    Form.SetCurrentNode(Top);
    Form.Compare().Compare(THistoryStore().Of(Root).back().File, *Form.Driver().FindRoot(Root));
    QTRY_VERIFY(Form.Compare().Active());
    QCOMPARE(Marks(Form, Top, vtSize), (QStringList{"holes Same", "shrunk Shrunk"}));
    QCOMPARE(Marks(Form, Top, vtAllocated), (QStringList{"holes Shrunk", "shrunk Shrunk"}));
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TCompareTest)
#include "tst_compare.moc"
