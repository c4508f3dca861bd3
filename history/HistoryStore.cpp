// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include "fs/FilledText.h"
#include "fs/OwnFolder.h"
#include "fs/SafeSave.h"
#include "scan/Root.h"

#include <xxhash.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <memory>
#include <random>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* Suffix = ".snap";

// The last written first; ties by name, so the order is the same for
// everyone.
void Order(std::vector<THistoryStore::TEntry>& Entries)
{
  std::sort(Entries.begin(), Entries.end(), [](const auto& A, const auto& B) {
    return A.Written != B.Written ? A.Written > B.Written : A.File > B.File;
  });
}

// When a snapshot was written, from its name: "<scan time>-<written>-...".
int64_t WrittenOf(const std::string& Name)
{
  const size_t Dash = Name.find('-');
  return Dash == std::string::npos ? 0 : std::strtoll(Name.c_str() + Dash + 1, nullptr, 10);
}

// The names in the open folder Folder that pass Take.
template <typename TTake>
std::vector<std::string> Names(int Folder, TTake Take)
{
  std::vector<std::string> Found;
  const int Fd = openat(Folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const std::unique_ptr<DIR, int (*)(DIR*)> Listing(Fd >= 0 ? fdopendir(Fd) : nullptr, closedir);
  if (!Listing) {
    if (Fd >= 0)
      close(Fd);
    return Found;
  }
  for (const dirent* Entry; (Entry = readdir(Listing.get()));) {
    struct stat Data;
    // The user's own, never a link.
    if (Entry->d_name[0] != '.' && fstatat(Folder, Entry->d_name, &Data, AT_SYMLINK_NOFOLLOW) == 0
        && Data.st_uid == geteuid() && Take(std::string(Entry->d_name), Data))
      Found.emplace_back(Entry->d_name);
  }
  return Found;
}

}  // namespace

std::string THistoryStore::DefaultFolder()
{
  const char* Cache = std::getenv("XDG_CACHE_HOME");
  if (Cache && Cache[0] == '/')
    return std::string(Cache) + "/spacelens";
  const char* Home = std::getenv("HOME");
  std::string Own = Home && Home[0] == '/' ? Home : "";
  // A service, cron or "env -i" has no HOME: the home the system knows, never
  // a folder all may write to.
  if (Own.empty())
    if (const passwd* User = getpwuid(geteuid()); User && User->pw_dir && User->pw_dir[0] == '/')
      Own = User->pw_dir;
  while (Own.size() > 1 && Own.back() == '/')
    Own.pop_back();
  struct stat Data;
  if (Own.empty() || Own == "/" || stat(Own.c_str(), &Data) != 0 || !S_ISDIR(Data.st_mode))
    return {};
  return Own + "/.cache/spacelens";
}

std::string THistoryStore::RootOf(const TRoot& Root)
{
  // A folder the administrator scanned is this machine's, as a scan of it here.
  return Root.Imported() && !Root.Remote() && !Root.AsAdministrator() ? "imported " + Root.FPath : Root.FPath;
}

std::string THistoryStore::FolderOf(const std::string& Root) const
{
  char Name[17];
  std::snprintf(Name, sizeof Name, "%016llx", (unsigned long long)XXH64(Root.data(), Root.size(), 0));
  return FFolder + "/history/" + Name;
}

int THistoryStore::Open(const std::string& Folder, bool Make, std::string& Error) const
{
  if (FFolder.empty()) {
    Error = tr("there is no home folder to keep them in").toStdString();
    return -1;
  }
  // The user's own from the cache folder on: the folder holding spacelens.
  const size_t Cache = FFolder.find_last_of('/');
  const size_t Own = Cache == 0 || Cache == std::string::npos ? 0 : FFolder.find_last_of('/', Cache - 1);
  return TOwnFolder::Open(Folder, Own == std::string::npos ? 0 : Own + 1, Make, Error);
}

bool THistoryStore::Remember(const TFolderSnapshot& Snapshot, std::string& Error, std::string* Warning)
{
  return Remember(
    Snapshot.FHeader, [&Snapshot](std::FILE* Stream) { return Snapshot.Write(Stream); }, Error, Warning);
}

