// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderSnapshot.h"

#include "scan/FolderNode.h"
#include "scan/SlicedRead.h"

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

void PutText(std::string& Out, const std::string& Text)
{
  Put(Out, Text.size());
  Out += Text;
}

// Reads what Put wrote, moving At on; false past End or on a run too long.
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
  bool GetText(std::string& Text)
  {
    uint64_t Length;
    if (!Get(Length) || Length > uint64_t(FEnd - FAt))
      return false;
    Text.assign(FAt, Length);
    FAt += Length;
    return true;
  }
  bool Done() const { return FAt == FEnd; }

private:
  const char* FAt;
  const char* FEnd;
};

std::string HeaderBytes(const TFolderSnapshot::THeader& Header)
{
  std::string Out;
  PutSigned(Out, Header.Time);
  Put(Out, Header.ClusterSize);
  Put(Out, Header.Folders);
  Put(Out, Header.Size);
  Put(Out, Header.Allocated);
  PutText(Out, Header.Root);
  PutText(Out, Header.Host);
  PutText(Out, Header.Options);
  return Out;
}

bool ReadHeader(TReader& Bytes, TFolderSnapshot::THeader& Header)
{
  uint64_t Cluster;
  return Bytes.GetSigned(Header.Time) && Bytes.Get(Cluster) && (Header.ClusterSize = uint32_t(Cluster), true)
    && Bytes.Get(Header.Folders) && Bytes.Get(Header.Size) && Bytes.Get(Header.Allocated) && Bytes.GetText(Header.Root)
    && Bytes.GetText(Header.Host) && Bytes.GetText(Header.Options) && Bytes.Done();
}

uint32_t Little(const char* Bytes)
{
  return uint32_t(uint8_t(Bytes[0])) | uint32_t(uint8_t(Bytes[1])) << 8 | uint32_t(uint8_t(Bytes[2])) << 16
    | uint32_t(uint8_t(Bytes[3])) << 24;
}

void PutLittle(std::string& Out, uint32_t Value)
{
  for (int Byte = 0; Byte < 4; ++Byte)
    Out += char(Value >> (8 * Byte));
}

}  // namespace

TFolderSnapshot TFolderSnapshot::Of(const TFolderNode* Top, const std::string& Options, int64_t Time,
                                    const TFolderTree* Tree, uint64_t Removals)
{
  TFolderSnapshot Made;
  TSlicedRead Read(Tree, Removals);
  if (!Read.Valid())
    return Made;
  Made.FHeader.Root = Top->FullPath();
  Made.FHeader.Time = Time;
  char Host[256] = {};
  if (gethostname(Host, sizeof Host - 1) == 0)
    Made.FHeader.Host = Host;
  Made.FHeader.ClusterSize = Top->ClusterSize();
  Made.FHeader.Options = Options;
  Made.FHeader.Size = Top->SizeBytes();
  Made.FHeader.Allocated = Top->AllocatedBytes();
  // Counted first, so that the table is made once at its size: grown by
  // doubling, its last copy would take twice the room at the end.
  size_t Count = 0;
  uint64_t PathBytes = 0;
  for (std::vector<std::pair<const TFolderNode*, uint64_t>> Pending{{Top, 0}}; !Pending.empty(); ++Count) {
    if (!Read.Next())
      return Made;
    const auto [Node, Length] = Pending.back();
    Pending.pop_back();
    PathBytes += Length;
    for (const TFolderNode* Child : Node->Children())
      if (!Child->FIsFiles)
        Pending.emplace_back(Child, Length + (Length > 0) + std::strlen(Child->FName));
  }
  if (!PathsFit(PathBytes, Count)) {
    Made.FRefusal =
      "its folders are nested too deep to keep (their paths take " + std::to_string(PathBytes >> 20) + " MB)";
    return Made;
  }
  Made.FFolders.reserve(Count);
  // Depth first, sub-folders by name; "<Files>" entries are the window's.
  struct TLevel {
    const TFolderNode* Node;
    std::string Path;
  };
  std::vector<TLevel> Pending{{Top, std::string()}};
  while (!Pending.empty()) {
    if (!Read.Next()) {
      Made.FFolders.clear();
      return Made;
    }
    TLevel Level = std::move(Pending.back());
    Pending.pop_back();
    const TFolderNode& Node = *Level.Node;
    Made.FFolders.push_back({Level.Path, Node.SizeBytes(), Node.AllocatedBytes(), Node.FObjects.Load(), Node.OwnFiles(),
                             int64_t(Node.FLastWrite.Load())});
    const std::vector<TFolderNode*> Folders = Node.SubFoldersByName();
    for (auto Child = Folders.rbegin(); Child != Folders.rend(); ++Child)
      Pending.push_back({*Child, Level.Path.empty() ? (*Child)->Name() : Level.Path + '/' + (*Child)->Name()});
  }
  Read.Done();
  Made.FHeader.Folders = Made.FFolders.size();
  return Made;
}

