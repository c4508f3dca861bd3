// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/NodeOrder.h"

#include "scan/FolderNode.h"

#include <algorithm>

void TNodeOrder::Sort(std::vector<TKeyed>& Keyed, TViewType ShowType)
{
  std::stable_sort(Keyed.begin(), Keyed.end(), [ShowType](const TKeyed& A, const TKeyed& B) {
    return TValueDisplay::CompareKeys(A.first, B.first, ShowType) < 0;
  });
}

void TNodeOrder::Take(TFolderNode* Node, const std::vector<TKeyed>& Keyed, std::vector<TFolderTree::TOrder>& Orders)
{
  std::vector<TFolderNode*> Order;
  Order.reserve(Keyed.size());
  for (const auto& Item : Keyed)
    Order.push_back(Item.second);
  if (Order != Node->Children())
    Orders.emplace_back(Node, std::move(Order));
}
