// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvExport.h"

#include "FileTime.h"
#include "FolderData.h"
#include "FolderNode.h"
#include "PathRules.h"

#include <ctime>
#include <utility>

const char* TCsvExport::Header =
  "path,clusters,tail_bytes,objects,own_files,size_bytes,allocated_bytes,error_code,incomplete,"
  "last_access,last_write,hole_clusters";

std::string TCsvExport::Field(const std::string& Text)
{
  if (Text.find_first_of(",\"\r\n") == std::string::npos)
    return Text;
  std::string Quoted = "\"";
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

static void WriteRow(std::FILE* Stream, const std::string& Path, const TFolderData& Record)
{
  const std::string Line = TCsvExport::Field(Path) + ',' + std::to_string(Record.FClusters.Load()) + ','
    + std::to_string(Record.FTailBytes.Load()) + ',' + std::to_string(Record.FObjects.Load()) + ','
    + std::to_string(Record.Node()->OwnFiles()) + ',' + std::to_string(Record.SizeBytes()) + ','
    + std::to_string(Record.AllocatedBytes()) + ',' + std::to_string(Record.FErrorCode.Load()) + ','
    + (Record.Finished() && !Record.FailedBelow() ? '0' : '1') + ',' + TCsvExport::IsoTime(Record.FLastAccess) + ','
    + TCsvExport::IsoTime(Record.FLastWrite) + ',' + std::to_string(Record.FHoles.Load()) + '\n';
  std::fwrite(Line.data(), 1, Line.size(), Stream);
}

bool TCsvExport::Write(std::FILE* Stream, const std::vector<TFolderNode*>& TopNodes)
{
  std::fprintf(Stream, "%s\n", Header);
  for (TFolderNode* Top : TopNodes) {
    // Depth-first without recursion; Path grows and shrinks with the walk.
    std::string Path = TPathRules::WithSeparator(Top->FName);
    WriteRow(Stream, Path, *Top);
    std::vector<std::pair<TFolderNode*, size_t>> Stack{{Top, 0}};
    std::vector<size_t> PathLengths{Path.size()};
    while (!Stack.empty()) {
      auto& [Node, Next] = Stack.back();
      if (Next == Node->ChildCount()) {
        Stack.pop_back();
        PathLengths.pop_back();
        continue;
      }
      TFolderNode* Child = Node->Child(Next++);
      if (Child->FIsFiles)
        continue;
      Path.resize(PathLengths.back());
      Path += Child->FName;
      Path += TPathRules::Separator;
      WriteRow(Stream, Path, *Child);
      Stack.push_back({Child, 0});
      PathLengths.push_back(Path.size());
    }
  }
  return std::ferror(Stream) == 0;
}
