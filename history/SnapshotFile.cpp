// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotFile.h"

#include "FolderNode.h"
#include "NcduImport.h"
#include "Root.h"

#include <csv.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <memory>

#include <sys/stat.h>

namespace {

// When File last changed, as Unix seconds; 0 when it cannot be told.
int64_t ChangedAt(const std::string& File)
{
  struct stat Status;
  return stat(File.c_str(), &Status) == 0 ? int64_t(Status.st_mtime) : 0;
}

// The rows of a CSV folder table, column by column as the header names them.
class TCsvTable {
public:
  TCsvTable(const std::string& Root, TFolderSnapshot& Snapshot) : FRoot(Root), FSnapshot(Snapshot) {}

  static void Field(void* Text, size_t Length, void* Self)
  {
    auto& Table = *static_cast<TCsvTable*>(Self);
    Table.FFields.emplace_back(static_cast<const char*>(Text), Length);
  }
  static void RowEnd(int Ending, void* Self)
  {
    auto& Table = *static_cast<TCsvTable*>(Self);
    // A table written whole ends its last line too.
    if (Ending < 0 && Table.FLine > 0 && Table.FProblem.empty())
      Table.FProblem = "its last line has no end: the file is cut short";
    if (Table.FProblem.empty())
      Table.Row();
    Table.FFields.clear();
    ++Table.FLine;
  }
  // The line being read, from 0.
  size_t Line() const { return FLine; }
  // Done when the file has ended: false with Error when it held no table.
  bool Finish(std::string& Error)
  {
    if (FProblem.empty() && FLine == 0)
      FProblem = "it is empty";
    if (FProblem.empty() && FSnapshot.FFolders.empty())
      FProblem = "it holds no folder";
    Error = FProblem;
    return FProblem.empty();
  }

private:
  enum TColumn { cPath, cSize, cAllocated, cObjects, cOwnFiles, cLastWrite, cClusters, cCount };

  void Row()
  {
    if (FLine == 0)
      return Header();
    if (FFields.size() != FWidth) {
      FProblem = "line " + std::to_string(FLine + 1) + " has " + std::to_string(FFields.size()) + " fields, not "
                 + std::to_string(FWidth) + ": the file is cut short or damaged";
      return;
    }
    const std::string& Path = FFields[size_t(FColumns[cPath])];
    if (FFields[size_t(FColumns[cSize])].empty())
      return;  // a folder gone, of a comparison exported
    if (FTop.empty() || !Path.starts_with(FTop)) {
      // A new top: the one of Root is kept, else the first.
      FTop = Path;
      FKeeping = !FChosen && (Path == FRoot || FSnapshot.FFolders.empty());
      if (FKeeping) {
        FSnapshot.FFolders.clear();
        FChosen = Path == FRoot;
        FSnapshot.FHeader.Root = Path;
      }
    }
    if (!FKeeping)
      return;
    TFolderSnapshot::TFolder Folder;
    Folder.Path = Path.substr(FTop.size());
    if (Folder.Path.ends_with('/'))
      Folder.Path.pop_back();
    uint64_t Clusters = 0;
    if (!Number(cSize, Folder.Size) || !Number(cAllocated, Folder.Allocated) || !Number(cObjects, Folder.Objects)
        || !Number(cClusters, Clusters))
      return;
    uint64_t Files;
    if (FColumns[cOwnFiles] >= 0 && Number(cOwnFiles, Files))
      Folder.Files = int64_t(Files);
    if (FColumns[cLastWrite] >= 0)
      Folder.LastChange = IsoTime(FFields[size_t(FColumns[cLastWrite])]);
    if (Folder.Path.empty()) {
      FSnapshot.FHeader.Size = Folder.Size;
      FSnapshot.FHeader.Allocated = Folder.Allocated;
      FSnapshot.FHeader.ClusterSize = Clusters ? uint32_t(Folder.Allocated / Clusters) : 0;
    }
    FSnapshot.FFolders.push_back(std::move(Folder));
  }
  void Header()
  {
    static const std::array<const char*, cCount> Names = {"path",     "size_bytes", "allocated_bytes", "objects",
                                                          "own_files", "last_write", "clusters"};
    FColumns.fill(-1);
    for (size_t At = 0; At < FFields.size(); ++At)
      for (size_t Column = 0; Column < Names.size(); ++Column)
        if (FFields[At] == Names[Column])
          FColumns[Column] = int(At);
    if (FColumns[cPath] < 0 || FColumns[cSize] < 0 || FColumns[cAllocated] < 0) {
      FColumns[cPath] = -1;
      FProblem = "it is not a snapshot, an ncdu JSON export or a CSV folder table (a first line naming "
                 "\"path\", \"size_bytes\" and \"allocated_bytes\" columns)";
    }
    FWidth = FFields.size();
  }
  // The whole number in Column (0 when the table has no such column);
  // false with the problem told when it is none.
  bool Number(TColumn Column, uint64_t& Value)
  {
    Value = 0;
    if (FColumns[Column] < 0)
      return true;
    const std::string& Text = FFields[size_t(FColumns[Column])];
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Error == std::errc() && End == Text.data() + Text.size() && !Text.empty())
      return true;
    FProblem = "line " + std::to_string(FLine + 1) + " has \"" + Text + "\" where a whole number belongs";
    return false;
  }
  static int64_t IsoTime(const std::string& Text)
  {
    std::tm Parts{};
    const char* End = strptime(Text.c_str(), "%Y-%m-%dT%H:%M:%SZ", &Parts);
    return End && !*End ? int64_t(timegm(&Parts)) : 0;
  }

