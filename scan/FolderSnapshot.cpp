// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderSnapshot.h"

#include "scan/FolderNode.h"
#include "scan/SlicedRead.h"
#include "scan/SnapshotBuilder.h"

#include <zstd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char Magic[8] = {'S', 'P', 'L', 'N', 'H', 'I', 'S', 'T'};
// A header longer than this is no header of ours.
constexpr uint32_t MostHeaderBytes = 1 << 16;
// Where the header starts: after the magic, the format and its length.
constexpr long HeaderAt = sizeof Magic + 8;
// How many times its own size a file of format 1 may unpack to.
constexpr uint64_t MostPacking = 256;
// How many folders a byte of a file may hold at most: folders of format
// 2 pack to a byte or more each, however alike.
constexpr uint64_t MostFoldersPerByte = 32;

void Put(std::string& Out, uint64_t Value)
{
  while (Value >= 0x80) {
    Out += char(Value | 0x80);
    Value >>= 7;
  }
  Out += char(Value);
}

void PutSigned(std::string& Out, int64_t Value)
{
  Put(Out, (uint64_t(Value) << 1) ^ uint64_t(Value >> 63));
}

void PutText(std::string& Out, std::string_view Text)
{
  Put(Out, Text.size());
  Out += Text;
}

void PutLittle(std::string& Out, uint64_t Value, int Bytes)
{
  for (int Byte = 0; Byte < Bytes; ++Byte)
    Out += char(Value >> (8 * Byte));
}

uint64_t Little(const char* Bytes, int Count)
{
  uint64_t Value = 0;
  for (int Byte = 0; Byte < Count; ++Byte)
    Value |= uint64_t(uint8_t(Bytes[Byte])) << (8 * Byte);
  return Value;
}

// Reads what Put wrote, moving on; false past the end or on a run too long.
class TReader {
public:
  TReader(const char* At, const char* End) : FAt(At), FEnd(End) {}
  bool Get(uint64_t& Value)
  {
    Value = 0;
    for (int Shift = 0; Shift < 64 && FAt < FEnd; Shift += 7) {
      const auto Byte = uint8_t(*FAt++);
      Value |= uint64_t(Byte & 0x7F) << Shift;
      if (!(Byte & 0x80))
        return true;
    }
    return false;
  }
  bool GetSigned(int64_t& Value)
  {
    uint64_t Raw;
    if (!Get(Raw))
      return false;
    Value = int64_t(Raw >> 1) ^ -int64_t(Raw & 1);
    return true;
  }
  bool GetText(std::string_view& Text)
  {
    uint64_t Length;
    if (!Get(Length) || Length > uint64_t(FEnd - FAt))
      return false;
    Text = std::string_view(FAt, Length);
    FAt += Length;
    return true;
  }
  bool GetText(std::string& Text)
  {
    std::string_view View;
    return GetText(View) && (Text.assign(View), true);
  }
  bool GetLittle(uint64_t& Value)
  {
    if (FEnd - FAt < 8)
      return false;
    Value = Little(FAt, 8);
    FAt += 8;
    return true;
  }
  const char* At() const { return FAt; }
  bool Done() const { return FAt == FEnd; }

private:
  const char* FAt;
  const char* FEnd;
};

// Format 2 starts with what is known only once the tree was walked, at
// fixed places, so that a tree written as it is walked can tell it after.
std::string HeaderBytes(const TFolderSnapshot::THeader& Header)
{
  std::string Out;
  PutLittle(Out, Header.Folders, 8);
  PutLittle(Out, Header.Size, 8);
  PutLittle(Out, Header.Allocated, 8);
  PutSigned(Out, Header.Time);
  Put(Out, Header.ClusterSize);
  PutText(Out, Header.Root);
  PutText(Out, Header.Host);
  PutText(Out, Header.Options);
  return Out;
}

bool ReadHeader(TReader& Bytes, uint32_t Format, TFolderSnapshot::THeader& Header)
{
  uint64_t Cluster;
  if (Format == 1)
    return Bytes.GetSigned(Header.Time) && Bytes.Get(Cluster) && (Header.ClusterSize = uint32_t(Cluster), true)
      && Bytes.Get(Header.Folders) && Bytes.Get(Header.Size) && Bytes.Get(Header.Allocated)
      && Bytes.GetText(Header.Root) && Bytes.GetText(Header.Host) && Bytes.GetText(Header.Options) && Bytes.Done();
  return Bytes.GetLittle(Header.Folders) && Bytes.GetLittle(Header.Size) && Bytes.GetLittle(Header.Allocated)
    && Bytes.GetSigned(Header.Time) && Bytes.Get(Cluster) && (Header.ClusterSize = uint32_t(Cluster), true)
    && Bytes.GetText(Header.Root) && Bytes.GetText(Header.Host) && Bytes.GetText(Header.Options) && Bytes.Done();
}

