// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ChangeMeasure.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class TFolderNode;
class TFolderTree;

// A scan's folders at one moment, as history keeps it: each folder's name,
// size, space allocated, objects, own files and last change, as a tree.
// No folder holds its path, so a tree of any depth takes memory as its
// folders: in memory each folder's sub-folders lie side by side, by their
// names' bytes, for a name to be found by a binary search. On disk, after a
// short header readable alone (so a list of snapshots costs a few bytes
// each to read), the folders follow depth first, each with its count of
// sub-folders, as varints through zstd, checksummed; the scan's tree is
// written so while it is walked, never held twice.
class TFolderSnapshot {
public:
  // The format written; a file of a later one is refused. Format 1 held
  // whole paths; it is still read.
  static constexpr uint32_t Format = 2;
  static constexpr uint32_t None = UINT32_MAX;

  struct THeader {
    std::string Root;  // the scanned folder, absolute, ending in "/"
    int64_t Time = 0;  // when the scan ended, Unix seconds
    std::string Host;
    uint32_t ClusterSize = 0;
    std::string Options;  // how it was counted: snapshots counted otherwise compare only with a warning
    uint64_t Folders = 0;
    uint64_t Size = 0;  // the top's
    uint64_t Allocated = 0;
  };
  struct TFolder {
    uint64_t Size = 0;
    uint64_t Allocated = 0;
    uint64_t Objects = 0;
    int64_t LastChange = 0;  // Unix seconds; 0 when not known
    int32_t Files = -1;      // its own files; -1 when not known
    uint32_t Parent = None;  // None for the top
    uint32_t First = 0;      // its sub-folders are [First, First + Count)
    uint32_t Count = 0;
    uint64_t NameAt : 48 = 0;  // in the snapshot's names
    uint64_t NameLength : 16 = 0;
    TFolderTotals Totals() const { return {Size, Allocated, Objects}; }
  };
  // The longest name a snapshot holds (a file system's is 255 bytes).
  static constexpr size_t MostName = 0xFFFF;

  THeader FHeader;
  std::vector<TFolder> FFolders;  // the top first; empty for no tree
  std::string FNames;

  std::string_view Name(const TFolder& Folder) const { return {FNames.data() + Folder.NameAt, Folder.NameLength}; }
  uint32_t IndexOf(const TFolder& Folder) const { return uint32_t(&Folder - FFolders.data()); }
  // The sub-folder of At named Name; None when it has none.
  uint32_t Child(uint32_t At, std::string_view Name) const;
  // At's path below the top, "/" between names; "" for the top.
  std::string Path(uint32_t At) const;
  // Each folder depth first, sub-folders by name: Visit(At).
  template <class TVisit>
  void DepthFirst(TVisit Visit) const
  {
    if (FFolders.empty())
      return;
    for (std::vector<uint32_t> Pending{0}; !Pending.empty();) {
      const uint32_t At = Pending.back();
      Pending.pop_back();
      Visit(At);
      const TFolder& Folder = FFolders[At];
      for (uint32_t Child = Folder.First + Folder.Count; Child-- > Folder.First;)
        Pending.push_back(Child);
    }
  }

  // The tree below Top as it is, on the thread that owns the tree, or
  // given the tree on another, which reads it under the tree's guard while
  // it has removed nothing since Removals; no folders once it has.
  static TFolderSnapshot Of(const TFolderNode* Top, const std::string& Options, int64_t Time,
                            const TFolderTree* Tree = nullptr, uint64_t Removals = 0);
  // The header a snapshot of Top has, but for its count of folders.
  static THeader HeaderOf(const TFolderNode* Top, const std::string& Options, int64_t Time);
  bool Write(std::FILE* Stream) const;
  // Writes the tree below Top with Header as it walks it, read as Of reads
  // it; false, with errno EAGAIN, once the tree removed nodes.
  static bool Write(std::FILE* Stream, THeader Header, const TFolderNode* Top, const TFolderTree* Tree = nullptr,
                    uint64_t Removals = 0);
  // Reads a snapshot, or only its header; false with Error saying what is
  // wrong with the file (cut short, damaged, of a newer format).
  static bool Read(const std::string& File, TFolderSnapshot& Snapshot, std::string& Error, bool HeaderOnly = false);

  // Lays out a tree given as Top and Children(Node), a node's sub-folders
  // by name (names met twice under one folder taken once, the first), and
  // Fill(Node, Folder), which gives its totals and returns its name.
  template <class TNode, class TChildren, class TFill>
  void Lay(TNode Top, size_t Count, TChildren Children, TFill Fill);
};

template <class TNode, class TChildren, class TFill>
void TFolderSnapshot::Lay(TNode Top, size_t Count, TChildren Children, TFill Fill)
{
  FFolders.clear();
  FNames.clear();
  FFolders.reserve(Count);
  FFolders.emplace_back();
  Fill(Top, FFolders.front());
  // A folder's sub-folders get their places side by side when it is laid.
  struct TPending {
    TNode Node;
    uint32_t At;
  };
  for (std::vector<TPending> Pending{{Top, 0}}; !Pending.empty();) {
    const TPending Next = Pending.back();
    Pending.pop_back();
    const auto Below = Children(Next.Node);
    const uint32_t First = uint32_t(FFolders.size());
    for (const TNode& Child : Below) {
      TFolder Folder;
      const std::string_view Name = Fill(Child, Folder);
      if (FFolders.size() > First && this->Name(FFolders.back()) == Name)
        continue;
      Folder.Parent = Next.At;
      Folder.NameAt = FNames.size();
      Folder.NameLength = std::min(Name.size(), MostName);
      FNames.append(Name.substr(0, MostName));
      FFolders.push_back(Folder);
      Pending.push_back({Child, uint32_t(FFolders.size() - 1)});
    }
    FFolders[Next.At].First = First;
    FFolders[Next.At].Count = uint32_t(FFolders.size()) - First;
  }
  FHeader.Folders = FFolders.size();
  FHeader.Size = FFolders.front().Size;
  FHeader.Allocated = FFolders.front().Allocated;
}