  const std::string& FRoot;
  TFolderSnapshot& FSnapshot;
  std::vector<std::string> FFields;
  std::array<int, cCount> FColumns{-1, -1, -1, -1, -1, -1, -1};
  size_t FWidth = 0;
  size_t FLine = 0;
  std::string FTop;
  bool FKeeping = false;
  bool FChosen = false;
  std::string FProblem;
};

}  // namespace

bool TSnapshotFile::Read(const std::string& File, const std::string& Root, const TScanSettings& Settings,
                         TFolderSnapshot& Snapshot, std::string& Error)
{
  // Each format is told by its first byte: "S" of the snapshot's magic,
  // "[" of a JSON export, any other of a CSV table's header.
  char First = 0;
  {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> Stream(std::fopen(File.c_str(), "rb"), std::fclose);
    if (!Stream) {
      Error = std::strerror(errno);
      return false;
    }
    std::fread(&First, 1, 1, Stream.get());
  }
  Snapshot = {};
  if (First == 'S')
    return TFolderSnapshot::Read(File, Snapshot, Error);
  const bool Read = First == '[' ? ReadNcdu(File, Settings, Snapshot, Error) : ReadCsv(File, Root, Snapshot, Error);
  if (!Read)
    return false;
  Snapshot.FHeader.Time = ChangedAt(File);
  Snapshot.FHeader.Folders = Snapshot.FFolders.size();
  return true;
}

bool TSnapshotFile::ReadNcdu(const std::string& File, const TScanSettings& Settings, TFolderSnapshot& Snapshot,
                             std::string& Error)
{
  TNcduImport Import(File, Settings, 0);
  if (!Import.Run()) {
    Error = Import.Error();
    return false;
  }
  const std::unique_ptr<TRoot> Root(Import.TakeRoot());
  Snapshot = TFolderSnapshot::Of(Root->FNode, std::string(), 0);
  // Not where this machine's scans come from.
  Snapshot.FHeader.Host.clear();
  TFolderNode::DeleteSubtree(Root->FNode);
  return true;
}

bool TSnapshotFile::ReadCsv(const std::string& File, const std::string& Root, TFolderSnapshot& Snapshot,
                            std::string& Error)
{
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> Stream(std::fopen(File.c_str(), "rb"), std::fclose);
  if (!Stream) {
    Error = std::strerror(errno);
    return false;
  }
  csv_parser Parser;
  csv_init(&Parser, CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL);
  const std::unique_ptr<csv_parser, void (*)(csv_parser*)> Freed(&Parser, csv_free);
  TCsvTable Table(Root, Snapshot);
  char Buffer[1 << 16];
  size_t Length;
  while ((Length = std::fread(Buffer, 1, sizeof Buffer, Stream.get())) > 0)
    if (csv_parse(&Parser, Buffer, Length, TCsvTable::Field, TCsvTable::RowEnd, &Table) != Length) {
      Error = "line " + std::to_string(Table.Line() + 1) + " is no CSV: " + csv_strerror(csv_error(&Parser));
      return false;
    }
  if (std::ferror(Stream.get())) {
    Error = std::strerror(errno);
    return false;
  }
  if (csv_fini(&Parser, TCsvTable::Field, TCsvTable::RowEnd, &Table) != 0) {
    Error = "it ends within a quoted field: the file is cut short";
    return false;
  }
  return Table.Finish(Error);
}
