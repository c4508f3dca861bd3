// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderData.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

class TFolderNode;

// Counts a file with several names (hard links) once in every folder that
// holds one of its names and once in every folder above them. A folder's
// listing counts the names it holds, and so do the folders above it up to
// the start of the scan; when an earlier name lies below one of those, the
// folders from the deepest such one up have counted the file twice and take
// one count out. Whatever order the names are met in, each folder ends up
// counting the file once. Only files with several names are remembered.
// Scan workers call it concurrently.
class TLinkCounter {
public:
  struct TLinkedFile {
    uint64_t Device;
    uint64_t Inode;
    TFileCount Count;  // what one name of it added
    uint64_t Links;    // names it has; 0 when not known
    uint64_t Names = 1;  // of them in this folder
  };

  // Leaves one entry per file in Files, taking what the others added out of
  // Own: names of one file in the same folder count once there.
  static void KeepOnePerFile(std::vector<TLinkedFile>& Files, TFileCount& Own);
  // Notes the files Folder's own files hold (each once; Folder and the
  // folders above it up to Top count them already) and takes out of those
  // folders the counts an earlier name made twice.
  void Add(TFolderNode* Folder, const std::vector<TLinkedFile>& Files, TFolderNode* Top);
  // Files remembered so far.
  size_t Size() const;

private:
  struct TKey {
    uint64_t Device;
    uint64_t Inode;
    bool operator==(const TKey&) const = default;
  };
  struct TKeyHash {
    size_t operator()(const TKey& Key) const { return Key.Inode * 0x9E3779B97F4A7C15ull ^ Key.Device; }
  };
  // The folders that count a file: those holding a name of it met so far
  // and every folder above them, sorted; the file is forgotten once all its
  // names were met.
  struct TCounting {
    std::vector<TFolderNode*> Folders;
    uint64_t Met = 0;
  };

  mutable std::mutex FMutex;
  std::unordered_map<TKey, TCounting, TKeyHash> FFiles;
};
