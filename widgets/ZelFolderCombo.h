// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

#include <functional>
#include <string>

class TShellPilot;

// The drive and folder box: the mounted drives (by their names) and the
// folders scanned or used lately (by their full paths), each with its icon.
// An item's path is kept as its bytes.
class TZelFolderCombo : public QComboBox {
public:
  explicit TZelFolderCombo(QWidget* Parent = nullptr);

  static constexpr int PathRole = Qt::UserRole;  // the bytes of the path
  static constexpr int ShellNameRole = Qt::UserRole + 1;
  static constexpr int LevelRole = Qt::UserRole + 2;
  static constexpr int DriveRole = Qt::UserRole + 3;

  // An entry at Position (the end when beyond the items or below 1); where
  // it went.
  int AddComboItem(int Position, const std::string& Path, int Level, int IconIndex, const QString& ShellName,
                   bool Drive = false);
  // Path as a new last entry with its icon and name; -1 when listed already.
  int AddFolder(const std::string& Path, int Level);
  // Adds the drives mounted since (and, the first time, all of them).
  void SetIncludeDrives(bool Include);
  bool IncludeDrives() const { return FIncludeDrives; }
  // The position of the entry of that path; -1 when none.
  int Find(const std::string& Path) const;
  std::string ItemPath(int Position) const;
  // Before the list drops down.
  std::function<void()> OnDropDown;
  void showPopup() override;

private:
  bool FIncludeDrives = false;
  TShellPilot* FShell;
};
