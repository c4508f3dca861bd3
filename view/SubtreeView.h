// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QHBoxLayout;
class QLabel;
class TFolderNode;

// A view of every file below the selected folder, at any depth: a bar of
// controls with an Export button above what it shows, a status line below.
// ShowFolder asks for a folder; the view takes its files once the tree has
// settled, and again every two seconds while the folder's scan runs. The
// tree must call the view's TreeRowsRemoving before it frees nodes the
// view may show.
class TSubtreeView : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TSubtreeView)

public:
  TFolderNode* Folder() const { return FFolder; }
  bool LinksOnce() const { return FLinksOnce; }
  // Shows the files below Folder as they are now, a file with several
  // names once when LinksOnce. Asked while the tree tells of a removal,
  // the files would be taken before the nodes go: they are taken once the
  // tree has settled.
  virtual void ShowFolder(TFolderNode* Folder, bool LinksOnce);
  // Shows the folder shown again.
  void Relist();

  // The Export button.
  std::function<void()> OnExport;

protected:
  explicit TSubtreeView(QWidget* Parent);
  // Lays out Bar, with the Export button (ExportTip its tool tip) at its
  // end, above Body and the status line.
  void Build(QHBoxLayout* Bar, QWidget* Body, const QString& ExportTip);
  // Takes the files of Folder().
  virtual void Take() = 0;
  // After a take: the next while the folder's scan runs.
  void FollowScan();
  bool TakeDue() const { return FTake.isActive(); }
  // Lets go of the folder; nothing more is taken.
  void Forget();
  // The folder asked for or Shown, the top of what is shown, meets Removed.
  bool Meets(const TFolderNode* Shown, const std::vector<const TFolderNode*>& Removed) const;

  QLabel* FStatus;

private:
  QTimer FTake;
  QTimer FLive;
  TFolderNode* FFolder = nullptr;
  bool FLinksOnce = true;
};
