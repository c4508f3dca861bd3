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

// The change columns of a row; none without a comparison.
static std::string ChangeFields(const TSnapshotCompare* Compare, const TSnapshotCompare::TRow* Row)
{
  if (!Compare)
    return {};
  if (!Row)
    return ",,,,";
  const TFolderSnapshot::TFolder* Then =
    Row->Before == TFolderSnapshot::None ? nullptr : &Compare->Before().FFolders[Row->Before];
  return ',' + (Then ? std::to_string(Then->Size) : std::string()) + ','
    + (Then ? std::to_string(Then->Allocated) : std::string()) + ',' + std::to_string(Row->Change) + ','
    + TSnapshotCompare::StateName(Row->Verdict);
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
  // The comparison's rows come in the order the folders are written: a
  // row is a folder's while it names that folder.
  size_t Next = 0;
  const auto Change = [Compare, &Next](const TFolderNode* Node, bool Top) {
    if (!Compare)
      return std::string();
    const std::vector<TSnapshotCompare::TRow>& Rows = Compare->Rows();
    const TSnapshotCompare::TRow* Row = Next < Rows.size() ? &Rows[Next] : nullptr;
    if (!Row || Row->Now == TFolderSnapshot::None
        || (!Top && Compare->Now().Name(Compare->Now().FFolders[Row->Now]) != Node->FName))
      return ChangeFields(Compare, nullptr);
    ++Next;
    return ChangeFields(Compare, Row);
  };
  // Depth-first, each folder's sub-folders by their names' bytes.
  struct TLevel {
    std::vector<TFolderNode*> Children;
    size_t Next;
    size_t PathLength;
  };
  for (TFolderNode* Top : TopNodes) {
    // Without recursion; Path grows and shrinks with the walk.
    std::string Path = TPathRules::WithSeparator(Top->FName);
    WriteRow(Stream, Path, *Top, Change(Top, true));
    std::vector<TLevel> Stack;
    Stack.push_back({Top->SubFoldersByName(), 0, Path.size()});
    while (!Stack.empty()) {
      TLevel& Level = Stack.back();
      if (Level.Next == Level.Children.size()) {
        Stack.pop_back();
        continue;
      }
      const TFolderNode* Child = Level.Children[Level.Next++];
      Path.resize(Level.PathLength);
      Path += Child->FName;
      Path += TPathRules::Separator;
      WriteRow(Stream, Path, *Child, Change(Child, false));
      Stack.push_back({Child->SubFoldersByName(), 0, Path.size()});
    }
    if (Compare)
      for (const TSnapshotCompare::TRow& Row : Compare->Rows())
        if (Row.Verdict == TChangeMeasure::cvGone) {
          const std::string Line = Field(TPathRules::WithSeparator(Top->FName) + Compare->PathOf(Row) + '/')
            + ",,,,,,,,,,," + ChangeFields(Compare, &Row) + '\n';
          std::fwrite(Line.data(), 1, Line.size(), Stream);
        }
  }
  return std::ferror(Stream) == 0;
}
