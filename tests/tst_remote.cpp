// SPDX-License-Identifier: GPL-3.0-or-later
// Exports read as streams into roots that fill as they arrive, and folders
// of another machine read over SSH: a server of the test's own on
// 127.0.0.1, with keys made for it, stands in for the other machine.
#include "remote/RemoteAddress.h"
#include "remote/RemoteStream.h"
#include "scan/FilesSource.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/NcduExport.h"
#include "scan/NcduImport.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "scan/StreamSource.h"
#include "tests/TestTree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

// A stream that a thread of the test writes: Bytes, then the end, or
// nothing at all, held open, when Stall.
class TPipeSource : public TStreamSource {
public:
  TPipeSource(QByteArray Bytes, bool Stall)
  {
    int Ends[2];
    QVERIFY(pipe2(Ends, O_CLOEXEC) == 0);
    FRead = Ends[0];
    FWriter = std::thread([Bytes, Stall, Write = Ends[1], this] {
      for (qsizetype Done = 0; Done < Bytes.size();) {
        const ssize_t Wrote = write(Write, Bytes.constData() + Done, size_t(Bytes.size() - Done));
        if (Wrote <= 0)
          break;
        Done += Wrote;
      }
      while (Stall && !FDone)
        usleep(1000);
      close(Write);
    });
  }
  ~TPipeSource() override { Finish(true, 0); }
  int Fd() const override { return FRead; }
  std::string Finish(bool, uint64_t) override
  {
    FDone = true;
    if (FWriter.joinable())
      FWriter.join();
    if (FRead >= 0)
      close(FRead);
    FRead = -1;
    return {};
  }

private:
  int FRead = -1;
  std::atomic<bool> FDone{false};
  std::thread FWriter;
};

struct TRun : TScanListener {
  TRun()
  {
    Driver.FUserClusterSize = 4096;
    Driver.SetListener(this);
    // The window's settings: files are kept, as the window keeps them.
    Driver.FSettings.FFileKind = [](const char*, bool) -> uint8_t { return 0; };
    Driver.FSettings.FShowFiles = false;
  }
  void ScanFailed(int, const std::string&) override {}
  void ScanProgress(TRoot*) override {}
  void ScanDone(TRoot*, bool Stopped, const TScanCounts&) override { StoppedScans += Stopped; }
  // Starts reading the folder of a remote address over SSH; null for a
  // wrong address.
  TRoot* Remote(const std::string& Url)
  {
    TRemoteAddress Address;
    std::string Problem;
    if (!Address.Parse(Url, Problem))
      return nullptr;
    return Driver.StartImport(Address.Url(), std::make_unique<TRemoteStream>(Address, ""), Address.Name());
  }
  // Drains until every scan ended; false after Limit.
  bool Finish(int LimitMs = 20000)
  {
    QElapsedTimer Timer;
    Timer.start();
    while (Driver.Scanning() && Timer.elapsed() < LimitMs) {
      Driver.WaitForResults(std::chrono::milliseconds(10));
      Driver.Drain();
    }
    return !Driver.Scanning();
  }
  TFolderTree Tree;
  TScanDriver Driver{Tree};
  int StoppedScans = 0;
};

using TTotals = std::tuple<uint64_t, uint64_t, uint64_t, uint64_t, uint64_t>;

// Every folder's totals, by its path below the top.
std::map<std::string, TTotals> Folders(const TFolderNode* Top)
{
  std::map<std::string, TTotals> Found;
  TFolderNode::ForEachBelow(Top, [&](const TFolderNode* Node) {
    if (!Node->FIsFiles)
      Found[Node == Top ? std::string() : Node->PathBelowTop()] = {Node->FClusters.Load(), Node->FTailBytes.Load(),
                                                                   Node->FObjects.Load(), Node->SizeBytes(),
                                                                   Node->AllocatedBytes()};
    return true;
  });
  return Found;
}

