// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminalProgress.h"
#include "app/TerminalText.h"
#include "history/HistoryStore.h"
#include "scan/FolderSnapshot.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct TResult {
  int Status;
  QByteArray Out;
  QByteArray Err;
};

// Runs a program with byte arguments (folder names need not be UTF-8), its
// output caught in files (standard output in Output when given).
TResult Spacelens(const QList<QByteArray>& Arguments, const QByteArray& Program = SPACELENS_BINARY,
                  const char* Output = nullptr)
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
    const int OutFd = open(Output ? Output : Out.constData(), O_CREAT | O_WRONLY, 0644);
    const int ErrFd = open(Err.constData(), O_CREAT | O_WRONLY, 0644);
    dup2(OutFd, 1);
    dup2(ErrFd, 2);
    execvp(Argv[0], Argv.data());
    _exit(127);
  }
  int Status = 0;
  waitpid(Child, &Status, 0);
  QFile OutFile(QString::fromLocal8Bit(Out)), ErrFile(QString::fromLocal8Bit(Err));
  OutFile.open(QIODevice::ReadOnly);
  ErrFile.open(QIODevice::ReadOnly);
  return {WIFEXITED(Status) ? WEXITSTATUS(Status) : -1, OutFile.readAll(), ErrFile.readAll()};
}

QByteArray Bytes(const std::string& Text)
{
  return QByteArray::fromStdString(Text);
}

