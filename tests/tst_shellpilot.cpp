// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Directory.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "shell/PermanentDelete.h"
#include "shell/PropertiesDialog.h"
#include "shell/Remover.h"
#include "shell/ShellPilot.h"
#include "shell/ShellPilotError.h"
#include "shell/Trash.h"
#include "tests/StandIns.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/Watched.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <fstream>
#include <thread>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// Shows the pilot's context menu and, once it is up, chooses the item Choose
// with the keyboard as a person would, or closes it when Choose is empty;
// returns the menu's items, disabled ones marked.
QStringList Menu(TShellPilot& Pilot, QString& Command, QMenu* Extra = nullptr, const QString& Choose = {})
{
  QStringList Texts;
  QTimer::singleShot(50, [&Texts, Choose] {
    auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(Menu);
    for (QAction* Action : Menu->actions()) {
      if (!Action->isSeparator())
        Texts << Action->text() + (Action->isEnabled() ? "" : " (disabled)");
      if (!Choose.isEmpty() && Action->text() == Choose) {
        Menu->setActiveAction(Action);
        QTest::keyClick(Menu, Qt::Key_Return);
        return;
      }
    }
    Menu->close();
    QVERIFY2(Choose.isEmpty(), qPrintable("no menu item " + Choose));
  });
  Pilot.ShowContextMenu(QPoint(10, 10), Extra, Command);
  return Texts;
}

// Files named by their bytes.
bool Write(const std::string& Path, const QByteArray& Contents = {})
{
  return bool(std::ofstream(Path, std::ios::binary).write(Contents.data(), Contents.size()));
}

QByteArray Read(const std::string& Path)
{
  std::ifstream Stream(Path, std::ios::binary);
  return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(Stream), {}));
}

bool Exists(const std::string& Path)
{
  struct stat Data;
  return lstat(Path.c_str(), &Data) == 0;
}

}  // namespace

class TShellPilotTest : public QObject {
  Q_OBJECT

private slots:
  // Each test has a home, a folder and a pilot of its own.
  void init()
  {
    FHome = std::make_unique<TTestHome>();
    FTree = std::make_unique<TTestTree>();
    FPilot = std::make_unique<TShellPilot>();
  }
  void cleanup()
  {
    FPilot.reset();
    FTree.reset();
    FHome.reset();
  }

  void enumeration_data()
  {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("fileSystemOnly");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("empty is everything") << "" << false << QStringList{".hidden.txt",  "a.txt",    "b.JPG",
                                                                       "dangling.txt", "pipe.txt", "sub"};
    QTest::newRow("letter case ignored") << "*.jpg;x*" << false << QStringList{"b.JPG", "sub"};
    QTest::newRow("file system only") << "*.txt" << true << QStringList{".hidden.txt", "a.txt", "sub"};
  }
  void enumeration()
  {
    QFETCH(QString, filter);
    QFETCH(bool, fileSystemOnly);
    QFETCH(QStringList, found);
    FTree->File("a.txt", 1);
    FTree->File(".hidden.txt", 1);
    FTree->File("b.JPG", 1);
    FTree->Folder("sub");
    FTree->Link("dangling.txt", "nowhere");
    QVERIFY(mkfifo(FTree->Path("pipe.txt").c_str(), 0644) == 0);
    FPilot->SetFolder(FTree->Top());
    FPilot->SetFilter(filter);
    FPilot->SetFileSystemOnly(fileSystemOnly);
    QStringList Names;
    while (FPilot->NextObject())
      Names << QString::fromStdString(FPilot->ObjectName());
    Names.sort();
    QCOMPARE(Names, found);
    // A new enumeration starts after the end.
    QVERIFY(FPilot->NextObject());
  }

