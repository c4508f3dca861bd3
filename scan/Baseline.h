// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TFolderNode;

// An earlier scan of a root that the window's tree is compared with: each
// folder of the root found in it name by name from the top, and the
// sub-folders it had that are gone since. Made on any thread, it does not change once made;
// asking it reads the tree, on the tree's thread or under its guard.
class TBaseline {
public:
  // Snapshot compared with the root whose top folder is Root (absolute,
  // ending in "/"), which may be another than the snapshot's.
  TBaseline(TFolderSnapshot Snapshot, std::string Root);
  TBaseline(const TBaseline&) = delete;
  TBaseline& operator=(const TBaseline&) = delete;

  const TFolderSnapshot::THeader& Header() const { return FSnapshot.FHeader; }
  const TFolderSnapshot& Snapshot() const { return FSnapshot; }
  const std::string& Root() const { return FRoot; }

  struct TChange {
    // Of the root compared: not a "<Files>" entry nor a total too large to tell.
    bool Compared = false;
    const TFolderSnapshot::TFolder* Before = nullptr;  // null for a new folder
    TFolderTotals Now;
    // How much it grew in Measure, less than 0 when it shrank; 0 when not
    // compared.
    int64_t Grown(const TChangeMeasure& Measure) const;
    // Its verdict in Measure (same when not compared).
    TChangeMeasure::TVerdict Verdict(const TChangeMeasure& Measure) const;
  };
  // What changed in Node since; not Compared for a node of another root, a
  // "<Files>" entry and a total too large to tell.
  TChange Of(const TFolderNode* Node) const;
  // The same for each of Parent's children, in their order, the folders
  // then found by name among Parent's: at once for thousands of them. Gone,
  // when given, gets the sub-folders Parent had then and has no more.
  std::vector<TChange> OfChildren(const TFolderNode* Parent,
                                  std::vector<const TFolderSnapshot::TFolder*>* Gone = nullptr) const;
  // The sub-folders Node had then and has no more, by name.
  std::vector<const TFolderSnapshot::TFolder*> GoneBelow(const TFolderNode* Node) const;
  // A snapshot folder's name.
  std::string_view NameOf(const TFolderSnapshot::TFolder& Folder) const { return FSnapshot.Name(Folder); }

  // Node's change from what it was then (null: it is new), as it is now.
  static TChange Change(const TFolderNode* Node, const TFolderSnapshot::TFolder* Before);
  // Whether Node is of the root compared (a cheap look at its top).
  bool OfRoot(const TFolderNode* Node) const;

private:
  // Where Node was in the snapshot: None for a folder new since;
  // false for a node of another root.
  bool Find(const TFolderNode* Node, uint32_t& At) const;

  const TFolderSnapshot FSnapshot;
  const std::string FRoot;
};
