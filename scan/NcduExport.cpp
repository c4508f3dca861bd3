// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/NcduExport.h"

#include "fs/Directory.h"
#include "fs/FileTime.h"
#include "scan/FolderNode.h"

#include <rapidjson/filewritestream.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <sys/resource.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

using TWriter = rapidjson::Writer<rapidjson::FileWriteStream>;

void Text(TWriter& Writer, const char* Key, const std::string& Value)
{
  Writer.Key(Key);
  Writer.String(Value.data(), rapidjson::SizeType(Value.size()));
}

void Number(TWriter& Writer, const char* Key, uint64_t Value)
{
  Writer.Key(Key);
  Writer.Uint64(Value);
}

// A flag is written only when set: readers take its presence for true.
void Flag(TWriter& Writer, const char* Key, bool Set)
{
  if (Set) {
    Writer.Key(Key);
    Writer.Bool(true);
  }
}

uint64_t DeviceNumber(const TFileIdentity& Identity)
{
  return makedev(unsigned(Identity.Device >> 32), unsigned(Identity.Device));
}

// The fields every entry has: its name, sizes, identity and time of its last
// change; the device only where it differs from its folder's.
void Sizes(TWriter& Writer, const std::string& Name, const TDirEntry& Entry, uint64_t FolderDevice)
{
  Text(Writer, "name", Name);
  Number(Writer, "asize", Entry.Size);
  if (Entry.DiskBytes != UINT64_MAX)
    Number(Writer, "dsize", Entry.DiskBytes);
  if (DeviceNumber(Entry.Identity) != FolderDevice)
    Number(Writer, "dev", DeviceNumber(Entry.Identity));
  Number(Writer, "ino", Entry.Identity.Inode);
  if (FileTime::IsSet(Entry.LastWrite) && FileTime::ToUnixSeconds(Entry.LastWrite) >= 0)
    Number(Writer, "mtime", uint64_t(FileTime::ToUnixSeconds(Entry.LastWrite)));
}

class TExporter {
public:
  TExporter(TWriter& Writer, const TScanSettings& Settings) : FWriter(Writer), FSettings(Settings) {}
  void Folder(const TFolderNode* Top);
  TNcduExport::TUnread FUnread;

private:
  // An open folder whose sub-folders are being written.
  struct TLevel {
    const TFolderNode* Node;
    size_t Next;
    uint64_t Device;
    int Fd;
    TFileIdentity Identity;
    TExcludeRules::TState PathState{};  // where the scan's path rules stand at it
    bool Closed = false;                // its descriptor let go of, to be opened again by name
    bool NoDescriptors = false;         // not opened, nor those below it, for want of descriptors
  };
  // Opens Node's array with its info, or writes it whole when it was not
  // entered. Returns its level when its entries follow.
  std::optional<TLevel> Open(const TFolderNode* Node, const TLevel* Parent);
  // Opens the folder Name in ParentFd as the scan would enter it: through
  // a link or into another mount only when the scan follows them. Info
  // tells what Name is; -errno when it cannot be opened so.
  int OpenChild(int ParentFd, const std::string& Name, TDirEntry& Info) const;
  // Levels[Index]'s folder again, from the nearest level above that holds
  // its descriptor, each folder on the way checked to be the one written.
  int Reopen(const std::vector<TLevel>& Levels, size_t Index) const;
  // The entries of the folder Fd that are no folders of the tree: its files,
  // and what the exclude rules left out, marked as ncdu marks it. Here is
  // where the path rules stand at the folder.
  void Files(int Fd, uint64_t Device, const TExcludeRules::TState& Here);

  TWriter& FWriter;
  const TScanSettings& FSettings;
  std::vector<char> FBuffer = std::vector<char>(TDirectory::BufferSize);
};

