// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderSnapshot.h"
#include "scan/SnapshotBuilder.h"

#include <string>
#include <vector>

// Snapshot as an earlier scan might have found the tree: every tenth
// folder, depth first, of half its size, every hundredth under another
// name (gone now, and new under its own).
inline TFolderSnapshot Altered(const TFolderSnapshot& Snapshot)
{
  constexpr uint32_t None = TFolderSnapshot::None;
  TSnapshotBuilder Builder;
  std::vector<uint32_t> Placed(Snapshot.FFolders.size());
  size_t Seen = 0;
  Snapshot.DepthFirst([&](uint32_t At) {
    TFolderSnapshot::TFolder Folder = Snapshot.FFolders[At];
    std::string Name(Snapshot.Name(Folder));
    if (Seen % 10 == 0)
      Folder.Size /= 2;
    if (Seen % 100 == 5)
      Name += "-gone";
    ++Seen;
    Placed[At] = Builder.Add(Folder.Parent == None ? None : Placed[Folder.Parent], Name, Folder);
  });
  TFolderSnapshot Made;
  Made.FHeader = Snapshot.FHeader;
  Builder.Finish(Made);
  return Made;
}
