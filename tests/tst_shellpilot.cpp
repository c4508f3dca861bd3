// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/PathRules.h"
#include "scan/FolderData.h"
#include "shell/PropertiesDialog.h"
#include "shell/ShellPilot.h"
#include "shell/ShellPilotError.h"
#include "shell/Trash.h"
#include "shell/ZelSystemImageList.h"
#include "tests/StandIns.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/Watched.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

// Chooses the item with the given text in the next popup menu (or dismisses
// it when the text is empty), as a person would with the keyboard.
void ChooseInNextMenu(const QString& Text)
{
  QTimer::singleShot(50, [Text] {
    auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(Menu);
    if (Text.isEmpty()) {
      Menu->close();
      return;
    }
    for (QAction* Action : Menu->actions())
      if (Action->text() == Text) {
        Menu->setActiveAction(Action);
        QTest::keyClick(Menu, Qt::Key_Return);
        return;
      }
    Menu->close();
    QFAIL(qPrintable("no menu item " + Text));
  });
}

QStringList MenuTexts(TShellPilot& Pilot, QMenu* Extra = nullptr)
{
  QStringList Texts;
  QTimer::singleShot(50, [&Texts] {
    auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (QAction* Action : Menu->actions())
      if (!Action->isSeparator())
        Texts << Action->text() + (Action->isEnabled() ? "" : " (disabled)");
    Menu->close();
  });
  QString Command;
  Pilot.ShowContextMenu(QPoint(10, 10), Extra, Command);
  return Texts;
}

bool MakeFile(const std::string& Path)
{
  return close(open(Path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644)) == 0;
}

bool Exists(const std::string& Path)
{
  struct stat Data;
  return lstat(Path.c_str(), &Data) == 0;
}

// The contents of a file named by its bytes.
QByteArray Read(const std::string& Path)
{
  QByteArray Contents;
  const int Fd = open(Path.c_str(), O_RDONLY);
  char Buffer[4096];
  for (ssize_t Got; Fd >= 0 && (Got = read(Fd, Buffer, sizeof Buffer)) > 0;)
    Contents.append(Buffer, Got);
  if (Fd >= 0)
    close(Fd);
  return Contents;
}

}  // namespace

class TShellPilotTest : public QObject {
  Q_OBJECT

private slots:
  void init() { FHome = std::make_unique<TTestHome>(); }
  void cleanup() { FHome.reset(); }

  void enumeration_data()
  {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("fileSystemOnly");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("empty is everything") << "" << false << QStringList{".hidden.txt",  "a.txt",    "b.JPG",
                                                                       "dangling.txt", "pipe.txt", "sub"};
    QTest::newRow("masks, folders always")
      << "*.txt" << false << QStringList{".hidden.txt", "a.txt", "dangling.txt", "pipe.txt", "sub"};
    QTest::newRow("letter case ignored") << "*.jpg;x*" << false << QStringList{"b.JPG", "sub"};
    QTest::newRow("file system only") << "*.txt" << true << QStringList{".hidden.txt", "a.txt", "sub"};
  }
  void enumeration()
  {
    QFETCH(QString, filter);
    QFETCH(bool, fileSystemOnly);
    QFETCH(QStringList, found);
    TTestTree Tree;
    Tree.File("a.txt", 1);
    Tree.File(".hidden.txt", 1);
    Tree.File("b.JPG", 1);
    Tree.Folder("sub");
    Tree.Link("dangling.txt", "nowhere");
    QVERIFY(mkfifo(Tree.Path("pipe.txt").c_str(), 0644) == 0);
    TShellPilot Pilot;
    Pilot.SetFolder(Tree.Top());
    Pilot.SetFilter(filter);
    Pilot.SetFileSystemOnly(fileSystemOnly);
    QStringList Names;
    while (Pilot.NextObject())
      Names << QString::fromStdString(Pilot.ObjectName());
    Names.sort();
    QCOMPARE(Names, found);
    // A new enumeration starts after the end.
    QVERIFY(Pilot.NextObject());
  }

