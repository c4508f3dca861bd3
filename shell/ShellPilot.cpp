// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShellPilot.h"

#include "fs/Directory.h"
#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "fs/Wildcard.h"
#include "shell/DirMon.h"
#include "shell/NetworkDrive.h"
#include "shell/Prompt.h"
#include "shell/Remover.h"
#include "shell/ShellLauncher.h"
#include "shell/ShellMenu.h"
#include "shell/ShellPilotError.h"
#include "shell/Trash.h"
#include "shell/WaitCursor.h"
#include "shell/ZelSystemImageList.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMimeData>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Bytes(const QString& Text)
{
  return Text.toLocal8Bit().toStdString();
}

std::string BaseName(const std::string& Path)
{
  return Path == "/" ? Path : Path.substr(Path.find_last_of('/') + 1);
}

std::string ParentOf(const std::string& Path)
{
  const size_t Slash = Path.find_last_of('/');
  return Slash == 0 || Slash == std::string::npos ? std::string("/") : Path.substr(0, Slash + 1);
}

// A file URL that keeps every byte of the path, valid UTF-8 or not.
QUrl UrlOf(const std::string& Path)
{
  return QUrl::fromEncoded("file://" + QByteArray::fromStdString(Path).toPercentEncoding("/"));
}

bool HasSubFolders(const std::string& Path)
{
  TDirectory Listing(Path);  // no files wanted: only folders and links to them come
  TDirEntry Entry;
  return Listing.Next(Entry);
}

bool LeadsToFolder(const std::string& Path)
{
  TDirEntry Entry;
  return TDirectory::Classify(Path, Entry) == 0 && Entry.LeadsToFolder();
}

}  // namespace

TShellPilot::TShellPilot(QWidget* Owner) : QObject(Owner), FOwner(Owner) {}

TShellPilot::~TShellPilot() = default;

QWidget* TShellPilot::DialogWindow() const
{
  return FOwner ? FOwner->window() : QApplication::activeWindow();
}

std::string TShellPilot::ObjectPath(const TObject& Object) const
{
  if (!Object.Set)
    return {};
  return FFolder.empty() ? Object.Name : FFolder + Object.Name;
}

void TShellPilot::SetFolderPath(const std::string& Path)
{
  FFolder = Path;
  FObject = {};
  FEnumerating = false;
  FEnumeration.clear();
  if (FMonitor)
    FMonitor->SetDirectory(FFolder);
}

void TShellPilot::SetFolder(const std::string& Path)
{
  const std::string Normalised = Path.empty() ? std::string() : TPathRules::WithSeparator(TPathRules::Absolute(Path));
  if (!Normalised.empty() && Normalised == FFolder)
    return;
  if (!Normalised.empty() && !LeadsToFolder(Normalised))
    throw EShellPilotError(tr("Cannot Find Folder: %1").arg(TPathRules::Shown(Path)));
  SetFolderPath(Normalised);
}

std::string TShellPilot::ObjectName() const
{
  if (!FObject.Set)
    return {};
  // A drive of the computer is named by its whole mount path.
  return FFolder.empty() ? TPathRules::WithSeparator(FObject.Name) : FObject.Name;
}

void TShellPilot::SetObjectName(const std::string& Given)
{
  if (Given.empty()) {
    FObject = {};
    return;
  }
  std::string Name = Given;
  if (Name.size() > 1 && Name.back() == '/')
    Name.pop_back();
  if (Name == "/") {
    SetFolder("/");
    SelectFolderAsObject();
    return;
  }
  if (const size_t Slash = Name.rfind('/'); Slash != std::string::npos) {
    SetFolder(Name.substr(0, Slash + 1));
    Name = Name.substr(Slash + 1);
  }
  struct stat Data;
  if (!FFolder.empty() && lstat((FFolder + Name).c_str(), &Data) == 0) {
    FObject = {true, Name};
    return;
  }
  if (!FindByEnumeration(Name))
    throw EShellPilotError(
      tr("Error! Cannot find Object \"%1\" in Folder \"%2\"").arg(TPathRules::Shown(Name), TPathRules::Shown(FFolder)));
}

