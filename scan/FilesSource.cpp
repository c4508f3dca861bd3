// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FilesSource.h"

#include "fs/FileTime.h"
#include "fs/Wildcard.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"

TFilesSource::TFilesSource(const TFolderNode* Node, const std::string& Folder, const TExcludeRules& Exclude)
  : FFolder(Folder), FClusterSize(Node->ClusterSize())
{
  const TRoot* Root = Node->Root();
  if (TNcduListing::Locate(Node, FPlace)) {
    FKind = skExport;
  } else if (Root && Root->Imported()) {
    // The files are taken now: the tree may replace them meanwhile.
    FKind = skKept;
    if (TFolderFiles* Files = Node->FFiles.load(std::memory_order_acquire)) {
      Files->AddRef();
      FKept = std::shared_ptr<const TFolderFiles>(
        Files, [](const TFolderFiles* Kept) { TFolderFiles::Release(const_cast<TFolderFiles*>(Kept)); });
    }
  } else {
    FExclude = Exclude;
    FBelow = Exclude.NeedsPaths() ? Node->PathBelowTop() : std::string();
  }
}

int TFilesSource::List(const std::vector<std::string>& Patterns, std::vector<TListedFile>& Files,
                       const std::function<bool()>& Stop) const
{
  if (FKind == skDisk)
    return TFileListing::List(FFolder, Patterns, Files, Stop, FExclude, FBelow);
  if (FKind == skExport)
    return TNcduListing::List(FPlace, Patterns, Files, Stop);
  if (!FKept)
    return 0;
  const TFolderFiles& Kept = *FKept;
  // Once per pattern a file matches, in pattern order, as a listing gives them.
  for (const std::string& Pattern : Patterns)
    for (uint32_t Index = 0; Index < Kept.Count(); ++Index) {
      const std::string Name(Kept.Name(Index));
      if (Pattern != "*" && !MatchWildcard(Pattern.c_str(), Name.c_str()))
        continue;
      uint64_t Device = 0, Inode = 0;
      Kept.Identity(Index, Device, Inode);
      Files.push_back({Name, Kept[Index].Size(), Kept.Allocated(Index, FClusterSize),
                       FileTime::FromSeconds32(Kept[Index].LastAccess), FileTime::FromSeconds32(Kept[Index].LastWrite),
                       false, Kept.Links(Index), Device, Inode});
    }
  return 0;
}