// Whether each folder holds what its sub-folders and its own kept files
// add, and itself: a tree read in part must add up all the same.
bool AddsUp(const TFolderNode* Top, QByteArray& Problem)
{
  bool Sound = true;
  TFolderNode::ForEachBelow(Top, [&](const TFolderNode* Node) {
    // A top whose export broke off before it began holds nothing.
    const bool Unread = Node == Top && Node->FObjects.Load() == 0 && Node->ChildCount() == 0;
    uint64_t Objects = Unread ? 0 : 1, Size = 0;
    if (const TFolderFiles* Files = Node->FFiles.load()) {
      Objects += Files->Count();
      for (uint32_t Index = 0; Index < Files->Count(); ++Index)
        Size += (*Files)[Index].Size();
    }
    for (const TFolderNode* Child : Node->Children()) {
      Objects += Child->FObjects.Load();
      Size += Child->SizeBytes();
    }
    if (Objects != Node->FObjects.Load() || Size != Node->SizeBytes()) {
      Problem = QByteArray::fromStdString(Node->FullPath() + ": " + std::to_string(Node->FObjects.Load()) + " objects, "
                                          + std::to_string(Objects) + " added up");
      Sound = false;
    }
    return Sound;
  });
  return Sound;
}

// An SSH server on 127.0.0.1 that runs each command with only the test's
// own folder of programs to find: the test decides which scanners the
// "other machine" has.
class TSshServer {
public:
  TSshServer()
  {
    const QString Dir = FDir.path();
    FBin = Dir + "/bin";
    QDir().mkpath(FBin);
    QFile::link("/bin/sh", FBin + "/sh");
    for (const char* Key : {"host_key", "user_key"})
      if (QProcess::execute("ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", Dir + "/" + Key}) != 0)
        return;
    QFile::copy(Dir + "/user_key.pub", Dir + "/authorized_keys");
    Write("remote.sh",
          "#!/bin/sh\nPATH=" + FBin.toUtf8() + "\nexport PATH\nexec /bin/sh -c \"$SSH_ORIGINAL_COMMAND\"\n", true);
    QTcpServer Probe;  // a free port
    if (!Probe.listen(QHostAddress::LocalHost))
      return;
    FPort = Probe.serverPort();
    Probe.close();
    Write("sshd_config", "Port " + QByteArray::number(FPort) + "\nListenAddress 127.0.0.1\nHostKey " + Dir.toUtf8()
                           + "/host_key\nPidFile " + Dir.toUtf8() + "/sshd.pid\nAuthorizedKeysFile " + Dir.toUtf8()
                           + "/authorized_keys\nStrictModes no\nUsePAM no\nPasswordAuthentication no\n"
                             "KbdInteractiveAuthentication no\nPermitRootLogin prohibit-password\nForceCommand "
                           + Dir.toUtf8() + "/remote.sh\nLogLevel ERROR\n");
    Write("ssh_config",
          "Host *\n  IdentityFile " + Dir.toUtf8() + "/user_key\n  UserKnownHostsFile " + Dir.toUtf8()
            + "/known_hosts\n  StrictHostKeyChecking no\n  BatchMode yes\n  LogLevel ERROR\n");
    // The server wants its folder for privilege separation, made once.
    if (getuid() == 0)
      QDir().mkpath("/run/sshd");
    FServer.start("/usr/sbin/sshd", {"-D", "-e", "-f", Dir + "/sshd_config"});
    if (!FServer.waitForStarted(5000))
      return;
    for (int Tries = 0; Tries < 100 && !FReady; ++Tries) {
      QTcpSocket Socket;
      Socket.connectToHost(QHostAddress::LocalHost, FPort);
      FReady = Socket.waitForConnected(100);
      if (!FReady)
        QThread::msleep(50);
    }
    qputenv("SPACELENS_SSH", "ssh -F " + Dir.toUtf8() + "/ssh_config");
  }
  ~TSshServer()
  {
    FServer.terminate();
    FServer.waitForFinished(5000);
  }
  // Why the server cannot be used; empty when it can.
  QByteArray Missing()
  {
    if (!QFile::exists("/usr/sbin/sshd"))
      return "no SSH server here (openssh-server)";
    if (!QFile::exists(SPACELENS_BINARY))
      return "the program is not built beside the test";
    return FReady ? QByteArray() : "the SSH server did not start: " + FServer.readAllStandardError();
  }
  std::string Url(const std::string& Path) const { return "ssh://127.0.0.1:" + std::to_string(FPort) + Path; }
  // The other machine has Program, this program under its name, or a
  // script in its place.
  void Has(const QString& Name, const QByteArray& Script = {})
  {
    QFile::remove(FBin + "/" + Name);
    if (Script.isEmpty())
      QFile::link(SPACELENS_BINARY, FBin + "/" + Name);
    else
      Write("bin/" + Name, "#!/bin/sh\n" + Script, true);
  }
  void Lacks(const QString& Name) { QFile::remove(FBin + "/" + Name); }

