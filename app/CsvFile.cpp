// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CsvFile.h"

#include "fs/SafeSave.h"
#include "shell/Prompt.h"
#include "shell/WaitCursor.h"

#include <QDir>
#include <QFileDialog>

void TCsvFile::SaveAs(QWidget* Parent, const QString& Caption, const QString& Name, const QString& What,
                      const std::function<bool(std::FILE* Stream)>& Write)
{
  const QString Chosen = QFileDialog::getSaveFileName(Parent, Caption, Name, tr("CSV tables (*.csv);;All files (*)"));
  if (Chosen.isEmpty())
    return;
  TWaitCursor Wait;
  std::string Error;
  if (!TSafeSave::Stream(Chosen.toLocal8Bit().toStdString(), Write, Error))
    TPrompt::Warn(Parent, tr("Export"),
                  //: %1 is what was saved: the duplicates, the files or the types
                  tr("The %1 could not be saved to %2: %3")
                    .arg(What, QDir::toNativeSeparators(Chosen), QString::fromLocal8Bit(Error.c_str())));
}
