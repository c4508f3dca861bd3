// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/NcduImport.h"

#include "fs/FileTime.h"
#include "fs/PathRules.h"
#include "scan/FolderBlock.h"
#include "scan/FolderFiles.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/LinkCounter.h"
#include "scan/NcduHandler.h"
#include "scan/Root.h"
#include "scan/StreamReader.h"
#include "scan/StreamSource.h"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper than any real tree; a file nested deeper is taken for a broken one.
constexpr size_t MostLevels = 100000;

constexpr auto ParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseStopWhenDoneFlag;

bool ValidName(const std::string& Name, std::string& Problem)
{
  if (Name.empty() || Name == "." || Name == ".." || Name.find('/') != std::string::npos
      || Name.find('\0') != std::string::npos) {
    Problem = "the name \"" + Name.substr(0, Name.find('\0')) + "\" cannot be a file's name";
    return false;
  }
  return true;
}

// Where in Json an escaped low surrogate ("\udc00" to "\udfff") stands that
// follows no high one; npos when none does.
size_t LoneLowSurrogate(std::string_view Json)
{
  size_t HighEnd = std::string_view::npos;
  for (size_t At = Json.find('\\'); At != std::string_view::npos && At + 6 <= Json.size(); At = Json.find('\\', At)) {
    if (Json[At + 1] != 'u') {
      At += 2;  // another escape, "\\" among them
      continue;
    }
    unsigned Code = 0;
    std::from_chars(Json.data() + At + 2, Json.data() + At + 6, Code, 16);
    if (Code >= 0xDC00 && Code <= 0xDFFF && At != HighEnd)
      return At;
    HighEnd = Code >= 0xD800 && Code <= 0xDBFF ? At + 6 : std::string_view::npos;
    At += 6;
  }
  return std::string_view::npos;
}

// What a folder adds for itself.
constexpr TFileCount Itself{1, 0, 1};

// Builds the tree of an export, handing each folder to the sink as it opens.
class TBuilder {
public:
  TBuilder(TRoot& Root, const TScanSettings& Settings, TStreamReader& Stream, TNcduImport::TSink& Sink,
           std::unordered_map<const TFolderNode*, uint64_t>* Offsets, std::atomic<uint64_t>& FoldersRead,
           std::atomic<uint64_t>& FilesRead, const std::atomic<bool>* Stop)
    : FRoot(Root),
      FSettings(Settings),
      FStream(Stream),
      FSink(Sink),
      FOffsets(Offsets),
      FClusterSize(Root.FClusterSize),
      FFoldersRead(FoldersRead),
      FFilesRead(FilesRead),
      FStop(Stop)
  {
  }
  bool Finished() const { return FPlace == pEnded; }
  // The export broke off: the folders left open keep what was read of
  // them, counted up, and are marked stopped.
  void Abandon()
  {
    while (!FFolders.empty()) {
      TFolderNode* Node = FFolders.back().Node;
      if (!Node) {  // its "[" was read, its info not
        FFolders.pop_back();
        continue;
      }
      CloseFolder();
      Node->FState = ssStopped;
    }
  }

