// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DirMon.h"
#include "shell/DirMonError.h"
#include "tests/TestTree.h"
#include "tests/Watched.h"

#include <QDeadlineTimer>
#include <QTest>

#include <chrono>
#include <thread>

namespace {

// A monitor that counts what it raises, started on Folder when given.
struct TCounted {
  explicit TCounted(const std::string& Folder = {}, bool Nested = false)
  {
    Monitor.OnDirChange = [this](TDirMon*) { ++Changes; };
    Monitor.OnStart = [this](TDirMon*) { ++Starts; };
    Monitor.OnStop = [this](TDirMon*) { ++Stops; };
    Monitor.SetNested(Nested);
    if (!Folder.empty())
      Monitor.SetDirectory(Folder);
  }
  // A folder made (a name change no test asks for) and waited for, handling no
  // events, until a nested watch covers it: every change before it is read.
  void Fence(const std::string& Folder)
  {
    const std::string Path = Folder + "/fence-" + std::to_string(++Fences);
    QVERIFY(mkdir(Path.c_str(), 0755) == 0);
    const QDeadlineTimer Deadline(10000);
    while (!Watched(Path) && !Deadline.hasExpired())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QVERIFY(Watched(Path));
  }
  // The changes raised for all made so far: past a second fence the watcher
  // has handed over what it read before the first.
  int Settled(const std::string& Folder)
  {
    Fence(Folder);
    Fence(Folder);
    QCoreApplication::sendPostedEvents();
    return Changes;
  }
  TDirMon Monitor;
  int Changes = 0;
  int Starts = 0;
  int Stops = 0;
  int Fences = 0;
};

}  // namespace

class TDirMonTest : public QObject {
  Q_OBJECT

private slots:
  // Only nested are subfolders watched, those made later too; a file made
  // raises one change, a folder's name none. The same folder again changes nothing.
  void subFolders()
  {
    TTestTree Tree;
    Tree.Folder("sub");
    {
      TCounted Alone(Tree.Top());
      QVERIFY(Watched(Tree.Top()));
      QVERIFY(!Watched(Tree.Path("sub")));
    }
    TCounted Watch(Tree.Top(), true);
    QCOMPARE(Watch.Starts, 1);
    QVERIFY(Watched(Tree.Top()) && Watched(Tree.Path("sub")));
    Tree.File("new.txt", 10);
    QCOMPARE(Watch.Settled(Tree.Top()), 1);
    Tree.Folder("sub/later");
    QCOMPARE(Watch.Settled(Tree.Path("sub")), 1);
    Tree.File("sub/later/deep.txt", 10);
    QTRY_COMPARE(Watch.Changes, 2);
    Watch.Monitor.SetDirectory(Tree.Top() + "/");
    QCOMPARE(Watch.Monitor.Directory(), Tree.Top());
    QCOMPARE(Watch.Starts, 1);
    Watch.Monitor.SetDirectory(Tree.Path("sub"));
    QCOMPARE(std::pair(Watch.Starts, Watch.Stops), std::pair(2, 1));
  }

  void staleChangesDropped()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("b");
    TCounted Watch(Tree.Path("a"), true);
    Tree.File("a/before-the-move", 1);
    Watch.Fence(Tree.Path("a"));  // the watcher has seen it; its event waits in the queue
    Watch.Monitor.SetDirectory(Tree.Path("b"));
    QCOMPARE(Watch.Settled(Tree.Path("b")), 0);
    Tree.File("b/after", 1);
    QTRY_COMPARE(Watch.Changes, 1);
  }

  void folderMovedOut()
  {
    TTestTree Tree;
    Tree.Folder("watched");
    Tree.Folder("watched/sub");
    Tree.Folder("elsewhere");
    TCounted Watch(Tree.Path("watched"), true);
    QVERIFY(rename(Tree.Path("watched/sub").c_str(), Tree.Path("elsewhere/sub").c_str()) == 0);
    QCOMPARE(Watch.Settled(Tree.Path("watched")), 0);  // a folder's name: not asked for
    Tree.File("elsewhere/sub/outside", 1);
    QCOMPARE(Watch.Settled(Tree.Path("watched")), 0);
  }

  void filterWhileRunning()
  {
    TTestTree Tree;
    TCounted Watch(Tree.Top());
    try {
      Watch.Monitor.SetNotifyFilter(dmcDirName);
      QFAIL("no exception");
    } catch (const EDirMonError& Error) {
      QCOMPARE(QString(Error.what()), QString("Unable to change NotifyFilter when DirMon is running"));
    }
    QCOMPARE(Watch.Monitor.NotifyFilter(), TDirMonType(dmcFileName));
    Watch.Monitor.Stop();
    Watch.Monitor.SetNotifyFilter(dmcDirName | dmcLastWrite);
    Watch.Monitor.Start();
    Tree.Folder("folder");
    QTRY_COMPARE(Watch.Changes, 1);
    Tree.File("file.txt", 10);
    QTRY_VERIFY(Watch.Changes >= 2);  // written and closed; its name is not asked for
  }

  void startAndStop()
  {
    TCounted Watch;
    QVERIFY_THROWS_EXCEPTION(EDirMonError, Watch.Monitor.Stop());
    Watch.Monitor.Start();  // no directory: stays stopped
    QVERIFY(!Watch.Monitor.Running());
    // The root keeps its separator; a folder that cannot be watched is
    // watched all the same, silently.
    for (const std::string Path : {"/", "/no/such/folder"}) {
      Watch.Monitor.SetDirectory(Path);
      QCOMPARE(Watch.Monitor.Directory(), Path);
      QVERIFY(Watch.Monitor.Running());
    }
    Watch.Monitor.Stop();
    QCOMPARE(std::pair(Watch.Starts, Watch.Stops), std::pair(2, 2));
    // Destroyed while running, it stops without telling.
    int Stops = 0;
    {
      TDirMon Monitor;
      Monitor.OnStop = [&Stops](TDirMon*) { ++Stops; };
      Monitor.SetDirectory("/");
      QVERIFY(Monitor.Running());
    }
    QCOMPARE(Stops, 0);
  }
};

QTEST_GUILESS_MAIN(TDirMonTest)
#include "tst_dirmon.moc"