bool TFolderSnapshot::Write(std::FILE* Stream) const
{
  const std::string Header = HeaderBytes(FHeader);
  std::string Head(Magic, sizeof Magic);
  PutLittle(Head, Format);
  PutLittle(Head, uint32_t(Header.size()));
  Head += Header;
  if (std::fwrite(Head.data(), 1, Head.size(), Stream) != Head.size())
    return false;
  const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> Context(ZSTD_createCCtx(), ZSTD_freeCCtx);
  ZSTD_CCtx_setParameter(Context.get(), ZSTD_c_compressionLevel, 6);
  ZSTD_CCtx_setParameter(Context.get(), ZSTD_c_checksumFlag, 1);
  // The rows are packed a megabyte at a time, never held whole: a table of
  // millions of folders costs no second copy of itself.
  constexpr size_t Chunk = 1 << 20;
  std::string Rows, Packed(ZSTD_CStreamOutSize(), '\0');
  Rows.reserve(Chunk + 4096);
  const auto Pack = [&](ZSTD_EndDirective Mode) {
    ZSTD_inBuffer Input{Rows.data(), Rows.size(), 0};
    for (;;) {
      ZSTD_outBuffer Output{Packed.data(), Packed.size(), 0};
      const size_t Left = ZSTD_compressStream2(Context.get(), &Output, &Input, Mode);
      if (ZSTD_isError(Left)) {
        errno = ENOMEM;
        return false;
      }
      if (std::fwrite(Packed.data(), 1, Output.pos, Stream) != Output.pos)
        return false;
      if (Mode == ZSTD_e_end ? Left == 0 : Input.pos == Input.size)
        break;
    }
    Rows.clear();
    return true;
  };
  const std::string* Before = nullptr;
  for (const TFolder& Folder : FFolders) {
    size_t Shared = 0;
    if (Before)
      while (Shared < Before->size() && Shared < Folder.Path.size() && (*Before)[Shared] == Folder.Path[Shared])
        ++Shared;
    Put(Rows, Shared);
    PutText(Rows, Folder.Path.substr(Shared));
    Put(Rows, Folder.Size);
    Put(Rows, Folder.Allocated);
    Put(Rows, Folder.Objects);
    Put(Rows, uint64_t(Folder.Files + 1));
    PutSigned(Rows, Folder.LastChange);
    Before = &Folder.Path;
    if (Rows.size() >= Chunk && !Pack(ZSTD_e_continue))
      return false;
  }
  return Pack(ZSTD_e_end) && std::fflush(Stream) == 0;
}