  void folderAndObject()
  {
    FTree->Folder("sub");
    FTree->File("sub/file.txt", 5);
    QVERIFY_THROWS_EXCEPTION(EShellPilotError, FPilot->SetFolder(FTree->Path("missing")));
    QCOMPARE(FPilot->Folder(), std::string());  // the computer, as at the start

    // A path with a trailing separator names the folder as an object of its parent.
    FPilot->SetObjectName(FTree->Path("sub/"));
    QCOMPARE(FPilot->Folder(), FTree->Top() + "/");
    QCOMPARE(FPilot->ObjectName(), std::string("sub"));
    QVERIFY(FPilot->IsFolder());
    // The same folder again, without its separator, keeps the object.
    FPilot->SetFolder(FTree->Top());
    QCOMPARE(FPilot->ObjectName(), std::string("sub"));

    FPilot->SetFolder(FTree->Path("sub"));
    QCOMPARE(FPilot->ObjectName(), std::string());
    FPilot->SetObjectName("file.txt");
    QVERIFY(!FPilot->IsFolder());
    try {
      FPilot->SetObjectName("nothing.txt");
      QFAIL("no exception");
    } catch (const EShellPilotError& Error) {
      QCOMPARE(Error.Message(),
               QString("Error! Cannot find Object \"nothing.txt\" in Folder \"%1\"")
                 .arg(QString::fromStdString(FTree->Path("sub/"))));
    }
    QCOMPARE(FPilot->ObjectName(), std::string("file.txt"));
  }

  void rootComputerAndSpecialFolders()
  {
    FPilot->SetObjectName("/");
    QCOMPARE(FPilot->Folder(), std::string());
    QCOMPARE(FPilot->ObjectName(), std::string("/"));
    // A drive stays where it is.
    QCOMPARE(FPilot->GetAttributes(TShellPilot::saCanDelete | TShellPilot::saCanRename), 0u);
    TAnswers Answers;
    QVERIFY(!FPilot->InvokeCommand("delete"));
    QVERIFY(Answers.Asked.isEmpty());
    // The computer lists the mounted drives, the root among them when it is a disk.
    FPilot->SetFolder("");
    QStringList Drives;
    while (FPilot->NextObject())
      Drives << QString::fromStdString(FPilot->ObjectName());
    QStringList Mounted;
    for (const std::string& Drive : LogicalDrives())
      Mounted << QString::fromStdString(Drive);
    QCOMPARE(Drives, Mounted);
    QVERIFY(!Drives.contains("/proc/"));
    QVERIFY(!FPilot->SetSpecialFolder(TShellPilot::skControlPanel));
    QVERIFY(!FPilot->SetSpecialFolder(TShellPilot::skDocuments));  // not made yet
    QVERIFY(mkdir((FHome->Path() + "/Documents").c_str(), 0755) == 0);
    QVERIFY(FPilot->SetSpecialFolder(TShellPilot::skDocuments));
    QCOMPARE(FPilot->Folder(), FHome->Path() + "/Documents/");
    // Its folder as the object is still the special folder.
    FPilot->SelectFolderAsObject();
    QCOMPARE(FPilot->Folder(), FHome->Path() + "/");
    QCOMPARE(FPilot->ObjectSpecialKind(), int(TShellPilot::skDocuments));
  }

  void attributes()
  {
    FTree->Folder("parent");
    FTree->Folder("parent/child");
    FTree->File("notes.txt", 3);
    FPilot->SetFolder(FTree->Top());
    FPilot->SetObjectName("parent");
    const unsigned All = 0x1f;
    QCOMPARE(FPilot->GetAttributes(All),
             unsigned(TShellPilot::saFolder | TShellPilot::saHasSubFolders | TShellPilot::saFileSystem
                      | TShellPilot::saCanRename | TShellPilot::saCanDelete));
    QCOMPARE(FPilot->GetAttributes(TShellPilot::saFolder), unsigned(TShellPilot::saFolder));  // only those asked
    FPilot->SetObjectName("notes.txt");
    QCOMPARE(FPilot->GetAttributes(All),
             unsigned(TShellPilot::saFileSystem | TShellPilot::saCanRename | TShellPilot::saCanDelete));
  }