bool TShellPilot::FindByEnumeration(const std::string& Name)
{
  const TObject Saved = FObject;
  FEnumerating = false;
  while (NextObject()) {
    if (GetDisplayName() == TPathRules::Shown(Name) || ObjectName() == Name) {
      FEnumerating = false;
      FEnumeration.clear();
      return true;
    }
  }
  FObject = Saved;
  return false;
}

void TShellPilot::SetFilter(const QString& Masks)
{
  QString Text = Masks.isEmpty() ? QString("*;") : Masks;
  if (!Text.endsWith(';'))
    Text += ';';
  Text.chop(1);
  FFilter = Text.split(';');
}

void TShellPilot::SelectFolderAsObject()
{
  if (FFolder.empty())
    return;  // the computer is the top: it has no parent
  if (FFolder == "/") {
    SetFolderPath({});
    FObject = {true, "/"};
    return;
  }
  const std::string Folder = FFolder.substr(0, FFolder.size() - 1);
  SetFolderPath(ParentOf(Folder));
  FObject = {true, BaseName(Folder)};
}

bool TShellPilot::NextObject()
{
  if (!FEnumerating) {
    FEnumeration.clear();
    FNext = 0;
    if (FFolder.empty()) {
      for (const std::string& Drive : LogicalDrives())
        FEnumeration.push_back(Drive.size() > 1 ? Drive.substr(0, Drive.size() - 1) : Drive);
    } else {
      std::vector<std::string> Masks;
      for (const QString& Mask : FFilter)
        Masks.push_back(Bytes(Mask));
      // Folders are always listed; the rest by the masks.
      TDirectory Listing(FFolder, [&](const char* Name, TDirEntry::TKind Kind) {
        if (FFileSystemOnly && Kind != TDirEntry::ekFile && Kind != TDirEntry::ekFileLink)
          return false;
        return std::any_of(Masks.begin(), Masks.end(),
                           [Name](const std::string& Mask) { return MatchWildcard(Mask.c_str(), Name); });
      });
      TDirEntry Entry;
      while (Listing.Next(Entry))
        FEnumeration.push_back(Entry.Name);
    }
    FEnumerating = true;
  }
  if (FNext < FEnumeration.size()) {
    FObject = {true, FEnumeration[FNext++]};
    return true;
  }
  FEnumerating = false;
  FEnumeration.clear();
  return false;
}

QString TShellPilot::GetDisplayName() const
{
  if (!FObject.Set)
    return {};
  const std::string Path = ObjectPath();
  if (FFolder.empty() || TDirectory::IsMountPoint(Path)) {
    // A drive shows its label with its mount point, or the mount point alone.
    const QStorageInfo Volume(TPathRules::Shown(Path));
    const QString Root = Volume.rootPath();
    if (Volume.isValid() && Root == TPathRules::Shown(Path))
      return Volume.name().isEmpty() ? Root : QString("%1 (%2)").arg(Volume.name(), Root);
  }
  const QString Name = TPathRules::Shown(FObject.Name);
  return Name.isEmpty() ? TPathRules::Shown(ObjectName()) : Name;
}

int TShellPilot::GetIconIndex() const
{
  return FObject.Set ? TZelSystemImageList::IconIndex(ObjectPath()) : -1;
}

unsigned TShellPilot::GetAttributes(unsigned Mask) const
{
  const std::string Path = ObjectPath();
  TDirEntry Entry;
  if (!FObject.Set || TDirectory::Classify(Path, Entry) != 0)
    return 0;
  unsigned Bits = 0;
  if (Entry.LeadsToFolder())
    Bits |= saFolder | saFileSystem;
  if (Entry.Kind == TDirEntry::ekFile || Entry.Kind == TDirEntry::ekFileLink)
    Bits |= saFileSystem;
  if ((Mask & saHasSubFolders) && Entry.LeadsToFolder() && HasSubFolders(Path))
    Bits |= saHasSubFolders;
  // Drives and mount points stay where they are; the rest needs a writable folder.
  if (!FFolder.empty() && Entry.Kind != TDirEntry::ekMountPoint && access(FFolder.c_str(), W_OK) == 0)
    Bits |= saCanRename | saCanDelete;
  return Bits & Mask;
}

bool TShellPilot::IsFolder() const
{
  return GetAttributes(saFolder | saHasSubFolders) & saFolder;
}

