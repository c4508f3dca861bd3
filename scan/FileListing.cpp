// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FileListing.h"

#include "fs/Directory.h"
#include "fs/Wildcard.h"

#include <algorithm>

int TFileListing::List(const std::string& Folder, const std::vector<std::string>& Patterns,
                       std::vector<TListedFile>& Files, const std::function<bool()>& Stop, const TExcludeRules& Exclude,
                       const std::string& Below)
{
  auto Matches = [](const std::string& Pattern, const char* Name) {
    return Pattern == "*" || MatchWildcard(Pattern.c_str(), Name);
  };
  TDirectory Listing(Folder, [&](const char* Name, TDirEntry::TKind) {
    return std::any_of(Patterns.begin(), Patterns.end(),
                       [&](const std::string& Pattern) { return Matches(Pattern, Name); });
  });
  std::vector<TListedFile> Found;
  TDirEntry Entry;
  while (Listing.Next(Entry)) {
    if (Stop && Found.size() % 1024 == 0 && Stop())
      break;
    if (Entry.LeadsToFolder() || (!Exclude.Empty() && Exclude.Excludes(Below, Entry.Name)))
      continue;  // a folder is listed as a folder, if at all
    // A link holds no data of its own.
    const bool Link = Entry.Kind == TDirEntry::ekFileLink || Entry.Kind == TDirEntry::ekOtherLink;
    Found.push_back({Entry.Name, Link ? 0 : Entry.Size, Link ? 0 : Entry.DiskBytes, Entry.LastAccess, Entry.LastWrite,
                     Entry.Executable, Link ? 1 : Entry.Links, Entry.Identity.Device, Entry.Identity.Inode});
  }
  for (const std::string& Pattern : Patterns)
    for (const TListedFile& Item : Found)
      if (Matches(Pattern, Item.Name.c_str()))
        Files.push_back(Item);
  return Listing.Error() ? Listing.Error() : Listing.EntryError();
}
