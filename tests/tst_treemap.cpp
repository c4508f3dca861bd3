// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapLayout.h"
#include "treemap/TreemapRenderer.h"
#include "treemap/TreemapSource.h"
#include "treemap/TreemapView.h"
#include "view/FileClass.h"

#include <QSet>
#include <QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <numeric>
#include <thread>

namespace {

// A folder of the made-up trees laid out here.
struct TFakeFolder {
  std::vector<uint64_t> Files;
  std::vector<TFakeFolder> Folders;
  uint64_t Stale = 0;  // weight told beyond its entries', as of a tree changed since

  uint64_t Weight() const
  {
    uint64_t Weight = std::accumulate(Files.begin(), Files.end(), Stale);
    for (const TFakeFolder& Folder : Folders)
      Weight += Folder.Weight();
    return Weight;
  }
};

// Serves a made-up tree, counting the folders opened; During, when set, is
// called inside each Entries, on the layout's thread.
class TFakeSource : public TTreemapSource {
public:
  explicit TFakeSource(TFakeFolder Top) : FTop(std::move(Top)) {}

  void Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const override
  {
    ++FCalls;
    const TFakeFolder& Of = *static_cast<const TFakeFolder*>(Folder);
    for (const TFakeFolder& Sub : Of.Folders)
      Out.push_back({Sub.Weight(), &Sub, 0, 0});
    for (uint32_t File = 0; File < Of.Files.size(); ++File)
      Out.push_back({Of.Files[File], nullptr, File, uint8_t(File % TFileClass::fcFolder)});
    if (During)
      During();
  }
  const void* Top() const { return &FTop; }

  TFakeFolder FTop;
  mutable std::atomic<int> FCalls{0};
  std::function<void()> During;
};

const TLatestJob::TStop NoCancel = [] { return false; };

double Area(const QRectF& Rect)
{
  return Rect.width() * Rect.height();
}

double Aspect(const QRectF& Rect)
{
  return std::max(Rect.width() / Rect.height(), Rect.height() / Rect.width());
}

// Overlapping by more than rounding.
bool Overlap(const QRectF& A, const QRectF& B)
{
  const QRectF Common = A.intersected(B);
  return Common.width() > 1e-6 && Common.height() > 1e-6;
}

bool Inside(const QRectF& Inner, const QRectF& Outer)
{
  return Inner.left() >= Outer.left() - 1e-4 && Inner.top() >= Outer.top() - 1e-4
    && Inner.right() <= Outer.right() + 1e-4 && Inner.bottom() <= Outer.bottom() + 1e-4;
}

// The weight a tile stands for in the made-up tree.
uint64_t Weight(const TTreemapTile& Tile)
{
  const TFakeFolder& Folder = *static_cast<const TFakeFolder*>(Tile.Folder);
  return Tile.Kind == TTreemapTile::tkFile ? Folder.Files[Tile.File] : Folder.Weight();
}

// Three levels of folders and files of sizes spread wide, a few empty.
TFakeFolder MixedTree()
{
  TFakeFolder Top{{900000, 120000, 40000, 0, 7000}, {}};
  for (int Index = 0; Index < 6; ++Index) {
    TFakeFolder Sub{{uint64_t(300000 >> Index), 90000, 25000, 6000}, {}};
    for (int Inner = 0; Inner < 3; ++Inner)
      Sub.Folders.push_back({{uint64_t(50000 * (Inner + 1)), 20000, 3000, 0}, {}});
    Sub.Folders.push_back({});
    Top.Folders.push_back(Sub);
  }
  return Top;
}

// Sees every cursor a widget takes while it lives, not only the last.
class TCursorWatch : public QObject {
public:
  explicit TCursorWatch(QWidget& Widget) : FWidget(Widget) { Widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* Event) override
  {
    if (Event->type() == QEvent::CursorChange && FWidget.cursor().shape() == Qt::BusyCursor)
      FBusySeen = true;
    return false;
  }
  QWidget& FWidget;
  bool FBusySeen = false;
};

}  // namespace