  bool Scalar(uint64_t Number, bool Whole)
  {
    if (FPlace == pVersion) {
      if (!Whole || Number != 1) {
        Problem = "format version " + std::to_string(Number) + " is not known; version 1 is";
        return false;
      }
      FPlace = pMinor;
      return true;
    }
    if (FPlace == pMinor) {
      FPlace = pMetadata;
      return true;
    }
    Problem = "a number where a folder or an entry was expected";
    return false;
  }
  bool OpenArray()
  {
    if (FPlace == pStart) {
      FPlace = pVersion;
      return true;
    }
    if (FPlace != pTop && FPlace != pEntries) {
      Problem = FPlace == pInfo ? "a folder's first element is not its info" : "a folder where none belongs";
      return false;
    }
    if (FFolders.size() >= MostLevels) {
      Problem = "folders nested deeper than " + std::to_string(MostLevels) + " levels";
      return false;
    }
    FFolders.emplace_back();
    FFolders.back().Offset = FStream.Tell();  // at its "[", not yet taken
    FPlace = pInfo;
    return Going();
  }
  bool OpenObject(bool& Metadata)
  {
    Metadata = FPlace == pMetadata;
    FObjectAt = FStream.Tell() - 1;
    FStream.Mark();
    if (FPlace == pMetadata || FPlace == pInfo || FPlace == pEntries)
      return true;
    Problem = FPlace == pStart ? "it does not start with \"[\"" : "an entry where none belongs";
    return false;
  }
  bool CloseObject(const TNcduFields& Fields)
  {
    if (Fields.HasName && Fields.Name.find('\xed') != std::string::npos && LoneSurrogate())
      return false;
    if (FPlace == pMetadata) {
      if (Fields.Size >= 512 && Fields.Size <= 33000)
        FClusterSize = uint32_t(Fields.Size);
      FPlace = pTop;
      return true;
    }
    if (FPlace == pInfo)
      return OpenFolder(Fields);
    return Entry(Fields);
  }
  bool CloseArray()
  {
    if (FPlace == pInfo) {
      Problem = "a folder without its info";
      return false;
    }
    if (FPlace == pEntries) {
      CloseFolder();
      FPlace = FFolders.empty() ? pClosing : pEntries;
      return Going();
    }
    if (FPlace != pClosing) {
      Problem = "the export ends before its top folder";
      return false;
    }
    FPlace = pEnded;
    return true;
  }

  std::string Problem;
  uint64_t ProblemAt = UINT64_MAX;  // where the problem lies, when not where reading stopped

private:
  enum TPlace { pStart, pVersion, pMinor, pMetadata, pTop, pInfo, pEntries, pClosing, pEnded };
  struct TFolder {
    TFolderNode* Node = nullptr;
    uint64_t Offset = 0;
    uint64_t Device = 0;
    TFileCount Own;
    TFileCount Unentered;
    uint64_t LastWrite = 0;
    bool HasChildren = false;
    std::vector<TLinkCounter::TLinkedFile> Linked;
    TFolderFiles::TBuilder Files;  // kept for the window
  };

