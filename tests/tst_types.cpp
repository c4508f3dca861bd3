// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/NcduImport.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "scan/ScanSettings.h"
#include "tests/TestTree.h"
#include "types/TypeTotals.h"
#include "view/FileClass.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <fstream>
#include <map>
#include <string>
#include <tuple>

class TTypesTest : public QObject {
  Q_OBJECT

private slots:
  // The extension a name is counted under, and its class.
  void extensions_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("kind");
    QTest::addRow("plain") << "photo.jpg" << false << "jpg" << int(TFileClass::fcImage);
    QTest::addRow("double in the table") << "src.TAR.GZ" << false << "tar.gz" << int(TFileClass::fcArchive);
    QTest::addRow("double not in it") << "notes.old.gz" << false << "gz" << int(TFileClass::fcArchive);
    QTest::addRow("version after") << "libfoo.so.1.2" << false << "so" << int(TFileClass::fcBinary);
    QTest::addRow("piece of a split archive") << "backup.tar.gz.001" << false << "tar.gz" << int(TFileClass::fcArchive);
    QTest::addRow("leading dot only") << ".bashrc" << false << "" << int(TFileClass::fcOther);
    QTest::addRow("leading dot and one more") << ".config.json" << false << "json" << int(TFileClass::fcCode);
    QTest::addRow("double with a leading dot") << ".tar.gz" << false << "gz" << int(TFileClass::fcArchive);
    QTest::addRow("none") << "README" << false << "" << int(TFileClass::fcOther);
    QTest::addRow("none, may be run") << "tool" << true << "" << int(TFileClass::fcBinary);
    QTest::addRow("unknown, may be run: a program's name") << "vim.basic" << true << "" << int(TFileClass::fcBinary);
    QTest::addRow("known, may be run") << "tool.sh" << true << "sh" << int(TFileClass::fcCode);
    QTest::addRow("a library, may be run") << "libc.so.6" << true << "so" << int(TFileClass::fcBinary);
    QTest::addRow("dots and one word") << "..double" << false << "" << int(TFileClass::fcOther);
    QTest::addRow("trailing dot") << "odd." << false << "" << int(TFileClass::fcOther);
    QTest::addRow("digits only") << "2024.01" << false << "" << int(TFileClass::fcOther);
  }
  void extensions()
  {
    QFETCH(QString, name);
    QFETCH(bool, executable);
    QFETCH(QString, extension);
    QFETCH(int, kind);
    QCOMPARE(QString::fromStdString(TFileClass::Extension(name.toStdString(), executable)), extension);
    QCOMPARE(int(TFileClass::Of(name.toStdString(), executable)), kind);
  }

  // Totals by extension and class, the largest first, a file with several
  // names once when asked.
  void totals_data()
  {
    QTest::addColumn<bool>("linksOnce");
    // extension/class:files,size,allocated,largest,slack,CD-ROM
    QTest::addColumn<QString>("expected");
    QTest::addRow("names once") << true
                                << "jpg/0:3,11192,16384,8192,5192,14336 tar.gz/3:2,7000,12288,5000,5288,8192 "
                                   "/6:1,900,4096,900,3196,2048 /7:2,150,8192,100,8042,4096 "
                                   "abcdefghij/7:1,20,4096,20,4076,2048 zbcdefghij/7:1,10,4096,10,4086,2048";
    QTest::addRow("every name") << false
                                << "tar.gz/3:3,12000,16384,5000,8480,14336 jpg/0:3,11192,16384,8192,5192,14336 "
                                   "/6:1,900,4096,900,3196,2048 /7:2,150,8192,100,8042,4096 "
                                   "abcdefghij/7:1,20,4096,20,4076,2048 zbcdefghij/7:1,10,4096,10,4086,2048";
  }
  void totals()
  {
    QFETCH(bool, linksOnce);
    QFETCH(QString, expected);
    TTypeTotals Totals(linksOnce);
    Totals.Add("A.JPG", 500, 4096, 4096, false, 1, 0, 0);
    Totals.Add("b.jpg", 2500, 4096, 4096, false, 1, 0, 0);
    Totals.Add("c.Jpg", 8192, 8192, 4096, false, 1, 0, 0);
    Totals.Add("x.tar.gz", 5000, 8192, 4096, false, 2, 1, 7);
    Totals.Add("x-again.tar.gz", 5000, 4096, 4096, false, 2, 1, 7);  // the same file
    Totals.Add("y.tar.gz", 2000, 4096, 4096, false, 1, 0, 0);
    Totals.Add("tool", 900, 4096, 4096, true, 1, 0, 0);
    Totals.Add("README", 100, 4096, 4096, false, 1, 0, 0);
    Totals.Add(".bashrc", 50, 4096, 4096, false, 1, 0, 0);
    // Long extensions alike in their last letters stay apart.
    Totals.Add("x.abcdefghij", 20, 4096, 4096, false, 1, 0, 0);
    Totals.Add("y.zbcdefghij", 10, 4096, 4096, false, 1, 0, 0);
    QStringList Got;
    for (const TTypeTotals::TType& Type : Totals.Ranked())
      Got << QString::asprintf("%s/%d:%llu,%llu,%llu,%llu,%llu,%llu", Type.Extension.c_str(), Type.Kind,
                               qulonglong(Type.Files), qulonglong(Type.Size), qulonglong(Type.Allocated),
                               qulonglong(Type.Largest), qulonglong(Type.Slack), qulonglong(Type.CdRom));
    QCOMPARE(Got.join(' '), expected);
  }

  // An imported tree large enough for two threads: each extension's totals
  // as a plain count makes them, the largest the first met of its size in
  // either half, a file of two names once; a removal abandons a snapshot.
  void snapshotOnTwoThreads()
  {
    TTestTree Tree;
    std::string Json = "[1,2,{\"progname\":\"x\"},\n[{\"name\":\"/srv\"}";
    // Each type met first in capitals: it is named in lower case.
    const char* const Extensions[] = {"JPG", "jpg", "Tar.Gz", "tar.gz", "GZ", "", "VeryLongExtension"};
    struct TExpected {
      uint64_t Files = 0, Size = 0, Largest = 0, Slack = 0, CdRom = 0;
      std::string LargestName, LargestFolder;
    };
    std::map<std::string, TExpected> Expected;
    const int Folders = 60, PerFolder = 2500;  // 150,000 files
    for (int Folder = 0; Folder < Folders; ++Folder) {
      const std::string FolderName = (Folder < 10 ? "d0" : "d") + std::to_string(Folder);
      Json += ",[{\"name\":\"" + FolderName + "\"}";
      for (int Index = 0; Index < PerFolder; ++Index) {
        const int Number = Folder * PerFolder + Index;
        const std::string Extension = Extensions[Number % 7];
        const std::string Name = "f" + std::to_string(100000 + Index) + (Extension.empty() ? "" : "." + Extension);
        // 9999, the largest, once in each half; 5000 as one file's two names.
        const bool Linked = Number == 2 || Number == 149998;
        const uint64_t Size = Linked ? 5000 : Number == 10 || Number == 140003 ? 9999 : uint64_t(Number % 997) + 1;
        Json += ",{\"name\":\"" + Name + "\",\"asize\":" + std::to_string(Size) + ",\"dsize\":4096"
          + (Linked ? ",\"ino\":77,\"nlink\":2}" : "}");
        if (Number == 149998)
          continue;  // the second name
        TExpected& Type = Expected[QString::fromStdString(Extension).toLower().toStdString()];
        ++Type.Files;
        Type.Size += Size;
        Type.Slack += (4096 - Size % 4096) % 4096;
        Type.CdRom += (Size + 2047) / 2048 * 2048;
        if (Size > Type.Largest)
          std::tie(Type.Largest, Type.LargestName, Type.LargestFolder) = std::tuple(Size, Name, FolderName);
      }
      Json += "]";
    }
    std::ofstream(Tree.Path("scan.json")) << Json << "]]";
    TScanSettings Settings;
    Settings.FHardLinksOnce = true;
    Settings.FFileKind = [](const char* Name, bool Executable) { return uint8_t(TFileClass::Of(Name, Executable)); };
    TNcduImport Import(Tree.Path("scan.json"), Settings, 4096);
    QVERIFY2(Import.Run(), Import.Error().c_str());
    TRoot* Root = Import.TakeRoot();
    QVERIFY(Root);
    TFolderTree FolderTree;
    TScanDriver Driver(FolderTree);
    Driver.AddImported(Root);
    const TFilesSnapshot Files(Root->FNode, true, &FolderTree, FolderTree.Removals());
    QVERIFY(!Files.Abandoned());
    QCOMPARE(Files.Count(), uint32_t(Folders * PerFolder));
    TTypeTotals Totals(false);
    Totals.Add(Files, [] { return false; });
    const std::vector<TTypeTotals::TType> Types = Totals.Ranked();
    QCOMPARE(Types.size(), Expected.size());
    for (const TTypeTotals::TType& Type : Types) {
      QVERIFY2(Expected.count(Type.Extension), Type.Extension.c_str());
      const TExpected& Want = Expected[Type.Extension];
      QCOMPARE(std::tuple(Type.Files, Type.Size, Type.Allocated, Type.Slack, Type.CdRom, Type.Largest),
               std::tuple(Want.Files, Want.Size, Want.Files * 4096, Want.Slack, Want.CdRom, Want.Largest));
      const TFilesSnapshot::TSlot& Slot = Files.Slots()[Files.SlotOf(Type.LargestFile)];
      QCOMPARE(std::string(Slot.Files->Name(Type.LargestFile - Slot.First)), Want.LargestName);
      QCOMPARE(Slot.Node->Name(), Want.LargestFolder);
    }
    // Asked for before a removal, a snapshot is abandoned; after, it is whole.
    const uint64_t Removals = FolderTree.Removals();
    QVERIFY(FolderTree.FreeNode(Root->FNode->Child(0), true));
    QVERIFY(TFilesSnapshot(Root->FNode, true, &FolderTree, Removals).Abandoned());
    const TFilesSnapshot After(Root->FNode, true, &FolderTree, FolderTree.Removals());
    QVERIFY(!After.Abandoned());
    QCOMPARE(After.Count(), uint32_t((Folders - 1) * PerFolder));
  }

  // The manual's table of classes is the program's.
  void manualTable()
  {
    QFile Manual(QFINDTESTDATA("../doc/manual.html"));
    QVERIFY(Manual.open(QIODevice::ReadOnly));
    const QString Text = QString::fromUtf8(Manual.readAll());
    const qsizetype Start = Text.indexOf("<table id=\"type-classes\">");
    QVERIFY(Start >= 0);
    const QString Table = Text.mid(Start, Text.indexOf("</table>", Start) - Start);
    static const QRegularExpression Row(R"(<tr><td>([^<]*)</td><td>([^<]*)</td></tr>)");
    QStringList Got, Want;
    for (auto Match = Row.globalMatch(Table); Match.hasNext();) {
      const QRegularExpressionMatch Next = Match.next();
      Got << Next.captured(1) + ": " + Next.captured(2).simplified();
    }
    for (int Kind = 0; Kind < TFileClass::fcOther; ++Kind)
      Want << TFileClass::Name(Kind) + ": "
          + QString::fromUtf8(TFileClass::Extensions(Kind).data(), TFileClass::Extensions(Kind).size());
    QCOMPARE(Got, Want);
  }
};

QTEST_GUILESS_MAIN(TTypesTest)
#include "tst_types.moc"
