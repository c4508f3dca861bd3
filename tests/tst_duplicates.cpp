// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DuplicatesDlg.h"
#include "app/MainForm.h"
#include "duplicates/DuplicateFinder.h"
#include "fs/Directory.h"
#include "scan/FolderNode.h"
#include "shell/Prompt.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/WindowTest.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <set>

namespace {

// Bytes of no pattern, the same for the same seed.
std::string Noise(size_t Size, unsigned Seed)
{
  std::mt19937 Random(Seed);
  std::string Bytes(Size, '\0');
  for (char& Byte : Bytes)
    Byte = char(Random());
  return Bytes;
}

void Write(const std::string& Path, const std::string& Bytes)
{
  std::ofstream(Path, std::ios::binary | std::ios::trunc).write(Bytes.data(), std::streamsize(Bytes.size()));
}

std::string Read(const std::string& Path)
{
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

// A tree of every kind of near miss: equal sizes of other content, equal
// ends with another middle, a copy under a second name of the same file,
// a sparse file beside one of written zeros, empty files, true copies.
struct TCopies {
  TCopies()
  {
    for (const char* Folder : {"a", "b", "b/deep"})
      Tree.Folder(Folder);
    const std::string Photo = Noise(300000, 1);
    for (const char* Name : {"a/photo.jpg", "b/photo copy.jpg", "b/deep/photo.jpg"})
      Write(Tree.Path(Name), Photo);
    std::string Middle = Photo;
    Middle[150000] ^= 1;  // the ends alike, a byte apart inside
    Write(Tree.Path("a/almost.jpg"), Middle);
    Write(Tree.Path("a/other.bin"), Noise(300000, 2));
    const std::string Small = Noise(5000, 3);
    Write(Tree.Path("a/small"), Small);
    Write(Tree.Path("b/small"), Small);
    Write(Tree.Path("b/first byte"), "x" + Small.substr(1));
    QCOMPARE(link(Tree.Path("a/other.bin").c_str(), Tree.Path("b/other link.bin").c_str()), 0);
    Write(Tree.Path("a/zeros"), std::string(200000, '\0'));
    Tree.Sparse("b/holes", 200000);
    Tree.File("a/empty", 0);
    Tree.File("b/empty", 0);
    for (const char* Name :
         {"a/photo.jpg", "b/photo copy.jpg", "b/deep/photo.jpg", "a/almost.jpg", "a/other.bin", "a/small", "b/small",
          "b/first byte", "b/other link.bin", "a/zeros", "b/holes", "a/empty", "b/empty"})
      Candidates.push_back({Tree.Path(Name), uint64_t(Read(Tree.Path(Name)).size())});
  }
  // The groups as an independent reckoning finds them: files of one
  // SHA-256, a file of several names once, by its first name.
  std::set<std::set<std::string>> Expected() const
  {
    std::map<QByteArray, std::set<std::string>> ByDigest;
    std::set<std::pair<dev_t, ino_t>> Met;
    std::vector<TDuplicateFinder::TFile> Sorted = Candidates;
    std::sort(Sorted.begin(), Sorted.end(), [](const auto& A, const auto& B) { return A.Path < B.Path; });
    for (const TDuplicateFinder::TFile& File : Sorted) {
      struct stat Status;
      stat(File.Path.c_str(), &Status);
      if (File.Size == 0 || !Met.insert({Status.st_dev, Status.st_ino}).second)
        continue;
      const std::string Bytes = Read(File.Path);
      ByDigest[QCryptographicHash::hash(QByteArray::fromStdString(Bytes), QCryptographicHash::Sha256)].insert(
        File.Path);
    }
    std::set<std::set<std::string>> Groups;
    for (const auto& [Digest, Paths] : ByDigest)
      if (Paths.size() > 1)
        Groups.insert(Paths);
    return Groups;
  }
  static std::set<std::set<std::string>> Found(const std::vector<TDuplicateFinder::TGroup>& Groups)
  {
    std::set<std::set<std::string>> Found;
    for (const TDuplicateFinder::TGroup& Group : Groups) {
      std::set<std::string> Paths;
      for (const TDuplicateFinder::TFile& File : Group.Files)
        Paths.insert(File.Path);
      Found.insert(Paths);
    }
    return Found;
  }
  TTestTree Tree;
  std::vector<TDuplicateFinder::TFile> Candidates;
};

}  // namespace

class TDuplicatesTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // The groups are those of equal SHA-256, whatever the threads; sorted by
  // what they waste, each file once, told as each is confirmed.
  void groupsOfEqualContent_data()
  {
    QTest::addColumn<unsigned>("threads");
    QTest::newRow("one thread") << 1u;
    QTest::newRow("four threads") << 4u;
  }
  void groupsOfEqualContent()
  {
    QFETCH(unsigned, threads);
    TCopies Copies;
    TDuplicateFinder Finder(Copies.Candidates, threads);
    std::atomic<int> Told{0};
    Finder.OnGroup = [&Told](const TDuplicateFinder::TGroup&) { ++Told; };
    Finder.Run();
    const std::vector<TDuplicateFinder::TGroup> Groups = Finder.Groups();
    QCOMPARE(TCopies::Found(Groups), Copies.Expected());
    QCOMPARE(Groups.size(), size_t(3));  // the photo, the zeros, the small
    QCOMPARE(Told.load(), 3);
    QCOMPARE(Groups.front().Files.size(), size_t(3));
    QCOMPARE(Groups.front().Wasted(), uint64_t(600000));
    for (size_t At = 1; At < Groups.size(); ++At)
      QVERIFY(Groups[At - 1].Wasted() >= Groups[At].Wasted());
    for (const TDuplicateFinder::TGroup& Group : Groups)
      QVERIFY(std::is_sorted(Group.Files.begin(), Group.Files.end(),
                             [](const auto& A, const auto& B) { return A.Path < B.Path; }));
    QVERIFY(Finder.Skipped().empty());
    const TDuplicateFinder::TProgress Done = Finder.Progress();
    QCOMPARE(Done.Stage, TDuplicateFinder::dsDone);
    // Each stage reads each of its files once: the ends of the five of
    // 300,000 bytes (a second name not again) and of the two of 200,000, the
    // small ones whole at once; then all of those whose ends are alike.
    const uint64_t Ends = 2 * TDuplicateFinder::EndBytes;
    QCOMPARE(Finder.BytesRead(), 5 * Ends + 2 * Ends + 3 * 5000 + 4 * 300000 + 2 * 200000);
  }

