// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeadlessScan.h"
#include "app/TerminalProgress.h"
#include "history/HistoryStore.h"
#include "scan/FolderData.h"
#include "scan/FolderSnapshot.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <set>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <zstd.h>

extern char** environ;

namespace {

using TArgs = QList<QByteArray>;

struct TResult {
  int Status;
  QByteArray Out;
  QByteArray Err;
};

QByteArray Read(const QByteArray& Path)
{
  QFile File(QString::fromLocal8Bit(Path));
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

[[nodiscard]] bool Write(const QByteArray& Path, const QByteArray& Text)
{
  QFile File(QString::fromLocal8Bit(Path));
  return File.open(QIODevice::WriteOnly) && File.write(Text) == Text.size();
}

// Runs a program with byte arguments (folder names need not be UTF-8), its
// output caught in files (standard output in Output when given).
TResult Spacelens(const TArgs& Arguments, const QByteArray& Program = SPACELENS_BINARY, const char* Output = nullptr)
{
  QTemporaryDir Outputs;
  const QByteArray Out = Outputs.filePath("out").toLocal8Bit();
  const QByteArray Err = Outputs.filePath("err").toLocal8Bit();
  std::vector<char*> Argv{const_cast<char*>(Program.constData())};
  for (const QByteArray& Argument : Arguments)
    Argv.push_back(const_cast<char*>(Argument.constData()));
  Argv.push_back(nullptr);
  const pid_t Child = fork();
  if (Child == 0) {
    dup2(open(Output ? Output : Out.constData(), O_CREAT | O_WRONLY, 0644), 1);
    dup2(open(Err.constData(), O_CREAT | O_WRONLY, 0644), 2);
    execvp(Argv[0], Argv.data());
    _exit(127);
  }
  int Status = 0;
  waitpid(Child, &Status, 0);
  return {WIFEXITED(Status) ? WEXITSTATUS(Status) : -1, Read(Out), Read(Err)};
}

// Runs the rest as the user nobody, through setpriv.
const TArgs AsNobody{"--reuid=65534", "--regid=65534", "--clear-groups", SPACELENS_BINARY};

QByteArray Bytes(const std::string& Text)
{
  return QByteArray::fromStdString(Text);
}

// What a run that should end with Status, having told Problem, did instead;
// empty when it did so.
QByteArray Unlike(const TResult& Run, int Status, const QByteArray& Problem)
{
  return Run.Status == Status && Run.Err.contains(Problem)
    ? QByteArray()
    : "status " + QByteArray::number(Run.Status) + ": " + Run.Err;
}

// Makes the folders, then the files of the given sizes, of a tree.
void Fill(const TTestTree& Tree, std::initializer_list<const char*> Folders,
          std::initializer_list<std::pair<const char*, off_t>> Files = {})
{
  for (const char* Folder : Folders)
    Tree.Folder(Folder);
  for (const auto& [Name, Size] : Files)
    Tree.File(Name, Size);
}

// The fields of the CSV row of Path; none when the table has no such row.
QList<QByteArray> Row(const QByteArray& Csv, const QByteArray& Path)
{
  for (const QByteArray& Line : Csv.split('\n'))
    if (Line.startsWith(Path + ","))
      return Line.split(',');
  return {};
}

// A tree with what an exchanged scan must carry: folders in folders, a file
// with two names, a sparse file, an empty one, names that are not UTF-8
// unless Plain, and a link to a folder when Links.
void ExchangeTree(TTestTree& Tree, bool Links, bool Plain = false)
{
  Fill(Tree, {"a", "a/deep", "b", Plain ? "c" : "\xfa\xfb"},
       {{"a/deep/g", 100}, {"b/empty", 0}, {Plain ? "c/x.bin" : "\xfa\xfb/\xff.bin", 9000}});
  Tree.File("a/f", 5000, 1577934245, 1609470245);
  QVERIFY(link(Tree.Path("a/f").c_str(), Tree.Path("b/f-too").c_str()) == 0);
  Tree.Sparse("b/sparse", 1 << 20);
  if (Links)
    Tree.Link("to-a", "a");
}

// The CSV table without its access times, which an export does not keep,
// and without the times of changes unless Changes (ncdu keeps none); its
// rows sorted, as a program writing the file may order folders its way.
QList<QByteArray> Table(const QByteArray& Csv, bool Changes = true)
{
  QList<QByteArray> Rows;
  for (const QByteArray& Line : Csv.split('\n')) {
    QList<QByteArray> Fields = Line.split(',');
    if (Fields.size() > 10)
      Fields.remove(9, Changes ? 1 : 2);
    Rows << Fields.join(',');
  }
  std::sort(Rows.begin() + 1, Rows.end());
  return Rows;
}

// A file as find sees it, below Top, with what it takes in 4 KiB clusters.
struct TFound {
  QByteArray Path;
  qulonglong Size, Allocated;
  double Write;
  QByteArray Inode;
};
std::vector<TFound> Find(const std::string& Top)
{
  QProcess Find;
  Find.start("find", {QString::fromStdString(Top), "-type", "f", "-printf", "%P\t%s\t%b\t%T@\t%i\n"});
  Find.waitForFinished();
  std::vector<TFound> Found;
  for (const QByteArray& Line : Find.readAllStandardOutput().split('\n'))
    if (const QList<QByteArray> Fields = Line.split('\t'); Fields.size() == 5) {
      const qulonglong Size = Fields[1].toULongLong();
      const qulonglong Clusters = std::min((Size + 4095) / 4096, (Fields[2].toULongLong() * 512 + 4095) / 4096);
      Found.push_back({Fields[0], Size, Clusters * 4096, Fields[3].toDouble(), Fields[4]});
    }
  return Found;
}

}  // namespace

class THeadlessTest : public QObject {
  Q_OBJECT

private slots:
  // Scans remember themselves in the temporary home, never the user's.
  void initTestCase() { FHome = std::make_unique<TTestHome>(); }

  void knownTreeAsCsv()
  {
    TTestTree Tree;
    Tree.File("a.txt", 100, 1577934245, 1609470245);  // 2020-01-02T03:04:05Z, 2021-01-01T03:04:05Z
    Fill(Tree, {"sub", "sub/we,ird \"name\"", "sub/car\rriage"});
    Tree.File("sub/b.bin", 5000, 1546300800, 1640995200);  // 2019-01-01, 2022-01-01
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Run = Spacelens({"--nogui", "--cluster-size", "4096", "--export", "-", Top});
    QCOMPARE(Run.Status, 0);
    QCOMPARE(Run.Err, QByteArray());
    QCOMPARE(Run.Out.split('\n'),
             (TArgs{"path,clusters,tail_bytes,objects,own_files,size_bytes,allocated_bytes,error_code,incomplete,"
                    "last_access,last_write,hole_clusters",
                    Top + "/,7,1004,6,1,5100,28672,0,0,2020-01-02T03:04:05Z,2022-01-01T00:00:00Z,0",
                    Top + "/sub/,5,904,4,1,5000,20480,0,0,2019-01-01T00:00:00Z,2022-01-01T00:00:00Z,0",
                    "\"" + Top + "/sub/car\rriage/\",1,0,1,0,0,4096,0,0,,,0",
                    "\"" + Top + "/sub/we,ird \"\"name\"\"/\",1,0,1,0,0,4096,0,0,,,0", ""}));
  }

  // Rows depth-first, sub-folders by their names' bytes, whatever order
  // the disk lists them in: the same tree, the same table.
  void rowOrder()
  {
    TTestTree Tree;
    Fill(Tree, {"b", "a", "C", "caf\xe9", "a/z", "a/y", "b/x", "a/y/deep", "_"});
    const TResult Run = Spacelens({"--nogui", "--export", "-", Bytes(Tree.Top())});
    QCOMPARE(Run.Status, 0);
    QList<QByteArray> Paths;
    for (const QByteArray& Line : Run.Out.trimmed().split('\n').mid(1))
      Paths << Line.left(Line.lastIndexOf("/,") + 1).mid(Bytes(Tree.Top()).size());
    QCOMPARE(Paths, (TArgs{"/", "/C/", "/_/", "/a/", "/a/y/", "/a/y/deep/", "/a/z/", "/b/", "/b/x/", "/caf\xe9/"}));
  }

  // A missing folder is told once, the others scanned; a folder given twice,
  // with and without its slash, once; its name need not be UTF-8.
  void foldersGiven()
  {
    TTestTree Tree;
    Fill(Tree, {"caf\xe9", "caf\xe9/x"});
    const QByteArray Missing = Bytes(Tree.Path("missing")), Folder = Bytes(Tree.Path("caf\xe9"));
    const TResult Run = Spacelens({"/NOGUI", "/none", Missing, "--export", "-", Folder, Folder + "/"});
    QCOMPARE(Run.Status, 1);
    QCOMPARE(Run.Err, "Cannot find Folder: " + Missing + "\n");
    QCOMPARE(Run.Out.count('\n'), 3);  // header, the folder and the one in it
    QVERIFY(Run.Out.contains(Folder + "/,"));
    const TResult Quiet = Spacelens({"--quiet", "--nogui", "--no-history", Missing, Folder});
    QCOMPARE(Quiet.Status, 1);
    QCOMPARE(Quiet.Err, QByteArray());
  }