class TTreemapTest : public QObject {
  Q_OBJECT

private slots:
  // One level: each box its share of the area, all inside, none over another.
  // The textbook case (Bruls, Huizing and van Wijk) exactly as they lay it out.
  void squarify_data()
  {
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QList<QRectF>>("leading");
    QTest::addColumn<double>("worst");
    const auto Row = [](const char* Tag, const QList<double>& Weights, QRectF Bounds, QList<QRectF> Leading = {},
                        double Worst = 0) { QTest::newRow(Tag) << Weights << Bounds << Leading << Worst; };
    Row("one", {5}, QRectF(0, 0, 10, 3));
    Row("tall, away from the origin", {40, 30, 20, 5, 5}, QRectF(12.5, 7, 30, 500));
    Row("textbook", {6, 6, 4, 3, 2, 2, 1}, QRectF(0, 0, 6, 4),
        {QRectF(0, 0, 3, 2), QRectF(0, 2, 3, 2), QRectF(3, 0, 12.0 / 7, 7.0 / 3),
         QRectF(3 + 12.0 / 7, 0, 9.0 / 7, 7.0 / 3)},
        25.0 / 9);
    QList<double> Huge{1e12};
    for (int Index = 0; Index < 300; ++Index)
      Huge.push_back(1000 - Index * 3);
    Row("one huge, many small", Huge, QRectF(0, 0, 1400, 900));
    QList<double> Spread;
    for (int Index = 1; Index <= 500; ++Index)
      Spread.push_back(1e6 / Index);
    Spread.push_back(2e5);  // a rest comes last, whatever its size
    Row("spread, unsorted tail", Spread, QRectF(0, 0, 640, 480));
  }
  void squarify()
  {
    QFETCH(QList<double>, weights);
    QFETCH(QRectF, bounds);
    QFETCH(QList<QRectF>, leading);
    QFETCH(double, worst);
    std::vector<TTreemapLayout::TBox> Boxes;
    TTreemapLayout::Squarify(std::vector<double>(weights.begin(), weights.end()), bounds, Boxes);
    QCOMPARE(Boxes.size(), size_t(weights.size()));
    const double Total = std::accumulate(weights.begin(), weights.end(), 0.0);
    double Worst = 0;
    std::vector<QRectF> Rects;
    for (const TTreemapLayout::TBox& Box : Boxes)
      Rects.push_back(QRectF(QPointF(Box.Left, Box.Top), QPointF(Box.Right, Box.Bottom)));
    for (size_t Index = 0; Index < Rects.size(); ++Index) {
      QVERIFY2(qAbs(Area(Rects[Index]) - Area(bounds) * weights[Index] / Total) < 1e-6 * Area(bounds),
               qPrintable(QString("box %1").arg(Index)));
      QVERIFY(Inside(Rects[Index], bounds));
      for (size_t Other = 0; Other < Index; ++Other)
        QVERIFY2(!Overlap(Rects[Index], Rects[Other]), qPrintable(QString("boxes %1 and %2").arg(Other).arg(Index)));
      if (Index < size_t(leading.size()))
        QCOMPARE(Rects[Index], leading[Index]);
      Worst = std::max(Worst, Aspect(Rects[Index]));
    }
    if (worst)
      QVERIFY2(Worst <= worst + 1e-9, qPrintable(QString::number(Worst)));
  }

