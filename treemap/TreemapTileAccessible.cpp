// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapTileAccessible.h"

#include "treemap/TreemapPane.h"
#include "treemap/TreemapView.h"

#include <QWindow>

TTreemapTileAccessible::TTreemapTileAccessible(TTreemapPane* Pane, int Item) : FPane(Pane), FItem(Item) {}

int TTreemapTileAccessible::Tile() const
{
  if (!FPane)
    return -1;
  const std::vector<int> Tiles = FPane->ShownTiles();
  return FItem < int(Tiles.size()) ? Tiles[size_t(FItem)] : -1;
}

bool TTreemapTileAccessible::isValid() const
{
  return Tile() >= 0;
}

QWindow* TTreemapTileAccessible::window() const
{
  return FPane ? FPane->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TTreemapTileAccessible::parent() const
{
  return FPane ? QAccessible::queryAccessibleInterface(FPane) : nullptr;
}

QString TTreemapTileAccessible::text(QAccessible::Text Kind) const
{
  const int Shown = Tile();
  if (Shown < 0)
    return {};
  switch (Kind) {
    case QAccessible::Name: return FPane->Described(Shown).first;
    case QAccessible::Value:
    case QAccessible::Description: return FPane->Described(Shown).second;
    default: return {};
  }
}

QRect TTreemapTileAccessible::rect() const
{
  const int Shown = Tile();
  if (Shown < 0)
    return {};
  const QRect Box = FPane->View().TileRect(Shown).toAlignedRect();
  return QRect(FPane->View().mapToGlobal(Box.topLeft()), Box.size());
}

QAccessible::State TTreemapTileAccessible::state() const
{
  QAccessible::State State;
  State.readOnly = true;
  State.invalid = !isValid();
  return State;
}
