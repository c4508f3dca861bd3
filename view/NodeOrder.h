// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderTree.h"
#include "view/ValueDisplay.h"

#include <utility>
#include <vector>

class TFolderNode;

// The order a sort mode gives a folder's children, in steps: the children
// with their keys, the keys sorted (by their sort mode and the view type: no node
// is touched, so any thread may do it), and the order of the children taken
// from the sorted keys. The tree's commands, their sweeps of a large tree
// and the headless reports order folders the same way through it.
class TNodeOrder {
public:
  using TKeyed = std::pair<TValueDisplay::TSortKey, TFolderNode*>;
  static void Sort(std::vector<TKeyed>& Keyed, TViewType ShowType);
  // Adds Node's order to Orders unless its children are in it already.
  static void Take(TFolderNode* Node, const std::vector<TKeyed>& Keyed, std::vector<TFolderTree::TOrder>& Orders);
};
