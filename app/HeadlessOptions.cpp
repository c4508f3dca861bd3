// SPDX-License-Identifier: GPL-3.0-or-later
// The command line read option by option, kept apart from the scan it sets up.
#include "app/HeadlessScan.h"

#include "files/TopFiles.h"
#include "remote/RemoteAddress.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <strings.h>

// Reads a file of exclude patterns, at most a megabyte; 0 or the errno.
static int ReadPatterns(const std::string& FileName, std::string& Text)
{
  constexpr size_t Most = 1 << 20;
  std::FILE* File = std::fopen(FileName.c_str(), "r");
  if (!File)
    return errno;
  Text.resize(Most + 1);
  const size_t Read = std::fread(Text.data(), 1, Text.size(), File);
  const int Code = std::ferror(File) ? (errno ? errno : EIO) : Read > Most ? EFBIG : 0;
  std::fclose(File);
  Text.resize(Read);
  return Code;
}

// Value as a whole number from 1 to Most; else none, and Problem says what
// the option Name takes.
static std::optional<long long> NumberUpTo(const std::string& Name, const std::string& Value, long long Most,
                                           std::string& Problem)
{
  char* End = nullptr;
  const long long Number = std::strtoll(Value.c_str(), &End, 10);
  if (Value.empty() || *End || Number < 1 || Number > Most) {
    Problem = Name + " takes a number from 1 to " + std::to_string(Most) + ", not " + Value;
    return std::nullopt;
  }
  return Number;
}

static bool Same(const std::string& Argument, const char* Word)
{
  return strcasecmp(Argument.c_str(), Word) == 0;
}

bool THeadlessScan::IsHiddenMode(const std::string& Argument)
{
  return Argument == "--nogui" || Same(Argument, "/NOGUI");
}

bool THeadlessScan::IsNoFolder(const std::string& Argument)
{
  return Same(Argument, "/NONE") || Same(Argument, "/NOGUI");
}

bool THeadlessScan::WantsHeadless(const std::vector<std::string>& Arguments)
{
  for (const std::string& Argument : Arguments) {
    if (Argument == "--")
      return false;  // folders follow, whatever their names
    // The window takes folders and scan files only: any option is the
    // headless form's (which refuses an unknown one with the usage).
    if (IsHiddenMode(Argument) || (Argument.starts_with("-") && Argument != "-"))
      return true;
  }
  return false;
}

bool THeadlessScan::Parse(const std::vector<std::string>& Arguments)
{
  bool OptionsEnded = false;
  for (size_t Index = 0; Index < Arguments.size(); ++Index) {
    const std::string& Argument = Arguments[Index];
    if (OptionsEnded || Argument.empty() || Argument[0] != '-' || Argument == "-") {
      if (IsNoFolder(Argument))
        continue;
      // A folder on another machine is read as the export its scanner sends.
      if (!OptionsEnded && TRemoteAddress::Looks(Argument))
        FImports.push_back(Argument);
      else
        FFolders.push_back(Argument);
      continue;
    }
    if (Argument == "--") {
      OptionsEnded = true;
      continue;
    }
    // "--name value" and "--name=value" are both accepted.
    std::string Name = Argument;
    std::string Value;
    bool HasValue = false;
    if (const size_t Equals = Argument.find('='); Argument.starts_with("--") && Equals != std::string::npos) {
      Name = Argument.substr(0, Equals);
      Value = Argument.substr(Equals + 1);
      HasValue = true;
    }
    const auto TakeValue = [&] {
      if (!HasValue && Index + 1 < Arguments.size()) {
        Value = Arguments[++Index];
        HasValue = true;
      }
      if (!HasValue)
        FProblem = Name + " needs a value";
      return HasValue;
    };
    if (!Option(Argument, Name, Value, TakeValue))
      return false;
  }
  return Consistent(Arguments);
}

