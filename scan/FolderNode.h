// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderData.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TFolderBlock;
class TFolderFiles;

// A node of the folder tree: its record, its parent and its children in the
// order the tree gives them. Only the tree (on the main thread) changes child
// lists; scan workers fill records. A scan makes the sub-folders of one
// listing together in one block (TFolderBlock), which their parent owns;
// other nodes (tops, "<Files>" entries added later, rows of the details list)
// are made one by one.
class TFolderNode : public TFolderData {
public:
  // A top node, of the given scan root.
  explicit TFolderNode(TRoot* Root);
  // A node below Parent; the tree makes it a child when it is appended.
  explicit TFolderNode(TFolderNode* Parent);
  ~TFolderNode();

  TFolderNode* Parent() const { return FTop ? nullptr : FParent; }
  const std::vector<TFolderNode*>& Children() const;
  // Its sub-folders (no "<Files>" entry) in the order of their names'
  // bytes: the same tree gives the same order, whatever order the disk
  // listed them in.
  std::vector<TFolderNode*> SubFoldersByName() const;
  size_t ChildCount() const { return FChildren ? FChildren->FItems.size() : 0; }
  TFolderNode* Child(size_t Index) const { return FChildren->FItems[Index]; }
  // Asks the processor to bring the node's memory in, ahead of a walk that
  // reads it: a walk over a large tree otherwise waits on memory node by
  // node.
  void Prefetch() const
  {
    const uintptr_t Start = reinterpret_cast<uintptr_t>(this);
    for (uintptr_t Line = Start & ~(CacheLine - 1); Line < Start + sizeof(TFolderNode); Line += CacheLine)
      __builtin_prefetch(reinterpret_cast<const void*>(Line));
  }
  // Position among its siblings (the tree's top nodes for a top node).
  size_t Index() const { return FIndex; }
  // This node is one of Parent's children First to Last (a top node when
  // Parent is null), or below one: it goes when they are removed.
  bool IsWithin(const TFolderNode* Parent, size_t First, size_t Last) const
  {
    for (const TFolderNode* Node = this; Node; Node = Node->Parent())
      if (Node->Parent() == Parent && Node->FIndex >= First && Node->FIndex <= Last)
        return true;
    return false;
  }
  // Levels below the top of its tree.
  uint32_t Depth() const { return FDepth; }
  // One of Nodes is this folder, above it or below it: what is shown of
  // its subtree would lose nodes if they went.
  bool Meets(const std::vector<const TFolderNode*>& Nodes) const;

  // Live totals climb at most this many levels at once, so that counting a
  // folder costs the same at any depth: a folder at a multiple of it gathers
  // what its subtree adds and passes it up whole once it is finished.
  static constexpr uint32_t GatheringLevels = 64;
  bool Gathers() const { return FDepth % GatheringLevels == 0; }
  // Adds Added to this folder's counters and takes Taken out of them, and
  // so for the folders above it up to Top or the first that gathers.
  void CountUp(const TFileCount& Added, const TFileCount& Taken, const TFolderNode* Top);
  // This folder is finished: when it gathers, what it holds goes on up.
  void PassUp(const TFolderNode* Top);
  // What its own files add (not its sub-folders'): known once it is listed.
  TFileCount OwnCount() const;
  // Its own files that went (moved to the Trash): out of the count above.
  void TakeOwnFiles(const TFileCount& Files);
  // The number of its own files; -1 until it has been listed.
  int64_t OwnFiles() const { return Listed() ? int64_t(OwnCount().Objects) : -1; }

  // Visits Top and the nodes below it depth first, without recursion, so
  // that no depth of tree exhausts the stack; Visit tells whether to go
  // below the node it is given. Nodes are fetched from memory together as
  // they are met, not one by one as they are visited.
  template <class TNode, class TVisit>
  static void ForEachBelow(TNode* Top, TVisit&& Visit)
  {
    std::vector<TNode*> Pending{Top};
    while (!Pending.empty()) {
      TNode* Node = Pending.back();
      Pending.pop_back();
      if (Visit(Node)) {
        for (const TFolderNode* Child : Node->Children())
          Child->Prefetch();
        Pending.insert(Pending.end(), Node->Children().begin(), Node->Children().end());
      }
    }
  }

  // Visits Top and the folders below it (no "<Files>" entry) depth first,
  // each folder's sub-folders by their names' bytes, without recursion:
  // Visit(Node, Depth), Top at depth 0. The order of exports and snapshots.
  template <class TVisit>
  static void ByName(const TFolderNode* Top, TVisit&& Visit)
  {
    struct TLevel {
      std::vector<TFolderNode*> Folders;
      size_t Next = 0;
    };
    Visit(Top, size_t(0));
    std::vector<TLevel> Levels;
    Levels.push_back({Top->SubFoldersByName()});
    while (!Levels.empty()) {
      TLevel& Level = Levels.back();
      if (Level.Next == Level.Folders.size()) {
        Levels.pop_back();
        continue;
      }
      const TFolderNode* Node = Level.Folders[Level.Next++];
      Visit(Node, Levels.size());
      Levels.push_back({Node->SubFoldersByName()});
    }
  }

  // Marks every folder above Node: one below it could not be read. Any
  // thread may do it.
  static void MarkFailedAbove(TFolderNode* Node);
  // Deletes the node's subtree and the node, without recursion, so a tree
  // thousands of levels deep is freed safely. A node made in a block is only
  // emptied: its place goes with the block.
  static void DeleteSubtree(TFolderNode* Node);
  // A "<Files>" entry for Parent: the totals of its own files.
  static TFolderNode* NewFilesEntry(TFolderNode* Parent);

private:
  static constexpr size_t CacheLine = 64;
  friend class TFolderData;
  friend class TFolderTree;
  friend class TFolderBlock;
  // Makes this node its parent's "<Files>" entry, holding Own.
  void SetFilesEntry(const TFileCount& Own);
  struct TChildren {
    std::vector<TFolderNode*> FItems;
    TFolderBlock* FBlock = nullptr;  // the sub-folders its listing found
    TRoot* FRoot = nullptr;          // theirs, so that no one climbs the tree for it
  };

public:
  // Index of its icon in the icon registry; -1 until first shown.
  int16_t FImageIndex = -1;
  // Its own files, when the scan keeps them: set once by the worker that
  // lists it, replaced only under the tree's guard.
  std::atomic<TFolderFiles*> FFiles{nullptr};

private:
  uint32_t FIndex = 0;
  uint32_t FDepth = 0;
  union {
    TFolderNode* FParent;  // below the top
    TRoot* FRoot;          // a top node
  };
  TChildren* FChildren = nullptr;  // none for a folder without sub-folders
};
