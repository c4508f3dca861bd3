// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/Manual.h"
#include "app/OptionChoices.h"
#include "app/OptionDlg.h"
#include "app/RightPane.h"
#include "app/RootCommands.h"
#include "app/ShellCommands.h"
#include "app/Translations.h"
#include "app/TreeCommands.h"
#include "app/WindowSettings.h"
#include "files/FilesList.h"
#include "fs/Directory.h"
#include "history/HistoryStore.h"
#include "scan/FolderData.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
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
#include "widgets/DriveBox.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include <sys/statvfs.h>

namespace {

// Shows the window and scans Path to the end.
bool Scanned(TMainForm& Form, const std::string& Path)
{
  Form.show();
  return Form.StartScan(Path) && ScansDone(Form);
}

QStringList Labels(TMainForm& Form, TFolderNode* Node)
{
  QStringList Texts;
  for (TFolderNode* Item : Node->Children())
    Texts << Form.Display().NodeCaption(Item);
  return Texts;
}

// The files a folder keeps for the treemap, as "size:class", sorted.
QStringList Kept(const TFolderNode* Folder)
{
  QStringList Files;
  if (const TFolderFiles* Kept = Folder->FFiles.load())
    for (uint32_t Index = 0; Index < Kept->Count(); ++Index)
      Files << QString("%1:%2").arg((*Kept)[Index].Size()).arg(TFileClass::Name((*Kept)[Index].Kind));
  Files.sort();
  return Files;
}

}  // namespace

class TMainFormTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // A first start, or one with a setting out of range ("Key=Value"), reads the defaults and opens on the
  // screen.
  void defaults_data()
  {
    QTest::addColumn<QString>("stored");
    QTest::newRow("first start") << QString();
    QTest::newRow("not a number") << QString("BoldFactor=lots");
    QTest::newRow("width at the limit") << QString("Width=2147483647");
    QTest::newRow("far left") << QString("Left=-2147483648");
    QTest::newRow("a view not a number") << QString("ShowType=sizes");
  }
  void defaults()
  {
    QFETCH(QString, stored);
    FirstStart();
    if (!stored.isEmpty())
      QSettings("Zelkon", "Spacelens").setValue(stored.section('=', 0, 0), stored.section('=', 1));
    TMainForm Form;
    // On Linux the space taken, not the length (sparse files).
    QCOMPARE(Form.Display().FShowType, int(vtAllocated));
    QCOMPARE(Form.Commands().FSortType, int(TValueDisplay::stSize));
    QCOMPARE(Form.Display().FUnitType, TValueDisplay::utMB);
    QCOMPARE(Form.Display().FDecimals, 1);
    QCOMPARE(Form.Display().FBoldFactor, 15);
    QVERIFY(Form.Driver().FSettings.FShowFiles);
    QVERIFY(!Form.Driver().FSettings.FFollowReparsePoints);
    Form.show();
    const QRect Screen = Form.screen()->availableGeometry();
    QVERIFY(Screen.contains(Form.geometry().center()) && Form.width() <= Screen.width());
    QVERIFY(!Form.Action("Update1")->isEnabled());
  }

  // No two items of a menu share an Alt key, nor a menu's title and a
  // button of the window, whatever the right pane shows; in every language.
  void accessKeys_data()
  {
    QTest::addColumn<QString>("language");
    for (const char* Language : {"en", "de", "fr"})
      QTest::newRow(Language) << QString(Language);
  }
  void accessKeys()
  {
    QFETCH(QString, language);
    const TTranslations Translations{QLocale(language)};
    QCOMPARE(Translations.Found(), language != "en");
    FirstStart();
    TMainForm Form;
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    QStringList Clashes;
    const auto Check = [&Clashes](const QString& Where, const QList<std::pair<QString, QString>>& Items) {
      QMap<QKeySequence, QString> Seen;
      for (const auto& [Text, Shown] : Items) {
        const QKeySequence Key = QKeySequence::mnemonic(Text);
        if (Key.isEmpty())
          continue;
        if (Seen.contains(Key))
          Clashes << QString("%1: \"%2\" and \"%3\"").arg(Where, Seen[Key], Shown);
        Seen[Key] = Shown;
      }
    };
    std::function<void(QMenu*, const QString&)> CheckMenu = [&](QMenu* Menu, const QString& Where) {
      QList<std::pair<QString, QString>> Items;
      for (QAction* Item : Menu->actions())
        if (Item->isVisible() && !Item->isSeparator()) {
          Items.append({Item->text(), Item->text()});
          if (Item->menu())
            CheckMenu(Item->menu(), Where + " > " + Item->text());
        }
      Check(Where, Items);
    };
    int Menus = 0;
    for (const char* Mode : {"PieButton", "BarButton", "TreemapButton", "ListButton", "FilesButton", "TypesButton"}) {
      Form.Action(Mode)->trigger();
      QList<std::pair<QString, QString>> Window;
      for (QAction* Title : Form.menuBar()->actions()) {
        Window.append({Title->text(), "menu " + Title->text()});
        CheckMenu(Title->menu(), QString(Mode) + ": " + Title->text());
        ++Menus;
      }
      for (QAbstractButton* Button : Form.findChildren<QAbstractButton*>())
        if (Button->isVisible())
          Window.append({Button->text(), "button " + Button->text()});
      Check(QString(Mode) + ": the window", Window);
    }
    QCOMPARE(Menus, 6 * 5);
    // Each page of the options dialog with the dialog's buttons, before and
    // after a change of the scan's options makes OK "Scan".
    const auto CheckDialog = [&Check](QDialog& Dialog, const QString& Where) {
      auto* Pages = Dialog.findChild<QTabWidget*>();
      for (int Page = 0; Page < (Pages ? Pages->count() : 1); ++Page) {
        if (Pages)
          Pages->setCurrentIndex(Page);
        QList<std::pair<QString, QString>> Items;
        for (QWidget* Widget : Dialog.findChildren<QWidget*>()) {
          if (!Widget->isVisibleTo(&Dialog))
            continue;
          if (auto* Button = qobject_cast<QAbstractButton*>(Widget))
            Items.append({Button->text(), Button->text()});
          else if (auto* Label = qobject_cast<QLabel*>(Widget); Label && Label->buddy())
            Items.append({Label->text(), Label->text()});
          else if (auto* Box = qobject_cast<QGroupBox*>(Widget))
            Items.append({Box->title(), Box->title()});
        }
        Check(Where + (Pages ? ", " + Pages->tabText(Page) : QString()), Items);
      }
    };
    Form.StartScan(FHome->Path());
    QVERIFY(ScansDone(Form));
    TOptionChoices Choices =
      TOptionChoices::Gather(Form.Display(), Form.Driver().FSettings, Form.WindowSettings(), Form.List());
    Choices.FHasRoots = true;
    TOptionDlg Options(&Form, Choices);
    Options.show();
    CheckDialog(Options, "Options");
    Options.findChild<QPlainTextEdit*>()->setPlainText("*.tmp");
    CheckDialog(Options, "Options, to scan again");
    // Escape cancels; Enter presses the default button.
    QTest::keyClick(&Options, Qt::Key_Escape);
    QVERIFY(!Options.isVisible());
    QCOMPARE(Options.result(), int(QDialog::Rejected));
    Options.show();
    Options.findChild<QTabWidget*>()->setCurrentIndex(0);
    for (QPushButton* Button : Options.findChildren<QPushButton*>())
      if (Button->text() == TOptionDlg::tr("&Help"))
        Button->setFocus();
    QTest::keyClick(&Options, Qt::Key_Return);
    QVERIFY(!Options.isVisible());
    QCOMPARE(Options.result(), int(QDialog::Accepted));
    Clashes.removeDuplicates();
    for (const QString& Clash : Clashes)
      qWarning("%s", qPrintable(Clash));
    QCOMPARE(Clashes.size(), 0);
  }

  // Beside the free space, the inodes left where the file system counts
  // them: a disk of small files runs out of those first.
  void freeInodes()
  {
    TTestTree Tree{"a"};
    TMainForm Form({Tree.Top()});
    Form.show();
    QTRY_VERIFY(Form.Driver().Roots() != nullptr);
    QVERIFY(ScansDone(Form));
    Form.SetCurrentNode(Form.Driver().Roots()->FNode);
    struct statvfs Data;
    QVERIFY(statvfs(Tree.Top().c_str(), &Data) == 0);
    const QString Text = Form.StatusText(TStatusPanels::spFreeSpace);
    if (Data.f_files == 0)
      QSKIP("the test folder's file system has no fixed number of inodes");
    const QRegularExpressionMatch Told = QRegularExpression(", (.+) inodes free$").match(Text);
    QVERIFY2(Text.startsWith("Free Space: ") && Told.hasMatch(), qPrintable(Text));
    bool Number = false;
    const qulonglong Shown = QLocale().toULongLong(Told.captured(1), &Number);
    const qulonglong Free = geteuid() == 0 ? Data.f_ffree : Data.f_favail;
    // Tests running beside this one make and remove tens of thousands of
    // files meanwhile: half a per cent of the count, far less than the
    // inodes used, which a wrong field would show.
    const qulonglong Slack = std::max<qulonglong>(1000, Free / 200);
    QVERIFY2(Number && Shown + Slack > Free && Shown < Free + Slack, qPrintable(Text));
    // The drive's size where it belongs, its free space before it.
    const QRegularExpressionMatch Space =
      QRegularExpression("^Free Space: ([\\d,.]+) MB \\(of ([\\d,.]+) MB\\)").match(Text);
    QVERIFY2(Space.hasMatch(), qPrintable(Text));
    const double Total = double(Data.f_blocks) * double(Data.f_frsize) / 1048576;
    QVERIFY2(std::abs(QLocale().toDouble(Space.captured(2)) - Total) < 1, qPrintable(Text));
    QVERIFY2(QLocale().toDouble(Space.captured(1)) <= QLocale().toDouble(Space.captured(2)), qPrintable(Text));
  }

  // Ctrl+W closes the folder shown, Ctrl+Q the window.
  void desktopKeys()
  {
    FirstStart();
    TTestTree Tree{"a"};
    TMainForm Form({Tree.Top()});
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    QTRY_VERIFY(Form.Driver().Roots() != nullptr);
    QVERIFY(ScansDone(Form));
    QCOMPARE(Form.Action("FileOpen1")->shortcut(), QKeySequence("Ctrl+O"));
    QTest::keyClick(&Form, Qt::Key_W, Qt::ControlModifier);
    QTRY_COMPARE(Form.Driver().Roots(), nullptr);
    QTest::keyClick(&Form, Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!Form.isVisible());
  }

  // F6 and Shift+F6 go round the panes (the path box, the tree, the right
  // pane), back to where the focus was in each; Tab leaves the Files list
  // rather than walking its cells.
  void panesByKeys()
  {
    FirstStart();
    TTestTree Tree{"a", "a/x.txt:10", "y.txt:20"};
    TMainForm Form({Tree.Top()});
    Form.show();
    QApplication::setActiveWindow(&Form);
    QVERIFY(QTest::qWaitForWindowActive(&Form));
    QVERIFY(ScansDone(Form));
    Form.Action("ListButton")->trigger();
    const auto In = [](QWidget* Pane) {
      QWidget* Focus = QApplication::focusWidget();
      return Focus && (Focus == Pane || Pane->isAncestorOf(Focus));
    };
    Form.TreeView()->setFocus();
    QTRY_VERIFY(Form.TreeView()->hasFocus());
    QWidget* Right = Form.RightPane().currentWidget();
    for (QWidget* Pane : {Right, static_cast<QWidget*>(&Form.DriveBox()), static_cast<QWidget*>(Form.TreeView())}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
      QVERIFY2(In(Pane), Pane->metaObject()->className());
    }
    for (QWidget* Pane : {static_cast<QWidget*>(&Form.DriveBox()), Right, static_cast<QWidget*>(Form.TreeView())}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
      QVERIFY2(In(Pane), Pane->metaObject()->className());
    }
    Form.Action("FilesButton")->trigger();
    QTableView* Files = Form.RightPane().Files().View();
    QTRY_VERIFY(Files->isVisible());
    QTRY_COMPARE(Files->model()->rowCount(), 2);
    Files->setCurrentIndex(Files->model()->index(0, 0));
    Files->setFocus();
    QTRY_VERIFY(Files->hasFocus());
    QTest::keyClick(Files, Qt::Key_Tab);
    QVERIFY(!Files->hasFocus());
    // Back in the right pane, F6 finds the list where the focus left it.
    Files->setFocus();
    QTest::keyClick(Files, Qt::Key_F6);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QVERIFY(Files->hasFocus());
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

  // A build folder has the manual beside the program, an installed one under the prefix; beside wins,
  // and the user's language over English.
  void manualBesideOrUnderThePrefix()
  {
    TTestTree Prefix{"bin", "share", "share/doc", "share/doc/spacelens"};
    const QString Bin = QString::fromStdString(Prefix.Path("bin"));
    QCOMPARE(TManual::Find(Bin), QString());
    Prefix.File("share/doc/spacelens/manual.html", 1);
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("share/doc/spacelens/manual.html")));
    Prefix.File("bin/spacelens-manual.html", 1);
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("bin/spacelens-manual.html")));
    // In the user's language where it is translated, in English where not.
    Prefix.File("share/doc/spacelens/manual.de.html", 1);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Austria));
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("share/doc/spacelens/manual.de.html")));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("bin/spacelens-manual.html")));
    UseEnglishNumbers();
    QCOMPARE(TManual::Find(Bin), QString::fromStdString(Prefix.Path("bin/spacelens-manual.html")));
  }

  // A first window takes a share of the screen, a stored one at most the screen, in device-independent
  // pixels, and as large on the screen as it was kept at another scale; both leave room for the title bar.
  void firstWindowFitsTheScreen_data()
  {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("keptAt");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");
    QTest::newRow("first, 1600x1000 at twice the scale")
      << QRect(0, 0, 800, 480) << false << 100 << 2.0 << QSize(560, 336);
    QTest::newRow("stored, larger than the screen") << QRect(0, 0, 800, 480) << true << 100 << 1.0 << QSize(784, 432);
    QTest::newRow("stored, on a screen to the right")
      << QRect(1920, 0, 1920, 1040) << true << 0 << 1.0 << QSize(900, 700);
    QTest::newRow("kept at twice the scale") << QRect(0, 0, 1920, 1040) << true << 200 << 1.0 << QSize(1800, 992);
    QTest::newRow("kept at 1, shown at 1.5") << QRect(0, 0, 1280, 693) << true << 100 << 1.5 << QSize(600, 467);
    QTest::newRow("kept at the same scale") << QRect(0, 0, 1920, 1040) << true << 125 << 1.25 << QSize(900, 700);
  }
  void firstWindowFitsTheScreen()
  {
    QFETCH(QRect, available);
    QFETCH(bool, stored);
    QFETCH(int, keptAt);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    TWindowSettings Settings;
    Settings.FStoredFrame = stored;
    Settings.FLeft = available.left() + 10;
    Settings.FTop = 10;
    Settings.FWidth = 900;
    Settings.FHeight = 700;
    Settings.FScale = keptAt;
    const QRect Frame = Settings.Frame(available, scale);
    QCOMPARE(Frame.size(), size);
    QVERIFY(available.contains(Frame));
  }

  void settingsKept()
  {
    {
      TMainForm Form;
      Form.show();
      Form.setGeometry(50, 60, 700, 500);
      Form.View1Click(vtWasted);
      Form.Sort1Click(TValueDisplay::stName);
      Form.Display().FDecimals = 3;
      Form.Driver().FSettings.FShowFiles = false;
      Form.close();
    }
    QSettings Store("Zelkon", "Spacelens");
    QCOMPARE(Store.value("ShowType").toString(), QString("4"));
    TMainForm Again;
    QCOMPARE(Again.Display().FShowType, 1);  // Wasted starts as Size
    QCOMPARE(Again.Commands().FSortType, int(TValueDisplay::stName));
    QCOMPARE(Again.Display().FDecimals, 3);
    QVERIFY(!Again.Driver().FSettings.FShowFiles);
    QCOMPARE(Again.geometry(), QRect(50, 60, 700, 500));
  }

  // The Objects view counts: the labels, the title and the order by size
  // follow it, and it comes back at the next start.
  void objectsView()
  {
    FirstStart();
    TTestTree Tree;
    Tree.Folder("many");
    for (int File = 0; File < 5; ++File)
      Tree.File("many/f" + std::to_string(File), 10);
    Tree.Folder("big");
    Tree.File("big/one", 1 << 20);
    {
      TMainForm Form({Tree.Top()});
      Form.show();
      QTRY_VERIFY(Form.Driver().Roots() != nullptr);
      QVERIFY(ScansDone(Form));
      Form.Sort1Click(TValueDisplay::stSize);
      TFolderNode* Top = Form.Driver().Roots()->FNode;
      QCOMPARE(Top->Child(0)->Name(), std::string("big"));
      Form.Action("ViewButton6")->trigger();
      QCOMPARE(Form.Display().FShowType, vtObjects);
      QVERIFY2(Form.windowTitle().endsWith("(Objects)"), qPrintable(Form.windowTitle()));
      QCOMPARE(Top->Child(0)->Name(), std::string("many"));
      QCOMPARE(Form.Display().NodeLabel(Top->Child(0)).simplified(), QString("6 many"));
      QCOMPARE(Form.Display().NodeLabel(Top->Child(1)).simplified(), QString("2 big"));
      Form.close();
    }
    TMainForm Again;
    QCOMPARE(Again.Display().FShowType, vtObjects);
    QVERIFY(Again.Action("ViewButton6")->isChecked());
  }

  // The command line scans the folders it names, by their bytes; failures are told in one box, not modal,
  // that adds them up while open and starts afresh once closed.
  void commandLineAndErrors()
  {
    TTestTree Tree{"a"};
    TAnswers Answers;
    const QString Missing = QString::fromStdString(Tree.Path("missing"));
    TMainForm Form({Missing.toStdString(), "/none", Tree.Top()});
    Form.show();
    QTRY_VERIFY(Form.Driver().Roots() != nullptr);
    QVERIFY(ScansDone(Form));
    QVERIFY(Answers.Asked.isEmpty());  // the other folder scans meanwhile
    QTRY_VERIFY(Form.ErrorBox() && Form.ErrorBox()->isVisible());
    QCOMPARE(Form.ErrorBox()->text(), "Cannot find Folder: " + Missing);
    QCOMPARE(Form.Driver().Roots()->FNext, nullptr);
    QCOMPARE(Form.CurrentNode(), Form.Driver().Roots()->FNode);
    Form.ErrorBox()->done(0);
    Form.ReportError(EACCES, "/one");
    Form.ReportError(EIO, "/two");
    Form.ReportError(0, "/none");
    QTRY_VERIFY(Form.ErrorBox()->isVisible());
    QCOMPARE(Form.ErrorBox()->text(), QString("Path /one: Permission denied\nPath /two: Input/output error"));
    // Many failures: the first ten, and all of them in the details.
    for (int Index = 0; Index < 100; ++Index)
      Form.ReportError(EACCES, QString("/many/%1").arg(Index));
    QTRY_VERIFY(Form.ErrorBox()->text().endsWith("92 more failures are listed in the details."));
    QCOMPARE(Form.ErrorBox()->detailedText().count('\n'), 101);
    Form.ErrorBox()->done(0);
    Form.ReportError(ENOENT, "");
    QTRY_COMPARE(Form.ErrorBox()->text(), QString("No such file or directory"));
    // A folder whose name is not UTF-8 is scanned by its bytes.
    Tree.Folder("caf\xe9");
    TMainForm Bytes({Tree.Path("caf\xe9")});
    Bytes.show();
    QTRY_VERIFY(Bytes.Driver().Roots() != nullptr);
    QCOMPARE(Bytes.Driver().Roots()->FPath, Tree.Path("caf\xe9/"));
  }

  // A live scan seen through the model, the tool bar and the status bar.
  // A folder this user may not read is offered to the administrator's scan
  // (pkexec, a stand-in here), which this program's own scan makes: a root
  // of its own, read-only with the reason, scanned again by Update.
  void scanAsAdministrator()
  {
    TTestTree Tree;
    Tree.Folder("locked");
    Tree.File("locked/secret", 7000);
    QTemporaryDir Bin;
    QFile Script(Bin.filePath("pkexec"));
    QVERIFY(Script.open(QIODevice::WriteOnly));
    Script.write("#!/bin/sh\necho \"$1\" >>\"$0.programs\"\nshift\nexec " SPACELENS_BINARY " \"$@\"\n");
    Script.close();
    Script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("SPACELENS_PKEXEC", Script.fileName().toLocal8Bit());
    TDirectory::SetFailureInjector([](const char* Name) { return std::string_view(Name) == "locked" ? EACCES : 0; });
    const auto Usual = qScopeGuard([] {
      qunsetenv("SPACELENS_PKEXEC");
      TDirectory::SetFailureInjector(nullptr);
    });
    TAnswers Answers;
    TMainForm Form({Tree.Top()});
    Form.show();
    QVERIFY(ScansDone(Form));
    QTRY_VERIFY(Form.ErrorBox() && Form.ErrorBox()->isVisible());
    TDirectory::SetFailureInjector(nullptr);
    QAbstractButton* Again = nullptr;
    for (QAbstractButton* Button : Form.ErrorBox()->buttons())
      if (Button->text() == "Scan again as administrator")
        Again = Button;
    QVERIFY(Again);
    Again->click();
    QTRY_VERIFY(Form.Driver().Roots()->FNext);
    QVERIFY(ScansDone(Form));
    const TRoot* Admin = Form.Driver().FindSource(AdministratorSource + Tree.Top());
    QVERIFY(Admin);
    QVERIFY2(Admin->FIncomplete.empty(), Admin->FIncomplete.c_str());
    QCOMPARE(Admin->FNode->FullPath(), Tree.Top() + "/");
    QCOMPARE(Admin->FNode->SizeBytes(), 7000u);
    QCOMPARE(Form.Display().NodeCaption(Admin->FNode), QString::fromStdString(Tree.Top()) + " (as administrator)");
    // Remembered as the folder is, so Compare finds it beside the scans of it here.
    QCOMPARE(THistoryStore::RootOf(*Admin), Tree.Top() + "/");
    // The box offers again only what a later scan could not read.
    QTRY_VERIFY(!Form.ErrorBox()->isVisible());
    Form.ReportError(EIO, "/two");
    QTRY_VERIFY(Form.ErrorBox()->isVisible());
    QCOMPARE(Form.ErrorBox()->buttons().size(), 1);
    Form.ErrorBox()->done(0);
    // Read-only, said why; opened as this user; scanned by the
    // administrator again.
    TFolderNode* Secret = Admin->FNode;
    QVERIFY(TShellCommands::Foreign(Secret) && !TShellCommands::Elsewhere(Secret));
    Form.Action("UpdateAll1")->trigger();
    QVERIFY(ScansDone(Form));
    QFile Programs(Script.fileName() + ".programs");
    QVERIFY(Programs.open(QIODevice::ReadOnly));
    const QString Program = QCoreApplication::applicationFilePath();
    QCOMPARE(QString(Programs.readAll()), Program + "\n" + Program + "\n");
  }

  void liveScanThroughTheModel()
  {
    TTestTree Tree;
    for (int Top = 0; Top < 20; ++Top) {
      const std::string Name = "t" + std::to_string(Top);
      for (int Sub = 0; Sub < 30; ++Sub) {
        QVERIFY(QDir().mkpath(QString::fromStdString(Tree.Path(Name + "/s" + std::to_string(Sub)))));
        Tree.File(Name + "/s" + std::to_string(Sub) + "/f", 5000);
      }
      Tree.File(Name + "/own", 10);
    }
    TMainForm Form;
    Form.show();
    auto Tester =
      std::make_unique<QAbstractItemModelTester>(&Form.Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(Form.Action("StopButton")->isEnabled());
    QVERIFY(!Form.Action("RemoveButton")->isEnabled());
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    QCOMPARE(Form.Model().rowCount(Form.Model().IndexOf(Top)), 20);
    QVERIFY(Form.TreeView()->IsExpanded(Top));
    QVERIFY(!Form.Action("StopButton")->isEnabled() && Form.Action("RemoveButton")->isEnabled());
    QCOMPARE(Form.StatusText(1), QString("1240 Objects"));
    // The free space in the unit of every other figure.
    Form.Unit1Click(TValueDisplay::utKB);
    QVERIFY2(QRegularExpression(" kb \\(of [^)]+ kb\\)").match(Form.StatusText(0)).hasMatch(),
             qPrintable(Form.StatusText(0)));
    QCOMPARE(Labels(Form, Top->Child(0)).last(), QString("<Files>"));  // after the sub-folders

    // Roots removed, and the window closed, while they are scanned. The
    // model tester stays out: a root inserted beside one being scanned
    // sees that one's label move on meanwhile, as it should.
    Tester.reset();
    Form.Roots().RemoveClick();
    QVERIFY(Form.StartScan(Tree.Path("t0")));
    QVERIFY(Form.StartScan(Tree.Top()));
    Form.Roots().RemoveClick();
    // The remaining root, which the tree selects, becomes current.
    QCOMPARE(Form.Driver().Roots()->FPath, Tree.Path("t0/"));
    QCOMPARE(Form.CurrentNode(), Form.Driver().Roots()->FNode);
    Form.Roots().RemoveClick();
    QCOMPARE(Form.Driver().Roots(), nullptr);
    QCOMPARE(Form.CurrentNode(), nullptr);
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(Form.StartScan(Tree.Path("t0")));
    Form.close();
    QVERIFY(!Form.Driver().Scanning());
  }

  // Rows the view may take as childless: finished folders without
  // sub-folders and "<Files>" entries, never a folder still being scanned.
  // Only a finished folder below the top, on this computer, is renamed in
  // place.
  void rowFlags()
  {
    TMainForm Form;
    const auto Flags = [](TFolderModel& Model, TFolderNode* Node) { return Model.flags(Model.IndexOf(Node)); };
    {
      THeldScan Held;
      TFolderModel Model(Held.Tree(), Form.Display());
      TFolderNode* Busy =
        Held.Root()->FNode->Child(0) == Held.Other() ? Held.Root()->FNode->Child(1) : Held.Root()->FNode->Child(0);
      QCOMPARE(Busy->Name(), std::string("held"));
      QCOMPARE(int(Flags(Model, Busy) & (Qt::ItemNeverHasChildren | Qt::ItemIsEditable)), 0);
      QCOMPARE(int(Flags(Model, Held.Other()) & (Qt::ItemNeverHasChildren | Qt::ItemIsEditable)),
               int(Qt::ItemNeverHasChildren));
    }
    TTestTree Tree{"sub", "sub/leaf", "sub/f:10"};
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TRoot* Root = Form.Driver().Roots();
    TFolderNode* Sub = Root->FNode->Child(0);
    TFolderNode* Leaf = Sub->Child(0)->FIsFiles ? Sub->Child(1) : Sub->Child(0);
    const auto Marks = [&](TFolderNode* Node) {
      return int(Flags(Form.Model(), Node) & (Qt::ItemNeverHasChildren | Qt::ItemIsEditable));
    };
    QCOMPARE(Marks(Root->FNode), 0);
    QCOMPARE(Marks(Sub), int(Qt::ItemIsEditable));
    QCOMPARE(Marks(Leaf), int(Qt::ItemNeverHasChildren | Qt::ItemIsEditable));
    QCOMPARE(Marks(FilesEntry(Sub)), int(Qt::ItemNeverHasChildren));
    Root->FSource = "elsewhere.json";  // as an import's root
    QCOMPARE(Marks(Leaf), int(Qt::ItemNeverHasChildren));
    Root->FSource.clear();
  }

  void rescansAndBranches()
  {
    TTestTree Tree{"a", "a/b", "a/b/f:100", "a/g:100", "c"};
    TMainForm Form;
    const std::string Path = Tree.Top();
    QVERIFY(Scanned(Form, Path));
    TRoot* Root = Form.Driver().Roots();
    QVERIFY(Scanned(Form, Path + "/"));  // the same root again
    QCOMPARE(Form.Driver().Roots(), Root);
    QCOMPARE(Root->FNext, nullptr);

    // Update Branch on a "<Files>" entry does nothing; the rescans below find the new file.
    TFolderNode* A = Child(Root->FNode, "a");
    const uint64_t Before = Root->FNode->FObjects;
    Tree.File("a/b/g", 9000);
    QVERIFY(FilesEntry(A));
    Form.SetCurrentNode(FilesEntry(A));
    Form.Roots().UpdateBranch1Click();
    QVERIFY(!Form.Driver().Scanning());
    QCOMPARE(Root->FNode->FObjects.Load(), Before);

    // A rescan opens and selects again what was open and selected.
    Form.TreeView()->Expand(Child(Root->FNode, "a"));
    Form.SetCurrentNode(Child(Child(Root->FNode, "a"), "b"));
    Form.Roots().Update1Click();
    QVERIFY(ScansDone(Form));
    A = Child(Root->FNode, "a");
    QVERIFY(Form.TreeView()->IsExpanded(A));
    QCOMPARE(Form.CurrentNode(), Child(A, "b"));
    QCOMPARE(TFolderModel::NodeOf(Form.TreeView()->currentIndex()), Child(A, "b"));
    // Also with another root scanned beside it, and the rescan started twice.
    TTestTree Other{"o"};
    QVERIFY(Scanned(Form, Other.Top()));
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
    QVERIFY(Root->FNode->Finished());
    QCOMPARE(Root->FNode->FObjects.Load(), Before + 1);
  }

  void progressInTheStatusBar()
  {
    TTestTree Tree{"held", "other", "other/f:5000", "a.txt:10", "b.txt:20"};
    StartWithList();
    TMainForm Form;
    THold Hold("held");  // after the window, so released before the window waits for it
    Form.show();
    auto* Progress = Form.findChild<TScanProgress*>("ScanProgress");
    QVERIFY(Progress);
    QVERIFY(Form.StartScan(Tree.Top()));
    QTRY_VERIFY(Progress->Text().contains(" folders, "));
    // A sum of selected rows stays while the scan goes on.
    TDetailsList& List = Form.List();
    QTRY_COMPARE(List.Model().rowCount(), 3);  // the root's own row and its files
    for (int Row : {1, 2})
      List.selectionModel()->select(List.Model().index(Row, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString Sum = Form.StatusText(2);
    QVERIFY(!Sum.isEmpty());
    const QString Before = Progress->Text();
    QTRY_VERIFY(Progress->Text() != Before);  // the next progress tick
    QCOMPARE(Form.StatusText(2), Sum);
    Hold.Release();
    QVERIFY(ScansDone(Form));
    QTRY_VERIFY(Progress->Text().startsWith("Scanned 3 folders, 3 files in "));
  }

  // Bytes counted against those the drives use; busy rather than full once the estimate runs out.
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
    Progress.Started();
    TScanDriver::TProgress Counts;
    Counts.FUsedBytes = used;
    Counts.FBytes = counted;
    Progress.Show(Counts);
    auto* Bar = Progress.findChild<QProgressBar*>();
    QCOMPARE(Bar->maximum(), maximum);
    if (maximum)
      QVERIFY(std::abs(Bar->value() - value) <= 1);
  }

  // A scan that ends is remembered off the window's thread, as many as the options keep;
  // a stopped one is not.
  void scansRemembered()
  {
    TTestTree Tree{"a", "a/f:5000"};
    TTestTree Stopped;
    for (int Folder = 0; Folder < 40; ++Folder)
      Stopped.Folder(std::to_string(Folder));
    TMainForm Form;
    QVERIFY(Scanned(Form, Tree.Top()));
    const std::string Root = Tree.Top() + "/";
    QTRY_COMPARE(THistoryStore().Of(Root).size(), size_t(1));
    Form.WindowSettings().FHistoryKeep = 0;
    QVERIFY(Scanned(Form, Tree.Top()));
    Form.Roots().WaitForHistory();
    QCOMPARE(THistoryStore().Of(Root).size(), size_t(1));
    Form.WindowSettings().FHistoryKeep = 1;
    Tree.File("a/g", 100);
    QVERIFY(Scanned(Form, Tree.Top()));
    QTRY_COMPARE(THistoryStore().Of(Root).front().Header.Size, uint64_t(5100));
    QTRY_COMPARE(THistoryStore().Of(Root).size(), size_t(1));
    // A tree of any depth, too.
    TTestTree Deep;
    Deep.DeepChain("", 500, std::string(200, 'n'));
    QVERIFY(Scanned(Form, Deep.Top()));
    QTRY_COMPARE(THistoryStore().Of(Deep.Top() + "/").size(), size_t(1));
    QVERIFY(!Form.statusBar()->currentMessage().startsWith("The scan is not remembered"));
    TDirectory::SetFailureInjector([](const char*) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return 0;
    });
    const auto Injected = qScopeGuard([] { TDirectory::SetFailureInjector(nullptr); });
    QVERIFY(Form.StartScan(Stopped.Top()));
    QVERIFY(Form.Driver().Scanning());
    // The status bar counts the selected root's objects as they come.
    const QString Counted = Form.StatusText(TStatusPanels::spObjects);
    QTRY_VERIFY(Form.StatusText(TStatusPanels::spObjects) != Counted);
    QVERIFY(Form.Driver().Scanning());
    Form.Driver().Stop(Form.Driver().FindRoot(Stopped.Top() + "/"));
    QVERIFY(ScansDone(Form));
    Form.Roots().WaitForHistory();
    QVERIFY(THistoryStore().Of(Stopped.Top() + "/").empty());

    // A cache that cannot be written: the status bar says why.
    const QByteArray Cache = qgetenv("XDG_CACHE_HOME");
    const auto RestoreCache = qScopeGuard([&Cache] { qputenv("XDG_CACHE_HOME", Cache); });
    Tree.File("not-a-folder", 1);
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(Tree.Path("not-a-folder")));
    QVERIFY(Scanned(Form, Tree.Top()));
    QTRY_VERIFY2(Form.statusBar()->currentMessage().startsWith("The scan is not remembered: "),
                 qPrintable(Form.statusBar()->currentMessage()));
  }

  // The treemap draws the selected folder's files, kept by the scan and kept right by rescans, branch
  // updates and pruning (which keeps files and totals); a click selects the file's folder in the tree and
  // the file in the list.
  void treemapFollowsTheTree()
  {
    TTestTree Tree{"a", "a/photo.jpg:3000000", "a/notes.txt:100", "a/tiny", "b", "b/song.mp3:20000", "c.zip:30000"};
    TMainForm Form;
    Form.resize(900, 600);
    Form.show();
    Form.TreemapButtonClick();
    QVERIFY(Scanned(Form, Tree.Top()));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* A = Child(Top, "a");
    QCOMPARE(Kept(A), (QStringList{"100:Documents", "3000000:Images"}));

    Form.SetCurrentNode(Top);
    TTreemapView& View = Form.RightPane().Treemap().View();
    QVERIFY(View.WaitForImage(10000));
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
    // A screen reader hears the folder shown, its tiles by name or kind with
    // their values in the measure shown (here objects, unlike bytes), and
    // the key.
    const TViewType Measure = TViewType(Form.Display().FShowType);
    Form.View1Click(vtObjects);
    QVERIFY(View.WaitForImage(10000));
    QAccessibleInterface* Told = QAccessible::queryAccessibleInterface(&Form.RightPane().Treemap());
    QCOMPARE(Told->text(QAccessible::Name), "Treemap of " + QString::fromStdString(Tree.Top()) + "/");
    QStringList Tiles;
    for (int Item = 0; Item + 1 < Told->childCount(); ++Item) {
      QCOMPARE(Told->indexOfChild(Told->child(Item)), Item);
      Tiles << Told->child(Item)->text(QAccessible::Name) + ": " + Told->child(Item)->text(QAccessible::Value);
    }
    Tiles.sort();
    QCOMPARE(
      Tiles,
      (QStringList{"Archives: " + Form.Display().BytesText(32768),
                   "a: " + Form.Display().FormatValue(A, Form.Display().FShowType, false).trimmed(),
                   "b: " + Form.Display().FormatValue(Child(Top, "b"), Form.Display().FShowType, false).trimmed()}));
    QAccessibleInterface* Key = Told->child(Told->childCount() - 1);
    QCOMPARE(Key->text(QAccessible::Name), QString("Key"));
    QVERIFY(Key->text(QAccessible::Description).contains("Images"));
    QVERIFY(Tiles.contains("a: " + Form.Display().FormatValue(A, vtObjects, false).trimmed()));
    Form.View1Click(Measure);
    QVERIFY(View.WaitForImage(10000));
    // Hovering names the file, its size in the window's unit, not the default one.
    Form.Unit1Click(TValueDisplay::utKB);
    QVERIFY(View.WaitForImage(10000));
    Layout = View.Layout();
    View.OnHover(&Layout->Tiles()[size_t(Photo)]);
    QTRY_VERIFY(Form.StatusText(TStatusPanels::spHint).contains("/a/photo.jpg"));
    QVERIFY2(Form.StatusText(TStatusPanels::spHint).contains("    " + Form.Display().BytesText(3000000) + "    "),
             qPrintable(Form.StatusText(TStatusPanels::spHint)));
    View.OnClick(A, Layout->Tiles()[size_t(Photo)].File);
    QTRY_COMPARE(Form.CurrentNode(), A);
    QCOMPARE(Form.RightPane().Treemap().Shown(), Top);  // the treemap stays
    Form.ListButtonClick();
    QTRY_COMPARE(Form.List().SelectedRecords().size(), size_t(1));
    QCOMPARE(Form.List().SelectedRecords()[0]->Name(), std::string("photo.jpg"));

    Tree.File("a/more.png", 7000);
    Form.SetCurrentNode(A);
    Form.Roots().UpdateBranch1Click();
    QVERIFY(ScansDone(Form));
    QCOMPARE(Kept(A), (QStringList{"100:Documents", "3000000:Images", "7000:Images"}));
    QVERIFY(Scanned(Form, Tree.Top()));
    Top = Form.Driver().Roots()->FNode;
    Form.TreemapButtonClick();
    Form.SetCurrentNode(Top);
    Form.Commands().FMinimumExpandSize = 1;  // megabytes: "b" and "a/tiny" go, "a" stays
    const uint64_t Clusters = Top->FClusters;
    Form.Roots().RemoveFolderMenuItemClick();
    QCOMPARE(Labels(Form, Top), (QStringList{"a", "<Files>"}));
    QCOMPARE(Labels(Form, Child(Top, "a")), QStringList{"<Files>"});
    QCOMPARE(Top->FClusters.Load(), Clusters);
    QTRY_VERIFY(Form.RightPane().Treemap().Shown());  // made again once the tree settled
    QVERIFY(View.WaitForImage(10000) && View.Layout());
    for (const TTreemapTile& Tile : View.Layout()->Tiles())
      QVERIFY(Tile.Folder == Top || Tile.Folder == Child(Top, "a"));
  }

  // A double click on a tile shows its folder, even when the click before selected it already; Backspace
  // shows the parent of the folder shown, not of the tree's selection a click made deeper.
  void treemapOpensAndGoesUp()
  {
    TTestTree Tree{"a", "a/b", "a/b/big.bin:2000000", "a/notes.txt:500000", "c.zip:1000000"};
    TMainForm Form;
    Form.resize(900, 600);
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    Form.TreemapButtonClick();
    QVERIFY(Scanned(Form, Tree.Top()));
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
    QTest::mouseDClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Pane.Shown(), B);
    QCOMPARE(Form.CurrentNode(), B);
    // A click on a file of the folder shown selects what was selected: the next refill, of another
    // measure, still draws a new picture.
    QVERIFY(View.WaitForImage(10000));
    QTest::mouseClick(&View, Qt::LeftButton, {}, Big());
    QTest::qWait(200);
    Form.View1Click(vtAllocated);
    QVERIFY(!View.Current());
    QVERIFY(View.WaitForImage(10000));

    View.setFocus();
    QTest::keyClick(&View, Qt::Key_Backspace);
    QCOMPARE(Pane.Shown(), A);
    QCOMPARE(Form.CurrentNode(), A);
    QVERIFY(View.WaitForImage(10000));
    QTest::mouseClick(&View, Qt::LeftButton, {}, Big());
    QTRY_COMPARE(Form.CurrentNode(), B);
    QTest::keyClick(&View, Qt::Key_Backspace);
    QCOMPARE(Pane.Shown(), Top);
    QCOMPARE(Form.CurrentNode(), Top);
  }

  // The list lets go of the rows of a folder that goes, also while the chart of another scan is shown.
  void listBehindTheChart()
  {
    TTestTree First{"sub", "sub/f:1000"};
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

  // Sorting and opening a large tree runs in slices, during the scan and after it, and ends safely when
  // the tree goes.
  void largeTreeExpandedInSlices()
  {
    TTestTree Tree;
    for (int A = 0; A < 12; ++A)
      for (int B = 0; B < 12; ++B)
        for (int C = 0; C < 6; ++C) {
          const std::string Folder = "a" + std::to_string(A) + "/b" + std::to_string(B) + "/c" + std::to_string(C);
          QVERIFY(QDir().mkpath(QString::fromStdString(Tree.Path(Folder))));
          Tree.File(Folder + "/f", (A * 7 + B * 3 + C) * 1000 % 9000);
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
    std::vector<TFolderNode*> Pending{Top};
    int Open = 0;
    while (!Pending.empty()) {
      TFolderNode* Node = Pending.back();
      Pending.pop_back();
      if (Node->ChildCount() == 0)
        continue;
      QVERIFY(Form.TreeView()->IsExpanded(Node));
      ++Open;
      for (size_t Index = 1; Index < Node->ChildCount(); ++Index)
        QVERIFY(Node->Child(Index - 1)->FClusters >= Node->Child(Index)->FClusters);
      Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
    }
    QCOMPARE(Open, 1 + 12 + 144);
    // A new measure relabels every row shown: all rows of each open folder,
    // named by their places.
    std::set<const TFolderNode*> Relabelled;
    bool Placed = true;
    const QMetaObject::Connection Changed =
      connect(&Form.Model(), &QAbstractItemModel::dataChanged, [&](const QModelIndex& First, const QModelIndex& Last) {
        const TFolderModel& Model = Form.Model();
        Placed = Placed && Model.IndexOf(TFolderModel::NodeOf(First)) == First
          && Model.IndexOf(TFolderModel::NodeOf(Last)) == Last;
        if (First.parent().isValid() && First.row() == 0 && Last.row() + 1 == Model.rowCount(First.parent()))
          Relabelled.insert(TFolderModel::NodeOf(First.parent()));
      });
    Form.View1Click(vtSize);
    QVERIFY(QTest::qWaitFor([&Form] { return !Form.Busy(); }));
    disconnect(Changed);
    QVERIFY(Placed);
    QCOMPARE(int(Relabelled.size()), Open);
    Form.CollapseClick();
    Form.ExpandClick();
    QVERIFY(Form.RemoveRoot(Form.Driver().Roots()));
    QVERIFY(!Form.Busy());
  }

  // Files that show up while a large folder is sorted in slices take their place; none is lost or twice.
  void filesAppearWhileSorting()
  {
    TTestTree Tree;
    Tree.Folder("wide");
    for (int Index = 0; Index < 30000; ++Index)
      Tree.Folder("wide/n" + std::to_string(Index * 7919 % 30000));
    Tree.File("wide/own", 5000);
    TMainForm Form;
    Form.Driver().FSettings.FShowFiles = false;
    QVERIFY(Scanned(Form, Tree.Top()));
    TFolderNode* Wide = Child(Form.Driver().Roots()->FNode, "wide");
    // Both open whatever the end of the scan has opened yet: a sort goes
    // only through folders shown.
    Form.TreeView()->Expand(Form.Driver().Roots()->FNode);
    Form.TreeView()->Expand(Wide);
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

  // Counting, opening to a level, going up, sorting and the measure shown; a new order or measure keeps
  // what is open and selected.
  void treeCommands()
  {
    TTestTree Tree{"alpha", "alpha/f:1000", "alpha/small", "alpha/large", "alpha/large/f:9000", "alpha/large/deeper",
                   "beta",  "beta/f:50000"};
    TMainForm Form;
    QVERIFY(Scanned(Form, Tree.Top()));
    TFolderNode* Top = Form.Driver().Roots()->FNode;
    TFolderNode* Alpha = Child(Top, "alpha");
    TFolderNode* Large = Child(Alpha, "large");
    TFolderNode* Small = Child(Alpha, "small");
    QCOMPARE(Labels(Form, Top), (QStringList{"beta", "alpha"}));
    Form.SetCurrentNode(Alpha);
    TAnswers Answers;
    Form.CountFolders1Click();  // the whole root's, without "<Files>" entries
    QCOMPARE(Answers.Asked, QStringList{"     " + QString::fromStdString(Tree.Top()) + " has 5 Folders.     "});

    TFolderTreeView* View = Form.TreeView();
    const auto Open = [&Form, View](TFolderNode* Node) { return View->IsExpanded(Node); };
    Form.Tolevel11Click(2);
    QCOMPARE(Form.CurrentNode(), Top);
    QVERIFY(Open(Alpha));
    QVERIFY(!Open(Large));
    Form.CollapseClick();
    QVERIFY(!Open(Top) && !Open(Alpha));
    Form.SetCurrentNode(Small);
    Form.ParentButtonClick();
    QCOMPARE(Form.CurrentNode(), Alpha);
    Form.SetCurrentNode(Large);
    Form.ExpandClick();  // a folder whose sub-folders have none: opened alone
    QVERIFY(Open(Large));

    Form.SetCurrentNode(Top);
    Form.ExpandClick();
    Form.SetCurrentNode(Small);
    QCOMPARE(Labels(Form, Alpha), (QStringList{"large", "<Files>", "small"}));
    Form.Sort1Click(TValueDisplay::stName);
    QCOMPARE(Labels(Form, Top), (QStringList{"alpha", "beta"}));
    QCOMPARE(Labels(Form, Alpha), (QStringList{"<Files>", "large", "small"}));
    QVERIFY(Open(Alpha));
    QCOMPARE(TFolderModel::NodeOf(View->currentIndex()), Small);
    Form.View1Click(vtPercent);
    QVERIFY(Open(Alpha));
    QCOMPARE(TFolderModel::NodeOf(View->currentIndex()), Small);
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
    QTest::newRow("bare number, lower-case unit") << "7 mb" << 7 << false;
    QTest::newRow("gigabytes") << "2 GB" << 2048 << false;
    QTest::newRow("whole megabytes in kilobytes") << "2048KB" << 2 << false;
    QTest::newRow("kilobytes below a megabyte") << "500 KB" << 10 << true;
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
