// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <cstdint>
#include <string>
#include <vector>

// The snapshots of finished scans, kept under the user's cache folder, a
// folder for each scanned root: the last FKeep of each root, and no more
// than FMostBytes in all, the oldest going first. Each is written whole
// under a name of its own before it shows, so two processes remembering
// the same root at once, or a crash, never leave a file half written;
// one that cannot be read is passed over, never trusted.
struct TRoot;

class THistoryStore {
public:
  // The cache folder: $XDG_CACHE_HOME/spacelens, else ~/.cache/spacelens.
  static std::string DefaultFolder();
  explicit THistoryStore(std::string Folder = DefaultFolder()) : FFolder(std::move(Folder)) {}

  size_t FKeep = 10;
  uint64_t FMostBytes = 200ull << 20;

  struct TEntry {
    std::string File;
    TFolderSnapshot::THeader Header;
    uint64_t Bytes = 0;
  };
  // Keeps Snapshot, then lets the oldest go as the limits say; false with
  // Error when it could not be written.
  bool Remember(const TFolderSnapshot& Snapshot, std::string& Error);
  // The snapshots of Root (absolute, ending in "/"), the newest first.
  std::vector<TEntry> Of(const std::string& Root) const;
  // Every snapshot kept, the newest first.
  std::vector<TEntry> All() const;
  // Forgets every snapshot; false with Error when one could not go.
  bool ForgetAll(std::string& Error);
  // The folder Root's snapshots are kept in.
  std::string FolderOf(const std::string& Root) const;
  // The name a root's scans are remembered under: its folder, for this
  // machine's and for a remote machine's (host:/path/); for an imported
  // scan the folder its file names, marked so that it never mixes with a
  // folder of this machine.
  static std::string RootOf(const TRoot& Root);

private:
  std::vector<TEntry> List(const std::string& Folder) const;
  void Prune(const std::string& Root);

  std::string FFolder;
};
