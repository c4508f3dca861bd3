// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/TopFiles.h"
#include "scan/ScanListener.h"
#include "scan/ScanSettings.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTerminalProgress;

// The program without a window: scans the folders of the command line, each
// as its own scan root and all at once, then prints or exports the result.
class THeadlessScan : private TScanListener {
public:
  // Whether an argument asks for the program without a window: "--nogui",
  // or "/NOGUI" in any case.
  static bool IsHiddenMode(const std::string& Argument);
  // Whether the window takes an argument for no folder ("/NONE", "/NOGUI").
  static bool IsNoFolder(const std::string& Argument);
  // Whether a command line is for the program without a window: it asks
  // for it, for help or the version, or gives an option (before "--")
  // that only the program without a window knows.
  static bool WantsHeadless(const std::vector<std::string>& Arguments);

  // Runs the command line (without the program name); returns the exit
  // status: 0 when every folder was scanned, 1 when one could not be, 2 for
  // bad arguments.
  int Run(const std::vector<std::string>& Arguments);

  static const char* Usage;

private:
  // The command line, option by option, then the options together; false,
  // with FProblem, at the first that is wrong.
  bool Parse(const std::vector<std::string>& Arguments);
  // The option Argument, named Name; TakeValue puts its value in Value
  // (false, with FProblem, when there is none).
  bool Option(const std::string& Argument, const std::string& Name, const std::string& Value,
              const std::function<bool()>& TakeValue);
  bool Consistent(const std::vector<std::string>& Arguments);
  // Writes FileName ("-": standard output) through Write, telling a failure.
  bool Export(const std::string& FileName, const std::function<bool(std::FILE*)>& Write) const;
  void ScanFailed(int Code, const std::string& Path) override;
  void ScanProgress(TRoot*) override {}
  void ScanDone(TRoot*, bool, const TScanCounts&) override {}

  TScanSettings FSettings;
  bool FQuiet = false;
  TTerminalProgress* FProgress = nullptr;  // while scanning
  std::vector<std::string> FFolders;
  std::vector<std::string> FImports;  // files of scans exported elsewhere
  std::string FExportFile;
  bool FHasExport = false;
  std::string FNcduFile;
  std::string FReportFile;
  int FLevels = 1;       // of folders open below each scan in the report
  size_t FTopCount = 0;  // --top: the files to write of each folder; 0 for the folder table
  TTopFiles::TOrder FTopOrder = TTopFiles::toAllocated;  // what a full disk asks about
  bool FHasTopOrder = false;
  bool FTypes = false;       // --types: the files summed by extension instead of the folder table
  bool FDuplicates = false;  // --duplicates: the copies among the files instead of the folder table
  uint64_t FMinSize = 0;     // --min-size of a copy; 0: not given
  std::string FCompare;      // --compare: a snapshot's file, or "last"
  bool FNoHistory = false;
  uint32_t FUserClusterSize = 0;
  bool FShowHelp = false;
  bool FShowVersion = false;
  std::string FProblem;
  bool FNothingScanned = false;  // no root was scanned or imported
};
