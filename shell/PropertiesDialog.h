// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <string>
#include <vector>

// The properties of one or several files and folders: name, location, type,
// size, size on disk, owner, permissions and dates, and for a folder the
// totals the program has counted for it.
class TPropertiesDialog : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TPropertiesDialog)

public:
  using TRows = QList<QPair<QString, QString>>;
  using TFolderTotals = std::function<TRows(const std::string& Path)>;

  TPropertiesDialog(const std::vector<std::string>& Paths, const TFolderTotals& FolderTotals,
                    QWidget* Parent = nullptr);

  // "1,234,567 bytes (1.2 MB)", in the user's locale.
  static QString SizeText(qulonglong Bytes);
};
