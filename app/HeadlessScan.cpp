// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeadlessScan.h"

#include "app/HeadlessDuplicates.h"
#include "app/HeadlessHistory.h"
#include "app/HeadlessReport.h"
#include "scan/Baseline.h"

#include "app/CsvExport.h"
#include "app/Manual.h"
#include "app/SettingsStore.h"
#include "app/TerminalProgress.h"
#include "app/TerminalText.h"
#include "app/WindowSettings.h"
#include "fs/PathRules.h"
#include "fs/SafeSave.h"
#include "history/SnapshotCompare.h"
#include "remote/RemoteAddress.h"
#include "remote/RemoteStream.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/NcduExport.h"
#include "scan/NcduImport.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "scan/ScanSettings.h"
#include "view/FileClass.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Whether Fd is a pipe or socket whose other end is closed.
static bool ReaderGone(int Fd)
{
  pollfd Poll{Fd, POLLOUT, 0};
  struct stat Data;
  return fstat(Fd, &Data) == 0 && (S_ISFIFO(Data.st_mode) || S_ISSOCK(Data.st_mode)) && poll(&Poll, 1, 0) == 1
    && (Poll.revents & (POLLERR | POLLHUP));
}

bool THeadlessScan::Export(const std::string& FileName, const std::function<bool(std::FILE*)>& Write) const
{
  if (FileName == "-") {
    errno = 0;
    if (Write(stdout) && std::fflush(stdout) == 0 && !std::ferror(stdout))
      return true;
    std::fprintf(stderr, "Cannot write standard output: %s\n", std::strerror(errno ? errno : EIO));
    return false;
  }
  // A good file of an earlier run is worth more than an empty table.
  if (FNothingScanned && TSafeSave::HandedOver(FileName) < 0) {
    std::fprintf(stderr, "Nothing was scanned: %s is left as it was\n", TTerminalText::For(stderr, FileName).c_str());
    return false;
  }
  std::fflush(stdout);  // what went before, first, where the file is standard output
  std::string Error;
  if (TSafeSave::Stream(FileName, Write, Error)) {
    if (!Error.empty())
      std::fprintf(stderr, "%s: %s\n", TTerminalText::For(stderr, FileName).c_str(), Error.c_str());
    return true;
  }
  std::fprintf(stderr, "Cannot write %s: %s\n", TTerminalText::For(stderr, FileName).c_str(),
               TTerminalText::For(stderr, Error).c_str());
  return false;
}