// The folders of format 2, depth first, packed as they come: a megabyte of
// the tree's walk costs a few hundred kilobytes of memory, whatever its size.
class TRecords {
public:
  explicit TRecords(std::FILE* Stream) : FStream(Stream)
  {
    ZSTD_CCtx_setParameter(FContext.get(), ZSTD_c_compressionLevel, 3);
    ZSTD_CCtx_setParameter(FContext.get(), ZSTD_c_windowLog, 18);
    ZSTD_CCtx_setParameter(FContext.get(), ZSTD_c_checksumFlag, 1);
    FRows.reserve(Chunk + 256);
  }
  bool Begin(const TFolderSnapshot::THeader& Header)
  {
    FHeader = Header;
    const std::string Bytes = HeaderBytes(Header);
    std::string Head(Magic, sizeof Magic);
    PutLittle(Head, TFolderSnapshot::Format, 4);
    PutLittle(Head, Bytes.size(), 4);
    Head += Bytes;
    return std::fwrite(Head.data(), 1, Head.size(), FStream) == Head.size();
  }
  bool Add(std::string_view Name, const TFolderSnapshot::TFolder& Folder, uint32_t Count)
  {
    if (FFolders++ == 0) {
      FSize = Folder.Size;
      FAllocated = Folder.Allocated;
    }
    PutText(FRows, Name);
    Put(FRows, Folder.Size);
    Put(FRows, Folder.Allocated);
    Put(FRows, Folder.Objects);
    Put(FRows, uint64_t(int64_t(Folder.Files) + 1));
    PutSigned(FRows, Folder.LastChange);
    Put(FRows, Count);
    return FRows.size() < Chunk || Pack(ZSTD_e_continue);
  }
  // The last folders packed, and the header told what the walk found.
  bool End()
  {
    if (!Pack(ZSTD_e_end))
      return false;
    if (FFolders != FHeader.Folders || FSize != FHeader.Size || FAllocated != FHeader.Allocated) {
      std::string Known;
      PutLittle(Known, FFolders, 8);
      PutLittle(Known, FSize, 8);
      PutLittle(Known, FAllocated, 8);
      if (std::fseek(FStream, HeaderAt, SEEK_SET) != 0
          || std::fwrite(Known.data(), 1, Known.size(), FStream) != Known.size()
          || std::fseek(FStream, 0, SEEK_END) != 0)
        return false;
    }
    return std::fflush(FStream) == 0;
  }

private:
  static constexpr size_t Chunk = 64 << 10;
  bool Pack(ZSTD_EndDirective Mode)
  {
    char Packed[16 << 10];
    ZSTD_inBuffer Input{FRows.data(), FRows.size(), 0};
    for (;;) {
      ZSTD_outBuffer Output{Packed, sizeof Packed, 0};
      const size_t Left = ZSTD_compressStream2(FContext.get(), &Output, &Input, Mode);
      if (ZSTD_isError(Left)) {
        errno = ENOMEM;
        return false;
      }
      if (std::fwrite(Packed, 1, Output.pos, FStream) != Output.pos)
        return false;
      if (Mode == ZSTD_e_end ? Left == 0 : Input.pos == Input.size)
        break;
    }
    FRows.clear();
    return true;
  }

  std::FILE* FStream;
  const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> FContext{ZSTD_createCCtx(), ZSTD_freeCCtx};
  std::string FRows;
  TFolderSnapshot::THeader FHeader;
  uint64_t FFolders = 0, FSize = 0, FAllocated = 0;
};

// A folder of the tree as a snapshot keeps it.
std::string_view Fill(const TFolderNode* Node, TFolderSnapshot::TFolder& Folder)
{
  Folder.Size = Node->SizeBytes();
  Folder.Allocated = Node->AllocatedBytes();
  Folder.Objects = Node->FObjects.Load();
  Folder.Files = int32_t(std::min<int64_t>(Node->OwnFiles(), INT32_MAX));
  Folder.LastChange = int64_t(Node->FLastWrite.Load());
  return Node->FName;
}

