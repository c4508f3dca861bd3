// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/ExcludeRules.h"

#include <cctype>
#include <cstring>
#include <fnmatch.h>

namespace {

// The bytes a bracket expression of Pattern from At on (past its "[") takes;
// At comes back past its "]". False when there is no "]": the "[" is then
// a byte of its own, as fnmatch takes it.
bool Bracket(const std::string& Pattern, size_t& At, std::bitset<256>& Takes)
{
  size_t Here = At;
  const bool Negated = Here < Pattern.size() && (Pattern[Here] == '!' || Pattern[Here] == '^');
  Here += Negated;
  std::bitset<256> Set;
  bool First = true;
  while (Here < Pattern.size() && (First || Pattern[Here] != ']')) {
    First = false;
    if (Pattern.compare(Here, 2, "[:") == 0) {
      const size_t End = Pattern.find(":]", Here + 2);
      if (End != std::string::npos) {
        static const std::pair<const char*, int (*)(int)> Classes[] = {
          {"alpha", isalpha}, {"digit", isdigit}, {"alnum", isalnum}, {"upper", isupper},
          {"lower", islower}, {"space", isspace}, {"punct", ispunct}, {"xdigit", isxdigit},
          {"print", isprint}, {"graph", isgraph}, {"cntrl", iscntrl}, {"blank", isblank}};
        const std::string Name = Pattern.substr(Here + 2, End - Here - 2);
        for (const auto& [Class, Test] : Classes)
          if (Name == Class)
            for (int Byte = 0; Byte < 256; ++Byte)
              Set[size_t(Byte)] = Set[size_t(Byte)] || Test(Byte);
        Here = End + 2;
        continue;
      }
    }
    if (Pattern[Here] == '\\' && Here + 1 < Pattern.size())
      ++Here;
    const auto Low = (unsigned char)Pattern[Here++];
    auto High = Low;
    if (Here + 1 < Pattern.size() && Pattern[Here] == '-' && Pattern[Here + 1] != ']') {
      ++Here;
      if (Pattern[Here] == '\\' && Here + 1 < Pattern.size())
        ++Here;
      High = (unsigned char)Pattern[Here++];
    }
    for (unsigned Byte = Low; Byte <= High; ++Byte)
      Set[Byte] = true;
  }
  if (Here >= Pattern.size())
    return false;
  At = Here + 1;
  Takes = Negated ? ~Set : Set;
  return true;
}

}  // namespace

std::vector<TExcludeRules::TStep> TExcludeRules::Compile(const std::string& Pattern)
{
  std::vector<TStep> Steps;
  for (size_t At = 0; At < Pattern.size();) {
    TStep Step;
    const char Byte = Pattern[At++];
    if (Byte == '*') {
      Step.Star = true;
      Step.Takes.set();
    } else if (Byte == '?') {
      Step.Takes.set();
    } else if (Byte == '[' && Bracket(Pattern, At, Step.Takes)) {
    } else if (Byte == '\\' && At < Pattern.size()) {
      Step.Takes[(unsigned char)Pattern[At++]] = true;
    } else {
      Step.Takes[(unsigned char)Byte] = true;
    }
    Steps.push_back(Step);
  }
  return Steps;
}

void TExcludeRules::Add(const std::string& Pattern)
{
  if (Pattern.find_first_not_of(" \t\r") == std::string::npos)
    return;
  FPatterns.push_back(Pattern);
  if (Pattern.find('/') == std::string::npos) {
    FNames.push_back(Pattern);
    return;
  }
  FPaths.push_back({Compile(Pattern), FWords});
  FWords += FPaths.back().Steps.size() / 64 + 1;
}

void TExcludeRules::AddLines(const std::string& Text)
{
  size_t Start = 0;
  while (Start < Text.size()) {
    size_t End = Text.find('\n', Start);
    if (End == std::string::npos)
      End = Text.size();
    std::string Line = Text.substr(Start, End - Start);
    if (!Line.empty() && Line.back() == '\r')
      Line.pop_back();
    Add(Line);
    Start = End + 1;
  }
}

void TExcludeRules::Set(const TPathPattern& Pattern, TState& State, size_t Place)
{
  State[Pattern.First + Place / 64] |= uint64_t(1) << (Place % 64);
}

bool TExcludeRules::Has(const TPathPattern& Pattern, const TState& State, size_t Place)
{
  return State[Pattern.First + Place / 64] >> (Place % 64) & 1;
}

void TExcludeRules::Close(const TPathPattern& Pattern, TState& State)
{
  for (size_t Place = 0; Place < Pattern.Steps.size(); ++Place)
    if (Pattern.Steps[Place].Star && Has(Pattern, State, Place))
      Set(Pattern, State, Place + 1);
}

TExcludeRules::TState TExcludeRules::Start() const
{
  TState State(FWords);
  for (const TPathPattern& Pattern : FPaths) {
    Set(Pattern, State, 0);
    Close(Pattern, State);
  }
  return State;
}

void TExcludeRules::Take(TState& State, unsigned char Byte) const
{
  thread_local TState Next;
  Next.assign(FWords, 0);
  for (const TPathPattern& Pattern : FPaths) {
    const size_t Words = Pattern.Steps.size() / 64 + 1;
    for (size_t Word = 0; Word < Words; ++Word)
      for (uint64_t Bits = State[Pattern.First + Word]; Bits;) {
        const size_t Place = Word * 64 + size_t(__builtin_ctzll(Bits));
        Bits &= Bits - 1;
        if (Place >= Pattern.Steps.size() || !Pattern.Steps[Place].Takes[Byte])
          continue;
        Set(Pattern, Next, Pattern.Steps[Place].Star ? Place : Place + 1);
      }
    // After a "/" a match may start again: the end of the path after any.
    if (Byte == '/')
      Set(Pattern, Next, 0);
    Close(Pattern, Next);
  }
  State.swap(Next);
}

bool TExcludeRules::Ends(const TState& State) const
{
  for (const TPathPattern& Pattern : FPaths)
    if (Has(Pattern, State, Pattern.Steps.size()))
      return true;
  return false;
}

TExcludeRules::TState TExcludeRules::Below(const TState& Folder, std::string_view Name) const
{
  TState State = Folder;
  if (FPaths.empty())
    return State;
  for (const char Byte : Name)
    Take(State, (unsigned char)Byte);
  Take(State, '/');
  return State;
}

TExcludeRules::TState TExcludeRules::At(std::string_view Below) const
{
  TState State = Start();
  if (FPaths.empty())
    return State;
  for (const char Byte : Below)
    Take(State, (unsigned char)Byte);
  return State;
}

bool TExcludeRules::Excludes(const TState& Folder, const char* Name) const
{
  for (const std::string& Pattern : FNames)
    if (fnmatch(Pattern.c_str(), Name, 0) == 0)
      return true;
  if (FPaths.empty())
    return false;
  TState State = Folder;
  for (const char* Byte = Name; *Byte; ++Byte)
    Take(State, (unsigned char)*Byte);
  return Ends(State);
}