  // The parser refuses a lone high surrogate but takes a lone low one for
  // a character; both are refused alike. A name holding what a lone low one
  // decodes to was written so on disk, or escaped: its entry is read again.
  bool LoneSurrogate()
  {
    const size_t At = LoneLowSurrogate(FStream.Marked());
    if (At == std::string_view::npos)
      return false;
    Problem = GetParseError_En(rapidjson::kParseErrorStringUnicodeSurrogateInvalid);
    ProblemAt = FObjectAt + At;
    return true;
  }
  bool Going()
  {
    if (FStop && FStop->load(std::memory_order_relaxed)) {
      Problem = "stopped";
      return false;
    }
    return true;
  }
  bool OpenFolder(const TNcduFields& Fields)
  {
    TFolder& Folder = FFolders.back();
    TFolder* Parent = FFolders.size() > 1 ? &FFolders[FFolders.size() - 2] : nullptr;
    const bool Named = Fields.HasName && !Fields.Name.empty() && Fields.Name.find('\0') == std::string::npos;
    if (!Named || (Parent && !ValidName(Fields.Name, Problem))) {
      if (Problem.empty())
        Problem = "a folder without a name";
      return false;
    }
    if (Parent) {
      Folder.Node = new TFolderNode(Parent->Node);
      Folder.Node->SetName(Fields.Name);
      Folder.Device = Fields.HasDevice ? Fields.Device : Parent->Device;
    } else {
      Folder.Node = FRoot.FNode;
      Folder.Device = Fields.Device;
      FSink.Top(Fields.Name, FClusterSize);
    }
    if (Fields.ReadError) {
      Folder.Node->FErrorCode = EIO;
      TFolderNode::MarkFailedAbove(Folder.Node);
    }
    if (Parent)
      Attach(*Parent, Folder.Node);
    if (FOffsets)
      FOffsets->emplace(Folder.Node, Folder.Offset);
    FFoldersRead.fetch_add(1, std::memory_order_relaxed);
    FPlace = pEntries;
    return true;
  }
  bool Entry(const TNcduFields& Fields)
  {
    TFolder& Folder = FFolders.back();
    if (!Fields.HasName || !ValidName(Fields.Name, Problem)) {
      if (Problem.empty())
        Problem = "an entry without a name";
      return false;
    }
    if (Fields.HasExcluded && !Fields.ExcludedFile()) {
      auto* Node = new TFolderNode(Folder.Node);
      Node->SetName(Fields.Name);
      Node->FScanFlags = sfListed | sfNotEntered;
      Node->Count(Itself);
      Node->FState = ssDone;
      Attach(Folder, Node);
      Folder.Unentered.Add(Itself);
      return Going();
    }
    if (Fields.NotRegular || Fields.HasExcluded)
      return Going();
    FFilesRead.fetch_add(1, std::memory_order_relaxed);
    const TFileCount Count = TFolderData::CountFile(Fields.Size, FClusterSize, Fields.DiskBytes);
    const uint64_t Times = FSettings.Matches(Fields.Name.c_str());
    if (Times == 0)
      return Going();
    // An empty file counts nothing, but it is a file that lists show.
    if (FSettings.FFileKind)
      Folder.Files.Add(Fields.Name, Fields.Size, Count, FSettings.FFileKind(Fields.Name.c_str(), false),
                       Fields.HasWriteTime ? FileTime::FromUnix(Fields.WriteTime, 0) : 0, 0,
                       Fields.Linked() ? std::max<uint64_t>(Fields.Links, 2) : 1,
                       Fields.HasDevice ? Fields.Device : Folder.Device, Fields.Inode);
    if (Count.Objects == 0)
      return Going();
    Folder.Own.Add(Count, Times);
    // The newest change of a counted file, as a scan dates its folders.
    if (Fields.HasWriteTime)
      Folder.LastWrite = std::max(Folder.LastWrite, FileTime::FromUnix(Fields.WriteTime, 0));
    if (FSettings.FHardLinksOnce && Fields.Linked()) {
      Folder.Linked.push_back(
        {Fields.HasDevice ? Fields.Device : Folder.Device, Fields.Inode, {}, Fields.Links > 1 ? Fields.Links : 0});
      Folder.Linked.back().Count.Add(Count, Times);
    }
    return Going();
  }
  void Attach(TFolder& Parent, TFolderNode* Node)
  {
    Parent.HasChildren = true;
    FSink.Attach(Parent.Node, Node);
  }
  void CloseFolder()
  {
    TFolder& Folder = FFolders.back();
    TFolderNode* Node = Folder.Node;
    Node->FFiles.store(Folder.Files.Make(), std::memory_order_relaxed);
    if (!Folder.Linked.empty())
      TLinkCounter::KeepOnePerFile(Folder.Linked, Folder.Own);
    // Counted as a scan counts: the folder's files, the folders it holds
    // that were not entered and the folder itself, up the tree.
    TFileCount Added = Folder.Own;
    Added.Add(Folder.Unentered);
    Added.Add(Itself);
    Node->CountUp(Added, {}, nullptr);
    if (!Folder.Linked.empty())
      FLinks.Add(Node, Folder.Linked, FRoot.FNode);
    Node->PassUp(nullptr);
    Node->FScanFlags = Node->FScanFlags | sfListed;
    Node->FState = Node->FErrorCode ? ssFailed : ssDone;
    Node->FLastWrite.RaiseTo(FileTime::ToSeconds32(Folder.LastWrite));
    const uint64_t LastWrite = Node->LastWrite();
    FSink.Finished(Node, Folder.HasChildren ? TFolderBlock::Make(Node, {}, Folder.Own, false) : nullptr,
                   FFolders.size() == 2);
    FFolders.pop_back();
    if (!FFolders.empty())
      FFolders.back().LastWrite = std::max(FFolders.back().LastWrite, LastWrite);
  }

