// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/NcduListing.h"

#include "fs/FileTime.h"
#include "fs/Wildcard.h"
#include "scan/FolderNode.h"
#include "scan/NcduHandler.h"
#include "scan/Root.h"

#include <rapidjson/filereadstream.h>
#include <rapidjson/reader.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr auto ParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseStopWhenDoneFlag;

// Reads the entries of one folder, from its "[" to its "]".
class TLister {
public:
  TLister(std::vector<TListedFile>& Found, const std::function<bool()>& Stop) : FFound(Found), FStop(Stop) {}

  bool Scalar(uint64_t, bool)
  {
    Problem = "a number where a folder or an entry was expected";
    return false;
  }
  bool OpenArray()
  {
    ++FDepth;
    return true;
  }
  bool OpenObject(bool& Metadata)
  {
    Metadata = false;
    return true;
  }
  bool CloseObject(const TNcduFields& Fields)
  {
    if (FStop && ++FObjects % 4096 == 0 && FStop()) {
      Problem = "stopped";
      return false;
    }
    if (FDepth != 1 || !std::exchange(FInfoRead, true))
      return true;  // the folder's info, or an entry of a folder inside
    if (Fields.HasExcluded)
      return true;  // a folder not entered, or a file the scan left out
    const bool Regular = !Fields.NotRegular;
    FFound.push_back({Fields.Name, Regular ? Fields.Size : 0, Regular ? Fields.DiskBytes : 0, 0,
                      Fields.HasWriteTime ? FileTime::FromUnix(Fields.WriteTime, 0) : 0});
    return true;
  }
  bool CloseArray()
  {
    --FDepth;
    return true;
  }

  std::string Problem;

private:
  std::vector<TListedFile>& FFound;
  const std::function<bool()>& FStop;
  uint64_t FObjects = 0;
  int FDepth = 0;
  bool FInfoRead = false;
};

// Opens a file of an export for reading entries again: only a regular
// file, so that a pipe or a device never holds the reader. Null with Error
// set when it cannot.
std::FILE* OpenExport(const std::string& FileName, struct stat& Data, int& Error)
{
  const int Fd = open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  Error = Fd < 0             ? errno
    : fstat(Fd, &Data) != 0  ? errno
    : S_ISDIR(Data.st_mode)  ? EISDIR
    : !S_ISREG(Data.st_mode) ? EINVAL
                             : 0;
  std::FILE* File = Error ? nullptr : fdopen(Fd, "rb");
  if (!File && Fd >= 0) {
    Error = Error ? Error : errno;
    close(Fd);
  }
  return File;
}

}  // namespace

bool TNcduListing::Locate(const TFolderNode* Node, TPlace& Place)
{
  const TRoot* Root = Node->Root();
  if (!Root || !Root->Imported())
    return false;
  const auto Found = Root->FImportOffsets.find(Node);
  if (Found == Root->FImportOffsets.end())
    return false;
  Place = {Root->FImportFile, Root->FImportStamp, Found->second};
  return true;
}

int TNcduListing::List(const TPlace& Place, const std::vector<std::string>& Patterns, std::vector<TListedFile>& Files,
                       const std::function<bool()>& Stop)
{
  struct stat Data;
  int Code;
  std::FILE* File = OpenExport(Place.File, Data, Code);
  if (!File)
    return Code == EINVAL ? ESTALE : Code;
  if (!(TFileStamp::Of(Data) == Place.Stamp) || std::fseek(File, long(Place.Offset), SEEK_SET) != 0)
    Code = ESTALE;
  std::vector<TListedFile> Found;
  if (Code == 0) {
    char Buffer[64 * 1024];
    rapidjson::FileReadStream Stream(File, Buffer, sizeof Buffer);
    TLister Lister(Found, Stop);
    TNcduHandler<TLister> Handler(Lister);
    rapidjson::Reader Reader;
    if (Reader.Parse<ParseFlags>(Stream, Handler).IsError())
      Code = std::ferror(File) ? EIO : Lister.Problem == "stopped" ? 0 : ESTALE;
  }
  std::fclose(File);
  // Once per pattern a file matches, in pattern order, as a listing gives them.
  for (const std::string& Pattern : Patterns)
    for (const TListedFile& Item : Found)
      if (Pattern == "*" || MatchWildcard(Pattern.c_str(), Item.Name.c_str()))
        Files.push_back(Item);
  return Code;
}
