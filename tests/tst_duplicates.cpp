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

#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <set>

namespace {

using TPaths = std::set<std::set<std::string>>;

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

// Every kind of near miss beside true copies: same size, same ends, a
// second name, holes beside written zeros, empty files.
struct TCopies {
  TCopies()
  {
    for (const char* Folder : {"a", "b", "b/deep"})
      Tree.Folder(Folder);
    const std::string Photo = Noise(300000, 1), Small = Noise(5000, 3);
    for (const char* Name : {"a/photo.jpg", "b/photo copy.jpg", "b/deep/photo.jpg"})
      Put(Name, Photo);
    std::string Middle = Photo;
    Middle[150000] ^= 1;  // the ends alike, a byte apart inside
    Put("a/almost.jpg", Middle);
    Put("a/other.bin", Noise(300000, 2));
    Put("a/small", Small);
    Put("b/small", Small);
    Put("b/first byte", "x" + Small.substr(1));
    QCOMPARE(link(Tree.Path("a/other.bin").c_str(), Tree.Path("b/other link.bin").c_str()), 0);
    Candidates.push_back({Tree.Path("b/other link.bin"), 300000});
    Put("a/zeros", std::string(200000, '\0'));
    Tree.Sparse("b/holes", 200000);
    Candidates.push_back({Tree.Path("b/holes"), 200000});
    Put("a/empty", "");
    Put("b/empty", "");
    Put("b/alone", Noise(7000, 4));  // a size met once: never read
  }
  void Put(const std::string& Name, const std::string& Bytes)
  {
    Write(Tree.Path(Name), Bytes);
    Candidates.push_back({Tree.Path(Name), Bytes.size()});
  }
  static TPaths Found(const std::vector<TDuplicateFinder::TGroup>& Groups)
  {
    TPaths Found;
    for (const TDuplicateFinder::TGroup& Group : Groups) {
      std::set<std::string> Paths;
      for (const TDuplicateFinder::TFile& File : Group.Files)
        Paths.insert(File.Path);
      Found.insert(Paths);
    }
    return Found;
  }
  // What was left out, as "/path below the top: reason".
  std::set<std::string> Skipped(const TDuplicateFinder& Finder) const
  {
    std::set<std::string> Lines;
    for (const TDuplicateFinder::TSkipped& File : Finder.Skipped())
      Lines.insert(File.Path.substr(Tree.Top().size()) + ": " + File.Reason);
    return Lines;
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

  // Whatever the threads: sorted by waste, each file once; stopped at once, nothing.
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
    Finder.Run();
    const std::vector<TDuplicateFinder::TGroup> Groups = Finder.Groups();
    const auto P = [&Copies](const char* Name) { return Copies.Tree.Path(Name); };
    QCOMPARE(TCopies::Found(Groups),
             (TPaths{{P("a/photo.jpg"), P("b/deep/photo.jpg"), P("b/photo copy.jpg")},
                     {P("a/zeros"), P("b/holes")},
                     {P("a/small"), P("b/small")}}));
    QStringList Wasted;  // bytes wasted / files, of the photo, the zeros, the small
    for (const TDuplicateFinder::TGroup& Group : Groups)
      Wasted << QString("%1/%2").arg(Group.Wasted()).arg(Group.Files.size());
    QCOMPARE(Wasted, (QStringList{"600000/3", "200000/2", "5000/2"}));
    QVERIFY(Finder.Skipped().empty());
    // Each stage reads each file once, a second name or a lone size never: ends, small ones whole, alike ends whole.
    const uint64_t Ends = 2 * TDuplicateFinder::EndBytes;
    QCOMPARE(Finder.BytesRead(), 5 * Ends + 2 * Ends + 3 * 5000 + 4 * 300000 + 2 * 200000);
    TDuplicateFinder Stopped(Copies.Candidates, threads);
    const std::atomic<bool> Stop{true};
    Stopped.Run(&Stop);
    QVERIFY(Stopped.Groups().empty());
    QCOMPARE(Stopped.BytesRead(), uint64_t(0));
  }

