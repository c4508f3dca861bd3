// SPDX-License-Identifier: GPL-3.0-or-later
// Exports read as streams into roots that fill as they arrive, and folders
// read over SSH from a server of the test's own on 127.0.0.1.
#include "remote/AdminStream.h"
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
#include "tests/TreeFixture.h"

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

// A pipe holding Bytes (few enough for its buffer), then its end, or when
// Stall nothing more until it is finished.
class TPipeSource : public TStreamSource {
public:
  TPipeSource(const QByteArray& Bytes, bool Stall)
  {
    int Ends[2];
    QVERIFY(pipe2(Ends, O_CLOEXEC) == 0 && write(Ends[1], Bytes.constData(), size_t(Bytes.size())) == Bytes.size());
    FRead = Ends[0];
    FWrite = Ends[1];
    if (!Stall)
      close(std::exchange(FWrite, -1));
  }
  ~TPipeSource() override { Finish(true, 0); }
  int Fd() const override { return FRead; }
  std::string Finish(bool, uint64_t) override
  {
    for (int* End : {&FWrite, &FRead})
      if (*End >= 0)
        close(std::exchange(*End, -1));
    return {};
  }

private:
  int FRead = -1, FWrite = -1;
};

struct TRun : TScanListener {
  TRun()
  {
    Driver.FUserClusterSize = 4096;
    Driver.SetListener(this);
    // Files kept but not shown, as the window has them.
    Driver.FSettings.FFileKind = [](const char*, bool) -> uint8_t { return 0; };
    Driver.FSettings.FShowFiles = false;
  }
  void ScanFailed(int, const std::string&) override {}
  void ScanProgress(TRoot*) override {}
  void ScanDone(TRoot*, bool Stopped, const TScanCounts&) override { StoppedScans += Stopped; }
  // Starts reading a remote address's folder over SSH; null for a wrong address.
  TRoot* Remote(const std::string& Url)
  {
    TRemoteAddress Address;
    std::string Problem;
    if (!Address.Parse(Url, Problem))
      return nullptr;
    return Driver.StartImport(Address.Url(), std::make_unique<TRemoteStream>(Address, ""), Address.Name());
  }
  // Starts reading Folder as scanned by the administrator.
  TRoot* Admin(const std::string& Folder)
  {
    return Driver.StartImport(AdministratorSource + Folder, std::make_unique<TAdminStream>(Folder, SPACELENS_BINARY),
                              Folder);
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

// Whether each folder holds itself, its own kept files and its sub-folders:
// a tree read in part must add up all the same.
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

// Writes a file, a program when Program.
void Write(const QString& Name, const QByteArray& Text, bool Program = false)
{
  QFile File(Name);
  QVERIFY(File.open(QIODevice::WriteOnly) && File.write(Text) == Text.size());
  QVERIFY(!Program || File.setPermissions(File.permissions() | QFile::ExeOwner));
}

// An SSH server on 127.0.0.1 whose commands find only the test's own folder
// of programs: the test decides which scanners the "other machine" has.
class TSshServer {
public:
  TSshServer() { FMissing = Start(); }
  ~TSshServer()
  {
    FServer.terminate();
    FServer.waitForFinished(5000);
  }
  std::string Url(const std::string& Path) const { return "ssh://127.0.0.1:" + std::to_string(FPort) + Path; }
  // The other machine's spacelens is this program, or Script in its place.
  void Has(const QByteArray& Script = {})
  {
    Lacks();
    if (Script.isEmpty())
      QFile::link(SPACELENS_BINARY, FBin + "/spacelens");
    else
      Write(FBin + "/spacelens", "#!/bin/sh\n" + Script, true);
  }
  void Lacks() { QFile::remove(FBin + "/spacelens"); }
  QByteArray FMissing;  // why the server cannot be used; empty when it can

private:
  QByteArray Start()
  {
    if (!QFile::exists("/usr/sbin/sshd"))
      return "no SSH server here (openssh-server)";
    if (!QFile::exists(SPACELENS_BINARY))
      return "the program is not built beside the test";
    const QString Dir = FDir.path();
    const QByteArray Path = Dir.toUtf8();
    QDir().mkpath(FBin);
    QFile::link("/bin/sh", FBin + "/sh");
    // One key for the server and its user.
    if (QProcess::execute("ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", Dir + "/key"}) != 0)
      return "ssh-keygen failed";
    Write(Dir + "/remote.sh",
          "#!/bin/sh\nPATH=" + FBin.toUtf8() + "\nexport PATH\nexec /bin/sh -c \"$SSH_ORIGINAL_COMMAND\"\n", true);
    QTcpServer Probe;  // a free port
    if (!Probe.listen(QHostAddress::LocalHost))
      return "no free port";
    FPort = Probe.serverPort();
    Probe.close();
    Write(Dir + "/sshd_config", "Port " + QByteArray::number(FPort) + "\nListenAddress 127.0.0.1\nHostKey " + Path
                           + "/key\nPidFile " + Path + "/sshd.pid\nAuthorizedKeysFile " + Path
                           + "/key.pub\nStrictModes no\nUsePAM no\nPasswordAuthentication no\n"
                             "KbdInteractiveAuthentication no\nPermitRootLogin prohibit-password\nForceCommand "
                           + Path + "/remote.sh\nLogLevel ERROR\n");
    // The server's folder for privilege separation.
    if (getuid() == 0)
      QDir().mkpath("/run/sshd");
    FServer.start("/usr/sbin/sshd", {"-D", "-e", "-f", Dir + "/sshd_config"});
    bool Ready = FServer.waitForStarted(5000);
    for (int Tries = 0; Ready && Tries < 100; ++Tries) {
      QTcpSocket Socket;
      Socket.connectToHost(QHostAddress::LocalHost, FPort);
      if (Socket.waitForConnected(100)) {
        qputenv("SPACELENS_SSH", "ssh -F /dev/null -i " + Path
                                   + "/key -o UserKnownHostsFile=/dev/null -o StrictHostKeyChecking=no -o BatchMode=yes"
                                     " -o LogLevel=ERROR");
        return {};
      }
      QThread::msleep(50);
    }
    return "the SSH server did not start: " + FServer.readAllStandardError();
  }
  QTemporaryDir FDir;
  QString FBin = FDir.path() + "/bin";
  quint16 FPort = 0;
  QProcess FServer;
};

// Whether a process runs whose command line holds Text.
bool Running(const QString& Text)
{
  QProcess Search;
  Search.start("pgrep", {"-f", Text});
  return Search.waitForFinished() && Search.exitCode() == 0;
}

// A tree with files and sub-folders, scanned, and its export.
struct TExported {
  explicit TExported(uint32_t ClusterSize = 4096)
  {
    Local.Driver.FUserClusterSize = ClusterSize;
    QVERIFY(Local.Driver.StartScan(Tree.Top()) && Local.Finish());
    char* Text = nullptr;
    size_t Size = 0;
    std::FILE* File = open_memstream(&Text, &Size);
    TNcduExport::Write(File, Local.Driver.Roots()->FNode, Local.Driver.FSettings, "test");
    std::fclose(File);
    Whole = QByteArray(Text, qsizetype(Size));
    free(Text);
  }
  std::map<std::string, TTotals> Expected() const { return Folders(Local.Driver.Roots()->FNode); }
  TTestTree Tree{"a", "a/b", "c", "a/b/big:100000", "a/f:5000", "a/h:300", "c/g:1", "top:4097"};
  TRun Local;
  QByteArray Whole;
};

}  // namespace

