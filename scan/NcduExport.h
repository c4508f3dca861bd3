// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScanSettings.h"

#include <cstdio>
#include <string>

class TFolderNode;

// Writes a scanned folder in ncdu's JSON export format (version 1.2), which
// ncdu and gdu read back: the folders as the scan found them, and each
// folder's entries as they are on disk now, with their own sizes and
// identities. Names are written as their bytes, as ncdu writes and reads
// them; a "spacelens_cluster_size" in the metadata gives the counting unit.
class TNcduExport {
public:
  // Writes Top's tree, scanned with Settings, to File as it goes; false
  // when writing failed (errno says why).
  static bool Write(std::FILE* File, const TFolderNode* Top, const TScanSettings& Settings,
                    const std::string& Version);
};
