// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotCompare.h"

#include "ScanSettings.h"

#include <algorithm>

const char* TSnapshotCompare::StateName(TState State)
{
  static const char* const Names[] = {"same", "changed", "new", "gone"};
  return Names[State];
}

TSnapshotCompare::TSnapshotCompare(const TFolderSnapshot& Before, const TFolderSnapshot& Now)
  : FBefore(Before), FNow(Now)
{
  std::unordered_map<std::string_view, const TFolderSnapshot::TFolder*> Old;
  Old.reserve(Before.FFolders.size());
  for (const TFolderSnapshot::TFolder& Folder : Before.FFolders)
    Old.emplace(Folder.Path, &Folder);
  FRows.reserve(Now.FFolders.size());
  FRowOf.reserve(Now.FFolders.size());
  for (const TFolderSnapshot::TFolder& Folder : Now.FFolders) {
    const auto Found = Old.find(Folder.Path);
    const TFolderSnapshot::TFolder* Was = Found == Old.end() ? nullptr : Found->second;
    TState State = csNew;
    if (Was) {
      State = Was->Size == Folder.Size && Was->Allocated == Folder.Allocated && Was->Objects == Folder.Objects
                ? csSame
                : csChanged;
      Old.erase(Found);
    }
    FRowOf.emplace(Folder.Path, FRows.size());
    FRows.push_back({Was, &Folder, State, int64_t(Folder.Size - (Was ? Was->Size : 0))});
  }
  for (const TFolderSnapshot::TFolder& Folder : Before.FFolders)
    if (Old.count(Folder.Path))
      FRows.push_back({&Folder, nullptr, csGone, -int64_t(Folder.Size)});
}

const TSnapshotCompare::TRow* TSnapshotCompare::Of(std::string_view Path) const
{
  const auto Found = FRowOf.find(Path);
  return Found == FRowOf.end() ? nullptr : &FRows[Found->second];
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

std::string TSnapshotCompare::Warning() const
{
  std::string Warning;
  if (FBefore.FHeader.Root != FNow.FHeader.Root)
    Warning = "of another folder, " + FBefore.FHeader.Root;
  if (FBefore.FHeader.Options != FNow.FHeader.Options)
    Warning += std::string(Warning.empty() ? "" : "; ") + "counted with other options (" + FBefore.FHeader.Options
               + " then, " + FNow.FHeader.Options + " now)";
  if (FBefore.FHeader.ClusterSize != FNow.FHeader.ClusterSize)
    Warning += std::string(Warning.empty() ? "" : "; ") + "counted with other cluster sizes ("
               + std::to_string(FBefore.FHeader.ClusterSize) + " then, " + std::to_string(FNow.FHeader.ClusterSize)
               + " now)";
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
