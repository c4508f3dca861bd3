// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <QCoreApplication>

#include <atomic>
#include <cstdio>
#include <string>

struct TScanSettings;

// An earlier scan to compare with, from any file that holds one: a snapshot
// of the history, an export in ncdu's JSON format (made by ncdu, gdu or
// Spacelens), or a folder table exported as CSV. Exports name no time of
// their own: they are taken as of their file's last change. Only a regular
// file is read, so that a pipe never holds the reader.
class TSnapshotFile {
  Q_DECLARE_TR_FUNCTIONS(TSnapshotFile)

public:
  // Reads File into Snapshot; of a CSV table of several folders, the one of
  // Root when it holds it, else the first. An export is counted with
  // Settings. False with Error saying what is wrong with the file, or
  // "stopped" once Stop is set.
  static bool Read(const std::string& File, const std::string& Root, const TScanSettings& Settings,
                   TFolderSnapshot& Snapshot, std::string& Error, const std::atomic<bool>* Stop = nullptr);

private:
  static bool ReadNcdu(const std::string& File, const TScanSettings& Settings, TFolderSnapshot& Snapshot,
                       std::string& Error, const std::atomic<bool>* Stop);
  static bool ReadCsv(std::FILE* Stream, const std::string& Root, TFolderSnapshot& Snapshot, std::string& Error,
                      const std::atomic<bool>* Stop);
};