bool TFolderSnapshot::Read(const std::string& File, TFolderSnapshot& Snapshot, std::string& Error, bool HeaderOnly)
{
  Snapshot = {};
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> Stream(std::fopen(File.c_str(), "rb"), std::fclose);
  if (!Stream) {
    Error = std::strerror(errno);
    return false;
  }
  char Start[sizeof Magic + 8];
  if (std::fread(Start, 1, sizeof Start, Stream.get()) != sizeof Start
      || std::memcmp(Start, Magic, sizeof Magic) != 0) {
    Error = "not a snapshot of Spacelens";
    return false;
  }
  if (const uint32_t Written = Little(Start + sizeof Magic); Written > Format) {
    Error = "written by a newer version of Spacelens (format " + std::to_string(Written) + ")";
    return false;
  }
  const uint32_t HeaderLength = Little(Start + sizeof Magic + 4);
  std::string Header(std::min(HeaderLength, MostHeaderBytes), '\0');
  if (HeaderLength > MostHeaderBytes || std::fread(Header.data(), 1, Header.size(), Stream.get()) != Header.size()) {
    Error = "cut short";
    return false;
  }
  TReader HeaderReader(Header.data(), Header.data() + Header.size());
  if (!ReadHeader(HeaderReader, Snapshot.FHeader)) {
    Error = "damaged";
    return false;
  }
  if (HeaderOnly)
    return true;
  // Rows pack well, but not beyond a measure: a small file that unpacks
  // without end is damaged, found so before it takes the memory.
  struct stat Data;
  const uint64_t MostRows =
    (fstat(fileno(Stream.get()), &Data) == 0 ? uint64_t(Data.st_size) : 0) * MostPacking + (1 << 20);
  const std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> Context(ZSTD_createDCtx(), ZSTD_freeDCtx);
  std::string Rows, In(ZSTD_DStreamInSize(), '\0'), Out(ZSTD_DStreamOutSize(), '\0');
  size_t Left = 1;  // of the frame: 0 once it is complete
  for (size_t Read; (Read = std::fread(In.data(), 1, In.size(), Stream.get())) > 0;) {
    ZSTD_inBuffer Input{In.data(), Read, 0};
    while (Input.pos < Input.size) {
      ZSTD_outBuffer Output{Out.data(), Out.size(), 0};
      Left = ZSTD_decompressStream(Context.get(), &Output, &Input);
      if (ZSTD_isError(Left) || Rows.size() + Output.pos > MostRows) {
        Error = "damaged";
        return false;
      }
      Rows.append(Out.data(), Output.pos);
      if (Left == 0 && Input.pos < Input.size) {
        Error = "damaged";
        return false;
      }
    }
  }
  if (Left != 0) {
    Error = "cut short";
    return false;
  }
  TReader Bytes(Rows.data(), Rows.data() + Rows.size());
  std::string Path;
  uint64_t PathBytes = 0;
  // A row takes seven bytes at least.
  Snapshot.FFolders.reserve(std::min<uint64_t>(Snapshot.FHeader.Folders, Rows.size() / 7));
  while (!Bytes.Done()) {
    uint64_t Shared, Files;
    std::string Rest;
    TFolder Folder;
    if (!Bytes.Get(Shared) || Shared > Path.size() || !Bytes.GetText(Rest) || !Bytes.Get(Folder.Size)
        || !Bytes.Get(Folder.Allocated) || !Bytes.Get(Folder.Objects) || !Bytes.Get(Files)
        || !Bytes.GetSigned(Folder.LastChange)) {
      Error = "damaged";
      return false;
    }
    Path.resize(Shared);
    Path += Rest;
    if (PathBytes += Path.size(); !PathsFit(PathBytes, Snapshot.FFolders.size() + 1)) {
      Error = "its folders are nested too deep to read";
      return false;
    }
    Folder.Path = Path;
    Folder.Files = int64_t(Files) - 1;
    Snapshot.FFolders.push_back(std::move(Folder));
  }
  if (Snapshot.FFolders.size() != Snapshot.FHeader.Folders) {
    Error = "damaged";
    return false;
  }
  return true;
}
