// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderData.h"
#include "shell/Trash.h"

#include <QCoreApplication>
#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class QKeyEvent;
class QMenu;
class QWidget;
class TDetailsList;
class TFolderData;
class TFolderModel;
class TFolderNode;
class TFolderTree;
class TFolderTreeView;
class TShellPilot;
class TValueDisplay;

// What the window does to real files and folders from its tree and its
// list: their context menus, the Delete, F2, Enter and Shift+F10 keys,
// double clicks, Open, Explore and Properties, and renaming in place. All of
// it goes through the shell component; after a move to the Trash or a
// rename, the tree's records, labels and the list are put right at once,
// without a scan.
class TShellCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TShellCommands)

public:
  // Display makes the totals that a folder's properties show.
  TShellCommands(TShellPilot& Pilot, TFolderTree& Tree, TFolderModel& Model, TFolderTreeView* View, TDetailsList* List,
                 TValueDisplay& Display);

  QMenu* FRootPopup = nullptr;  // of top nodes
  QMenu* FPartPopup = nullptr;  // merged into the shell's menu of other nodes
  // A right click in the tree makes its node (or none) the current one.
  std::function<void(TFolderNode*)> OnCurrentNode;
  // Totals changed: the status bar and the right pane show them again.
  std::function<void()> OnTotalsChanged;
  // Any key in the tree.
  std::function<void()> OnTreeKey;
  // Folder (the deepest of the tree at or above where it happened) is to
  // be counted again, Why saying so: a Trash folder inside a scanned tree
  // took what went, or a folder was deleted for good in part.
  std::function<void(TFolderNode* Folder, const QString& Why)> OnCountAgain;

  void TreeMouseUp(QPoint Point);
  bool TreeKeyDown(QKeyEvent* Event);
  // Open (Tag 1) and Explore (Tag 2) of the root menu, and Properties.
  void openClick(TFolderNode* Node, int Tag);
  void Properties1Click(TFolderNode* Node);
  void ListMouseUp(QPoint Point);
  bool ListKeyDown(QKeyEvent* Event);
  void ListDblClick();
  // The shell menu's Rename: the focused pane edits its selected item.
  void ShellPilotRename();

  // Whether Path lies inside a Trash folder, whose entries the Trash keeps.
  static bool InTrash(const std::string& Path);
  // Whether Node is of a scan imported from elsewhere or read by the
  // administrator, whose files are not this user's to change; when Parent
  // is given, says so there.
  static bool Foreign(const TFolderNode* Node, QWidget* Parent = nullptr);
  // Whether Node's files are not on this computer, not even to be opened.
  static bool Elsewhere(const TFolderNode* Node, QWidget* Parent = nullptr);
  // The objects the Trash took since the last look, by the paths they had.
  using TMoved = std::unordered_map<std::string, TTrashed>;
  TMoved TakeMoved() { return std::exchange(FMoved, {}); }
  // Whether the object at Path went: one of Moved, or else nothing is at
  // Path any more.
  static bool Went(const TMoved& Moved, const std::string& Path);
  // Shift+F10 or the menu key.
  static bool IsMenuKey(const QKeyEvent* Event);
  // The verb of a Delete key, and what it is called: Delete moves to the
  // Trash, Shift+Delete deletes for good, as Linux file managers bind them.
  static QString RemovalVerb(const QKeyEvent* Event);
  static QString RemovalTitle(const QKeyEvent* Event);
  // After a removal: the Trash folders that took something and lie in a
  // scanned tree are counted again, so the space stays shown where it now
  // is, and so are folders deleted for good in part.
  void FollowRemovals();

private:
  bool TreeRename(TFolderNode* Node, QString& Name);
  // What the scan counted for the folder at Path, when the tree's current
  // folder or one of its sub-folders is that folder.
  QList<QPair<QString, QString>> FolderTotals(const std::string& Path) const;
  bool ListRename(int Row, QString& Name);
  void StartTreeEdit(TFolderNode* Node);
  // An object of the list as it was before a dialog, which lets the list
  // change (a late listing, a sort): found again by name, its record only
  // compared, never followed.
  struct TActing {
    std::string Name;
    bool Folder;
    TFileCount Count;
    const TFolderData* Record;
    int Row;
  };
  // The selected rows that act: never the scan root's own row, which is
  // deselected, nor entries of a Trash.
  std::vector<TActing> ActingRows();
  // Hands the objects to the shell, as one object or several.
  void NameObjects(TFolderNode* Folder, const std::vector<TActing>& Acting);
  // After the Trash took what it could: the folders gone leave the tree,
  // the files gone leave the list, and every total drops by what went.
  void ListDeleted(TFolderNode* Folder, const std::vector<TActing>& Acting);

  TShellPilot& FPilot;
  TFolderTree& FTree;
  TFolderModel& FModel;
  TFolderTreeView* FView;
  TDetailsList* FList;
  TValueDisplay& FDisplay;
  std::vector<std::string> FTrashes;  // that took something since the last look
  std::vector<std::string> FPartly;   // folders deleted in part since the last look
  TMoved FMoved;
};