  // Files of sizes all different are never read, nor names of one file;
  // a file whose size is met once is not even opened.
  void readsNothingWithoutEqualSizes()
  {
    std::vector<std::string> Opened;
    TDirectory::SetFailureInjector([&Opened](const char* Name) {
      Opened.push_back(Name);
      return 0;
    });
    const auto Injected = qScopeGuard([] { TDirectory::SetFailureInjector(nullptr); });
    TTestTree Tree;
    std::vector<TDuplicateFinder::TFile> Candidates;
    for (int File = 1; File <= 5; ++File) {
      Write(Tree.Path("f" + std::to_string(File)), Noise(size_t(File) * 1000, unsigned(File)));
      Candidates.push_back({Tree.Path("f" + std::to_string(File)), uint64_t(File) * 1000});
    }
    QCOMPARE(link(Tree.Path("f1").c_str(), Tree.Path("f1 again").c_str()), 0);
    Candidates.push_back({Tree.Path("f1 again"), 1000});
    TDuplicateFinder Finder(Candidates);
    Finder.Run();
    QVERIFY(Finder.Groups().empty());
    QCOMPARE(Finder.BytesRead(), uint64_t(0));
    std::sort(Opened.begin(), Opened.end());
    QCOMPARE(Opened, (std::vector<std::string>{"f1", "f1 again"}));
  }