bool THistoryStore::Remember(const TFolderSnapshot::THeader& Header, const std::function<bool(std::FILE*)>& Write,
                             std::string& Error, std::string* Warning)
{
  const std::string FolderPath = FolderOf(Header.Root);
  const int Folder = Open(FolderPath, true, Error);
  if (Folder < 0)
    return false;
  // Written after every one there, whatever the clock says now.
  const std::vector<TEntry> Before = Of(Header.Root);
  const int64_t Now =
    std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  int64_t Written = Now;
  size_t Future = 0;
  for (const TEntry& Entry : Before) {
    Written = std::max(Written, Entry.Written + 1);
    Future += Entry.Header.Time > Header.Time + 300;
  }
  if (Future > 0 && Warning)
    *Warning =
      FilledText(Future == 1 ? tr("%1 scan of %2 remembered before is dated later than now: the clock was set "
                                  "back since; they count as written before this one")
                             : tr("%1 scans of %2 remembered before are dated later than now: the clock was set "
                                  "back since; they count as written before this one"),
                 {std::to_string(Future), Header.Root});
  // A name no other process takes: the scan's time, the place in the order
  // written, the process and a random part.
  char Name[96];
  std::snprintf(Name, sizeof Name, "%012lld-%019lld-%d-%08x%s", (long long)Header.Time, (long long)Written,
                int(getpid()), unsigned(std::random_device()()), Suffix);
  const bool Kept = TSafeSave::StreamAt(Folder, Name, Write, Error, 0600);
  close(Folder);
  if (!Kept) {
    Error = FolderPath + "/" + Name + ": " + Error;
    return false;
  }
  Error.clear();
  Prune(Header.Root);
  return true;
}

std::vector<THistoryStore::TEntry> THistoryStore::List(const std::string& FolderPath) const
{
  std::vector<TEntry> Entries;
  std::string Error;
  const int Folder = Open(FolderPath, false, Error);
  if (Folder < 0)
    return Entries;
  for (const std::string& Name : Names(Folder, [](const std::string&Name, const struct stat&Data) {
         return S_ISREG(Data.st_mode) && Name.ends_with(Suffix);
       })) {
    struct stat Data;
    fstatat(Folder, Name.c_str(), &Data, AT_SYMLINK_NOFOLLOW);
    TEntry Entry{FolderPath + "/" + Name, {}, uint64_t(Data.st_size), WrittenOf(Name)};
    TFolderSnapshot Snapshot;
    // One being written by another process, or of a later format, is not
    // ours to read.
    if (TFolderSnapshot::Read(Entry.File, Snapshot, Error, true)) {
      Entry.Header = std::move(Snapshot.FHeader);
      Entries.push_back(std::move(Entry));
    }
  }
  close(Folder);
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
  std::string Error;
  const int History = Open(FFolder + "/history", false, Error);
  if (History < 0)
    return Entries;
  for (const std::string& Name :
       Names(History, [](const std::string&, const struct stat& Data) { return S_ISDIR(Data.st_mode); })) {
    std::vector<TEntry> More = List(FFolder + "/history/" + Name);
    Entries.insert(Entries.end(), std::make_move_iterator(More.begin()), std::make_move_iterator(More.end()));
  }
  close(History);
  Order(Entries);
  return Entries;
}

void THistoryStore::Prune(const std::string& Root)
{
  const std::vector<TEntry> Own = Of(Root);
  for (size_t At = FKeep; At < Own.size(); ++At)
    unlink(Own[At].File.c_str());
  // Then the first written of all roots, while they take too much; the
  // last stays whatever its size.
  std::vector<TEntry> Every = All();
  uint64_t Bytes = 0;
  for (const TEntry& Entry : Every)
    Bytes += Entry.Bytes;
  while (Bytes > FMostBytes && Every.size() > 1) {
    Bytes -= Every.back().Bytes;
    unlink(Every.back().File.c_str());
    Every.pop_back();
  }
}

bool THistoryStore::ForgetAll(std::string& Error)
{
  std::vector<TEntry> Every = All();
  for (const TEntry& Entry : Every)
    if (unlink(Entry.File.c_str()) != 0) {
      Error = Entry.File + ": " + std::strerror(errno);
      return false;
    }
  return true;
}
