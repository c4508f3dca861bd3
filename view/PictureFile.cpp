// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/PictureFile.h"

#include "fs/SafeSave.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>

#include <algorithm>

void TPictureFile::SaveAs(QWidget* Parent, const QImage& Picture)
{
  QFileDialog Dialog(Parent, tr("Save Spacelens Data"));
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setFileMode(QFileDialog::AnyFile);
  QStringList Filters;
  for (const TKind& Kind : Kinds)
    Filters << tr(Kind.Filter);
  Dialog.setNameFilters(Filters);
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
    return;
  const QString Chosen = Dialog.selectedFiles().first();
  const QString Suffix = Kinds[std::max<qsizetype>(0, Filters.indexOf(Dialog.selectedNameFilter()))].Suffix;
  // The dialog asked about replacing the name chosen, not one made from it.
  if (const QString Proposed = Name(Chosen, Suffix); Proposed != Chosen && QFileInfo::exists(Proposed)
      && QMessageBox::question(
           Parent, tr("Save Spacelens Data"),
           tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(Proposed)))
        != QMessageBox::Yes)
    return;
  QString Error;
  if (Save(Picture, Chosen, Suffix, Error).isEmpty())
    QMessageBox::warning(Parent, tr("Save Spacelens Data"), Error);
}

QString TPictureFile::Name(const QString& FileName, const QString& Suffix)
{
  return Format(FileName).isEmpty() ? FileName + "." + Suffix : FileName;
}

QByteArray TPictureFile::Format(const QString& FileName)
{
  const QString Suffix = QFileInfo(FileName).suffix().toLower();
  if (Suffix == "bmp" || Suffix == "png")
    return Suffix.toLatin1();
  if (Suffix == "jpg" || Suffix == "jpeg")
    return "jpeg";
  return {};
}

QString TPictureFile::Save(const QImage& Picture, const QString& FileName, const QString& Suffix, QString& Error)
{
  const QString Written = Name(FileName, Suffix);
  const QFileInfo Target(Written);
  if (Target.exists() && !Target.isWritable()) {
    Error = tr("%1 is read-only; the picture was not saved.").arg(QDir::toNativeSeparators(Written));
    return {};
  }
  QBuffer Encoded;
  Encoded.open(QIODevice::WriteOnly);
  QImageWriter Writer(&Encoded, Format(Written));
  QString Reason;
  if (!Writer.write(Picture))
    Reason = Writer.errorString();
  else if (TSafeSave::Write(Written, Encoded.data(), Reason))
    return Written;
  Error = tr("The picture could not be saved to %1: %2").arg(QDir::toNativeSeparators(Written), Reason);
  return {};
}