class TRemoteTest : public QObject {
  Q_OBJECT

private slots:
  void addresses_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");  // empty: refused
    QTest::newRow("user and port") << QString("ssh://me@host:2222/srv/") << QString("ssh://me@host:2222/srv");
    QTest::newRow("no path") << QString("ssh://host") << QString("ssh://host/");
    QTest::newRow("scp form") << QString("me@host:/var/log") << QString("ssh://me@host/var/log");
    QTest::newRow("IPv6 with port") << QString("ssh://[::1]:22/x") << QString("ssh://[::1]:22/x");
    QTest::newRow("port zero") << QString("ssh://host:0/x") << QString();
    QTest::newRow("host like an option") << QString("ssh://-lroot/y") << QString();
    QTest::newRow("empty user") << QString("ssh://@host/x") << QString();
    QTest::newRow("a local path") << QString("/home/me:/x") << QString();
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

  // The folder reaches the other machine's scanner as one word, whatever it holds.
  void remoteCommandQuotes()
  {
    const std::string Path = "/a b/it's $(x) `y`";
    QTemporaryDir Bin;
    Write(Bin.path() + "/spacelens", "#!/bin/sh\nfor Last; do :; done; printf %s \"$Last\"\n", true);
    QProcess Shell;
    // Only the shell and the stand-ins: a scanner installed on this machine
    // is not met.
    QVERIFY(QFile::link("/bin/sh", Bin.path() + "/sh"));
    Shell.setEnvironment({"PATH=" + Bin.path()});
    Shell.start("/bin/sh", {"-c", QString::fromStdString(TRemoteStream::RemoteCommand(Path))});
    QVERIFY(Shell.waitForFinished());
    QCOMPARE(Shell.readAllStandardOutput(), QByteArray::fromStdString(Path));
    QCOMPARE(Shell.exitCode(), 0);
    // ncdu exports the times of change, which the age filters need.
    QFile::remove(Bin.path() + "/spacelens");
    Write(Bin.path() + "/ncdu", "#!/bin/sh\nprintf '%s|' \"$@\"\n", true);
    Shell.start("/bin/sh", {"-c", QString::fromStdString(TRemoteStream::RemoteCommand(Path))});
    QVERIFY(Shell.waitForFinished());
    QCOMPARE(Shell.readAllStandardOutput(), "-o-|-x|-e|" + QByteArray::fromStdString(Path) + "|");
  }