// A tree with what an exchanged scan must carry: folders in folders, a file
// with two names, a sparse file, an empty one, names that are not UTF-8
// unless Plain, and a link to a folder when Links.
void ExchangeTree(TTestTree& Tree, bool Links, bool Plain = false)
{
  Tree.Folder("a");
  Tree.Folder("a/deep");
  Tree.Folder("b");
  Tree.Folder(Plain ? "c" : "\xfa\xfb");
  Tree.File("a/f", 5000, 1577934245, 1609470245);
  Tree.File("a/deep/g", 100);
  QVERIFY(link(Tree.Path("a/f").c_str(), Tree.Path("b/f-too").c_str()) == 0);
  Tree.Sparse("b/sparse", 1 << 20);
  Tree.File("b/empty", 0);
  Tree.File(Plain ? "c/x.bin" : "\xfa\xfb/\xff.bin", 9000);
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
    Tree.Folder("sub");
    Tree.File("sub/b.bin", 5000, 1546300800, 1640995200);  // 2019-01-01, 2022-01-01
    Tree.Folder("sub/we,ird \"name\"");
    const TResult Run = Spacelens({"--nogui", "--cluster-size", "4096", "--export", "-", Bytes(Tree.Top())});
    QCOMPARE(Run.Status, 0);
    QCOMPARE(Run.Err, QByteArray());
    const QByteArray Top = Bytes(Tree.Top());
    const QList<QByteArray> Expected = {
      "path,clusters,tail_bytes,objects,own_files,size_bytes,allocated_bytes,error_code,incomplete,last_access,"
      "last_write,hole_clusters",
      Top + "/,6,1004,5,1,5100,24576,0,0,2020-01-02T03:04:05Z,2022-01-01T00:00:00Z,0",
      Top + "/sub/,4,904,3,1,5000,16384,0,0,2019-01-01T00:00:00Z,2022-01-01T00:00:00Z,0",
      "\"" + Top + "/sub/we,ird \"\"name\"\"/\",1,0,1,0,0,4096,0,0,,,0", ""};
    QCOMPARE(Run.Out.split('\n'), Expected);
  }

  // Rows depth-first, sub-folders by their names' bytes, whatever order
  // the disk lists them in: the same tree, the same table.
  void rowOrder()
  {
    TTestTree Tree;
    for (const char* Name : {"b", "a", "C", "caf\xe9", "a/z", "a/y", "b/x", "a/y/deep", "_"})
      Tree.Folder(Name);
    const TResult Run = Spacelens({"--nogui", "--export", "-", Bytes(Tree.Top())});
    QCOMPARE(Run.Status, 0);
    QList<QByteArray> Paths;
    for (const QByteArray& Line : Run.Out.split('\n').mid(1))
      if (!Line.isEmpty())
        Paths << Line.left(Line.lastIndexOf("/,") + 1).mid(Bytes(Tree.Top()).size());
    QCOMPARE(
      Paths,
      (QList<QByteArray>{"/", "/C/", "/_/", "/a/", "/a/y/", "/a/y/deep/", "/a/z/", "/b/", "/b/x/", "/caf\xe9/"}));
  }

  void missingFolderAmongOthers()
  {
    TTestTree Tree;
    Tree.File("f", 10);
    const QByteArray Missing = Bytes(Tree.Path("missing"));
    const TResult Run = Spacelens({"/NOGUI", "/none", Missing, "--export", "-", Bytes(Tree.Top())});
    QCOMPARE(Run.Status, 1);
    // Told once.
    QCOMPARE(Run.Err, "Cannot find Folder: " + Missing + "\n");
    QCOMPARE(Run.Out.count('\n'), 2);  // header and the folder that exists
  }

  // "locked" holds the folder "inner" and the file "f"; "denied" are the
  // folders reported, "rows" their CSV rows, both below the tree's top.
  void unreadableFolderReported_data()
  {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<QByteArray>>("denied");
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<bool>("quiet");
    QTest::newRow("neither listed nor entered")
      << 0 << QList<QByteArray>{"locked/"} << QList<QByteArray>{"locked/,1,0,1,-1,0,4096,13,0,,,0"} << false;
    // Listed, but nothing in it can be read: its file is missed, and says so.
    QTest::newRow("listed, not entered") << 0444 << QList<QByteArray>{"locked/", "locked/inner/"}
                                         << QList<QByteArray>{"locked/,2,0,2,0,0,8192,13,1,,,0",
                                                              "locked/inner/,1,0,1,-1,0,4096,13,0,,,0"}
                                         << false;
    // Quiet: the same table, and not a word on standard error.
    QTest::newRow("quiet") << 0 << QList<QByteArray>{} << QList<QByteArray>{"locked/,1,0,1,-1,0,4096,13,0,,,0"} << true;
  }
  void unreadableFolderReported()
  {
    QFETCH(int, mode);
    QFETCH(QList<QByteArray>, denied);
    QFETCH(QList<QByteArray>, rows);
    QFETCH(bool, quiet);
    // Permission bits deny root nothing, so as root the check runs as nobody.
    const bool Root = geteuid() == 0;
    if (Root && QStandardPaths::findExecutable("setpriv").isEmpty())
      QSKIP("setpriv is needed to scan as an unprivileged user");
    TTestTree Tree;
    Tree.Folder("locked");
    Tree.Folder("locked/inner");
    Tree.File("locked/f", 100);
    QVERIFY(chmod(Tree.Top().c_str(), 0755) == 0);
    QVERIFY(chmod(Tree.Path("locked").c_str(), mode) == 0);
    // Nobody may not write the test's home, where the scan would be remembered.
    QList<QByteArray> Arguments{"--nogui", "--no-history",   "--cluster-size", "4096", "--export",
                                "-",       Bytes(Tree.Top())};
    if (quiet)
      Arguments.prepend("--quiet");
    if (Root)
      Arguments = QList<QByteArray>{"--reuid=65534", "--regid=65534", "--clear-groups", SPACELENS_BINARY} + Arguments;
    const TResult Run = Root ? Spacelens(Arguments, "setpriv") : Spacelens(Arguments);
    chmod(Tree.Path("locked").c_str(), 0755);
    // Incomplete, quiet or not: as du says it.
    QCOMPARE(Run.Status, 1);
    QByteArray Err;
    for (const QByteArray& Folder : denied)
      Err += "Path " + Bytes(Tree.Path(Folder.toStdString())) + ": Permission denied\n";
    QCOMPARE(Run.Err, Err);
    for (const QByteArray& Row : rows)
      QVERIFY2(Run.Out.contains(Bytes(Tree.Top()) + "/" + Row + "\n"), Row.constData());
    QCOMPARE(Run.Out.count("inner"), rows.size() - 1);
    // The top holds a folder that could not be read: its figures are a
    // lower bound, and say so.
    const QList<QByteArray> Lines = Run.Out.split('\n');
    const auto Top = std::find_if(Lines.begin(), Lines.end(),
                                  [&](const QByteArray& Line) { return Line.startsWith(Bytes(Tree.Top()) + "/,"); });
    QVERIFY(Top != Lines.end());
    QCOMPARE(Top->split(',').value(8), QByteArray("1"));
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
    if (depth > 0) {
      // Each file once: the chain's folders and files, a/f and the file at
      // level 70 counted once beside their other names.
      const auto Row = [&](const QByteArray& Folder) {
        for (const QByteArray& Line : Scan.Out.split('\n'))
          if (Line.startsWith(Top + Folder + ","))
            return Line.split(',');
        return QList<QByteArray>();
      };
      const int Chain = 100 * depth * (depth + 1) / 2;
      QCOMPARE(Row("/").value(3), QByteArray::number(10 + 2 * depth));
      QCOMPARE(Row("/").value(5), QByteArray::number(1062676 + Chain));
      QCOMPARE(Row("/b/").value(5), QByteArray::number(5000 + (1 << 20) + 7000));
      QCOMPARE(Row("/a/").value(5), QByteArray::number(5000 + 100 + Chain));
      return;
    }
    QVERIFY(Scan.Out.contains(Top + "/\xfa\xfb/,4,808,2,1,9000,16384,"));
    // Each name counts once, the sparse file by its blocks.
    QVERIFY(Scan.Out.contains(Top + "/,268,5908,10,0,1062676,49152,"));
  }

  void ncduPeers_data()
  {
    QTest::addColumn<QByteArray>("peer");
    QTest::addColumn<bool>("peerWrites");  // else it reads what Spacelens wrote
    QTest::newRow("ncdu reads") << QByteArray("ncdu") << false;
    QTest::newRow("gdu reads") << QByteArray("gdu") << false;
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
    const QList<QByteArray> Quiet = peer == "gdu" ? QList<QByteArray>{"-n", "-p"} : QList<QByteArray>{};
    if (peerWrites) {
      // Its own scan, read as a scan of the same tree would count it. gdu
      // marks only the later names of a file as such: each name counts.
      QCOMPARE(Spacelens(Quiet + QList<QByteArray>{"-o", Theirs, Top}, peer).Status, 0);
      const QList<QByteArray> Options{
        "--nogui", "--cluster-size", "4096", "--hard-links", peer == "gdu" ? "each" : "once", "--export", "-"};
      const TResult Import = Spacelens(Options + QList<QByteArray>{"--import", Theirs});
      QCOMPARE(Import.Err, QByteArray());
      QCOMPARE(Table(Import.Out, false), Table(Spacelens(Options + QList<QByteArray>{Top}).Out, false));
    } else if (peer == "gdu") {
      // The same totals as its own scan, on disk and apparent.
      QCOMPARE(Spacelens({"--nogui", "--export-ncdu", Ours, Top}).Status, 0);
      for (const QList<QByteArray>& Measure : {QList<QByteArray>{}, QList<QByteArray>{"-a"}}) {
        const QList<QByteArray> Total = Quiet + Measure + QList<QByteArray>{"-s", "--no-prefix"};
        const TResult Read = Spacelens(Total + QList<QByteArray>{"-f", Ours}, peer);
        QCOMPARE(Read.Status, 0);
        QCOMPARE(Read.Out.split(' ').first(), Spacelens(Total + QList<QByteArray>{Top}, peer).Out.split(' ').first());
      }
    } else {
      // It reads the file and writes back what its own scan writes.
      QCOMPARE(Spacelens({"--nogui", "--export-ncdu", Ours, Top}).Status, 0);
      QCOMPARE(Spacelens({"-f", Ours, "-o", Theirs}, peer).Status, 0);
      QCOMPARE(Table(Spacelens({"--nogui", "--cluster-size", "4096", "--import", Theirs, "--export", "-"}).Out, false),
               Table(Spacelens({"--nogui", "--cluster-size", "4096", "--import", Ours, "--export", "-"}).Out, false));
    }
  }

  void importRefused_data()
  {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("reason");
    const QByteArray Head = "[1,2,{\"progname\":\"x\"},\n[{\"name\":\"/srv\"},";
    QTest::newRow("cut short") << Head + "{\"name\":\"a\",\"asize\":10},[{\"name\":\"b\"}"
                               << QByteArray("ends too soon");
    QTest::newRow("empty") << QByteArray() << QByteArray("(byte 0): the file is empty");
    QTest::newRow("another format") << QByteArray("path,clusters\n/srv/,1\n")
                                    << QByteArray("(byte 0): this is no JSON export of ncdu or gdu (Invalid value");
    QTest::newRow("an object") << QByteArray("{\"name\":\"/srv\"}") << QByteArray("does not start with");
    QTest::newRow("version") << QByteArray("[2,0,{},[{\"name\":\"/srv\"}]]") << QByteArray("format version 2");
    QTest::newRow("no folder") << QByteArray("[1,0,{}]") << QByteArray("ends before its top folder");
    QTest::newRow("slash in a name") << Head + "{\"name\":\"a/b\",\"asize\":1}]]" << QByteArray("\"a/b\" cannot be");
    QTest::newRow("negative size") << Head + "{\"name\":\"a\",\"asize\":-5}]]"
                                   << QByteArray("\"asize\" is not a whole");
    QTest::newRow("huge size") << Head + "{\"name\":\"a\",\"asize\":18446744073709551615}]]"
                               << QByteArray("larger than any file");
    QTest::newRow("size as text") << Head + "{\"name\":\"a\",\"asize\":\"5\"}]]" << QByteArray("wrong kind");
    QTest::newRow("size as a flag") << Head + "{\"name\":\"a\",\"asize\":true}]]"
                                    << QByteArray("\"asize\" has a value of the wrong kind");
    QTest::newRow("size as a large double")
      << Head + "{\"name\":\"a\",\"asize\":1e19}]]" << QByteArray("\"asize\" is larger than any file can be");
    QTest::newRow("size beyond 64 bits") << Head + "{\"name\":\"a\",\"asize\":18446744073709551616}]]"
                                         << QByteArray("\"asize\" is larger than any file can be");
    QTest::newRow("version as a fraction")
      << QByteArray("[2.5,0,{},[{\"name\":\"/srv\"}]]") << QByteArray("format version 2 is not known");
    QTest::newRow("folder without info") << Head + "[]]]" << QByteArray("without its info");
    QTest::newRow("nested too deep") << Head + QByteArray("[{\"name\":\"d\"},").repeated(150000)
                                     << QByteArray("deeper than 100000");
    QTest::newRow("a FIFO cut short") << Head + "{\"name\":\"a\"" << QByteArray("(byte 51): the export ends too soon");
    const QByteArray Whole = Head + "{\"name\":\"a\",\"asize\":10}]]\n";
    QTest::newRow("two exports") << Whole + Whole << QByteArray("data after the end of the export");
    QTest::newRow("a name longer than a path may be")
      << Head + "{\"name\":\"" + QByteArray(4097, 'n') + "\",\"asize\":1}]]" << QByteArray("a name of 4097 bytes");
    QTest::newRow("garbage after it") << Whole + "x" << QByteArray("data after the end of the export");
    // Lone surrogates, high or low, refused alike where the first stands.
    for (const auto& [Lone, At] : {std::pair{"\\ud800", "50"},
                                   {"\\udc00", "50"},
                                   {"\\ud800\\ud800", "50"},
                                   {"\\udc00\\ud800", "56"},
                                   {"\\ud800\\udc00\\udc00", "62"}})
      QTest::newRow(Lone) << Head + "{\"name\":\"a" + Lone + "b\",\"asize\":1}]]"
                          << "(byte " + QByteArray(At) + "): The surrogate pair in string is invalid";
  }
  void importRefused()
  {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, reason);
    QTemporaryDir Files;
    QFile Json(Files.filePath("scan.json"));
    // A FIFO is read as its writer writes, to its end.
    std::thread Writer;
    if (QTest::currentDataTag() == QByteArray("a FIFO cut short")) {
      QVERIFY(mkfifo(QFile::encodeName(Json.fileName()).constData(), 0644) == 0);
      Writer = std::thread([&Json, &text] {
        QFile Fifo(Json.fileName());
        if (Fifo.open(QIODevice::WriteOnly))
          Fifo.write(text);
      });
    } else {
      QVERIFY(Json.open(QIODevice::WriteOnly) && Json.write(text) == text.size());
      Json.close();
    }
    const TResult Run = Spacelens({"--nogui", "--import", Json.fileName().toLocal8Bit(), "--export", "-"});
    if (Writer.joinable())
      Writer.join();
    QCOMPARE(Run.Status, 1);
    QVERIFY2(Run.Err.startsWith("Cannot import " + Json.fileName().toLocal8Bit()), Run.Err.constData());
    QVERIFY2(Run.Err.contains(reason), Run.Err.constData());
    QCOMPARE(Run.Out.count('\n'), 1);  // the table's head, no folder of it
  }

  void escapedNames()
  {
    // A pair of surrogates is one character; an escaped backslash before
    // "udc00" is no surrogate at all; the bytes a lone one decodes to, written
    // as they are, are a name's bytes from disk.
    QTemporaryDir Files;
    QFile Json(Files.filePath("names.json"));
    const QByteArray Text =
      "[1,2,{},[{\"name\":\"/srv\"},{\"name\":\"\\ud83d\\ude00\",\"asize\":1},"
      "{\"name\":\"x\\\\udc00\",\"asize\":2},{\"name\":\"\xed\xb0\x80\\\\udc00\",\"asize\":4},"
      "[{\"name\":\"\\u00e9\\\\\"}]]]";
    QVERIFY(Json.open(QIODevice::WriteOnly) && Json.write(Text) == Text.size());
    Json.close();
    const TResult Run = Spacelens({"--nogui", "--import", Json.fileName().toLocal8Bit(), "--export", "-"});
    QCOMPARE(Run.Err, QByteArray());
    QCOMPARE(Run.Status, 0);
    QVERIFY2(Run.Out.contains("\n/srv/\xc3\xa9\\/,"), Run.Out.constData());
    QCOMPARE(Run.Out.split('\n').value(1).split(',').value(5), QByteArray("7"));
  }

  void sizesBeyond64Bits_data()
  {
    QTest::addColumn<QList<qulonglong>>("sizes");  // of the files, each taking one cluster on disk
    QTest::addColumn<QByteArray>("allocated");
    QTest::newRow("three of 8 EiB") << QList<qulonglong>{9223372036854775807u, 9223372036854775807u,
                                                         9223372036854775807u}
                                    << QByteArray("20480");
    // Whole clusters fit in 64 bits; the last bytes of each do not.
    QTest::newRow("past it by the last bytes")
      << QList<qulonglong>{9223372036854775807u, 9223372036854775807u, 8192} << QByteArray("20480");
  }
  void sizesBeyond64Bits()
  {
    // The totals stay at the most 64 bits hold, in the summary and the
    // table alike, and the user is told.
    QFETCH(QList<qulonglong>, sizes);
    QFETCH(QByteArray, allocated);
    QTemporaryDir Files;
    QFile Json(Files.filePath("huge.json"));
    QByteArray Text = "[1,2,{\"progname\":\"x\"},\n[{\"name\":\"/srv\"},[{\"name\":\"d\"}";
    for (int Index = 0; Index < sizes.size(); ++Index)
      Text += ",{\"name\":\"f" + QByteArray::number(Index) + "\",\"asize\":" + QByteArray::number(sizes[Index])
        + ",\"dsize\":4096}";
    Text += "]]]";
    QVERIFY(Json.open(QIODevice::WriteOnly) && Json.write(Text) == Text.size());
    Json.close();
    const QByteArray Path = Json.fileName().toLocal8Bit();
    const TResult Summary = Spacelens({"--nogui", "--cluster-size", "4096", "--import", Path});
    QCOMPARE(Summary.Status, 0);
    QCOMPARE(Summary.Out, "/srv\t18446744073709551615 bytes\t" + allocated + " bytes allocated\t5 objects\n");
    QVERIFY2(Summary.Err.contains("more than 64 bits can count"), Summary.Err.constData());
    const TResult Csv = Spacelens({"--nogui", "--cluster-size", "4096", "--import", Path, "--export", "-"});
    QCOMPARE(Csv.Status, 0);
    const QList<QByteArray> Rows = Csv.Out.split('\n');
    QCOMPARE(Rows.value(1).split(',').value(5), QByteArray("18446744073709551615"));
    QCOMPARE(Rows.value(2).split(',').value(5), QByteArray("18446744073709551615"));
  }

  void badArguments_data()
  {
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::newRow("unknown option") << QList<QByteArray>{"--nogui", "--fast", "/tmp"};
    QTest::newRow("cluster size not offered") << QList<QByteArray>{"--nogui", "--cluster-size", "1000", "/tmp"};
    QTest::newRow("cluster size missing") << QList<QByteArray>{"--nogui", "/tmp", "--cluster-size"};
    QTest::newRow("no folder") << QList<QByteArray>{"--nogui"};
    QTest::newRow("hard links neither") << QList<QByteArray>{"--nogui", "--hard-links", "twice", "/tmp"};
    QTest::newRow("no pattern file") << QList<QByteArray>{"--nogui", "--exclude-from", "/nonexistent/list", "/tmp"};
    QTest::newRow("an order without --top") << QList<QByteArray>{"--nogui", "--top-by", "newest", "/tmp"};
    QTest::newRow("an order not known") << QList<QByteArray>{"--nogui", "--top", "3", "--top-by", "biggest", "/tmp"};
    QTest::newRow("no files at the top") << QList<QByteArray>{"--nogui", "--top", "0", "/tmp"};
    QTest::newRow("the top of an import") << QList<QByteArray>{"--nogui", "--top", "3", "--import", "/tmp/x.json"};
    QTest::newRow("exclude without a pattern") << QList<QByteArray>{"--nogui", "/tmp", "--exclude"};
    QTest::newRow("types and top") << QList<QByteArray>{"--nogui", "--types", "--top", "3", "/tmp"};
    QTest::newRow("the types of an import") << QList<QByteArray>{"--nogui", "--types", "--import", "/tmp/x.json"};
    QTest::newRow("ncdu export of two") << QList<QByteArray>{"--nogui", "--export-ncdu", "-", "/tmp", "/usr"};
  }
  void topFiles_data()
  {
    QTest::addColumn<QList<QByteArray>>("options");
    QTest::addColumn<QByteArray>("order");  // size, allocated, newest or oldest
    QTest::addColumn<int>("count");
    QTest::newRow("largest") << QList<QByteArray>{} << QByteArray("size") << 4;
    QTest::newRow("by allocated") << QList<QByteArray>{"--top-by", "allocated"} << QByteArray("allocated") << 3;
    QTest::newRow("newest") << QList<QByteArray>{"--top-by", "newest"} << QByteArray("newest") << 5;
    QTest::newRow("oldest, more than there are")
      << QList<QByteArray>{"--top-by", "oldest"} << QByteArray("oldest") << 50;
    QTest::newRow("each name") << QList<QByteArray>{"--hard-links", "each"} << QByteArray("size") << 50;
    QTest::newRow("filtered") << QList<QByteArray>{"--filter", "*.txt", "--exclude", "b"} << QByteArray("size") << 50;
  }
  void topFiles()
  {
    // The ranking equals one made from find's listing of the same tree:
    // ties by path, a file with several names once by its first path
    // (unless each name counts), sparse files by what they take on disk.
    QFETCH(QList<QByteArray>, options);
    QFETCH(QByteArray, order);
    QFETCH(int, count);
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("b");
    Tree.Folder("a/c");
    int Time = 1600000000;
    for (const char* Name : {"a/one.txt", "a/two.txt", "b/same.bin", "a/c/same.bin", "z.txt", "a/c/new.txt"})
      Tree.File(Name, std::strlen(Name) * 1000, 0, Time += 3600);
    Tree.File("b/tie.txt", 9000, 0, 1600000000 + 3600);  // as large and as old as a/one.txt
    Tree.Sparse("a/sparse.txt", 1 << 24);
    QVERIFY(link(Tree.Path("a/c/new.txt").c_str(), Tree.Path("b/another name.txt").c_str()) == 0);
    Tree.File("a/empty.txt", 0);
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Run =
      Spacelens(QList<QByteArray>{"--nogui", "--cluster-size", "4096", "--top", QByteArray::number(count)} + options
                + QList<QByteArray>{Top});
    QCOMPARE(Run.Err, QByteArray());
    QCOMPARE(Run.Status, 0);

    QProcess Find;
    Find.start("find", {Tree.Top().c_str(), "-type", "f", "-size", "+0", "-printf", "%p\t%s\t%b\t%T@\t%i\n"});
    QVERIFY(Find.waitForFinished());
    struct TSeen {
      QByteArray Path;
      qulonglong Size, Allocated;
      double Write;
      QByteArray Inode;
    };
    std::vector<TSeen> Files;
    for (const QByteArray& Line : Find.readAllStandardOutput().split('\n')) {
      const QList<QByteArray> Fields = Line.split('\t');
      if (Fields.size() < 5)
        continue;
      if (options.contains("--filter") && (!Fields[0].endsWith(".txt") || Fields[0].startsWith(Top + "/b/")))
        continue;
      const qulonglong Size = Fields[1].toULongLong(), Clusters = (Size + 4095) / 4096;
      const qulonglong OnDisk = (Fields[2].toULongLong() * 512 + 4095) / 4096;
      Files.push_back({Fields[0], Size, std::min(Clusters, OnDisk) * 4096, Fields[3].toDouble(), Fields[4]});
    }
    const auto Key = [&](const TSeen& File) {
      return order == "size"   ? double(File.Size)
        : order == "allocated" ? double(File.Allocated)
        : order == "newest"    ? File.Write
                               : -File.Write;
    };
    std::sort(Files.begin(), Files.end(),
              [&](const TSeen& A, const TSeen& B) { return Key(A) != Key(B) ? Key(A) > Key(B) : A.Path < B.Path; });
    QByteArrayList Expected{"path,size_bytes,allocated_bytes"};
    std::set<QByteArray> Inodes;
    for (const TSeen& File : Files)
      if (options.contains("each") || Inodes.insert(File.Inode).second)
        if (Expected.size() <= count)
          Expected << File.Path + ',' + QByteArray::number(File.Size) + ',' + QByteArray::number(File.Allocated);
    QByteArrayList Got;
    for (const QByteArray& Line : Run.Out.split('\n'))
      if (!Line.isEmpty())
        Got << Line.split(',').mid(0, 3).join(',');
    QCOMPARE(Got, Expected);
    QVERIFY(Run.Out.startsWith("path,size_bytes,allocated_bytes,last_write,last_access,kind,links\n"));
  }

  // --types: the files summed by extension, the largest first, against a
  // count made here from the sizes written and what find says is on disk.
  void types_data()
  {
    QTest::addColumn<QList<QByteArray>>("options");
    // extension,class,files of each row, the largest first (by size; ties by
    // extension, then class): the sizes follow from find.
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("names once") << QList<QByteArray>{}
                                << QByteArray("img,archive,1 tar.gz,archive,2 jpg,image,3 ,program,1 ,other,2");
    QTest::newRow("each name") << QList<QByteArray>{"--hard-links", "each"}
                               << QByteArray("img,archive,1 tar.gz,archive,3 jpg,image,3 ,program,1 ,other,2");
    QTest::newRow("filtered, excluded") << QList<QByteArray>{"--filter", "*.jpg *.gz", "--exclude", "b"}
                                        << QByteArray("tar.gz,archive,1 jpg,image,2");
  }
  void types()
  {
    QFETCH(QList<QByteArray>, options);
    QFETCH(QByteArray, expected);
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("b");
    const std::vector<std::pair<const char*, off_t>> Files{
      {"a/one.JPG", 3000},  {"a/two.jpg", 5000}, {"b/three.Jpg", 7000}, {"x.tar.gz", 20000},
      {"b/y.TAR.GZ", 9000}, {"README", 100},     {".bashrc", 200},      {"tool", 300}};
    for (const auto& [Name, Size] : Files)
      Tree.File(Name, Size);
    QCOMPARE(chmod(Tree.Path("tool").c_str(), 0755), 0);
    Tree.Sparse("a/disk.img", 1 << 24);
    QVERIFY(link(Tree.Path("x.tar.gz").c_str(), Tree.Path("a/again.tar.gz").c_str()) == 0);
    const TResult Run = Spacelens(QList<QByteArray>{"--nogui", "--cluster-size", "4096", "--types"} + options
                                  + QList<QByteArray>{Bytes(Tree.Top())});
    QCOMPARE(Run.Err, QByteArray());
    QCOMPARE(Run.Status, 0);
    // Each name's size and clusters on disk, as find tells them.
    QProcess Find;
    Find.start("find", {Tree.Top().c_str(), "-type", "f", "-printf", "%P\t%s\t%b\n"});
    QVERIFY(Find.waitForFinished());
    std::map<QByteArray, std::pair<qulonglong, qulonglong>> Seen;
    for (const QByteArray& Line : Find.readAllStandardOutput().split('\n'))
      if (const QList<QByteArray> Fields = Line.split('\t'); Fields.size() == 3) {
        const qulonglong Size = Fields[1].toULongLong();
        const qulonglong Clusters = std::min((Size + 4095) / 4096, (Fields[2].toULongLong() * 512 + 4095) / 4096);
        Seen[Fields[0]] = {Size, Clusters * 4096};
      }
    // The names of each expected row: the ones it sums.
    const std::map<QByteArray, QByteArrayList> Members{{"tar.gz,archive", {"x.tar.gz", "b/y.TAR.GZ", "a/again.tar.gz"}},
                                                       {"jpg,image", {"a/one.JPG", "a/two.jpg", "b/three.Jpg"}},
                                                       {"img,archive", {"a/disk.img"}},
                                                       {",program", {"tool"}},
                                                       {",other", {"README", ".bashrc"}}};
    QByteArrayList Expected{"extension,class,files,size_bytes,allocated_bytes"};
    for (const QByteArray& Row : expected.split(' ')) {
      const QByteArray Type = Row.left(Row.lastIndexOf(','));
      const int Count = Row.mid(Row.lastIndexOf(',') + 1).toInt();
      qulonglong Size = 0, Allocated = 0;
      int Taken = 0;
      for (const QByteArray& Name : Members.at(Type))
        if (Taken < Count && !(options.contains("b") && Name.startsWith("b/"))) {
          Size += Seen.at(Name).first;
          Allocated += Seen.at(Name).second;
          ++Taken;
        }
      Expected << Row + ',' + QByteArray::number(Size) + ',' + QByteArray::number(Allocated);
    }
    QCOMPARE(Run.Out.trimmed().split('\n'), Expected);
  }

  // Several folders: each row says whose it is.
  void typesOfSeveral()
  {
    TTestTree Tree;
    Tree.Folder("a");
    Tree.File("a/x.txt", 100);
    Tree.File("y.PNG", 200);
    const TResult Run =
      Spacelens({"--nogui", "--cluster-size", "4096", "--types", Bytes(Tree.Top()), Bytes(Tree.Path("a"))});
    QCOMPARE(Run.Status, 0);
    const QByteArray Top = Bytes(Tree.Top());
    QCOMPARE(Run.Out,
             "folder,extension,class,files,size_bytes,allocated_bytes\n" + Top + ",png,image,1,200,4096\n" + Top
               + ",txt,document,1,100,4096\n" + Top + "/a,txt,document,1,100,4096\n");
  }

  void excludeOptions_data()
  {
    QTest::addColumn<QList<QByteArray>>("options");  // "LIST" stands for a file of patterns
    QTest::addColumn<QByteArray>("rows");            // the folders in the table, by name
    QTest::addColumn<QByteArray>("size");            // the top's
    QTest::newRow("none") << QList<QByteArray>{} << QByteArray("/ a/ a/.cache/ b/ b/build/") << QByteArray("1000");
    QTest::newRow("a name and a wildcard") << QList<QByteArray>{"--exclude", ".cache", "--exclude", "*.o"}
                                           << QByteArray("/ a/ b/ b/build/") << QByteArray("890");
    QTest::newRow("a path") << QList<QByteArray>{"--exclude", "b/build"} << QByteArray("/ a/ a/.cache/ b/")
                            << QByteArray("600");
    QTest::newRow("from a file") << QList<QByteArray>{"--exclude-from", "LIST"} << QByteArray("/ a/ b/ b/build/")
                                 << QByteArray("890");
    QTest::newRow("both") << QList<QByteArray>{"--exclude", "b", "--exclude-from", "LIST"} << QByteArray("/ a/")
                          << QByteArray("90");
  }
  void excludeOptions()
  {
    QFETCH(QList<QByteArray>, options);
    QFETCH(QByteArray, rows);
    QFETCH(QByteArray, size);
    TTestTree Tree;
    Tree.Folder("a");
    Tree.Folder("a/.cache");
    Tree.Folder("b");
    Tree.Folder("b/build");
    Tree.File("a/f.o", 10);
    Tree.File("a/f.c", 90);
    Tree.File("a/.cache/c", 100);
    Tree.File("b/g", 400);
    Tree.File("b/build/h", 400);
    QTemporaryDir Files;
    QFile List(Files.filePath("patterns"));
    QVERIFY(List.open(QIODevice::WriteOnly) && List.write("# a name that is no file\n.cache\r\n\n*.o") > 0);
    List.close();
    std::replace(options.begin(), options.end(), QByteArray("LIST"), List.fileName().toLocal8Bit());
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Run = Spacelens(QList<QByteArray>{"--nogui", "--export", "-"} + options + QList<QByteArray>{Top});
    QCOMPARE(Run.Status, 0);
    QByteArrayList Folders;
    for (const QByteArray& Line : Run.Out.split('\n').mid(1))
      if (!Line.isEmpty())
        Folders << "/" + Line.split(',').first().mid(Top.size() + 1);
    for (QByteArray& Folder : Folders)
      Folder = Folder.size() > 1 ? Folder.mid(1) : Folder;
    QCOMPARE(Folders.join(' '), rows);
    QCOMPARE(Run.Out.split('\n').value(1).split(',').value(5), size);
  }

  void badArguments()
  {
    QFETCH(QList<QByteArray>, arguments);
    const TResult Run = Spacelens(arguments);
    QCOMPARE(Run.Status, 2);
    QVERIFY(Run.Err.contains("Usage: spacelens --nogui"));
    QCOMPARE(Run.Out, QByteArray());
  }

  // Any option means no window; without a display, the window says why it
  // cannot open instead of aborting.
  void optionsImplyNoWindow_data()
  {
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("an export") << QList<QByteArray>{"--export", "-", "FOLDER"} << 0 << QByteArray("path,clusters,")
                               << QByteArray();
    QTest::newRow("an unknown option") << QList<QByteArray>{"--fast", "FOLDER"} << 2 << QByteArray()
                                       << QByteArray("unknown option --fast");
    QTest::newRow("a folder, no display")
      << QList<QByteArray>{"FOLDER"} << 1 << QByteArray() << QByteArray("no display; use --nogui");
  }
  void optionsImplyNoWindow()
  {
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    TTestTree Tree;
    for (QByteArray& Argument : arguments)
      if (Argument == "FOLDER")
        Argument = Bytes(Tree.Top());
    const QByteArray Platform = qgetenv("QT_QPA_PLATFORM"), Display = qgetenv("DISPLAY"),
                     Wayland = qgetenv("WAYLAND_DISPLAY");
    for (const char* Name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
      qunsetenv(Name);
    const TResult Run = Spacelens(arguments);
    for (const auto& [Name, Value] :
         {std::pair{"QT_QPA_PLATFORM", Platform}, {"DISPLAY", Display}, {"WAYLAND_DISPLAY", Wayland}})
      if (!Value.isEmpty())
        qputenv(Name, Value);
    QCOMPARE(Run.Status, status);
    QVERIFY2(Run.Out.startsWith(out), Run.Out.constData());
    QVERIFY2(Run.Err.contains(err), Run.Err.constData());
  }

  void helpAndVersion()
  {
    const TResult Help = Spacelens({"--help"});
    QCOMPARE(Help.Status, 0);
    QVERIFY(Help.Out.contains("--export FILE"));
    const TResult Version = Spacelens({"--version"});
    QCOMPARE(Version.Status, 0);
    QVERIFY(Version.Out.startsWith("Spacelens "));
  }

  void filterAndLinks()
  {
    TTestTree Tree;
    Tree.File("a.txt", 100);
    Tree.File("b.jpg", 100);
    Tree.Folder("target");
    Tree.File("target/c.txt", 100);
    Tree.Link("link", "target");
    const QByteArray Top = Bytes(Tree.Top());
    const TResult Plain = Spacelens({"--nogui", "--filter", "*.txt", "--export=-", Top});
    QVERIFY(Plain.Out.contains(Top + "/,"));
    QVERIFY(Plain.Out.contains(Top + "/link/,1,0,1,0,"));
    const TResult Followed = Spacelens({"--nogui", "--filter=*.txt", "--follow-links", "--export", "-", Top});
    QVERIFY(Followed.Out.contains(Top + "/link/,2,100,2,1,"));
    // Summary without an export: the top folder holds a.txt and both c.txt.
    const TResult Summary = Spacelens({"--nogui", "--cluster-size", "512", "--filter", "*.txt", "--follow-links", Top});
    QCOMPARE(Summary.Status, 0);
    QVERIFY2(Summary.Out.startsWith(Top + "\t300 bytes\t"), Summary.Out.constData());
  }

  void exportToFileAndFailures()
  {
    TTestTree Tree;
    Tree.Folder("x");
    const QByteArray Out = Bytes(Tree.Path("table.csv"));
    QCOMPARE(Spacelens({"--nogui", "--export", Out, Bytes(Tree.Path("x"))}).Status, 0);
    QFile File(QString::fromLocal8Bit(Out));
    QVERIFY(File.open(QIODevice::ReadOnly));
    QCOMPARE(File.readAll().count('\n'), 2);
    // Nothing half-written stays beside it.
    QCOMPARE(QDir(QString::fromStdString(Tree.Top())).entryList(QDir::Files), QStringList{"table.csv"});

    // Standard output full: said, for the table and the ncdu export alike.
    for (const char* Option : {"--export", "--export-ncdu"}) {
      const TResult Stdout = Spacelens({"--nogui", Option, "-", Bytes(Tree.Path("x"))}, SPACELENS_BINARY, "/dev/full");
      QCOMPARE(Stdout.Status, 1);
      QVERIFY2(Stdout.Err.contains("Cannot write standard output: No space left on device"), Stdout.Err.constData());
    }

    // The summary is output too: a full disk is a failure.
    const TResult Summary = Spacelens({"--nogui", Bytes(Tree.Path("x"))}, SPACELENS_BINARY, "/dev/full");
    QCOMPARE(Summary.Status, 1);
    QVERIFY(Summary.Err.contains("No space left on device"));

    const TResult Nowhere =
      Spacelens({"--nogui", "--export", Bytes(Tree.Path("no/such/dir.csv")), Bytes(Tree.Path("x"))});
    QCOMPARE(Nowhere.Status, 1);
    QVERIFY(Nowhere.Err.contains("Cannot write"));
  }

  void exportKeepsModeAndLinks()
  {
    TTestTree Tree;
    Tree.Folder("x");
    umask(022);
    const std::string Table = Tree.Path("table.csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Table), Bytes(Tree.Path("x"))}).Status, 0);
    struct stat Data;
    QVERIFY(stat(Table.c_str(), &Data) == 0);
    QCOMPARE(Data.st_mode & 07777, mode_t(0644));
    // Written through a link, the link stays and its file gets the table.
    QVERIFY(chmod(Table.c_str(), 0600) == 0);
    Tree.Link("link.csv", "table.csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Tree.Path("link.csv")), Bytes(Tree.Top())}).Status, 0);
    QVERIFY(lstat(Tree.Path("link.csv").c_str(), &Data) == 0 && S_ISLNK(Data.st_mode));
    QVERIFY(stat(Table.c_str(), &Data) == 0);
    QCOMPARE(Data.st_mode & 07777, mode_t(0600));
    QFile File(QString::fromStdString(Table));
    QVERIFY(File.open(QIODevice::ReadOnly));
    QCOMPARE(File.readAll().count('\n'), 3);  // header, the top and x

    // A link to a file not made yet makes that file and stays a link.
    Tree.Link("dangling.csv", "new.csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Tree.Path("dangling.csv")), Bytes(Tree.Top())}).Status, 0);
    QVERIFY(lstat(Tree.Path("dangling.csv").c_str(), &Data) == 0 && S_ISLNK(Data.st_mode));
    QVERIFY(stat(Tree.Path("new.csv").c_str(), &Data) == 0 && S_ISREG(Data.st_mode));

    // A file of another user replaced keeps its mode, never gets the
    // writer's table handed over as that user's.
    if (geteuid() == 0) {
      QVERIFY(chown(Table.c_str(), 65534, 65534) == 0);
      QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Table), Bytes(Tree.Top())}).Status, 0);
      QVERIFY(stat(Table.c_str(), &Data) == 0);
      QCOMPARE(Data.st_uid, geteuid());
      QCOMPARE(Data.st_mode & 07777, mode_t(0600));
    }
    // A name as long as a name may be: no longer temporary name beside it.
    const std::string Long = Tree.Path(std::string(248, 'n') + ".csv");
    QCOMPARE(Spacelens({"--nogui", "--export", Bytes(Long), Bytes(Tree.Path("x"))}).Status, 0);
    QVERIFY(stat(Long.c_str(), &Data) == 0);
    QCOMPARE(QDir(QString::fromStdString(Tree.Top())).entryList(QDir::Files | QDir::Hidden).filter(".sl").size(), 0);
  }

  // Output that must not be written: a pipe or a device named as a file,
  // and, in a sticky folder all may write to, a link or a file planted by
  // another user (here nobody), which would hand the writer's output over.
  void hostileTargets_data()
  {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("a pipe") << QByteArray("fifo") << QByteArray("not a regular file");
    QTest::newRow("a device") << QByteArray("device") << QByteArray("not a regular file");
    QTest::newRow("another user's link in a shared folder") << QByteArray("link") << QByteArray("Permission denied");
    QTest::newRow("another user's file in a shared folder") << QByteArray("file") << QByteArray("Permission denied");
  }
  void hostileTargets()
  {
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, reason);
    TTestTree Tree;
    Tree.Folder("x");
    Tree.Folder("shared");
    Tree.Folder("secret");
    Tree.File("secret/kept", 10);
    QVERIFY(chmod(Tree.Path("shared").c_str(), 01777) == 0);
    std::string Target = Tree.Path("shared/report.csv");
    if (kind == "fifo") {
      QVERIFY(mkfifo(Target.c_str(), 0644) == 0);
    } else if (kind == "device") {
      // A device of its own, never the system's: a fault would replace it.
      if (geteuid() != 0)
        QSKIP("making a device needs the administrator");
      QVERIFY(mknod(Target.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0);
    } else {
      if (geteuid() != 0)
        QSKIP("another user's file needs the administrator to plant it");
      if (kind == "link")
        QVERIFY(symlink(Tree.Path("secret/kept").c_str(), Target.c_str()) == 0);
      else
        Tree.File("shared/report.csv", 5);
      QVERIFY(lchown(Target.c_str(), 65534, 65534) == 0);
    }
    QElapsedTimer Clock;
    Clock.start();
    const TResult Run = Spacelens({"--nogui", "--export", Bytes(Target), Bytes(Tree.Path("x"))});
    QCOMPARE(Run.Status, 1);
    QVERIFY2(Run.Err.contains("Cannot write " + Bytes(Target) + ": " + reason), Run.Err.constData());
    struct stat Data;
    QVERIFY(stat(Tree.Path("secret/kept").c_str(), &Data) == 0 && Data.st_size == 10);
    if (kind == "file")
      QVERIFY(stat(Target.c_str(), &Data) == 0 && Data.st_size == 5 && Data.st_uid == 65534);
  }

  void exportOfFoldersGoneSinceTheScan()
  {
    // The scan's own threads have folders there while it runs, gone when
    // the export reads the folders again.
    QTemporaryDir Files;
    const QByteArray Json = Files.filePath("task.json").toLocal8Bit();
    const TResult Run = Spacelens({"--nogui", "--export-ncdu", Json, "/proc/self/task"});
    QCOMPARE(Run.Status, 1);
    QVERIFY2(Run.Err.contains(" changed since the scan: "), Run.Err.constData());
    QFile Written(QString::fromLocal8Bit(Json));
    QVERIFY(Written.open(QIODevice::ReadOnly) && Written.readAll().contains("\"read_error\":true"));
  }

  void writableFileInAClosedFolder()
  {
    // A user may write the file but not add to its folder: no temporary
    // can be made there, so the file is written in place, as ">" would,
    // and the user is told it was not atomic.
    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
      QSKIP("acting as another user needs the administrator and setpriv");
    TTestTree Tree;
    QVERIFY(chmod(Tree.Top().c_str(), 0755) == 0);
    Tree.Folder("x");
    Tree.File("x/f", 100);
    Tree.Folder("closed");
    Tree.File("closed/report.csv", 100000);
    const std::string Target = Tree.Path("closed/report.csv");
    QVERIFY(chown(Target.c_str(), 65534, 65534) == 0);
    const TResult Run = Spacelens({"--reuid=65534", "--regid=65534", "--clear-groups", SPACELENS_BINARY, "--nogui",
                                   "--export", Bytes(Target), Bytes(Tree.Path("x"))},
                                  "setpriv");
    QCOMPARE(Run.Status, 0);
    QVERIFY2(Run.Err.contains(Bytes(Target) + ": written in place, not atomically"), Run.Err.constData());
    QFile Written(QString::fromStdString(Target));
    QVERIFY(Written.open(QIODevice::ReadOnly));
    const QByteArray Text = Written.readAll();
    QVERIFY2(Text.startsWith("path,") && Text.contains(Bytes(Tree.Path("x")) + "/,"), Text.constData());
    QVERIFY(Text.endsWith('\n') && !Text.contains('\0'));  // nothing left of the longer old file
    struct stat Data;
    QVERIFY(stat(Target.c_str(), &Data) == 0 && Data.st_uid == 65534);
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

  void progressLine_data()
  {
    QTest::addColumn<QByteArray>("reading");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("room for the path") << QByteArray("/data/photos/") << 80
                                       << QByteArray("1,234 folders, 56,789 files, 1.5 GB, 1:05  /data/photos/");
    QTest::newRow("the path cut from its start")
      << QByteArray("/data/a long folder/photos/") << 58
      << QByteArray("1,234 folders, 56,789 files, 1.5 GB, 1:05  ...der/photos/");
    QTest::newRow("no room for a path") << QByteArray("/data/") << 40
                                        << QByteArray("1,234 folders, 56,789 files, 1.5 GB, 1:");
    QTest::newRow("never half a character") << QByteArray("/d/\xc3\xa9t\xc3\xa9/") << 52
                                            << QByteArray("1,234 folders, 56,789 files, 1.5 GB, 1:05  ...t\xc3\xa9/");
    QTest::newRow("a name that would set the terminal's title")
      << QByteArray("/d/\x1b]0;x\x07/") << 80
      << QByteArray("1,234 folders, 56,789 files, 1.5 GB, 1:05  /d/\\033]0;x\\a/");
  }

  // What a name would do to a terminal is shown, not done.
  void terminalText_data()
  {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("plain") << QByteArray("/home/a b/") << QByteArray("/home/a b/");
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80")
                           << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
    QTest::newRow("escape sequence") << QByteArray("\x1b[2Jx") << QByteArray("\\033[2Jx");
    QTest::newRow("letters of C") << QByteArray("a\tb\nc\rd\a") << QByteArray("a\\tb\\nc\\rd\\a");
    QTest::newRow("delete and a C1 control") << QByteArray("\x7f\xc2\x9b") << QByteArray("\\177\\302\\233");
    QTest::newRow("no UTF-8") << QByteArray("caf\xe9") << QByteArray("caf\\351");
    QTest::newRow("cut short") << QByteArray("x\xe2\x82") << QByteArray("x\\342\\202");
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QByteArray("\\300\\257");
    QTest::newRow("a backslash, as ls -b shows it") << QByteArray("a\\b") << QByteArray("a\\\\b");
  }
  void terminalText()
  {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, shown);
    QCOMPARE(QByteArray::fromStdString(TTerminalText::Quoted(text.toStdString())), shown);
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
    QCOMPARE(QByteArray::fromStdString(TTerminalProgress::Line(Progress, 65.4, size_t(width))), line);
  }

  void folderGivenTwice()
  {
    TTestTree Tree;
    Tree.Folder("x");
    const TResult Run = Spacelens({"--nogui", "--export", "-", Bytes(Tree.Top()), Bytes(Tree.Top() + "/")});
    QCOMPARE(Run.Status, 0);
    QCOMPARE(Run.Out.count('\n'), 3);
  }

  void nonUtf8FolderName()
  {
    TTestTree Tree;
    Tree.Folder("caf\xe9");
    Tree.File("caf\xe9/f", 10);
    const TResult Run = Spacelens({"--nogui", "--export", "-", Bytes(Tree.Path("caf\xe9"))});
    QCOMPARE(Run.Status, 0);
    QVERIFY(Run.Out.contains(Bytes(Tree.Path("caf\xe9/")) + ","));
  }

  // A scan is remembered unless told not to; --compare last sets each
  // folder against the latest remembered scan: grown, emptied, added,
  // renamed and removed folders with their sizes then and their changes,
  // the gone ones as rows of their own; without --export, what grew most.
  void compareWithLast()
  {
    TTestTree Tree;
    for (const char* Folder : {"grown", "emptied", "old", "gone", "gone/deep", "same"})
      Tree.Folder(Folder);
    Tree.File("grown/a", 1000);
    Tree.File("emptied/b", 3000);
    Tree.File("old/c", 500);
    Tree.File("gone/deep/d", 700);
    Tree.File("same/e", 10);
    const QByteArray Top = Bytes(Tree.Top());
    QCOMPARE(Spacelens({"--nogui", "--no-history", Top}).Status, 0);
    const TResult None = Spacelens({"--nogui", "--compare", "last", Top});
    QCOMPARE(None.Status, 1);
    QVERIFY2(None.Err.contains("is remembered"), None.Err.constData());
    // The space each folder took then, as the folder table tells it.
    const TResult Then = Spacelens({"--nogui", "--cluster-size", "4096", "--export", "-", Top});
    QCOMPARE(Then.Status, 0);
    std::map<QByteArray, QByteArray> AllocatedThen;
    for (const QByteArray& Line : Then.Out.split('\n').mid(1))
      if (const QList<QByteArray> Fields = Line.split(','); Fields.size() > 6)
        AllocatedThen[Fields[0].mid(Top.size())] = Fields[6];
    Tree.File("grown/a", 5000);
    Tree.File("grown/more", 2000);
    QCOMPARE(unlink(Tree.Path("emptied/b").c_str()), 0);
    QCOMPARE(rename(Tree.Path("old").c_str(), Tree.Path("new").c_str()), 0);
    QCOMPARE(system(("rm -r '" + Tree.Path("gone") + "'").c_str()), 0);
    Tree.Folder("added");
    Tree.File("added/f", 9000);

    const TResult Run =
      Spacelens({"--nogui", "--no-history", "--cluster-size", "4096", "--compare", "last", "--export", "-", Top});
    QVERIFY2(Run.Err.isEmpty(), Run.Err.constData());
    QCOMPARE(Run.Status, 0);
    QVERIFY(Run.Out.startsWith(
      "path,clusters,tail_bytes,objects,own_files,size_bytes,allocated_bytes,error_code,incomplete,last_access,"
      "last_write,hole_clusters,before_size_bytes,before_allocated_bytes,change_bytes,state\n"));
    QStringList Rows;
    for (const QByteArray& Line : Run.Out.split('\n').mid(1, -1)) {
      if (Line.isEmpty())
        continue;
      const QList<QByteArray> Fields = Line.split(',');
      QCOMPARE(Fields.size(), 16);
      QCOMPARE(Fields[13], Fields[12].isEmpty() ? QByteArray() : AllocatedThen[Fields[0].mid(Top.size())]);
      Rows << QString::fromLocal8Bit(Fields[0].mid(Top.size()) + " " + Fields[5] + " " + Fields[12] + " " + Fields[14]
                                     + " " + Fields[15]);
    }
    QCOMPARE(Rows,
             (QStringList{"/ 16510 5210 11300 changed", "/added/ 9000  9000 new", "/emptied/ 0 3000 -3000 changed",
                          "/grown/ 7000 1000 6000 changed", "/new/ 500  500 new", "/same/ 10 10 0 same",
                          "/gone/  700 -700 gone", "/gone/deep/  700 -700 gone", "/old/  500 -500 gone"}));
    const TResult Table = Spacelens({"--nogui", "--no-history", "--cluster-size", "4096", "--compare", "last", Top});
    QCOMPARE(Table.Status, 0);
    const QList<QByteArray> Lines = Table.Out.trimmed().split('\n');
    QCOMPARE(Lines.size(), 6);
    QVERIFY2(Lines[0].contains("+11.0 KB"), Lines[0].constData());
    QVERIFY(Lines[2].trimmed().startsWith("+11.0 KB") && Lines[2].endsWith(Top + "/"));
    QVERIFY(Lines[3].trimmed().startsWith("+8.8 KB") && Lines[3].contains(" new ") && Lines[3].endsWith("/added/"));
    QVERIFY(Lines[4].trimmed().startsWith("+5.9 KB") && Lines[4].endsWith("/grown/"));
    QVERIFY(Lines[5].trimmed().startsWith("+500 B") && Lines[5].endsWith("/new/"));
    // A snapshot file of something else is refused before the scan.
    const TResult Wrong = Spacelens({"--nogui", "--compare", Bytes(Tree.Path("grown/a")), Top});
    QCOMPARE(Wrong.Status, 1);
    QVERIFY2(Wrong.Err.contains("not a snapshot"), Wrong.Err.constData());
    QCOMPARE(Spacelens({"--nogui", "--compare", "last", Top, Top + "/added"}).Status, 2);
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
      Snapshot.FFolders.push_back({"", Size, Size, 1, 1, 0});
      Snapshot.FHeader.Folders = 1;
      std::string Error;
      QVERIFY2(THistoryStore().Remember(Snapshot, Error), Error.c_str());
    };
    Remember(12, 100);
    Remember(8, 1000);
    Remember(1, 2000);
    const TResult Week = Spacelens({"--nogui", "--no-history", "--compare", "7d", Bytes(Tree.Top())});
    QVERIFY2(Week.Status == 0, Week.Err.constData());
    QVERIFY2(Week.Out.contains("(8 days): +2.0 KB"), Week.Out.constData());
    const TResult Month = Spacelens({"--nogui", "--no-history", "--compare", "30d", Bytes(Tree.Top())});
    QCOMPARE(Month.Status, 1);
    QVERIFY2(Month.Err.contains("remembered from 30 days ago or before"), Month.Err.constData());
    // Not a number of days, but the name of a file.
    for (const QByteArray& Odd : {QByteArray("-3d"), QByteArray("99999999999d")}) {
      const TResult Wrong = Spacelens({"--nogui", "--no-history", "--compare", Odd, Bytes(Tree.Top())});
      QCOMPARE(Wrong.Status, 1);
      QVERIFY2(Wrong.Err.contains(std::strerror(ENOENT)), Wrong.Err.constData());
    }
  }

  // The scan before as any file may hold it: the folder table as CSV, an
  // ncdu export, a remembered snapshot. Each gives the same change, in the
  // table and in the report; a file cut short is refused.
  void compareWithFile_data()
  {
    QTest::addColumn<QByteArray>("option");
    QTest::newRow("csv") << QByteArray("--export");
    QTest::newRow("ncdu") << QByteArray("--export-ncdu");
    QTest::newRow("snapshot") << QByteArray();
  }
  void compareWithFile()
  {
    QFETCH(QByteArray, option);
    TTestTree Tree;
    for (const char* Folder : {"grown", "emptied", "old", "gone", "gone/deep", "same"})
      Tree.Folder(Folder);
    Tree.File("grown/a", 1 << 20);
    Tree.File("emptied/b", 3000);
    Tree.File("old/c", 500);
    Tree.File("gone/deep/d", 700);
    Tree.File("same/e", 10);
    const QByteArray Top = Bytes(Tree.Top());
    QTemporaryDir Files;
    QByteArray Old = Files.filePath("old").toLocal8Bit();
    if (option.isEmpty()) {
      QCOMPARE(Spacelens({"--nogui", "--cluster-size", "4096", Top}).Status, 0);
      const std::vector<THistoryStore::TEntry> Kept = THistoryStore().Of(Tree.Top() + "/");
      QCOMPARE(Kept.size(), size_t(1));
      Old = Bytes(Kept.front().File);
    } else {
      QCOMPARE(Spacelens({"--nogui", "--no-history", "--cluster-size", "4096", option, Old, Top}).Status, 0);
    }
    Tree.File("grown/a", 4 << 20);
    QCOMPARE(unlink(Tree.Path("emptied/b").c_str()), 0);
    QCOMPARE(rename(Tree.Path("old").c_str(), Tree.Path("new").c_str()), 0);
    QCOMPARE(system(("rm -r '" + Tree.Path("gone") + "'").c_str()), 0);
    Tree.Folder("added");
    Tree.File("added/f", 9000);

    const QByteArray Report = Files.filePath("report.pdf").toLocal8Bit();
    const TResult Run = Spacelens({"--nogui", "--no-history", "--cluster-size", "4096", "--compare", Old, "--export",
                                   "-", "--report", Report, "--levels", "1", Top});
    QVERIFY2(Run.Err.isEmpty(), Run.Err.constData());
    QCOMPARE(Run.Status, 0);
    QStringList Rows;
    for (const QByteArray& Line : Run.Out.split('\n').mid(1))
      if (const QList<QByteArray> Fields = Line.split(','); Fields.size() == 16)
        Rows << QString::fromLocal8Bit(Fields[0].mid(Top.size()) + " " + Fields[5] + " " + Fields[12] + " " + Fields[14]
                                       + " " + Fields[15]);
    QCOMPARE(
      Rows,
      (QStringList{"/ 4203814 1052786 3151028 changed", "/added/ 9000  9000 new", "/emptied/ 0 3000 -3000 changed",
                   "/grown/ 4194304 1048576 3145728 changed", "/new/ 500  500 new", "/same/ 10 10 0 same",
                   "/gone/  700 -700 gone", "/gone/deep/  700 -700 gone", "/old/  500 -500 gone"}));
    // The report tells each folder's change beside its size, the most grown first.
    QProcess Text;
    Text.start("pdftotext", {"-layout", QString::fromLocal8Bit(Report), "-"});
    QVERIFY(Text.waitForFinished(20000));
    const QString Page = QString::fromUtf8(Text.readAllStandardOutput());
    QVERIFY2(Page.contains(QRegularExpression("% of Parent +Change +Last Change")), qPrintable(Page));
    const qsizetype Grown = Page.indexOf(QRegularExpression("grown +4\\.0 MB .* \\+3\\.0 MB "));
    const qsizetype Added = Page.indexOf(QRegularExpression("added +0\\.0 MB .* new "));
    const qsizetype Same = Page.indexOf(QRegularExpression("same +0\\.0 MB .* same "));
    QVERIFY2(Grown >= 0 && Added > Grown && Same > Added, qPrintable(Page));

    // Cut short within a line, or within a compressed snapshot, the file is refused.
    QFile File(QString::fromLocal8Bit(Old));
    QVERIFY(File.open(QIODevice::ReadOnly));
    const QByteArray Whole = File.readAll();
    File.close();
    const QByteArray Cut = Files.filePath("cut").toLocal8Bit();
    QFile Short(QString::fromLocal8Bit(Cut));
    QVERIFY(Short.open(QIODevice::WriteOnly) && Short.write(Whole.left(Whole.size() - 7)) == Whole.size() - 7);
    Short.close();
    const TResult Refused = Spacelens({"--nogui", "--no-history", "--compare", Cut, Top});
    QCOMPARE(Refused.Status, 1);
    QVERIFY2(Refused.Err.startsWith("Cannot compare with"), Refused.Err.constData());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_GUILESS_MAIN(THeadlessTest)
#include "tst_headless.moc"
