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
  : FBefore(Before), FNow(Now), FMeasure(Measure)
{
  constexpr uint32_t None = TFolderSnapshot::None;
  const auto Row = [&](uint32_t Was, uint32_t Is) {
    const TFolderTotals Then = Was == None ? TFolderTotals() : Before.FFolders[Was].Totals(),
                        Totals = Is == None ? TFolderTotals() : Now.FFolders[Is].Totals();
    const TFolderTotals *ThenOrNull = Was == None ? nullptr : &Then, *NowOrNull = Is == None ? nullptr : &Totals;
    FRows.push_back({Was, Is, Measure.Verdict(ThenOrNull, NowOrNull), Measure.Change(ThenOrNull, NowOrNull)});
  };
  // Now's tree depth first, each folder with the one of its name then.
  std::vector<bool> Met(Before.FFolders.size());
  FRows.reserve(Now.FFolders.size());
  std::vector<std::pair<uint32_t, uint32_t>> Pending;
  if (!Now.FFolders.empty())
    Pending.emplace_back(0, Before.FFolders.empty() ? None : 0);
  while (!Pending.empty()) {
    const auto [Is, Was] = Pending.back();
    Pending.pop_back();
    if (Was != None)
      Met[Was] = true;
    Row(Was, Is);
    const TFolderSnapshot::TFolder& Folder = Now.FFolders[Is];
    for (uint32_t Child = Folder.First + Folder.Count; Child-- > Folder.First;)
      Pending.emplace_back(Child, Was == None ? None : Before.Child(Was, Now.Name(Now.FFolders[Child])));
  }
  Before.DepthFirst([&](uint32_t Was) {
    if (!Met[Was])
      Row(Was, None);
  });
}

std::string TSnapshotCompare::PathOf(const TRow& Row) const
{
  return Row.Now != TFolderSnapshot::None ? FNow.Path(Row.Now) : FBefore.Path(Row.Before);
}

std::vector<const TSnapshotCompare::TRow*> TSnapshotCompare::Grown(size_t Count) const
{
  std::vector<const TRow*> Grown;
  for (const TRow& Row : FRows)
    if (Row.Change > 0)
      Grown.push_back(&Row);
  const auto Before = [](const TRow* A, const TRow* B) {
    return A->Change != B->Change ? A->Change > B->Change : A < B;
  };
  if (Grown.size() > Count) {
    std::partial_sort(Grown.begin(), Grown.begin() + std::ptrdiff_t(Count), Grown.end(), Before);
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
