// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QLineEdit;
class TMRUFileList;
class TZelFolderCombo;

// The path box of the first tool bar: the drive and folder box with an edit
// box laid over it, in which a path is typed and completed from the box's
// entries. Enter scans the path typed; choosing an entry puts its path in
// the edit box; the drop-down offers the recent folders that still exist.
// Its menu is the edit box's own (cut, copy, paste): the folders' commands
// are the tree's, which follows what they do.
class TDriveBox : public QWidget {
public:
  TDriveBox(TMRUFileList& Recent, QWidget* Parent = nullptr);

  TZelFolderCombo* ShellCombo;
  QLineEdit* DriveEdit;
  // The last key typed was one that completes (a character from "!" to "z").
  bool AutoCompleteArmed = false;
  // Enter in the edit box: the scan button's click.
  std::function<void()> OnScan;

  // The path in the edit box, as bytes.
  std::string Path() const;
  // After a scan of the path typed: listed and selected.
  void Scanned(const std::string& Path);
  // At start: "/" selected, else the second entry, its path in the edit box.
  void SelectStart();

  void ShellComboDropDown();
  void ShellComboChange();
  void DriveEditChange();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

private:
  void DriveEditEnter();
  // Enter with a completion selected after the typed text: the text alone
  // when it names a folder.
  void DropCompletion();

  TMRUFileList& FRecent;
};