  // An export cut at any byte: read whole it is refused; read as it
  // arrives, what came stays and adds up, and the reason is told. Anything
  // after its end makes it no export.
  void cutAtAnyByte()
  {
    const TExported Export;
    QVERIFY(Export.Whole.size() > 200);
    const qsizetype End = Export.Whole.lastIndexOf(']') + 1;
    for (qsizetype Cut = 0; Cut <= Export.Whole.size(); Cut += Cut < 40 ? 1 : 3) {
      const QByteArray Part = Export.Whole.left(Cut);
      TNcduImport Import("cut", Export.Local.Driver.FSettings, 4096);
      Import.SetStream(std::make_unique<TPipeSource>(Part, false));
      QCOMPARE(Import.Run(), Cut >= End);

      TRun Run;
      TRoot* Root = Run.Driver.StartImport("cut", std::make_unique<TPipeSource>(Part, false), "machine:/cut");
      QVERIFY(Run.Finish());
      QByteArray Problem;
      QVERIFY2(AddsUp(Root->FNode, Problem), (Problem + " at " + Part.right(30)).constData());
      QCOMPARE(Root->FIncomplete.empty(), Cut >= End);
      if (Cut >= End)
        QCOMPARE(Folders(Root->FNode), Export.Expected());
      else
        QVERIFY2(QByteArray::fromStdString(Root->FIncomplete).contains("(byte "), Root->FIncomplete.c_str());
    }
    TNcduImport Import("piped", Export.Local.Driver.FSettings, 4096);
    Import.SetStream(std::make_unique<TPipeSource>(Export.Whole + "\n x", false));
    QVERIFY(!Import.Run());
    QVERIFY2(QByteArray::fromStdString(Import.Error()).contains("data after the end of the export"),
             Import.Error().c_str());
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
    QCOMPARE(Piped->FNode->FState.Load(), ssStopped);
    QVERIFY(Piped->FIncomplete.empty());
    QCOMPARE(Piped->FNode->FObjects.Load(), 1u);
  }

  // A stream's files are what was kept of it, listed once for each pattern
  // they match, never read from a disk folder of the same path.
  void filesOfAStream()
  {
    const TExported Export;
    TRun Run;
    Run.Driver.FSettings.FShowFiles = true;
    TRoot* Root = Run.Driver.StartImport("piped", std::make_unique<TPipeSource>(Export.Whole, false), "machine:/t");
    QVERIFY(Run.Finish());
    QVERIFY(Root->Imported() && !Root->Remote() && Root->FImportFile.empty());
    // "<Files>" entries come once the export is in.
    const TFolderNode* Entry = Root->FNode->Children().back();
    QVERIFY(Entry->FIsFiles);
    QCOMPARE(Entry->SizeBytes(), 4097u);
    const TFolderNode* A = Child(Root->FNode, "a");
    QVERIFY(A && A->FFiles.load() && A->FFiles.load()->Count() == 2);
    std::vector<TListedFile> Listed;
    QCOMPARE(TFilesSource(A, Export.Tree.Path("a"), {}).List({"f", "*"}, Listed), 0);
    QCOMPARE(Listed.size(), 3u);
    QCOMPARE(std::tuple(Listed[0].Name, Listed[0].Size, Listed[0].DiskBytes),
             std::tuple(std::string("f"), 5000u, 8192u));
    QVERIFY(Listed[0].LastWrite > 0);
  }