  // Changed between stages or since counted (another size, now a link, never
  // followed), or unreadable: left out with the reason; the copies left stay a group.
  void changedOrUnreadable_data()
  {
    QTest::addColumn<int>("stage");     // when the photo copy changes; -1 never
    QTest::addColumn<int>("error");     // the error of opening the deep photo; 0 none
    QTest::addColumn<bool>("counted");  // the deep photo and a link not as counted
    QTest::newRow("changed before its ends") << int(TDuplicateFinder::dsEnds) << 0 << false;
    QTest::newRow("changed before its content") << int(TDuplicateFinder::dsContents) << 0 << false;
    QTest::newRow("changed, and one unreadable") << int(TDuplicateFinder::dsContents) << EIO << false;
    QTest::newRow("not as counted") << -1 << 0 << true;
  }
  void changedOrUnreadable()
  {
    QFETCH(int, stage);
    QFETCH(int, error);
    QFETCH(bool, counted);
    TCopies Copies;
    Copies.Put("a/photo 4.jpg", Read(Copies.Tree.Path("a/photo.jpg")));
    if (counted) {
      Write(Copies.Tree.Path("elsewhere.jpg"), Read(Copies.Tree.Path("a/photo.jpg")));
      Copies.Tree.Link("b/link.jpg", Copies.Tree.Path("elsewhere.jpg"));
      Copies.Candidates.push_back({Copies.Tree.Path("b/link.jpg"), 300000});
      for (TDuplicateFinder::TFile& File : Copies.Candidates)
        if (File.Path.ends_with("b/deep/photo.jpg"))
          File.Size = 5000;  // grown since it was counted
    }
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
    std::set<std::string> Expected;
    if (stage >= 0)
      Expected.insert("/b/photo copy.jpg: changed during the search");
    if (error) {
      Expected.insert("/a/photo.jpg: " + std::string(std::strerror(error)));
      Expected.insert("/b/deep/photo.jpg: " + std::string(std::strerror(error)));
    }
    if (counted)
      Expected.insert(
        {"/b/deep/photo.jpg: changed since it was counted", "/b/link.jpg: " + std::string(std::strerror(ELOOP))});
    QCOMPARE(Copies.Skipped(Finder), Expected);
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

  // Headless: CSV quoting names of any bytes, a summary without --export, --min-size, wrong options.
  void headless()
  {
    TCopies Copies;
    Copies.Put("b/new\nline \xff.jpg", Read(Copies.Tree.Path("a/photo.jpg")));
    const QString Top = QString::fromStdString(Copies.Tree.Top());
    const auto Run = [&Top](const QStringList& Arguments) {
      QProcess Process;
      Process.start(SPACELENS_BINARY, QStringList{"--nogui"} + Arguments + QStringList{Top});
      const int Code = Process.waitForFinished(30000) ? Process.exitCode() : -1;
      return std::pair(Code, Process.readAllStandardOutput());
    };
    const QByteArray Path = Top.toUtf8();
    QCOMPARE(Run({"--quiet", "--no-history", "--duplicates", "--min-size", "1000", "--export", "-"}),
             std::pair(0,
                       "group,size_bytes,path\n1,300000," + Path + "/a/photo.jpg\n1,300000," + Path
                         + "/b/deep/photo.jpg\n1,300000,\"" + Path + "/b/new\nline \xff.jpg\"\n1,300000," + Path
                         + "/b/photo copy.jpg\n2,200000," + Path + "/a/zeros\n2,200000," + Path + "/b/holes\n3,5000,"
                         + Path + "/a/small\n3,5000," + Path + "/b/small\n"));
    QCOMPARE(Run({"--quiet", "--no-history", "--duplicates", "--min-size", "100000"}).second,
             QByteArray("2 groups of copies, 6 files, 1100000 bytes wasted\n"));
    for (const QStringList& Wrong : {QStringList{"--min-size", "5"}, QStringList{"--duplicates", "--types"},
                                     QStringList{"--duplicates", "--min-size", "-1"}})
      QCOMPARE(Run(Wrong).first, 2);
  }

  // The window: ticked by rule or by hand, trashed but never a group's last; totals less what went.
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
    for (const auto& [Name, Bytes] : {std::pair<const char*, std::string>{"a/song", Song},
                                      {"b/song", Song},
                                      {"a/small", "tiny"},
                                      {"b/small", "tiny"}})
      Write(Tree.Path(Name), Bytes);
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Tree().TopNodes().front();
    const uint64_t Before = Top->SizeBytes();
    TDuplicatesDlg Dialog(Form, {Top});
    QTRY_VERIFY(!Dialog.Searching());
    QTreeWidget* Groups = Dialog.Groups();
    QCOMPARE(Groups->topLevelItemCount(), 2);
    const auto Ticked = [Groups](int Group) {
      QStringList Names;
      for (int Copy = 0; Copy < Groups->topLevelItem(Group)->childCount(); ++Copy)
        if (Groups->topLevelItem(Group)->child(Copy)->checkState(0) == Qt::Checked)
          Names << Groups->topLevelItem(Group)->child(Copy)->text(0).section('/', -2);
      return Names;
    };
    Dialog.Keep(0);
    QCOMPARE(Ticked(0), (QStringList{"a/p.jpg", "deep/p.jpg"}));  // b/p copy.jpg is the oldest
    Dialog.Keep(1);
    QCOMPARE(Ticked(0), (QStringList{"deep/p.jpg", "b/p copy.jpg"}));  // a/p.jpg is the newest
    // Every copy of the songs ticked: the first stays all the same.
    for (int Copy = 0; Copy < 2; ++Copy)
      Groups->topLevelItem(1)->child(Copy)->setCheckState(0, Qt::Checked);
    QStringList Told;
    TPrompt::SetAnswerer([&Told](TPrompt::TKind, const QString&, const QString& Text, QString&) {
      Told << Text;
      return true;
    });
    const auto Answered = qScopeGuard([] { TPrompt::SetAnswerer(nullptr); });
    // A copy gone meanwhile cannot move: it stays in the dialog and in the
    // totals, which drop by what went.
    QCOMPARE(unlink(Tree.Path("b/song").c_str()), 0);
    Dialog.MoveToTrash();
    QCOMPARE(Groups->topLevelItemCount(), 1);
    QCOMPARE(Groups->topLevelItem(0)->childCount(), 2);
    QCOMPARE(Told.size(), 2);
    QVERIFY2(Told.last().startsWith("These stay where they are:\n") && Told.last().contains("b/song"),
             qPrintable(Told.last()));
    for (const char* Gone : {"b/p copy.jpg", "b/deep/p.jpg"})
      QVERIFY2(access(Tree.Path(Gone).c_str(), F_OK) != 0, Gone);
    for (const char* Kept : {"a/p.jpg", "a/song"})
      QVERIFY2(access(Tree.Path(Kept).c_str(), F_OK) == 0, Kept);
    QCOMPARE(Top->SizeBytes(), Before - 2 * Photo.size());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TDuplicatesTest)
#include "tst_duplicates.moc"
