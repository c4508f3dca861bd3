// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SnapshotFile.h"

#include "fs/FilledText.h"
#include "scan/FolderNode.h"
#include "scan/NcduImport.h"
#include "scan/Root.h"
#include "scan/SnapshotBuilder.h"

#include <csv.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    // A table written whole ends its last row with a line end too.
    if (Ending < 0 && Table.FRow > 0 && Table.FProblem.empty())
      Table.FProblem =
        QCoreApplication::translate("TSnapshotFile", "its last row does not end: the file is cut short").toStdString();
    if (Table.FProblem.empty())
      Table.Row();
    Table.FFields.clear();
    ++Table.FRow;
  }
  // The row being read, from 0 for the header.
  size_t Rows() const { return FRow; }
  // Done when the file has ended: false with Error when it held no table.
  bool Finish(std::string& Error)
  {
    if (FProblem.empty() && FRow == 0)
      FProblem = QCoreApplication::translate("TSnapshotFile", "it is empty").toStdString();
    if (FProblem.empty() && FBuilder.Size() == 0)
      FProblem = QCoreApplication::translate("TSnapshotFile", "it holds no folder").toStdString();
    Error = FProblem;
    if (FProblem.empty())
      FBuilder.Finish(FSnapshot);
    return FProblem.empty();
  }

private:
  enum TColumn { cPath, cSize, cAllocated, cObjects, cOwnFiles, cLastWrite, cClusters, cHoles, cCount };

  void Row()
  {
    if (FRow == 0)
      return Header();
    if (FFields.size() != FWidth) {
      FProblem = FilledText(
        QCoreApplication::translate("TSnapshotFile", "row %1 has %2 fields, not %3: the file is cut short or damaged"),
        {std::to_string(FRow + 1), std::to_string(FFields.size()), std::to_string(FWidth)});
      return;
    }
    const std::string& Path = FFields[size_t(FColumns[cPath])];
    if (FFields[size_t(FColumns[cSize])].empty())
      return;  // a folder gone, of a comparison exported
    // A folder table's paths end in a separator; a table of files has none.
    if (!Path.ends_with('/')) {
      FProblem = FilledText(
        QCoreApplication::translate("TSnapshotFile", "row %1 is of \"%2\", no folder: the table is not a folder table"),
        {std::to_string(FRow + 1), Path});
      return;
    }
    // A new top: the one of Root is kept, else the first.
    if (FTop.empty() || !Path.starts_with(FTop) || Path == FRoot) {
      FTop = Path;
      FKeeping = Path == FRoot || FBuilder.Size() == 0;
      if (FKeeping) {
        FBuilder = TSnapshotBuilder();
        FPlaces.clear();
        FSnapshot.FHeader.Root = Path;
      }
    }
    if (!FKeeping)
      return;
    // Below a folder of the table, met once: a folder whose parent the
    // table left out, or met again, is passed over.
    std::string_view Below = std::string_view(Path).substr(FTop.size());
    if (!Below.empty())
      Below.remove_suffix(1);
    const size_t Slash = Below.rfind('/');
    const auto Parent = Below.empty()
      ? FPlaces.end()
      : FPlaces.find(std::string(Below.substr(0, Slash == std::string::npos ? 0 : Slash)));
    if ((!Below.empty() && Parent == FPlaces.end()) || FPlaces.contains(std::string(Below)))
      return;
    TFolderSnapshot::TFolder Folder;
    uint64_t Clusters = 0, Holes = 0;
    if (!Number(cSize, Folder.Size) || !Number(cAllocated, Folder.Allocated) || !Number(cObjects, Folder.Objects)
        || !Number(cClusters, Clusters) || !Number(cHoles, Holes))
      return;
    uint64_t Files;
    if (FColumns[cOwnFiles] >= 0 && Number(cOwnFiles, Files))
      Folder.Files = int32_t(std::min<uint64_t>(Files, INT32_MAX));
    if (FColumns[cLastWrite] >= 0)
      Folder.LastChange = IsoTime(FFields[size_t(FColumns[cLastWrite])]);
    if (Below.empty()) {
      FSnapshot.FHeader.Size = Folder.Size;
      FSnapshot.FHeader.Allocated = Folder.Allocated;
      // Clusters of holes are counted but take no space; 0: not known.
      FSnapshot.FHeader.ClusterSize = Clusters > Holes ? uint32_t(Folder.Allocated / (Clusters - Holes)) : 0;
    }
    const uint32_t Place = FBuilder.Add(Below.empty() ? TFolderSnapshot::None : Parent->second,
                                        Below.substr(Slash == std::string::npos ? 0 : Slash + 1), Folder);
    FPlaces.emplace(Below, Place);
  }
  void Header()
  {
    static const std::array<const char*, cCount> Names = {
      "path", "size_bytes", "allocated_bytes", "objects", "own_files", "last_write", "clusters", "hole_clusters"};
    FColumns.fill(-1);
    for (size_t At = 0; At < FFields.size(); ++At)
      for (size_t Column = 0; Column < Names.size(); ++Column)
        if (FFields[At] == Names[Column])
          FColumns[Column] = int(At);
    if (FColumns[cPath] < 0 || FColumns[cSize] < 0 || FColumns[cAllocated] < 0)
      FProblem = QCoreApplication::translate("TSnapshotFile",
                                             "it is not a snapshot, an ncdu JSON export or a CSV folder table (a first "
                                             "line naming \"path\", \"size_bytes\" and \"allocated_bytes\" columns)")
                   .toStdString();
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
    FProblem =
      FilledText(QCoreApplication::translate("TSnapshotFile", "row %1 has \"%2\" where a whole number belongs"),
                 {std::to_string(FRow + 1), Text});
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
  TSnapshotBuilder FBuilder;
  std::unordered_map<std::string, uint32_t> FPlaces;  // of the folders read, by their path below the top
  std::vector<std::string> FFields;
  std::array<int, cCount> FColumns{};
  size_t FWidth = 0;
  size_t FRow = 0;
  std::string FTop;
  bool FKeeping = false;
  std::string FProblem;
};

}  // namespace