void TExporter::Folder(const TFolderNode* Top)
{
  // Depth first without recursion, a tree may be thousands of levels deep;
  // each folder is reached from its parent's descriptor. Only the deepest
  // levels keep theirs, and every 64th, so that no depth runs out of
  // descriptors and a folder is opened again from at most 64 levels up;
  // fewer where the process may open few files.
  rlimit Limit{};
  const size_t OpenLevels = getrlimit(RLIMIT_NOFILE, &Limit) == 0 && Limit.rlim_cur != RLIM_INFINITY
    ? std::clamp<size_t>(size_t(Limit.rlim_cur) / 4, 2, 64)
    : 64;
  std::vector<TLevel> Levels;
  if (const auto Level = Open(Top, nullptr))
    Levels.push_back(*Level);
  while (!Levels.empty()) {
    TLevel& Level = Levels.back();
    if (Level.Next == Level.Node->ChildCount()) {
      FWriter.EndArray();
      if (Level.Fd >= 0)
        close(Level.Fd);
      Levels.pop_back();
      continue;
    }
    const TFolderNode* Child = Level.Node->Child(Level.Next++);
    if (Child->FIsFiles)
      continue;
    if (Level.Closed) {
      Level.Fd = Reopen(Levels, Levels.size() - 1);
      Level.Closed = false;
    }
    if (const auto Next = Open(Child, &Level)) {
      Levels.push_back(*Next);
      if (Levels.size() > OpenLevels) {
        TLevel& Far = Levels[Levels.size() - 1 - OpenLevels];
        if (Far.Fd >= 0 && !Far.Node->Gathers()) {
          close(Far.Fd);
          Far.Fd = -1;
          Far.Closed = true;
        }
      }
    }
  }
}

int TExporter::OpenChild(int ParentFd, const std::string& Name, TDirEntry& Info) const
{
  if (const int Code = TDirectory::Classify(ParentFd, Name.c_str(), Info))
    return -Code;
  const bool Link = Info.Kind == TDirEntry::ekFolderLink;
  if ((Link || Info.Kind == TDirEntry::ekMountPoint) && !FSettings.FFollowReparsePoints)
    return -ENOTDIR;  // not what the scan entered there
  return TDirectory::Open(ParentFd, Name.c_str(), Link);
}

int TExporter::Reopen(const std::vector<TLevel>& Levels, size_t Index) const
{
  size_t From = Index;
  while (From > 0 && Levels[From].Fd < 0)
    --From;
  int Fd = Levels[From].Fd;
  for (size_t Step = From + 1; Step <= Index && Fd >= 0; ++Step) {
    TDirEntry Info;
    const int Next = OpenChild(Fd, Levels[Step].Node->Name(), Info);
    if (Fd != Levels[From].Fd)
      close(Fd);
    Fd = Next;
    TFileIdentity Identity;
    const TFileIdentity& Known = Levels[Step].Identity;
    if (Fd >= 0
        && (TDirectory::Identify(Fd, Identity) != 0 || Identity.Device != Known.Device
            || Identity.Inode != Known.Inode)) {
      close(Fd);
      Fd = -ENOENT;
    }
  }
  return Fd >= 0 ? Fd : -1;
}

