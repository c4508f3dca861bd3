// SPDX-License-Identifier: GPL-3.0-or-later
// Times the search for copies among the files of FOLDER of at least
// MIN_SIZE bytes (default 1 MB): the whole search, the bytes it read against
// those it had to (every file of a group whole, and the ends of the others
// of a size met twice), its rate, and the memory it left in use:
//   bench_duplicates FOLDER [MIN_SIZE]
#include "duplicates/DuplicateFinder.h"

#include "bench/Memory.h"

#include <QElapsedTimer>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

int main(int argc, char** argv)
{
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: bench_duplicates FOLDER [MIN_SIZE]\n");
    return 2;
  }
  const uint64_t MinSize = argc == 3 ? std::stoull(argv[2]) : 1 << 20;
  std::vector<TDuplicateFinder::TFile> Candidates;
  for (const auto& Entry : std::filesystem::recursive_directory_iterator(argv[1]))
    if (Entry.is_regular_file() && !Entry.is_symlink() && Entry.file_size() >= MinSize)
      Candidates.push_back({Entry.path().string(), Entry.file_size()});
  std::map<uint64_t, size_t> Sizes;
  for (const TDuplicateFinder::TFile& File : Candidates)
    ++Sizes[File.Size];
  std::printf("candidates: %zu files, memory %lld MB\n", Candidates.size(), Megabytes("VmRSS:"));
  const size_t Count = Candidates.size();
  TDuplicateFinder Finder(std::move(Candidates));
  QElapsedTimer Clock;
  Clock.start();
  Finder.Run();
  const double Seconds = Clock.nsecsElapsed() / 1e9;
  uint64_t Grouped = 0, Wasted = 0, Files = 0;
  for (const TDuplicateFinder::TGroup& Group : Finder.Groups()) {
    Grouped += Group.Size * Group.Copies();
    Wasted += Group.Wasted();
    Files += Group.Copies();
  }
  std::printf("searched in %.2f s: %zu groups, %llu files, %.1f MB wasted\n", Seconds, Finder.Groups().size(),
              (unsigned long long)Files, Wasted / 1048576.0);
  std::printf("read %.1f MB at %.0f MB/s; the groups' files are %.1f MB (%.3fx)\n", Finder.BytesRead() / 1048576.0,
              Finder.BytesRead() / 1048576.0 / Seconds, Grouped / 1048576.0,
              Grouped ? double(Finder.BytesRead()) / double(Grouped) : 0.0);
  std::printf("memory %lld MB, peak %lld MB, for %zu candidates\n", Megabytes("VmRSS:"), Megabytes("VmHWM:"), Count);
  return 0;
}
