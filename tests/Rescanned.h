// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"

#include <QTest>

#include <string>
#include <vector>

// Whether every folder of Top's tree (and its "<Files>" entry) holds what a
// new scan of the same folder counts: the test that totals corrected in
// place after a change on disk are the totals a rescan would show.
inline bool SameAsRescan(const TFolderNode* Top, const TScanSettings& Settings = {})
{
  TFolderTree Tree;
  TScanDriver Driver(Tree);
  Driver.FSettings = Settings;
  Driver.FSettings.FShowFiles = true;
  const TRoot* Root = Driver.StartScan(Top->Root()->FPath);
  if (!Root)
    return false;
  while (Driver.Scanning()) {
    Driver.WaitForResults(std::chrono::milliseconds(100));
    Driver.Drain();
  }
  std::vector<std::pair<const TFolderNode*, const TFolderNode*>> Pending{{Top, Root->FNode}};
  bool Same = true;
  while (!Pending.empty()) {
    const auto [Shown, Fresh] = Pending.back();
    Pending.pop_back();
    const TFileCount A = Shown->Counts(), B = Fresh->Counts();
    const std::string Path = Fresh->FIsFiles ? Fresh->Parent()->FullPath() + "<Files>" : Fresh->FullPath();
    if (A.Clusters != B.Clusters || A.TailBytes != B.TailBytes || A.Objects != B.Objects || A.Holes != B.Holes) {
      qWarning("%s: shown %llu clusters, %llu tail, %llu objects, %llu holes; a rescan counts %llu, %llu, %llu, %llu",
               Path.c_str(), (unsigned long long)A.Clusters, (unsigned long long)A.TailBytes,
               (unsigned long long)A.Objects, (unsigned long long)A.Holes, (unsigned long long)B.Clusters,
               (unsigned long long)B.TailBytes, (unsigned long long)B.Objects, (unsigned long long)B.Holes);
      Same = false;
    }
    if (Shown->ChildCount() != Fresh->ChildCount()) {
      qWarning("%s: %zu children shown, %zu after a rescan", Path.c_str(), Shown->ChildCount(), Fresh->ChildCount());
      Same = false;
      continue;
    }
    for (const TFolderNode* Child : Fresh->Children())
      for (const TFolderNode* Mate : Shown->Children())
        if (Mate->FIsFiles == Child->FIsFiles && (Child->FIsFiles || Child->Name() == Mate->Name()))
          Pending.push_back({Mate, Child});
  }
  return Same;
}