  // One object and then several go to the Trash after asking, each under a
  // name of its own there, also past something left in files/ without its
  // info file; the paths kept are URL-encoded.
  void trashObjects()
  {
    FTree->File("old.txt", 10);
    FTree->File("a b.txt", 5000);
    QVERIFY(link(FTree->Path("a b.txt").c_str(), FTree->Path("second name").c_str()) == 0);
    FTree->Folder("folder");
    FTree->File("folder/inside", 1);
    FTree->File("caf\xe9", 1);
    FTree->File("keep", 1);
    FPilot->SetFolder(FTree->Top());
    FPilot->SetObjectName("old.txt");
    TAnswers Answers;
    QVERIFY(FPilot->InvokeCommand("Delete"));
    QCOMPARE(Answers.Asked, QStringList{"Move \"old.txt\" to the Trash?\nIt can be restored from the Trash."});
    QVERIFY(!Exists(FTree->Path("old.txt")));
    const std::string Trash = TTrash::HomeTrash();
    QVERIFY(Exists(Trash + "/files/old.txt"));
    const QByteArray Info = Read(Trash + "/info/old.txt.trashinfo");
    QVERIFY(
      Info.startsWith("[Trash Info]\nPath=" + QByteArray::fromStdString(FTree->Path("old.txt")) + "\nDeletionDate="));
    QVERIFY(mkdir((Trash + "/files/old.txt.2").c_str(), 0755) == 0);
    FTree->File("old.txt", 20);
    FPilot->SetObjectName("old.txt");
    QVERIFY(FPilot->InvokeCommand("delete"));
    QVERIFY(Exists(Trash + "/files/old.txt.3"));
    QVERIFY(Exists(Trash + "/info/old.txt.3.trashinfo"));
    QCOMPARE(Read(Trash + "/files/old.txt").size(), 10);

    Answers.Asked.clear();
    FPilot->SetObjectName("keep");
    FPilot->MultiObjects() = {"a b.txt", "folder", "caf\xe9"};
    std::vector<TTrashed> Moved;
    FPilot->OnTrashed = [&Moved](const TTrashed& Object) { Moved.push_back(Object); };
    QVERIFY(FPilot->InvokeCommand("delete"));
    // Each as it was just before it went: the callers count it out by that.
    QCOMPARE(Moved.size(), size_t(3));
    struct stat Second;
    QVERIFY(lstat(FTree->Path("second name").c_str(), &Second) == 0);
    const TTrashed& Linked = Moved.front();
    QCOMPARE(Linked.Path, FTree->Path("a b.txt"));
    QCOMPARE(Linked.Trash, Trash);
    QCOMPARE(Linked.Size, uint64_t(5000));
    QCOMPARE(Linked.DiskBytes, uint64_t(Second.st_blocks) * 512);
    QCOMPARE(Linked.Device, TFileIdentity::DeviceOf(major(Second.st_dev), minor(Second.st_dev)));
    QCOMPARE(Linked.Inode, uint64_t(Second.st_ino));
    QCOMPARE(Linked.Links, uint64_t(2));
    QCOMPARE(Moved[1].Path, FTree->Path("folder"));
    QCOMPARE(Moved[2].Trash, Trash);
    QCOMPARE(Answers.Asked, QStringList{"Move these 3 items to the Trash?\nThey can be restored from the Trash."});
    QVERIFY(FPilot->MultiObjects().empty());
    for (const char* Name : {"a b.txt", "folder", "caf\xe9"}) {
      QVERIFY(!Exists(FTree->Path(Name)));
      QVERIFY(Exists(Trash + "/files/" + Name));
    }
    QVERIFY(Read(Trash + "/info/a b.txt.trashinfo").contains("a%20b.txt\n"));
    QVERIFY(Read(Trash + "/info/caf\xe9.trashinfo").contains("caf%E9\n"));

    // A link to nothing goes as itself; an object named twice goes once,
    // and the command is not done: the second move found nothing.
    FTree->Link("dangling", "nowhere");
    FPilot->MultiObjects() = {"dangling", "keep", "keep"};
    Answers.Asked.clear();
    QVERIFY(!FPilot->InvokeCommand("delete"));
    QCOMPARE(Moved.size(), size_t(5));
    for (const char* Name : {"dangling", "keep"}) {
      QVERIFY(!Exists(FTree->Path(Name)));
      QVERIFY(Exists(Trash + "/files/" + Name));
    }
    QCOMPARE(Answers.Asked.size(), 2);  // asked, then told of the one that stayed
    QVERIFY(Answers.Asked.last().contains("keep"));
  }

