// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapAccessible.h"

#include "fs/PathRules.h"
#include "scan/FolderNode.h"
#include "treemap/TreemapPane.h"
#include "treemap/TreemapTileAccessible.h"

TTreemapAccessible::TTreemapAccessible(TTreemapPane* Pane) : QAccessibleWidget(Pane, QAccessible::List) {}

TTreemapPane* TTreemapAccessible::Pane() const
{
  return static_cast<TTreemapPane*>(widget());
}

QString TTreemapAccessible::text(QAccessible::Text Kind) const
{
  if (Kind == QAccessible::Name)
    return Pane()->Shown() ? tr("Treemap of %1").arg(TPathRules::Shown(Pane()->Shown()->FullPath())) : tr("Treemap");
  return QAccessibleWidget::text(Kind);
}

int TTreemapAccessible::childCount() const
{
  return Pane()->ShownTiles().second + 1;
}

QAccessibleInterface* TTreemapAccessible::child(int Index) const
{
  const int Tiles = childCount() - 1;
  if (Index == Tiles)
    return QAccessible::queryAccessibleInterface(Pane()->Legend());
  if (Index < 0 || Index > Tiles)
    return nullptr;
  return FTiles.At(Index, [this, Index] { return new TTreemapTileAccessible(Pane(), Index); });
}

int TTreemapAccessible::indexOfChild(const QAccessibleInterface* Child) const
{
  if (Child && Child->object() == Pane()->Legend())
    return childCount() - 1;
  return FTiles.IndexOf(Child);
}