private:
  void Write(const QString& Name, const QByteArray& Text, bool Program = false)
  {
    QFile File(FDir.path() + "/" + Name);
    QVERIFY(File.open(QIODevice::WriteOnly) && File.write(Text) == Text.size());
    if (Program)
      File.setPermissions(File.permissions() | QFile::ExeOwner | QFile::ExeUser);
  }

  QTemporaryDir FDir;
  QString FBin;
  quint16 FPort = 0;
  QProcess FServer;
  bool FReady = false;
};

// Whether a process runs whose command line holds Text.
bool Running(const QString& Text)
{
  QProcess Search;
  Search.start("pgrep", {"-f", Text});
  return Search.waitForFinished() && Search.exitCode() == 0;
}

// An export of a tree with files, sub-folders and one left out.
QByteArray ExportOf(const TTestTree& Tree, TRun& Run)
{
  Tree.Folder("a");
  Tree.Folder("a/b");
  Tree.File("a/b/big", 100000);
  Tree.File("a/f", 5000);
  Tree.File("a/h", 300);
  Tree.Folder("c");
  Tree.File("c/g", 1);
  Tree.File("top", 4097);
  if (!Run.Driver.StartScan(Tree.Top()) || !Run.Finish())
    return {};
  char* Text = nullptr;
  size_t Size = 0;
  std::FILE* File = open_memstream(&Text, &Size);
  TNcduExport::Write(File, Run.Driver.Roots()->FNode, Run.Driver.FSettings, "test");
  std::fclose(File);
  const QByteArray Bytes(Text, qsizetype(Size));
  free(Text);
  return Bytes;
}

}  // namespace