  void folderAndObject()
  {
    TTestTree Tree;
    Tree.Folder("sub");
    Tree.File("sub/file.txt", 5);
    TShellPilot Pilot;
    QVERIFY_THROWS_EXCEPTION(EShellPilotError, Pilot.SetFolder(Tree.Path("missing")));
    QCOMPARE(Pilot.Folder(), std::string());  // the computer, as at the start

    // A path with a trailing separator names the folder as an object of its parent.
    Pilot.SetObjectName(Tree.Path("sub/"));
    QCOMPARE(Pilot.Folder(), Tree.Top() + "/");
    QCOMPARE(Pilot.ObjectName(), std::string("sub"));
    QVERIFY(Pilot.IsFolder());
    // The same folder again keeps the object.
    Pilot.SetFolder(Tree.Top() + "/");
    QCOMPARE(Pilot.ObjectName(), std::string("sub"));
    Pilot.SetFolder(Tree.Top());
    QCOMPARE(Pilot.ObjectName(), std::string("sub"));

    Pilot.SetFolder(Tree.Path("sub"));
    QCOMPARE(Pilot.ObjectName(), std::string());
    Pilot.SetObjectName("file.txt");
    QCOMPARE(Pilot.ObjectName(), std::string("file.txt"));
    QVERIFY(!Pilot.IsFolder());
    try {
      Pilot.SetObjectName("nothing.txt");
      QFAIL("no exception");
    } catch (const EShellPilotError& Error) {
      QCOMPARE(Error.Message(),
               QString("Error! Cannot find Object \"nothing.txt\" in Folder \"%1\"")
                 .arg(QString::fromStdString(Tree.Path("sub/"))));
    }
    QCOMPARE(Pilot.ObjectName(), std::string("file.txt"));

    Pilot.SetFolder(Tree.Path("sub"));
    Pilot.SelectFolderAsObject();
    QCOMPARE(Pilot.Folder(), Tree.Top() + "/");
    QCOMPARE(Pilot.ObjectName(), std::string("sub"));
  }

  void rootAndComputer()
  {
    TShellPilot Pilot;
    Pilot.SetObjectName("/");
    QCOMPARE(Pilot.Folder(), std::string());
    QCOMPARE(Pilot.ObjectName(), std::string("/"));
    QCOMPARE(Pilot.FolderSpecialKind(), int(TShellPilot::skComputer));
    QVERIFY(Pilot.IsFolder());
    // A drive stays where it is.
    QCOMPARE(Pilot.GetAttributes(TShellPilot::saCanDelete | TShellPilot::saCanRename), 0u);
    TAnswers Answers;
    QVERIFY(!Pilot.InvokeCommand("delete"));
    QVERIFY(Answers.Asked.isEmpty());
    // The computer lists the mounted drives, the root among them when it is a disk.
    Pilot.SetFolder("");
    QStringList Drives;
    while (Pilot.NextObject())
      Drives << QString::fromStdString(Pilot.ObjectName());
    for (const QString& Drive : Drives)
      QVERIFY(Drive.endsWith('/'));
    QVERIFY(!Drives.contains("/proc/"));
  }

  void attributesAndIcons()
  {
    TTestTree Tree;
    Tree.Folder("parent");
    Tree.Folder("parent/child");
    Tree.File("notes.txt", 3);
    TShellPilot Pilot;
    Pilot.SetFolder(Tree.Top());
    Pilot.SetObjectName("parent");
    const unsigned All = 0x1f;
    QCOMPARE(Pilot.GetAttributes(All),
             unsigned(TShellPilot::saFolder | TShellPilot::saHasSubFolders | TShellPilot::saFileSystem
                      | TShellPilot::saCanRename | TShellPilot::saCanDelete));
    QCOMPARE(Pilot.GetAttributes(TShellPilot::saFolder), unsigned(TShellPilot::saFolder));
    const int FolderIcon = Pilot.GetIconIndex();
    Pilot.SetObjectName("notes.txt");
    QCOMPARE(Pilot.GetAttributes(All),
             unsigned(TShellPilot::saFileSystem | TShellPilot::saCanRename | TShellPilot::saCanDelete));
    QVERIFY(Pilot.GetIconIndex() != FolderIcon);
    QCOMPARE(TZelSystemImageList::IconIndex(Tree.Path("parent/child")), FolderIcon);  // shared, not added again
    QVERIFY(!TZelSystemImageList::Icon(TZelSystemImageList::FilesIconIndex()).isNull());
  }

