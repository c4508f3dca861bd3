// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"

#include <QCoreApplication>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TScanSettings;

// What changed in a scanned tree since a snapshot of it, folder by folder:
// the tree walked beside the snapshot by its folders' names, in one
// measure. Nothing of the tree is copied and no row is kept: beside the
// snapshot, a comparison holds a bit a folder then.
class TSnapshotCompare {
  Q_DECLARE_TR_FUNCTIONS(TSnapshotCompare)

public:
  // The state the CSV writes: "same", "changed" (grown or shrunk), "new"
  // or "gone".
  static const char* StateName(TChangeMeasure::TVerdict Verdict);

  struct TRow {
    uint32_t Before;         // the folder then; None for a new folder
    const TFolderNode* Now;  // the folder now; null for a folder gone
    TChangeMeasure::TVerdict Verdict;
    int64_t Change;  // in the measure
  };

  // Before and the tree of Top must outlive the comparison; Now tells the
  // scan of Top.
  TSnapshotCompare(const TFolderSnapshot& Before, const TFolderNode* Top, TFolderSnapshot::THeader Now,
                   const TChangeMeasure& Measure);
  const TChangeMeasure& Measure() const { return FMeasure; }
  const TFolderSnapshot& Before() const { return FBefore; }
  const TFolderSnapshot::THeader& Now() const { return FNow; }
  const TFolderNode* Top() const { return FTop; }
  // The top's row.
  TRow TopRow() const;
  // Each folder now as Now(Row, Depth), depth first, sub-folders by name,
  // the top at depth 0; then each folder gone as Gone(Row), in Before's
  // order.
  template <class TNowVisit, class TGoneVisit>
  void Walk(TNowVisit&& Now, TGoneVisit&& Gone) const;
  // A row's folder path below the top, "/" between names.
  std::string PathOf(const TRow& Row) const;
  // At most Count rows that grew, the most grown first (ties in the walk's
  // order: a folder before those below it).
  std::vector<TRow> Grown(size_t Count) const;
  // Why the two may not compare: of other folders, or counted with other
  // options or cluster sizes; empty when they are alike.
  std::string Warning() const { return Warning(FBefore.FHeader, FNow); }
  // The same of two scans' headers; an export tells neither its options
  // nor (0) its cluster size.
  static std::string Warning(const TFolderSnapshot::THeader& Before, const TFolderSnapshot::THeader& Now);

  // How a scan with Settings counts, as a snapshot records it.
  static std::string OptionsOf(const TScanSettings& Settings);

private:
  TRow Row(uint32_t Was, const TFolderNode* Is) const;

  const TFolderSnapshot& FBefore;
  const TFolderNode* const FTop;
  const TFolderSnapshot::THeader FNow;
  const TChangeMeasure FMeasure;
};

template <class TNowVisit, class TGoneVisit>
void TSnapshotCompare::Walk(TNowVisit&& Now, TGoneVisit&& Gone) const
{
  constexpr uint32_t None = TFolderSnapshot::None;
  std::vector<bool> Met(FBefore.FFolders.size());
  // The folder then of each level of the walk.
  std::vector<uint32_t> Was;
  TFolderNode::ByName(FTop, [&](const TFolderNode* Node, size_t Depth) {
    Was.resize(Depth + 1);
    if (Depth == 0)
      Was[0] = FBefore.FFolders.empty() ? None : 0;
    else
      Was[Depth] = Was[Depth - 1] == None ? None : FBefore.Child(Was[Depth - 1], Node->FName);
    if (Was[Depth] != None)
      Met[Was[Depth]] = true;
    Now(Row(Was[Depth], Node), Depth);
  });
  FBefore.DepthFirst([&](uint32_t Folder) {
    if (!Met[Folder])
      Gone(Row(Folder, nullptr));
  });
}
