// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/FileStamp.h"
#include "scan/ScanSettings.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TFolderBlock;
class TFolderNode;
class TStreamSource;
struct TRoot;

// Reads a scan in ncdu's JSON export format (made by ncdu -o, gdu -o or
// Spacelens) as a scan root, counted as a scan of the same tree would be:
// folders as folders, regular files by their length in clusters, what is not
// a regular file as nothing, and what was left out as a folder not entered.
// The export is read as a stream (a file, a pipe, standard input, a
// command's output) and only its folders are kept. The entries of a folder
// of a regular file are read from the file again when they are asked for
// (TNcduListing); of any other stream, the files kept for the window are
// all there is.
class TNcduImport {
public:
  // Source is the file's name, "-" for standard input; ClusterSize counts
  // the files unless the export names its own; 0: 4096.
  TNcduImport(std::string Source, const TScanSettings& Settings, uint32_t ClusterSize);
  ~TNcduImport();
  TNcduImport(const TNcduImport&) = delete;
  TNcduImport& operator=(const TNcduImport&) = delete;

  // Reads Stream's output instead of opening Source, which names it.
  void SetStream(std::unique_ptr<TStreamSource> Stream);
  // Told once when the reading waits at the end of a file still being
  // written; on the reading thread.
  std::function<void()> OnWaiting;

  // Where the folders go as they are read.
  class TSink {
  public:
    virtual ~TSink() = default;
    // The top folder's name, and the cluster size the files are counted with.
    virtual void Top(const std::string& Name, uint32_t ClusterSize) = 0;
    // Node, just made below Parent with its name, is Parent's next child.
    virtual void Attach(TFolderNode* Parent, TFolderNode* Node) = 0;
    // A folder read whole; Block (null for one without sub-folders) keeps
    // what its own files add. FirstLevel: a folder of the top's own.
    virtual void Finished(TFolderNode* Node, TFolderBlock* Block, bool FirstLevel) = 0;
  };

  // Reads the whole export, on any thread; false when it cannot be read,
  // is no complete export or Stop was set: Error() names the source and
  // where.
  bool Run(const std::atomic<bool>* Stop = nullptr);
  // Reads the export into Root, whose top node is made, handing each
  // folder to Sink as it comes, on any thread. When the export breaks off,
  // what was read stays, the folders left open counted as far as they were
  // read and marked stopped; false then, with Error().
  bool Run(TRoot& Root, TSink& Sink, const std::atomic<bool>* Stop);
  const std::string& Error() const { return FError; }
  // The root read, its top node not in any tree yet; the caller owns it.
  TRoot* TakeRoot();
  // How far the reading has come, for progress.
  uint64_t FoldersRead() const { return FFoldersRead.load(std::memory_order_relaxed); }
  uint64_t FilesRead() const { return FFilesRead.load(std::memory_order_relaxed); }
  // Gives Root, once read, what lets its folders' files be read again: the
  // regular file and where each folder is in it (nothing for other
  // streams). On the thread that owns Root's tree.
  void GiveRoot(TRoot& Root);

private:
  bool Read(TRoot& Root, TSink& Sink, const std::atomic<bool>* Stop, bool Keep);

  std::string FSource;
  const TScanSettings FSettings;
  uint32_t FClusterSize;
  std::unique_ptr<TStreamSource> FStream;
  std::atomic<uint64_t> FFoldersRead{0};
  std::atomic<uint64_t> FFilesRead{0};
  std::string FFile;  // a regular file read: its absolute path, and as it was
  TFileStamp FStamp;
  std::unordered_map<const TFolderNode*, uint64_t> FOffsets;
  std::unique_ptr<TRoot> FRoot;
  std::string FError;
};
