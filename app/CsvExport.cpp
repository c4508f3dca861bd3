// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CsvExport.h"

#include "fs/FileTime.h"
#include "fs/PathRules.h"
#include "history/SnapshotCompare.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "view/FileClass.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string_view>

const char* TCsvExport::Header =
  "path,clusters,tail_bytes,objects,own_files,size_bytes,allocated_bytes,error_code,incomplete,"
  "last_access,last_write,hole_clusters";

const char* TCsvExport::FilesHeader = "path,size_bytes,allocated_bytes,last_write,last_access,kind,links";

bool TCsvExport::WriteFiles(std::FILE* Stream, const std::vector<TTopFiles::TFile>& Files)
{
  std::fprintf(Stream, "%s\n", FilesHeader);
  for (const TTopFiles::TFile& File : Files) {
    const std::string Line = Field(File.Path) + ',' + std::to_string(File.Size) + ',' + std::to_string(File.Allocated)
      + ',' + IsoTime(File.LastWrite) + ',' + IsoTime(File.LastAccess) + ','
      + TFileClass::Word(std::min<int>(File.Kind, TFileClass::fcOther)) + ',' + std::to_string(File.Links) + '\n';
    std::fwrite(Line.data(), 1, Line.size(), Stream);
  }
  return !std::ferror(Stream);
}

bool TCsvExport::WriteTypes(std::FILE* Stream,
                            const std::vector<std::pair<std::string, std::vector<TTypeTotals::TType>>>& Folders)
{
  const bool Several = Folders.size() > 1;
  std::fprintf(Stream, "%sextension,class,files,size_bytes,allocated_bytes\n", Several ? "folder," : "");
  for (const auto& [Folder, Types] : Folders)
    for (const TTypeTotals::TType& Type : Types) {
      const std::string Line = (Several ? Field(Folder) + ',' : std::string()) + Field(Type.Extension) + ','
        + TFileClass::Word(std::min<int>(Type.Kind, TFileClass::fcOther)) + ',' + std::to_string(Type.Files) + ','
        + std::to_string(Type.Size) + ',' + std::to_string(Type.Allocated) + '\n';
      std::fwrite(Line.data(), 1, Line.size(), Stream);
    }
  return !std::ferror(Stream);
}

std::string TCsvExport::Field(const std::string& Text)
{
  // A spreadsheet runs a field that begins so as a formula: with a quote
  // before it, it is text. Paths of this machine begin with "/".
  const bool Formula = !Text.empty() && std::strchr("=+-@\t\r", Text.front());
  if (!Formula && Text.find_first_of(",\"\r\n") == std::string::npos)
    return Text;
  std::string Quoted = Formula ? "\"'" : "\"";
  for (char C : Text) {
    if (C == '"')
      Quoted += '"';
    Quoted += C;
  }
  return Quoted + '"';
}

std::string TCsvExport::IsoTime(uint64_t Time)
{
  if (!FileTime::IsSet(Time))
    return {};
  const time_t Seconds = FileTime::ToUnixSeconds(Time);
  struct tm Parts;
  char Text[64];
  if (!gmtime_r(&Seconds, &Parts) || !strftime(Text, sizeof Text, "%Y-%m-%dT%H:%M:%SZ", &Parts))
    return {};
  return Text;
}

// The change columns of a compared folder.
static std::string ChangeFields(const TSnapshotCompare& Compare, const TSnapshotCompare::TRow& Row)
{
  const TFolderSnapshot::TFolder* Then =
    Row.Before == TFolderSnapshot::None ? nullptr : &Compare.Before().FFolders[Row.Before];
  return ',' + (Then ? std::to_string(Then->Size) : std::string()) + ','
    + (Then ? std::to_string(Then->Allocated) : std::string()) + ',' + std::to_string(Row.Change) + ','
    + TSnapshotCompare::StateName(Row.Verdict);
}

static void WriteRow(std::FILE* Stream, const std::string& Path, const TFolderData& Record, const std::string& Change)
{
  const std::string Line = TCsvExport::Field(Path) + ',' + std::to_string(Record.FClusters.Load()) + ','
    + std::to_string(Record.FTailBytes.Load()) + ',' + std::to_string(Record.FObjects.Load()) + ','
    + std::to_string(Record.Node()->OwnFiles()) + ',' + std::to_string(Record.SizeBytes()) + ','
    + std::to_string(Record.AllocatedBytes()) + ',' + std::to_string(Record.FErrorCode.Load()) + ','
    + (Record.Finished() && !Record.FailedBelow() ? '0' : '1') + ',' + TCsvExport::IsoTime(Record.LastAccess()) + ','
    + TCsvExport::IsoTime(Record.LastWrite()) + ',' + std::to_string(Record.FHoles.Load()) + Change + '\n';
  std::fwrite(Line.data(), 1, Line.size(), Stream);
}

bool TCsvExport::Write(std::FILE* Stream, const std::vector<TFolderNode*>& TopNodes, const TSnapshotCompare* Compare)
{
  std::fprintf(Stream, "%s%s\n", Header, Compare ? ",before_size_bytes,before_allocated_bytes,change_bytes,state" : "");
  for (TFolderNode* Top : TopNodes) {
    // Path grows and shrinks with the walk: Ends[Depth] is where the path
    // of the folder last met at Depth ends.
    std::string Path;
    std::vector<size_t> Ends;
    const auto Row = [&](const TFolderNode* Node, size_t Depth, const std::string& Change) {
      if (Depth == 0) {
        Path = TPathRules::WithSeparator(Top->FName);
      } else {
        Path.resize(Ends[Depth - 1]);
        Path += Node->FName;
        Path += TPathRules::Separator;
      }
      Ends.resize(Depth + 1);
      Ends[Depth] = Path.size();
      WriteRow(Stream, Path, *Node, Change);
    };
    if (!Compare || Compare->Top() != Top) {
      // Change columns only for the top compared.
      const std::string None = Compare ? ",,,," : "";
      TFolderNode::ByName(Top, [&](const TFolderNode* Node, size_t Depth) { Row(Node, Depth, None); });
      continue;
    }
    Compare->Walk(
      [&](const TSnapshotCompare::TRow& Now, size_t Depth) { Row(Now.Now, Depth, ChangeFields(*Compare, Now)); },
      [&](const TSnapshotCompare::TRow& Gone) {
        const std::string Line = Field(TPathRules::WithSeparator(Top->FName) + Compare->PathOf(Gone) + '/')
          + ",,,,,,,,,,," + ChangeFields(*Compare, Gone) + '\n';
        std::fwrite(Line.data(), 1, Line.size(), Stream);
      });
  }
  return std::ferror(Stream) == 0;
}
