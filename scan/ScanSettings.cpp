// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/ScanSettings.h"

#include "fs/Wildcard.h"

#include <algorithm>

void TScanSettings::SetFileFilter(const std::string& Text, size_t Limit)
{
  FFileFilter.clear();
  size_t Start = 0;
  while (FFileFilter.size() < Limit) {
    Start = Text.find_first_not_of(' ', Start);
    if (Start == std::string::npos)
      break;
    const size_t End = Text.find(' ', Start);
    FFileFilter.push_back(Text.substr(Start, End - Start));
    Start = End;
  }
  if (FFileFilter.empty())
    FFileFilter.push_back("*");
}

bool TScanSettings::MatchesEveryFile() const
{
  return FFileFilter.size() == 1 && FFileFilter.front() == "*";
}

uint64_t TScanSettings::Matches(const char* Name) const
{
  if (MatchesEveryFile())
    return 1;
  return uint64_t(std::count_if(FFileFilter.begin(), FFileFilter.end(),
                                [Name](const std::string& Pattern) { return MatchWildcard(Pattern.c_str(), Name); }));
}
