// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/Baseline.h"
#include "treemap/TreeSource.h"

#include <QRgb>

#include <memory>

// The folder tree as a treemap draws it while compared with an earlier
// scan: each folder marked by how it changed since in the measure drawn,
// and its files by what they did together (the folder's change less its
// sub-folders').
class TChangeSource : public TTreeSource {
public:
  enum TMark : uint8_t { cmSame, cmGrown, cmShrunk, cmNew, cmCount };
  // The key: each mark's name (English, translated where shown) and colour.
  static const char* Name(int Mark);
  static QRgb Color(int Mark);

  TChangeSource(const TFolderTree& Tree, int ViewType, uint32_t ClusterSize, std::shared_ptr<const TBaseline> Baseline);
  void Entries(const void* Folder, std::vector<TTreemapEntry>& Out) const override;

private:
  static TMark Mark(TChangeMeasure::TVerdict Verdict);

  std::shared_ptr<const TBaseline> FBaseline;
};
