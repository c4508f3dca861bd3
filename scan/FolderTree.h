#pragma once

#include <functional>
#include <vector>

class TFolderNode;
class TFolderTreeListener;

// The folder tree: the top nodes of the scan roots, each owning its subtree.
// All changes happen on the owning thread and are reported to the listener.
class TFolderTree {
public:
  TFolderTree() = default;
  ~TFolderTree();
  TFolderTree(const TFolderTree&) = delete;
  TFolderTree& operator=(const TFolderTree&) = delete;

  void SetListener(TFolderTreeListener* Listener) { FListener = Listener; }

  const std::vector<TFolderNode*>& TopNodes() const { return FTopNodes; }
  const std::vector<TFolderNode*>& Siblings(const TFolderNode* Node) const;

  // Appends a top node made with its record.
  void AddTopNode(TFolderNode* Node);
  // Appends nodes made for Parent (their parent is already Parent) as its last
  // children, in the given order.
  void AppendChildren(TFolderNode* Parent, std::vector<TFolderNode*>& Nodes);
  // Deletes a node (top or not) with its subtree and records.
  void DeleteNode(TFolderNode* Node);
  void DeleteChildren(TFolderNode* Node);
  // Stable sort of Parent's children (the top nodes when Parent is null).
  void SortChildren(TFolderNode* Parent,
                    const std::function<bool(const TFolderNode*, const TFolderNode*)>& Less);
  void NodeChanged(TFolderNode* Node);

private:
  std::vector<TFolderNode*>& ChildList(TFolderNode* Parent);
  static void Renumber(std::vector<TFolderNode*>& List, size_t From);

  std::vector<TFolderNode*> FTopNodes;
  TFolderTreeListener* FListener = nullptr;
};
