// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/PathRules.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

std::string TPathRules::WithSeparator(const std::string& Path)
{
  if (Path.empty() || Path.back() == Separator)
    return Path;
  return Path + Separator;
}

bool TPathRules::SamePath(const std::string& A, const std::string& B)
{
  return WithSeparator(A) == WithSeparator(B);
}

std::string TPathRules::Absolute(const std::string& Path, const std::string& Current, const std::string& Home)
{
  std::string Full;
  if (Path == "~" || Path.starts_with("~/"))
    Full = Home + Separator + Path.substr(1);
  else if (Path.starts_with(Separator))
    Full = Path;
  else if (Current.empty())
    return {};  // no current folder to take it against
  else
    Full = Current + Separator + Path;

  std::vector<std::string> Parts;
  size_t Start = 0;
  while (Start <= Full.size()) {
    size_t End = Full.find(Separator, Start);
    if (End == std::string::npos)
      End = Full.size();
    const std::string Part = Full.substr(Start, End - Start);
    if (Part == "..") {
      if (!Parts.empty())
        Parts.pop_back();
    } else if (!Part.empty() && Part != ".") {
      Parts.push_back(Part);
    }
    Start = End + 1;
  }
  std::string Result;
  for (const std::string& Part : Parts)
    Result += Separator + Part;
  return Result.empty() ? std::string(1, Separator) : Result;
}

std::string TPathRules::Absolute(const std::string& Path)
{
  std::string Current;
  if (char* Cwd = getcwd(nullptr, 0)) {
    Current = Cwd;
    free(Cwd);
  }
  const char* Home = getenv("HOME");
  return Absolute(Path, Current, Home ? Home : "");
}
