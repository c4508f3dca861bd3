#include "FolderNode.h"

#include "FolderData.h"

TFolderNode::~TFolderNode()
{
  delete FData;
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
