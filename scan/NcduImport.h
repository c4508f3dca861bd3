// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileListing.h"
#include "FileStamp.h"
#include "ScanSettings.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFolderNode;
struct TRoot;

// Reads a scan in ncdu's JSON export format (made by ncdu -o, gdu -o or
// Spacelens) as a scan root, counted as a scan of the same tree would be:
// folders as folders, regular files by their length in clusters, what is not
// a regular file as nothing, and what was left out as a folder not entered.
// The file is read as a stream and only its folders are kept; the entries of
// a folder are read from the file again when they are asked for.
class TNcduImport {
public:
  // ClusterSize counts the files unless the file names its own; 0: 4096.
  TNcduImport(std::string FileName, const TScanSettings& Settings, uint32_t ClusterSize);
  ~TNcduImport();
  TNcduImport(const TNcduImport&) = delete;
  TNcduImport& operator=(const TNcduImport&) = delete;

  // Reads the whole file, on any thread; false when it cannot be read, is
  // no complete export or Stop was set: Error() names the file and where.
  bool Run(const std::atomic<bool>* Stop = nullptr);
  const std::string& Error() const { return FError; }
  // The root read, its top node not in any tree yet; the caller owns it.
  TRoot* TakeRoot();
  // How far the reading has come, for progress, and the file's size.
  uint64_t BytesRead() const { return FBytesRead.load(std::memory_order_relaxed); }
  uint64_t FileSize() const { return FFileSize.load(std::memory_order_relaxed); }

  // Where the entries of an imported folder are: its root's file as it was
  // imported, and the offset of the folder in it.
  struct TPlace {
    std::string File;
    TFileStamp Stamp;
    uint64_t Offset = 0;
  };
  // The place of Node's entries; false for a folder not imported. On the
  // thread that owns the tree.
  static bool Locate(const TFolderNode* Node, TPlace& Place);
  // The files of an imported folder, read from its file again, as a listing
  // of the folder would give them. 0, or the errno (ESTALE: the file is not
  // what it was when imported). On any thread.
  // Stop, when given, is asked now and then whether they are still wanted.
  static int ListFiles(const TPlace& Place, const std::vector<std::string>& Patterns, std::vector<TListedFile>& Files,
                       const std::function<bool()>& Stop = {});

private:
  std::string FFileName;
  const TScanSettings FSettings;
  uint32_t FClusterSize;
  std::atomic<uint64_t> FFileSize{0};
  std::atomic<uint64_t> FBytesRead{0};
  std::unique_ptr<TRoot> FRoot;
  std::string FError;
};