  // A file that is not as it was counted is left out with the reason: of
  // another size, or a link now (never followed).
  void notAsCounted()
  {
    TCopies Copies;
    const std::string Elsewhere = Copies.Tree.Path("elsewhere.jpg");
    Write(Elsewhere, Read(Copies.Tree.Path("a/photo.jpg")));
    QCOMPARE(symlink(Elsewhere.c_str(), Copies.Tree.Path("b/link.jpg").c_str()), 0);
    Copies.Candidates.push_back({Copies.Tree.Path("b/link.jpg"), 300000});
    for (TDuplicateFinder::TFile& File : Copies.Candidates)
      if (File.Path.ends_with("b/deep/photo.jpg"))
        File.Size = 5000;  // grown since it was counted
    TDuplicateFinder Finder(Copies.Candidates);
    Finder.Run();
    std::set<std::string> Skipped;
    for (const TDuplicateFinder::TSkipped& File : Finder.Skipped())
      Skipped.insert(File.Path.substr(Copies.Tree.Top().size()) + ": " + File.Reason);
    QCOMPARE(Skipped,
             (std::set<std::string>{"/b/deep/photo.jpg: changed since it was counted",
                                    "/b/link.jpg: " + std::string(std::strerror(ELOOP))}));
    QCOMPARE(
      int(
        TCopies::Found(Finder.Groups()).count({Copies.Tree.Path("a/photo.jpg"), Copies.Tree.Path("b/photo copy.jpg")})),
      1);
  }

  // A file that changes between the stages is dropped with the reason,
  // and the copies left still make their group; one that cannot be read
  // is skipped with its error.
  void changedOrUnreadable_data()
  {
    QTest::addColumn<int>("stage");  // when the photo copy changes; -1 never
    QTest::addColumn<int>("error");  // the error of opening the deep photo; 0 none
    QTest::newRow("changed before its ends") << int(TDuplicateFinder::dsEnds) << 0;
    QTest::newRow("changed before its content") << int(TDuplicateFinder::dsContents) << 0;
    QTest::newRow("unreadable") << -1 << EACCES;
    QTest::newRow("changed, and one unreadable") << int(TDuplicateFinder::dsContents) << EIO;
  }
  void changedOrUnreadable()
  {
    QFETCH(int, stage);
    QFETCH(int, error);
    TCopies Copies;
    Write(Copies.Tree.Path("a/photo 4.jpg"), Read(Copies.Tree.Path("a/photo.jpg")));
    Copies.Candidates.push_back({Copies.Tree.Path("a/photo 4.jpg"), 300000});
    TDirectory::SetFailureInjector(
      [error](const char* Name) { return std::strcmp(Name, "photo.jpg") == 0 ? error : 0; });
    const auto Injected = qScopeGuard([] { TDirectory::SetFailureInjector(nullptr); });
    TDuplicateFinder Finder(Copies.Candidates);
    const std::string Changed = Copies.Tree.Path("b/photo copy.jpg");
    Finder.OnStage = [&](TDuplicateFinder::TStage Now) {
      if (Now == stage) {
        std::string Bytes = Read(Changed);
        Bytes.front() ^= 1;
        Write(Changed, Bytes);
        const timespec Times[2] = {{0, UTIME_OMIT}, {1000, 0}};
        QCOMPARE(utimensat(AT_FDCWD, Changed.c_str(), Times, 0), 0);
      }
    };
    Finder.Run();
    std::set<std::string> Skipped;
    for (const TDuplicateFinder::TSkipped& File : Finder.Skipped())
      Skipped.insert(File.Path.substr(Copies.Tree.Top().size()) + ": " + File.Reason);
    std::set<std::string> Expected;
    if (stage >= 0)
      Expected.insert("/b/photo copy.jpg: changed during the search");
    if (error) {
      Expected.insert("/a/photo.jpg: " + std::string(std::strerror(error)));
      Expected.insert("/b/deep/photo.jpg: " + std::string(std::strerror(error)));
    }
    QCOMPARE(Skipped, Expected);
    // A file changed before its content is read is not read at all.
    const uint64_t Ends = 2 * TDuplicateFinder::EndBytes;
    if (stage == TDuplicateFinder::dsContents && !error)
      QCOMPARE(Finder.BytesRead(), 6 * Ends + 2 * Ends + 3 * 5000 + 4 * 300000 + 2 * 200000);
    // The photos left are still copies of each other.
    std::set<std::string> Left;
    for (const char* Name : {"a/photo.jpg", "b/photo copy.jpg", "b/deep/photo.jpg", "a/photo 4.jpg"})
      if (std::none_of(Expected.begin(), Expected.end(),
                       [Name](const std::string& Line) { return Line.starts_with("/" + std::string(Name) + ":"); }))
        Left.insert(Copies.Tree.Path(Name));
    QCOMPARE(int(TCopies::Found(Finder.Groups()).count(Left)), Left.size() > 1 ? 1 : 0);
  }

