// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/AccessibleItem.h"

class TTreemapPane;

// A tile of the folder the treemap shows, as a screen reader hears it: its
// name and its value. It is the Item-th of the tiles shown, whatever they
// are now.
class TTreemapTileAccessible : public TAccessibleItem {
public:
  TTreemapTileAccessible(TTreemapPane* Pane, int Item);

  bool isValid() const override { return Tile() >= 0; }
  QString text(QAccessible::Text Kind) const override;
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::ListItem; }

private:
  TTreemapPane* Pane() const;
  // The tile of the layout; -1 when there are fewer tiles now.
  int Tile() const;

  int FItem;
};