void TShellPilot::RenameObject(QString& Name)
{
  const std::string NewName = Bytes(Name);
  // A name shown as it was is the name as it was: its bytes stay, also
  // those that show as replacement characters.
  if (FObject.Set && !FFolder.empty() && Name != TPathRules::Shown(FObject.Name)) {
    if (NewName.empty() || NewName == "." || NewName == ".." || NewName.find('/') != std::string::npos) {
      //: Title of a message box: the verb
      TPrompt::Warn(DialogWindow(), tr("Rename"),
                    tr("\"%1\" cannot be used as a name: a name cannot be empty, \".\" or \"..\", "
                       "nor contain \"/\".")
                      .arg(Name));
    } else {
      TWaitCursor Wait;
      const std::string From = ObjectPath();
      const std::string To = FFolder + NewName;
      int Result = renameat2(AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE);
      if (Result != 0 && errno == EINVAL) {
        // This file system cannot refuse to replace by itself: look first.
        struct stat Data;
        Result = lstat(To.c_str(), &Data) == 0 ? (errno = EEXIST, -1) : std::rename(From.c_str(), To.c_str());
      }
      // Read before the texts are looked up, which may change it.
      const int Code = errno;
      if (Result == 0)
        FObject.Name = NewName;
      else
        TPrompt::Warn(DialogWindow(), tr("Rename"),
                      Code == EEXIST
                        ? tr("Cannot rename \"%1\" to \"%2\": a file or folder of that name already exists.")
                            .arg(TPathRules::Shown(FObject.Name), Name)
                        : tr("Cannot rename \"%1\" to \"%2\": %3")
                            .arg(TPathRules::Shown(FObject.Name), Name, QString::fromLocal8Bit(std::strerror(Code))));
    }
  }
  Name = GetDisplayName();
}

bool TShellPilot::BrowseForFolder(const QString& Title)
{
  const QString Start = FFolder.empty() ? QDir::homePath() : TPathRules::Shown(FFolder);
  const QString Chosen = QFileDialog::getExistingDirectory(DialogWindow(), Title, Start);
  if (Chosen.isEmpty())
    return false;
  SetFolder(Bytes(Chosen));
  return true;
}

bool TShellPilot::ConnectNetworkDrive()
{
  return TNetworkDrive::Connect(DialogWindow());
}

std::string TShellPilot::PathOfKind(int Kind)
{
  auto Standard = [](QStandardPaths::StandardLocation Location) {
    return Bytes(QStandardPaths::writableLocation(Location));
  };
  std::string Path;
  switch (Kind) {
    case skTrash: Path = TTrash::HomeTrash() + "/files"; break;
    case skDesktopDirectory: Path = Standard(QStandardPaths::DesktopLocation); break;
    case skFonts: Path = Standard(QStandardPaths::FontsLocation); break;
    case skDocuments: Path = Standard(QStandardPaths::DocumentsLocation); break;
    case skPrograms:
    case skStartMenu: Path = Standard(QStandardPaths::ApplicationsLocation); break;
    case skStartup: Path = Standard(QStandardPaths::GenericConfigLocation) + "/autostart"; break;
    case skTemplates: Path = Standard(QStandardPaths::HomeLocation) + "/Templates"; break;
    case skCommonStartMenu: Path = "/usr/share/applications"; break;
    case skCommonStartup: Path = "/etc/xdg/autostart"; break;
    case skAppData: Path = Standard(QStandardPaths::GenericDataLocation); break;
    default: break;  // no counterpart on this desktop
  }
  return Path.empty() ? Path : TPathRules::WithSeparator(Path);
}

bool TShellPilot::SetSpecialFolder(int Kind)
{
  if (Kind == skNone || Kind == skComputer) {
    SetFolder({});
    return true;
  }
  const std::string Path = PathOfKind(Kind);
  if (Path.empty() || !LeadsToFolder(Path))
    return false;
  SetFolder(Path);
  return true;
}

int TShellPilot::FolderSpecialKind() const
{
  if (FFolder.empty())
    return skComputer;
  for (int Kind = 1; Kind <= skPrinterShortcuts; ++Kind)
    if (const std::string Path = PathOfKind(Kind); !Path.empty() && TPathRules::SamePath(Path, FFolder))
      return Kind;
  return skNone;
}