  // Stopped at once, it reads nothing and finds nothing.
  void stopped()
  {
    TCopies Copies;
    TDuplicateFinder Finder(Copies.Candidates);
    const std::atomic<bool> Stop{true};
    Finder.Run(&Stop);
    QVERIFY(Finder.Groups().empty());
    QCOMPARE(Finder.BytesRead(), uint64_t(0));
  }

  // Headless: the CSV of every file of every group, names of any bytes
  // quoted as CSV needs; a summary without --export; --min-size leaves the
  // small ones out; wrong combinations refused.
  void headless()
  {
    TCopies Copies;
    const std::string Odd = "b/new\nline \xff.jpg";
    Write(Copies.Tree.Path(Odd), Read(Copies.Tree.Path("a/photo.jpg")));
    QProcess Run;
    Run.start(SPACELENS_BINARY,
              {"--nogui", "--quiet", "--no-history", "--duplicates", "--min-size", "1000", "--export", "-",
               QString::fromStdString(Copies.Tree.Top())});
    QVERIFY(Run.waitForFinished(30000));
    QCOMPARE(Run.exitCode(), 0);
    const QByteArray Top = QByteArray::fromStdString(Copies.Tree.Top());
    const QByteArray Expected = "group,size_bytes,path\n1,300000," + Top + "/a/photo.jpg\n1,300000," + Top
      + "/b/deep/photo.jpg\n1,300000,\"" + Top + "/b/new\nline \xff.jpg\"\n1,300000," + Top
      + "/b/photo copy.jpg\n2,200000," + Top + "/a/zeros\n2,200000," + Top + "/b/holes\n3,5000," + Top
      + "/a/small\n3,5000," + Top + "/b/small\n";
    QCOMPARE(Run.readAllStandardOutput(), Expected);
    Run.start(SPACELENS_BINARY,
              {"--nogui", "--quiet", "--no-history", "--duplicates", "--min-size", "100000",
               QString::fromStdString(Copies.Tree.Top())});
    QVERIFY(Run.waitForFinished(30000));
    QCOMPARE(Run.readAllStandardOutput(), QByteArray("2 groups of copies, 6 files, 1100000 bytes wasted\n"));
    for (const QStringList& Wrong : {QStringList{"--min-size", "5"}, QStringList{"--duplicates", "--types"},
                                     QStringList{"--duplicates", "--min-size", "-1"}}) {
      Run.start(SPACELENS_BINARY,
                QStringList{"--nogui"} + Wrong + QStringList{QString::fromStdString(Copies.Tree.Top())});
      QVERIFY(Run.waitForFinished(30000));
      QCOMPARE(Run.exitCode(), 2);
    }
  }

