// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A folder of the caller's own for what only the caller may read or change
// (the cache of remembered scans). The levels of its path from Own on are
// opened one at a time, following no link but one the caller made, each
// must belong to the caller, and when missing they are made, readable by
// the caller alone; nothing that is there is changed. The path before Own
// is the caller's choice (the home, XDG_CACHE_HOME) and followed as the
// system does.
class TOwnFolder {
public:
  // The folder Path (absolute) as such a folder, Own being the length of
  // the part of Path followed as the system does, made when Make; its
  // descriptor (O_PATH), or -1 with Error.
  static int Open(const std::string& Path, size_t Own, bool Make, std::string& Error);
};
