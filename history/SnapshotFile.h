// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderSnapshot.h"

#include <string>

struct TScanSettings;

// An earlier scan to compare with, from any file that holds one: a snapshot
// of the history, an export in ncdu's JSON format (made by ncdu, gdu or
// Spacelens), or a folder table exported as CSV. Exports name no time of
// their own: they are taken as of their file's last change.
class TSnapshotFile {
public:
  // Reads File into Snapshot; of a CSV table of several folders, the one of
  // Root when it holds it, else the first. An export is counted with
  // Settings. False with Error saying what is wrong with the file.
  static bool Read(const std::string& File, const std::string& Root, const TScanSettings& Settings,
                   TFolderSnapshot& Snapshot, std::string& Error);

private:
  static bool ReadNcdu(const std::string& File, const TScanSettings& Settings, TFolderSnapshot& Snapshot,
                       std::string& Error);
  static bool ReadCsv(const std::string& File, const std::string& Root, TFolderSnapshot& Snapshot,
                      std::string& Error);
};