int TShellPilot::ObjectSpecialKind() const
{
  if (!FObject.Set || FFolder.empty())
    return skNone;
  for (int Kind = 1; Kind <= skPrinterShortcuts; ++Kind)
    if (const std::string Path = PathOfKind(Kind); !Path.empty() && TPathRules::SamePath(Path, ObjectPath()))
      return Kind;
  return skNone;
}

std::vector<std::string> TShellPilot::GatherObjects(bool GoneDone)
{
  if (FMultiObjects.empty())
    return {ObjectPath()};
  const TObject Saved = FObject;
  std::vector<std::string> Names;
  Names.swap(FMultiObjects);
  std::vector<std::string> Paths;
  // Each name is looked up from the folder, not walked to from the top.
  const int Folder = FFolder.empty() ? -1 : open(FFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  const auto Closed = qScopeGuard([Folder] {
    if (Folder >= 0)
      close(Folder);
  });
  for (const std::string& Name : Names) {
    struct stat Data;
    if (Folder >= 0 && fstatat(Folder, Name.c_str(), &Data, AT_SYMLINK_NOFOLLOW) == 0) {
      Paths.push_back(FFolder + Name);
    } else if (FindByEnumeration(Name)) {
      Paths.push_back(ObjectPath());
    } else if (!GoneDone) {
      FObject = Saved;
      throw EShellPilotError(tr("Error! Cannot find Object \"%1\" in Folder \"%2\"")
                               .arg(TPathRules::Shown(Name), TPathRules::Shown(FFolder)));
    }
  }
  FObject = Saved;
  return Paths;
}

bool TShellPilot::RunVerb(TShellVerb Verb, const std::vector<std::string>& Paths)
{
  switch (Verb) {
    case TShellVerb::svOpen:
    case TShellVerb::svExplore: {
      if (!TShellLauncher::Ready(DialogWindow()))
        return false;
      std::set<std::string> Targets;
      for (const std::string& Path : Paths)
        Targets.insert(Verb == TShellVerb::svExplore ? ParentOf(Path) : Path);
      bool Opened = true;
      for (const std::string& Target : Targets)
        Opened = TShellLauncher::Open(Target, LeadsToFolder(Target), DialogWindow()) && Opened;
      return Opened;
    }
    case TShellVerb::svCopy: CopyPaths(Paths); return true;
    case TShellVerb::svProperties: (new TPropertiesDialog(Paths, OnFolderTotals, DialogWindow()))->show(); return true;
    case TShellVerb::svDelete: return MoveToTrash(Paths);
    case TShellVerb::svDeletePermanently: return DeletePermanently(Paths);
    case TShellVerb::svRename: break;  // only through OnRename, which asks for the name
  }
  return false;
}

void TShellPilot::CopyPaths(const std::vector<std::string>& Paths)
{
  auto* Data = new QMimeData;
  QStringList Texts;
  QList<QUrl> Urls;
  for (const std::string& Path : Paths) {
    Texts << TPathRules::Shown(Path);
    Urls << UrlOf(Path);
  }
  Data->setText(Texts.join('\n'));
  Data->setUrls(Urls);
  QGuiApplication::clipboard()->setMimeData(Data);
}

bool TShellPilot::MoveToTrash(const std::vector<std::string>& Paths)
{
  if (Paths.empty())
    return true;  // gone already
  const QString Question = Paths.size() == 1
    ? tr("Move \"%1\" to the Trash?\nIt can be restored from the Trash.")
        .arg(TPathRules::Shown(BaseName(Paths.front())))
    : tr("Move these %1 items to the Trash?\nThey can be restored from the Trash.").arg(Paths.size());
  if (!TPrompt::Confirm(DialogWindow(), tr("Move to Trash"), Question))
    return false;
  return Removed(TRemover::MoveToTrash(Paths, DialogWindow()), Paths.size(), tr("Move to Trash"));
}

bool TShellPilot::DeletePermanently(const std::vector<std::string>& Paths)
{
  if (Paths.empty())
    return true;  // gone already
  // What comes free: a file's blocks unless another name keeps them, a
  // folder's as the program counted it.
  uint64_t Bytes = 0;
  bool AtLeast = false;
  for (const std::string& Path : Paths) {
    struct stat Data;
    if (lstat(Path.c_str(), &Data) != 0)
      continue;
    if (!S_ISDIR(Data.st_mode)) {
      Bytes += Data.st_nlink > 1 ? 0 : uint64_t(Data.st_blocks) * 512;
    } else if (const std::optional<uint64_t> Taken = OnSpaceTaken ? OnSpaceTaken(Path) : std::nullopt) {
      Bytes += *Taken;
    } else {
      AtLeast = true;
    }
  }
  const QString Size =
    QLocale().formattedDataSize(qint64(std::min<uint64_t>(Bytes, INT64_MAX)), 1, QLocale::DataSizeTraditionalFormat);
  QString Question;
  if (Paths.size() == 1) {
    const QString Name = TPathRules::Shown(BaseName(Paths.front()));
    Question = AtLeast
      ? tr("Delete \"%1\" permanently? At least %2 comes free on the disk.\nIt cannot be restored.").arg(Name, Size)
      : tr("Delete \"%1\" permanently? %2 comes free on the disk.\nIt cannot be restored.").arg(Name, Size);
  } else {
    const QString Count = QString::number(Paths.size());
    Question = AtLeast
      ? tr("Delete these %1 items permanently? At least %2 comes free on the disk.\nThey cannot be restored.")
          .arg(Count, Size)
      : tr("Delete these %1 items permanently? %2 comes free on the disk.\nThey cannot be restored.").arg(Count, Size);
  }
  if (!TPrompt::Confirm(DialogWindow(), tr("Delete Permanently"), Question))
    return false;
  return Removed(TRemover::DeletePermanently(Paths, DialogWindow()), Paths.size(), tr("Delete Permanently"));
}

bool TShellPilot::Removed(const TRemover::TResult& Result, size_t Asked, const QString& Title)
{
  if (OnTrashed)
    for (const TTrashed& Object : Result.Moved)
      OnTrashed(Object);
  if (OnPartlyRemoved)
    for (const TTrashed& Object : Result.Partly)
      OnPartlyRemoved(Object.Path);
  if (!Result.Failures.isEmpty())
    TPrompt::Warn(DialogWindow(), Title, Result.Failures.join('\n'));
  // Done only when every object went.
  return Result.Moved.size() == Asked;
}

bool TShellPilot::InvokeCommand(const QString& Given)
{
  bool Execute = true;
  if (OnContextMenuSelect)
    OnContextMenuSelect(Given, Execute);
  const std::optional<TShellVerb> Verb = ShellVerbOf(Given);
  if (!Verb || !Execute || (!FObject.Set && FMultiObjects.empty()))
    return false;
  const bool Removal = *Verb == TShellVerb::svDelete || *Verb == TShellVerb::svDeletePermanently;
  if (Removal && FMultiObjects.empty() && !GetAttributes(saCanDelete))
    return false;
  return RunVerb(*Verb, GatherObjects(Removal));
}

void TShellPilot::ShowContextMenu(const QPoint& Point, QMenu* Extra, QString& Command)
{
  Command.clear();
  if (!FObject.Set && FMultiObjects.empty())
    return;
  // Several objects may go to the Trash together, never be renamed at once.
  const unsigned Attributes = FMultiObjects.empty() ? GetAttributes(saCanRename | saCanDelete) : unsigned(saCanDelete);
  const std::vector<std::string> Paths = GatherObjects(true);
  const std::optional<TShellVerb> Verb = TShellMenu::Choose(
    Point, DialogWindow(), Extra, {bool(OnRename), bool(Attributes & saCanRename), bool(Attributes & saCanDelete)});
  if (!Verb)
    return;
  if (*Verb == TShellVerb::svRename) {
    OnRename(this);
    Command = ShellVerbText(*Verb);
    return;
  }
  bool Execute = true;
  if (OnContextMenuSelect)
    OnContextMenuSelect(ShellVerbText(*Verb), Execute);
  if (Execute && RunVerb(*Verb, Paths))
    Command = ShellVerbText(*Verb);
}

void TShellPilot::SetOnFileChange(std::function<void(TShellPilot*)> Handler)
{
  FMonitor.reset();
  FOnFileChange = std::move(Handler);
  if (!FOnFileChange)
    return;
  FMonitor = std::make_unique<TDirMon>();
  FMonitor->SetNotifyFilter(dmcFileName | dmcDirName);
  FMonitor->OnDirChange = [this](TDirMon*) {
    if (FOnFileChange)
      FOnFileChange(this);
  };
  FMonitor->SetDirectory(FFolder);
}
