// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SnapshotCompare.h"

#include "fs/FilledText.h"

#include "scan/ScanSettings.h"

#include <algorithm>

const char* TSnapshotCompare::StateName(TChangeMeasure::TVerdict Verdict)
{
  static const char* const Names[] = {"same", "changed", "changed", "new", "gone"};
  return Names[Verdict];
}

TSnapshotCompare::TSnapshotCompare(const TFolderSnapshot& Before, const TFolderNode* Top, TFolderSnapshot::THeader Now,
                                   const TChangeMeasure& Measure)
  : FBefore(Before), FTop(Top), FNow(std::move(Now)), FMeasure(Measure)
{
}

TSnapshotCompare::TRow TSnapshotCompare::Row(uint32_t Was, const TFolderNode* Is) const
{
  const TFolderTotals Then = Was == TFolderSnapshot::None ? TFolderTotals() : FBefore.FFolders[Was].Totals(),
                      Totals = Is ? Is->Totals() : TFolderTotals();
  const TFolderTotals *ThenOrNull = Was == TFolderSnapshot::None ? nullptr : &Then, *NowOrNull = Is ? &Totals : nullptr;
  return {Was, Is, FMeasure.Verdict(ThenOrNull, NowOrNull), FMeasure.Change(ThenOrNull, NowOrNull)};
}

TSnapshotCompare::TRow TSnapshotCompare::TopRow() const
{
  return Row(FBefore.FFolders.empty() ? TFolderSnapshot::None : 0, FTop);
}

std::string TSnapshotCompare::PathOf(const TRow& Row) const
{
  if (!Row.Now)
    return FBefore.Path(Row.Before);
  std::vector<const char*> Names;  // from the folder up
  for (const TFolderNode* Node = Row.Now; Node != FTop; Node = Node->Parent())
    Names.push_back(Node->FName);
  std::string Path;
  for (auto Name = Names.rbegin(); Name != Names.rend(); ++Name) {
    if (!Path.empty())
      Path += '/';
    Path += *Name;
  }
  return Path;
}

std::vector<TSnapshotCompare::TRow> TSnapshotCompare::Grown(size_t Count) const
{
  // The best Count so far, the least of them on top of the heap: a walk of
  // any size keeps Count rows.
  struct TRanked {
    TRow Row;
    size_t Order;
  };
  const auto Better = [](const TRanked& A, const TRanked& B) {
    return A.Row.Change != B.Row.Change ? A.Row.Change > B.Row.Change : A.Order < B.Order;
  };
  std::vector<TRanked> Best;
  size_t Order = 0;
  Walk(
    [&](const TRow& Row, size_t) {
      const TRanked Ranked{Row, Order++};
      if (Row.Change <= 0 || Count == 0 || (Best.size() == Count && !Better(Ranked, Best.front())))
        return;
      if (Best.size() == Count) {
        std::pop_heap(Best.begin(), Best.end(), Better);
        Best.pop_back();
      }
      Best.push_back(Ranked);
      std::push_heap(Best.begin(), Best.end(), Better);
    },
    [](const TRow&) {});
  std::sort(Best.begin(), Best.end(), Better);
  std::vector<TRow> Rows;
  for (const TRanked& Ranked : Best)
    Rows.push_back(Ranked.Row);
  return Rows;
}

std::string TSnapshotCompare::Warning(const TFolderSnapshot::THeader& Before, const TFolderSnapshot::THeader& Now)
{
  std::string Warning;
  //: Fills in "Compared with a scan %1"
  if (Before.Root != Now.Root)
    Warning = FilledText(tr("of another folder, %1"), {Before.Root});
  if (!Before.Options.empty() && Before.Options != Now.Options)
    Warning += std::string(Warning.empty() ? "" : "; ")
      + FilledText(tr("counted with other options (%1 then, %2 now)"), {Before.Options, Now.Options});
  if (Before.ClusterSize && Before.ClusterSize != Now.ClusterSize)
    Warning += std::string(Warning.empty() ? "" : "; ")
      + FilledText(tr("counted with other cluster sizes (%1 then, %2 now)"),
                   {std::to_string(Before.ClusterSize), std::to_string(Now.ClusterSize)});
  return Warning;
}

std::string TSnapshotCompare::OptionsOf(const TScanSettings& Settings)
{
  std::string Options = std::string("hard-links=") + (Settings.FHardLinksOnce ? "once" : "each")
    + " follow-links=" + (Settings.FFollowReparsePoints ? "yes" : "no") + " filter=";
  for (size_t At = 0; At < Settings.FFileFilter.size(); ++At)
    Options += (At ? ";" : "") + Settings.FFileFilter[At];
  for (const std::string& Pattern : Settings.FExclude.Patterns())
    Options += " exclude=" + Pattern;
  return Options;
}
