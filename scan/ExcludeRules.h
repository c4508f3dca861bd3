// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a scan leaves out, neither listed nor counted, in the manner of
// ncdu's --exclude. A pattern without "/" matches the name of a file or a
// folder (".cache", "*.o"); one with "/" matches its path below the scanned
// folder, or the end of that path after any "/" ("build/*.tmp"). Wildcards
// are the shell's: "*", "?" and "[...]", case counting, "*" and "?"
// matching "/" too.
//
// A walk matches the patterns with "/" as it goes down: each folder keeps
// where the patterns stand after its path (a TState), and its entries go on
// from there, so a folder thousands of levels deep costs what its own name
// does, never its whole path.
class TExcludeRules {
public:
  // Where the patterns with "/" stand after a path: for each, the set of
  // places in it a match may have reached.
  using TState = std::vector<uint64_t>;

  // Adds a pattern; blank ones are ignored.
  void Add(const std::string& Pattern);
  // Adds the patterns of a text, one a line.
  void AddLines(const std::string& Text);
  bool Empty() const { return FPatterns.empty(); }
  // Whether a path below the scanned folder is needed to tell.
  bool NeedsPaths() const { return !FPaths.empty(); }
  const std::vector<std::string>& Patterns() const { return FPatterns; }

  // The state at the scanned folder itself.
  TState Start() const;
  // The state at the sub-folder Name of the folder at Folder.
  TState Below(const TState& Folder, std::string_view Name) const;
  // The state at a folder whose path below the scanned folder is Below
  // ("" for the scanned folder itself, else ending in "/").
  TState At(std::string_view Below) const;
  // Whether Name, in the folder whose state is Folder, is left out.
  bool Excludes(const TState& Folder, const char* Name) const;
  // The same for the folder at Below; costs as long as Below is.
  bool Excludes(std::string_view Below, const char* Name) const { return Excludes(At(Below), Name); }

  bool operator==(const TExcludeRules& Other) const { return FPatterns == Other.FPatterns; }

private:
  // A pattern with "/" as a row of steps, each taking one byte (a "*"
  // any number of them); its places are the steps, and the end.
  struct TStep {
    bool Star = false;
    std::bitset<256> Takes;
  };
  struct TPathPattern {
    std::vector<TStep> Steps;
    size_t First;  // its first word in a state
  };
  static std::vector<TStep> Compile(const std::string& Pattern);
  // Places reached by skipping stars, added to those of Pattern in State.
  static void Close(const TPathPattern& Pattern, TState& State);
  static void Set(const TPathPattern& Pattern, TState& State, size_t Place);
  static bool Has(const TPathPattern& Pattern, const TState& State, size_t Place);
  // State after one more byte of the path.
  void Take(TState& State, unsigned char Byte) const;
  bool Ends(const TState& State) const;

  std::vector<std::string> FPatterns;  // as given
  std::vector<std::string> FNames;     // of them, those without "/"
  std::vector<TPathPattern> FPaths;    // and those with
  size_t FWords = 0;                   // of a state
};
