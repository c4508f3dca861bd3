// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "duplicates/DuplicateFinder.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TFolderNode;
class TMainForm;

// "Find Duplicates": the files of equal content below a folder, searched on
// a worker while the window stays usable, each group shown as soon as it is
// confirmed, the most wasted first. Copies are ticked by hand or by a rule
// (keep the oldest, the newest or the shortest path of each group) and
// moved to the Trash, never the last copy of a group; the tree's totals
// follow as after any delete.
class TDuplicatesDlg : public QDialog {
public:
  // A dialog for the selected folder of Form, or for every scan root,
  // searching at once.
  static void Open(TMainForm& Form, bool AllRoots);
  TDuplicatesDlg(TMainForm& Form, std::vector<TFolderNode*> Tops);
  // Stops a search under way.
  ~TDuplicatesDlg() override;

  // Searches again, for files of at least the size chosen.
  void Search();
  bool Searching() const { return FSearch.joinable(); }
  QTreeWidget* Groups() const { return FGroups; }
  // Ticks every copy of each group but the one kept: by the Keep buttons'
  // order 0 the oldest, 1 the newest, 2 the shortest path.
  void Keep(int Rule);
  // Moves the ticked copies to the Trash, after one question.
  void MoveToTrash();
  // The groups shown, in their order, as the CSV of --duplicates.
  bool WriteCsv(std::FILE* Stream) const;

private:
  // Ends the search and waits for its thread.
  void Join();
  // The same, then shows what it found.
  void Stop();
  void Poll();
  void AddGroup(const TDuplicateFinder::TGroup& Group);
  // A group's line: its copies and what they waste.
  void Label(QTreeWidgetItem* Group) const;
  void Finished();

  TMainForm& FForm;
  std::vector<TFolderNode*> FTops;
  uint64_t FRemovals = 0;  // of the tree when the candidates were taken
  // Each candidate's folder and name, by its path.
  std::unordered_map<std::string, std::pair<TFolderNode*, std::string>> FPlaces;
  std::unique_ptr<TDuplicateFinder> FFinder;
  std::thread FSearch;
  std::atomic<bool> FStop{false};
  std::atomic<bool> FDone{false};
  std::mutex FGuard;  // guards FNew
  std::vector<TDuplicateFinder::TGroup> FNew;
  QTimer FPoll;
  // The stage the progress was last told of, and since when it runs.
  int FStage = -1;
  QElapsedTimer FStageClock;
  QSpinBox* FMinimum;
  QLabel* FState;
  QProgressBar* FProgress;
  QPushButton* FCancel;
  QTreeWidget* FGroups;
};
