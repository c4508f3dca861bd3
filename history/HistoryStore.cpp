// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include "fs/SafeSave.h"
#include "scan/Root.h"

#include <xxhash.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* Suffix = ".snap";

// Newest first; ties by name, so the order is the same for everyone.
void Order(std::vector<THistoryStore::TEntry>& Entries)
{
  std::sort(Entries.begin(), Entries.end(), [](const auto& A, const auto& B) {
    return A.Header.Time != B.Header.Time ? A.Header.Time > B.Header.Time : A.File > B.File;
  });
}

}  // namespace

std::string THistoryStore::DefaultFolder()
{
  const char* Cache = std::getenv("XDG_CACHE_HOME");
  if (Cache && Cache[0] == '/')
    return std::string(Cache) + "/spacelens";
  const char* Home = std::getenv("HOME");
  return std::string(Home && Home[0] ? Home : "/tmp") + "/.cache/spacelens";
}

std::string THistoryStore::RootOf(const TRoot& Root)
{
  return Root.Imported() && !Root.Remote() ? "imported " + Root.FPath : Root.FPath;
}

std::string THistoryStore::FolderOf(const std::string& Root) const
{
  char Name[17];
  std::snprintf(Name, sizeof Name, "%016llx", (unsigned long long)XXH64(Root.data(), Root.size(), 0));
  return FFolder + "/history/" + Name;
}

bool THistoryStore::Remember(const TFolderSnapshot& Snapshot, std::string& Error)
{
  if (!Snapshot.FRefusal.empty()) {
    Error = Snapshot.FRefusal;
    return false;
  }
  const std::string Folder = FolderOf(Snapshot.FHeader.Root);
  std::error_code Failed;
  fs::create_directories(Folder, Failed);
  if (Failed) {
    Error = Folder + ": " + Failed.message();
    return false;
  }
  // Only the user reads what the disk held.
  fs::permissions(FFolder, fs::perms::owner_all, Failed);
  // A name no other process takes: the scan's time, the moment written (so
  // that of two scans in one second the later sorts first), the process and
  // a random part.
  char Name[96];
  const auto Now = std::chrono::system_clock::now().time_since_epoch();
  std::snprintf(Name, sizeof Name, "%012lld-%019lld-%d-%08x%s", (long long)Snapshot.FHeader.Time,
                (long long)std::chrono::duration_cast<std::chrono::nanoseconds>(Now).count(), int(getpid()),
                unsigned(std::random_device()()), Suffix);
  if (!TSafeSave::Stream(
        Folder + "/" + Name, [&Snapshot](std::FILE* Stream) { return Snapshot.Write(Stream); }, Error))
    return false;
  Error.clear();
  Prune(Snapshot.FHeader.Root);
  return true;
}

std::vector<THistoryStore::TEntry> THistoryStore::List(const std::string& Folder) const
{
  std::vector<TEntry> Entries;
  std::error_code Failed;
  for (const fs::directory_entry& Item : fs::directory_iterator(Folder, Failed)) {
    const std::string File = Item.path().string();
    if (!Item.is_regular_file(Failed) || !File.ends_with(Suffix))
      continue;
    TEntry Entry{File, {}, Item.file_size(Failed)};
    TFolderSnapshot Snapshot;
    std::string Error;
    // One being written by another process, or of a later format, is not
    // ours to read.
    if (!Failed && TFolderSnapshot::Read(File, Snapshot, Error, true)) {
      Entry.Header = std::move(Snapshot.FHeader);
      Entries.push_back(std::move(Entry));
    }
  }
  Order(Entries);
  return Entries;
}

std::vector<THistoryStore::TEntry> THistoryStore::Of(const std::string& Root) const
{
  std::vector<TEntry> Entries = List(FolderOf(Root));
  std::erase_if(Entries, [&Root](const TEntry& Entry) { return Entry.Header.Root != Root; });
  return Entries;
}

std::vector<THistoryStore::TEntry> THistoryStore::All() const
{
  std::vector<TEntry> Entries;
  std::error_code Failed;
  for (const fs::directory_entry& Item : fs::directory_iterator(FFolder + "/history", Failed)) {
    std::vector<TEntry> More = List(Item.path().string());
    Entries.insert(Entries.end(), std::make_move_iterator(More.begin()), std::make_move_iterator(More.end()));
  }
  Order(Entries);
  return Entries;
}

void THistoryStore::Prune(const std::string& Root)
{
  std::error_code Failed;
  const std::vector<TEntry> Own = Of(Root);
  for (size_t At = FKeep; At < Own.size(); ++At)
    fs::remove(Own[At].File, Failed);
  // Then the oldest of all roots, while they take too much; the newest
  // stays whatever its size.
  std::vector<TEntry> Every = All();
  uint64_t Bytes = 0;
  for (const TEntry& Entry : Every)
    Bytes += Entry.Bytes;
  while (Bytes > FMostBytes && Every.size() > 1) {
    Bytes -= Every.back().Bytes;
    fs::remove(Every.back().File, Failed);
    Every.pop_back();
  }
}

bool THistoryStore::ForgetAll(std::string& Error)
{
  std::error_code Failed;
  fs::remove_all(FFolder + "/history", Failed);
  if (Failed)
    Error = FFolder + "/history: " + Failed.message();
  return !Failed;
}
