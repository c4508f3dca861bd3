// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "duplicates/DuplicateFinder.h"
#include "view/LatestJob.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFolderNode;
class TMainForm;
class TSizeEdit;

// "Find Duplicates": the files of equal content below a folder, searched on
// a worker while the window stays usable, each group shown as soon as it is
// confirmed, the most wasted first. Names of one file (hard links) are
// shown with it but are no copies: they free nothing. Copies are ticked by
// hand or by a rule (keep the oldest, the newest or the shortest path of
// each group) and moved to the Trash or deleted for good, never the last
// copy of a group: each is read again first, with the copy kept, and one
// that changed since the search stays where it is. The tree's totals follow
// as after any delete.
class TDuplicatesDlg : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TDuplicatesDlg)

public:
  // A dialog for the selected folder of Form, or for every scan root,
  // searching at once.
  static void Open(TMainForm& Form, bool AllRoots);
  TDuplicatesDlg(TMainForm& Form, std::vector<TFolderNode*> Tops);
  // Stops a search under way.
  ~TDuplicatesDlg() override;

  // Searches again, for files of at least the size chosen.
  void Search();
  bool Searching() const { return FSearch.Busy(); }
  QTreeWidget* Groups() const { return FGroups; }
  // Ticks every copy of each group but the one kept: by the Keep buttons'
  // order 0 the oldest, 1 the newest, 2 the shortest path; ties go to the
  // first by path, which the dialog says.
  void Keep(int Rule);
  // Moves the ticked copies to the Trash, or deletes them for good, after
  // one question.
  void Remove(bool ForGood);
  // The groups shown, in their order, as the CSV of --duplicates.
  bool WriteCsv(std::FILE* Stream) const;
  // The line under the groups: what they are, and what was left out.
  QString Summary() const;
  // What the dialog last told beside the groups (ties of a rule).
  QString Note() const;

private:
  // Ends the search and waits for its thread.
  void Join();
  // The same, then shows what it found.
  void Stop();
  void Poll();
  void AddGroup(const TDuplicateFinder::TGroup& Group);
  // A group's line: its copies, its names and what they waste.
  void Label(QTreeWidgetItem* Group) const;
  void Finished();
  void ShowSummary();

  TMainForm& FForm;
  std::vector<TFolderNode*> FTops;
  uint64_t FRemovals = 0;  // of the tree when the candidates were taken
  // Each candidate's folder and name, by its path.
  std::unordered_map<std::string, std::pair<TFolderNode*, std::string>> FPlaces;
  std::unique_ptr<TDuplicateFinder> FFinder;
  TLatestJob FSearch;
  std::atomic<bool> FStop{false};
  std::mutex FGuard;  // guards FNew
  std::vector<TDuplicateFinder::TGroup> FNew;
  QTimer FPoll;
  // The stage the progress was last told of, and since when it runs.
  int FStage = -1;
  QElapsedTimer FStageClock;
  TSizeEdit* FMinimum;
  QLabel* FState;
  QLabel* FNote;
  QProgressBar* FProgress;
  QPushButton* FCancel;
  QTreeWidget* FGroups;
};
