// SPDX-License-Identifier: GPL-3.0-or-later
// Times the history of a scan of FOLDER: remembered in a cache folder as
// the tree is walked (and its size there), taken in memory, read back, and
// compared with a copy of itself in which every tenth folder grew and every
// hundredth is new, with the memory each step leaves in use; then the
// window's side: the earlier scan made ready for the tree, and every
// folder's change looked up, as sorting the whole tree by change would:
//   bench_history FOLDER
#include "bench/Altered.h"
#include "bench/Memory.h"
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "scan/Baseline.h"
#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

namespace {

void Report(const char* Step, const QElapsedTimer& Clock)
{
  std::printf("%-28s %7.1f ms   memory %4lld MB, peak %4lld MB\n", Step, Clock.nsecsElapsed() / 1e6,
              Megabytes("VmRSS:"), Megabytes("VmHWM:"));
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_history FOLDER\n");
    return 2;
  }
  QCoreApplication Application(argc, argv);
  TFolderTree Tree;
  TScanDriver Driver(Tree);
  if (!Driver.StartScan(argv[1]))
    return 1;
  while (Driver.Scanning()) {
    Driver.WaitForResults(std::chrono::milliseconds(100));
    Driver.Drain();
  }
  const TFolderNode* Top = Driver.Roots()->FNode;
  std::printf("scanned: memory %lld MB\n", Megabytes("VmRSS:"));
  QElapsedTimer Clock;
  QTemporaryDir Cache;
  THistoryStore Store(Cache.path().toStdString());
  std::string Error;
  Clock.start();
  const TFolderSnapshot::THeader Header =
    TFolderSnapshot::HeaderOf(Top, TSnapshotCompare::OptionsOf(Driver.FSettings), 2);
  if (!Store.Remember(
        Header, [&](std::FILE* Stream) { return TFolderSnapshot::Write(Stream, Header, Top, &Tree, Tree.Removals()); },
        Error)) {
    std::fprintf(stderr, "%s\n", Error.c_str());
    return 1;
  }
  Report("remembered as walked", Clock);
  const THistoryStore::TEntry Kept = Store.Of(Header.Root).front();
  std::printf("  %.2f MB on disk\n", Kept.Bytes / 1048576.0);
  Clock.restart();
  const TFolderSnapshot Now =
    TFolderSnapshot::Of(Top, TSnapshotCompare::OptionsOf(Driver.FSettings), 2, &Tree, Tree.Removals());
  Report("snapshot taken", Clock);
  std::printf("  %zu folders\n", Now.FFolders.size());
  Clock.restart();
  TFolderSnapshot Read;
  if (!TFolderSnapshot::Read(Kept.File, Read, Error)) {
    std::fprintf(stderr, "%s\n", Error.c_str());
    return 1;
  }
  Report("read back", Clock);
  TFolderSnapshot Before = Altered(Read);
  Read = {};
  Clock.restart();
  const TSnapshotCompare Compare(Before, Top, Header, TChangeMeasure(vtSize));
  size_t Rows = 0;
  Compare.Walk([&Rows](const TSnapshotCompare::TRow&, size_t) { ++Rows; },
               [&Rows](const TSnapshotCompare::TRow&) { ++Rows; });
  Report("compared", Clock);
  Clock.restart();
  const size_t Grown = Compare.Grown(20).size();
  Report("the most grown found", Clock);
  std::printf("  %zu rows, %zu of the most grown\n", Rows, Grown);
  Clock.restart();
  const TBaseline Baseline(std::move(Before), Top->FullPath());
  Report("made ready for the window", Clock);
  Clock.restart();
  size_t Changed = 0, Folders = 0;
  TFolderNode::ForEachBelow(const_cast<TFolderNode*>(Top), [&](TFolderNode* Node) {
    ++Folders;
    Changed += Baseline.Of(Node).Verdict(TChangeMeasure(vtSize)) != TChangeMeasure::cvSame;
    return true;
  });
  Report("every folder's change", Clock);
  std::printf("  %zu folders, %zu changed, %.2f us each\n", Folders, Changed,
              Clock.nsecsElapsed() / 1e3 / double(Folders));
  const TFolderNode* Widest = Top;
  TFolderNode::ForEachBelow(const_cast<TFolderNode*>(Top), [&](TFolderNode* Node) {
    if (Node->ChildCount() > Widest->ChildCount())
      Widest = Node;
    return true;
  });
  Clock.restart();
  const size_t Children = Baseline.OfChildren(Widest).size();
  Report("the widest's sub-folders", Clock);
  std::printf("  %zu sub-folders\n", Children);
  Clock.restart();
  const size_t Gone = Baseline.GoneBelow(Top).size();
  Report("gone below the top", Clock);
  std::printf("  %zu gone\n", Gone);
  return 0;
}