bool THeadlessScan::Option(const std::string& Argument, const std::string& Name, const std::string& Value,
                           const std::function<bool()>& TakeValue)
{
  TScanSettings& Settings = FSettings;
  if (IsHiddenMode(Name)) {
  } else if (Name == "--help" || Name == "-h") {
    FShowHelp = true;
  } else if (Name == "--version") {
    FShowVersion = true;
  } else if (Name == "--quiet") {
    FQuiet = true;
  } else if (Name == "--follow-links") {
    Settings.FFollowReparsePoints = true;
  } else if (Name == "--hard-links") {
    if (!TakeValue())
      return false;
    if (Value != "once" && Value != "each") {
      FProblem = "--hard-links takes once or each, not " + Value;
      return false;
    }
    Settings.FHardLinksOnce = Value == "once";
  } else if (Name == "--export") {
    if (!TakeValue())
      return false;
    FExportFile = Value;
    FHasExport = true;
  } else if (Name == "--export-ncdu") {
    if (!TakeValue())
      return false;
    FNcduFile = Value;
  } else if (Name == "--import") {
    if (!TakeValue())
      return false;
    FImports.push_back(Value);
  } else if (Name == "--report") {
    if (!TakeValue())
      return false;
    FReportFile = Value;
  } else if (Name == "--levels") {
    if (!TakeValue())
      return false;
    const std::optional<long long> Levels = NumberUpTo(Name, Value, 1000, FProblem);
    if (!Levels)
      return false;
    FLevels = int(*Levels);
  } else if (Name == "--filter") {
    if (!TakeValue())
      return false;
    Settings.SetFileFilter(Value);
  } else if (Name == "--top") {
    if (!TakeValue())
      return false;
    const std::optional<long long> Count = NumberUpTo(Name, Value, 10000000, FProblem);
    if (!Count)
      return false;
    FTopCount = size_t(*Count);
  } else if (Name == "--top-by") {
    if (!TakeValue())
      return false;
    if (!TTopFiles::OrderNamed(Value, FTopOrder)) {
      FProblem = "--top-by takes size, allocated, newest or oldest, not " + Value;
      return false;
    }
    FHasTopOrder = true;
  } else if (Name == "--types") {
    FTypes = true;
  } else if (Name == "--duplicates") {
    FDuplicates = true;
  } else if (Name == "--min-size") {
    if (!TakeValue())
      return false;
    // Digits alone: no sign, no space, nothing past 64 bits.
    uint64_t Bytes = 0;
    const auto [End, Problem] = std::from_chars(Value.data(), Value.data() + Value.size(), Bytes);
    if (End != Value.data() + Value.size() || Problem != std::errc() || Bytes < 1) {
      FProblem = "--min-size takes a number of bytes of 1 or more, not " + Value;
      return false;
    }
    FMinSize = Bytes;
  } else if (Name == "--compare") {
    if (!TakeValue())
      return false;
    FCompare = Value;
  } else if (Name == "--no-history") {
    FNoHistory = true;
  } else if (Name == "--exclude") {
    if (!TakeValue())
      return false;
    Settings.FExclude.Add(Value);
  } else if (Name == "--exclude-from") {
    if (!TakeValue())
      return false;
    std::string Text;
    if (const int Code = ReadPatterns(Value, Text)) {
      FProblem = "--exclude-from " + Value + ": "
        + (Code == EFBIG ? "larger than a list of patterns may be" : std::strerror(Code));
      return false;
    }
    Settings.FExclude.AddLines(Text);
  } else if (Name == "--cluster-size") {
    if (!TakeValue())
      return false;
    const std::string Sizes[] = {"512", "1024", "2048", "4096", "8192", "16384", "32768"};
    if (std::find(std::begin(Sizes), std::end(Sizes), Value) == std::end(Sizes)) {
      FProblem = "--cluster-size takes 512, 1024, 2048, 4096, 8192, 16384 or 32768, not " + Value;
      return false;
    }
    FUserClusterSize = uint32_t(std::stoul(Value));
  } else {
    FProblem = "unknown option " + Argument;
    return false;
  }
  return true;
}

// Options that do not go together, or that need another.
bool THeadlessScan::Consistent(const std::vector<std::string>& Arguments)
{
  if (FFolders.empty() && FImports.empty() && !FShowHelp && !FShowVersion
      && std::none_of(Arguments.begin(), Arguments.end(), [](const std::string& A) { return Same(A, "/NONE"); })) {
    FProblem = "no folder to scan";
    return false;
  }
  if (FHasTopOrder && FTopCount == 0) {
    FProblem = "--top-by orders the files of --top, which is missing";
    return false;
  }
  if (FMinSize > 0 && !FDuplicates) {
    FProblem = "--min-size is of the files --duplicates looks at, which is missing";
    return false;
  }
  if (FDuplicates && (FTypes || FTopCount > 0 || !FCompare.empty() || !FImports.empty())) {
    FProblem = FImports.empty() ? "--duplicates writes a table of its own: give no --types, --top or --compare"
                                : "--duplicates reads the files of folders scanned here, not of an imported scan";
    return false;
  }
  if (FTypes && (FTopCount > 0 || !FImports.empty())) {
    FProblem = FImports.empty() ? "--types and --top write different tables: give one of them"
                                : "--types sums the files of folders scanned here, not of an imported scan";
    return false;
  }
  if (!FCompare.empty() && (FFolders.size() != 1 || !FImports.empty() || FTypes || FTopCount > 0)) {
    FProblem = "--compare compares one FOLDER scanned here, with the folder table";
    return false;
  }
  if (FTopCount > 0 && !FImports.empty()) {
    FProblem = "--top ranks the files of folders scanned here, not of an imported scan";
    return false;
  }
  if (!FNcduFile.empty() && FFolders.size() != 1) {
    // An export is written from the disk: an imported scan is not on it.
    FProblem = FImports.empty() ? "--export-ncdu writes one folder, not " + std::to_string(FFolders.size())
                                : "--export-ncdu writes a folder scanned here, not an imported scan";
    return false;
  }
  return true;
}
