// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListJob.h"

#include "FileListing.h"
#include "FolderNode.h"
#include "NcduImport.h"
#include "ScanSettings.h"

#include <memory>

TFileListJob::TFileListJob(QObject* Parent) : QObject(Parent)
{
  // More than one thread, so that a listing stuck on a hung network share
  // does not hold up the next folder's.
  FPool.setMaxThreadCount(4);
}

TFileListJob::~TFileListJob()
{
  Cancel();
  FPool.waitForDone();
}

void TFileListJob::Cancel()
{
  FDelivered = ++FGeneration;
}

void TFileListJob::Start(const std::string& Folder, const TScanSettings& Settings, TFolderNode* Node, TDone Done)
{
  const int Generation = ++FGeneration;
  const uint32_t ClusterSize = Node->ClusterSize();
  // An imported folder's files are in the file it came from.
  TNcduImport::TPlace Place;
  const bool Imported = TNcduImport::Locate(Node, Place);
  const std::string Below = Settings.FExclude.NeedsPaths() ? Node->PathBelowTop() : std::string();
  FPool.start([this, Folder, Patterns = Settings.FFileFilter, Exclude = Settings.FExclude, Below, Node, ClusterSize,
               Generation, Imported, Place, Done = std::move(Done)] {
    std::vector<TListedFile> Files;
    const auto Stop = [&] { return FGeneration != Generation; };
    const int Error = Imported ? TNcduImport::ListFiles(Place, Patterns, Files, Stop)
                               : TFileListing::List(Folder, Patterns, Files, Stop, Exclude, Below);
    if (FGeneration != Generation)
      return;
    auto Rows = std::make_shared<std::vector<TListModel::TRow>>(TListModel::MakeFileRows(Files, Node, ClusterSize));
    // Queued to this object: dropped if the job is gone by then.
    QMetaObject::invokeMethod(
      this,
      [this, Rows, Error, Folder, Generation, Done] {
        if (FGeneration == Generation) {
          FDelivered = Generation;
          Done(std::move(*Rows), Error, Folder);
        }
      },
      Qt::QueuedConnection);
  });
}