  // "locked" holds the folder "inner" and the file "f", and may be listed but
  // not entered: its file is missed, and says so; "inner" cannot be opened.
  void unreadableFolderReported()
  {
    // Permission bits deny root nothing, so as root the check runs as nobody.
    const bool Root = geteuid() == 0;
    if (Root && QStandardPaths::findExecutable("setpriv").isEmpty())
      QSKIP("setpriv is needed to scan as an unprivileged user");
    TTestTree Tree;
    Fill(Tree, {"locked", "locked/inner"}, {{"locked/f", 100}});
    QVERIFY(chmod(Tree.Top().c_str(), 0755) == 0);
    QVERIFY(chmod(Tree.Path("locked").c_str(), 0444) == 0);
    // Nobody may not write the test's home, where the scan would be remembered.
    TArgs Arguments{"--nogui", "--no-history", "--cluster-size", "4096", "--export", "-", Bytes(Tree.Top())};
    if (Root)
      Arguments = AsNobody + Arguments;
    const TResult Run = Root ? Spacelens(Arguments, "setpriv") : Spacelens(Arguments);
    // A folder given that cannot be reached is told with the reason.
    Arguments.back() = Bytes(Tree.Path("locked/inner"));
    const TResult Given = Root ? Spacelens(Arguments, "setpriv") : Spacelens(Arguments);
    chmod(Tree.Path("locked").c_str(), 0755);
    QCOMPARE(Given.Status, 1);
    QCOMPARE(Given.Err, "Path " + Arguments.back() + ": Permission denied\n");
    // Incomplete: as du says it.
    QCOMPARE(Run.Status, 1);
    const QByteArray Top = Bytes(Tree.Top());
    QCOMPARE(Run.Err,
             "Path " + Top + "/locked/: Permission denied\nPath " + Top + "/locked/inner/: Permission denied\n");
    QVERIFY(Run.Out.contains(Top + "/locked/,2,0,2,0,0,8192,13,1,,,0\n"));
    QVERIFY(Run.Out.contains(Top + "/locked/inner/,1,0,1,-1,0,4096,13,0,,,0\n"));
    QCOMPARE(Run.Out.count("inner"), 1);
    // Holding a folder that could not be read, the top's figures are a lower bound.
    QCOMPARE(Row(Run.Out, Top + "/").value(8), QByteArray("1"));
  }

  void ncduRoundTrip_data()
  {
    QTest::addColumn<int>("depth");  // of a chain of folders below "a/deep", a file each
    QTest::newRow("shallow") << 0;
    // Names of one file far apart in depth: counts gathered on the way up.
    QTest::newRow("deep") << 150;
  }
  void ncduRoundTrip()
  {
    QFETCH(int, depth);
    TTestTree Tree;
    ExchangeTree(Tree, true);
    std::string Chain = "a/deep";
    for (int Level = 1; Level <= depth; ++Level) {
      Chain += "/n";
      Tree.Folder(Chain);
      Tree.File(Chain + "/g", 100 * Level);
      if (Level == 70)
        QVERIFY(link(Tree.Path(Chain + "/g").c_str(), Tree.Path("b/from-70").c_str()) == 0);
    }
    if (depth > 0)
      QVERIFY(link(Tree.Path("a/f").c_str(), Tree.Path(Chain + "/f-at-the-bottom").c_str()) == 0);
    QTemporaryDir Files;
    const QByteArray Json = Files.filePath("scan.json").toLocal8Bit();
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Scan = Spacelens({"--nogui", "--cluster-size", "4096", "--export", "-", Top});
    QCOMPARE(Spacelens({"--nogui", "--cluster-size", "4096", "--export-ncdu", Json, Top}).Status, 0);
    // Read back, counted with the cluster size it was written with.
    const TResult Import = Spacelens({"--nogui", "--import", Json, "--export", "-"});
    QCOMPARE(Import.Err, QByteArray());
    QCOMPARE(Import.Status, 0);
    QCOMPARE(Table(Import.Out), Table(Scan.Out));
    QCOMPARE(Scan.Out.count('\n'), 7 + depth);
    if (depth == 0) {
      QVERIFY(Scan.Out.contains(Top + "/\xfa\xfb/,4,808,2,1,9000,16384,"));
      // Each name counts once, the sparse file by its blocks.
      QVERIFY(Scan.Out.contains(Top + "/,268,5908,10,0,1062676,49152,"));
      return;
    }
    // Each file once: the chain's folders and files, a/f and the file at
    // level 70 counted once beside their other names.
    const int Sum = 100 * depth * (depth + 1) / 2;
    QCOMPARE(Row(Scan.Out, Top + "/").value(3), QByteArray::number(10 + 2 * depth));
    QCOMPARE(Row(Scan.Out, Top + "/").value(5), QByteArray::number(1062676 + Sum));
    QCOMPARE(Row(Scan.Out, Top + "/b/").value(5), QByteArray::number(5000 + (1 << 20) + 7000));
    QCOMPARE(Row(Scan.Out, Top + "/a/").value(5), QByteArray::number(5000 + 100 + Sum));
  }

  void ncduPeers_data()
  {
    QTest::addColumn<QByteArray>("peer");
    QTest::addColumn<bool>("peerWrites");  // else it reads what Spacelens wrote
    QTest::newRow("ncdu reads") << QByteArray("ncdu") << false;
    QTest::newRow("ncdu writes") << QByteArray("ncdu") << true;
    QTest::newRow("gdu writes") << QByteArray("gdu") << true;
  }
  void ncduPeers()
  {
    QFETCH(QByteArray, peer);
    QFETCH(bool, peerWrites);
    if (QStandardPaths::findExecutable(peer).isEmpty())
      QSKIP("not installed");
    TTestTree Tree;
    // gdu writes names that are not UTF-8 as replacement characters.
    ExchangeTree(Tree, false, peer == "gdu" && peerWrites);
    QTemporaryDir Files;
    const QByteArray Ours = Files.filePath("ours.json").toLocal8Bit(),
                     Theirs = Files.filePath("theirs.json").toLocal8Bit();
    const QByteArray Top = Bytes(Tree.Top());
    const TArgs Quiet = peer == "gdu" ? TArgs{"-n", "-p"} : TArgs{};
    if (peerWrites) {
      // Its own scan, read as a scan of the same tree would count it. gdu
      // marks only the later names of a file as such: each name counts.
      QCOMPARE(Spacelens(Quiet + TArgs{"-o", Theirs, Top}, peer).Status, 0);
      const TArgs Options{
        "--nogui", "--cluster-size", "4096", "--hard-links", peer == "gdu" ? "each" : "once", "--export", "-"};
      const TResult Import = Spacelens(Options + TArgs{"--import", Theirs});
      QCOMPARE(Import.Err, QByteArray());
      QCOMPARE(Table(Import.Out, false), Table(Spacelens(Options + TArgs{Top}).Out, false));
      return;
    }
    // It reads the file and writes back what its own scan writes.
    QCOMPARE(Spacelens({"--nogui", "--export-ncdu", Ours, Top}).Status, 0);
    QCOMPARE(Spacelens({"-f", Ours, "-o", Theirs}, peer).Status, 0);
    const TArgs Import{"--nogui", "--cluster-size", "4096", "--export", "-", "--import"};
    QCOMPARE(Table(Spacelens(Import + TArgs{Theirs}).Out, false), Table(Spacelens(Import + TArgs{Ours}).Out, false));
  }