class TRemoteTest : public QObject {
  Q_OBJECT

private slots:
  void addresses_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");  // empty: refused
    QTest::newRow("scheme") << "ssh://host/srv/data"
                            << "ssh://host/srv/data";
    QTest::newRow("user and port") << "ssh://me@host:2222/srv/"
                                   << "ssh://me@host:2222/srv";
    QTest::newRow("no path") << "ssh://host"
                             << "ssh://host/";
    QTest::newRow("scp form") << "me@host:/var/log"
                              << "ssh://me@host/var/log";
    QTest::newRow("IPv6 with port") << "ssh://[::1]:22/x"
                                    << "ssh://[::1]:22/x";
    QTest::newRow("port zero") << "ssh://host:0/x"
                               << "";
    QTest::newRow("port not a number") << "ssh://host:ab/x"
                                       << "";
    QTest::newRow("host like an option") << "ssh://-lroot/y"
                                         << "";
    QTest::newRow("empty user") << "ssh://@host/x"
                                << "";
    QTest::newRow("no host") << "ssh:///x"
                             << "";
    QTest::newRow("a local path") << "/home/me:/x"
                                  << "";
  }
  void addresses()
  {
    QFETCH(QString, text);
    QFETCH(QString, url);
    TRemoteAddress Address;
    std::string Problem;
    QCOMPARE(Address.Parse(text.toStdString(), Problem), !url.isEmpty());
    if (!url.isEmpty())
      QCOMPARE(QString::fromStdString(Address.Url()), url);
    else
      QVERIFY(!Problem.empty());
  }

  void remoteCommandQuotes()
  {
    // The folder reaches the other machine's scanner as one word, whatever
    // it holds.
    const std::string Path = "/a b/it's $(x) `y`";
    QTemporaryDir Bin;
    QFile Scanner(Bin.path() + "/spacelens");
    QVERIFY(Scanner.open(QIODevice::WriteOnly));
    Scanner.write("#!/bin/sh\nfor Last; do :; done; printf %s \"$Last\"\n");
    Scanner.setPermissions(Scanner.permissions() | QFile::ExeOwner);
    Scanner.close();
    QProcess Shell;
    Shell.setEnvironment({"PATH=" + Bin.path() + ":/usr/bin:/bin"});
    Shell.start("/bin/sh", {"-c", QString::fromStdString(TRemoteStream::RemoteCommand(Path))});
    QVERIFY(Shell.waitForFinished());
    QCOMPARE(Shell.readAllStandardOutput(), QByteArray::fromStdString(Path));
    QCOMPARE(Shell.exitCode(), 0);
  }

  // An export cut at any byte: read whole it is refused; read as it
  // arrives, what came stays and adds up, and the reason is told.
  void cutAtAnyByte()
  {
    TTestTree Tree;
    TRun Local;
    const QByteArray Whole = ExportOf(Tree, Local);
    QVERIFY(Whole.size() > 200);
    const auto Expected = Folders(Local.Driver.Roots()->FNode);
    const qsizetype End = Whole.lastIndexOf(']') + 1;
    for (qsizetype Cut = 0; Cut <= Whole.size(); Cut += Cut < 40 ? 1 : 3) {
      const QByteArray Part = Whole.left(Cut);
      TNcduImport Import("cut", Local.Driver.FSettings, 4096);
      Import.SetStream(std::make_unique<TPipeSource>(Part, false));
      QCOMPARE(Import.Run(), Cut >= End);

      TRun Run;
      TRoot* Root = Run.Driver.StartImport("cut", std::make_unique<TPipeSource>(Part, false), "machine:/cut");
      QVERIFY(Run.Finish());
      QByteArray Problem;
      QVERIFY2(AddsUp(Root->FNode, Problem), (Problem + " at " + Part.right(30)).constData());
      QCOMPARE(Root->FIncomplete.empty(), Cut >= End);
      if (Cut >= End)
        QCOMPARE(Folders(Root->FNode), Expected);
      else
        QVERIFY2(QByteArray::fromStdString(Root->FIncomplete).contains("(byte "), Root->FIncomplete.c_str());
    }
  }

  // A stream nobody writes to, a FIFO nobody opens: Stop ends the reading
  // at once, and the window's thread never waits on it.
  void stalledStreamStops()
  {
    QTemporaryDir Dir;
    const QByteArray Fifo = QFile::encodeName(Dir.path() + "/fifo");
    QVERIFY(mkfifo(Fifo.constData(), 0600) == 0);
    TRun Run;
    TRoot* Piped =
      Run.Driver.StartImport("held", std::make_unique<TPipeSource>("[1,2,{},[{\"name\":\"/x\"},", true), "machine:/x");
    TRoot* Waiting = Run.Driver.StartImport(Fifo.toStdString());
    QElapsedTimer Drained;
    for (int Ticks = 0; Ticks < 10; ++Ticks) {
      Drained.start();
      Run.Driver.Drain(std::chrono::steady_clock::now() + std::chrono::milliseconds(15));
      QVERIFY(Drained.elapsed() < 1000);
      QThread::msleep(10);
    }
    QVERIFY(Run.Driver.Scanning());
    Run.Driver.Stop(Piped);
    Run.Driver.Stop(Waiting);
    QVERIFY(Run.Finish(5000));
    QCOMPARE(Run.StoppedScans, 2);
    QCOMPARE(Piped->FNode->FState.Load(), fsStopped);
    QVERIFY(Piped->FIncomplete.empty());
    QCOMPARE(Piped->FNode->FObjects.Load(), 1u);
  }

  // A file's folders are read again from it; a stream's are what was kept.
  void filesOfAStream()
  {
    TTestTree Tree;
    TRun Local;
    const QByteArray Whole = ExportOf(Tree, Local);
    TRun Run;
    Run.Driver.FSettings.FShowFiles = true;
    TRoot* Root = Run.Driver.StartImport("piped", std::make_unique<TPipeSource>(Whole, false), "machine:/t");
    QVERIFY(Run.Finish());
    QVERIFY(Root->Imported() && !Root->Remote() && Root->FImportFile.empty());
    // "<Files>" entries come once the export is in.
    const TFolderNode* Entry = Root->FNode->Children().back();
    QVERIFY(Entry->FIsFiles);
    QCOMPARE(Entry->SizeBytes(), 4097u);
    QCOMPARE(QString::fromStdString(Root->FNode->FName), QString("machine:/t"));
    TFolderNode* A = nullptr;
    for (TFolderNode* Child : Root->FNode->Children())
      if (std::string(Child->FName) == "a")
        A = Child;
    QVERIFY(A);
    const TFolderFiles* Files = A->FFiles.load();
    QVERIFY(Files && Files->Count() == 2);
    // The details list lists them, once for each pattern they match, never
    // from a disk folder of the same path.
    std::vector<TListedFile> Listed;
    QCOMPARE(TFilesSource(A, Tree.Path("a"), {}).List({"f", "*"}, Listed), 0);
    QCOMPARE(Listed.size(), 3u);
    QCOMPARE(Listed[0].Name, std::string("f"));
    QCOMPARE(Listed[0].Size, 5000u);
    QCOMPARE(Listed[0].DiskBytes, 8192u);
    QVERIFY(Listed[0].LastWrite > 0);
  }

  // A file another program is still writing is read to the end it gets,
  // not to where it was when the reading began.
  void fileBeingWritten()
  {
    TTestTree Tree;
    TRun Local;
    const QByteArray Whole = ExportOf(Tree, Local);
    QTemporaryDir Dir;
    const QString Name = Dir.path() + "/growing.json";
    QFile Writer(Name);
    QVERIFY(Writer.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QVERIFY(Writer.write(Whole.left(Whole.size() / 2)) > 0);
    std::thread Rest([&Writer, &Whole] {
      QThread::msleep(300);
      Writer.write(Whole.mid(Whole.size() / 2));
      Writer.close();
    });
    TNcduImport Import(Name.toStdString(), Local.Driver.FSettings, 4096);
    const bool Read = Import.Run();
    Rest.join();
    QVERIFY2(Read, Import.Error().c_str());
    TRoot* Root = Import.TakeRoot();
    QCOMPARE(Folders(Root->FNode), Folders(Local.Driver.Roots()->FNode));
    TFolderNode::DeleteSubtree(Root->FNode);
    delete Root;
  }

  // A name's lone surrogate is found also where its entry spans two of
  // the reader's buffers.
  void surrogateAcrossBuffers()
  {
    // The reader takes a file 65,536 bytes at a time: the entry starts in
    // the first block, its escape is in the second.
    QByteArray Head = "[1,2,{},[{\"name\":\"/x\"},";
    for (int Entry = 0; Head.size() < 65440; ++Entry)
      Head += "{\"name\":\"a" + QByteArray::number(Entry) + "\",\"asize\":1},";
    const QByteArray Text = Head + "{\"name\":\"" + QByteArray(100, 'b') + "\\udc00\",\"asize\":1}]]";
    QTemporaryDir Dir;
    QFile File(Dir.path() + "/split.json");
    QVERIFY(File.open(QIODevice::WriteOnly) && File.write(Text) == Text.size());
    File.close();
    TNcduImport Import(File.fileName().toStdString(), TScanSettings(), 4096);
    QVERIFY(!Import.Run());
    QCOMPARE(
      QString::fromStdString(Import.Error()),
      File.fileName() + QString(" (byte %1): The surrogate pair in string is invalid.").arg(Head.size() + 9 + 100));
  }

  // Anything after an export from a pipe makes it no export.
  void trailingData()
  {
    TTestTree Tree;
    TRun Local;
    TNcduImport Import("piped", Local.Driver.FSettings, 4096);
    Import.SetStream(std::make_unique<TPipeSource>(ExportOf(Tree, Local) + "\n x", false));
    QVERIFY(!Import.Run());
    QVERIFY2(QByteArray::fromStdString(Import.Error()).contains("data after the end of the export"),
             Import.Error().c_str());
  }

  void remoteMatchesLocal()
  {
    TSshServer Server;
    if (!Server.Missing().isEmpty())
      QSKIP(Server.Missing().constData());
    Server.Has("spacelens");
    TTestTree Tree;
    TRun Local;
    // The other side counts with the volume's own clusters, and says so.
    Local.Driver.FUserClusterSize = 0;
    QVERIFY(!ExportOf(Tree, Local).isEmpty());
    TRun Run;
    TRoot* Root = Run.Remote(Server.Url(Tree.Top()));
    QVERIFY(Root && Run.Finish());
    QVERIFY2(Root->FIncomplete.empty(), Root->FIncomplete.c_str());
    QVERIFY(Root->Remote());
    QCOMPARE(Folders(Root->FNode), Folders(Local.Driver.Roots()->FNode));
    QCOMPARE(QString::fromStdString(Root->FNode->FName), QString::fromStdString("127.0.0.1:" + Tree.Top()));

    // Update reads it again into the same root.
    QCOMPARE(Run.Remote(Server.Url(Tree.Top())), Root);
    QVERIFY(Run.Finish());
    QCOMPARE(Folders(Root->FNode), Folders(Local.Driver.Roots()->FNode));
  }

  void remoteFailures_data()
  {
    QTest::addColumn<QByteArray>("scanner");  // the script that stands for spacelens; empty: none at all
    QTest::addColumn<QByteArray>("told");
    QTest::addColumn<qulonglong>("objects");  // what stays of the root
    QTest::newRow("no scanner") << QByteArray() << QByteArray("127.0.0.1 has none of spacelens, ncdu or gdu") << 0ull;
    // The connection goes midway: the server's session for it is killed.
    QTest::newRow("connection lost") << QByteArray(
      "printf '[1,2,{},[{\"name\":\"/x\"},{\"name\":\"f\",\"asize\":10},[{\"name\":\"d\"},"
      "{\"name\":\"g\",\"asize\":20}'; /bin/sleep 1; p=$$\n"
      "while [ \"$p\" -gt 1 ]; do read -r c </proc/$p/comm; [ \"$c\" = sshd ] && break;"
      " read -r x y z p r </proc/$p/stat; done; kill -9 $p; /bin/sleep 5\n")
                                     << QByteArray("the connection to 127.0.0.1 was lost") << 4ull;
    QTest::newRow("scanner fails") << QByteArray("echo 'no such folder: /x' >&2; exit 2\n")
                                   << QByteArray("no such folder: /x") << 0ull;
    // A scanner that met an unreadable folder still sends the rest whole.
    QTest::newRow("scanner complains") << QByteArray(
      "printf '[1,2,{},[{\"name\":\"/x\"},{\"name\":\"f\",\"asize\":10}]]'; echo 'cannot read /x/y' >&2;"
      " exit 1\n") << QByteArray() << 2ull;
  }
  void remoteFailures()
  {
    QFETCH(QByteArray, scanner);
    QFETCH(QByteArray, told);
    QFETCH(qulonglong, objects);
    TSshServer Server;
    if (!Server.Missing().isEmpty())
      QSKIP(Server.Missing().constData());
    if (scanner.isEmpty())
      Server.Lacks("spacelens");
    else
      Server.Has("spacelens", scanner);
    TRun Run;
    TRoot* Root = Run.Remote(Server.Url("/x"));
    QVERIFY(Root && Run.Finish());
    if (told.isEmpty())
      QVERIFY2(Root->FIncomplete.empty(), Root->FIncomplete.c_str());
    else
      QVERIFY2(QByteArray::fromStdString(Root->FIncomplete).contains(told), Root->FIncomplete.c_str());
    QCOMPARE(Root->FNode->FObjects.Load(), objects);
    QByteArray Sum;
    QVERIFY2(AddsUp(Root->FNode, Sum), Sum.constData());
  }

  void stopRemote_data()
  {
    QTest::addColumn<QByteArray>("scanner");  // the script standing for spacelens
    QTest::addColumn<QString>("running");     // what it runs as, till stopped
    QTest::addColumn<bool>("ends");           // whether it ends with the connection
    // The connection closes, and the scan on the other side ends with it.
    QTest::newRow("scanner ends") << QByteArray("printf '[1,2,{},[{\"name\":\"/x\"},'; exec /bin/sleep 3217\n")
                                  << "sleep 3217" << true;
    // Stop ends the reading here at once even when the other side goes on.
    QTest::newRow("scanner goes on") << QByteArray(
      "trap '' TERM HUP; printf '[1,2,{},[{\"name\":\"/x\"},'; exec /bin/sleep 3218\n")
                                     << "sleep 3218" << false;
  }
  void stopRemote()
  {
    QFETCH(QByteArray, scanner);
    QFETCH(QString, running);
    QFETCH(bool, ends);
    TSshServer Server;
    if (!Server.Missing().isEmpty())
      QSKIP(Server.Missing().constData());
    Server.Has("spacelens", scanner);
    const auto Gone = qScopeGuard([running] { QProcess::execute("pkill", {"-f", running}); });
    TRun Run;
    TRoot* Root = Run.Remote(Server.Url("/x"));
    QVERIFY(Root);
    QTRY_VERIFY(Running(running));
    Run.Driver.Stop(Root);
    QVERIFY(Run.Finish(5000));
    QCOMPARE(Run.StoppedScans, 1);
    if (ends)
      QTRY_VERIFY(!Running(running));
  }
};

QTEST_GUILESS_MAIN(TRemoteTest)
#include "tst_remote.moc"
