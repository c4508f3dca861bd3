// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LatestJob.h"
#include "view/ListModel.h"

#include <functional>
#include <string>
#include <vector>

class TFolderNode;
struct TScanSettings;

// Lists the files of one folder for the details list on a thread of its own,
// so a folder of many files never holds up the window. A new listing cancels
// the one before, and the rows of a cancelled listing are dropped. The job's
// threads are joined when it goes: none outlives the list.
class TFileListJob {
public:
  // Called on the thread that owns the job with the rows made, and the
  // errno of a folder that could not be listed (0 when none).
  using TDone = std::function<void(std::vector<TListModel::TRow>&& Rows, int Error, const std::string& Folder)>;

  // More than one thread, so that a listing stuck on a hung network share
  // does not hold up the next folder's.
  TFileListJob() : FJob(4) {}

  // Node (Folder's) is only stored as the rows' parent, never read by the
  // listing. The rows made keep room ahead for the Shown rows the list has
  // already.
  void Start(const std::string& Folder, const TScanSettings& Settings, TFolderNode* Node, size_t Shown, TDone Done);
  void Cancel() { FJob.Cancel(); }
  // The rows of the last listing started have not arrived yet.
  bool Busy() const { return FJob.Busy(); }

private:
  TLatestJob FJob;
};
