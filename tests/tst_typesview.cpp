// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"
#include "app/RightPane.h"
#include "app/TypesCommands.h"
#include "files/FilesList.h"
#include "scan/FilesSnapshot.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "tests/TestHome.h"
#include "tests/TestTree.h"
#include "tests/TreeFixture.h"
#include "tests/WindowTest.h"
#include "treemap/TreemapPane.h"
#include "treemap/TreemapView.h"
#include "types/TypesList.h"
#include "view/FileClass.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <cstdio>
#include <map>
#include <set>
#include <sys/stat.h>

namespace {

// What each file of the tree below counts as, by hand: its class's word and
// its extension.
const std::map<std::string, std::pair<std::string, std::string>> Counted = {
  {"a.JPG", {"image", "jpg"}},         {"b.jpg", {"image", "jpg"}},
  {"b-again.jpg", {"image", "jpg"}},   {"c.tar.gz", {"archive", "tar.gz"}},
  {"d.TAR.GZ", {"archive", "tar.gz"}}, {"e.gz", {"archive", "gz"}},
  {"notes.old.gz", {"archive", "gz"}}, {"disk.img", {"archive", "img"}},
  {"README", {"other", ""}},           {".bashrc", {"other", ""}},
  {"tool", {"program", ""}},           {"run.xyz", {"program", ""}},
  {"data.xyz", {"other", "xyz"}},      {"libfoo.so.1.2", {"program", "so"}},
};

// A scanned tree in a window showing the types view of its top:
// top/{a.JPG 1000, b.jpg 3000, c.tar.gz 5000, e.gz 2000, README 300,
// .bashrc 50, tool 900 and run.xyz 400 (both may be run), data.xyz 40,
// sub/{b-again.jpg: b.jpg's second name, d.TAR.GZ 7000, disk.img 10 MB of
// holes, deeper/notes.old.gz 100}, lib/libfoo.so.1.2 800}.
struct TScanned {
  TScanned()
  {
    Tree.File("a.JPG", 1000);
    Tree.File("b.jpg", 3000);
    Tree.File("c.tar.gz", 5000);
    Tree.File("e.gz", 2000);
    Tree.File("README", 300);
    Tree.File(".bashrc", 50);
    Tree.File("tool", 900);
    Tree.File("run.xyz", 400);
    Tree.File("data.xyz", 40);
    QCOMPARE(chmod(Tree.Path("tool").c_str(), 0755), 0);
    QCOMPARE(chmod(Tree.Path("run.xyz").c_str(), 0755), 0);
    Tree.Folder("sub");
    QCOMPARE(link(Tree.Path("b.jpg").c_str(), Tree.Path("sub/b-again.jpg").c_str()), 0);
    Tree.File("sub/d.TAR.GZ", 7000);
    Tree.Sparse("sub/disk.img", 10 * 1024 * 1024);
    Tree.Folder("sub/deeper");
    Tree.File("sub/deeper/notes.old.gz", 100);
    Tree.Folder("lib");
    Tree.File("lib/libfoo.so.1.2", 800);
    Form.show();
    Form.TypesButtonClick();
    QVERIFY(Form.StartScan(Tree.Top()));
    QVERIFY(ScansDone(Form));
    Top = Form.Driver().Roots()->FNode;
    Form.SetCurrentNode(Top);
    Settle();
  }
  TTypesList& Types() { return Form.RightPane().Types(); }
  TTypesModel& Model() { return Types().Model(); }
  // The share of a row, in per cent.
  double Percent(const QModelIndex& Index)
  {
    return Model().index(Index.row(), TTypesModel::tcPercent, Index.parent()).data().toString().remove(" %").toDouble();
  }
  void Settle()
  {
    QTRY_VERIFY(!Types().Busy() && Model().rowCount() > 0);
    QVERIFY(Model().Files() && Model().Files()->Top() == Form.RightPane().Types().Folder());
  }
  // Every extension row as "class/extension:files,size,allocated", sorted.
  QStringList Rows()
  {
    QStringList Rows;
    for (const TTypeTotals::TType& Type : Model().Extensions())
      Rows << QString("%1/%2:%3,%4,%5")
                .arg(TFileClass::Word(Type.Kind), QString::fromStdString(Type.Extension))
                .arg(Type.Files)
                .arg(Type.Size)
                .arg(Type.Allocated);
    Rows.sort();
    return Rows;
  }
  // The space files of these sizes take together.
  uint64_t Allocated(const std::vector<uint64_t>& Sizes) const
  {
    const uint64_t Cluster = Top->ClusterSize();
    uint64_t Total = 0;
    for (uint64_t Size : Sizes)
      Total += (Size + Cluster - 1) / Cluster * Cluster;
    return Total;
  }
  TTestTree Tree;
  TMainForm Form;
  // The list's model is checked through every fill, sort and pick.
  QAbstractItemModelTester Tester{&Form.RightPane().Types().Model(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest};
  TFolderNode* Top = nullptr;
};

// A row's type, to find it again after the rows were made again.
struct TRowType {
  int Kind;
  bool Class;
  std::string Extension;
  QModelIndex In(const TTypesList& List) const { return List.IndexOf(Kind, Class ? nullptr : &Extension); }
};

std::vector<TRowType> RowTypes(TTypesModel& Model)
{
  std::vector<TRowType> Found;
  for (int Row = 0; Row < Model.rowCount(); ++Row) {
    const QModelIndex Class = Model.index(Row, 0);
    Found.push_back({Model.TypeAt(Class).Kind, true, {}});
    for (int Child = 0; Child < Model.rowCount(Class); ++Child)
      Found.push_back({Model.TypeAt(Class).Kind, false, Model.TypeAt(Model.index(Child, 0, Class)).Extension});
  }
  return Found;
}

}  // namespace

class TTypesViewTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }
  void init() { ResetSettings(); }

  // Each extension's files, size and space, counted once for a file with
  // two names, none for a file of holes; each class the sum of its rows;
  // the shares of all classes the whole; the CSV the same, largest first.
  void countsEveryType()
  {
    TScanned Scan;
    // Largest first, as the CSV lists them, with the sizes of their files.
    const struct {
      const char *Extension, *Class;
      int Files;
      uint64_t Size;
      std::vector<uint64_t> Taking;
    } Expected[] = {{"img", "archive", 1, 10485760, {}},     {"tar.gz", "archive", 2, 12000, {5000, 7000}},
                    {"jpg", "image", 2, 4000, {1000, 3000}}, {"gz", "archive", 2, 2100, {2000, 100}},
                    {"", "program", 2, 1300, {900, 400}},    {"so", "program", 1, 800, {800}},
                    {"", "other", 2, 350, {300, 50}},        {"xyz", "other", 1, 40, {40}}};
    QStringList Rows;
    QByteArray Csv = "extension,class,files,size_bytes,allocated_bytes\n";
    for (const auto& Type : Expected) {
      const QString Counts = QString("%1,%2,%3").arg(Type.Files).arg(Type.Size).arg(Scan.Allocated(Type.Taking));
      Rows << QString("%1/%2:%3").arg(Type.Class, Type.Extension, Counts);
      Csv += QString("%1,%2,%3\n").arg(Type.Extension, Type.Class, Counts).toUtf8();
    }
    Rows.sort();
    QCOMPARE(Scan.Rows(), Rows);

    TTypesModel& Model = Scan.Model();
    double Shares = 0;
    for (int Row = 0; Row < Model.rowCount(); ++Row) {
      const QModelIndex Class = Model.index(Row, 0);
      const TTypeTotals::TType& Of = Model.TypeAt(Class);
      TTypeTotals::TType Sum;
      for (int Child = 0; Child < Model.rowCount(Class); ++Child) {
        const TTypeTotals::TType& Type = Model.TypeAt(Model.index(Child, 0, Class));
        QCOMPARE(Type.Kind, Of.Kind);
        Sum.Files += Type.Files;
        Sum.Size += Type.Size;
        Sum.Allocated += Type.Allocated;
        Sum.Largest = std::max(Sum.Largest, Type.Largest);
      }
      QCOMPARE(std::tuple(Of.Files, Of.Size, Of.Allocated, Of.Largest),
               std::tuple(Sum.Files, Sum.Size, Sum.Allocated, Sum.Largest));
      Shares += Scan.Percent(Class);
    }
    QVERIFY2(std::abs(Shares - 100) < 0.35, qPrintable(QString::number(Shares)));
    // Shares by the tree's measure: the file of holes is nearly all the
    // size and none of the space.
    const auto ArchiveShare = [&Scan] { return Scan.Percent(Scan.Types().IndexOf(TFileClass::fcArchive, nullptr)); };
    QVERIFY(ArchiveShare() > 99);
    const auto Total = [&Scan](uint64_t Bytes) { return Scan.Form.Display().BytesText(double(Bytes)).trimmed(); };
    QCOMPARE(Scan.Types().StatusText(),
             "8 types in 4 classes, 13 files, " + Total(10485760 + 12000 + 4000 + 2100 + 1300 + 800 + 350 + 40));
    // Counted again in another measure, the selected type stays selected.
    const std::string Gz = "gz";
    Scan.Types().View()->setCurrentIndex(Scan.Types().IndexOf(TFileClass::fcArchive, &Gz));
    Scan.Form.View1Click(vtAllocated);
    QTRY_VERIFY(Scan.Types().Busy());
    Scan.Settle();
    QCOMPARE(Model.TypeAt(Scan.Types().View()->currentIndex()).Extension, Gz);
    uint64_t Taken = 0;
    for (int Row = 0; Row < Model.rowCount(); ++Row)
      Taken += Model.TypeAt(Model.index(Row, 0)).Allocated;
    const double Share =
      100.0 * double(Model.TypeAt(Scan.Types().IndexOf(TFileClass::fcArchive, nullptr)).Allocated) / double(Taken);
    QVERIFY2(std::abs(ArchiveShare() - Share) < 0.06 && Share < 90, qPrintable(QString::number(ArchiveShare())));
    // The total the shares are of is in that measure too.
    QCOMPARE(Scan.Types().StatusText(), "8 types in 4 classes, 13 files, " + Total(Taken) + " allocated");
    // The largest file of an extension, by name and path.
    const QModelIndex GzRow = Scan.Types().IndexOf(TFileClass::fcArchive, &Gz);
    QCOMPARE(Model.index(GzRow.row(), TTypesModel::tcLargest, GzRow.parent()).data().toString(), QString("e.gz"));
    QCOMPARE(Model.LargestPath(GzRow), Scan.Tree.Path("e.gz"));

    std::FILE* Stream = std::tmpfile();
    QVERIFY(Scan.Form.TypesCommands().WriteCsv(Stream));
    std::rewind(Stream);
    QByteArray Text(4096, '\0');
    Text.resize(std::fread(Text.data(), 1, Text.size(), Stream));
    std::fclose(Stream);
    QCOMPARE(Text, Csv);
  }

  // An extension with a space is one word of the files view's filter; the
  // other filters listsFilesOfEachType checks by the files they list.
  void filterOfSpacedExtension()
  {
    const std::string Extension = "my ext";
    QCOMPARE(TTypesCommands::FilterOf({TFileClass::fcOther, &Extension}), QString("kind:other \"ext:my ext\""));
  }

  // Every row, class or extension, lists in the files view exactly its
  // files, the largest first: as many as it counts, as large together.
  void listsFilesOfEachType()
  {
    TScanned Scan;
    for (const TRowType& Type : RowTypes(Scan.Model())) {
      Scan.Form.TypesButtonClick();
      Scan.Settle();
      const QModelIndex Index = Type.In(Scan.Types());
      QVERIFY(Index.isValid());
      const TTypeTotals::TType Counted = Scan.Model().TypeAt(Index);
      Scan.Types().View()->setCurrentIndex(Index);
      QTest::keyClick(Scan.Types().View(), Qt::Key_Return);
      QVERIFY(Scan.Form.RightPane().ShowsFiles());
      TFilesList& Files = Scan.Form.RightPane().Files();
      QTRY_VERIFY(!Files.Busy() && Files.Model().Files());
      QCOMPARE(uint64_t(Files.Model().rowCount()), Counted.Files);
      uint64_t Size = 0, Last = UINT64_MAX;
      for (int Row = 0; Row < Files.Model().rowCount(); ++Row) {
        const uint32_t Number = Files.Model().NumberAt(Row);
        const uint64_t Bytes = Files.Model().Files()->File(Files.Model().Files()->SlotOf(Number), Number).Size();
        QVERIFY2(Bytes <= Last, qPrintable(Files.FilterText()));
        Last = Bytes;
        Size += Bytes;
      }
      QCOMPARE(Size, Counted.Size);
    }
  }

  // Selecting a row lights exactly the treemap's tiles of its files, by
  // the names' own extensions; leaving the view puts the lights out.
  void treemapLightsType()
  {
    TScanned Scan;
    // Weighed by the space taken: the file of holes takes none, and the
    // small ones are tiles of their own.
    Scan.Form.View1Click(vtAllocated);
    QVERIFY(Scan.Types().ShowsTreemap());
    TTreemapView& Map = Scan.Form.RightPane().Treemap().View();
    QVERIFY(Map.isVisible());
    QVERIFY(Map.WaitForImage(10000));
    const auto NameOf = [](const TTreemapTile& Tile) {
      return std::string(static_cast<const TFolderNode*>(Tile.Folder)->FFiles.load()->Name(Tile.File));
    };
    std::set<std::string> Drawn;
    for (const TTreemapTile& Tile : Map.Layout()->Tiles())
      if (Tile.Kind == TTreemapTile::tkFile)
        Drawn.insert(NameOf(Tile));
    QCOMPARE(Drawn.size(), Counted.size() - 1);
    for (const TRowType& Type : RowTypes(Scan.Model())) {
      Scan.Types().View()->setCurrentIndex(Type.In(Scan.Types()));
      std::set<std::string> Lit, Wanted;
      for (const int Tile : Map.LitTiles())
        Lit.insert(NameOf(Map.Layout()->Tiles()[Tile]));
      for (const std::string& Name : Drawn)
        if (Counted.at(Name).first == TFileClass::Word(Type.Kind)
            && (Type.Class || Counted.at(Name).second == Type.Extension))
          Wanted.insert(Name);
      QVERIFY2(Lit == Wanted, qPrintable(QString::fromStdString(Type.Extension)));
    }
    Scan.Form.TreemapButtonClick();
    QVERIFY(Map.isVisible());
    QVERIFY(Map.WaitForImage(10000));
    QVERIFY(Map.LitTiles().empty());
  }

  // Every column sorts both ways, the classes and the extensions within
  // each; the selected type stays selected.
  void sortsByEveryColumn_data()
  {
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    for (int Column = 0; Column < TTypesModel::tcCount; ++Column)
      for (bool Descending : {false, true})
        QTest::addRow("%s %s", qPrintable(TTypesModel::Caption(Column)), Descending ? "down" : "up")
          << Column << Descending;
  }
  void sortsByEveryColumn()
  {
    QFETCH(int, column);
    QFETCH(bool, descending);
    TScanned Scan;
    TTypesModel& Model = Scan.Model();
    const std::string Gz = "gz";
    Scan.Types().View()->setCurrentIndex(Scan.Types().IndexOf(TFileClass::fcArchive, &Gz));
    Scan.Types().View()->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    const QModelIndex Current = Scan.Types().View()->currentIndex();
    QCOMPARE(Model.TypeAt(Current).Extension, Gz);
    // Ordered by the column's own text or number, ties by name.
    const auto Key = [&](const QModelIndex& Index) -> QVariant {
      const TTypeTotals::TType& Type = Model.TypeAt(Index);
      switch (column) {
        case TTypesModel::tcType: return Model.TypeName(Index);
        case TTypesModel::tcFiles: return qulonglong(Type.Files);
        case TTypesModel::tcSize: return qulonglong(Type.Size);
        case TTypesModel::tcAllocated: return qulonglong(Type.Allocated);
        case TTypesModel::tcPercent: return qulonglong(Model.Value(Type));
        default: return qulonglong(Type.Largest);
      }
    };
    const auto Ordered = [&](const QModelIndex& Parent) {
      for (int Row = 1; Row < Model.rowCount(Parent); ++Row) {
        const QVariant Before = Key(Model.index(Row - 1, 0, Parent)), After = Key(Model.index(Row, 0, Parent));
        const bool InOrder = descending ? QVariant::compare(Before, After) >= 0 : QVariant::compare(Before, After) <= 0;
        if (!InOrder)
          return false;
      }
      return true;
    };
    QVERIFY(Ordered({}));
    for (int Row = 0; Row < Model.rowCount(); ++Row)
      QVERIFY2(Ordered(Model.index(Row, 0)), qPrintable(Model.TypeName(Model.index(Row, 0))));
  }

  // A folder of the tree that goes takes its files out of the view, which
  // counts the rest once the tree has settled.
  void treeRemoval()
  {
    TScanned Scan;
    QVERIFY(Scan.Form.Tree().FreeNode(Child(Scan.Top, "sub"), true));
    QCOMPARE(Scan.Model().rowCount(), 0);
    Scan.Settle();
    QVERIFY(Scan.Rows().contains("archive/tar.gz:1,5000," + QString::number(Scan.Allocated({5000}))));
    QVERIFY(Scan.Rows().contains("archive/gz:1,2000," + QString::number(Scan.Allocated({2000}))));
    QCOMPARE(Scan.Rows().filter("img").size(), 0);
  }

  // The view, its order and its treemap switch come back with the window.
  void keptWithSettings()
  {
    {
      TMainForm Form;
      Form.show();
      Form.TypesButtonClick();
      Form.RightPane().Types().View()->sortByColumn(TTypesModel::tcFiles, Qt::AscendingOrder);
      for (QToolButton* Button : Form.RightPane().Types().findChildren<QToolButton*>())
        if (Button->text() == "Tree&map")
          Button->click();
      Form.close();
    }
    TMainForm Form;
    Form.show();
    QCOMPARE(Form.RightPane().Series(), TRightPane::psTypes);
    QCOMPARE(Form.RightPane().Types().Model().SortColumn(), int(TTypesModel::tcFiles));
    QCOMPARE(Form.RightPane().Types().Model().SortOrder(), Qt::AscendingOrder);
    QVERIFY(!Form.RightPane().Types().ShowsTreemap());
  }

private:
  std::unique_ptr<TTestHome> FHome;
};

QTEST_MAIN(TTypesViewTest)
#include "tst_typesview.moc"
