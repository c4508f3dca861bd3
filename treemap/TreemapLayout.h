// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "treemap/TreemapSource.h"
#include "treemap/TreemapTile.h"
#include "view/LatestJob.h"

#include <QRectF>

#include <vector>

// The squarified treemap (Bruls, Huizing and van Wijk) of a folder: its
// entries share its rectangle in proportion to their weights, in rows chosen
// to keep each tile as square as can be, and each sub-folder's tile is shared
// by its own entries in turn. Only folders and entries that cover a pixel or
// so get tiles, so the cost grows with the pixels and the tiles seen, not
// with the files. The tiles are kept in one list: the top first, and each
// opened folder's entries together, after it, largest first and their rest
// last.
class TTreemapLayout {
public:
  // A tile's edges as laid out, before they are stored.
  struct TBox {
    double Left, Top, Right, Bottom;
  };

  // Entries smaller than a square this many pixels wide are drawn together
  // as their folder's rest, and folders narrower than this are not opened.
  double FMinSize = 1;

  // Lays out Root's entries in Bounds, and those of its sub-folders in their
  // tiles, pulling them from Source. Returns false, with the tiles unfinished
  // and Cancelled() true, as soon as Stop says so. A root without weight
  // has no tiles.
  bool Build(const TTreemapSource& Source, const void* Root, const QRectF& Bounds, const TLatestJob::TStop& Stop);
  bool Cancelled() const { return FCancelled; }
  const std::vector<TTreemapTile>& Tiles() const { return FTiles; }

  // The deepest tile holding Point, -1 for none; its folders are the chain
  // of its parents.
  int TileAt(QPointF Point) const;
  // The tile of a file, or of a folder for NoFile; a file not shown on its
  // own gives its folder's tile. -1 when neither is shown.
  int Find(const void* Folder, uint32_t File) const;

  // One level: lays Weights out in Bounds, one box each in the same order,
  // each box's area Bounds' times its share of the weights. Weights must be
  // above zero, and come out squarest sorted largest first.
  static void Squarify(const std::vector<double>& Weights, const QRectF& Bounds, std::vector<TBox>& Boxes);

private:
  // What opening a folder needs, kept from one folder to the next.
  struct TScratch {
    std::vector<TTreemapEntry> Entries;
    std::vector<TTreemapEntry> Shown;
    std::vector<double> Weights;
    std::vector<TBox> Boxes;
  };
  // Lays out the entries of folder tile Index, or closes it.
  void Open(size_t Index, const TTreemapSource& Source, TScratch& Scratch);

  std::vector<TTreemapTile> FTiles;
  bool FCancelled = false;
};
