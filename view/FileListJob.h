// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListModel.h"

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class TFolderNode;
struct TScanSettings;

// Lists the files of one folder for the details list on a thread of its own,
// so a folder of many files never holds up the window. A new listing cancels
// the one before, and the rows of a cancelled listing are dropped. The job's
// threads are joined when it goes: none outlives the list.
class TFileListJob : public QObject {
public:
  // Called on the thread that owns the job with the rows made, and the
  // errno of a folder that could not be listed (0 when none).
  using TDone = std::function<void(std::vector<TListModel::TRow>&& Rows, int Error, const std::string& Folder)>;

  explicit TFileListJob(QObject* Parent = nullptr);
  ~TFileListJob() override;

  // Node (Folder's) is only stored as the rows' parent, never read by the
  // listing.
  void Start(const std::string& Folder, const TScanSettings& Settings, TFolderNode* Node, TDone Done);
  void Cancel();
  // The rows of the last listing started have not arrived yet.
  bool Busy() const { return FDelivered != FGeneration; }

private:
  QThreadPool FPool;
  std::atomic<int> FGeneration{0};
  int FDelivered = 0;  // the listing whose rows came last, or the one cancelled
};