  // Every tile inside its folder's, in proportion to its weight, covering it
  // with its siblings; a point finds the file under it (an edge the tile
  // right or below) and its chain of folders, a point outside nothing.
  void nested()
  {
    const TFakeSource Source(MixedTree());
    TTreemapLayout Layout;
    QVERIFY(Layout.Build(Source, Source.Top(), QRectF(0, 0, 400, 300), NoCancel));
    QVERIFY(!Layout.Cancelled());
    const std::vector<TTreemapTile>& Tiles = Layout.Tiles();
    QCOMPARE(Tiles[0].Rect(), QRectF(0, 0, 400, 300));
    std::map<const void*, const void*> Parents;  // of the made-up tree's folders
    for (const TFakeFolder& Sub : Source.FTop.Folders) {
      Parents[&Sub] = Source.Top();
      for (const TFakeFolder& Inner : Sub.Folders)
        Parents[&Inner] = &Sub;
    }
    int Files = 0;
    for (size_t Index = 0; Index < Tiles.size(); ++Index) {
      const TTreemapTile& Tile = Tiles[Index];
      if (Tile.Kind == TTreemapTile::tkFile) {
        ++Files;
        QCOMPARE(Layout.TileAt(Tile.Rect().center()), int(Index));
        QCOMPARE(Layout.TileAt(Tile.Rect().topLeft()), int(Index));
        QCOMPARE(Layout.Find(Tile.Folder, Tile.File), int(Index));
        // Up the chain: each parent is the tile of the folder holding the last.
        const void* Folder = Tile.Folder;
        for (int Parent = Tile.Parent; Parent >= 0; Parent = Tiles[Parent].Parent) {
          QCOMPARE(Tiles[Parent].Folder, Folder);
          QVERIFY(Tiles[Parent].Rect().contains(Tile.Rect().center()));
          Folder = Parent > 0 ? Parents.at(Folder) : nullptr;
        }
        QVERIFY(!Folder);
      }
      if (Tile.Kind != TTreemapTile::tkFolder)
        continue;
      const QRectF Inner = Tile.Rect();
      double Covered = 0;
      for (uint32_t Child = Tile.FirstChild; Child < Tile.FirstChild + Tile.Children; ++Child) {
        const TTreemapTile& Entry = Tiles[Child];
        QCOMPARE(Entry.Parent, int(Index));
        QCOMPARE(Entry.Depth, Tile.Depth + 1);
        QVERIFY(Inside(Entry.Rect(), Inner));
        QVERIFY(Area(Entry.Rect()) > 0);
        if (Entry.Kind != TTreemapTile::tkRest)
          QVERIFY(qAbs(Area(Entry.Rect()) - Area(Inner) * Weight(Entry) / Weight(Tile)) < 0.01);
        for (uint32_t Other = Tile.FirstChild; Other < Child; ++Other)
          QVERIFY(!Overlap(Entry.Rect(), Tiles[Other].Rect()));
        Covered += Area(Entry.Rect());
      }
      QVERIFY(qAbs(Covered - Area(Inner)) < 0.01);
    }
    // Every file with weight has a tile of its own at this size.
    QCOMPARE(Files, 4 + 6 * (4 + 3 * 3));
    QCOMPARE(Layout.TileAt(QPointF(400, 10)), -1);
    QCOMPARE(Layout.TileAt(QPointF(-0.01, 10)), -1);
  }

  // Empty files and folders, and what is smaller than a pixel, are never
  // opened nor tiled: the tiles grow with the pixels, not with the files. A
  // folder whose entries weigh nothing (its weight stale) is drawn whole.
  void unopened()
  {
    TFakeFolder Top{{0, 500, 0}, {}};
    Top.Folders.push_back({});                         // empty
    Top.Folders.push_back({{0, 0}, {TFakeFolder{}}});  // empty files and folder
    Top.Folders.push_back({{0}, {}, 300});             // stale
    const TFakeSource Source(Top);
    TTreemapLayout Layout;
    QVERIFY(Layout.Build(Source, Source.Top(), QRectF(0, 0, 100, 80), NoCancel));
    const std::vector<TTreemapTile>& Tiles = Layout.Tiles();
    QCOMPARE(Tiles.size(), size_t(3));
    QCOMPARE(Tiles[1].Kind, TTreemapTile::tkFile);
    QCOMPARE(Tiles[1].File, 1u);
    QCOMPARE(Tiles[2].Kind, TTreemapTile::tkClosed);
    QCOMPARE(Tiles[2].Folder, &Source.FTop.Folders[2]);
    QCOMPARE(Area(Tiles[1].Rect()) + Area(Tiles[2].Rect()), 8000.0);
    QCOMPARE(Source.FCalls.load(), 2);

    const TFakeSource Empty(TFakeFolder{{0, 0}, {TFakeFolder{}}});
    QVERIFY(Layout.Build(Empty, Empty.Top(), QRectF(0, 0, 100, 80), NoCancel));
    QVERIFY(Layout.Tiles().empty());
    QCOMPARE(Layout.TileAt(QPointF(50, 40)), -1);
    QCOMPARE(TTreemapRenderer().Render(Layout, QSize(100, 80), NoCancel).pixel(50, 40), TTreemapRenderer().FBackground);

    // A folder of a thousand files of a hundredth of a pixel each.
    const TFakeSource Tiny(TFakeFolder{{1000000000}, {TFakeFolder{std::vector<uint64_t>(1000, 1), {}}}});
    QVERIFY(Layout.Build(Tiny, Tiny.Top(), QRectF(0, 0, 100, 100), NoCancel));
    QCOMPARE(Tiny.FCalls.load(), 1);
    QCOMPARE(Layout.Tiles().size(), size_t(3));
    QCOMPARE(Layout.Tiles()[2].Kind, TTreemapTile::tkRest);
    QCOMPARE(Layout.Tiles()[2].Folder, Tiny.Top());
    // A layout thinner than a pixel opens nothing.
    QVERIFY(Layout.Build(Tiny, Tiny.Top(), QRectF(0, 0, 1000, 0.5), NoCancel));
    QCOMPARE(Tiny.FCalls.load(), 1);
    QCOMPARE(Layout.Tiles().size(), size_t(1));
    QCOMPARE(Layout.Tiles()[0].Kind, TTreemapTile::tkClosed);

    // 100,000 files in a folder of 1,000 pixels.
    const TFakeSource Crowded(TFakeFolder{{100000}, {TFakeFolder{std::vector<uint64_t>(100000, 1), {}}}});
    QVERIFY(Layout.Build(Crowded, Crowded.Top(), QRectF(0, 0, 50, 40), NoCancel));
    QCOMPARE(Crowded.FCalls.load(), 2);
    QVERIFY(Layout.Tiles().size() <= 5);
    const int Folder = Layout.Find(&Crowded.FTop.Folders[0], TTreemapTile::NoFile);
    QVERIFY(Folder > 0);
    QCOMPARE(Layout.Tiles()[Folder].Children, 1u);
  }