int THeadlessScan::Run(const std::vector<std::string>& Arguments)
{
  FSettings.FShowErrors = true;
  FSettings.FShowFiles = false;  // "<Files>" entries are the tree's and the report's only
  if (!Parse(Arguments)) {
    std::fprintf(stderr, "spacelens: %s\n\n%s", FProblem.c_str(), Usage);
    return 2;
  }
  if (FShowHelp) {
    std::fputs(Usage, stdout);
    if (const QString Manual = TManual::Path(); !Manual.isEmpty())
      std::printf("\nThe manual: %s\n", Manual.toLocal8Bit().constData());
    return 0;
  }
  if (FShowVersion) {
    std::printf("Spacelens %s\n", SPACELENS_VERSION);
    return 0;
  }

  // An output that cannot be written is told before a scan of an hour.
  for (const std::string* Output : {FHasExport ? &FExportFile : nullptr, &FReportFile, &FNcduFile}) {
    std::string Error;
    if (Output && !Output->empty() && *Output != "-" && !TSafeSave::Check(*Output, Error)) {
      std::fprintf(stderr, "Cannot write %s: %s\n", TTerminalText::For(stderr, *Output).c_str(),
                   TTerminalText::For(stderr, Error).c_str());
      return 1;
    }
  }

  // The snapshot to compare with is read before the scan: a wrong one is
  // told at once, and "last" is not the one this scan leaves.
  TFolderSnapshot Before;
  if (!FCompare.empty()) {
    std::string Error, Note;
    if (!THeadlessHistory::Before(FCompare, TPathRules::WithSeparator(TPathRules::Absolute(FFolders.front())),
                                  FSettings, Before, Error, Note)) {
      std::fprintf(stderr, "Cannot compare with %s: %s\n", TTerminalText::For(stderr, FCompare).c_str(), Error.c_str());
      return 1;
    }
    if (!Note.empty() && !FQuiet)
      std::fprintf(stderr, "%s\n", TTerminalText::For(stderr, Note).c_str());
  }

  TFolderTree Tree;
  TScanDriver Driver(Tree);
  Driver.FUserClusterSize = FUserClusterSize;
  Driver.FSettings = FSettings;
  Driver.SetListener(this);
  TTerminalProgress Progress(stderr, !FQuiet);
  FProgress = &Progress;
  int Status = 0;
  std::vector<TFolderNode*> TopNodes;
  for (const std::string& File : FImports) {
    TNcduImport Import(File, Driver.FSettings, FUserClusterSize);
    if (!FQuiet)
      Import.OnWaiting = [&File] {
        std::fprintf(stderr, "%s is still being written: waiting while it grows\n",
                     TTerminalText::For(stderr, File).c_str());
      };
    if (TRemoteAddress Address; TRemoteAddress::Looks(File)) {
      std::string Problem;
      if (!Address.Parse(File, Problem)) {
        std::fprintf(stderr, "Cannot scan %s: %s\n", TTerminalText::For(stderr, File).c_str(), Problem.c_str());
        Status = 1;
        continue;
      }
      Import.SetStream(std::make_unique<TRemoteStream>(Address, std::string()));
    }
    if (!Import.Run()) {
      std::fprintf(stderr, "Cannot import %s\n", TTerminalText::For(stderr, Import.Error()).c_str());
      Status = 1;
      continue;
    }
    TRoot* Root = Import.TakeRoot();
    Driver.AddImported(Root);
    TopNodes.push_back(Root->FNode);
  }
  std::vector<std::string> Scanned;  // absolute paths, in the order given, once each
  // With --top, each scan ranks its files as it counts them.
  std::vector<std::unique_ptr<TTopFiles>> Rankings;
  std::map<std::string, const TTopFiles*> RankingOf;
  // With --types, each scan sums its files by extension as it counts them.
  std::map<std::string, std::unique_ptr<TTypeTotals>> TypesOf;
  // With --duplicates, each file large enough is a candidate.
  THeadlessDuplicates Duplicates(FMinSize ? FMinSize : THeadlessDuplicates::DefaultMinSize);
  if (FDuplicates)
    Duplicates.Watch(Driver.FSettings);
  for (const std::string& Folder : FFolders) {
    if (FTypes) {
      auto& Types = TypesOf[TPathRules::Absolute(Folder)];
      Types = std::make_unique<TTypeTotals>(Driver.FSettings.FHardLinksOnce);
      // One scan, one root: its cluster size is looked up once, not by a walk
      // up the tree for every file.
      Driver.FSettings.FFileCounted = [Types = Types.get(), Cluster = std::make_shared<std::atomic<uint32_t>>(0)](
                                        const TFolderNode* Node, const TDirEntry& Entry) {
        uint32_t Size = Cluster->load(std::memory_order_relaxed);
        if (Size == 0)
          Cluster->store(Size = Node->ClusterSize(), std::memory_order_relaxed);
        const TFileCount Count = TFolderData::CountFile(Entry.Size, Size, Entry.DiskBytes);
        Types->Add(Entry.Name, Entry.Size, Count.AllocatedBytes(Size), Size, Entry.Executable, Entry.Links,
                   Entry.Identity.Device, Entry.Identity.Inode);
      };
    }
    if (FTopCount > 0) {
      Rankings.push_back(std::make_unique<TTopFiles>(
        FTopCount, FTopOrder, Driver.FSettings.FHardLinksOnce,
        [](const char* Name, bool Executable) { return uint8_t(TFileClass::Of(Name, Executable)); }));
      Driver.FSettings.FFileCounted = [Ranking = Rankings.back().get()](const TFolderNode* Node,
                                                                        const TDirEntry& Entry) {
        Ranking->Offer(Node, Entry);
      };
      RankingOf[TPathRules::Absolute(Folder)] = Rankings.back().get();
    }
    int Failure = 0;
    if (!Driver.StartScan(Folder, &Failure)) {
      if (!FQuiet)
        std::fprintf(stderr, "%s\n", TTerminalText::For(stderr, TScanDriver::StartFailure(Failure, Folder)).c_str());
      Status = 1;
      continue;
    }
    const std::string Path = TPathRules::Absolute(Folder);
    if (std::find(Scanned.begin(), Scanned.end(), Path) == Scanned.end())
      Scanned.push_back(Path);
  }
  // What reads standard output may go first (head, or the window that
  // started this scan as the administrator): the scan then stops, as
  // nobody would get its results.
  bool Abandoned = false;
  while (Driver.Scanning()) {
    if (!Abandoned && ReaderGone(STDOUT_FILENO)) {
      Abandoned = true;
      for (TRoot* Root = Driver.Roots(); Root; Root = Root->FNext)
        Driver.Stop(Root);
    }
    Progress.Show(Driver.Progress());
    Driver.WaitForResults(std::chrono::milliseconds(100));
    Driver.Drain();
  }
  Progress.Clear();
  FProgress = nullptr;
  if (Abandoned) {
    if (!FQuiet)
      std::fprintf(stderr, "Stopped: nothing reads standard output any more\n");
    return 1;
  }

  // A folder given twice whose second scan failed has no root left.
  for (const std::string& Path : Scanned)
    if (const TRoot* Root = Driver.FindRoot(Path))
      TopNodes.push_back(Root->FNode);
  FNothingScanned = TopNodes.empty();
  // As du does: a scan with a folder that could not be read whole is
  // incomplete, and the exit status says so, quiet or not.
  for (const TFolderNode* Top : TopNodes) {
    if (Top->FailedBelow() || Top->FErrorCode != 0)
      Status = 1;
    if (Top->BeyondBytes())
      std::fprintf(stderr, "%s: the sizes add up to more than 64 bits can count; shown as %llu bytes\n",
                   TTerminalText::For(stderr, Top->FName).c_str(), (unsigned long long)UINT64_MAX);
  }
  // Every folder scanned here is remembered, but for a look at what
  // changed: however often the morning's comparison runs, "last" stays the
  // night's scan. The comparison is of the one.
  const TFolderNode* Compared = nullptr;
  std::vector<const TFolderNode*> Remembered;
  std::unique_ptr<TSnapshotCompare> Compare;
  std::shared_ptr<const TBaseline> Baseline;
  for (const std::string& Path : Scanned)
    // A scan whose own folder could not be read, or that never ran, is no scan.
    if (const TRoot* Root = Driver.FindRoot(Path); Root && Root->FNode->FErrorCode == 0 && Root->FNode->Finished()) {
      if (!FNoHistory && FCompare.empty())
        Remembered.push_back(Root->FNode);
      else if (!FCompare.empty())
        Compared = Root->FNode;
    }
  // The finished tree is only read from here on: compressing the scans to
  // remember takes the second core while the outputs are written, and is
  // done before the program ends.
  const std::jthread Remembering([&] {
    for (const TFolderNode* Top : Remembered)
      THeadlessHistory::Remember(Top, Driver.FSettings, FQuiet);
  });
  if (Compared) {
    // In the measure the window shows, as the report tells it.
    TWindowSettings Window;
    Window.Load(TSettingsStore(), false);
    Baseline = std::make_shared<const TBaseline>(std::move(Before), TopNodes.front()->FullPath());
    Compare = std::make_unique<TSnapshotCompare>(Baseline->Snapshot(), Compared,
                                                 THeadlessHistory::Now(Compared, Driver.FSettings),
                                                 TChangeMeasure(Window.FShowType));
    if (const std::string Warning = Compare->Warning(); !Warning.empty())
      std::fprintf(stderr, "Compared with a scan %s\n", TTerminalText::For(stderr, Warning).c_str());
  }
  // A report of a comparison tells each folder's change, the most grown first.
  if (!FReportFile.empty() && !THeadlessReport::Write(FReportFile, FLevels, Driver, TopNodes, Baseline))
    Status = 1;
  TNcduExport::TUnread Unread;
  if (!FNcduFile.empty() && !TopNodes.empty() && !Export(FNcduFile, [&](std::FILE* File) {
        return TNcduExport::Write(File, TopNodes.front(), Driver.FSettings, SPACELENS_VERSION, &Unread);
      }))
    Status = 1;
  if (Unread.Changed > 0) {
    std::fprintf(stderr, "%zu folder%s changed since the scan: %s files are missing from the export\n", Unread.Changed,
                 Unread.Changed == 1 ? "" : "s", Unread.Changed == 1 ? "its" : "their");
    Status = 1;
  }
  if (Unread.NoDescriptors > 0) {
    rlimit Limit{};
    getrlimit(RLIMIT_NOFILE, &Limit);
    std::fprintf(stderr,
                 "%zu folder%s could not be read again: the program may open no more files (ulimit -n is %llu); "
                 "%s files are missing from the export\n",
                 Unread.NoDescriptors, Unread.NoDescriptors == 1 ? "" : "s", (unsigned long long)Limit.rlim_cur,
                 Unread.NoDescriptors == 1 ? "its" : "their");
    Status = 1;
  }
  if (FDuplicates) {
    Duplicates.Find();
    if (!Export(FHasExport ? FExportFile : "-", [&](std::FILE* File) {
          return FHasExport ? Duplicates.WriteCsv(File) : Duplicates.WriteSummary(File);
        }))
      Status = 1;
  } else if (FTypes) {
    std::vector<std::pair<std::string, std::vector<TTypeTotals::TType>>> Types;
    for (const std::string& Path : Scanned)
      if (Driver.FindRoot(Path))
        Types.emplace_back(Path, TypesOf[Path]->Ranked());
    if (!Export(FHasExport ? FExportFile : "-", [&](std::FILE* File) { return TCsvExport::WriteTypes(File, Types); }))
      Status = 1;
  } else if (FTopCount > 0) {
    std::vector<TTopFiles::TFile> Files;
    for (const std::string& Path : Scanned)
      if (Driver.FindRoot(Path)) {
        const std::vector<TTopFiles::TFile> Ranked = RankingOf[Path]->Ranked();
        Files.insert(Files.end(), Ranked.begin(), Ranked.end());
      }
    if (!Export(FHasExport ? FExportFile : "-", [&](std::FILE* File) { return TCsvExport::WriteFiles(File, Files); }))
      Status = 1;
  } else if (FHasExport) {
    if (!Export(FExportFile, [&](std::FILE* File) { return TCsvExport::Write(File, TopNodes, Compare.get()); }))
      Status = 1;
  } else if (Compare) {
    if (!Export("-", [&](std::FILE* File) { return THeadlessHistory::WriteGrown(File, *Compare, 20); }))
      Status = 1;
  } else if (FReportFile.empty() && FNcduFile.empty()) {
    for (TFolderNode* Top : TopNodes) {
      const TFolderData& Record = *Top;
      std::printf("%s\t%llu bytes\t%llu bytes allocated\t%llu objects\n",
                  TTerminalText::For(stdout, Record.FName).c_str(), (unsigned long long)Record.SizeBytes(),
                  (unsigned long long)Record.AllocatedBytes(), (unsigned long long)Record.FObjects.Load());
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      std::fprintf(stderr, "Cannot write the summary: %s\n", std::strerror(errno ? errno : EIO));
      Status = 1;
    }
  }
  return Status;
}

void THeadlessScan::ScanFailed(int Code, const std::string& Path)
{
  if (FQuiet)
    return;
  if (FProgress)
    FProgress->Clear();
  if (Path.empty())
    std::fprintf(stderr, "%s\n", std::strerror(Code));
  else
    std::fprintf(stderr, "Path %s: %s\n", TTerminalText::For(stderr, Path).c_str(), std::strerror(Code));
}
