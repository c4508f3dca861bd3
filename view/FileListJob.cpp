// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FileListJob.h"

#include "scan/FileListing.h"
#include "scan/FilesSource.h"
#include "scan/FolderNode.h"
#include "scan/ScanSettings.h"

#include <memory>

void TFileListJob::Start(const std::string& Folder, const TScanSettings& Settings, TFolderNode* Node, size_t Shown,
                         TDone Done)
{
  const uint32_t ClusterSize = Node->ClusterSize();
  const TFilesSource Source(Node, Folder, Settings.FExclude);
  FJob.Start([Folder, Patterns = Settings.FFileFilter, Source, Node, ClusterSize, Shown,
              Done = std::move(Done)](const TLatestJob::TStop& Stop) -> std::function<void()> {
    std::vector<TListedFile> Files;
    const int Error = Source.List(Patterns, Files, Stop);
    if (Stop())
      return {};
    auto Rows =
      std::make_shared<std::vector<TListModel::TRow>>(TListModel::MakeFileRows(Files, Node, ClusterSize, Shown));
    return [Rows, Error, Folder, Done] { Done(std::move(*Rows), Error, Folder); };
  });
}
