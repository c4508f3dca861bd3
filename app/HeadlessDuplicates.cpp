// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeadlessDuplicates.h"

#include "app/CsvExport.h"
#include "app/TerminalText.h"
#include "fs/Directory.h"
#include "scan/FolderNode.h"
#include "scan/ScanSettings.h"

#include <algorithm>
#include <cinttypes>
#include <thread>

const char* THeadlessDuplicates::Header = "group,size_bytes,path";

void THeadlessDuplicates::Watch(TScanSettings& Settings)
{
  Settings.FFileCounted = [this](const TFolderNode* Folder, const TDirEntry& Entry) {
    if (Entry.Size < FMinSize || Entry.Size == 0)
      return;
    TDuplicateFinder::TFile File{Folder->FullPath() + Entry.Name, Entry.Size};
    const std::lock_guard Lock(FGuard);
    FCandidates.push_back(std::move(File));
  };
}

void THeadlessDuplicates::Find()
{
  TDuplicateFinder Finder(std::move(FCandidates), std::max(2u, std::thread::hardware_concurrency()));
  Finder.Run();
  FGroups = Finder.Groups();
  for (const TDuplicateFinder::TSkipped& Skipped : Finder.Skipped())
    std::fprintf(stderr, "Skipped %s: %s\n", TTerminalText::For(stderr, Skipped.Path).c_str(), Skipped.Reason.c_str());
}

bool THeadlessDuplicates::WriteCsv(std::FILE* Stream, const std::vector<TDuplicateFinder::TGroup>& Groups)
{
  std::fprintf(Stream, "%s\n", Header);
  for (size_t Group = 0; Group < Groups.size(); ++Group) {
    const std::vector<TDuplicateFinder::TFile>& Files = Groups[Group].Files;
    for (auto File = Files.begin(); File != Files.end(); ++File) {
      // A row a copy: another name of a file listed is no copy of it.
      if (std::any_of(Files.begin(), File,
                      [&](const TDuplicateFinder::TFile& Before) { return Before.SameFile(*File); }))
        continue;
      const std::string Line =
        std::to_string(Group + 1) + ',' + std::to_string(File->Size) + ',' + TCsvExport::Field(File->Path) + '\n';
      std::fwrite(Line.data(), 1, Line.size(), Stream);
    }
  }
  return !std::ferror(Stream);
}

bool THeadlessDuplicates::WriteSummary(std::FILE* Stream) const
{
  uint64_t Files = 0, Wasted = 0;
  for (const TDuplicateFinder::TGroup& Group : FGroups) {
    Files += Group.Copies();
    Wasted += Group.Wasted();
  }
  std::fprintf(Stream, "%zu group%s of copies, %" PRIu64 " files, %" PRIu64 " bytes wasted\n", FGroups.size(),
               FGroups.size() == 1 ? "" : "s", Files, Wasted);
  return !std::ferror(Stream);
}
