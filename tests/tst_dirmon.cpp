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

// A monitor that counts what it raises.
struct TCounted {
  TCounted()
  {
    Monitor.OnDirChange = [this](TDirMon*) { ++Changes; };
    Monitor.OnStart = [this](TDirMon*) { ++Starts; };
    Monitor.OnStop = [this](TDirMon*) { ++Stops; };
  }
  // Makes a folder in the watched subtree (a change of folder names, which
  // no test asks for) and waits, handling no events, until a nested watch
  // covers it: the watcher has then read every change made before it.
  void Fence(const std::string& Folder)
  {
    const std::string Path = Folder + "/fence-" + std::to_string(++Fences);
    QVERIFY(mkdir(Path.c_str(), 0755) == 0);
    const QDeadlineTimer Deadline(10000);
    while (!Watched(Path) && !Deadline.hasExpired())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QVERIFY(Watched(Path));
  }
  // How many changes were raised for all those made so far: past a second
  // fence the watcher has handed over what it read before the first.
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
  void createdFileRaisesOneEvent()
  {
    TTestTree Tree;
    TCounted Watch;
    Watch.Monitor.SetNested(true);
    Watch.Monitor.SetDirectory(Tree.Top());
    QCOMPARE(Watch.Starts, 1);
    Tree.File("new.txt", 10);
    QCOMPARE(Watch.Settled(Tree.Top()), 1);
    // The same directory again, a separator at its end, changes nothing;
    // another one restarts.
    Watch.Monitor.SetDirectory(Tree.Top() + "/");
    QCOMPARE(Watch.Monitor.Directory(), Tree.Top());
    QCOMPARE(Watch.Starts, 1);
    Tree.Folder("other");
    Watch.Monitor.SetDirectory(Tree.Path("other"));
    QCOMPARE(Watch.Stops, 1);
    QCOMPARE(Watch.Starts, 2);
    Watch.Monitor.SetDirectory("");
    QVERIFY(!Watch.Monitor.Running());
  }

  void subFolders_data()
  {
    QTest::addColumn<bool>("nested");
    QTest::newRow("folder alone") << false;
    QTest::newRow("whole subtree") << true;
  }
  void subFolders()
  {
    QFETCH(bool, nested);
    TTestTree Tree;
    Tree.Folder("sub");
    TCounted Watch;
    Watch.Monitor.SetNested(nested);
    Watch.Monitor.SetDirectory(Tree.Top());
    QVERIFY(Watched(Tree.Top()));
    QCOMPARE(Watched(Tree.Path("sub")), nested);
    if (!nested)
      return;
    // A folder made after the start is watched as well. Its creation is a
    // folder-name change, which the filter does not ask for.
    Tree.Folder("sub/later");
    QCOMPARE(Watch.Settled(Tree.Path("sub")), 0);
    Tree.File("sub/later/deep.txt", 10);
    QTRY_COMPARE(Watch.Changes, 1);
  }

  void staleChangesDropped()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("b");
    TCounted Watch;
    Watch.Monitor.SetNested(true);
    Watch.Monitor.SetDirectory(Tree.Path("a"));
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
    TCounted Watch;
    Watch.Monitor.SetNested(true);
    Watch.Monitor.SetDirectory(Tree.Path("watched"));
    QVERIFY(rename(Tree.Path("watched/sub").c_str(), Tree.Path("elsewhere/sub").c_str()) == 0);
    QCOMPARE(Watch.Settled(Tree.Path("watched")), 0);  // a folder's name: not asked for
    Tree.File("elsewhere/sub/outside", 1);
    QCOMPARE(Watch.Settled(Tree.Path("watched")), 0);
  }

  void filterWhileRunning()
  {
    TTestTree Tree;
    TCounted Watch;
    Watch.Monitor.SetDirectory(Tree.Top());
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
    QCOMPARE(Watch.Starts, 2);
    QCOMPARE(Watch.Stops, 2);
  }

  void destroyedWhileRunning()
  {
    TTestTree Tree;
    int Stops = 0;
    {
      TDirMon Monitor;
      Monitor.OnStop = [&Stops](TDirMon*) { ++Stops; };
      Monitor.SetDirectory(Tree.Top());
      QVERIFY(Monitor.Running());
    }
    QCOMPARE(Stops, 0);
  }
};

QTEST_GUILESS_MAIN(TDirMonTest)
#include "tst_dirmon.moc"
