// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapRenderer.h"

#include "treemap/TreemapLayout.h"
#include "view/FileClass.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A cushion: z = X2 x² + X1 x + Y2 y² + Y1 y, the sum of the ridges of a
// tile and of all its folders.
struct TSurface {
  double X2 = 0, X1 = 0, Y2 = 0, Y1 = 0;
};

// A parabola over [Low, High), as high as Height times its width, so that a
// level looks the same in a large tile and in a small one.
void AddRidge(double Low, double High, double Height, double& Square, double& Linear)
{
  if (High <= Low)
    return;
  Square -= 4 * Height / (High - Low);
  Linear += 4 * Height * (High + Low) / (High - Low);
}

// A pixel's edge: neighbours share their edges exactly, so each pixel goes to
// one tile.
int Pixel(float Edge, int Limit)
{
  return std::clamp(int(std::floor(Edge + 0.5f)), 0, Limit);
}

QRgb Shaded(QRgb Color, uint32_t Light)
{
  return 0xFF000000u | (qRed(Color) * Light >> 8) << 16 | (qGreen(Color) * Light >> 8) << 8
    | (qBlue(Color) * Light >> 8);
}

}  // namespace

QImage TTreemapRenderer::Render(const TTreemapLayout& Layout, QSize Size, const TLatestJob::TStop& Stop) const
{
  QImage Image(Size, QImage::Format_ARGB32_Premultiplied);
  Image.fill(FBackground);
  const std::vector<TTreemapTile>& Tiles = Layout.Tiles();

  // Parents come before their entries, so one pass sums each tile's ridges.
  std::vector<TSurface> Surfaces(Tiles.size());
  std::vector<double> Heights;  // by depth
  for (size_t Index = 0; Index < Tiles.size(); ++Index) {
    if ((Index & 0xFFF) == 0 && Stop())
      return {};
    const TTreemapTile& Tile = Tiles[Index];
    while (Heights.size() <= Tile.Depth)
      Heights.push_back(Heights.empty() ? FHeight : Heights.back() * FFalloff);
    TSurface& Surface = Surfaces[Index];
    if (Tile.Parent >= 0)
      Surface = Surfaces[Tile.Parent];
    AddRidge(Tile.Left, Tile.Right, Heights[Tile.Depth], Surface.X2, Surface.X1);
    AddRidge(Tile.Top, Tile.Bottom, Heights[Tile.Depth], Surface.Y2, Surface.Y1);
  }

  const double Length = std::sqrt(FLightX * FLightX + FLightY * FLightY + FLightZ * FLightZ);
  const float LightX = float(FLightX / Length);
  const float LightY = float(FLightY / Length);
  const float LightZ = float(FLightZ / Length);
  const float Ambient = float(FAmbient);
  const float Diffuse = 1 - Ambient;
  // Per column of the tile drawn: the normal's x part times the light's, and
  // squared.
  std::vector<float> ColumnLight(Size.width());
  std::vector<float> ColumnSquare(Size.width());
  uchar* const Bits = Image.bits();
  const qsizetype Stride = Image.bytesPerLine();
  for (size_t Index = 0; Index < Tiles.size(); ++Index) {
    const TTreemapTile& Tile = Tiles[Index];
    if (!Tile.Leaf())
      continue;
    if (Stop())
      return {};
    const int X0 = Pixel(Tile.Left, Size.width());
    const int X1 = Pixel(Tile.Right, Size.width());
    const int Y0 = Pixel(Tile.Top, Size.height());
    const int Y1 = Pixel(Tile.Bottom, Size.height());
    if (X0 >= X1 || Y0 >= Y1)
      continue;
    const TSurface& Surface = Surfaces[Index];
    const int Width = X1 - X0;
    for (int X = 0; X < Width; ++X) {
      // The normal of z is (-dz/dx, -dz/dy, 1), at the pixel's centre.
      const float Normal = float(-(2 * Surface.X2 * (X0 + X + 0.5) + Surface.X1));
      ColumnLight[X] = Normal * LightX;
      ColumnSquare[X] = Normal * Normal;
    }
    const QRgb Color = !FChangeColors.empty()
      ? FChangeColors[std::min<size_t>(Tile.Change, FChangeColors.size() - 1)]
      : TFileClass::Color(Tile.Kind == TTreemapTile::tkFile ? int(Tile.Class) : TFileClass::fcFolder);
    const float Red = qRed(Color), Green = qGreen(Color), Blue = qBlue(Color);
    for (int Y = Y0; Y < Y1; ++Y) {
      const float Normal = float(-(2 * Surface.Y2 * (Y + 0.5) + Surface.Y1));
      const float RowLight = Normal * LightY + LightZ;
      const float RowSquare = Normal * Normal + 1;
      QRgb* const Line = reinterpret_cast<QRgb*>(Bits + Y * Stride) + X0;
      for (int X = 0; X < Width; ++X) {
        const float Cosine = (ColumnLight[X] + RowLight) / std::sqrt(ColumnSquare[X] + RowSquare);
        // Lambert's law is about light, the picture's values are not: the
        // root brings the shade near their scale, so that slopes stay clear.
        const float Light = std::sqrt(Ambient + Diffuse * std::max(Cosine, 0.0f));
        Line[X] = 0xFF000000u | uint32_t(Red * Light + 0.5f) << 16 | uint32_t(Green * Light + 0.5f) << 8
          | uint32_t(Blue * Light + 0.5f);
      }
    }
  }

  // The top needs no outline: the view's edge is its own.
  const uint32_t Outline = uint32_t(std::clamp(FOutlineShade, 0.0, 1.0) * 256);
  for (size_t Index = 1; Index < Tiles.size(); ++Index) {
    const TTreemapTile& Tile = Tiles[Index];
    if (Tile.Kind != TTreemapTile::tkFolder && Tile.Kind != TTreemapTile::tkClosed)
      continue;
    const int X0 = Pixel(Tile.Left, Size.width());
    const int X1 = Pixel(Tile.Right, Size.width());
    const int Y0 = Pixel(Tile.Top, Size.height());
    const int Y1 = Pixel(Tile.Bottom, Size.height());
    if (X1 - X0 < FOutlineSize || Y1 - Y0 < FOutlineSize)
      continue;
    for (int Y = Y0; Y < Y1; ++Y) {
      QRgb* const Line = reinterpret_cast<QRgb*>(Bits + Y * Stride);
      if (Y == Y0 || Y == Y1 - 1) {
        for (int X = X0; X < X1; ++X)
          Line[X] = Shaded(Line[X], Outline);
      } else {
        Line[X0] = Shaded(Line[X0], Outline);
        Line[X1 - 1] = Shaded(Line[X1 - 1], Outline);
      }
    }
  }
  return Image;
}

void TTreemapRenderer::DrawSelection(QPainter& Painter, const QRectF& Tile) const
{
  const qreal Least = 7;
  QRectF Frame = Tile;
  if (Frame.width() < Least)
    Frame.adjust(-(Least - Frame.width()) / 2, 0, (Least - Frame.width()) / 2, 0);
  if (Frame.height() < Least)
    Frame.adjust(0, -(Least - Frame.height()) / 2, 0, (Least - Frame.height()) / 2);
  // A white line within a black one shows on any colour; both inside the
  // tile, so that one at the edge of the view is not cut.
  Frame.adjust(1.5, 1.5, -1.5, -1.5);
  Painter.save();
  Painter.setRenderHint(QPainter::Antialiasing, false);
  Painter.setBrush(Qt::NoBrush);
  Painter.setPen(QPen(Qt::black, 3));
  Painter.drawRect(Frame);
  Painter.setPen(QPen(Qt::white, 1));
  Painter.drawRect(Frame);
  Painter.restore();
}
