#include "FolderNode.h"

#include "FolderData.h"

TFolderNode::~TFolderNode()
{
  delete FData;
}

int TFolderNode::Level() const
{
  int Level = 0;
  for (const TFolderNode* Node = FParent; Node; Node = Node->FParent)
    ++Level;
  return Level;
}

void TFolderNode::DeleteSubtree(TFolderNode* Node)
{
  // Detach children level by level into a work list instead of recursing.
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    Pending.insert(Pending.end(), Current->FChildren.begin(), Current->FChildren.end());
    Current->FChildren.clear();
    delete Current;
  }
}
