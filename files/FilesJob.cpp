// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesJob.h"

#include "scan/FilesSnapshot.h"

void TFilesJob::Start(const TSource& Source, TFilesSorter::TKey Key, bool Descending,
                      std::shared_ptr<const std::vector<uint32_t>> Order, const TFilesFilter& Filter, TDone Done)
{
  FJob.Start([Source, Key, Descending, Order, Filter,
              Done = std::move(Done)](const TLatestJob::TStop& Stop) -> std::function<void()> {
    auto Result = std::make_shared<TResult>();
    std::shared_ptr<const TFilesSnapshot> Files = Source.Files;
    if (!Files) {
      Files = std::make_shared<const TFilesSnapshot>(Source.Folder, Source.LinksOnce, Source.Tree, Source.Removals);
      if (Files->Abandoned())
        return [Result, Done] { Done(std::move(*Result)); };
    }
    *Result = {Files, Key, Descending, Order, {}, {}};
    if (!Result->Order)
      Result->Order = std::make_shared<const std::vector<uint32_t>>(TFilesSorter::Sort(*Files, Key, Descending, Stop));
    if (Filter.Empty() && !Files->HasRepeats()) {
      Result->Shown = Result->Order;
      Result->ShownBytes = TFilesSorter::Total(*Files);
    } else {
      Result->Shown = std::make_shared<const std::vector<uint32_t>>(
        TFilesSorter::Filter(*Files, *Result->Order, Filter, Stop, Result->ShownBytes));
    }
    return [Result, Done] { Done(std::move(*Result)); };
  });
}
