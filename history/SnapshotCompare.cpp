// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SnapshotCompare.h"

#include "scan/ScanSettings.h"

#include <algorithm>

const char* TSnapshotCompare::StateName(TChangeMeasure::TVerdict Verdict)
{
  static const char* const Names[] = {"same", "changed", "changed", "new", "gone"};
  return Names[Verdict];
}

TSnapshotCompare::TSnapshotCompare(const TFolderSnapshot& Before, const TFolderSnapshot& Now,
                                   const TChangeMeasure& Measure)
  : FBefore(Before), FNow(Now), FMeasure(Measure), FNowByPath(Now.FFolders)
{
  const TSnapshotIndex Old(Before.FFolders);
  std::vector<bool> Met(Before.FFolders.size());
  FRows.reserve(Now.FFolders.size());
  const auto Row = [&](const TFolderSnapshot::TFolder* Was, const TFolderSnapshot::TFolder* Is) {
    const TFolderTotals Then = Was ? Was->Totals() : TFolderTotals(), Totals = Is ? Is->Totals() : TFolderTotals();
    const TFolderTotals *ThenOrNull = Was ? &Then : nullptr, *NowOrNull = Is ? &Totals : nullptr;
    FRows.push_back({Was, Is, Measure.Verdict(ThenOrNull, NowOrNull), Measure.Change(ThenOrNull, NowOrNull)});
  };
  for (const TFolderSnapshot::TFolder& Folder : Now.FFolders) {
    const std::ptrdiff_t At = Old.Find(Folder.Path);
    if (At >= 0)
      Met[size_t(At)] = true;
    Row(At < 0 ? nullptr : &Before.FFolders[size_t(At)], &Folder);
  }
  for (size_t At = 0; At < Before.FFolders.size(); ++At)
    if (!Met[At])
      Row(&Before.FFolders[At], nullptr);
}

const TSnapshotCompare::TRow* TSnapshotCompare::Of(std::string_view Path) const
{
  // Now's rows come first, in its order.
  const std::ptrdiff_t At = FNowByPath.Find(Path);
  return At < 0 ? nullptr : &FRows[size_t(At)];
}

std::vector<const TSnapshotCompare::TRow*> TSnapshotCompare::Grown(size_t Count) const
{
  std::vector<const TRow*> Grown;
  for (const TRow& Row : FRows)
    if (Row.Change > 0)
      Grown.push_back(&Row);
  const auto Before = [](const TRow* A, const TRow* B) {
    return A->Change != B->Change ? A->Change > B->Change : A->Now->Path < B->Now->Path;
  };
  if (Grown.size() > Count) {
    std::partial_sort(Grown.begin(), Grown.begin() + Count, Grown.end(), Before);
    Grown.resize(Count);
  } else {
    std::sort(Grown.begin(), Grown.end(), Before);
  }
  return Grown;
}

std::string TSnapshotCompare::Warning(const TFolderSnapshot::THeader& Before, const TFolderSnapshot::THeader& Now)
{
  std::string Warning;
  if (Before.Root != Now.Root)
    Warning = "of another folder, " + Before.Root;
  if (!Before.Options.empty() && Before.Options != Now.Options)
    Warning += std::string(Warning.empty() ? "" : "; ") + "counted with other options (" + Before.Options + " then, "
      + Now.Options + " now)";
  if (Before.ClusterSize && Before.ClusterSize != Now.ClusterSize)
    Warning += std::string(Warning.empty() ? "" : "; ") + "counted with other cluster sizes ("
      + std::to_string(Before.ClusterSize) + " then, " + std::to_string(Now.ClusterSize) + " now)";
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
