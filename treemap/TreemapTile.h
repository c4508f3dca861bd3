// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>

#include <cstdint>

// A rectangle of a treemap's layout, in the layout's pixels: it holds the
// points from Left and Top up to, not including, Right and Bottom, so that
// neighbours, which share their edges exactly, never both hold a point.
struct TTreemapTile {
  enum TKind : uint8_t {
    tkFolder,  // opened: its entries are the tiles drawn over it
    tkClosed,  // a folder drawn whole, too small to open
    tkFile,
    tkRest,  // those of a folder's entries each too small to show, together
  };
  static constexpr uint32_t NoFile = UINT32_MAX;

  float Left, Top, Right, Bottom;
  const void* Folder;  // the folder; for a file or a rest, the folder holding it
  int32_t Parent;      // the tile of the folder holding it; -1 for the top
  int32_t FirstChild;  // an opened folder's entries are its Children tiles from FirstChild
  uint32_t Children;
  uint32_t File;   // a file's index among its folder's files; NoFile for the others
  uint16_t Depth;  // 0 for the top
  uint8_t Class;   // TFileClass::TKind: a file's, fcFolder for the others
  uint8_t Change;  // TChangeSource::TMark: its own, a file's or a rest's folder's
  TKind Kind;

  bool Leaf() const { return Kind != tkFolder; }
  bool Contains(QPointF Point) const
  {
    return Point.x() >= Left && Point.x() < Right && Point.y() >= Top && Point.y() < Bottom;
  }
  QRectF Rect() const { return QRectF(QPointF(Left, Top), QPointF(Right, Bottom)); }
};