// Unpacks the zstd frame of Stream a piece at a time into Take(Bytes,
// Length); false with Error when it is damaged, cut short, unpacks to more
// than Most bytes, or Take refused a piece.
template <class TTake>
bool Unpack(std::FILE* Stream, uint64_t Most, std::string& Error, TTake Take)
{
  const std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> Context(ZSTD_createDCtx(), ZSTD_freeDCtx);
  std::string In(ZSTD_DStreamInSize(), '\0'), Out(ZSTD_DStreamOutSize(), '\0');
  uint64_t Unpacked = 0;
  size_t Left = 1;  // of the frame: 0 once it is complete
  for (size_t Read; (Read = std::fread(In.data(), 1, In.size(), Stream)) > 0;) {
    ZSTD_inBuffer Input{In.data(), Read, 0};
    while (Input.pos < Input.size) {
      ZSTD_outBuffer Output{Out.data(), Out.size(), 0};
      Left = ZSTD_decompressStream(Context.get(), &Output, &Input);
      if (ZSTD_isError(Left) || (Unpacked += Output.pos) > Most || (Left == 0 && Input.pos < Input.size)
          || !Take(Out.data(), Output.pos)) {
        Error = "damaged";
        return false;
      }
    }
  }
  if (Left != 0) {
    Error = "cut short";
    return false;
  }
  return true;
}

// The folders of format 1: whole paths, each sharing its beginning with the
// one before, depth first.
bool ReadPaths(std::FILE* Stream, uint64_t FileSize, TFolderSnapshot& Snapshot, std::string& Error)
{
  std::string Rows;
  if (!Unpack(Stream, FileSize * MostPacking + (1 << 20), Error, [&Rows](const char* Bytes, size_t Length) {
        Rows.append(Bytes, Length);
        return true;
      }))
    return false;
  TReader Bytes(Rows.data(), Rows.data() + Rows.size());
  TSnapshotBuilder Builder;
  // The folders above the one read, with their paths.
  std::vector<std::pair<uint32_t, std::string>> Above;
  std::string Path;
  while (!Bytes.Done()) {
    uint64_t Shared, Files;
    std::string_view Rest;
    TFolderSnapshot::TFolder Folder;
    if (!Bytes.Get(Shared) || Shared > Path.size() || !Bytes.GetText(Rest) || !Bytes.Get(Folder.Size)
        || !Bytes.Get(Folder.Allocated) || !Bytes.Get(Folder.Objects) || !Bytes.Get(Files)
        || !Bytes.GetSigned(Folder.LastChange)) {
      Error = "damaged";
      return false;
    }
    Path.resize(Shared);
    Path += Rest;
    Folder.Files = int32_t(std::min<uint64_t>(Files, uint64_t(INT32_MAX) + 1) - 1);
    const size_t Slash = Path.rfind('/');
    const std::string_view Parent = std::string_view(Path).substr(0, Slash == std::string::npos ? 0 : Slash);
    while (!Above.empty() && Above.back().second != Parent)
      Above.pop_back();
    if (Above.empty() != Path.empty()) {
      Error = "damaged";
      return false;
    }
    const uint32_t At = Builder.Add(Above.empty() ? TFolderSnapshot::None : Above.back().first,
                                    std::string_view(Path).substr(Slash == std::string::npos ? 0 : Slash + 1), Folder);
    Above.emplace_back(At, Path);
  }
  const uint64_t Folders = Snapshot.FHeader.Folders;
  Builder.Finish(Snapshot);
  if (Snapshot.FFolders.size() != Folders) {
    Error = "damaged";
    return false;
  }
  return true;
}

