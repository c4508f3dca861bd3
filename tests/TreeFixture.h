// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"

#include <string>
#include <vector>

// A folder tree made by hand for one test: a root with the given cluster
// size and a top node named "/top", to which finished folders are added.
struct TTreeFixture {
  explicit TTreeFixture(uint32_t ClusterSize)
  {
    Root.FClusterSize = ClusterSize;
    Root.FTree = &Tree;
    Top = new TFolderNode(&Root);
    Top->SetName("/top");
    Tree.AddTopNode(Top);
    Root.FNode = Top;
  }
  TFolderNode* Add(TFolderNode* Parent, const std::string& Name, uint64_t Clusters = 0, uint64_t Tail = 0,
                   uint64_t Objects = 1)
  {
    std::vector<TFolderNode*> Nodes{new TFolderNode(Parent)};
    TFolderNode* Node = Nodes[0];
    Node->SetName(Name);
    Set(Node, Clusters, Tail, Objects);
    Tree.AppendChildren(Parent, Nodes);
    return Node;
  }
  static void Set(TFolderNode* Node, uint64_t Clusters, uint64_t Tail, uint64_t Objects)
  {
    Node->FClusters = Clusters;
    Node->FTailBytes = Tail;
    Node->FObjects = Objects;
    Node->FState = ssDone;
  }
  TFolderTree Tree;
  TRoot Root;
  TFolderNode* Top;
};

// Node's "<Files>" entry, or null.
inline TFolderNode* FilesEntry(TFolderNode* Node)
{
  for (TFolderNode* Item : Node->Children())
    if (Item->FIsFiles)
      return Item;
  return nullptr;
}

// The sub-folder of Node with that name (never a "<Files>" entry).
inline TFolderNode* Child(TFolderNode* Node, const std::string& Name)
{
  for (TFolderNode* Item : Node->Children())
    if (!Item->FIsFiles && Item->FName == Name)
      return Item;
  return nullptr;
}
