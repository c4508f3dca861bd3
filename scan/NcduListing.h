// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/FileStamp.h"
#include "scan/FileListing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TFolderNode;

// The files of one folder of a scan imported from a regular file, read
// from the file again when they are asked for: the tree keeps only where
// each folder's entries start.
class TNcduListing {
public:
  // Where the entries of an imported folder are: its root's file as it was
  // imported, and the offset of the folder in it.
  struct TPlace {
    std::string File;
    TFileStamp Stamp;
    uint64_t Offset = 0;
  };
  // The place of Node's entries; false for a folder not imported from a
  // regular file. On the thread that owns the tree.
  static bool Locate(const TFolderNode* Node, TPlace& Place);
  // The files of an imported folder, read from its file again, as a listing
  // of the folder would give them. 0, or the errno (ESTALE: the file is not
  // what it was when imported). On any thread.
  // Stop, when given, is asked now and then whether they are still wanted.
  static int List(const TPlace& Place, const std::vector<std::string>& Patterns, std::vector<TListedFile>& Files,
                  const std::function<bool()>& Stop = {});
};
