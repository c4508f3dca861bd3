// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanSettings.h"

#include <cstdio>
#include <string>

class TFolderNode;

// Writes a scanned folder in ncdu's JSON export format (version 1.2), which
// ncdu and gdu read back: the folders as the scan found them, and each
// folder's entries as they are on disk now, with their own sizes and
// identities, read again as the scan read them: never through a link or
// into another mount the scan did not enter. Names are written as their bytes, as ncdu writes and reads
// them; a "spacelens_cluster_size" in the metadata gives the counting unit.
class TNcduExport {
public:
  // The folders whose entries could not be read again: they are written
  // marked as read errors.
  struct TUnread {
    size_t Changed = 0;        // gone or changed since the scan
    size_t NoDescriptors = 0;  // the process could open no more files
  };
  // Writes Top's tree, scanned with Settings, to File as it goes; false
  // when writing failed (errno says why).
  static bool Write(std::FILE* File, const TFolderNode* Top, const TScanSettings& Settings, const std::string& Version,
                    TUnread* Unread = nullptr);
};