  void importRefused_data()
  {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("reason");
    const QByteArray Head = "[1,2,{\"progname\":\"x\"},\n[{\"name\":\"/srv\"},";
    const auto Refused = [&](const char* Name, const QByteArray& Text, const char* Reason) {
      QTest::newRow(Name) << Text << QByteArray(Reason);
    };
    const auto Size = [&](const char* Name, const QByteArray& Value, const char* Reason) {
      Refused(Name, Head + "{\"name\":\"a\",\"asize\":" + Value + "}]]", Reason);
    };
    Refused("cut short", Head + "{\"name\":\"a\",\"asize\":10},[{\"name\":\"b\"}", "ends too soon");
    Refused("empty", "", "(byte 0): the file is empty");
    Refused("another format", "path,clusters\n/srv/,1\n",
            "(byte 0): this is no JSON export of ncdu or gdu (Invalid value");
    Refused("an object", "{\"name\":\"/srv\"}", "does not start with");
    Refused("version", "[2,0,{},[{\"name\":\"/srv\"}]]", "format version 2");
    Refused("no folder", "[1,0,{}]", "ends before its top folder");
    Refused("slash in a name", Head + "{\"name\":\"a/b\",\"asize\":1}]]", "\"a/b\" cannot be");
    Size("negative size", "-5", "\"asize\" is not a whole");
    Size("huge size", "18446744073709551615", "larger than any file");
    Size("size as text", "\"5\"", "wrong kind");
    Size("size beyond 64 bits", "18446744073709551616", "\"asize\" is larger than any file can be");
    Refused("folder without info", Head + "[]]]", "without its info");
    Refused("nested too deep", Head + QByteArray("[{\"name\":\"d\"},").repeated(150000), "deeper than 100000");
    Refused("a FIFO cut short", Head + "{\"name\":\"a\"", "(byte 51): the export ends too soon");
    Refused("a name longer than a path may be", Head + "{\"name\":\"" + QByteArray(4097, 'n') + "\",\"asize\":1}]]",
            "a name of 4097 bytes");
    // A lone surrogate, high or low, is refused where it stands, also after a pair.
    for (const auto& [Lone, At] : {std::pair{"\\ud800", "50"}, {"\\udc00", "50"}, {"\\ud800\\udc00\\udc00", "62"}})
      Refused(Lone, Head + "{\"name\":\"a" + Lone + "b\",\"asize\":1}]]",
              "(byte " + QByteArray(At) + "): The surrogate pair in string is invalid");
  }
  void importRefused()
  {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, reason);
    QTemporaryDir Files;
    const QByteArray Json = Files.filePath("scan.json").toLocal8Bit();
    // A FIFO is read as its writer writes, to its end.
    std::thread Writer;
    if (QTest::currentDataTag() == QByteArray("a FIFO cut short")) {
      QVERIFY(mkfifo(Json.constData(), 0644) == 0);
      Writer = std::thread([&Json, &text] { (void)Write(Json, text); });
    } else {
      QVERIFY(Write(Json, text));
      // Written a while ago: no more will come.
      const timespec Past[2] = {{1000000000, 0}, {1000000000, 0}};
      QCOMPARE(utimensat(AT_FDCWD, Json.constData(), Past, 0), 0);
    }
    const TResult Run = Spacelens({"--nogui", "--import", Json, "--export", "-"});
    if (Writer.joinable())
      Writer.join();
    QCOMPARE(Unlike(Run, 1, reason), QByteArray());
    QVERIFY2(Run.Err.startsWith("Cannot import " + Json), Run.Err.constData());
    QCOMPARE(Run.Out.count('\n'), 1);  // the table's head, no folder of it
  }

  // Surrogate pairs, escaped backslashes and raw bytes are a name's bytes
  // as on disk; totals past 64 bits stay at the most they hold, and say so.
  void importAccepted_data()
  {
    QTest::addColumn<QByteArray>("json");     // what the top folder /srv holds
    QTest::addColumn<QByteArray>("summary");  // after its name
    QTest::addColumn<TArgs>("rows");          // folders and their sizes
    QTest::addColumn<QByteArray>("warning");
    const QByteArray Escaped =
      "{\"name\":\"\\ud83d\\ude00\",\"asize\":1},{\"name\":\"x\\\\udc00\",\"asize\":2},"
      "{\"name\":\"\xed\xb0\x80\\\\udc00\",\"asize\":4},[{\"name\":\"\\u00e9\\\\\"}]";
    QTest::newRow("escaped names") << Escaped << QByteArray("7 bytes\t8192 bytes allocated\t5 objects")
                                   << TArgs{"/srv/ 7", "/srv/\xc3\xa9\\/ 0"} << QByteArray();
    // Files of the given sizes in /srv/d, each taking one cluster on disk.
    const auto Huge = [](const QList<qulonglong>& Sizes) {
      QByteArray Text = "[{\"name\":\"d\"}";
      for (int Index = 0; Index < Sizes.size(); ++Index)
        Text += ",{\"name\":\"f" + QByteArray::number(Index) + "\",\"asize\":" + QByteArray::number(Sizes[Index])
          + ",\"dsize\":4096}";
      return Text + "]";
    };
    const qulonglong Most = 9223372036854775807u;
    const QByteArray Total = "18446744073709551615 bytes\t20480 bytes allocated\t5 objects";
    const TArgs Rows{"/srv/ 18446744073709551615", "/srv/d/ 18446744073709551615"};
    const QByteArray Told = "more than 64 bits can count";
    QTest::newRow("three of 8 EiB") << Huge({Most, Most, Most}) << Total << Rows << Told;
    // Whole clusters fit in 64 bits; the last bytes of each do not.
    QTest::newRow("past it by the last bytes") << Huge({Most, Most, 8192}) << Total << Rows << Told;
  }
  void importAccepted()
  {
    QFETCH(QByteArray, json);
    QFETCH(QByteArray, summary);
    QFETCH(TArgs, rows);
    QFETCH(QByteArray, warning);
    QTemporaryDir Files;
    const QByteArray Json = Files.filePath("scan.json").toLocal8Bit();
    QVERIFY(Write(Json, "[1,2,{\"progname\":\"x\"},\n[{\"name\":\"/srv\"}," + json + "]]"));
    const TArgs Import{"--nogui", "--cluster-size", "4096", "--import", Json};
    const TResult Summary = Spacelens(Import);
    QCOMPARE(Summary.Status, 0);
    QCOMPARE(Summary.Out, "/srv\t" + summary + "\n");
    QVERIFY2(warning.isEmpty() ? Summary.Err.isEmpty() : Summary.Err.contains(warning), Summary.Err.constData());
    const TResult Csv = Spacelens(Import + TArgs{"--export", "-"});
    QCOMPARE(Csv.Status, 0);
    QCOMPARE(Csv.Err, Summary.Err);
    for (const QByteArray& Folder : rows)
      QCOMPARE(Row(Csv.Out, Folder.left(Folder.indexOf(' '))).value(5), Folder.mid(Folder.indexOf(' ') + 1));
  }