  void specialFolders()
  {
    TShellPilot Pilot;
    QVERIFY(!Pilot.SetSpecialFolder(TShellPilot::skControlPanel));
    QVERIFY(!Pilot.SetSpecialFolder(TShellPilot::skDocuments));  // not made yet
    QVERIFY(mkdir((FHome->Path() + "/Documents").c_str(), 0755) == 0);
    QVERIFY(Pilot.SetSpecialFolder(TShellPilot::skDocuments));
    QCOMPARE(Pilot.Folder(), FHome->Path() + "/Documents/");
    QCOMPARE(Pilot.FolderSpecialKind(), int(TShellPilot::skDocuments));
    Pilot.SelectFolderAsObject();
    QCOMPARE(Pilot.ObjectSpecialKind(), int(TShellPilot::skDocuments));
    QCOMPARE(Pilot.FolderSpecialKind(), 0);
    QVERIFY(Pilot.SetSpecialFolder(TShellPilot::skComputer));
    QCOMPARE(Pilot.Folder(), std::string());
  }

  void trashOneObject()
  {
    TTestTree Tree;
    Tree.File("old.txt", 10);
    TShellPilot Pilot;
    Pilot.SetFolder(Tree.Top());
    Pilot.SetObjectName("old.txt");
    TAnswers Answers;
    QVERIFY(Pilot.InvokeCommand("Delete"));
    QCOMPARE(Answers.Asked, QStringList{"Move \"old.txt\" to the Trash?\nIt can be restored from the Trash."});
    QVERIFY(!Exists(Tree.Path("old.txt")));
    const std::string Trash = TTrash::HomeTrash();
    QVERIFY(Exists(Trash + "/files/old.txt"));
    const QByteArray Info = Read(Trash + "/info/old.txt.trashinfo");
    QVERIFY(
      Info.startsWith("[Trash Info]\nPath=" + QByteArray::fromStdString(Tree.Path("old.txt")) + "\nDeletionDate="));

    // A second object of the same name gets a name of its own in the Trash,
    // also past something left in files/ without its info file.
    QVERIFY(mkdir((Trash + "/files/old.txt.2").c_str(), 0755) == 0);
    Tree.File("old.txt", 20);
    Pilot.SetObjectName("old.txt");
    QVERIFY(Pilot.InvokeCommand("delete"));
    QVERIFY(Exists(Trash + "/files/old.txt.3"));
    QVERIFY(Exists(Trash + "/info/old.txt.3.trashinfo"));
    QVERIFY(!Exists(Trash + "/info/old.txt.2.trashinfo"));
    QCOMPARE(Read(Trash + "/files/old.txt").size(), 10);
  }

  void trashSeveralObjects()
  {
    TTestTree Tree;
    Tree.File("a b.txt", 1);
    Tree.Folder("folder");
    Tree.File("folder/inside", 1);
    Tree.File("caf\xe9", 1);
    Tree.File("keep", 1);
    TShellPilot Pilot;
    Pilot.SetFolder(Tree.Top());
    Pilot.SetObjectName("keep");
    Pilot.MultiObjects() = {"a b.txt", "folder", "caf\xe9"};
    TAnswers Answers;
    QVERIFY(Pilot.InvokeCommand("delete"));
    QCOMPARE(Answers.Asked, QStringList{"Move these 3 items to the Trash?\nThey can be restored from the Trash."});
    QVERIFY(Pilot.MultiObjects().empty());
    QCOMPARE(Pilot.ObjectName(), std::string("keep"));
    for (const char* Name : {"a b.txt", "folder", "caf\xe9"}) {
      QVERIFY(!Exists(Tree.Path(Name)));
      QVERIFY(Exists(TTrash::HomeTrash() + "/files/" + Name));
    }
    QVERIFY(Exists(TTrash::HomeTrash() + "/files/folder/inside"));
    QVERIFY(Read(TTrash::HomeTrash() + "/info/a b.txt.trashinfo").contains("a%20b.txt\n"));
    QVERIFY(Read(TTrash::HomeTrash() + "/info/caf\xe9.trashinfo").contains("caf%E9\n"));
  }

