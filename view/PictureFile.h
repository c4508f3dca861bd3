// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

class QWidget;

// A picture of a view (a chart, a treemap) saved as a file the user picks.
class TPictureFile {
  Q_DECLARE_TR_FUNCTIONS(TPictureFile)

public:
  // Asks where and as which kind, then saves Picture there, telling a
  // failure.
  static void SaveAs(QWidget* Parent, const QImage& Picture);
  // Picture in FileName: PNG, JPEG or a Windows bitmap by its extension,
  // with the extension Suffix ("png", "jpg" or "bmp") added to a name that
  // has no picture's extension, so that no file's content belies its name.
  // The name written, or an empty one with Error set.
  static QString Save(const QImage& Picture, const QString& FileName, const QString& Suffix, QString& Error);
  static QString Name(const QString& FileName, const QString& Suffix);

  // The kinds of picture the save dialog offers, the first proposed.
  struct TKind {
    const char* Filter;
    const char* Suffix;
  };
  static constexpr TKind Kinds[] = {
    //: Keep the pattern in brackets
    {QT_TRANSLATE_NOOP("TPictureFile", "PNG pictures (*.png)"), "png"},
    //: Keep the patterns in brackets
    {QT_TRANSLATE_NOOP("TPictureFile", "JPEG pictures (*.jpg *.jpeg)"), "jpg"},
    //: Keep the pattern in brackets
    {QT_TRANSLATE_NOOP("TPictureFile", "Bitmaps (*.bmp)"), "bmp"}};

private:
  // The writer's format for FileName's extension; empty for none known.
  static QByteArray Format(const QString& FileName);
};
