// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapTileAccessible.h"

#include "treemap/TreemapPane.h"
#include "treemap/TreemapView.h"

TTreemapTileAccessible::TTreemapTileAccessible(TTreemapPane* Pane, int Item) : TAccessibleItem(Pane), FItem(Item) {}

TTreemapPane* TTreemapTileAccessible::Pane() const
{
  return static_cast<TTreemapPane*>(FWidget.data());
}

int TTreemapTileAccessible::Tile() const
{
  if (!Pane())
    return -1;
  const auto [First, Count] = Pane()->ShownTiles();
  return FItem < Count ? First + FItem : -1;
}

QString TTreemapTileAccessible::text(QAccessible::Text Kind) const
{
  const int Shown = Tile();
  if (Shown < 0 || (Kind != QAccessible::Name && Kind != QAccessible::Value && Kind != QAccessible::Description))
    return {};
  const auto [Name, Value] = Pane()->Described(Pane()->View().Layout()->Tiles()[size_t(Shown)]);
  return Kind == QAccessible::Name ? Name : Value;
}

QRect TTreemapTileAccessible::rect() const
{
  const int Shown = Tile();
  return Shown < 0 ? QRect() : OnScreen(&Pane()->View(), Pane()->View().TileRect(Shown).toAlignedRect());
}