  // Whatever stops a move to the Trash, the file stays where it is.
  void trashStopped_data()
  {
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("told");  // the last thing asked or said, in part
    QTest::newRow("the user declines") << "decline"
                                       << "Move \"stay.txt\" to the Trash?\nIt can be restored from the Trash.";
    QTest::newRow("the program's handler cancels") << "handler"
                                                   << "";
    QTest::newRow("a file in place of the Trash") << "blocked"
                                                  << "not a folder";
  }
  void trashStopped()
  {
    QFETCH(QString, stop);
    QFETCH(QString, told);
    TTestTree Tree;
    Tree.File("stay.txt", 1);
    if (stop == "blocked") {
      QVERIFY(QDir().mkpath(QString::fromStdString(FHome->Path() + "/.local/share")));
      QVERIFY(MakeFile(TTrash::HomeTrash()));
    }
    TShellPilot Pilot;
    Pilot.SetObjectName(Tree.Path("stay.txt"));
    QStringList Seen;
    Pilot.OnContextMenuSelect = [&Seen, stop](const QString& Command, bool& Execute) {
      Seen << Command;
      Execute = stop != "handler";
    };
    TAnswers Answers;
    Answers.Yes = stop != "decline";
    QVERIFY(!Pilot.InvokeCommand("delete"));
    QVERIFY(Exists(Tree.Path("stay.txt")));
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
    QTest::newRow("its own Trash") << QByteArray() << Own;
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
    QVERIFY(MakeFile(Top + "sub/f"));
    const std::string Shared = atTop == "link" ? Top + "sticky" : Top + ".Trash";
    if (!atTop.isEmpty() && atTop != "file")
      QVERIFY(mkdir(Shared.c_str(), 0755) == 0 && chmod(Shared.c_str(), atTop == "plain" ? 0777 : 01777) == 0);
    if (atTop == "link")
      QVERIFY(symlink("sticky", (Top + ".Trash").c_str()) == 0);
    if (atTop == "file")
      QVERIFY(MakeFile(Top + ".Trash-" + std::to_string(getuid())));

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
    QTest::newRow("a new name") << QByteArray("first") << "third" << QByteArray("third") << "";
    QTest::newRow("a name taken is never replaced")
      << QByteArray("first") << "second" << QByteArray("first") << "already exists";
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
    TTestTree Tree;
    Tree.File("first", 1);
    Tree.File("second", 2);
    Tree.File("caf\xe9", 3);
    TShellPilot Pilot;
    Pilot.SetFolder(Tree.Top());
    // Chosen by the name it shows, as the user would.
    Pilot.SetObjectName(TPathRules::Shown(from.toStdString()).toStdString());
    QCOMPARE(Pilot.ObjectName(), from.toStdString());
    const qsizetype Size = Read(Tree.Path(from.toStdString())).size();
    TAnswers Answers;
    QString Name = typed;
    Pilot.RenameObject(Name);
    QCOMPARE(Name, TPathRules::Shown(after.toStdString()));
    QCOMPARE(Read(Tree.Path(after.toStdString())).size(), Size);
    QCOMPARE(Read(Tree.Path("second")).size(), 2);
    QVERIFY(from == after || !Exists(Tree.Path(from.toStdString())));
    QCOMPARE(Answers.Asked.size(), warning.isEmpty() ? 0 : 1);
    QVERIFY(warning.isEmpty() || Answers.Asked[0].contains(warning));
  }

  void openWithTheDesktop()
  {
    // A stand-in opener records what it is given, byte for byte.
    TTestTree Tree;
    Tree.Folder("bin");
    Tree.File("caf\xe9.txt", 1);
    const std::string Log = Tree.Path("opened");
    StandIn(Tree.Path("bin"), "xdg-open", QByteArray("printf '%s\\n' \"$1\" >> '") + Log.c_str() + "'\n");
    StandIn(Tree.Path("bin"), "xdg-mime", "echo editor.desktop\n");
    TShellPilot Pilot;
    Pilot.SetObjectName(Tree.Path("caf\xe9.txt"));
    {
      const TProgramsFirst Programs(Tree.Path("bin"));
      QVERIFY(Pilot.InvokeCommand(""));
      QVERIFY(Pilot.InvokeCommand("explore"));
    }
    // The two openers run side by side: either may write first.
    auto Opened = [&] {
      QList<QByteArray> Lines = Read(Log).split('\n');
      std::sort(Lines.begin(), Lines.end());
      return Lines;
    };
    QTRY_COMPARE(Opened(),
                 (QList<QByteArray>{"", QByteArray::fromStdString(Tree.Top() + "/"),
                                    QByteArray::fromStdString(Tree.Path("caf\xe9.txt"))}));
  }

