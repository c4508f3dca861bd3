// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/RowsReport.h"
#include "scan/FolderTree.h"
#include "shell/Trash.h"

#include <QCoreApplication>
#include <QObject>
#include <QPoint>

#include <cstdio>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class QKeyEvent;
class TFilesList;
class TFolderNode;
class TScanDriver;
class TShellCommands;
class TShellPilot;

// What the window does to real files from its files view, as the details
// list does from its own: the context menu, Delete, F2, Shift+F10, Ctrl+C,
// renaming in place, and Enter or a double click, which shows the file in
// the tree and the details list; and the view's export and printed report.
// After a move to the Trash or a rename the tree's totals and files are put
// right at once, without a scan.
class TFilesCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TFilesCommands)

public:
  struct TParts {
    TShellPilot& Pilot;
    TFolderTree& Tree;
    TScanDriver& Driver;
    TFilesList& List;
    TShellCommands& Shell;
  };
  // Show shows Name of Folder in the tree and the details list.
  using TShowFile = std::function<void(TFolderNode* Folder, const std::string& Name)>;
  TFilesCommands(const TParts& Parts, TShowFile Show);

  void MouseUp(QPoint Point);
  // The keys of the list; true when taken.
  bool KeyDown(QKeyEvent* Event);
  // Every path of the selected rows on the clipboard, one a line.
  void CopyPaths();
  // The rows listed, in their order, saved as a CSV table the user names.
  void ExportClick();
  // The rows listed as CSV into Stream; false when writing failed.
  bool WriteCsv(std::FILE* Stream) const;
  // The rows listed, for a printed report.
  TRowsReport::TRows Report() const;

  // A file about to go to the Trash.
  struct TActing {
    TFolderNode* Folder;
    std::string Name;
    std::string Below;                // folder below the top, with its final "/", and name
    TFolderTree::TGoneFile Listed{};  // what it counts for, as listed
  };
  // After the Trash took what it could (Moved, by path): those files come
  // out of the tree as they were just before they went, and totals
  // everywhere follow; so do files found gone otherwise (removed by another
  // program), as they were listed. A file that stayed is left as it is.
  void Deleted(const std::vector<TActing>& Acting, const std::unordered_map<std::string, TTrashed>& Moved);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  std::vector<TActing> ActingRows() const;
  TActing ActingRow(int Row) const;
  // Hands the rows to the shell, relative to the listed folder.
  void NameObjects(const std::vector<TActing>& Acting);
  bool Rename(int Row, QString& Name);
  bool Foreign() const;
  // The file of Row where it is: its folder in the tree, the file selected
  // in the details list.
  void ShowFile(int Row);

  TShellPilot& FPilot;
  TFolderTree& FTree;
  TScanDriver& FDriver;
  TFilesList& FList;
  TShellCommands& FShell;
  const TShowFile FShowFile;
};
