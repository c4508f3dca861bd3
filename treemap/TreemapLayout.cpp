// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapLayout.h"

#include "view/FileClass.h"

#include <algorithm>
#include <functional>

bool TTreemapLayout::Build(const TTreemapSource& Source, const void* Root, const QRectF& Bounds,
                           const TLatestJob::TStop& Stop)
{
  FTiles.clear();
  FCancelled = false;
  if (!Root || Bounds.isEmpty())
    return true;
  FTiles.push_back({float(Bounds.left()), float(Bounds.top()), float(Bounds.right()), float(Bounds.bottom()), Root, -1,
                    -1, 0, TTreemapTile::NoFile, 0, TFileClass::fcFolder, 0, TTreemapTile::tkFolder});
  TScratch Scratch;
  // Breadth first, the list itself the queue: each folder's entries land
  // together, after it.
  for (size_t Index = 0; Index < FTiles.size(); ++Index) {
    if (FTiles[Index].Kind != TTreemapTile::tkFolder)
      continue;
    if (Stop()) {
      FCancelled = true;
      return false;
    }
    Open(Index, Source, Scratch);
  }
  return true;
}

void TTreemapLayout::Open(size_t Index, const TTreemapSource& Source, TScratch& Scratch)
{
  const TTreemapTile Tile = FTiles[Index];  // a copy: the list grows below
  const QRectF Inner = Tile.Rect();
  if (Inner.width() < FMinSize || Inner.height() < FMinSize || Tile.Depth == UINT16_MAX) {
    FTiles[Index].Kind = TTreemapTile::tkClosed;
    return;
  }
  Scratch.Entries.clear();
  Source.Entries(Tile.Folder, Scratch.Entries);
  double Total = 0;
  for (const TTreemapEntry& Entry : Scratch.Entries)
    Total += double(Entry.Weight);
  if (Total <= 0) {
    // A top without weight leaves nothing to draw; a folder whose weight
    // its entries do not make up is drawn whole.
    if (Index == 0)
      FTiles.clear();
    else
      FTiles[Index].Kind = TTreemapTile::tkClosed;
    return;
  }
  // Entries under a pixel or so cannot be seen apart: they are drawn as one,
  // and neither sorted nor opened.
  const double Smallest = FMinSize * FMinSize * Total / (Inner.width() * Inner.height());
  Scratch.Shown.clear();
  double Rest = 0;
  for (const TTreemapEntry& Entry : Scratch.Entries) {
    if (Entry.Weight == 0)
      continue;
    if (double(Entry.Weight) >= Smallest)
      Scratch.Shown.push_back(Entry);
    else
      Rest += double(Entry.Weight);
  }
  // Ties in a fixed order, so that the same tree laid out again looks the
  // same.
  std::sort(Scratch.Shown.begin(), Scratch.Shown.end(), [](const TTreemapEntry& A, const TTreemapEntry& B) {
    if (A.Weight != B.Weight)
      return A.Weight > B.Weight;
    if (A.Folder != B.Folder)
      return std::less<const void*>()(A.Folder, B.Folder);
    return !A.Folder && A.File < B.File;
  });
  Scratch.Weights.clear();
  for (const TTreemapEntry& Entry : Scratch.Shown)
    Scratch.Weights.push_back(double(Entry.Weight));
  if (Rest > 0)
    Scratch.Weights.push_back(Rest);
  Squarify(Scratch.Weights, Inner, Scratch.Boxes);

  FTiles[Index].FirstChild = int32_t(FTiles.size());
  FTiles[Index].Children = uint32_t(Scratch.Weights.size());
  for (size_t Entry = 0; Entry < Scratch.Weights.size(); ++Entry) {
    const TBox& Box = Scratch.Boxes[Entry];
    TTreemapTile Child{float(Box.Left),
                       float(Box.Top),
                       float(Box.Right),
                       float(Box.Bottom),
                       Tile.Folder,
                       int32_t(Index),
                       -1,
                       0,
                       TTreemapTile::NoFile,
                       uint16_t(Tile.Depth + 1),
                       TFileClass::fcFolder,
                       Tile.Change,
                       TTreemapTile::tkRest};
    if (Entry < Scratch.Shown.size()) {
      const TTreemapEntry& Shown = Scratch.Shown[Entry];
      Child.Change = Shown.Change;
      if (Shown.Folder) {
        Child.Folder = Shown.Folder;
        Child.Kind = TTreemapTile::tkFolder;
      } else {
        Child.File = Shown.File;
        Child.Class = Shown.Class;
        Child.Kind = TTreemapTile::tkFile;
      }
    }
    FTiles.push_back(Child);
  }
}