  // The window: the groups of the selected folder, copies ticked by a rule
  // or by hand, moved to the Trash but never the last of a group, the
  // tree's totals less exactly what went.
  void windowTrashesCopies()
  {
    TTestTree Tree;
    for (const char* Folder : {"a", "b", "b/deep"})
      Tree.Folder(Folder);
    const std::string Photo = Noise(2 << 20, 7), Song = Noise(1 << 20, 8);
    const std::pair<const char*, time_t> Photos[] = {{"a/p.jpg", 3000}, {"b/p copy.jpg", 1000}, {"b/deep/p.jpg", 2000}};
    for (const auto& [Name, Time] : Photos) {
      Write(Tree.Path(Name), Photo);
      const timespec Times[2] = {{Time, 0}, {Time, 0}};
      QCOMPARE(utimensat(AT_FDCWD, Tree.Path(Name).c_str(), Times, 0), 0);
    }
    Write(Tree.Path("a/song"), Song);
    Write(Tree.Path("b/song"), Song);
    Write(Tree.Path("b/alone"), Noise(3 << 20, 9));
    Write(Tree.Path("a/small"), "tiny");
    Write(Tree.Path("b/small"), "tiny");
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Tree().TopNodes().front();
    const uint64_t Before = Top->SizeBytes();
    TDuplicatesDlg Dialog(Form, {Top});
    QTRY_VERIFY(!Dialog.Searching());
    QTreeWidget* Groups = Dialog.Groups();
    QCOMPARE(Groups->topLevelItemCount(), 2);  // the small ones are under 1 MB
    QCOMPARE(Groups->topLevelItem(0)->childCount(), 3);
    QCOMPARE(Groups->topLevelItem(1)->childCount(), 2);
    // Exported as --duplicates writes them.
    char* Text = nullptr;
    size_t Length = 0;
    std::FILE* Stream = open_memstream(&Text, &Length);
    QVERIFY(Dialog.WriteCsv(Stream));
    std::fclose(Stream);
    const QByteArray Top0 = QByteArray::fromStdString(Tree.Top());
    QCOMPARE(QByteArray(Text, qsizetype(Length)),
             "group,size_bytes,path\n1,2097152," + Top0 + "/a/p.jpg\n1,2097152," + Top0 + "/b/deep/p.jpg\n1,2097152,"
               + Top0 + "/b/p copy.jpg\n2,1048576," + Top0 + "/a/song\n2,1048576," + Top0 + "/b/song\n");
    std::free(Text);
    const auto Ticked = [Groups](int Group) {
      QStringList Names;
      for (int Copy = 0; Copy < Groups->topLevelItem(Group)->childCount(); ++Copy)
        if (Groups->topLevelItem(Group)->child(Copy)->checkState(0) == Qt::Checked)
          Names << Groups->topLevelItem(Group)->child(Copy)->text(0).section('/', -2);
      return Names;
    };
    Dialog.Keep(0);
    QCOMPARE(Ticked(0), (QStringList{"a/p.jpg", "deep/p.jpg"}));  // b/p copy.jpg is the oldest
    Dialog.Keep(2);
    QCOMPARE(Ticked(0), (QStringList{"deep/p.jpg", "b/p copy.jpg"}));
    Dialog.Keep(1);
    QCOMPARE(Ticked(0), (QStringList{"deep/p.jpg", "b/p copy.jpg"}));  // a/p.jpg is the newest
    // Every copy of the songs ticked: the first stays all the same.
    for (int Copy = 0; Copy < 2; ++Copy)
      Groups->topLevelItem(1)->child(Copy)->setCheckState(0, Qt::Checked);
    QString Asked;
    TPrompt::SetAnswerer([&Asked](TPrompt::TKind, const QString&, const QString& Text, QString&) {
      Asked = Text;
      return true;
    });
    const auto Answered = qScopeGuard([] { TPrompt::SetAnswerer(nullptr); });
    Dialog.MoveToTrash();
    QVERIFY2(Asked.startsWith("Move 3 copies"), qPrintable(Asked));
    QCOMPARE(Groups->topLevelItemCount(), 0);
    for (const char* Gone : {"b/p copy.jpg", "b/deep/p.jpg", "b/song"})
      QVERIFY2(access(Tree.Path(Gone).c_str(), F_OK) != 0, Gone);
    for (const char* Kept : {"a/p.jpg", "a/song", "b/alone"})
      QVERIFY2(access(Tree.Path(Kept).c_str(), F_OK) == 0, Kept);
    QCOMPARE(Top->SizeBytes(), Before - 2 * Photo.size() - Song.size());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TDuplicatesTest)
#include "tst_duplicates.moc"
