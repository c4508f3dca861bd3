// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EmptyTrash.h"

#include "fs/PathRules.h"
#include "shell/Prompt.h"
#include "shell/Remover.h"
#include "shell/Trash.h"

#include <QLocale>

std::vector<std::string> TEmptyTrash::Run(QWidget* Window, const std::vector<std::string>& Drives)
{
  std::vector<std::string> Paths, Emptied;
  QString Where;
  const QLocale Locale;
  for (const std::string& Trash : TTrash::Folders(Drives)) {
    const std::vector<std::string> Entries = TTrash::Entries(Trash);
    if (Entries.empty())
      continue;
    Paths.insert(Paths.end(), Entries.begin(), Entries.end());
    Emptied.push_back(Trash);
    //: %1 is a Trash folder, %2 how many items it holds
    Where += (Entries.size() == 1 ? tr("\n    %1: %2 item") : tr("\n    %1: %2 items"))
               .arg(TPathRules::Shown(Trash), Locale.toString(qulonglong(Entries.size())));
  }
  if (Paths.empty()) {
    TPrompt::Inform(Window, tr("Empty Trash"), tr("The Trash is empty."));
    return {};
  }
  if (!TPrompt::Confirm(
        Window, tr("Empty Trash"),
        (Paths.size() == 1 ? tr("Delete the %1 item in the Trash permanently?%2\nThey cannot be restored.")
                           : tr("Delete the %1 items in the Trash permanently?%2\nThey cannot be restored."))
          .arg(Locale.toString(qulonglong(Paths.size())), Where)))
    return {};
  const TRemover::TResult Result =
    TRemover::Run(Paths, Window, TTrash::Expunge, tr("Empty Trash"), tr("Emptying the Trash"));
  uint64_t Freed = 0;
  for (const std::vector<TTrashed>* Went : {&Result.Moved, &Result.Partly})
    for (const TTrashed& Gone : *Went)
      Freed += !Gone.Folder && Gone.Links > 1 ? 0 : Gone.DiskBytes;  // another name keeps a file
  QString Told = tr("%1 came free.")
                   .arg(Locale.formattedDataSize(qint64(std::min<uint64_t>(Freed, INT64_MAX)), 1,
                                                 QLocale::DataSizeTraditionalFormat));
  if (!Result.Failures.isEmpty())
    Told += tr("\n\nThese stay in the Trash:\n%1").arg(Result.Failures.join('\n'));
  (Result.Failures.isEmpty() ? TPrompt::Inform : TPrompt::Warn)(Window, tr("Empty Trash"), Told);
  return Emptied;
}
