// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ExcludeRules.h"
#include "scan/FileListing.h"
#include "scan/NcduListing.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFolderFiles;
class TFolderNode;

// Where the files of one folder are listed from again: the disk for a
// folder scanned here, the export file for a folder imported from one, and
// the files kept as they were read for a folder of any other export (a
// pipe, another machine), which cannot be read again. Made on the thread
// that owns the tree; listed on any.
class TFilesSource {
public:
  // Folder is Node's path on disk; Exclude the rules of its scan.
  TFilesSource(const TFolderNode* Node, const std::string& Folder, const TExcludeRules& Exclude);

  // As TFileListing::List: 0 or the errno.
  int List(const std::vector<std::string>& Patterns, std::vector<TListedFile>& Files,
           const std::function<bool()>& Stop = {}) const;

private:
  enum TKind { skDisk, skExport, skKept } FKind = skDisk;
  std::string FFolder;
  std::string FBelow;  // the folder's path below its scan's top, for Exclude
  TExcludeRules FExclude;
  TNcduListing::TPlace FPlace;
  std::shared_ptr<const TFolderFiles> FKept;
  uint32_t FClusterSize = 0;
};