// The folders of format 2, as they unpack: each takes the place its
// parent's count of sub-folders made for it.
class TTreeReader {
public:
  TTreeReader(TFolderSnapshot& Snapshot) : FSnapshot(Snapshot)
  {
    FSnapshot.FFolders.reserve(FSnapshot.FHeader.Folders);
    FSnapshot.FFolders.emplace_back();
    FLevels.push_back({0, 1, TFolderSnapshot::None});
  }
  bool Take(const char* Bytes, size_t Length)
  {
    FPending.append(Bytes, Length);
    TReader Reader(FPending.data(), FPending.data() + FPending.size());
    const char* Used = FPending.data();
    while (Folder(Reader))
      Used = Reader.At();
    FPending.erase(0, size_t(Used - FPending.data()));
    // A folder takes a few dozen bytes but for its name.
    return !FDamaged && FPending.size() <= TFolderSnapshot::MostName + 128;
  }
  bool Done() const { return !FDamaged && FPending.empty() && FLevels.empty(); }

private:
  struct TLevel {
    uint32_t Next, End;  // the places of the sub-folders still to come
    uint32_t Parent;
  };
  // One folder, when all of it is there.
  bool Folder(TReader& Reader)
  {
    std::string_view Name;
    uint64_t Files, Count;
    TFolderSnapshot::TFolder Folder;
    if (!Reader.GetText(Name) || !Reader.Get(Folder.Size) || !Reader.Get(Folder.Allocated)
        || !Reader.Get(Folder.Objects) || !Reader.Get(Files) || !Reader.GetSigned(Folder.LastChange)
        || !Reader.Get(Count))
      return false;
    std::vector<TFolderSnapshot::TFolder>& Folders = FSnapshot.FFolders;
    // Past the last place made, a count past the header's, a name out of
    // its order: damaged.
    if (FLevels.empty() || Count > FSnapshot.FHeader.Folders - Folders.size() || Name.size() > TFolderSnapshot::MostName
        || (FLevels.back().Parent != TFolderSnapshot::None && Name.empty()))
      return Damage();
    TLevel& Level = FLevels.back();
    const uint32_t At = Level.Next++;
    if (Level.Parent != TFolderSnapshot::None && At > Folders[Level.Parent].First
        && !(FSnapshot.Name(Folders[At - 1]) < Name))
      return Damage();
    Folder.Files = int32_t(std::min<uint64_t>(Files, uint64_t(INT32_MAX) + 1) - 1);
    Folder.Parent = Level.Parent;
    Folder.NameAt = FSnapshot.FNames.size();
    Folder.NameLength = Name.size();
    Folder.First = uint32_t(Folders.size());
    Folder.Count = uint32_t(Count);
    FSnapshot.FNames.append(Name);
    Folders[At] = Folder;
    Folders.resize(Folders.size() + Count);
    if (Count > 0)
      FLevels.push_back({Folder.First, Folder.First + Folder.Count, At});
    while (!FLevels.empty() && FLevels.back().Next == FLevels.back().End)
      FLevels.pop_back();
    return true;
  }
  bool Damage()
  {
    FDamaged = true;
    return false;
  }

  TFolderSnapshot& FSnapshot;
  std::vector<TLevel> FLevels;
  std::string FPending;
  bool FDamaged = false;
};

}  // namespace

uint32_t TFolderSnapshot::Child(uint32_t At, std::string_view Name) const
{
  const TFolder& Folder = FFolders[At];
  const auto First = FFolders.begin() + Folder.First, End = First + Folder.Count;
  const auto Found = std::lower_bound(
    First, End, Name, [this](const TFolder& Child, std::string_view Sought) { return this->Name(Child) < Sought; });
  return Found != End && this->Name(*Found) == Name ? uint32_t(Found - FFolders.begin()) : None;
}

std::string TFolderSnapshot::Path(uint32_t At) const
{
  std::vector<std::string_view> Names;
  for (; FFolders[At].Parent != None; At = FFolders[At].Parent)
    Names.push_back(Name(FFolders[At]));
  std::string Path;
  for (auto Name = Names.rbegin(); Name != Names.rend(); ++Name)
    Path.append(Path.empty() ? "" : "/").append(*Name);
  return Path;
}

TFolderSnapshot::THeader TFolderSnapshot::HeaderOf(const TFolderNode* Top, const std::string& Options, int64_t Time)
{
  THeader Header;
  Header.Root = Top->FullPath();
  Header.Time = Time;
  char Host[256] = {};
  if (gethostname(Host, sizeof Host - 1) == 0)
    Header.Host = Host;
  Header.ClusterSize = Top->ClusterSize();
  Header.Options = Options;
  Header.Size = Top->SizeBytes();
  Header.Allocated = Top->AllocatedBytes();
  return Header;
}

TFolderSnapshot TFolderSnapshot::Of(const TFolderNode* Top, const std::string& Options, int64_t Time,
                                    const TFolderTree* Tree, uint64_t Removals)
{
  TFolderSnapshot Made;
  TSlicedRead Read(Tree, Removals);
  if (!Read.Valid())
    return Made;
  Made.FHeader = HeaderOf(Top, Options, Time);
  // Counted first, so that the folders are laid once at their number:
  // grown by doubling, the last copy would take twice the room at the end.
  size_t Count = 0;
  for (std::vector<const TFolderNode*> Pending{Top}; !Pending.empty(); ++Count) {
    if (!Read.Next())
      return Made;
    const TFolderNode* Node = Pending.back();
    Pending.pop_back();
    for (const TFolderNode* Child : Node->Children())
      if (!Child->FIsFiles)
        Pending.push_back(Child);
  }
  bool Valid = true;
  Made.Lay(
    Top, Count,
    [&](const TFolderNode* Node) {
      Valid = Valid && Read.Next();
      return Valid ? Node->SubFoldersByName() : std::vector<TFolderNode*>();
    },
    [](const TFolderNode* Node, TFolder& Folder) { return Fill(Node, Folder); });
  Read.Done();
  if (!Valid)
    return {};
  return Made;
}