  // Any option means no window; a wrong one, the usage and nothing on
  // standard output. Without a display, the window says why it cannot open
  // instead of aborting.
  void commandLine_data()
  {
    QTest::addColumn<TArgs>("arguments");  // "FOLDER" stands for an empty folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");  // how it starts; empty: nothing at all
    QTest::addColumn<QByteArray>("err");
    const QByteArray Usage = THeadlessScan::Usage;
    QTest::newRow("an export") << TArgs{"--export", "-", "FOLDER"} << 0 << QByteArray("path,clusters,") << QByteArray();
    QTest::newRow("a folder, no display")
      << TArgs{"FOLDER"} << 1 << QByteArray() << QByteArray("no display; use --nogui");
    QTest::newRow("version") << TArgs{"--version"} << 0 << QByteArray("Spacelens 2.0\n") << QByteArray();
    QTest::newRow("an unknown option") << TArgs{"--fast", "FOLDER"} << 2 << QByteArray()
                                       << "spacelens: unknown option --fast\n\n" + Usage;
    QTest::newRow("the most levels") << TArgs{"--levels", "1000", "--export", "-", "FOLDER"} << 0
                                     << QByteArray("path,clusters,") << QByteArray();
    QTest::newRow("levels past the most") << TArgs{"--levels", "1001", "FOLDER"} << 2 << QByteArray()
                                          << QByteArray("--levels takes a number from 1 to 1000, not 1001\n");
    const auto Wrong = [&](const char* Name, const TArgs& Arguments) {
      QTest::newRow(Name) << TArgs{"--nogui"} + Arguments << 2 << QByteArray() << Usage;
    };
    Wrong("cluster size not offered", {"--cluster-size", "1000", "/tmp"});
    Wrong("no folder", {});
    Wrong("hard links neither", {"--hard-links", "twice", "/tmp"});
    Wrong("no pattern file", {"--exclude-from", "/nonexistent/list", "/tmp"});
    Wrong("an order without --top", {"--top-by", "newest", "/tmp"});
    Wrong("no files at the top", {"--top", "0", "/tmp"});
    Wrong("the top of an import", {"--top", "3", "--import", "/tmp/x.json"});
    Wrong("exclude without a pattern", {"/tmp", "--exclude"});
    Wrong("types and top", {"--types", "--top", "3", "/tmp"});
    Wrong("ncdu export of two", {"--export-ncdu", "-", "/tmp", "/usr"});
    Wrong("a comparison of two", {"--compare", "last", "/tmp", "/usr"});
  }
  void commandLine()
  {
    QFETCH(TArgs, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    TTestTree Tree;
    std::replace(arguments.begin(), arguments.end(), QByteArray("FOLDER"), Bytes(Tree.Top()));
    const TArgs NoDisplay{"-u", "QT_QPA_PLATFORM", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", SPACELENS_BINARY};
    const TResult Run = Spacelens(NoDisplay + arguments, "env");
    QCOMPARE(Run.Status, status);
    QVERIFY2(out.isEmpty() ? Run.Out.isEmpty() : Run.Out.startsWith(out), Run.Out.constData());
    QVERIFY2(Run.Err.contains(err), Run.Err.constData());
  }

  void topFiles_data()
  {
    QTest::addColumn<TArgs>("options");
    QTest::addColumn<QByteArray>("order");  // size, allocated, newest or oldest
    QTest::addColumn<int>("count");
    QTest::newRow("most space taken") << TArgs{} << QByteArray("allocated") << 4;
    QTest::newRow("longest") << TArgs{"--top-by", "size"} << QByteArray("size") << 3;
    QTest::newRow("newest") << TArgs{"--top-by", "newest"} << QByteArray("newest") << 5;
    QTest::newRow("oldest, more than there are") << TArgs{"--top-by", "oldest"} << QByteArray("oldest") << 50;
    QTest::newRow("each name") << TArgs{"--hard-links", "each"} << QByteArray("allocated") << 50;
    QTest::newRow("filtered") << TArgs{"--filter", "*.txt", "--exclude", "b"} << QByteArray("allocated") << 50;
  }
  // The ranking equals one made from find's listing of the same tree: ties
  // by path, a file with several names once by its first path (unless each
  // name counts), sparse files by what they take on disk, empty ones too.
  void topFiles()
  {
    QFETCH(TArgs, options);
    QFETCH(QByteArray, order);
    QFETCH(int, count);
    TTestTree Tree;
    Fill(Tree, {"a", "b", "a/c"}, {{"a/empty.txt", 0}});
    int Time = 1600000000;
    for (const char* Name : {"a/one.txt", "a/two.txt", "b/same.bin", "a/c/same.bin", "z.txt", "a/c/new.txt"})
      Tree.File(Name, std::strlen(Name) * 1000, 0, Time += 3600);
    Tree.File("b/tie.txt", 9000, 0, 1600000000 + 3600);  // as large and as old as a/one.txt
    Tree.Sparse("a/sparse.txt", 1 << 24);
    QVERIFY(link(Tree.Path("a/c/new.txt").c_str(), Tree.Path("b/another name.txt").c_str()) == 0);
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Run =
      Spacelens(TArgs{"--nogui", "--cluster-size", "4096", "--top", QByteArray::number(count)} + options + TArgs{Top});
    QCOMPARE(Run.Err, QByteArray());
    QCOMPARE(Run.Status, 0);
    QVERIFY(Run.Out.startsWith("path,size_bytes,allocated_bytes,last_write,last_access,kind,links\n"));

    std::vector<TFound> Files = Find(Tree.Top());
    std::erase_if(Files, [&](const TFound& File) {
      return options.contains("--filter") && (!File.Path.endsWith(".txt") || File.Path.startsWith("b/"));
    });
    const auto Key = [&](const TFound& File) {
      return order == "size"   ? double(File.Size)
        : order == "allocated" ? double(File.Allocated)
        : order == "newest"    ? File.Write
                               : -File.Write;
    };
    std::sort(Files.begin(), Files.end(),
              [&](const TFound& A, const TFound& B) { return Key(A) != Key(B) ? Key(A) > Key(B) : A.Path < B.Path; });
    QByteArrayList Expected{"path,size_bytes,allocated_bytes"};
    std::set<QByteArray> Inodes;
    for (const TFound& File : Files)
      if ((options.contains("each") || Inodes.insert(File.Inode).second) && Expected.size() <= count)
        Expected << Top + '/' + File.Path + ',' + QByteArray::number(File.Size) + ','
            + QByteArray::number(File.Allocated);
    QByteArrayList Got;
    for (const QByteArray& Line : Run.Out.trimmed().split('\n'))
      Got << Line.split(',').mid(0, 3).join(',');
    QCOMPARE(Got, Expected);
  }

  // --types end to end (the totals themselves are checked with the types
  // view): a file of two names once unless each counts, patterns applied,
  // and with several folders each row says whose it is. "TOP" stands for
  // the tree's top.
  void types_data()
  {
    QTest::addColumn<TArgs>("options");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray Head = "extension,class,files,size_bytes,allocated_bytes\n";
    QTest::newRow("one folder") << TArgs{"TOP"} << Head + "png,image,1,200,4096\ntxt,document,1,100,4096\n";
    QTest::newRow("several, each name, excluded")
      << TArgs{"--hard-links", "each", "--exclude", "*.PNG", "TOP", "TOP/a"}
      << "folder," + Head + "TOP,txt,document,2,200,8192\nTOP/a,txt,document,2,200,8192\n";
  }
  void types()
  {
    QFETCH(TArgs, options);
    QFETCH(QByteArray, expected);
    TTestTree Tree;
    Fill(Tree, {"a"}, {{"a/x.txt", 100}, {"y.PNG", 200}});
    QVERIFY(link(Tree.Path("a/x.txt").c_str(), Tree.Path("a/again.txt").c_str()) == 0);
    const QByteArray Top = Bytes(Tree.Top());
    for (QByteArray& Option : options)
      Option.replace("TOP", Top);
    const TResult Run = Spacelens(TArgs{"--nogui", "--cluster-size", "4096", "--types"} + options);
    QCOMPARE(Run.Err, QByteArray());
    QCOMPARE(Run.Status, 0);
    QCOMPARE(Run.Out, expected.replace("TOP", Top));
  }

  // Patterns of each --exclude and of --exclude-from's file (comments, blank
  // lines and CRLF ends in it) all apply, whatever their order.
  void excludeOptions()
  {
    TTestTree Tree;
    Fill(Tree, {"a", "a/.cache", "b", "b/build"},
         {{"a/f.o", 10}, {"a/f.c", 90}, {"a/.cache/c", 100}, {"b/g", 400}, {"b/build/h", 400}});
    QTemporaryDir Files;
    const QByteArray List = Files.filePath("patterns").toLocal8Bit();
    QVERIFY(Write(List, "# a name that is no file\n.cache\r\n\n*.o"));
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Run =
      Spacelens({"--nogui", "--export", "-", "--exclude", "build", "--exclude-from", List, "--exclude", "g", Top});
    QCOMPARE(Run.Status, 0);
    QByteArrayList Folders;
    for (const QByteArray& Line : Run.Out.trimmed().split('\n').mid(1))
      Folders << Line.left(Line.indexOf(','));
    QCOMPARE(Folders, (QByteArrayList{Top + "/", Top + "/a/", Top + "/b/"}));
    QCOMPARE(Row(Run.Out, Top + "/").value(5), QByteArray("90"));
  }

  void filterAndLinks()
  {
    TTestTree Tree;
    Fill(Tree, {"target"}, {{"a.txt", 100}, {"b.jpg", 100}, {"target/c.txt", 100}});
    Tree.Link("link", "target");
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Followed = Spacelens({"--nogui", "--filter=*.txt", "--follow-links", "--export=-", Top});
    QCOMPARE(Followed.Status, 0);
    QVERIFY(Followed.Out.contains(Top + "/link/,2,100,2,1,"));
    // The top folder holds a.txt and both c.txt.
    QCOMPARE(Row(Followed.Out, Top + "/").value(5), QByteArray("300"));
  }

  // The table is written whole or not at all; through a link, to the link's
  // file; over a file, keeping its mode but never its owner.
  void exportToFile()
  {
    TTestTree Tree;
    Tree.Folder("x");
    const QByteArray X = Bytes(Tree.Path("x"));
    umask(022);
    const std::string Table = Tree.Path("table.csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Table), X}).Status, 0);
    QCOMPARE(Read(Bytes(Table)).count('\n'), 2);
    QCOMPARE(QDir(QString::fromStdString(Tree.Top())).entryList(QDir::Files), QStringList{"table.csv"});
    struct stat Data;
    QVERIFY(stat(Table.c_str(), &Data) == 0);
    QCOMPARE(Data.st_mode & 07777, mode_t(0644));
    QVERIFY(chmod(Table.c_str(), 0600) == 0);
    Tree.Link("link.csv", "table.csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Tree.Path("link.csv")), Bytes(Tree.Top())}).Status, 0);
    QVERIFY(lstat(Tree.Path("link.csv").c_str(), &Data) == 0 && S_ISLNK(Data.st_mode));
    QVERIFY(stat(Table.c_str(), &Data) == 0);
    QCOMPARE(Data.st_mode & 07777, mode_t(0600));
    QCOMPARE(Read(Bytes(Table)).count('\n'), 3);  // header, the top and x
    // A link to a file not made yet makes that file and stays a link.
    Tree.Link("dangling.csv", "new.csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Tree.Path("dangling.csv")), Bytes(Tree.Top())}).Status, 0);
    QVERIFY(lstat(Tree.Path("dangling.csv").c_str(), &Data) == 0 && S_ISLNK(Data.st_mode));
    QVERIFY(stat(Tree.Path("new.csv").c_str(), &Data) == 0 && S_ISREG(Data.st_mode));
    if (geteuid() == 0) {
      QVERIFY(chown(Table.c_str(), 65534, 65534) == 0);
      QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Table), Bytes(Tree.Top())}).Status, 0);
      QVERIFY(stat(Table.c_str(), &Data) == 0 && Data.st_uid == geteuid());
    }
    // A name as long as a name may be: no longer temporary name beside it.
    const std::string Long = Tree.Path(std::string(248, 'n') + ".csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Long), X}).Status, 0);
    QVERIFY(stat(Long.c_str(), &Data) == 0);
    QCOMPARE(QDir(QString::fromStdString(Tree.Top())).entryList(QDir::Files | QDir::Hidden).filter(".sl").size(), 0);

    // Standard output full, for the table, the ncdu export and the summary alike.
    for (const TArgs& Output : {TArgs{"--export", "-"}, TArgs{"--export-ncdu", "-"}, TArgs{}})
      QCOMPARE(
        Unlike(Spacelens(TArgs{"--nogui"} + Output + TArgs{X}, SPACELENS_BINARY, "/dev/full"), 1,
               Output.isEmpty() ? "No space left on device" : "Cannot write standard output: No space left on device"),
        QByteArray());
  }

  // Never written: a pipe, a device, or in a sticky shared folder a link or
  // file planted by another user, which would hand the output over.
  // What another user planted in a shared folder steers no output: a link
  // at the end of the path or at any folder on the way (followed only when
  // the caller or the folder's owner made it), or a file there. Nothing of
  // the folder it leads to changes, and the scan never runs.
  void hostileTargets_data()
  {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("output");  // below the shared folder
    QTest::addColumn<QByteArray>("reason");  // empty: written
    const QByteArray Planted = "is a link another user made in a folder all may write to";
    QTest::newRow("another user's link in a shared folder")
      << QByteArray("link") << QByteArray("report.csv") << Planted;
    QTest::newRow("another user's link to a folder, on the way")
      << QByteArray("folder link") << QByteArray("linkdir/out.csv") << Planted;
    QTest::newRow("the caller's own link, on the way")
      << QByteArray("own folder link") << QByteArray("linkdir/out.csv") << QByteArray();
    QTest::newRow("another user's file in a shared folder")
      << QByteArray("file") << QByteArray("report.csv") << QByteArray("Permission denied");
  }
  void hostileTargets()
  {
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, reason);
    if (geteuid() != 0)
      QSKIP("another user's link or file needs the administrator to plant");
    TTestTree Tree;
    Fill(Tree, {"x", "shared", "secret"}, {{"secret/kept", 10}, {"secret/out.csv", 7}});
    QVERIFY(chmod(Tree.Path("shared").c_str(), 01777) == 0);
    QVERIFY(chmod(Tree.Path("secret").c_str(), 0700) == 0);
    const std::string Planted = Tree.Path(kind == "file" || kind == "link" ? "shared/report.csv" : "shared/linkdir");
    if (kind == "file")
      Tree.File("shared/report.csv", 5);
    else
      QVERIFY(symlink(Tree.Path(kind == "link" ? "secret/kept" : "secret").c_str(), Planted.c_str()) == 0);
    // The caller's own link is followed even where the folder is another's.
    if (kind != "own folder link")
      QVERIFY(lchown(Planted.c_str(), 65534, 65534) == 0);
    else
      QVERIFY(chown(Tree.Path("shared").c_str(), 65534, 65534) == 0);
    const QByteArray Target = Bytes(Tree.Path("shared/")) + output;
    const TResult Run = Spacelens({"--nogui", "--export", Target, Bytes(Tree.Path("x"))});
    struct stat Data;
    if (reason.isEmpty()) {
      QCOMPARE(Run.Status, 0);
      QVERIFY(Read(Bytes(Tree.Path("secret/out.csv"))).startsWith("path,"));
      return;
    }
    QCOMPARE(Unlike(Run, 1, "Cannot write " + Target + ": "), QByteArray());
    QVERIFY2(Run.Err.contains(reason), Run.Err.constData());
    QVERIFY(!Run.Err.contains("Cannot find"));  // refused before the scan
    QVERIFY(stat(Tree.Path("secret/kept").c_str(), &Data) == 0 && Data.st_size == 10);
    QVERIFY(stat(Tree.Path("secret/out.csv").c_str(), &Data) == 0 && Data.st_size == 7);
    QCOMPARE(QDir(QString::fromStdString(Tree.Path("secret"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
    if (kind == "file")
      QVERIFY(stat(Planted.c_str(), &Data) == 0 && Data.st_size == 5 && Data.st_uid == 65534);
  }

  // What the shell hands over is written as the stream it is: the null
  // device, a FIFO with a reader, a descriptor the shell opened (appending
  // when it did so, the earlier lines kept), standard output by name.
  void handedOverOutputs_data()
  {
    QTest::addColumn<QByteArray>("command");  // SPACELENS and TREE stand for the program and the tree
    QTest::addColumn<QByteArray>("file");     // what to read afterwards, below the tree's top
    QTest::addColumn<QByteArray>("starts");   // what it starts with then
    QTest::newRow("the null device") << QByteArray("SPACELENS --nogui --export /dev/null TREE/x") << QByteArray()
                                     << QByteArray();
    QTest::newRow("a log on standard error")
      << QByteArray("echo earlier >TREE/err.log; SPACELENS --nogui --export /dev/stderr TREE/x 2>>TREE/err.log")
      << QByteArray("err.log") << QByteArray("earlier\npath,");
    QTest::newRow("a descriptor of the shell")
      << QByteArray("echo earlier >TREE/fd.log; SPACELENS --nogui --export /dev/fd/1 TREE/x >>TREE/fd.log")
      << QByteArray("fd.log") << QByteArray("earlier\npath,");
    QTest::newRow("a report on standard output")
      << QByteArray("echo earlier >TREE/r.log; SPACELENS --nogui --report /dev/stdout TREE/x >>TREE/r.log")
      << QByteArray("r.log") << QByteArray("earlier\n%PDF");
    QTest::newRow("a pipe the shell made") << QByteArray(
      "SPACELENS --nogui --export /dev/fd/3 TREE/x 3>&1 | gzip "
      ">TREE/t.csv.gz; gunzip TREE/t.csv.gz")
                                           << QByteArray("t.csv") << QByteArray("path,");
    QTest::newRow("a FIFO") << QByteArray(
      "mkfifo TREE/fifo; cat TREE/fifo >TREE/read & SPACELENS --nogui --export "
      "TREE/fifo TREE/x; wait")
                            << QByteArray("read") << QByteArray("path,");
  }
  void handedOverOutputs()
  {
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, starts);
    TTestTree Tree;
    Fill(Tree, {"x"}, {{"x/f", 100}});
    command.replace("SPACELENS", SPACELENS_BINARY).replace("TREE", Bytes(Tree.Top()));
    const TResult Run = Spacelens({"-c", command}, "/bin/sh");
    QCOMPARE(Run.Status, 0);
    if (!file.isEmpty())
      QVERIFY2(Read(Bytes(Tree.Path(file.toStdString()))).startsWith(starts),
               Read(Bytes(Tree.Path(file.toStdString()))).left(200).constData());
  }

  // Nothing scanned: the earlier output stays as it was, said so; a new
  // name is never left empty, nor behind an interrupted run.
  void nothingScannedKeepsTheOutput_data()
  {
    QTest::addColumn<TArgs>("options");
    QTest::newRow("folder table") << TArgs{};
    QTest::newRow("top files") << TArgs{"--top", "5"};
    QTest::newRow("types") << TArgs{"--types"};
    QTest::newRow("duplicates") << TArgs{"--duplicates"};
  }
  void nothingScannedKeepsTheOutput()
  {
    QFETCH(TArgs, options);
    TTestTree Tree;
    Tree.File("good.csv", 100);
    const QByteArray Good = Read(Bytes(Tree.Path("good.csv")));
    QCOMPARE(Unlike(Spacelens(TArgs{"--nogui", "--export", Bytes(Tree.Path("good.csv"))} + options
                              + TArgs{Bytes(Tree.Path("missing"))}),
                    1, "Nothing was scanned: " + Bytes(Tree.Path("good.csv")) + " is left as it was"),
             QByteArray());
    QCOMPARE(Read(Bytes(Tree.Path("good.csv"))), Good);
  }
  void interruptedExportLeavesNothing()
  {
    TTestTree Tree;
    for (int Folder = 0; Folder < 300; ++Folder)
      Tree.Folder("folder with a long name to fill the table " + std::to_string(Folder));
    // A file of at most 4 KiB: the kernel ends the writer (SIGXFSZ).
    const QByteArray Command = "ulimit -f 4; exec " + QByteArray(SPACELENS_BINARY) + " --nogui --export '"
      + Bytes(Tree.Path("new.csv")) + "' '" + Bytes(Tree.Top()) + "'";
    QVERIFY(Spacelens({"-c", Command}, "/bin/sh").Status != 0);
    QVERIFY(!QFile::exists(QString::fromStdString(Tree.Path("new.csv"))));
    QCOMPARE(QDir(QString::fromStdString(Tree.Top())).entryList(QDir::Files | QDir::Hidden).size(), 0);
  }

  // Nothing reads standard output any more (the window that started a scan
  // as the administrator went): the scan stops at once, and says why,
  // rather than going on for nobody.
  void readerGone()
  {
    TTestTree Tree;
    Tree.File("a", 10);
    int Pipe[2];
    QVERIFY(pipe2(Pipe, O_CLOEXEC) == 0);
    close(Pipe[0]);
    const int Errors = memfd_create("errors", MFD_CLOEXEC);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&Actions, Errors, STDERR_FILENO);
    std::string Top = Tree.Top();
    std::string Words[] = {SPACELENS_BINARY, "--nogui", "--no-history", "--export-ncdu", "-", Top};
    char* Argv[] = {Words[0].data(), Words[1].data(), Words[2].data(), Words[3].data(),
                    Words[4].data(), Words[5].data(), nullptr};
    pid_t Child = -1;
    QCOMPARE(posix_spawn(&Child, SPACELENS_BINARY, &Actions, nullptr, Argv, environ), 0);
    posix_spawn_file_actions_destroy(&Actions);
    close(Pipe[1]);
    int Status = 0;
    QCOMPARE(waitpid(Child, &Status, 0), Child);
    QVERIFY(WIFEXITED(Status));
    QCOMPARE(WEXITSTATUS(Status), 1);
    std::string Said(4096, '\0');
    Said.resize(std::max<ssize_t>(pread(Errors, Said.data(), Said.size(), 0), 0));
    close(Errors);
    QCOMPARE(Said, std::string("Stopped: nothing reads standard output any more\n"));
  }

  // An output that cannot be made is told before any scan.
  void outputCheckedFirst()
  {
    TTestTree Tree;
    const QByteArray Missing = Bytes(Tree.Path("none/x.csv"));
    const TResult Run = Spacelens({"--nogui", "--export", Missing, Bytes(Tree.Path("not there either"))});
    QCOMPARE(Unlike(Run, 1, "Cannot write " + Missing + ": there is no folder"), QByteArray());
    QVERIFY(!Run.Err.contains("Cannot find Folder"));
  }

  // Without a home (a service, "env -i") nothing is remembered, quietly,
  // and never in a folder all may write to; a cache folder another user
  // made is neither read nor written nor changed; what is remembered is
  // the user's alone.
  void cacheOfOnesOwn()
  {
    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
      QSKIP("acting as another user needs the administrator and setpriv");
    TTestTree Tree;
    QVERIFY(chmod(Tree.Top().c_str(), 0755) == 0);
    Fill(Tree, {"x"}, {{"x/f", 100}});
    const bool Shared = QFile::exists("/tmp/.cache/spacelens");
    // The user nobody, whose home in the password database is no folder,
    // running a copy it can reach: the build may be in a home of 0700.
    const QString Binary = QString::fromStdString(Tree.Path("spacelens"));
    QVERIFY(QFile::copy(SPACELENS_BINARY, Binary) && chmod(Binary.toLocal8Bit().constData(), 0755) == 0);
    const TResult Homeless = Spacelens({"--reuid=65534", "--regid=65534", "--clear-groups", "env", "-i",
                                        Binary.toLocal8Bit(), "--nogui", Bytes(Tree.Path("x"))},
                                       "setpriv");
    QCOMPARE(Homeless.Status, 0);
    QCOMPARE(Homeless.Err, QByteArray());
    QCOMPARE(QFile::exists("/tmp/.cache/spacelens"), Shared);
    // A cache folder of another user's.
    Tree.Folder("theirs");
    QVERIFY(chown(Tree.Path("theirs").c_str(), 65534, 65534) == 0 && chmod(Tree.Path("theirs").c_str(), 0755) == 0);
    const QByteArray Own = qgetenv("XDG_CACHE_HOME");
    const auto Usual = qScopeGuard([Own] { qputenv("XDG_CACHE_HOME", Own); });
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(Tree.Path("theirs")));
    const TResult Refused = Spacelens({"--nogui", Bytes(Tree.Path("x"))});
    QCOMPARE(Refused.Status, 0);
    QVERIFY2(Refused.Err.contains("is not remembered: ") && Refused.Err.contains("belongs to another user"),
             Refused.Err.constData());
    QVERIFY(
      QDir(QString::fromStdString(Tree.Path("theirs"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    struct stat Data;
    QVERIFY(stat(Tree.Path("theirs").c_str(), &Data) == 0 && (Data.st_mode & 07777) == 0755);
    QCOMPARE(Spacelens({"--nogui", "--quiet", Bytes(Tree.Path("x"))}).Err, QByteArray());  // quiet is quiet
    // One's own: folders and snapshots for the user alone.
    qputenv("XDG_CACHE_HOME", Own);
    QCOMPARE(Spacelens({"--nogui", Bytes(Tree.Path("x"))}).Status, 0);
    const std::vector<THistoryStore::TEntry> Kept = THistoryStore().Of(Tree.Path("x/"));
    QCOMPARE(Kept.size(), size_t(1));
    QVERIFY(stat(Kept.front().File.c_str(), &Data) == 0 && (Data.st_mode & 077) == 0);
    const std::string Folder = Kept.front().File.substr(0, Kept.front().File.rfind('/'));
    QVERIFY(stat(Folder.c_str(), &Data) == 0 && (Data.st_mode & 07777) == 0700);
  }

  // A scan that could not start (no thread for it) is a failure, and no
  // empty snapshot is kept of it.
  void scanThatNeverRan()
  {
    TTestTree Tree;
    Fill(Tree, {"x"}, {{"x/f", 100}});
    // The least memory the program starts in, which leaves none for a thread's stack.
    for (int Kilobytes = 60000; Kilobytes <= 120000; Kilobytes += 5000) {
      const QByteArray Command = "ulimit -v " + QByteArray::number(Kilobytes) + "; exec " + QByteArray(SPACELENS_BINARY)
        + " --nogui '" + Bytes(Tree.Path("x")) + "'";
      const TResult Run = Spacelens({"-c", Command}, "/bin/sh");
      if (Run.Status == 127 || Run.Out.isEmpty())
        continue;  // not started at all
      if (Run.Status == 0 && Run.Out.contains("\t100 bytes"))
        QSKIP("a thread starts here in as little memory as the program");
      QVERIFY2(Run.Status == 1 && Run.Err.contains("Path " + Bytes(Tree.Path("x/")) + ": "),
               (Run.Out + Run.Err).constData());
      QVERIFY(THistoryStore().Of(Tree.Path("x/")).empty());
      return;
    }
    QSKIP("the program does not start here in 120 MB");
  }

  // Names from elsewhere (an import's top folder) reach a terminal escaped;
  // fields a spreadsheet would run are written as text; sizes are digits.
  void foreignNamesAndFields()
  {
    TTestTree Tree;
    const QByteArray Hostile = "/x\x1b]0;owned\x07\x1b[2J";
    Tree.File("scan.json", 0);
    QFile Json(QString::fromStdString(Tree.Path("scan.json")));
    QVERIFY(Json.open(QIODevice::WriteOnly));
    Json.write("[1,2,{},[{\"name\":\"" + QByteArray(Hostile).replace("\x1b", "\\u001b").replace("\x07", "\\u0007")
               + "\"},{\"name\":\"=SUM(A1)\",\"asize\":10}]]");
    Json.close();
    if (!QStandardPaths::findExecutable("script").isEmpty()) {
      const QByteArray Command =
        SPACELENS_BINARY + QByteArray(" --nogui --import '") + Bytes(Tree.Path("scan.json")) + "'";
      const TResult Terminal = Spacelens({"-qec", Command, "/dev/null"}, "script");
      QVERIFY2(!Terminal.Out.contains('\x1b') && Terminal.Out.contains("\\033]0;owned"), Terminal.Out.constData());
    }
    const TResult Csv = Spacelens({"--nogui", "--import", Bytes(Tree.Path("scan.json")), "--export", "-"});
    QVERIFY2(Csv.Out.contains("\n\"'" + Hostile + "/\",") || Csv.Out.contains("\n" + Hostile + "/,"),
             Csv.Out.constData());
    for (const char* Extension : {"=sum(1)", "+cmd", "-2+3", "@sum(1)"})
      Tree.File(std::string("a.") + Extension, 10);
    const TResult Types = Spacelens({"--nogui", "--types", Bytes(Tree.Top())});
    for (const char* Extension : {"=sum(1)", "+cmd", "-2+3", "@sum(1)"})
      QVERIFY2(Types.Out.contains("\n\"'" + QByteArray(Extension) + "\",other,"), Types.Out.constData());
    for (const char* Wrong : {" 5", "+5", "-5", "99999999999999999999999", "5 ", "0"})
      QCOMPARE(Spacelens({"--nogui", "--duplicates", "--min-size", Wrong, Bytes(Tree.Top())}).Status, 2);
  }

  // An endless string in an import is refused where it starts, without
  // taking the memory; a snapshot whose rows unpack without end is damaged
  // before it takes the memory, and one in the cache is passed over.
  void boundedInputs()
  {
    TTestTree Tree;
    const QByteArray Generator = "printf '[1,2,{},[{\"name\":\"'; head -c 200000000 /dev/zero | tr '\\0' a";
#ifdef __SANITIZE_ADDRESS__
    // The address sanitizer reserves terabytes of addresses: no limit on them there.
    const QByteArray Limit;
#else
    const QByteArray Limit = "ulimit -v 400000; ";
#endif
    const QByteArray Command = Limit + "(" + Generator + ") | " + QByteArray(SPACELENS_BINARY) + " --nogui --import -";
    const TResult Endless = Spacelens({"-c", Command}, "/bin/sh");
    QCOMPARE(Unlike(Endless, 1, "(byte 17): a name or value longer than 32 KiB"), QByteArray());
    // A snapshot of a folder, its rows then swapped for 200 MB of zeros packed in a few kilobytes.
    Fill(Tree, {"x"});
    TFolderSnapshot Snapshot;
    Snapshot.FHeader.Root = Tree.Path("x/");
    Snapshot.FHeader.Time = std::time(nullptr) - 60;
    Snapshot.FFolders.push_back({1, 1, 1, 0, 1});
    std::string Error;
    QVERIFY2(THistoryStore().Remember(Snapshot, Error), Error.c_str());
    const std::string File = THistoryStore().Of(Tree.Path("x/")).front().File;
    QByteArray Bytes = Read(QByteArray::fromStdString(File));
    const uint32_t HeaderLength = uint8_t(Bytes[12]) | uint8_t(Bytes[13]) << 8 | uint8_t(Bytes[14]) << 16;
    Bytes.truncate(16 + HeaderLength);
    const std::string Zeros(200 << 20, '\0');
    std::string Packed(ZSTD_compressBound(Zeros.size()), '\0');
    Packed.resize(ZSTD_compress(Packed.data(), Packed.size(), Zeros.data(), Zeros.size(), 3));
    QVERIFY(Packed.size() < 64 * 1024);
    QFile Damaged(QString::fromStdString(File));
    QVERIFY(Damaged.open(QIODevice::WriteOnly));
    Damaged.write(Bytes + QByteArray::fromStdString(Packed));
    Damaged.close();
    const TResult Compared =
      Spacelens({"-c",
                 Limit + "exec " + QByteArray(SPACELENS_BINARY) + " --nogui --compare "
                   + QByteArray::fromStdString(File) + " '" + QByteArray::fromStdString(Tree.Path("x")) + "'"},
                "/bin/sh");
    QCOMPARE(Unlike(Compared, 1, ": damaged"), QByteArray());
    const TResult Last = Spacelens({"--nogui", "--compare", "last", QByteArray::fromStdString(Tree.Path("x"))});
    QCOMPARE(Unlike(Last, 1, "is damaged: passed over"), QByteArray());
  }

  // The scan's own threads have folders there while it runs, gone when the
  // export reads the folders again: the export is incomplete, and says so.
  void exportOfFoldersGoneSinceTheScan()
  {
    QCOMPARE(Unlike(Spacelens({"--nogui", "--export-ncdu", "-", "/proc/self/task"}), 1, " changed since the scan: "),
             QByteArray());
  }

  // A process that may open few files exports a deep tree as far as it
  // can, and says that descriptors ran out, not that folders changed.
  void descriptorsRunOut()
  {
    TTestTree Tree;
    Tree.DeepChain("", 300, "d");
    const TResult Run = Spacelens({"-c",
                                   "ulimit -n 16; exec " + QByteArray(SPACELENS_BINARY)
                                     + " --nogui --no-history --export-ncdu /dev/null '" + Bytes(Tree.Top()) + "'"},
                                  "/bin/sh");
    QCOMPARE(Run.Status, 1);
    QVERIFY2(Run.Err.contains("could not be read again: the program may open no more files (ulimit -n is 16)")
               && !Run.Err.contains("changed since the scan"),
             Run.Err.constData());
  }

  // Writable file in a folder the user cannot add to: no temporary, so
  // written in place as ">" would, and told it was not atomic.
  void writableFileInAClosedFolder()
  {
    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
      QSKIP("acting as another user needs the administrator and setpriv");
    TTestTree Tree;
    QVERIFY(chmod(Tree.Top().c_str(), 0755) == 0);
    Fill(Tree, {"x", "closed"}, {{"x/f", 100}, {"closed/report.csv", 100000}});
    const QByteArray Target = Bytes(Tree.Path("closed/report.csv"));
    QVERIFY(chown(Target.constData(), 65534, 65534) == 0);
    QCOMPARE(Unlike(Spacelens(AsNobody + TArgs{"--nogui", "--export", Target, Bytes(Tree.Path("x"))}, "setpriv"), 0,
                    Target + ": written in place, not atomically"),
             QByteArray());
    const QByteArray Text = Read(Target);
    QVERIFY2(Text.startsWith("path,") && Text.contains(Bytes(Tree.Path("x")) + "/,"), Text.constData());
    QVERIFY(Text.endsWith('\n') && !Text.contains('\0'));  // nothing left of the longer old file
    struct stat Data;
    QVERIFY(stat(Target.constData(), &Data) == 0 && Data.st_uid == 65534);
    QCOMPARE(QDir(QString::fromStdString(Tree.Path("closed"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
  }

  // The progress line: on a terminal, rewritten in place and cleared before
  // the summary; never on a pipe or in a file.
  void progressOnlyOnATerminal()
  {
    if (QStandardPaths::findExecutable("script").isEmpty())
      QSKIP("script is needed for a terminal");
    TTestTree Tree;
    for (int Index = 0; Index < 50; ++Index)
      Tree.Folder(std::to_string(Index));
    const QByteArray Command = SPACELENS_BINARY + QByteArray(" --nogui '") + Bytes(Tree.Top()) + "'";
    const TResult Terminal = Spacelens({"-qec", Command, "/dev/null"}, "script");
    QCOMPARE(Terminal.Status, 0);
    QVERIFY(Terminal.Out.contains(" folders, "));
    // Cleared before the summary, which starts a line of its own.
    QVERIFY(Terminal.Out.contains("\r\x1b[K" + Bytes(Tree.Top()) + "\t"));
    const TResult Piped = Spacelens({"--nogui", Bytes(Tree.Top())});
    QCOMPARE(Piped.Err, QByteArray());
    QVERIFY(!Piped.Out.contains("folders"));
  }

  // The path being read is cut to the terminal's width, and what its name
  // would do to a terminal is shown, not done.
  void progressLine_data()
  {
    QTest::addColumn<QByteArray>("reading");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("line");  // after the counts
    QTest::newRow("room for the path") << QByteArray("/data/photos/") << 80 << QByteArray("05  /data/photos/");
    QTest::newRow("the path cut from its start")
      << QByteArray("/data/a long folder/photos/") << 58 << QByteArray("05  ...der/photos/");
    QTest::newRow("no room for a path") << QByteArray("/data/") << 40 << QByteArray();
    QTest::newRow("never half a character")
      << QByteArray("/d/\xc3\xa9t\xc3\xa9/") << 52 << QByteArray("05  ...t\xc3\xa9/");
    const auto Shown = [](const char* Name, const QByteArray& Text, const QByteArray& Line) {
      QTest::newRow(Name) << Text << 200 << "05  " + Line;
    };
    Shown("UTF-8", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
    Shown("letters of C, a backslash as ls -b shows it", "a\tb\nc\rd\a\\", "a\\tb\\nc\\rd\\a\\\\");
    Shown("escape, delete and a C1 control", "\x1b]0;\x7f\xc2\x9b", "\\033]0;\\177\\302\\233");
    Shown("no UTF-8: overlong, cut short", "\xc0\xaf caf\xe9", "\\300\\257 caf\\351");
  }
  void progressLine()
  {
    QFETCH(QByteArray, reading);
    QFETCH(int, width);
    QFETCH(QByteArray, line);
    TScanDriver::TProgress Progress;
    Progress.FCounted = {1234, 56789};
    Progress.FSize = 1610612736;
    Progress.FReading = reading.toStdString();
    QCOMPARE(QByteArray::fromStdString(TTerminalProgress::Line(Progress, 65.4, size_t(width))),
             "1,234 folders, 56,789 files, 1.5 GB, 1:" + line);
  }

  // The scan before, remembered or in a CSV table, ncdu export or snapshot
  // file, gives the same changes in table and report.
  void compare_data()
  {
    QTest::addColumn<QByteArray>("option");
    QTest::addColumn<int>("view");  // the window's, whose measure the changes are in
    QTest::newRow("last") << QByteArray("last") << int(vtSize);
    QTest::newRow("csv") << QByteArray("--export") << int(vtSize);
    QTest::newRow("ncdu") << QByteArray("--export-ncdu") << int(vtSize);
    QTest::newRow("snapshot") << QByteArray() << int(vtSize);
    QTest::newRow("snapshot, the space taken") << QByteArray() << int(vtAllocated);
  }
  void compare()
  {
    QFETCH(QByteArray, option);
    QFETCH(int, view);
    QSettings("Zelkon", "Spacelens").setValue("ShowType", view);
    const auto Reset = qScopeGuard([] { QSettings("Zelkon", "Spacelens").remove("ShowType"); });
    TTestTree Tree;
    Fill(Tree, {"grown", "emptied", "old", "gone", "gone/deep", "same"},
         {{"grown/a", 1 << 20}, {"emptied/b", 3000}, {"old/c", 500}, {"gone/deep/d", 700}, {"same/e", 10}});
    const QByteArray Top = Bytes(Tree.Top());
    const TArgs Scan{"--nogui", "--no-history", "--cluster-size", "4096"};
    // The space each folder took then, as the folder table tells it.
    const TResult Then = Spacelens(Scan + TArgs{"--export", "-", Top});
    QCOMPARE(Then.Status, 0);
    QTemporaryDir Files;
    QByteArray Old = Files.filePath("old").toLocal8Bit();
    if (option == "last") {
      QCOMPARE(Unlike(Spacelens(Scan + TArgs{"--compare", "last", Top}), 1, "is remembered"), QByteArray());
      Old = option;
    }
    if (option == "last" || option.isEmpty()) {
      QCOMPARE(Spacelens({"--nogui", "--cluster-size", "4096", Top}).Status, 0);
      const std::vector<THistoryStore::TEntry> Kept = THistoryStore().Of(Tree.Top() + "/");
      QCOMPARE(Kept.size(), size_t(1));
      if (option.isEmpty())
        Old = Bytes(Kept.front().File);
    } else {
      QCOMPARE(Spacelens(Scan + TArgs{option, Old, Top}).Status, 0);
    }
    Tree.File("grown/a", 4 << 20);
    QCOMPARE(unlink(Tree.Path("emptied/b").c_str()), 0);
    QCOMPARE(rename(Tree.Path("old").c_str(), Tree.Path("new").c_str()), 0);
    QCOMPARE(system(("rm -r '" + Tree.Path("gone") + "'").c_str()), 0);
    Fill(Tree, {"added"}, {{"added/f", 9000}});

    const QByteArray Report = Files.filePath("report.pdf").toLocal8Bit();
    const TResult Run =
      Spacelens(Scan + TArgs{"--compare", Old, "--export", "-", "--report", Report, "--levels", "1", Top});
    QVERIFY2(Run.Err.isEmpty(), Run.Err.constData());
    QCOMPARE(Run.Status, 0);
    QVERIFY(Run.Out.startsWith(
      "path,clusters,tail_bytes,objects,own_files,size_bytes,allocated_bytes,error_code,incomplete,last_access,"
      "last_write,hole_clusters,before_size_bytes,before_allocated_bytes,change_bytes,state\n"));
    QStringList Rows;
    for (const QByteArray& Line : Run.Out.trimmed().split('\n').mid(1)) {
      const QList<QByteArray> Fields = Line.split(',');
      QCOMPARE(Fields.size(), 16);
      QCOMPARE(Fields[13], Fields[12].isEmpty() ? QByteArray() : Row(Then.Out, Fields[0]).value(6));
      // The change in the measure shown: the size, or the space taken.
      const int Now = view == vtSize ? 5 : 6, Before = view == vtSize ? 12 : 13;
      QCOMPARE(Fields[14].toLongLong(), Fields[Now].toLongLong() - Fields[Before].toLongLong());
      Rows << QString::fromLocal8Bit(Fields[0].mid(Top.size()) + " " + Fields[5] + " " + Fields[12] + " " + Fields[15]);
    }
    QCOMPARE(Rows,
             (QStringList{"/ 4203814 1052786 changed", "/added/ 9000  new", "/emptied/ 0 3000 changed",
                          "/grown/ 4194304 1048576 changed", "/new/ 500  new", "/same/ 10 10 same", "/gone/  700 gone",
                          "/gone/deep/  700 gone", "/old/  500 gone"}));
    // The report tells each folder's change beside its size, the most grown first.
    QProcess Text;
    Text.start("pdftotext", {"-layout", QString::fromLocal8Bit(Report), "-"});
    QVERIFY(Text.waitForFinished(20000));
    const QString Page = QString::fromUtf8(Text.readAllStandardOutput());
    const qsizetype Grown = Page.indexOf(QRegularExpression("grown +4\\.0 MB .* \\+3\\.0 MB "));
    const qsizetype Added = Page.indexOf(QRegularExpression("added +0\\.0 MB .* new "));
    const qsizetype Same = Page.indexOf(QRegularExpression("same +0\\.0 MB .* same "));
    QVERIFY2(Grown >= 0 && Added > Grown && Same > Added, qPrintable(Page));

    if (option == "last") {
      // Without --export, the folders that grew most.
      const TResult Table = Spacelens(Scan + TArgs{"--compare", "last", Top});
      QCOMPARE(Table.Status, 0);
      const QList<QByteArray> Lines = Table.Out.trimmed().split('\n');
      QVERIFY2(Lines[0].startsWith(Top + "/ since ") && Lines[0].endsWith(": +3.0 MB, now 4.0 MB"), Lines[0].data());
    }
  }

  // A tree of any depth is remembered, compared, and read from its export
  // as the scan to compare with.
  void deepTreesRemembered()
  {
    TTestTree Tree;
    QTemporaryDir Files;
    const QByteArray Top = Bytes(Tree.Top()), Deep = Files.filePath("deep.json").toLocal8Bit();
    constexpr int Depth = 30000;
    Tree.DeepChain("", Depth, "n", "f");
    const TResult Remembered = Spacelens({"--nogui", Top});
    QCOMPARE(Remembered.Status, 0);
    QCOMPARE(Remembered.Err, QByteArray());
    QCOMPARE(THistoryStore().Of(Tree.Top() + "/").size(), size_t(1));
    // A mebibyte more at the bottom: every folder above grew by it.
    int Fd = open(Tree.Top().c_str(), O_RDONLY | O_DIRECTORY);
    for (int Level = 0; Level < Depth && Fd >= 0; ++Level) {
      const int Next = openat(Fd, "n", O_RDONLY | O_DIRECTORY);
      close(Fd);
      Fd = Next;
    }
    const int Leaf = openat(Fd, "f", O_WRONLY);
    close(Fd);
    QVERIFY(Leaf >= 0 && ftruncate(Leaf, 0) == 0);
    const std::string Mebibyte(1 << 20, 'x');
    QCOMPARE(write(Leaf, Mebibyte.data(), Mebibyte.size()), ssize_t(Mebibyte.size()));
    close(Leaf);
    const TResult Compared = Spacelens({"--nogui", "--compare", "last", Top});
    QCOMPARE(Compared.Status, 0);
    const QList<QByteArray> Lines = Compared.Out.trimmed().split('\n');
    QVERIFY2(Lines.size() == 22 && Lines[0].contains(": +1.0 MB, now "), Lines[0].constData());
    for (const QByteArray& Line : Lines.mid(2))
      QVERIFY2(Line.trimmed().startsWith("+1.0 MB"), Line.left(80).constData());
    // Its export, as the scan to compare another folder with.
    QCOMPARE(Spacelens({"--nogui", "--no-history", "--export-ncdu", Deep, Top}).Status, 0);
    TTestTree Other;
    const TResult Read = Spacelens({"--nogui", "--no-history", "--compare", Deep, Bytes(Other.Top())});
    QCOMPARE(Read.Status, 0);
    QVERIFY2(Read.Err.contains("Compared with a scan of another folder"), Read.Err.constData());
  }

  // "7d": the latest scan remembered that is at least a week old.
  void compareWithDaysAgo()
  {
    TTestTree Tree;
    Tree.File("f", 3000);
    const auto Remember = [&Tree](int Days, uint64_t Size) {
      TFolderSnapshot Snapshot;
      Snapshot.FHeader.Root = Tree.Top() + "/";
      Snapshot.FHeader.Time = std::time(nullptr) - Days * 86400 - 60;
      Snapshot.FHeader.Size = Size;
      Snapshot.FFolders.push_back({Size, Size, 1, 0, 1});
      std::string Error;
      QVERIFY2(THistoryStore().Remember(Snapshot, Error), Error.c_str());
    };
    Remember(12, 100);
    Remember(8, 1000);
    Remember(1, 2000);
    const TArgs Compare{"--nogui", "--no-history", "--compare"};
    const TResult Week = Spacelens(Compare + TArgs{"7d", Bytes(Tree.Top())});
    QVERIFY2(Week.Status == 0, Week.Err.constData());
    // In the space taken, as a first start shows it: the file and the folder.
    QVERIFY2(Week.Out.contains("(8 days): +7.0 KB"), Week.Out.constData());
    // None that old: the oldest there is, said so, and the report written.
    const QByteArray Report = Bytes(Tree.Path("month.pdf"));
    const TResult Month = Spacelens(Compare + TArgs{"30d", "--report", Report, Bytes(Tree.Top())});
    QCOMPARE(Month.Status, 0);
    QVERIFY2(Month.Err.contains("is remembered from 30 days ago or before: compared with the oldest")
               && Month.Err.contains("(12 days ago)"),
             Month.Err.constData());
    QVERIFY(QFileInfo(QString::fromLocal8Bit(Report)).size() > 0);
    // Too many days to count: not days, but the name of a file.
    QCOMPARE(Unlike(Spacelens(Compare + TArgs{"99999999999d", Bytes(Tree.Top())}), 1, std::strerror(ENOENT)),
             QByteArray());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_GUILESS_MAIN(THeadlessTest)
#include "tst_headless.moc"
