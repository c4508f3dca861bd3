#include "FileListing.h"

#include "Directory.h"
#include "Wildcard.h"

#include <fcntl.h>
#include <unistd.h>

int TFileListing::List(const std::string& Folder, const std::vector<std::string>& Patterns,
                       std::vector<TListedFile>& Files, const std::function<bool()>& Stop)
{
  const int Fd = TDirectory::Open(AT_FDCWD, Folder.c_str(), true);
  if (Fd < 0)
    return -Fd;
  struct TFound {
    std::string Name;
    TEntryInfo Info;
  };
  std::vector<TFound> Found;
  std::vector<char> Buffer(64 * 1024);
  TDirectory Listing(Fd, Buffer.data(), Buffer.size());
  const char* Name;
  unsigned char Type;
  while (Listing.Next(Name, Type)) {
    if (Stop && Found.size() % 1024 == 0 && Stop())
      break;
    TEntryInfo Info;
    if (Type == TDirectory::dtDirectory || TDirectory::Stat(Fd, Name, false, Info) != 0 || Info.IsFolder)
      continue;
    if (Info.IsLink) {
      TEntryInfo Target;
      if (TDirectory::Stat(Fd, Name, true, Target) == 0 && Target.IsFolder)
        continue;  // a link to a folder is listed as a folder, if at all
      Info.Size = 0;  // a link holds no data of its own
    }
    Found.push_back({Name, Info});
  }
  const int Error = Listing.Error();
  close(Fd);
  for (const std::string& Pattern : Patterns)
    for (const TFound& Item : Found)
      if (Pattern == "*" || MatchWildcard(Pattern.c_str(), Item.Name.c_str()))
        Files.push_back({Item.Name, Item.Info.Size, Item.Info.LastAccess, Item.Info.LastWrite});
  return TDirectory::IsNoMatchCode(Error) ? 0 : Error;
}
