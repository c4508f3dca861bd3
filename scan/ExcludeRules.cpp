// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/ExcludeRules.h"

#include <fnmatch.h>

void TExcludeRules::Add(const std::string& Pattern)
{
  if (Pattern.find_first_not_of(" \t\r") == std::string::npos)
    return;
  FPatterns.push_back(Pattern);
  (Pattern.find('/') == std::string::npos ? FNames : FPaths).push_back(Pattern);
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

bool TExcludeRules::Excludes(std::string_view Below, const char* Name) const
{
  for (const std::string& Pattern : FNames)
    if (fnmatch(Pattern.c_str(), Name, 0) == 0)
      return true;
  if (FPaths.empty())
    return false;
  const std::string Path = std::string(Below) + Name;
  for (const std::string& Pattern : FPaths)
    for (size_t Tail = 0; Tail != std::string::npos; Tail = Path.find('/', Tail)) {
      Tail += Tail > 0;  // past the "/"
      if (fnmatch(Pattern.c_str(), Path.c_str() + Tail, 0) == 0)
        return true;
    }
  return false;
}