  // What the name does not tell, the execute bits do; what it tells stays.
  void fileClass_data()
  {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<int>("kind");
    QTest::newRow("video") << QStringList{"talk.mkv"} << false << int(TFileClass::fcVideo);
    QTest::newRow("audio") << QStringList{"song.Flac"} << false << int(TFileClass::fcAudio);
    QTest::newRow("archive") << QStringList{"data.7z.001", "syslog.2.gz"} << false << int(TFileClass::fcArchive);
    QTest::newRow("document") << QStringList{"report.pdf"} << false << int(TFileClass::fcDocument);
    QTest::newRow("code") << QStringList{"main.cpp", "vector.h++", ".config.json"} << false << int(TFileClass::fcCode);
    QTest::newRow("binary") << QStringList{"libc.so.6", "main.o"} << false << int(TFileClass::fcBinary);
    // No extension, hidden, numbers only, trailing dot, unknown, too long,
    // known only as a prefix, not ASCII, empty.
    QTest::newRow("other") << QStringList{"Makefile",        ".bashrc", "syslog.1", "notes.", "index.qwerty",
                                          "photo.jpgjpgjpg", "a.tarx",  "a.gź",     ""}
                           << false << int(TFileClass::fcOther);
    QTest::newRow("script") << QStringList{"build.sh"} << true << int(TFileClass::fcCode);
    QTest::newRow("document on a disk that runs all")
      << QStringList{"report.pdf"} << true << int(TFileClass::fcDocument);
  }
  void fileClass()
  {
    QFETCH(QStringList, names);
    QFETCH(bool, executable);
    QFETCH(int, kind);
    QStringList Got, Wanted;  // "name: kind", telling which name failed
    for (const QString& Name : names) {
      Got << Name + ": " + QString::number(TFileClass::Of(Name.toStdString(), executable));
      Wanted << Name + ": " + QString::number(kind);
    }
    QCOMPARE(Got, Wanted);
  }

  // Cancelled before, or while in a folder: no folder is opened after.
  void cancel_data()
  {
    QTest::addColumn<int>("after");
    QTest::newRow("before") << 0;
    QTest::newRow("in the third folder") << 3;
  }
  void cancel()
  {
    QFETCH(int, after);
    TFakeSource Source(MixedTree());
    bool Stopped = after == 0;
    Source.During = [&] {
      if (Source.FCalls == after)
        Stopped = true;
    };
    const TLatestJob::TStop Cancel = [&Stopped] { return Stopped; };
    TTreemapLayout Layout;
    QVERIFY(!Layout.Build(Source, Source.Top(), QRectF(0, 0, 400, 300), Cancel));
    QVERIFY(Layout.Cancelled());
    QCOMPARE(Source.FCalls.load(), after);
    QVERIFY(TTreemapRenderer().Render(Layout, QSize(400, 300), Cancel).isNull());
  }

