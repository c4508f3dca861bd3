// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/SnapshotBuilder.h"

#include <algorithm>
#include <span>

uint32_t TSnapshotBuilder::Add(uint32_t Parent, std::string_view Name, const TFolderSnapshot::TFolder& Folder)
{
  TFolderSnapshot::TFolder& Added = FFolders.emplace_back(Folder);
  Added.Parent = Parent;
  Added.NameAt = FNames.size();
  Added.NameLength = std::min(Name.size(), TFolderSnapshot::MostName);
  FNames.append(Name.substr(0, TFolderSnapshot::MostName));
  return uint32_t(FFolders.size() - 1);
}

void TSnapshotBuilder::Finish(TFolderSnapshot& Into)
{
  const auto Name = [this](uint32_t At) {
    return std::string_view(FNames).substr(FFolders[At].NameAt, FFolders[At].NameLength);
  };
  // Each folder's sub-folders side by side, by name, the first of a name
  // before the others.
  std::vector<uint32_t> Start(FFolders.size() + 1, 0), Children;
  for (const TFolderSnapshot::TFolder& Folder : FFolders)
    if (Folder.Parent != TFolderSnapshot::None)
      ++Start[Folder.Parent + 1];
  for (size_t At = 0; At < FFolders.size(); ++At)
    Start[At + 1] += Start[At];
  Children.resize(Start.back());
  std::vector<uint32_t> Next(Start.begin(), Start.end() - 1);
  for (size_t At = 0; At < FFolders.size(); ++At)
    if (FFolders[At].Parent != TFolderSnapshot::None)
      Children[Next[FFolders[At].Parent]++] = uint32_t(At);
  for (size_t At = 0; At < FFolders.size(); ++At)
    std::stable_sort(Children.begin() + Start[At], Children.begin() + Start[At + 1],
                     [&Name](uint32_t A, uint32_t B) { return Name(A) < Name(B); });
  Into.FFolders.clear();
  if (FFolders.empty())
    return;
  Into.Lay(
    uint32_t(0), FFolders.size(),
    [&](uint32_t At) { return std::span<const uint32_t>(Children).subspan(Start[At], Start[At + 1] - Start[At]); },
    [&](uint32_t At, TFolderSnapshot::TFolder& Folder) {
      Folder.Size = FFolders[At].Size;
      Folder.Allocated = FFolders[At].Allocated;
      Folder.Objects = FFolders[At].Objects;
      Folder.LastChange = FFolders[At].LastChange;
      Folder.Files = FFolders[At].Files;
      return Name(At);
    });
}