  // A file another program is still writing is read to the end it gets,
  // not to where it was when the reading began.
  void fileBeingWritten()
  {
    const TExported Export;
    const QByteArray& Whole = Export.Whole;
    QTemporaryDir Dir;
    QFile Writer(Dir.path() + "/growing.json");
    QVERIFY(Writer.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QVERIFY(Writer.write(Whole.left(Whole.size() / 2)) > 0);
    std::thread Rest([&Writer, &Whole] {
      QThread::msleep(300);
      Writer.write(Whole.mid(Whole.size() / 2));
      Writer.close();
    });
    TNcduImport Import(Writer.fileName().toStdString(), Export.Local.Driver.FSettings, 4096);
    const bool Read = Import.Run();
    Rest.join();
    QVERIFY2(Read, Import.Error().c_str());
    TRoot* Root = Import.TakeRoot();
    QCOMPARE(Folders(Root->FNode), Export.Expected());
    TFolderNode::DeleteSubtree(Root->FNode);
    delete Root;
  }

  // A name's lone surrogate is found also where its entry spans two of the
  // reader's 65,536-byte blocks: it starts in the first, its escape is in
  // the second.
  void surrogateAcrossBuffers()
  {
    QByteArray Head = "[1,2,{},[{\"name\":\"/x\"},";
    for (int Entry = 0; Head.size() < 65440; ++Entry)
      Head += "{\"name\":\"a" + QByteArray::number(Entry) + "\",\"asize\":1},";
    const QByteArray Text = Head + "{\"name\":\"" + QByteArray(100, 'b') + "\\udc00\",\"asize\":1}]]";
    QTemporaryDir Dir;
    const QString Name = Dir.path() + "/split.json";
    Write(Name, Text);
    TNcduImport Import(Name.toStdString(), TScanSettings(), 4096);
    QVERIFY(!Import.Run());
    QCOMPARE(QString::fromStdString(Import.Error()),
             Name + QString(" (byte %1): The surrogate pair in string is invalid.").arg(Head.size() + 9 + 100));
  }

  // Read over SSH as here, the other side counting with the volume's own
  // clusters; Update reads it again into the same root.
  void remoteMatchesLocal()
  {
    TSshServer Ssh;
    if (!Ssh.FMissing.isEmpty())
      QSKIP(Ssh.FMissing.constData());
    Ssh.Has();
    const TExported Export(0);
    TRun Run;
    TRoot* Root = Run.Remote(Ssh.Url(Export.Tree.Top()));
    QVERIFY(Root && Run.Finish());
    QVERIFY2(Root->FIncomplete.empty(), Root->FIncomplete.c_str());
    QVERIFY(Root->Remote());
    QCOMPARE(Folders(Root->FNode), Export.Expected());
    QCOMPARE(QString::fromStdString(Root->FNode->FName), QString::fromStdString("127.0.0.1:" + Export.Tree.Top()));
    QCOMPARE(Run.Remote(Ssh.Url(Export.Tree.Top())), Root);
    QVERIFY(Run.Finish());
    QCOMPARE(Folders(Root->FNode), Export.Expected());
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
    // As ncdu does with a folder it cannot find: nothing sent, its words
    // the only sign.
    QTest::newRow("scanner sends nothing")
      << QByteArray("echo 'Error obtaining full path: No such file or directory.' >&2; exit 0\n")
      << QByteArray("Error obtaining full path: No such file or directory.") << 0ull;
    // Nothing sent and nothing said: that is the reason.
    QTest::newRow("scanner silent") << QByteArray("exit 0\n") << QByteArray("ended well but sent nothing") << 0ull;
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
    TSshServer Ssh;
    if (!Ssh.FMissing.isEmpty())
      QSKIP(Ssh.FMissing.constData());
    scanner.isEmpty() ? Ssh.Lacks() : Ssh.Has(scanner);
    TRun Run;
    TRoot* Root = Run.Remote(Ssh.Url("/x"));
    QVERIFY(Root && Run.Finish());
    if (told.isEmpty())
      QVERIFY2(Root->FIncomplete.empty(), Root->FIncomplete.c_str());
    else
      QVERIFY2(QByteArray::fromStdString(Root->FIncomplete).contains(told), Root->FIncomplete.c_str());
    QCOMPARE(Root->FNode->FObjects.Load(), objects);
    QByteArray Sum;
    QVERIFY2(AddsUp(Root->FNode, Sum), Sum.constData());
  }

  // Without a terminal SSH may not ask (a password, a new host's key): it
  // fails at once, and the reason says how to answer once and for all.
  void sshThatWouldAsk()
  {
    if (const int Terminal = open("/dev/tty", O_RDWR | O_NOCTTY); Terminal >= 0) {
      close(Terminal);
      QSKIP("run on a terminal, SSH would ask there");
    }
    QTemporaryDir Bin;
    Write(Bin.path() + "/ssh",
          "#!/bin/sh\ncase \"$*\" in *BatchMode=yes*) echo 'Host key verification failed.' >&2; exit 255;; esac\n"
          "exec sleep 30\n",
          true);
    qputenv("SPACELENS_SSH", (Bin.path() + "/ssh").toLocal8Bit());
    const auto Usual = qScopeGuard([] { qunsetenv("SPACELENS_SSH"); });
    TRun Run;
    TRoot* Root = Run.Remote("ssh://web1/srv");
    QVERIFY(Root && Run.Finish(10000));
    QVERIFY2(QByteArray::fromStdString(Root->FIncomplete).contains("Host key verification failed. (without a terminal")
               && QByteArray::fromStdString(Root->FIncomplete).contains("run ssh web1 once on a terminal"),
             Root->FIncomplete.c_str());
  }

  // Stop ends the reading here at once, and the scan on the other side
  // ends with the connection unless it ignores the signals.
  void stopRemote_data()
  {
    QTest::addColumn<bool>("ends");
    QTest::newRow("scanner ends") << true;
    QTest::newRow("scanner goes on") << false;
  }
  void stopRemote()
  {
    QFETCH(bool, ends);
    TSshServer Ssh;
    if (!Ssh.FMissing.isEmpty())
      QSKIP(Ssh.FMissing.constData());
    const QString Sleep = ends ? "sleep 3217" : "sleep 3218";
    Ssh.Has(QByteArray(ends ? "" : "trap '' TERM HUP; ") + "printf '[1,2,{},[{\"name\":\"/x\"},'; exec /bin/"
            + Sleep.toUtf8() + "\n");
    const auto Gone = qScopeGuard([Sleep] { QProcess::execute("pkill", {"-f", Sleep}); });
    TRun Run;
    TRoot* Root = Run.Remote(Ssh.Url("/x"));
    QVERIFY(Root);
    QTRY_VERIFY(Running(Sleep));
    Run.Driver.Stop(Root);
    QVERIFY(Run.Finish(5000));
    QCOMPARE(Run.StoppedScans, 1);
    if (ends)
      QTRY_VERIFY(!Running(Sleep));
  }

  // The scan as the administrator runs this program's headless scan of the
  // folder through pkexec (here a stand-in that records its arguments and
  // runs them as this user): the exact arguments, whatever the folder's
  // name, and no shell anywhere.
  void administratorScan_data()
  {
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "disk images";
    QTest::newRow("an option's name") << "--export=x";
    QTest::newRow("a shell's words") << "a;touch PWNED $(touch PWNED) `touch PWNED` '\"";
  }
  void administratorScan()
  {
    QFETCH(QString, name);
    QTemporaryDir Bin;
    Write(Bin.path() + "/pkexec", "#!/bin/sh\nprintf '%s\\0' \"$@\" >\"$0.args\"\nexec \"$@\"\n", true);
    qputenv("SPACELENS_PKEXEC", (Bin.path() + "/pkexec").toLocal8Bit());
    const auto Usual = qScopeGuard([] { qunsetenv("SPACELENS_PKEXEC"); });
    TTestTree Tree;
    Tree.Folder(name.toStdString());
    Tree.Folder(name.toStdString() + "/sub");
    const std::string Folder = Tree.Path(name.toStdString());
    Tree.File(name.toStdString() + "/image", 5000);
    Tree.File(name.toStdString() + "/sub/note", 10);
    TRun Run;
    TRoot* Root = Run.Admin(Folder);
    QVERIFY(Root && Run.Finish());
    QVERIFY2(Root->FIncomplete.empty(), Root->FIncomplete.c_str());
    QVERIFY(Root->AsAdministrator() && Root->Imported() && !Root->Remote());
    QCOMPARE(Root->FNode->FullPath(), Folder + "/");
    QCOMPARE(Root->FNode->SizeBytes(), 5010u);
    QCOMPARE(Root->FNode->FObjects.Load(), 4u);
    QFile Recorded(Bin.path() + "/pkexec.args");
    QVERIFY(Recorded.open(QIODevice::ReadOnly));
    QCOMPARE(Recorded.readAll().split('\0'),
             (QList<QByteArray>{SPACELENS_BINARY, "--nogui", "--no-history", "--export-ncdu", "-", "--",
                                QByteArray::fromStdString(Folder), ""}));
    QVERIFY(!QFile::exists("PWNED") && !QFile::exists(QString::fromStdString(Tree.Path("PWNED"))));
  }

  // What pkexec says when it did not run the scan is the reason told, with
  // what to do about it.
  void administratorRefused_data()
  {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("told");
    QTest::newRow("password not given")
      << QByteArray(
           "echo 'warning: one' >&2; echo 'warning: two' >&2; "
           "echo 'Error executing command as another user: Not authorized' >&2; exit 126")
      << QByteArray(
           "the administrator's password was not given: Error executing command as another user: Not "
           "authorized");
    QTest::newRow("no agent") << QByteArray(
      "echo 'Error executing command as another user: No authentication agent found.' >&2; exit 127")
                              << QByteArray(
                                   "No authentication agent found. (a desktop's authentication agent asks "
                                   "for the password: log in to a desktop session)");
    QTest::newRow("folder gone") << QByteArray("exec \"$@\"") << QByteArray("Cannot find Folder: ");
    QTest::newRow("no pkexec") << QByteArray() << QByteArray("install the pkexec package");
  }
  void administratorRefused()
  {
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, told);
    QTemporaryDir Bin;
    if (!script.isEmpty())
      Write(Bin.path() + "/pkexec", "#!/bin/sh\n" + script + "\n", true);
    qputenv("SPACELENS_PKEXEC", (Bin.path() + "/pkexec").toLocal8Bit());
    const auto Usual = qScopeGuard([] { qunsetenv("SPACELENS_PKEXEC"); });
    TRun Run;
    TRoot* Root = Run.Admin(Bin.path().toStdString() + "/gone");
    QVERIFY(Root && Run.Finish());
    QVERIFY2(QByteArray::fromStdString(Root->FIncomplete).contains(told), Root->FIncomplete.c_str());
    // The last line said is the reason; warnings before it are not told.
    QVERIFY2(!QByteArray::fromStdString(Root->FIncomplete).contains("warning"), Root->FIncomplete.c_str());
    QCOMPARE(Root->FNode->FObjects.Load(), 0u);
  }

