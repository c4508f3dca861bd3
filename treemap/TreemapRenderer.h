// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LatestJob.h"

#include <QImage>
#include <QRgb>

#include <vector>

class QPainter;
class QRectF;
class TTreemapLayout;

// Draws a treemap's layout as cushions (van Wijk and van de Wetering): each
// level of nesting adds a ridge across its tile, and each pixel of a leaf is
// lit by the light falling on that surface, so that the nesting shows with no
// lines drawn. Files take their class's colour, folders drawn whole and rests
// the folders' own. Cushions of like colours still run together across
// folders: each folder large enough is outlined by its edge pixels darkened,
// so that nested folders' edges stand out more. The cost grows with the
// pixels and the tiles, not with the depth.
class TTreemapRenderer {
public:
  double FHeight = 0.25;   // of the top's ridge: its edges' slope is four times this
  double FFalloff = 0.9;   // each level's ridge this share of its parent's
  double FAmbient = 0.15;  // the light a surface turned away still gets
  // Where the light comes from, seen from the picture: above and to the
  // top left.
  double FLightX = -1;
  double FLightY = -1;
  double FLightZ = 8;
  QRgb FBackground = 0xFF303030;  // of an empty map
  // When set, the tiles take the colour of their change, not of their class.
  std::vector<QRgb> FChangeColors;
  double FOutlineSize = 12;    // folders at least this wide and high are outlined
  double FOutlineShade = 0.7;  // the light left at an outline, once per folder edged there

  // The layout drawn into an ARGB32_Premultiplied picture of Size (pixels
  // as the layout's). A null picture when Stop said so.
  QImage Render(const TTreemapLayout& Layout, QSize Size, const TLatestJob::TStop& Stop) const;
  // The frame around a selected tile, drawn over the picture, so that a new
  // selection needs no new picture. A tiny tile gets a frame big enough to
  // be seen.
  void DrawSelection(QPainter& Painter, const QRectF& Tile) const;
};