bool TFolderSnapshot::Write(std::FILE* Stream) const
{
  TRecords Records(Stream);
  THeader Header = FHeader;
  Header.Folders = FFolders.size();
  bool Written = Records.Begin(Header);
  DepthFirst([&](uint32_t At) {
    const TFolder& Folder = FFolders[At];
    Written = Written && Records.Add(At == 0 ? std::string_view() : Name(Folder), Folder, Folder.Count);
  });
  return Written && Records.End();
}

bool TFolderSnapshot::Write(std::FILE* Stream, THeader Header, const TFolderNode* Top, const TFolderTree* Tree,
                            uint64_t Removals)
{
  TSlicedRead Read(Tree, Removals);
  TRecords Records(Stream);
  Header.Folders = 0;
  if (!Read.Valid()) {
    errno = EAGAIN;
    return false;
  }
  if (!Records.Begin(Header))
    return false;
  // Depth first, sub-folders by name; "<Files>" entries are the window's.
  struct TLevel {
    std::vector<TFolderNode*> Folders;
    size_t Next = 0;
  };
  std::vector<TLevel> Levels;
  for (const TFolderNode* Node = Top; Node;) {
    if (!Read.Next()) {
      errno = EAGAIN;
      return false;
    }
    TLevel Level{Node->SubFoldersByName()};
    TFolder Folder;
    Fill(Node, Folder);
    if (!Records.Add(Node == Top ? std::string_view() : Node->FName, Folder, uint32_t(Level.Folders.size())))
      return false;
    Levels.push_back(std::move(Level));
    Node = nullptr;
    while (!Levels.empty() && !Node) {
      if (Levels.back().Next < Levels.back().Folders.size())
        Node = Levels.back().Folders[Levels.back().Next++];
      else
        Levels.pop_back();
    }
  }
  Read.Done();
  return Records.End();
}

bool TFolderSnapshot::Read(const std::string& File, TFolderSnapshot& Snapshot, std::string& Error, bool HeaderOnly)
{
  Snapshot = {};
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> Stream(std::fopen(File.c_str(), "rb"), std::fclose);
  if (!Stream) {
    Error = std::strerror(errno);
    return false;
  }
  char Start[HeaderAt];
  if (std::fread(Start, 1, sizeof Start, Stream.get()) != sizeof Start
      || std::memcmp(Start, Magic, sizeof Magic) != 0) {
    Error = "not a snapshot of Spacelens";
    return false;
  }
  const auto Written = uint32_t(Little(Start + sizeof Magic, 4));
  if (Written > Format) {
    Error = "written by a newer version of Spacelens (format " + std::to_string(Written) + ")";
    return false;
  }
  const auto HeaderLength = uint32_t(Little(Start + sizeof Magic + 4, 4));
  std::string Header(std::min(HeaderLength, MostHeaderBytes), '\0');
  if (HeaderLength > MostHeaderBytes || std::fread(Header.data(), 1, Header.size(), Stream.get()) != Header.size()) {
    Error = "cut short";
    return false;
  }
  TReader HeaderReader(Header.data(), Header.data() + Header.size());
  if (Written == 0 || !ReadHeader(HeaderReader, Written, Snapshot.FHeader)) {
    Error = "damaged";
    return false;
  }
  if (HeaderOnly)
    return true;
  struct stat Data;
  const uint64_t FileSize = fstat(fileno(Stream.get()), &Data) == 0 ? uint64_t(Data.st_size) : 0;
  if (Written == 1)
    return ReadPaths(Stream.get(), FileSize, Snapshot, Error);
  // A small file that claims millions of folders is damaged, found so
  // before it takes the memory.
  if (Snapshot.FHeader.Folders == 0 || Snapshot.FHeader.Folders >= None
      || Snapshot.FHeader.Folders > FileSize * MostFoldersPerByte) {
    Error = "damaged";
    return false;
  }
  TTreeReader Tree(Snapshot);
  if (!Unpack(Stream.get(), UINT64_MAX, Error,
              [&Tree](const char* Bytes, size_t Length) { return Tree.Take(Bytes, Length); }))
    return false;
  if (!Tree.Done() || Snapshot.FFolders.size() != Snapshot.FHeader.Folders) {
    Error = "damaged";
    return false;
  }
  return true;
}