  // The view draws on its own and names the tile hovered (clicks and keys: tst_mainform); a selection
  // draws no new picture; a slow picture is waited for in sight, a quiet one
  // not; a new request drops the one before; Cancel stops all reading.
  void view()
  {
    auto Source = std::make_shared<TFakeSource>(MixedTree());
    auto Slow = std::make_shared<TFakeSource>(MixedTree());
    std::atomic<bool> Inside{false};
    Slow->During = [&] {
      Inside = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      Inside = false;
    };
    TTreemapView View;
    const TTreemapTile* Hovered = nullptr;
    View.OnHover = [&](const TTreemapTile* Tile) { Hovered = Tile; };
    View.resize(300, 200);
    View.show();
    QVERIFY(QTest::qWaitForWindowExposed(&View));
    View.Request(Source, Source->Top());
    QVERIFY(View.WaitForImage(5000));
    QCOMPARE(View.Image().size(), QSize(300, 200) * View.devicePixelRatioF());
    QSet<QRgb> Colors;
    for (int Y = 0; Y < View.Image().height(); Y += 7)
      for (int X = 0; X < View.Image().width(); X += 7)
        Colors << View.Image().pixel(X, Y);
    QVERIFY(Colors.size() > 20);

    const std::vector<TTreemapTile>& Tiles = View.Layout()->Tiles();
    const auto Largest = std::max_element(Tiles.begin(), Tiles.end(), [](const TTreemapTile& A, const TTreemapTile& B) {
      return (A.Kind == TTreemapTile::tkFile) * Area(A.Rect()) < (B.Kind == TTreemapTile::tkFile) * Area(B.Rect());
    });
    const QPoint At = View.TileRect(int(Largest - Tiles.begin())).center().toPoint();
    QTest::mouseMove(&View, At);
    QTRY_COMPARE(Hovered, &*Largest);

    const qint64 Picture = View.Image().cacheKey();
    int Calls = Source->FCalls;
    View.SetSelected(Largest->Folder, Largest->File);
    QVERIFY(View.WaitForImage(1000));
    QCOMPARE(View.Image().cacheKey(), Picture);
    QCOMPARE(Source->FCalls.load(), Calls);

    // A new size: the old picture until the new one comes.
    View.resize(200, 250);
    QCOMPARE(View.Image().cacheKey(), Picture);
    QVERIFY(View.WaitForImage(5000));
    QCOMPARE(View.Image().size(), QSize(200, 250) * View.devicePixelRatioF());

    // A busy cursor, gone with the new picture; none for a quiet request.
    View.Request(Slow, Slow->Top());
    QTRY_COMPARE(View.cursor().shape(), Qt::BusyCursor);
    QVERIFY(View.WaitForImage(10000));
    QCOMPARE(View.cursor().shape(), Qt::ArrowCursor);
    TCursorWatch Watch(View);
    View.Request(Slow, Slow->Top(), true);
    QVERIFY(!View.Current());
    QVERIFY(View.WaitForImage(10000));
    QVERIFY(!Watch.FBusySeen);
    QCOMPARE(View.Layout()->Tiles()[0].Folder, Slow->Top());

    Calls = Slow->FCalls;
    View.Request(Slow, Slow->Top());
    View.Request(Source, Source->Top());
    QVERIFY(View.WaitForImage(5000));
    QCOMPARE(View.Layout()->Tiles()[0].Folder, Source->Top());
    QTRY_COMPARE(Slow.use_count(), 1L);
    QVERIFY(Slow->FCalls <= Calls + 1);

    View.Request(Slow, Slow->Top());
    QTRY_VERIFY(Inside);
    View.Cancel();
    QVERIFY(!Inside);
    QCOMPARE(Slow.use_count(), 1L);
    Calls = Slow->FCalls;
    // The last picture stays, deaf to the mouse; its layout goes, its
    // folders may be gone.
    QVERIFY(!View.Image().isNull() && !View.Layout());
    QCOMPARE(View.TileAt(QPointF(150, 100)), -1);
    View.resize(320, 220);
    QVERIFY(View.Idle());
    QCOMPARE(Slow->FCalls.load(), Calls);
  }
};

QTEST_MAIN(TTreemapTest)
#include "tst_treemap.moc"
