// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a scan leaves out, neither listed nor counted, in the manner of
// ncdu's --exclude. A pattern without "/" matches the name of a file or a
// folder (".cache", "*.o"); one with "/" matches its path below the scanned
// folder, or the end of that path after any "/" ("build/*.tmp"). Wildcards
// are the shell's: "*", "?" and "[...]", case counting.
class TExcludeRules {
public:
  // Adds a pattern; blank ones are ignored.
  void Add(const std::string& Pattern);
  // Adds the patterns of a text, one a line.
  void AddLines(const std::string& Text);
  bool Empty() const { return FPatterns.empty(); }
  // Whether a path below the scanned folder is needed to tell.
  bool NeedsPaths() const { return !FPaths.empty(); }
  const std::vector<std::string>& Patterns() const { return FPatterns; }
  // Whether Name, in the folder whose path below the scanned folder is
  // Below ("" for the scanned folder itself, else ending in "/"), is left
  // out.
  bool Excludes(std::string_view Below, const char* Name) const;

  bool operator==(const TExcludeRules& Other) const { return FPatterns == Other.FPatterns; }

private:
  std::vector<std::string> FPatterns;  // as given
  std::vector<std::string> FNames;     // of them, those without "/"
  std::vector<std::string> FPaths;     // and those with
};