  // Many moves run on a thread of their own under a progress dialog; Cancel
  // stops them between two objects, and what was moved stays moved.
  void trashCancelled()
  {
    std::vector<std::string> Paths;
    for (int Index = 0; Index < 40; ++Index) {
      QVERIFY(Write(FTree->Path("f" + std::to_string(Index))));
      Paths.push_back(FTree->Path("f" + std::to_string(Index)));
    }
    std::atomic<bool> Cancelled{false};
    QString Label;
    QTimer Watch;
    connect(&Watch, &QTimer::timeout, [&] {
      for (QWidget* Window : QApplication::topLevelWidgets())
        if (auto* Progress = qobject_cast<QProgressDialog*>(Window); Progress && Progress->isVisible()) {
          Label = Progress->labelText();
          QTest::mouseClick(Progress->findChild<QPushButton*>(), Qt::LeftButton);
          Cancelled = true;
        }
    });
    Watch.start(20);
    int Moves = 0;
    const TRemover::TResult Result = TRemover::MoveToTrash(
      Paths, nullptr, [&](const std::string& Path, QString& Reason, TTrashed* Taken, const std::atomic<bool>*) {
        // The eleventh move lasts until the dialog has been cancelled.
        for (int Wait = 0, Move = ++Moves; Move == 11 && !Cancelled && Wait < 2000; ++Wait)
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return TTrash::MoveToTrash(Path, Reason, Taken);
      });
    QVERIFY(Result.Cancelled);
    QCOMPARE(Label, QString("Moving to the Trash: 10 of 40"));
    QCOMPARE(Result.Moved.size(), size_t(11));
    QCOMPARE(Result.Moved.back().Path, Paths[10]);
    QVERIFY(Result.Failures.isEmpty());
    for (size_t Index = 0; Index < Paths.size(); ++Index)
      QCOMPARE(Exists(Paths[Index]), Index >= 11);
  }

  // Whatever stops a move to the Trash, the file stays where it is.
  void trashStopped_data()
  {
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("told");  // the last thing asked or said, in part
    QTest::newRow("the user declines") << QString("decline") << "Move \"stay.txt\" to the Trash?";
    QTest::newRow("the program's handler cancels") << QString("handler") << "";
    QTest::newRow("a file in place of the Trash") << QString("blocked") << "not a folder";
  }
  void trashStopped()
  {
    QFETCH(QString, stop);
    QFETCH(QString, told);
    FTree->File("stay.txt", 1);
    if (stop == "blocked") {
      QVERIFY(QDir().mkpath(QString::fromStdString(FHome->Path() + "/.local/share")));
      QVERIFY(Write(TTrash::HomeTrash()));
    }
    FPilot->SetObjectName(FTree->Path("stay.txt"));
    QStringList Seen;
    FPilot->OnContextMenuSelect = [&Seen, stop](const QString& Command, bool& Execute) {
      Seen << Command;
      Execute = stop != "handler";
    };
    TAnswers Answers;
    Answers.Yes = stop != "decline";
    QVERIFY(!FPilot->InvokeCommand("delete"));
    QVERIFY(Exists(FTree->Path("stay.txt")));
    QCOMPARE(Seen, QStringList{"delete"});
    QCOMPARE(Exists(TTrash::HomeTrash()), stop == "blocked");  // made only when moving
    QCOMPARE(Answers.Asked.isEmpty(), told.isEmpty());
    QVERIFY2(told.isEmpty() || Answers.Asked.last().contains(told), qPrintable(Answers.Asked.join('|')));
  }

