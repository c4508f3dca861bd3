// SPDX-License-Identifier: GPL-3.0-or-later
// Times the treemap's layout and picture of a made-up tree of 1,000,000
// files in 100,000 folders (10 folders of 100 of 100, files in the last),
// sizes spread as on a real disk, at 1400 x 900:
//   bench_treemap [RUNS [PICTURE.png|- [MILLIONS]]]
// the last picture saved, to be looked at; MILLIONS of files (1 by default)
// in the same folders.
#include "treemap/TreemapLayout.h"
#include "treemap/TreemapRenderer.h"
#include "treemap/TreemapSource.h"
#include "view/FileClass.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

class TMadeUpTree : public TTreemapSource {
public:
  explicit TMadeUpTree(double Millions)
  {
    std::mt19937_64 Random(1);
    std::lognormal_distribution<double> Size(9, 2.5);  // a median of 8 KB
    std::uniform_int_distribution<int> Count(0, int(std::lround(20 * Millions)));
    std::uniform_int_distribution<int> Class(0, TFileClass::fcOther);
    FFolders.push_back({});
    // Breadth first: each folder's sub-folders together.
    for (size_t Index = 0, Level = 0, End = 1; Level < 3; ++Level) {
      const uint32_t Fanout = Level == 0 ? 10 : 100;
      for (; Index < End; ++Index) {
        FFolders[Index].FirstFolder = uint32_t(FFolders.size());
        FFolders[Index].Folders = Fanout;
        FFolders.resize(FFolders.size() + Fanout);
      }
      End = FFolders.size();
    }
    for (TFolder& Folder : FFolders) {
      if (Folder.Folders > 0)
        continue;
      Folder.FirstFile = uint32_t(FSizes.size());
      Folder.Files = uint32_t(Count(Random));
      for (uint32_t File = 0; File < Folder.Files; ++File) {
        FSizes.push_back(uint64_t(std::min(Size(Random), 4e10)));
        FClasses.push_back(uint8_t(Class(Random)));
      }
    }
    // Totals from the bottom up: sub-folders come after their folder.
    for (size_t Index = FFolders.size(); Index-- > 0;) {
      TFolder& Folder = FFolders[Index];
      for (uint32_t File = 0; File < Folder.Files; ++File)
        Folder.Weight += FSizes[Folder.FirstFile + File];
      for (uint32_t Child = 0; Child < Folder.Folders; ++Child)
        Folder.Weight += FFolders[Folder.FirstFolder + Child].Weight;
    }
  }

  void Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const override
  {
    ++FCalls;
    const TFolder& Of = *static_cast<const TFolder*>(Folder);
    for (uint32_t Child = 0; Child < Of.Folders; ++Child)
      Out.push_back({FFolders[Of.FirstFolder + Child].Weight, &FFolders[Of.FirstFolder + Child], 0, 0});
    for (uint32_t File = 0; File < Of.Files; ++File)
      Out.push_back({FSizes[Of.FirstFile + File], nullptr, File, FClasses[Of.FirstFile + File]});
  }

  const void* Root() const { return &FFolders[0]; }
  size_t FolderCount() const { return FFolders.size(); }
  size_t FileCount() const { return FSizes.size(); }
  mutable size_t FCalls = 0;

private:
  struct TFolder {
    uint64_t Weight = 0;
    uint32_t FirstFolder = 0, Folders = 0, FirstFile = 0, Files = 0;
  };
  std::vector<TFolder> FFolders;
  std::vector<uint64_t> FSizes;
  std::vector<uint8_t> FClasses;
};

}  // namespace

int main(int argc, char** argv)
{
  QGuiApplication Application(argc, argv);
  const int Runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const TMadeUpTree Tree(argc > 3 ? std::max(0.01, std::atof(argv[3])) : 1);
  std::printf("%zu files in %zu folders, 1400 x 900\n", Tree.FileCount(), Tree.FolderCount());
  const TLatestJob::TStop Cancel = [] { return false; };
  QImage Last;
  for (int Run = 0; Run < Runs; ++Run) {
    QElapsedTimer Clock;
    Clock.start();
    TTreemapLayout Layout;
    Tree.FCalls = 0;
    Layout.Build(Tree, Tree.Root(), QRectF(0, 0, 1400, 900), Cancel);
    const qint64 Laid = Clock.nsecsElapsed();
    const QImage Image = TTreemapRenderer().Render(Layout, QSize(1400, 900), Cancel);
    const qint64 Drawn = Clock.nsecsElapsed();
    std::printf("layout %6.1f ms  picture %6.1f ms  total %6.1f ms  (%zu tiles, %zu folders opened)\n", Laid / 1e6,
                (Drawn - Laid) / 1e6, Drawn / 1e6, Layout.Tiles().size(), Tree.FCalls);
    Last = Image;
  }
  if (argc > 2 && std::strcmp(argv[2], "-") != 0 && !Last.save(argv[2]))
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
  std::printf("target: within 250 ms\n");
  return 0;
}
