// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QSettings;

// The recently scanned folders: a list, most recent first, shown as
// numbered entries of a menu ("&1 /home/me/Music") placed before a given
// item, kept in the settings group "MRU Items" as F0, F1, ... Paths are the
// folders' bytes; one that is not valid UTF-8 is stored as a byte array,
// which the settings file keeps exactly.
class TMRUFileList : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TMRUFileList)

public:
  explicit TMRUFileList(QObject* Parent = nullptr);

  // The entries are placed just before this item of its menu.
  void SetFileMenu(QAction* Before);
  int Maximum() const { return FMaximum; }
  // Entries beyond a lowered maximum go.
  void SetMaximum(int Maximum);
  bool FRemoveOnClick = true;
  // The entries in a submenu of that name rather than in the menu itself.
  void SetUseSubmenu(bool Use);
  void SetSubmenuName(const QString& Name);
  // Told which path was clicked.
  std::function<void(const std::string& Path)> OnMRUItemClick;

  const std::vector<std::string>& Items() const { return FItems; }
  // Takes an entry out without rebuilding the menu.
  void RemoveItem(const std::string& Path);
  // The path on top: moved there when listed, else added and the list
  // trimmed to the maximum.
  void AddItem(const std::string& Path);
  void RebuildMenu();
  void LoadFromRegistry(QSettings& Store);
  void SaveToRegistry(QSettings& Store) const;

  static const char* AutoSaveKey;

private:
  int FMaximum = 5;
  bool FUseSubmenu = false;
  QString FSubmenuName = tr("Reopen");
  std::vector<std::string> FItems;
  QAction* FFileMenu = nullptr;
  std::vector<QAction*> FMenuItems;  // the entries and their separator
  QMenu* FSubmenu = nullptr;         // holding the entries, when used
};