  // A bind mount of the home's own file system is a mount of its own: no
  // rename reaches the home Trash, so the Trash at its top takes the file.
  void trashOnABindMount_data()
  {
    QTest::addColumn<QByteArray>("atTop");  // made at the mount's top first
    QTest::addColumn<QByteArray>("trash");  // where the file goes; empty: it stays
    const QByteArray Uid = QByteArray::number(getuid()), Own = ".Trash-" + Uid;
    QTest::newRow("the shared sticky .Trash") << QByteArray("sticky") << ".Trash/" + Uid;
    QTest::newRow(".Trash not sticky") << QByteArray("plain") << Own;
    QTest::newRow(".Trash a link to a sticky folder") << QByteArray("link") << Own;
    QTest::newRow("a file in place of its own Trash") << QByteArray("file") << QByteArray();
  }
  void trashOnABindMount()
  {
    QFETCH(QByteArray, atTop);
    QFETCH(QByteArray, trash);
    const std::string Real = FHome->Path() + "/real", Top = FHome->Path() + "/bound/";
    QVERIFY(mkdir(Real.c_str(), 0755) == 0 && mkdir(Top.c_str(), 0755) == 0);
    if (mount(Real.c_str(), Top.c_str(), nullptr, MS_BIND, nullptr) != 0)
      QSKIP("cannot bind-mount here");
    const auto Unmount = qScopeGuard([&Top] { umount(Top.c_str()); });
    QVERIFY(mkdir((Top + "sub").c_str(), 0755) == 0);
    QVERIFY(Write(Top + "sub/f"));
    const std::string Shared = atTop == "link" ? Top + "sticky" : Top + ".Trash";
    if (!atTop.isEmpty() && atTop != "file")
      QVERIFY(mkdir(Shared.c_str(), 0755) == 0 && chmod(Shared.c_str(), atTop == "plain" ? 0777 : 01777) == 0);
    if (atTop == "link")
      QVERIFY(symlink("sticky", (Top + ".Trash").c_str()) == 0);
    if (atTop == "file")
      QVERIFY(Write(Top + ".Trash-" + std::to_string(getuid())));

    QString Reason;
    const bool Moved = TTrash::MoveToTrash(Top + "sub/f", Reason);
    QVERIFY(!Exists(TTrash::HomeTrash() + "/files/f"));
    if (trash.isEmpty()) {
      QVERIFY(!Moved);
      QVERIFY(Exists(Top + "sub/f"));
      QVERIFY2(Reason.contains("is not a folder"), qPrintable(Reason));
      return;
    }
    QVERIFY2(Moved, qPrintable(Reason));
    QVERIFY(!Exists(Top + "sub/f"));
    QVERIFY(Exists(Top + trash.toStdString() + "/files/f"));
    // Kept relative to the mount's top.
    QVERIFY(Read(Top + trash.toStdString() + "/info/f.trashinfo").contains("\nPath=sub/f\n"));
  }

  void rename_data()
  {
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("after");  // the name the file then has
    QTest::addColumn<QString>("warning");   // empty when nothing is said
    for (const char* Bad : {"", ".", "..", "a/b"})
      QTest::newRow(qPrintable(QString("not a name: \"%1\"").arg(Bad)))
        << QByteArray("first") << Bad << QByteArray("first") << "cannot be used as a name";
    QTest::newRow("not UTF-8 to UTF-8") << QByteArray("caf\xe9") << "café" << QByteArray("café") << "";
    QTest::newRow("not UTF-8 to the name it shows")
      << QByteArray("caf\xe9") << QString::fromLocal8Bit("caf\xe9") << QByteArray("caf\xe9") << "";
  }
  void rename()
  {
    QFETCH(QByteArray, from);
    QFETCH(QString, typed);
    QFETCH(QByteArray, after);
    QFETCH(QString, warning);
    FTree->File("first", 1);
    FTree->File("second", 2);
    FTree->File("caf\xe9", 3);
    FPilot->SetFolder(FTree->Top());
    // Chosen by the name it shows, as the user would.
    FPilot->SetObjectName(TPathRules::Shown(from.toStdString()).toStdString());
    QCOMPARE(FPilot->ObjectName(), from.toStdString());
    const qsizetype Size = Read(FTree->Path(from.toStdString())).size();
    TAnswers Answers;
    QString Name = typed;
    FPilot->RenameObject(Name);
    QCOMPARE(Name, TPathRules::Shown(after.toStdString()));
    QCOMPARE(Read(FTree->Path(after.toStdString())).size(), Size);
    QCOMPARE(Read(FTree->Path("second")).size(), 2);
    QVERIFY(from == after || !Exists(FTree->Path(from.toStdString())));
    QCOMPARE(Answers.Asked.size(), warning.isEmpty() ? 0 : 1);
    QVERIFY(warning.isEmpty() || Answers.Asked[0].contains(warning));
  }