void TTreemapLayout::Squarify(const std::vector<double>& Weights, const QRectF& Bounds, std::vector<TBox>& Boxes)
{
  Boxes.resize(Weights.size());
  double Left = Bounds.left();
  double Top = Bounds.top();
  const double Right = Bounds.right();
  const double Bottom = Bounds.bottom();
  if (!(Right > Left && Bottom > Top)) {
    std::fill(Boxes.begin(), Boxes.end(), TBox{Left, Top, Left, Top});
    return;
  }
  double Remaining = 0;
  for (double Weight : Weights)
    Remaining += Weight;
  size_t Start = 0;
  while (Start < Weights.size()) {
    const double Width = Right - Left;
    const double Height = Bottom - Top;
    // A row runs along the shorter side: down the left of a wide rectangle,
    // along the top of a tall one.
    const bool Column = Width >= Height;
    const double Side = Column ? Height : Width;
    // Area per unit of weight; never more than the rest of the rectangle
    // holds, whatever the rounding of Remaining.
    const double Area = Width * Height / std::max(Remaining, Weights[Start]);
    // The worst aspect ratio in a row of weights Sum, whose largest and
    // smallest are given: its tiles are Sum * Area / Side thick.
    auto Worst = [Side, Area](double Sum, double Largest, double Smallest) {
      const double Ratio = Side * Side / (Sum * Sum * Area);
      return std::max(Largest * Ratio, 1 / (Smallest * Ratio));
    };
    double Sum = Weights[Start];
    double Largest = Sum;
    double Smallest = Sum;
    double Ratio = Worst(Sum, Largest, Smallest);
    size_t End = Start + 1;
    for (; End < Weights.size(); ++End) {
      const double Weight = Weights[End];
      const double Next = Worst(Sum + Weight, std::max(Largest, Weight), std::min(Smallest, Weight));
      if (Next > Ratio)
        break;
      Sum += Weight;
      Largest = std::max(Largest, Weight);
      Smallest = std::min(Smallest, Weight);
      Ratio = Next;
    }
    // The last row, and each row's last tile, end at the edge itself, so
    // that rounding leaves no sliver of Bounds uncovered.
    const bool Last = End == Weights.size();
    const double Thickness = Sum * Area / Side;
    double Position = Column ? Top : Left;
    const double Far = Column ? Bottom : Right;
    if (Column) {
      const double RowRight = Last ? Right : std::min(Left + Thickness, Right);
      for (size_t Index = Start; Index < End; ++Index) {
        const double Next = Index + 1 == End ? Far : Position + Weights[Index] / Sum * Side;
        Boxes[Index] = {Left, Position, RowRight, Next};
        Position = Next;
      }
      Left = RowRight;
    } else {
      const double RowBottom = Last ? Bottom : std::min(Top + Thickness, Bottom);
      for (size_t Index = Start; Index < End; ++Index) {
        const double Next = Index + 1 == End ? Far : Position + Weights[Index] / Sum * Side;
        Boxes[Index] = {Position, Top, Next, RowBottom};
        Position = Next;
      }
      Top = RowBottom;
    }
    Remaining -= Sum;
    Start = End;
  }
}

int TTreemapLayout::TileAt(QPointF Point) const
{
  if (FTiles.empty() || !FTiles[0].Contains(Point))
    return -1;
  int Found = 0;
  for (;;) {
    const TTreemapTile& Tile = FTiles[Found];
    int Child = -1;
    for (uint32_t Offset = 0; Offset < Tile.Children && Child < 0; ++Offset)
      if (FTiles[Tile.FirstChild + Offset].Contains(Point))
        Child = Tile.FirstChild + int(Offset);
    if (Child < 0)  // a leaf
      return Found;
    Found = Child;
  }
}

int TTreemapLayout::Find(const void* Folder, uint32_t File) const
{
  int Shown = -1;
  for (size_t Index = 0; Index < FTiles.size(); ++Index) {
    const TTreemapTile& Tile = FTiles[Index];
    if (Tile.Folder != Folder)
      continue;
    if (Tile.Kind == TTreemapTile::tkFile) {
      if (Tile.File == File)
        return int(Index);
    } else if (Tile.Kind != TTreemapTile::tkRest && Shown < 0) {
      if (File == TTreemapTile::NoFile)
        return int(Index);
      Shown = int(Index);
    }
  }
  return Shown;
}
