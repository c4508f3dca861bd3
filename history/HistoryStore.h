// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The snapshots of finished scans, kept under the user's cache folder, a
// folder for each scanned root: the last FKeep of each root, and no more
// than FMostBytes in all, the first written going first. Each is written
// whole under a name of its own before it shows, so two processes
// remembering the same root at once, or a crash, never leave a file half
// written; one that cannot be read is passed over, never trusted.
//
// What the disk held is the user's alone: the folders from the cache folder
// down are the user's own, never reached through a link, made readable by
// the user alone, the snapshots too; a folder or a file another user made
// there is neither read nor written. Without a cache folder of the user's
// (no home), nothing is remembered.
struct TRoot;

class THistoryStore {
  Q_DECLARE_TR_FUNCTIONS(THistoryStore)

public:
  // The cache folder: $XDG_CACHE_HOME/spacelens, else
  // ~/.cache/spacelens, the home being $HOME or else the user's home in the
  // password database; empty when there is none.
  static std::string DefaultFolder();
  explicit THistoryStore(std::string Folder = DefaultFolder()) : FFolder(std::move(Folder)) {}
  // Whether there is a folder to remember in at all.
  bool Usable() const { return !FFolder.empty(); }

  size_t FKeep = 10;
  uint64_t FMostBytes = 200ull << 20;

  struct TEntry {
    std::string File;
    TFolderSnapshot::THeader Header;
    uint64_t Bytes = 0;
    int64_t Written = 0;  // its place in the order written, from its name
  };
  // Keeps Snapshot, then lets the first written go as the limits say;
  // false with Error when it could not be written. Warning tells of
  // snapshots dated in the future (a clock set back since): they do not
  // push out the ones written after them.
  bool Remember(const TFolderSnapshot& Snapshot, std::string& Error, std::string* Warning = nullptr);
  // The same of a snapshot with Header that Write writes as it goes.
  bool Remember(const TFolderSnapshot::THeader& Header, const std::function<bool(std::FILE*)>& Write,
                std::string& Error, std::string* Warning = nullptr);
  // The snapshots of Root (absolute, ending in "/"), the last written first.
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
  // The store's folder Folder (below FFolder), opened as the user's own;
  // -1 with Error.
  int Open(const std::string& Folder, bool Make, std::string& Error) const;

  std::string FFolder;
};