  // The desktop's opener gets the file, or its folder, byte for byte. A file
  // nothing opens by default: the user hears so, and no opener is run.
  void opening_data()
  {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("byDefault");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("verb");  // each name of Open
    QTest::newRow("by default") << QByteArray("caf\xe9.txt") << true << false << "default";
    QTest::newRow("a program offered") << QByteArray("notes.txt") << false << true << "";
    QTest::newRow("none") << QByteArray("notes.txt") << false << false << "Open";
  }
  void opening()
  {
    QFETCH(QByteArray, name);
    QFETCH(bool, byDefault);
    QFETCH(bool, offered);
    QFETCH(QString, verb);
    FTree->Folder("bin");
    FTree->File(name.toStdString(), 1);
    const std::string Log = FTree->Path("opened"), File = FTree->Path(name.toStdString());
    StandIn(FTree->Path("bin"), "xdg-open", QByteArray("printf '%s\\n' \"$1\" >> '") + Log.c_str() + "'\n");
    StandIn(FTree->Path("bin"), "xdg-mime", byDefault ? "echo editor.desktop\n" : "exit 0\n");
    StandIn(FTree->Path("bin"), "viewer", QByteArray("printf '%s\\n' \"$@\" >> '") + Log.c_str() + "'\n");
    if (offered) {  // in the test's own data home
      const std::string Applications = FHome->Path() + "/.local/share/applications";
      QVERIFY(QDir().mkpath(QString::fromStdString(Applications)));
      QVERIFY(Write(Applications + "/mimeinfo.cache", "[MIME Cache]\ntext/plain=stand-in.desktop;\n"));
      QVERIFY(Write(Applications + "/stand-in.desktop",
                    QByteArray("[Desktop Entry]\nType=Application\nName=Stand-in Viewer\nExec=")
                      + FTree->Path("bin/viewer").c_str() + " --view %U\n"));
    }
    TAnswers Answers;
    Answers.Input = "Stand-in Viewer";
    FPilot->SetObjectName(File);
    {
      const TProgramsFirst Programs(FTree->Path("bin"));
      QCOMPARE(FPilot->InvokeCommand(verb), byDefault || offered);
      QVERIFY(!byDefault || FPilot->InvokeCommand("explore"));
    }
    if (byDefault) {
      QVERIFY(Answers.Asked.isEmpty());
      // The two openers run side by side: either may write first.
      const auto Opened = [&Log] {
        QList<QByteArray> Lines = Read(Log).split('\n');
        std::sort(Lines.begin(), Lines.end());
        return Lines;
      };
      QTRY_COMPARE(
        Opened(),
        (QList<QByteArray>{"", QByteArray::fromStdString(FTree->Top() + "/"), QByteArray::fromStdString(File)}));
      return;
    }
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY(Answers.Asked[0].contains("No program is set to open \"notes.txt\" (text/plain)."));
    if (offered) {
      QVERIFY(Answers.Asked[0].contains("Stand-in Viewer"));
      QTRY_COMPARE(Read(Log),
                   "--view\n" + QUrl::fromLocalFile(QString::fromStdString(File)).toString().toUtf8() + "\n");
    } else {
      QTest::qWait(200);
      QVERIFY(!QFile::exists(QString::fromStdString(Log)));  // not the opener that would fail
    }
  }

