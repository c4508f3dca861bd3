// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Baseline.h"
#include "TreeSource.h"

#include <QRgb>

#include <memory>


// The folder tree as a treemap draws it while compared with an earlier
// scan: each folder's tiles, its files' too, marked by how the folder
// changed since.
class TChangeSource : public TTreeSource {
public:
  enum TChange : uint8_t { tcSame, tcGrown, tcShrunk, tcNew, tcCount };
  // The key: each change's name and colour.
  static const char* Name(int Change);
  static QRgb Color(int Change);

  TChangeSource(const TFolderTree& Tree, int ViewType, uint32_t ClusterSize,
                std::shared_ptr<const TBaseline> Baseline);
  void Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const override;

private:
  static uint8_t Mark(const TBaseline::TChange& Change);

  std::shared_ptr<const TBaseline> FBaseline;
};
