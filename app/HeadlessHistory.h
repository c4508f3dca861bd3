// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <cstdio>
#include <string>

class TFolderNode;
class TSnapshotCompare;
struct TScanSettings;

// The history side of a headless scan: each folder scanned here remembered
// in the user's cache, and what changed since an earlier snapshot.
class THeadlessHistory {
public:
  // The snapshot to compare Root with: the file Compare names (a snapshot
  // or an export, counted with Settings), with "last" Root's latest one
  // remembered, with "7d" its latest at least 7 days old, or its oldest
  // when none is that old, which Note then says; false with Error.
  static bool Before(const std::string& Compare, const std::string& Root, const TScanSettings& Settings,
                     TFolderSnapshot& Snapshot, std::string& Error, std::string& Note);
  // What a snapshot of the scan of Top taken now would say of it.
  static TFolderSnapshot::THeader Now(const TFolderNode* Top, const TScanSettings& Settings);
  // Remembers the scan of Top as it walks it, keeping as many as the
  // window's options say, telling a failure on standard error unless
  // Quiet; a user without a home remembers nothing, quietly.
  static void Remember(const TFolderNode* Top, const TScanSettings& Settings, bool Quiet);
  // What was compared with what, then the Count folders that grew most, as
  // a table for a terminal; false when writing failed.
  static bool WriteGrown(std::FILE* Stream, const TSnapshotCompare& Compare, size_t Count);
};
