// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

#include <functional>
#include <map>

// The items a widget's interface has handed out to screen readers, by
// index: each made and registered once, and all let go together, when the
// widget's items change or the interface goes.
class TAccessibleChildren {
public:
  TAccessibleChildren() = default;
  TAccessibleChildren(const TAccessibleChildren&) = delete;
  TAccessibleChildren& operator=(const TAccessibleChildren&) = delete;
  ~TAccessibleChildren() { Forget(); }

  QAccessibleInterface* At(int Index, const std::function<QAccessibleInterface*()>& Make)
  {
    if (const auto Made = FIds.find(Index); Made != FIds.end())
      return QAccessible::accessibleInterface(Made->second);
    QAccessibleInterface* Item = Make();
    FIds[Index] = QAccessible::registerAccessibleInterface(Item);
    return Item;
  }
  // The index Child was handed out at; -1 for another.
  int IndexOf(const QAccessibleInterface* Child) const
  {
    for (const auto& [Index, Id] : FIds)
      if (QAccessible::accessibleInterface(Id) == Child)
        return Index;
    return -1;
  }
  void Forget()
  {
    for (const auto& [Index, Id] : FIds)
      QAccessible::deleteAccessibleInterface(Id);
    FIds.clear();
  }

private:
  std::map<int, QAccessible::Id> FIds;
};
