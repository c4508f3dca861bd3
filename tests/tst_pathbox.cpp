// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "scan/Root.h"
#include "shell/MRUList.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/WindowTest.h"
#include "view/FolderTreeView.h"
#include "widgets/DriveBox.h"
#include "widgets/ZelFolderCombo.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTest>

namespace {

QStringList MenuTexts(QMenu* Menu)
{
  QStringList Texts;
  for (QAction* Item : Menu->actions())
    Texts << (Item->isSeparator() ? QString("-") : Item->text());
  return Texts;
}

}  // namespace

class TPathBoxTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Completion from the box's entries in their order, armed by a typed
  // character at the end only.
  void completion()
  {
    TMRUFileList Recent;
    TDriveBox Box(Recent);
    Box.show();
    TZelFolderCombo& Combo = *Box.ShellCombo;
    Combo.clear();
    Combo.AddComboItem(0, "/data/", 0, -1, "data");
    Combo.AddComboItem(1, "/docs/", 0, -1, "docs");
    QLineEdit& Edit = *Box.DriveEdit;
    Edit.setFocus();
    QTRY_VERIFY(Edit.hasFocus());
    Edit.clear();
    QTest::keyClicks(&Edit, "/");
    QCOMPARE(Edit.text(), QString("/data/"));
    QCOMPARE(Edit.selectedText(), QString("data/"));
    QTest::keyClicks(&Edit, "do");
    QCOMPARE(Edit.text(), QString("/docs/"));
    QCOMPARE(Edit.selectedText(), QString("cs/"));
    // Backspace, a space or typing in the middle never completes.
    const auto Typed = [&Edit](const char* Text, int Cursor, auto Key) {
      Edit.setText(Text);
      Edit.setCursorPosition(Cursor);
      QTest::keyClick(&Edit, Key);
      return Edit.text();
    };
    QCOMPARE(Typed("/d", 2, Qt::Key_Backspace), QString("/"));
    QCOMPARE(Typed("/d", 1, 'x'), QString("/xd"));
    QCOMPARE(Typed("/do", 3, Qt::Key_Space), QString("/do "));
    QCOMPARE(Typed("/", 1, 'D'), QString("/D"));  // letters compared exactly
  }

  // The recent list: order, moving to the top, the maximum, the menu.
  void recentList()
  {
    QMenu Menu;
    Menu.addAction("Printer &Setup ...");
    Menu.addSeparator();
    Menu.addAction("E&xit");
    TMRUFileList Recent;
    Recent.SetMaximum(6);
    Recent.SetFileMenu(Menu.actions()[1]);
    for (const char* Path : {"/a/", "/b/", "/c/", "/d/", "/e/", "/f/"})
      Recent.AddItem(Path);
    Recent.AddItem("/c/");
    Recent.AddItem("/g/");
    QCOMPARE(Recent.Items(), (std::vector<std::string>{"/g/", "/c/", "/f/", "/e/", "/d/", "/b/"}));
    QCOMPARE(MenuTexts(&Menu),
             (QStringList{"Printer &Setup ...", "-", "&1 /g/", "&2 /c/", "&3 /f/", "&4 /e/", "&5 /d/", "&6 /b/", "-",
                          "E&xit"}));
    // Saved as F0, F1, ...: four after six leave exactly four.
    QSettings Store("Zelkon", "Spacelens");
    Recent.SaveToRegistry(Store);
    TMRUFileList Four;
    Four.SetMaximum(4);
    for (const char* Path : {"/1/", "/2/", "/3/", "/4/"})
      Four.AddItem(Path);
    Four.SaveToRegistry(Store);
    Store.beginGroup("MRU Items");
    QCOMPARE(Store.childKeys(), (QStringList{"F0", "F1", "F2", "F3"}));
    Recent.SetMaximum(3);
    QCOMPARE(Recent.Items(), (std::vector<std::string>{"/g/", "/c/", "/f/"}));
    // In a submenu of their own.
    Recent.SetUseSubmenu(true);
    QCOMPARE(MenuTexts(&Menu), (QStringList{"Printer &Setup ...", "-", "Reopen", "-", "E&xit"}));
    QCOMPARE(Menu.actions()[2]->menu()->actions().size(), 3);
  }

  // Enter scans and lists the path; a drop-down keeps the recent folders still
  // there; a name not UTF-8 survives a restart.
  void inTheWindow()
  {
    TTestTree Tree;
    for (const char* Name : {"A", "B", "C", "D", "caf\xe9"})
      Tree.Folder(Name);
    const std::string Odd = Tree.Path("caf\xe9") + "/";
    {
      TMainForm Form;
      Form.show();
      QLineEdit& Edit = *Form.DriveBox().DriveEdit;
      Edit.setText(QString::fromStdString(Tree.Path("A")));
      Edit.setFocus();
      QTest::keyClick(&Edit, Qt::Key_Return);
      QVERIFY(ScansDone(Form));
      QVERIFY(Form.Driver().FindRoot(Tree.Path("A") + "/"));
      QCOMPARE(Form.Recent().Items().front(), Tree.Path("A") + "/");
      QVERIFY(Form.DriveBox().ShellCombo->Find(Tree.Path("A") + "/") >= 0);
      for (const std::string& Path : {Tree.Path("B"), Tree.Path("C"), Tree.Path("D"), Odd})
        QVERIFY(Form.StartScan(Path));
      QVERIFY(ScansDone(Form));
      rmdir(Tree.Path("A").c_str());
      rmdir(Tree.Path("C").c_str());
      Form.DriveBox().ShellComboDropDown();
      QCOMPARE(Form.Recent().Items(), (std::vector<std::string>{Odd, Tree.Path("D") + "/", Tree.Path("B") + "/"}));
      Form.close();
    }
    TMainForm Again;
    QCOMPARE(Again.Recent().Items().front(), Odd);
  }

  // Enter scans typed text naming a folder, not the offer after it, unless
  // taken; the tree then has the keys.
  void enterScansWhatWasTyped_data()
  {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("scanned");
    QTest::newRow("a folder, the offer left") << "sub" << 0 << "sub";
    QTest::newRow("a folder, the offer taken with End") << "sub" << int(Qt::Key_End) << "sub/deeper";
    QTest::newRow("no folder: the offer") << "sub/de" << 0 << "sub/deeper";
    QTest::newRow("a file: the offer") << "sub/dee" << 0 << "sub/deeper";
    QTest::newRow("a selection inside the text is no offer") << "sub" << -1 << "sub/deeper";
  }
  void enterScansWhatWasTyped()
  {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, scanned);
    TTestTree Tree;
    Tree.Folder("sub");
    Tree.Folder("sub/deeper");
    Tree.File("sub/dee", 1);
    TMainForm Form;
    Form.show();
    Form.DriveBox().Scanned(Tree.Path("sub/deeper") + "/");
    QLineEdit& Edit = *Form.DriveBox().DriveEdit;
    Edit.setFocus();
    QTRY_VERIFY(Edit.hasFocus());
    Edit.clear();
    QTest::keyClicks(&Edit, QString::fromStdString(Tree.Path(typed.toStdString())));
    QCOMPARE(Edit.text(), QString::fromStdString(Tree.Path("sub/deeper/")));
    QVERIFY(Edit.hasSelectedText());
    if (key > 0)
      QTest::keyClick(&Edit, Qt::Key(key));
    else if (key < 0)
      Edit.setSelection(int(Tree.Path("sub/").size()), 2);
    QTest::keyClick(&Edit, Qt::Key_Return);
    QVERIFY(ScansDone(Form));
    QVERIFY(Form.Driver().Roots());
    QCOMPARE(Form.Driver().Roots()->FPath, Tree.Path(scanned.toStdString()) + "/");
    QCOMPARE(Form.Driver().Roots()->FNext, nullptr);
    QTRY_VERIFY(Form.TreeView()->hasFocus());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TPathBoxTest)
#include "tst_pathbox.moc"