  // A file nothing opens by default: the user hears so, and may open it
  // with a program whose entry says it can; without one, only the word.
  void openWithoutADefault_data()
  {
    QTest::addColumn<bool>("offered");
    QTest::newRow("a program offered") << true;
    QTest::newRow("none") << false;
  }
  void openWithoutADefault()
  {
    QFETCH(bool, offered);
    TTestTree Tree;
    Tree.Folder("bin");
    Tree.File("notes.txt", 1);
    const std::string Log = Tree.Path("opened");
    StandIn(Tree.Path("bin"), "xdg-open", QByteArray("echo xdg-open >> '") + Log.c_str() + "'\n");
    StandIn(Tree.Path("bin"), "xdg-mime", "exit 0\n");
    StandIn(Tree.Path("bin"), "viewer", QByteArray("printf '%s\\n' \"$@\" >> '") + Log.c_str() + "'\n");
    const QByteArray DataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Tree.Path("share")));
    const auto Restore = qScopeGuard([&DataHome] { qputenv("XDG_DATA_HOME", DataHome); });
    if (offered) {
      QDir().mkpath(QString::fromStdString(Tree.Path("share/applications")));
      QFile Cache(QString::fromStdString(Tree.Path("share/applications/mimeinfo.cache")));
      QVERIFY(Cache.open(QIODevice::WriteOnly));
      Cache.write("[MIME Cache]\ntext/plain=stand-in.desktop;\n");
      Cache.close();
      QFile Entry(QString::fromStdString(Tree.Path("share/applications/stand-in.desktop")));
      QVERIFY(Entry.open(QIODevice::WriteOnly));
      Entry.write(QByteArray("[Desktop Entry]\nType=Application\nName=Stand-in Viewer\nExec=")
                  + Tree.Path("bin/viewer").c_str() + " --view %U\n");
      Entry.close();
    }
    TAnswers Answers;
    Answers.Input = "Stand-in Viewer";
    TShellPilot Pilot;
    Pilot.SetObjectName(Tree.Path("notes.txt"));
    {
      const TProgramsFirst Programs(Tree.Path("bin"));
      QCOMPARE(Pilot.InvokeCommand(""), offered);
    }
    QCOMPARE(Answers.Asked.size(), 1);
    QVERIFY(Answers.Asked[0].contains("No program is set to open \"notes.txt\" (text/plain)."));
    if (offered) {
      QVERIFY(Answers.Asked[0].contains("Stand-in Viewer"));
      QTRY_COMPARE(
        Read(Log),
        "--view\n" + QUrl::fromLocalFile(QString::fromStdString(Tree.Path("notes.txt"))).toString().toUtf8() + "\n");
    } else {
      QTest::qWait(200);
      QVERIFY(!QFile::exists(QString::fromStdString(Log)));  // not the opener that would fail
    }
  }

  void properties()
  {
    TTestTree Tree;
    Tree.File("data.bin", 5000);
    Tree.Folder("folder");
    TShellPilot Pilot;
    Pilot.OnFolderTotals = [](const std::string&) { return TPropertiesDialog::TRows{{"Counted", "42 files"}}; };
    Pilot.SetObjectName(Tree.Path("data.bin"));
    QVERIFY(Pilot.InvokeCommand("properties"));
    Pilot.SetObjectName(Tree.Path("folder"));
    QVERIFY(Pilot.InvokeCommand("properties"));
    QStringList Texts;
    for (QWidget* Window : QApplication::topLevelWidgets())
      if (auto* Dialog = dynamic_cast<TPropertiesDialog*>(Window)) {
        for (QLabel* Label : Dialog->findChildren<QLabel*>())
          Texts << Label->text();
        Dialog->close();
      }
    QVERIFY(Texts.contains("data.bin"));
    QVERIFY(Texts.contains(TPropertiesDialog::SizeText(5000)));
    QVERIFY(Texts.contains("42 files"));
    QVERIFY(Texts.contains("Folder"));
  }

  void contextMenuItems()
  {
    TTestTree Tree;
    Tree.File("x", 1);
    TShellPilot Pilot;
    Pilot.SetObjectName(Tree.Path("x"));
    QMenu Extra;
    Extra.addAction("&Report");
    QMenu* Sub = Extra.addMenu("&More");
    Sub->addAction("Deeper");
    QCOMPARE(MenuTexts(Pilot, &Extra),
             (QStringList{"&Open", "Open Containing &Folder", "&Copy Path", "Move to &Trash", "P&roperties", "&Report",
                          "&More"}));
    Pilot.OnRename = [](TShellPilot*) {};
    QVERIFY(MenuTexts(Pilot).contains("Re&name..."));
    Pilot.SetObjectName("/");
    QVERIFY(MenuTexts(Pilot).contains("Move to &Trash (disabled)"));
  }

  void contextMenuChoices()
  {
    TTestTree Tree;
    Tree.File("x", 1);
    TShellPilot Pilot;
    Pilot.SetObjectName(Tree.Path("x"));
    QString Command = "unchanged";

    // A merged program item runs its own handler and returns no command.
    QMenu Extra;
    QAction* Report = Extra.addAction("&Report");
    Report->setData(7);
    int Reports = 0;
    connect(Report, &QAction::triggered, this, [&Reports] { ++Reports; });
    ChooseInNextMenu("&Report");
    Pilot.ShowContextMenu(QPoint(10, 10), &Extra, Command);
    QCOMPARE(Reports, 1);
    QCOMPARE(Command, QString());

    // Dismissed: nothing runs.
    ChooseInNextMenu("");
    Pilot.ShowContextMenu(QPoint(10, 10), &Extra, Command);
    QCOMPARE(Command, QString());

    // Rename is handed to the program.
    int Renames = 0;
    Pilot.OnRename = [&Renames](TShellPilot*) { ++Renames; };
    ChooseInNextMenu("Re&name...");
    Pilot.ShowContextMenu(QPoint(10, 10), nullptr, Command);
    QCOMPARE(Command, QString("rename"));
    QCOMPARE(Renames, 1);

    // Declining the Trash returns no command; accepting it returns "delete".
    TAnswers Answers;
    Answers.Yes = false;
    ChooseInNextMenu("Move to &Trash");
    Pilot.ShowContextMenu(QPoint(10, 10), nullptr, Command);
    QCOMPARE(Command, QString());
    QVERIFY(Exists(Tree.Path("x")));
    Answers.Yes = true;
    ChooseInNextMenu("Move to &Trash");
    Pilot.ShowContextMenu(QPoint(10, 10), nullptr, Command);
    QCOMPARE(Command, QString("delete"));
    QVERIFY(!Exists(Tree.Path("x")));
  }

  void connectNetworkDrive()
  {
    TTestTree Tree;
    Tree.Folder("bin");
    const TProgramsFirst Programs(Tree.Path("bin"), true);
    TShellPilot Pilot;
    TAnswers Answers;
    Answers.Input = "smb://server/share";

    QVERIFY(!Pilot.ConnectNetworkDrive());
    QVERIFY(Answers.Asked.last().contains("needs the program gio"));

    StandIn(Tree.Path("bin"), "gio",
            "[ \"$2\" = smb://server/share ] && exit 0\necho \"gio: $2: No such share\" >&2\nexit 2\n");
    QVERIFY(Pilot.ConnectNetworkDrive());
    Answers.Input = "smb://server/none";
    QVERIFY(!Pilot.ConnectNetworkDrive());
    QVERIFY2(Answers.Asked.last().contains("gio: smb://server/none: No such share"), qPrintable(Answers.Asked.last()));
    Answers.Yes = false;
    QVERIFY(!Pilot.ConnectNetworkDrive());
  }

  void fileChangeFollowsTheFolder()
  {
    TTestTree Tree;
    Tree.Folder("one");
    Tree.Folder("two");
    TShellPilot Pilot;
    Pilot.SetFolder(Tree.Path("one"));
    int Changes = 0;
    Pilot.SetOnFileChange([&Changes](TShellPilot*) { ++Changes; });
    Tree.File("one/a", 1);
    QTRY_COMPARE(Changes, 1);
    // The watch moves with the folder and ends with the handler.
    Pilot.SetFolder(Tree.Path("two"));
    QVERIFY(!Watched(Tree.Path("one")));
    Tree.Folder("two/c");
    QTRY_COMPARE(Changes, 2);
    Pilot.SetOnFileChange(nullptr);
    QVERIFY(!Watched(Tree.Path("two")));
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TShellPilotTest)
#include "tst_shellpilot.moc"
