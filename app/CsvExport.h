// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/TopFiles.h"
#include "types/TypeTotals.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TFolderNode;
class TSnapshotCompare;

// The folder table of finished scans as CSV: one row per folder record,
// each scan root's top record first, then depth-first with each folder's
// sub-folders in the order of their names' bytes.
class TCsvExport {
public:
  static const char* Header;

  // Writes the header and the rows of the given top nodes' trees; false when
  // the stream reported a write failure. With Compare, of the one top node
  // against an earlier snapshot, each row tells its size then and its
  // change, and the folders gone since follow as rows of their own.
  static bool Write(std::FILE* Stream, const std::vector<TFolderNode*>& TopNodes,
                    const TSnapshotCompare* Compare = nullptr);
  static const char* FilesHeader;
  // Writes the header and a row for each file, in the order given.
  static bool WriteFiles(std::FILE* Stream, const std::vector<TTopFiles::TFile>& Files);
  // Writes the header and a row for each type of each folder (its path
  // first when there are several), in the order given.
  static bool WriteTypes(std::FILE* Stream,
                         const std::vector<std::pair<std::string, std::vector<TTypeTotals::TType>>>& Folders);
  // A field quoted as RFC 4180 requires (only when it has to be); one that
  // begins with "=", "+", "-", "@", a tab or a return gets a "'" before
  // it, so that a spreadsheet never runs it as a formula.
  static std::string Field(const std::string& Text);
  // A file time as ISO 8601 UTC, or empty when none.
  static std::string IsoTime(uint64_t Time);
};