  TRoot& FRoot;
  const TScanSettings& FSettings;
  TStreamReader& FStream;
  TNcduImport::TSink& FSink;
  std::unordered_map<const TFolderNode*, uint64_t>* const FOffsets;  // null: the stream is not read again
  uint32_t FClusterSize;
  uint64_t FObjectAt = 0;  // where the entry being read starts
  std::atomic<uint64_t>& FFoldersRead;
  std::atomic<uint64_t>& FFilesRead;
  const std::atomic<bool>* FStop;
  TPlace FPlace = pStart;
  std::vector<TFolder> FFolders;
  TLinkCounter FLinks;
};

}  // namespace

TNcduImport::TNcduImport(std::string Source, const TScanSettings& Settings, uint32_t ClusterSize)
  : FSource(std::move(Source)), FSettings(Settings), FClusterSize(ClusterSize ? ClusterSize : 4096)
{
}

TNcduImport::~TNcduImport()
{
  if (FRoot && FRoot->FNode)
    TFolderNode::DeleteSubtree(FRoot->FNode);
}

void TNcduImport::SetStream(std::unique_ptr<TStreamSource> Stream)
{
  FStream = std::move(Stream);
}

TRoot* TNcduImport::TakeRoot()
{
  return FRoot.release();
}

namespace {

// Opens what an export is read from: standard input for "-", else a file
// or a FIFO (opened without waiting for a writer, then read waiting).
int OpenStream(const std::string& Source, struct stat& Data, int& Error)
{
  const int Fd = Source == "-" ? dup(STDIN_FILENO) : open(Source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  Error = Fd < 0 ? errno : fstat(Fd, &Data) != 0 ? errno : S_ISDIR(Data.st_mode) ? EISDIR : 0;
  if (Error == 0 && Source != "-")
    fcntl(Fd, F_SETFL, fcntl(Fd, F_GETFL) & ~O_NONBLOCK);
  if (Error && Fd >= 0)
    close(Fd);
  return Error ? -1 : Fd;
}

// Builds a whole export's tree, in no window's tree.
class TTreeSink : public TNcduImport::TSink {
public:
  explicit TTreeSink(TRoot& Root) : FRoot(Root) {}
  void Top(const std::string& Name, uint32_t ClusterSize) override
  {
    FRoot.FNode->SetName(Name);
    FRoot.FPath = Name.ends_with('/') ? Name : Name + '/';
    FRoot.FClusterSize = ClusterSize;
  }
  void Attach(TFolderNode* Parent, TFolderNode* Node) override
  {
    FOne.push_back(Node);
    FBuilt.AppendChildren(Parent, FOne);  // which empties it again
  }
  void Finished(TFolderNode*, TFolderBlock* Block, bool) override
  {
    if (Block)
      FBuilt.AppendBlock(Block);
  }

private:
  TRoot& FRoot;
  TFolderTree FBuilt;  // attaches children; no view listens to it
  std::vector<TFolderNode*> FOne;
};

}  // namespace

bool TNcduImport::Run(const std::atomic<bool>* Stop)
{
  FRoot = std::make_unique<TRoot>();
  FRoot->FClusterSize = FClusterSize;
  FRoot->FNode = new TFolderNode(FRoot.get());
  TTreeSink Sink(*FRoot);
  if (!Read(*FRoot, Sink, Stop, false)) {
    TFolderNode::DeleteSubtree(FRoot->FNode);
    FRoot.reset();
    return false;
  }
  TRoot& Root = *FRoot;
  Root.FSource = FSource == "-" ? FSource : TPathRules::Absolute(FSource);
  GiveRoot(Root);
  Root.FSubfolderCount = Root.FSubfoldersDone = int(Root.FNode->ChildCount());
  Root.FTitle = TPathRules::Shown(Root.FNode->FName) + " (imported)";
  Root.FFileSystem = "imported";
  return true;
}

void TNcduImport::GiveRoot(TRoot& Root)
{
  Root.FImportFile = std::move(FFile);
  Root.FImportStamp = FStamp;
  Root.FImportOffsets = std::move(FOffsets);
}

bool TNcduImport::Run(TRoot& Root, TSink& Sink, const std::atomic<bool>* Stop)
{
  return Read(Root, Sink, Stop, true);
}

bool TNcduImport::Read(TRoot& Root, TSink& Sink, const std::atomic<bool>* Stop, bool Keep)
{
  struct stat Data {};
  int Code = 0;
  const int Fd = FStream ? FStream->Fd() : OpenStream(FSource, Data, Code);
  if (Fd < 0) {
    const std::string Why = FStream ? FStream->Finish(false, 0) : std::string(std::strerror(Code));
    FError = FSource + ": " + Why;
    return false;
  }
  // Only a regular file can be read again for a folder's entries.
  const bool Regular = !FStream && FSource != "-" && S_ISREG(Data.st_mode);
  if (Regular) {
    FFile = TPathRules::Absolute(FSource);
    FStamp = TFileStamp::Of(Data);
  }
  TStreamReader Stream(Fd, Stop);
  Stream.OnWaiting = OnWaiting;
  rapidjson::Reader Reader;
  TBuilder Builder(Root, FSettings, Stream, Sink, Regular ? &FOffsets : nullptr, FFoldersRead, FFilesRead, Stop);
  TNcduHandler<TBuilder> Handler(Builder);
  const rapidjson::ParseResult Result = Reader.Parse<ParseFlags>(Stream, Handler);
  // A whole export ends the stream: anything after it but white space (a
  // second export, garbage) makes it no export, as ncdu and gdu say.
  bool Trailing = false;
  if (!Result.IsError() && Builder.Finished()) {
    Stream.WaitNoMore();
    while (Stream.Peek() == ' ' || Stream.Peek() == '\n' || Stream.Peek() == '\r' || Stream.Peek() == '\t')
      Stream.Take();
    Trailing = Stream.Peek() != '\0' || (Regular && Stream.Tell() < uint64_t(Data.st_size));
  }
  const bool Stopped = Stream.Error() == ECANCELED || Builder.Problem == "stopped";
  // What the source says matters only when the export broke off: a scanner
  // that met unreadable folders still exports the rest whole.
  const bool Whole = !Result.IsError() && Builder.Finished() && !Trailing && !Stream.Error();
  const std::string Far = FStream ? FStream->Finish(Stopped, Stream.Received()) : std::string();
  if (FStream)
    FStream.reset();
  else
    close(Fd);
  if (Stopped) {
    FError = FSource + ": stopped";
  } else if (!Far.empty() && !Whole) {
    FError = FSource + ": " + Far;
  } else if (Stream.Error() == EOVERFLOW) {
    FError = FSource + " (byte " + std::to_string(Stream.StringAt()) + "): a name or value longer than "
      + std::to_string(TStreamReader::MostString / 1024) + " KiB, as no export writes one";
  } else if (Stream.Error()) {
    FError = FSource + ": " + std::strerror(Stream.Error());
  } else if (Trailing) {
    FError = FSource + " (byte " + std::to_string(Stream.Tell()) + "): data after the end of the export";
  } else if (Result.IsError() || !Builder.Finished()) {
    const uint64_t Where = Builder.ProblemAt != UINT64_MAX ? Builder.ProblemAt
      : Result.IsError()                                   ? Result.Offset()
                                                           : Stream.Tell();
    const bool Ended = Where >= Stream.Received();
    const std::string Why = !Builder.Problem.empty() ? Builder.Problem
      : Stream.Received() == 0                       ? std::string(Regular ? "the file is empty" : "nothing was read")
      : Ended ? std::string(Regular ? "the file ends too soon" : "the export ends too soon")
      : Where == 0 && Result.IsError()
      ? std::string("this is no JSON export of ncdu or gdu (") + GetParseError_En(Result.Code()) + ")"
      : Result.IsError() ? GetParseError_En(Result.Code())
                         : std::string("the export ends before its top folder");
    FError = FSource + " (byte " + std::to_string(Where) + "): " + Why;
  }
  if (!FError.empty() && Keep)
    Builder.Abandon();
  return FError.empty();
}