std::optional<TExporter::TLevel> TExporter::Open(const TFolderNode* Node, const TLevel* Parent)
{
  TDirEntry Info;
  int Code;
  std::string Name;
  if (Parent) {
    Name = Node->Name();
    Code = Parent->Fd >= 0 ? TDirectory::Classify(Parent->Fd, Name.c_str(), Info) : EBADF;
  } else {
    Name = Node->FullPath();
    Code = TDirectory::Classify(Name, Info);
    if (Name.size() > 1)
      Name.pop_back();  // ncdu names its top folder without the final "/"
  }
  const uint64_t ParentDevice = Parent ? Parent->Device : UINT64_MAX;
  const bool Entered = !(Node->FScanFlags & sfNotEntered);
  if (Entered)
    FWriter.StartArray();
  FWriter.StartObject();
  Sizes(FWriter, Name, Info, ParentDevice);
  if (!Entered) {
    // A link or mount point that was not walked into: kept as ncdu keeps
    // what it leaves out.
    const bool Link = Info.Kind == TDirEntry::ekFolderLink;
    Flag(FWriter, "notreg", Link);
    Text(FWriter, "excluded", Link ? "symlink" : "otherfs");
    FWriter.EndObject();
    return std::nullopt;
  }
  int Fd = -1;
  if (Code == 0) {
    TDirEntry Again;
    Fd = Parent ? OpenChild(Parent->Fd, Name, Again) : TDirectory::OpenPath(Node->FullPath());
  }
  TFileIdentity Identity;
  if (Fd >= 0 && TDirectory::Identify(Fd, Identity) != 0) {
    close(Fd);
    Fd = -1;
  }
  // Below a folder that could not be opened for want of descriptors, none
  // could: not changed either.
  const bool NoDescriptors =
    Fd < 0 && ((Parent && Parent->NoDescriptors) || Code == EMFILE || Code == ENFILE || Fd == -EMFILE || Fd == -ENFILE);
  if (Fd < 0 && Node->FErrorCode == 0)
    ++(NoDescriptors ? FUnread.NoDescriptors : FUnread.Changed);
  Flag(FWriter, "read_error", Fd < 0 || Node->FErrorCode != 0);
  FWriter.EndObject();
  TLevel Level{Node, 0, Code == 0 ? DeviceNumber(Info.Identity) : ParentDevice, Fd < 0 ? -1 : Fd, Identity};
  Level.NoDescriptors = NoDescriptors;
  const TExcludeRules& Exclude = FSettings.FExclude;
  if (Exclude.NeedsPaths())
    Level.PathState =
      Parent && !Parent->PathState.empty() ? Exclude.Below(Parent->PathState, Name) : Exclude.At(Node->PathBelowTop());
  if (Level.Fd >= 0)
    Files(Level.Fd, Level.Device, Level.PathState);
  return Level;
}

void TExporter::Files(int Fd, uint64_t Device, const TExcludeRules::TState& Here)
{
  TDirectory Listing(Fd, FBuffer.data(), FBuffer.size(), [](const char*, TDirEntry::TKind) { return true; });
  TDirEntry Entry;
  while (Listing.Next(Entry)) {
    const bool Excluded = !FSettings.FExclude.Empty() && FSettings.FExclude.Excludes(Here, Entry.Name);
    if (Entry.LeadsToFolder() && !Excluded)
      continue;  // the tree has it
    const std::string Name = Entry.Name;
    if (Excluded) {
      FWriter.StartObject();
      Text(FWriter, "name", Name);
      Text(FWriter, "excluded", "pattern");
      FWriter.EndObject();
      continue;
    }
    if (Entry.Kind != TDirEntry::ekFile) {
      // A link's own size is what ncdu counts for it.
      TDirEntry Own;
      if (TDirectory::Classify(Fd, Name.c_str(), Own) == 0)
        Entry = Own;
    }
    FWriter.StartObject();
    Sizes(FWriter, Name, Entry, Device);
    if (Entry.Kind == TDirEntry::ekFile && Entry.Links > 1) {
      Number(FWriter, "nlink", Entry.Links);
      Flag(FWriter, "hlnkc", true);
    }
    Flag(FWriter, "notreg", Entry.Kind != TDirEntry::ekFile);
    if (Entry.Kind == TDirEntry::ekFile && FSettings.Matches(Name.c_str()) == 0)
      Text(FWriter, "excluded", "pattern");
    FWriter.EndObject();
  }
}

}  // namespace

bool TNcduExport::Write(std::FILE* File, const TFolderNode* Top, const TScanSettings& Settings,
                        const std::string& Version, TUnread* Unread)
{
  char Buffer[64 * 1024];
  rapidjson::FileWriteStream Stream(File, Buffer, sizeof Buffer);
  TWriter Writer(Stream);
  Writer.StartArray();
  Writer.Uint(1);
  Writer.Uint(2);
  Writer.StartObject();
  Text(Writer, "progname", "spacelens");
  Text(Writer, "progver", Version);
  Number(Writer, "timestamp", uint64_t(std::time(nullptr)));
  Number(Writer, "spacelens_cluster_size", Top->ClusterSize());
  Writer.EndObject();
  TExporter Exporter(Writer, Settings);
  Exporter.Folder(Top);
  if (Unread)
    *Unread = Exporter.FUnread;
  Writer.EndArray();
  Stream.Flush();
  return !std::ferror(File);
}
