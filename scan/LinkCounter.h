// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderData.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TFolderNode;

// Counts a file with several names (hard links) once in every folder that
// holds one of its names and once in every folder above them. A folder's
// listing counts the names it holds, and so do the folders above it up to
// the start of the scan; when an earlier name lies below one of those, the
// folders from the deepest such one up have counted the file twice and take
// one count out. Whatever order the names are met in, each folder ends up
// counting the file once. Only files with several names are remembered: by
// the folders holding their names, one entry a name, so the cost grows with
// the names, not with how deep they lie. The scan root keeps them after the
// scan, so that a name that goes takes the file out only of the folders
// that hold no other name of it. Scan workers call Add concurrently.
class TLinkCounter {
public:
  struct TLinkedFile {
    uint64_t Device;
    uint64_t Inode;
    TFileCount Count;    // what one name of it added
    uint64_t Links;      // names it has; 0 when not known
    uint64_t Names = 1;  // of them in this folder
  };

  // Leaves one entry per file in Files, taking what the others added out of
  // Own: names of one file in the same folder count once there.
  static void KeepOnePerFile(std::vector<TLinkedFile>& Files, TFileCount& Own);
  // Notes the files Folder's own files hold (each once; Folder and the
  // folders above it up to Top count them already) and takes out of those
  // folders the counts an earlier name made twice.
  void Add(TFolderNode* Folder, const std::vector<TLinkedFile>& Files, TFolderNode* Top);
  // A name of the file Device/Inode in Folder is gone. False when no such
  // name is remembered; else Still gets the deepest folder at or above
  // Folder that counts the file through another name (Folder itself when
  // it holds another), null when none does.
  bool RemoveName(uint64_t Device, uint64_t Inode, TFolderNode* Folder, TFolderNode*& Still);
  // Node and every folder below it go from the tree: their names are
  // forgotten. Still, when it is given, hears of each file with a name
  // elsewhere: the deepest folder above Node that counts it through that
  // name, and what one name of it added.
  using TStillCounted = std::function<void(TFolderNode* Folder, const TFileCount& Count)>;
  void RemoveBranch(const TFolderNode* Node, const TStillCounted& Still = {});
  // Node leaves the tree while its totals stay in its parent's: the names
  // it and its folders held are the parent's from now on.
  void MoveNamesUp(const TFolderNode* Node);
  void Clear();
  bool Empty() const;

private:
  struct TKey {
    uint64_t Device;
    uint64_t Inode;
    bool operator==(const TKey&) const = default;
  };
  struct TKeyHash {
    size_t operator()(const TKey& Key) const { return Key.Inode * 0x9E3779B97F4A7C15ull ^ Key.Device; }
  };
  struct TNames {
    TFileCount Count;
    std::vector<TFolderNode*> Folders;  // one entry a name
  };
  // Node's folders, Node included.
  static std::unordered_set<const TFolderNode*> Branch(const TFolderNode* Node);

  mutable std::mutex FMutex;
  std::unordered_map<TKey, TNames, TKeyHash> FFiles;
};