  void properties()
  {
    FTree->File("data.bin", 5000);
    FTree->Folder("folder");
    FPilot->OnFolderTotals = [](const std::string&) { return TPropertiesDialog::TRows{{"Counted", "42 files"}}; };
    FPilot->SetObjectName(FTree->Path("data.bin"));
    QVERIFY(FPilot->InvokeCommand("properties"));
    FPilot->SetObjectName(FTree->Path("folder"));
    QVERIFY(FPilot->InvokeCommand("properties"));
    QStringList Texts;
    for (QWidget* Window : QApplication::topLevelWidgets())
      if (auto* Dialog = dynamic_cast<TPropertiesDialog*>(Window)) {
        for (QLabel* Label : Dialog->findChildren<QLabel*>())
          Texts << Label->text();
        Dialog->close();
      }
    QVERIFY(Texts.contains(TPropertiesDialog::SizeText(5000)));
    QVERIFY(Texts.contains("42 files"));
  }

  // The menu's items, the program's own merged in, and what choosing each does.
  void contextMenu()
  {
    FTree->File("x", 1);
    FPilot->SetObjectName(FTree->Path("x"));
    QMenu Extra;
    QAction* Report = Extra.addAction("&Report");
    Report->setData(7);
    Extra.addMenu("&More")->addAction("Deeper");
    int Reports = 0;
    connect(Report, &QAction::triggered, this, [&Reports] { ++Reports; });
    // Dismissed: nothing runs.
    QString Command = "unchanged";
    QCOMPARE(Menu(*FPilot, Command, &Extra),
             (QStringList{"&Open", "Open Containing &Folder", "&Copy Path", "Move to &Trash", "&Delete Permanently...",
                          "P&roperties", "&Report", "&More"}));
    QCOMPARE(Command, QString());
    QCOMPARE(Reports, 0);
    // A merged program item runs its own handler and returns no command.
    Command = "unchanged";
    Menu(*FPilot, Command, &Extra, "&Report");
    QCOMPARE(Reports, 1);
    QCOMPARE(Command, QString());
    // Rename is handed to the program.
    int Renames = 0;
    FPilot->OnRename = [&Renames](TShellPilot*) { ++Renames; };
    Menu(*FPilot, Command, nullptr, "Re&name...");
    QCOMPARE(Command, QString("rename"));
    QCOMPARE(Renames, 1);
    // Several objects are never renamed at once.
    FTree->File("y", 1);
    FPilot->MultiObjects() = {"x", "y"};
    QVERIFY(Menu(*FPilot, Command).contains("Re&name... (disabled)"));
    // Accepting the Trash returns "delete".
    TAnswers Answers;
    Menu(*FPilot, Command, nullptr, "Move to &Trash");
    QCOMPARE(Command, QString("delete"));
    QVERIFY(!Exists(FTree->Path("x")));
    // Deleting for good asks first, and returns its verb.
    FPilot->SetObjectName(FTree->Path("y"));
    Menu(*FPilot, Command, nullptr, "&Delete Permanently...");
    QCOMPARE(Command, QString("deletepermanently"));
    QVERIFY(!Exists(FTree->Path("y")));
    QVERIFY(Answers.Asked.last().startsWith("Delete \"y\" permanently?"));
    FPilot->SetObjectName("/");
    QVERIFY(Menu(*FPilot, Command).contains("Move to &Trash (disabled)"));
    QVERIFY(Menu(*FPilot, Command).contains("&Delete Permanently... (disabled)"));
  }

