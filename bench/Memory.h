// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstring>
#include <fstream>
#include <string>

// The process's resident memory in megabytes, from /proc/self/status: now
// ("VmRSS:") or its peak so far ("VmHWM:").
inline long long Megabytes(const char* Field = "VmHWM:")
{
  std::ifstream Status("/proc/self/status");
  for (std::string Line; std::getline(Status, Line);)
    if (Line.rfind(Field, 0) == 0)
      return std::stoll(Line.substr(std::strlen(Field))) / 1024;
  return -1;
}
