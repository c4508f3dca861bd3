// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/PropertiesDialog.h"
#include "shell/Remover.h"
#include "shell/ShellVerb.h"
#include "shell/Trash.h"

#include <QCoreApplication>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMenu;
class QWidget;
class TDirMon;

// The program's one door to files and folders: it names a current folder
// and, inside it, a current object (or several, in MultiObjects), and answers
// for them (display name, icon, attributes, special kind), acts on them
// (open, move to the Trash, rename, properties, context menu) and can watch
// the folder for changes. The empty folder is the computer, whose objects are
// the mounted drives. Paths and names are bytes; folder paths end in "/".
// Failures to find a folder or object raise EShellPilotError; verbs and menus
// report failure by their results.
class TShellPilot : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TShellPilot)

public:
  // Attribute bits of GetAttributes.
  enum TAttribute : unsigned {
    saFolder = 0x1,         // a folder, or a link to one
    saHasSubFolders = 0x2,  // a folder with at least one sub-folder
    saFileSystem = 0x4,     // a file, folder or drive on disk
    saCanRename = 0x8,
    saCanDelete = 0x10,  // can be moved to the Trash
  };
  // Special-folder kinds; 0 is none (kind queries never give it), and the
  // computer is reported as skComputer.
  enum TSpecialKind : int {
    skNone = 0,
    skTrash = 1,
    skControlPanel = 2,
    skDesktop = 3,
    skDesktopDirectory = 4,
    skComputer = 5,
    skFonts = 6,
    skNetworkShortcuts = 7,
    skNetwork = 8,
    skDocuments = 9,
    skPrinters = 10,
    skPrograms = 11,
    skRecent = 12,
    skSendTo = 13,
    skStartMenu = 14,
    skStartup = 15,
    skTemplates = 16,
    skFavorites = 17,
    skCommonStartMenu = 18,
    skCommonStartup = 19,
    skCommonDesktopDirectory = 20,
    skAppData = 21,
    skPrinterShortcuts = 22,
  };

  // Owner is the window that dialogs and menus belong to; it owns the
  // component, as a window owns its parts.
  explicit TShellPilot(QWidget* Owner = nullptr);
  ~TShellPilot() override;

  const std::string& Folder() const { return FFolder; }
  // "" selects the computer; anything else must be an existing folder.
  void SetFolder(const std::string& Path);
  std::string ObjectName() const;
  // A name in the folder, a display name, or a path (which moves the folder
  // too); "/" is the root drive in the computer.
  void SetObjectName(const std::string& Name);
  // Masks separated by ";"; an empty filter is "*".
  void SetFilter(const QString& Masks);
  bool FileSystemOnly() const { return FFileSystemOnly; }
  // Enumeration then skips what is neither a file nor a folder (devices,
  // pipes, sockets, dangling links).
  void SetFileSystemOnly(bool Only) { FFileSystemOnly = Only; }
  // Names of several objects of the folder; used and emptied by the verbs.
  std::vector<std::string>& MultiObjects() { return FMultiObjects; }

  void SelectFolderAsObject();
  bool NextObject();
  QString GetDisplayName() const;
  int GetIconIndex() const;
  unsigned GetAttributes(unsigned Mask) const;
  bool IsFolder() const;
  // Renames the object, never over an existing name. Name comes back as the
  // object's display name, renamed or not.
  void RenameObject(QString& Name);
  bool BrowseForFolder(const QString& Title);
  bool ConnectNetworkDrive();
  bool SetSpecialFolder(int Kind);
  int ObjectSpecialKind() const;
  int FolderSpecialKind() const;

  // Runs a verb ("default"/"open", "explore", "delete" to the Trash,
  // "deletepermanently", "properties", "copy") on the object or on
  // MultiObjects; true when it was done (a removal: when every object is
  // gone). Removals ask first.
  bool InvokeCommand(const QString& Verb);
  // Shows the context menu of the object or of MultiObjects at Point, with
  // the items of Extra below, and runs the choice. Command comes back as the
  // verb that ran, or empty.
  void ShowContextMenu(const QPoint& Point, QMenu* Extra, QString& Command);

  std::function<void(TShellPilot*)> OnRename;
  std::function<void(const QString& Command, bool& Execute)> OnContextMenuSelect;
  // An object went into the Trash, or was deleted for good (Trash empty):
  // told for each, as it was before.
  std::function<void(const TTrashed& Moved)> OnTrashed;
  // A folder deleted for good in part: something in it stayed.
  std::function<void(const std::string& Folder)> OnPartlyRemoved;
  // What a folder takes on disk, when the program knows: the question
  // before deleting it for good says how much comes free.
  std::function<std::optional<uint64_t>(const std::string& Folder)> OnSpaceTaken;
  // Rows the properties dialog adds for a folder (the program's totals).
  TPropertiesDialog::TFolderTotals OnFolderTotals;
  const std::function<void(TShellPilot*)>& OnFileChange() const { return FOnFileChange; }
  // Assigning a handler watches the current folder (names of files and
  // folders) and follows it when it changes; clearing it stops the watch.
  void SetOnFileChange(std::function<void(TShellPilot*)> Handler);

private:
  struct TObject {
    bool Set = false;
    std::string Name;  // in the folder; a mount point path in the computer
  };

  std::string ObjectPath(const TObject& Object) const;
  std::string ObjectPath() const { return ObjectPath(FObject); }
  void SetFolderPath(const std::string& Path);
  bool FindByEnumeration(const std::string& Name);
  // The paths of the objects named; one not found throws, unless GoneDone
  // (an object to remove that is gone already is left out).
  std::vector<std::string> GatherObjects(bool GoneDone = false);
  bool RunVerb(TShellVerb Verb, const std::vector<std::string>& Paths);
  static void CopyPaths(const std::vector<std::string>& Paths);
  bool MoveToTrash(const std::vector<std::string>& Paths);
  bool DeletePermanently(const std::vector<std::string>& Paths);
  // Tells of what went, and of what stayed under Title.
  bool Removed(const TRemover::TResult& Result, size_t Asked, const QString& Title);
  QWidget* DialogWindow() const;
  static std::string PathOfKind(int Kind);

  QWidget* FOwner;
  std::string FFolder;
  TObject FObject;
  std::vector<std::string> FEnumeration;
  size_t FNext = 0;
  bool FEnumerating = false;
  bool FFileSystemOnly = false;
  std::vector<std::string> FMultiObjects;
  QStringList FFilter{"*"};
  std::function<void(TShellPilot*)> FOnFileChange;
  std::unique_ptr<TDirMon> FMonitor;
};