  // Deleting for good: asked with the count and the space that comes free
  // (none for a file another name keeps; a folder's as the program counted
  // it); a folder goes with all below, a link inside as a link, what it
  // names staying; what is nested too deep stays and is told.
  void deletePermanently()
  {
    FTree->Folder("outside");
    FTree->File("outside/kept", 100);
    FTree->Folder("folder");
    FTree->Folder("folder/sub");
    FTree->File("folder/sub/f", 100000);
    FTree->Link("folder/sub/to outside", FTree->Path("outside"));
    FTree->File("linked", 1 << 20);  // another name keeps it: nothing of it comes free
    QVERIFY(link(FTree->Path("linked").c_str(), FTree->Path("other name").c_str()) == 0);
    FPilot->SetFolder(FTree->Top());
    FPilot->MultiObjects() = {"folder", "linked"};
    FPilot->OnSpaceTaken = [this](const std::string& Path) -> std::optional<uint64_t> {
      return Path == FTree->Path("folder") ? std::optional<uint64_t>(3 << 20) : std::nullopt;
    };
    std::vector<TTrashed> Gone;
    FPilot->OnTrashed = [&Gone](const TTrashed& Object) { Gone.push_back(Object); };
    TAnswers Answers;
    Answers.Yes = false;
    QVERIFY(!FPilot->InvokeCommand("deletepermanently"));
    QCOMPARE(Answers.Asked,
             QStringList{"Delete these 2 items permanently? 3.0 MB comes free on the disk.\nThey cannot be restored."});
    QVERIFY(Exists(FTree->Path("folder/sub/f")));
    Answers.Yes = true;
    FPilot->MultiObjects() = {"folder", "linked"};
    QVERIFY(FPilot->InvokeCommand("deletepermanently"));
    QVERIFY(!Exists(FTree->Path("folder")) && !Exists(FTree->Path("linked")));
    QVERIFY(Exists(FTree->Path("outside/kept")) && Exists(FTree->Path("other name")));
    QCOMPARE(Gone.size(), size_t(2));
    QVERIFY(Gone[1].Trash.empty());
    QCOMPARE(Gone[1].Links, uint64_t(2));
    // Nothing found in the Trash of it.
    QVERIFY(!Exists(TTrash::HomeTrash() + "/files/folder"));

    FTree->Folder("deep");
    FTree->DeepChain("deep", int(TPermanentDelete::MostLevels) + 5, "d");
    QString Reason;
    QVERIFY(!TPermanentDelete::Delete(FTree->Path("deep"), Reason));
    QVERIFY2(Reason.contains("nested more than 200 levels deep"), qPrintable(Reason));
    QVERIFY(Exists(FTree->Path("deep")));
    QVERIFY(!TPermanentDelete::Delete("/", Reason));
    QVERIFY(!TPermanentDelete::Delete(FTree->Path("none"), Reason));
    QVERIFY2(Reason.contains(std::strerror(ENOENT)), qPrintable(Reason));
  }

  void connectNetworkDrive()
  {
    FTree->Folder("bin");
    const TProgramsFirst Programs(FTree->Path("bin"), true);
    TAnswers Answers;
    Answers.Input = "smb://server/share";

    QVERIFY(!FPilot->ConnectNetworkDrive());
    QVERIFY(Answers.Asked.last().contains("needs the program gio"));

    StandIn(FTree->Path("bin"), "gio",
            "[ \"$2\" = smb://server/share ] && exit 0\necho \"gio: $2: No such share\" >&2\nexit 2\n");
    QVERIFY(FPilot->ConnectNetworkDrive());
    Answers.Input = "smb://server/none";
    QVERIFY(!FPilot->ConnectNetworkDrive());
    QVERIFY2(Answers.Asked.last().contains("gio: smb://server/none: No such share"), qPrintable(Answers.Asked.last()));
  }

  void fileChangeFollowsTheFolder()
  {
    FTree->Folder("one");
    FTree->Folder("two");
    FPilot->SetFolder(FTree->Path("one"));
    int Changes = 0;
    FPilot->SetOnFileChange([&Changes](TShellPilot*) { ++Changes; });
    FTree->File("one/a", 1);
    QTRY_COMPARE(Changes, 1);
    // The watch moves with the folder and ends with the handler.
    FPilot->SetFolder(FTree->Path("two"));
    QVERIFY(!Watched(FTree->Path("one")));
    FTree->Folder("two/c");
    QTRY_COMPARE(Changes, 2);
    FPilot->SetOnFileChange(nullptr);
    QVERIFY(!Watched(FTree->Path("two")));
  }

private:
  std::unique_ptr<TTestHome> FHome;
  std::unique_ptr<TTestTree> FTree;
  std::unique_ptr<TShellPilot> FPilot;
};

QTEST_MAIN(TShellPilotTest)
#include "tst_shellpilot.moc"