bool TSnapshotFile::Read(const std::string& File, const std::string& Root, const TScanSettings& Settings,
                         TFolderSnapshot& Snapshot, std::string& Error, const std::atomic<bool>* Stop)
{
  Snapshot = {};
  // Opened without waiting, so that a pipe is refused rather than waited on.
  const int Fd = open(File.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat Status;
  if (Fd < 0 || fstat(Fd, &Status) != 0) {
    Error = std::strerror(errno);
    if (Fd >= 0)
      close(Fd);
    return false;
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> Stream(fdopen(Fd, "rb"), std::fclose);
  if (!Stream || !S_ISREG(Status.st_mode)) {
    Error = Stream ? tr("it is not a regular file").toStdString() : std::strerror(errno);
    if (!Stream)
      close(Fd);
    return false;
  }
  // Each format is told by its first byte: "S" of the snapshot's magic,
  // "[" of a JSON export (after any spaces), any other of a CSV table's
  // header.
  char Start[64] = {};
  const std::string_view Head(Start, std::fread(Start, 1, sizeof Start, Stream.get()));
  const size_t First = Head.find_first_not_of(" \t\r\n");
  const char Kind = First == std::string_view::npos ? 0 : Head[First];
  if (Kind == 'S' && First == 0)
    return TFolderSnapshot::Read(File, Snapshot, Error);
  std::rewind(Stream.get());
  const bool Read =
    Kind == '[' ? ReadNcdu(File, Settings, Snapshot, Error, Stop) : ReadCsv(Stream.get(), Root, Snapshot, Error, Stop);
  if (!Read)
    return false;
  Snapshot.FHeader.Time = int64_t(Status.st_mtime);
  return true;
}

bool TSnapshotFile::ReadNcdu(const std::string& File, const TScanSettings& Settings, TFolderSnapshot& Snapshot,
                             std::string& Error, const std::atomic<bool>* Stop)
{
  TNcduImport Import(File, Settings, 0);
  if (!Import.Run(Stop)) {
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

bool TSnapshotFile::ReadCsv(std::FILE* Stream, const std::string& Root, TFolderSnapshot& Snapshot, std::string& Error,
                            const std::atomic<bool>* Stop)
{
  csv_parser Parser;
  csv_init(&Parser, CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL);
  const std::unique_ptr<csv_parser, void (*)(csv_parser*)> Freed(&Parser, csv_free);
  TCsvTable Table(Root, Snapshot);
  char Buffer[1 << 16];
  size_t Length;
  while ((Length = std::fread(Buffer, 1, sizeof Buffer, Stream)) > 0) {
    if (Stop && Stop->load(std::memory_order_relaxed)) {
      Error = "stopped";
      return false;
    }
    if (csv_parse(&Parser, Buffer, Length, TCsvTable::Field, TCsvTable::RowEnd, &Table) != Length) {
      Error =
        FilledText(tr("row %1 is no CSV: %2"), {std::to_string(Table.Rows() + 1), csv_strerror(csv_error(&Parser))});
      return false;
    }
  }
  if (std::ferror(Stream)) {
    Error = std::strerror(errno);
    return false;
  }
  if (csv_fini(&Parser, TCsvTable::Field, TCsvTable::RowEnd, &Table) != 0) {
    Error = tr("it ends within a quoted field: the file is cut short").toStdString();
    return false;
  }
  return Table.Finish(Error);
}