  // Stop ends the scan as the administrator: pkexec still asking for the
  // password by a signal, the scan running as root, which may not be
  // signalled, by closing its output (the stand-in ignores the signals, as
  // a process of root's would be out of reach).
  void administratorStopped_data()
  {
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("asking") << QByteArray("sleep 20\n");
    QTest::newRow("beyond reach") << QByteArray(
      "trap '' TERM HUP INT\nprintf '[1,2,{},[{\"name\":\"/x\"},'\nwhile printf ' '; do sleep 0.05; done\n");
  }
  void administratorStopped()
  {
    QFETCH(QByteArray, script);
    QTemporaryDir Bin;
    Write(Bin.path() + "/pkexec", "#!/bin/sh\n" + script, true);
    qputenv("SPACELENS_PKEXEC", (Bin.path() + "/pkexec").toLocal8Bit());
    const auto Usual = qScopeGuard([] { qunsetenv("SPACELENS_PKEXEC"); });
    TRun Run;
    TRoot* Root = Run.Admin("/x");
    QVERIFY(Root);
    QTRY_VERIFY(Running(Bin.path()));
    Run.Driver.Stop(Root);
    QVERIFY(Run.Finish(5000));
    QCOMPARE(Run.StoppedScans, 1);
    QVERIFY(!Running(Bin.path()));
  }
};

QTEST_GUILESS_MAIN(TRemoteTest)
#include "tst_remote.moc"
