// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DuplicatesDlg.h"
#include "app/HeadlessDuplicates.h"
#include "app/MainForm.h"
#include "duplicates/DuplicateFinder.h"
#include "fs/Directory.h"
#include "scan/FolderNode.h"
#include "shell/Prompt.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/WindowTest.h"

#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <sys/stat.h>

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
    // Once found, the dialog says so: the summary in place of the progress.
    QVERIFY(!Dialog.Summary().isEmpty());
    QStringList Shown;
    for (const QLabel* Label : Dialog.findChildren<QLabel*>())
      Shown << Label->text();
    QVERIFY2(Shown.contains(Dialog.Summary()), qPrintable(Shown.join('|')));
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
    Dialog.Remove(false);
    QCOMPARE(Groups->topLevelItemCount(), 1);
    QCOMPARE(Groups->topLevelItem(0)->childCount(), 2);
    QCOMPARE(Told.size(), 2);
    QVERIFY2(Told[0].startsWith("Move 3 copies to the Trash?"), qPrintable(Told[0]));
    QVERIFY2(Told.last().startsWith("These stay where they are:\n") && Told.last().contains("b/song"),
             qPrintable(Told.last()));
    // The line under the groups follows what is left.
    QCOMPARE(Dialog.Summary(),
             "1 group of copies, 2 copies, " + Form.Display().BytesText(1 << 20).trimmed() + " wasted");
    for (const char* Gone : {"b/p copy.jpg", "b/deep/p.jpg"})
      QVERIFY2(access(Tree.Path(Gone).c_str(), F_OK) != 0, Gone);
    for (const char* Kept : {"a/p.jpg", "a/song"})
      QVERIFY2(access(Tree.Path(Kept).c_str(), F_OK) == 0, Kept);
    QCOMPARE(Top->SizeBytes(), Before - 2 * Photo.size());
  }

  // Names of one file are one copy: never wasted space, listed once in the
  // CSV, shown with the group in the window; and a file deleted or written
  // to while it was read is no copy.
  void namesOfOneFile()
  {
    TCopies Copies;
    Copies.Tree.Link("b/photo link.jpg", Copies.Tree.Path("a/photo.jpg"));  // a link is never read: no name
    QCOMPARE(link(Copies.Tree.Path("a/photo.jpg").c_str(), Copies.Tree.Path("b/second name.jpg").c_str()), 0);
    Copies.Candidates.push_back({Copies.Tree.Path("b/second name.jpg"), 300000});
    // Only names of one file: no group at all.
    QCOMPARE(link(Copies.Tree.Path("b/alone").c_str(), Copies.Tree.Path("a/alone again").c_str()), 0);
    Copies.Candidates.push_back({Copies.Tree.Path("a/alone again"), 7000});
    Copies.Candidates.push_back({Copies.Tree.Path("b/alone"), 7000});
    TDuplicateFinder Finder(Copies.Candidates);
    Finder.Run();
    const std::vector<TDuplicateFinder::TGroup> Groups = Finder.Groups();
    QCOMPARE(Groups.size(), size_t(3));
    const TDuplicateFinder::TGroup& Photos = Groups.front();
    QCOMPARE(Photos.Files.size(), size_t(4));
    QCOMPARE(Photos.Copies(), size_t(3));
    QCOMPARE(Photos.Wasted(), uint64_t(600000));
    std::FILE* Stream = std::tmpfile();
    QVERIFY(THeadlessDuplicates::WriteCsv(Stream, {Photos}));
    std::rewind(Stream);
    char Line[4096];
    int Rows = 0;
    while (std::fgets(Line, sizeof Line, Stream))
      Rows += !std::strstr(Line, "second name");
    std::fclose(Stream);
    QCOMPARE(Rows, 4);  // the header and the three copies, a name each
  }

  // A copy deleted, or its name given to another file, while the search
  // read it is dropped: a script keeping it would keep nothing.
  void deletedWhileRead()
  {
    TCopies Copies;
    TDuplicateFinder Finder(Copies.Candidates);
    const std::string Deleted = Copies.Tree.Path("b/deep/photo.jpg");
    Finder.OnStage = [&](TDuplicateFinder::TStage Now) {
      if (Now == TDuplicateFinder::dsContents)
        QCOMPARE(unlink(Deleted.c_str()), 0);
    };
    Finder.Run();
    QCOMPARE(Copies.Skipped(Finder),
             (std::set<std::string>{"/b/deep/photo.jpg: " + std::string(std::strerror(ENOENT))}));
    QVERIFY(!TCopies::Found(Finder.Groups())
               .count({Deleted, Copies.Tree.Path("a/photo.jpg"), Copies.Tree.Path("b/photo copy.jpg")}));
  }

  // Before anything goes, the copy kept and each to go are read again: the
  // original overwritten since the search keeps every copy where it is; a
  // copy changed stays; names of the file kept are never ticked and free
  // nothing, which the question says; reading leaves last-access times.
  void readAgainBeforeRemoving()
  {
    TTestTree Tree;
    Tree.Folder("b");
    const std::string Photo = Noise(1 << 20, 9), Report = Noise(1 << 20, 10);
    for (const char* Name : {"a.jpg", "b/a copy.jpg", "b/a again.jpg"})
      Write(Tree.Path(Name), Photo);
    for (const char* Name : {"r.pdf", "b/r copy.pdf"})
      Write(Tree.Path(Name), Report);
    QCOMPARE(link(Tree.Path("a.jpg").c_str(), Tree.Path("b/a name.jpg").c_str()), 0);
    const timespec Old[2] = {{1000000000, 0}, {1000000000, 0}};
    for (const char* Name : {"a.jpg", "r.pdf", "b/r copy.pdf", "b/a copy.jpg", "b/a again.jpg"})
      QCOMPARE(utimensat(AT_FDCWD, Tree.Path(Name).c_str(), Old, 0), 0);
    TMainForm Form;
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TFolderNode* Top = Form.Tree().TopNodes().front();
    TDuplicatesDlg Dialog(Form, {Top});
    QTRY_VERIFY(!Dialog.Searching());
    QCOMPARE(Dialog.Summary(),
             "2 groups of copies, 5 copies (6 names), " + Form.Display().BytesText(3 << 20).trimmed() + " wasted");
    // Nothing read was noted as read.
    struct stat Data;
    QCOMPARE(stat(Tree.Path("r.pdf").c_str(), &Data), 0);
    QCOMPARE(Data.st_atim.tv_sec, time_t(1000000000));
    // All of a time: the oldest is a tie, the first by path kept, which is said.
    Dialog.Keep(0);
    QVERIFY2(Dialog.Note().startsWith("In 2 groups the oldest copies were changed at the same moment"),
             qPrintable(Dialog.Note()));
    QTreeWidget* Groups = Dialog.Groups();
    const auto Ticked = [Groups](int Group) {
      QStringList Names;
      for (int Name = 0; Name < Groups->topLevelItem(Group)->childCount(); ++Name)
        if (Groups->topLevelItem(Group)->child(Name)->checkState(0) == Qt::Checked)
          Names << Groups->topLevelItem(Group)->child(Name)->text(0).section('/', -1);
      return Names;
    };
    QCOMPARE(Ticked(0), (QStringList{"a again.jpg", "a copy.jpg"}));  // "a.jpg" kept, "b/a name.jpg" with it
    QCOMPARE(Ticked(1), (QStringList{"r.pdf"}));                      // "b/r copy.pdf" comes first by path
    // The original changed since the search: nothing of its group goes.
    std::string Changed = Report;
    Changed[500000] ^= 1;
    Write(Tree.Path("b/r copy.pdf"), Changed);
    QCOMPARE(utimensat(AT_FDCWD, Tree.Path("b/r copy.pdf").c_str(), Old, 0), 0);  // not even its time tells
    // A copy written to since: it stays.
    Write(Tree.Path("b/a again.jpg"), Noise(1 << 20, 11));
    QStringList Told;
    TPrompt::SetAnswerer([&Told](TPrompt::TKind, const QString&, const QString& Text, QString&) {
      Told << Text;
      return true;
    });
    const auto Answered = qScopeGuard([] { TPrompt::SetAnswerer(nullptr); });
    Dialog.Remove(false);
    QVERIFY2(Told[0].startsWith("Move 3 copies to the Trash? " + Form.Display().BytesText(3 << 20).trimmed()
                                + " comes free once the Trash is emptied."),
             qPrintable(Told[0]));
    for (const char* Kept : {"a.jpg", "b/a name.jpg", "r.pdf", "b/r copy.pdf", "b/a again.jpg"})
      QVERIFY2(access(Tree.Path(Kept).c_str(), F_OK) == 0, Kept);
    QVERIFY(access(Tree.Path("b/a copy.jpg").c_str(), F_OK) != 0);
    QVERIFY2(Told.last().contains("/r.pdf stays: the copy kept, " + QString::fromStdString(Tree.Path("b/r copy.pdf")))
               && Told.last().contains("a again.jpg stays"),
             qPrintable(Told.last()));
    // Names of one file only: nothing comes free.
    Told.clear();
    for (int Group = 0; Group < Groups->topLevelItemCount(); ++Group)
      for (int Name = 0; Name < Groups->topLevelItem(Group)->childCount(); ++Name) {
        QTreeWidgetItem* Item = Groups->topLevelItem(Group)->child(Name);
        Item->setCheckState(0, Item->text(0).endsWith("a name.jpg") ? Qt::Checked : Qt::Unchecked);
      }
    TPrompt::SetAnswerer([&Told](TPrompt::TKind, const QString&, const QString& Text, QString&) {
      Told << Text;
      return false;
    });
    Dialog.Remove(true);
    QVERIFY2(Told.size() == 1 && Told[0].contains("Nothing comes free"), qPrintable(Told.join('|')));
  }

  // Before each name goes: the kept copy is looked at again, and a name
  // that is the kept one reached by another path (a folder mounted twice,
  // here a link to it) is told apart from a second name of the file.
  void keptAndOneEntry()
  {
    TTestTree Tree;
    Tree.Folder("d");
    Write(Tree.Path("d/f"), "content");
    QCOMPARE(link(Tree.Path("d/f").c_str(), Tree.Path("d/g").c_str()), 0);
    Tree.Link("again", Tree.Path("d"));
    QVERIFY(TDuplicateFinder::OneEntry(Tree.Path("d/f"), Tree.Path("again/f")));
    QVERIFY(!TDuplicateFinder::OneEntry(Tree.Path("d/f"), Tree.Path("d/g")));  // two names: one may go
    QVERIFY(!TDuplicateFinder::OneEntry(Tree.Path("d/f"), Tree.Path("again/g")));
    Tree.Folder("e");
    QCOMPARE(link(Tree.Path("d/f").c_str(), Tree.Path("e/f").c_str()), 0);
    QVERIFY(!TDuplicateFinder::OneEntry(Tree.Path("d/f"), Tree.Path("e/f")));  // one name, two folders
    struct stat Status;
    QCOMPARE(lstat(Tree.Path("d/f").c_str(), &Status), 0);
    TDuplicateFinder::TFile Kept{
      Tree.Path("d/f"), 7, Status.st_mtim.tv_sec, Status.st_mtim.tv_nsec, Status.st_dev, Status.st_ino, 2, 4096};
    std::string Why;
    QVERIFY(TDuplicateFinder::StillThere(Kept, Why));
    Write(Tree.Path("d/f"), "CONTENT");  // the same length, written again
    const timespec Times[2] = {Status.st_atim, {Status.st_mtim.tv_sec + 1, Status.st_mtim.tv_nsec}};
    QCOMPARE(utimensat(AT_FDCWD, Tree.Path("d/f").c_str(), Times, 0), 0);
    QVERIFY(!TDuplicateFinder::StillThere(Kept, Why));
    QCOMPARE(Why, std::string("changed since the search"));
    QCOMPARE(unlink(Tree.Path("d/f").c_str()), 0);
    QVERIFY(!TDuplicateFinder::StillThere(Kept, Why));
    QCOMPARE(Why, std::string(std::strerror(ENOENT)));
  }

  // The smallest file looked at goes below a megabyte, as --min-size does.
  void smallFiles()
  {
    TTestTree Tree;
    for (const char* Name : {"a", "b"})
      Write(Tree.Path(Name), Noise(5000, 12));
    QSettings("Zelkon", "Spacelens").setValue("DuplicatesMinimum", "4096");
    TMainForm Form;
    QCOMPARE(Form.WindowSettings().FDuplicatesBytes, uint64_t(4096));
    Form.show();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    TDuplicatesDlg Dialog(Form, {Form.Tree().TopNodes().front()});
    QTRY_VERIFY(!Dialog.Searching());
    QCOMPARE(Dialog.Groups()->topLevelItemCount(), 1);
    QVERIFY2(Dialog.Summary().startsWith("1 group of copies, 2 copies, "), qPrintable(Dialog.Summary()));
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TDuplicatesTest)
#include "tst_duplicates.moc"
