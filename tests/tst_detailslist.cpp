// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/Manual.h"
#include "app/OptionCommands.h"
#include "app/OptionDlg.h"
#include "app/RootCommands.h"
#include "fs/Directory.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "scan/ScanSettings.h"
#include "shell/Prompt.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

namespace {

QStringList Column(TDetailsList& List, int Index)
{
  QStringList Cells;
  for (int Row = 0; Row < List.Model().rowCount(); ++Row)
    Cells << List.Model().index(Row, Index).data().toString();
  return Cells;
}

// Runs the options dialog: Change sets its controls, then it is accepted
// (or cancelled).
void WithOptions(TMainForm& Form, const std::function<void(TOptionDlg&)>& Change, bool Accept = true)
{
  QTimer::singleShot(0, [&] {
    auto* Dialog = dynamic_cast<TOptionDlg*>(QApplication::activeModalWidget());
    QVERIFY(Dialog);
    Change(*Dialog);
    Accept ? Dialog->accept() : Dialog->reject();
  });
  TOptionCommands::OptionsClick(Form);
}

// A scanned tree: top/{alpha/{x/}, beta/, a.txt (100 B), b.doc (5000 B), c.txt (20 B)}.
struct TScanned {
  explicit TScanned(int Rows = 6, const std::string& Filter = "*")
  {
    Tree.File("a.txt", 100, 1577934245, 1609470245);
    Tree.File("b.doc", 5000, 1546300800, 1640995200);
    Tree.File("c.txt", 20);
    Form.Driver().FUserClusterSize = 4096;
    Form.Driver().FSettings.SetFileFilter(Filter);
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Top = Form.Driver().Roots()->FNode;
    QTRY_COMPARE(Form.List().Model().rowCount(), Rows);
  }
  TTestTree Tree{"alpha", "alpha/x", "beta"};
  TMainForm Form;
  // The list's model is checked through every fill, sort and change.
  QAbstractItemModelTester Tester{&Form.List().Model(), QAbstractItemModelTester::FailureReportingMode::QtTest};
  TFolderNode* Top;
};

}  // namespace

class TDetailsListTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init()
  {
    ResetSettings();
    StartWithList();
  }
  void cleanup()
  {
    TPrompt::SetAnswerer(nullptr);
    TDirectory::SetFailureInjector(nullptr);
  }

  // The cells of each row; a click on a caption sorts by it, again the
  // other way; the tree's sort, or none, takes the list along.
  void rowsAndCells()
  {
    TScanned Scan;
    TDetailsList& List = Scan.Form.List();
    Scan.Form.Display().FUnitType = TValueDisplay::utKB;
    const QString Top = QString::fromStdString(Scan.Tree.Top());
    QHeaderView* Header = List.header();
    emit Header->sectionClicked(0);  // by name, in the same (ascending) direction
    QCOMPARE(Column(List, 0), (QStringList{Top, "alpha", "beta", "a.txt", "b.doc", "c.txt"}));
    QCOMPARE(Column(List, 3), (QStringList{"7  ", "2  ", "1  ", "1  ", "1  ", "1  "}));
    // The file b.doc: 5000 bytes in two 4096-byte clusters of the root's eight.
    QStringList Cells;
    for (int Index = 1; Index < TListModel::lcCount; ++Index)
      Cells << List.Model().index(4, Index).data().toString();
    QCOMPARE(Cells, (QStringList{"4.9 kb", "8.0 kb", "1  ", "3.1 kb", "25.0 %", "1/1/19", "1/1/22"}));
    QCOMPARE(List.Model().index(1, 5).data().toString(), QString("25.0 %"));
    // The other way round the root's own row goes to the bottom.
    emit Header->sectionClicked(0);
    QVERIFY(!List.Ascending());
    QCOMPARE(Column(List, 0), (QStringList{"c.txt", "b.doc", "a.txt", "beta", "alpha", Top}));
    // Another column keeps the direction; rows alike keep their order.
    emit Header->sectionClicked(2);
    QVERIFY(!List.Ascending());
    QCOMPARE(List.SortColumn(), 2);
    QCOMPARE(Column(List, 0), (QStringList{"c.txt", "a.txt", "beta", "b.doc", "alpha", Top}));
    Scan.Form.Sort1Click(TValueDisplay::stName);
    QCOMPARE(Column(List, 0).mid(1), (QStringList{"alpha", "beta", "a.txt", "b.doc", "c.txt"}));
    Scan.Form.Sort1Click(TValueDisplay::stSize);
    QCOMPARE(Column(List, 0).mid(1, 2), (QStringList{"b.doc", "alpha"}));
    // Without sorting the rows stay in the folder's order.
    Scan.Form.Sort1Click(TValueDisplay::stNone);
    Scan.Form.SetCurrentNode(Child(Scan.Top, "alpha"));
    Scan.Form.SetCurrentNode(Scan.Top);
    QTRY_COMPARE(List.Model().rowCount(), 6);
    QCOMPARE(Column(List, 0).mid(1, 2), (QStringList{"alpha", "beta"}));
  }

  void compareRows_data()
  {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("order");
    // Ascending; ties keep the order of the rows (folders, then files by name).
    QTest::newRow("size, larger first") << 1 << QStringList{"b.doc", "alpha", "beta", "a.txt", "c.txt"};
    QTest::newRow("allocated") << 2 << QStringList{"alpha", "b.doc", "beta", "a.txt", "c.txt"};
    QTest::newRow("objects") << 3 << QStringList{"alpha", "beta", "a.txt", "b.doc", "c.txt"};
    QTest::newRow("wasted") << 4 << QStringList{"alpha", "beta", "c.txt", "a.txt", "b.doc"};
    QTest::newRow("last access, older first") << 6 << QStringList{"alpha", "beta", "b.doc", "a.txt", "c.txt"};
    QTest::newRow("last change, older first") << 7 << QStringList{"alpha", "beta", "a.txt", "b.doc", "c.txt"};
  }
  void compareRows()
  {
    QFETCH(int, column);
    QFETCH(QStringList, order);
    TScanned Scan;
    TDetailsList& List = Scan.Form.List();
    Scan.Form.SetCurrentNode(Child(Scan.Top, "alpha"));
    Scan.Form.SetCurrentNode(Scan.Top);
    QTRY_COMPARE(List.Model().rowCount(), 6);
    List.SetSortColumn(0);
    List.Resort();
    List.SetSortColumn(column);
    List.Resort();
    QStringList Got = Column(List, 0);
    Got.removeFirst();  // the root's own row
    QCOMPARE(Got, order);
    // The other way round the root's own row ends the list.
    List.Model().Sort(column, false);
    QCOMPARE(Column(List, 0).last(), QString::fromStdString(Scan.Tree.Top()));
  }

  void selectionSum()
  {
    TScanned Scan;
    Scan.Form.Display().FUnitType = TValueDisplay::utKB;
    TDetailsList& List = Scan.Form.List();
    emit List.header()->sectionClicked(0);
    List.selectionModel()->select(List.Model().index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(Scan.Form.StatusText(2), QString());
    List.selectionModel()->select(List.Model().index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // alpha (two empty folders) and b.doc: 5000 bytes.
    QCOMPARE(Scan.Form.StatusText(2), QString("4.9 kb"));
    QCOMPARE(Scan.Form.StatusText(1), QString("2 Objects"));
    Scan.Form.View1Click(vtPercent);
    QCOMPARE(Scan.Form.StatusText(2), QString("50.0 %"));
    // Everything but the root's own row, which holds all the others.
    Scan.Form.SelectAllRows();
    QCOMPARE(Scan.Form.StatusText(1), QString("5 Objects"));
    QCOMPARE(Scan.Form.StatusText(2), QString("87.5 %"));
    // One meaning whoever writes it: the objects below the selected folder.
    List.clearSelection();
    QCOMPARE(Scan.Form.StatusText(1), QString("6 Objects"));
    Scan.Form.RefreshStatus(false);
    QCOMPARE(Scan.Form.StatusText(1), QString("6 Objects"));
  }

  void followsTheTree()
  {
    TScanned Scan;
    TDetailsList& List = Scan.Form.List();
    // Every change of the selected folder refills the list at once.
    Scan.Form.SetCurrentNode(Child(Scan.Top, "alpha"));
    QCOMPARE(Column(List, 0), QStringList{"x"});
    Scan.Form.SetCurrentNode(Child(Child(Scan.Top, "alpha"), "x"));
    QCOMPARE(List.Model().rowCount(), 0);
    // A root without sub-folders lists its files, also when selected again.
    TTestTree Files{"a:10", "b:20"};
    QVERIFY(Scan.Form.StartScan(Files.Top()));
    QVERIFY(ScansDone(Scan.Form));
    QTRY_COMPARE(List.Model().rowCount(), 3);
    Scan.Form.SetCurrentNode(Scan.Top);
    QTRY_COMPARE(List.Model().rowCount(), 6);
    Scan.Form.SetCurrentNode(Scan.Form.Driver().FindRoot(Files.Top() + "/")->FNode);
    QTRY_COMPARE(List.Model().rowCount(), 3);
    Scan.Form.Roots().RemoveClick();
    Scan.Form.Roots().RemoveClick();
    QCOMPARE(List.Model().rowCount(), 0);
  }

  // By size, the list sorts by the column of the tree's value.
  void followsTheTreesValue_data()
  {
    QTest::addColumn<int>("sortType");
    QTest::addColumn<int>("viewType");
    QTest::addColumn<int>("column");
    QTest::newRow("by name") << 1 << int(vtAllocated) << int(TListModel::lcName);
    QTest::newRow("allocated") << 2 << int(vtAllocated) << int(TListModel::lcAllocated);
    QTest::newRow("CD-ROM") << 2 << int(vtCDROM) << int(TListModel::lcSize);
  }
  void followsTheTreesValue()
  {
    QFETCH(int, sortType);
    QFETCH(int, viewType);
    QFETCH(int, column);
    TScanned Scan;
    Scan.Form.Sort1Click(TValueDisplay::TSortType(sortType));
    Scan.Form.View1Click(TViewType(viewType));
    QCOMPARE(Scan.Form.List().SortColumn(), column);
    // and the other way round: the view first, then the sort.
    Scan.Form.Sort1Click(TValueDisplay::stNone);
    Scan.Form.View1Click(viewType == vtSize ? vtWasted : vtSize);
    Scan.Form.View1Click(TViewType(viewType));
    Scan.Form.Sort1Click(TValueDisplay::TSortType(sortType));
    QCOMPARE(Scan.Form.List().SortColumn(), column);
  }

  void filterListsTwice()
  {
    TScanned Scan(8, "*.txt *.*");
    TDetailsList& List = Scan.Form.List();
    emit List.header()->sectionClicked(0);
    QStringList Names = Column(List, 0);
    QCOMPARE(Names.mid(3), (QStringList{"a.txt", "a.txt", "b.doc", "c.txt", "c.txt"}));
  }

  void unlistableFiles()
  {
    TScanned Scan;
    const std::string Folder = Scan.Tree.Top() + "/";
    TDirectory::SetFailureInjector([Folder](const char* Name) { return Name == Folder ? EACCES : 0; });
    Scan.Form.SetCurrentNode(Child(Scan.Top, "beta"));
    Scan.Form.SetCurrentNode(Scan.Top);
    QTRY_VERIFY(Scan.Form.ErrorBox() && Scan.Form.ErrorBox()->isVisible());
    QTRY_COMPARE(Scan.Form.ErrorBox()->text(), "Path " + QString::fromStdString(Folder) + ": Permission denied");
    QCOMPARE(Scan.Form.List().Model().rowCount(), 3);  // the root and its two folders
  }

  void linkedFolderListsNoFiles()
  {
    TScanned Scan;
    Scan.Tree.Folder("target");
    Scan.Tree.File("target/inside.txt", 10);
    Scan.Tree.Link("link", "target");
    QVERIFY(Scan.Form.StartScan(Scan.Tree.Top()));
    QVERIFY(ScansDone(Scan.Form));
    TFolderNode* Link = Child(Scan.Form.Driver().Roots()->FNode, "link");
    Scan.Form.SetCurrentNode(Link);
    QTRY_VERIFY(!Scan.Form.List().Listing());
    QCoreApplication::processEvents();
    QCOMPARE(Scan.Form.List().Model().rowCount(), 0);
    Scan.Form.Driver().FSettings.FFollowReparsePoints = true;
    Scan.Form.SetCurrentNode(Child(Scan.Form.Driver().Roots()->FNode, "target"));
    Scan.Form.SetCurrentNode(Link);
    QTRY_COMPARE(Scan.Form.List().Model().rowCount(), 1);
  }

  void layoutKept()
  {
    {
      TMainForm Form;
      Form.show();
      TDetailsList& List = Form.List();
      List.SetColumnWidth(4, 0);
      List.header()->moveSection(List.header()->visualIndex(7), 1);
      emit List.header()->sectionClicked(1);  // the sort column again: descending
      Form.close();
    }
    TMainForm Again;
    TDetailsList& List = Again.List();
    QCOMPARE(List.ColumnWidth(4), 0);
    QCOMPARE(List.header()->logicalIndex(1), 7);
    // The list sorts as the tree does: by size, largest first.
    QVERIFY(List.Ascending());
    QCOMPARE(List.SortColumn(), 1);
  }

  void optionsFilterBeforeAndAfterAScan()
  {
    {
      TMainForm Form;
      Form.show();
      WithOptions(Form, [](TOptionDlg& Dialog) {
        Dialog.Filteredit->setText("*.txt");
        QCOMPARE(Dialog.OKButton->text(), QString("OK"));
      });
      QCOMPARE(Form.Driver().FSettings.FFileFilter, std::vector<std::string>{"*.txt"});
    }
    TScanned Scan;
    WithOptions(Scan.Form, [](TOptionDlg& Dialog) { Dialog.Filteredit->setText("*.txt "); });
    QVERIFY(ScansDone(Scan.Form));
    QCOMPARE(Scan.Form.Driver().Roots()->FNode->OwnFiles(), 2);
    QCOMPARE(Scan.Form.windowTitle(), QString("Spacelens *.txt  - (Size)"));
  }

  void optionsExclude()
  {
    // Rules typed in the options scan the roots again without what they
    // match, the status bar tells how much that was, and they are kept.
    {
      TScanned Scan;
      WithOptions(Scan.Form, [](TOptionDlg& Dialog) {
        QCOMPARE(Dialog.ExcludeEdit->toPlainText(), QString());
        Dialog.ExcludeEdit->setPlainText("beta\n*.doc\n");
      });
      QVERIFY(ScansDone(Scan.Form));
      TFolderNode* Top = Scan.Form.Driver().Roots()->FNode;
      QCOMPARE(Child(Top, "beta"), nullptr);
      QCOMPARE(Top->OwnFiles(), 2);
      QTRY_COMPARE(Scan.Form.List().Model().rowCount(), 4);  // alpha, a.txt, c.txt and the folder's own row
      QTRY_VERIFY(std::ranges::any_of(Scan.Form.findChildren<QLabel*>(), [](const QLabel* Label) {
        return Label->text().contains("2 files (2 left out by the exclude rules)");
      }));
      Scan.Form.close();
    }
    TMainForm Again;
    QCOMPARE(Again.Driver().FSettings.FExclude.Patterns(), (std::vector<std::string>{"beta", "*.doc"}));
  }

  void optionsClusterSize()
  {
    TScanned Scan;
    TTestTree Other;
    QVERIFY(Scan.Form.StartScan(Other.Top()));
    QVERIFY(ScansDone(Scan.Form));
    WithOptions(Scan.Form, [](TOptionDlg& Dialog) {
      Dialog.ClusterSizeGroup->button(3)->click();  // "  2048 Bytes (CD-ROM)"
    });
    QVERIFY(ScansDone(Scan.Form));
    for (TRoot* Root = Scan.Form.Driver().Roots(); Root; Root = Root->FNext) {
      QCOMPARE(Root->FFileSystem, std::string("User Defined"));
      QCOMPARE(Root->FClusterSize, 2048u);
    }
    QCOMPARE(Scan.Form.StatusText(3), QString("2048 Bytes per Cluster (User Defined)"));
    // Opened again, the dialog shows the size of the newest root.
    WithOptions(
      Scan.Form, [](TOptionDlg& Dialog) { QCOMPARE(Dialog.ClusterSizeGroup->checkedId(), 3); }, false);
  }

  void optionsShowFilesAndColumns()
  {
    TScanned Scan;
    TFolderNode* Alpha = Child(Scan.Top, "alpha");
    auto HasFilesEntry = [&] {
      return std::any_of(Scan.Top->Children().begin(), Scan.Top->Children().end(),
                         [](TFolderNode* Node) { return Node->FIsFiles; });
    };
    WithOptions(Scan.Form, [](TOptionDlg& Dialog) {
      Dialog.FilesCheckbox->setChecked(false);
      Dialog.DecimalSpin->setValue(2);  // a display change at the same time
      Dialog.ColumnList->item(4)->setCheckState(Qt::Unchecked);
    });
    QVERIFY(!HasFilesEntry());
    QCOMPARE(Scan.Form.List().Model().rowCount(), 3);
    QCOMPARE(Scan.Form.List().ColumnWidth(4), 0);
    QCOMPARE(Child(Scan.Top, "alpha"), Alpha);
    WithOptions(Scan.Form, [](TOptionDlg& Dialog) {
      QCOMPARE(Dialog.ColumnList->item(4)->checkState(), Qt::Unchecked);
      Dialog.FilesCheckbox->setChecked(true);
      Dialog.ColumnList->item(4)->setCheckState(Qt::Checked);
    });
    QVERIFY(HasFilesEntry());
    QTRY_COMPARE(Scan.Form.List().Model().rowCount(), 6);
    QVERIFY(Scan.Form.List().ColumnWidth(4) > 0);
    QVERIFY(!Scan.Form.Driver().Scanning());
  }

  // A cancelled dialog applies nothing, not even choices that rescan; the
  // number of decimals alone relabels the tree, with no rescan. The bold
  // factor takes only digits, and Help opens the manual at the options.
  void optionsCancelledAndDecimals()
  {
    TScanned Scan;
    QUrl Opened;
    TManual::SetOpener([&Opened](const QUrl& Address) {
      Opened = Address;
      return true;
    });
    WithOptions(
      Scan.Form,
      [](TOptionDlg& Dialog) {
        QLineEdit* Edit = Dialog.BoldFactorSpin->findChild<QLineEdit*>();
        Edit->selectAll();
        QTest::keyClicks(Edit, "a-/:3x7");
        QCOMPARE(Dialog.BoldFactorSpin->cleanText(), QString("37"));
        QTest::mouseClick(Dialog.HelpButton, Qt::LeftButton);
        Dialog.Filteredit->setText("*.none");
        Dialog.ClusterSizeGroup->button(5)->click();
      },
      false);
    TManual::SetOpener(nullptr);
    QCOMPARE(Opened.fragment(), QString("options"));
    QVERIFY(Opened.toLocalFile().endsWith("spacelens-manual.html"));
    QCOMPARE(Scan.Form.Driver().FSettings.FFileFilter, std::vector<std::string>{"*"});
    QVERIFY(!Scan.Form.Driver().Scanning());
    QCOMPARE(Scan.Form.Driver().Roots()->FClusterSize, 4096u);
    TFolderNode* Alpha = Child(Scan.Top, "alpha");
    WithOptions(Scan.Form, [](TOptionDlg& Dialog) { Dialog.DecimalSpin->setValue(2); });
    QVERIFY(!Scan.Form.Driver().Scanning());
    QCOMPARE(Child(Scan.Top, "alpha"), Alpha);  // the same nodes
    QVERIFY(Scan.Form.Model().data(Scan.Form.Model().IndexOf(Alpha), Qt::DisplayRole).toString().contains("0.00 MB"));
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TDetailsListTest)
#include "tst_detailslist.moc"
