// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Wildcard.h"

static char Folded(char C)
{
  return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C;
}

bool MatchWildcard(const char* Pattern, const char* Name)
{
  // Greedy match that returns to the last "*" on a mismatch: linear in
  // practice and never recursive.
  const char* StarPattern = nullptr;
  const char* StarName = nullptr;
  while (*Name) {
    if (*Pattern == '*') {
      StarPattern = ++Pattern;
      StarName = Name;
    } else if (*Pattern == '?' || (*Pattern && Folded(*Pattern) == Folded(*Name))) {
      ++Pattern;
      ++Name;
    } else if (StarPattern) {
      Pattern = StarPattern;
      Name = ++StarName;
    } else {
      return false;
    }
  }
  while (*Pattern == '*')
    ++Pattern;
  return *Pattern == 0;
}
