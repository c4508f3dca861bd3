// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListJob.h"

#include "FileListing.h"
#include "FolderNode.h"
#include "NcduImport.h"
#include "ScanSettings.h"

#include <memory>

void TFileListJob::Start(const std::string& Folder, const TScanSettings& Settings, TFolderNode* Node, TDone Done)
{
  const uint32_t ClusterSize = Node->ClusterSize();
  // An imported folder's files are in the file it came from.
  TNcduImport::TPlace Place;
  const bool Imported = TNcduImport::Locate(Node, Place);
  const std::string Below = Settings.FExclude.NeedsPaths() ? Node->PathBelowTop() : std::string();
  FJob.Start([Folder, Patterns = Settings.FFileFilter, Exclude = Settings.FExclude, Below, Node, ClusterSize, Imported,
              Place, Done = std::move(Done)](const TLatestJob::TStop& Stop) -> std::function<void()> {
    std::vector<TListedFile> Files;
    const int Error = Imported ? TNcduImport::ListFiles(Place, Patterns, Files, Stop)
                               : TFileListing::List(Folder, Patterns, Files, Stop, Exclude, Below);
    if (Stop())
      return {};
    auto Rows = std::make_shared<std::vector<TListModel::TRow>>(TListModel::MakeFileRows(Files, Node, ClusterSize));
    return [Rows, Error, Folder, Done] { Done(std::move(*Rows), Error, Folder); };
  });
}
