// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/RowsReport.h"
#include "types/TypesModel.h"

#include <QCoreApplication>
#include <QObject>
#include <QPoint>

#include <cstdio>
#include <functional>

class TFilesList;
class TTypesList;

// What the window does from its types view: a double click or Enter lists
// the type's files in the files view, largest first; the context menu does
// that too and saves the types as CSV; and the view's printed report.
class TTypesCommands : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TTypesCommands)

public:
  // ShowFiles brings the files view to the front of the right pane.
  TTypesCommands(TTypesList& List, TFilesList& Files, std::function<void()> ShowFiles);

  // Shows the files of Pick's type in the files view, the largest first.
  void ListFiles(TTypesModel::TPick Pick);
  // The types, as the headless --types writes them, saved as a CSV table
  // the user names.
  void ExportClick();
  bool WriteCsv(std::FILE* Stream) const;
  // Every row, extensions below their class, for a printed report.
  TRowsReport::TRows Report() const;
  // The files view's filter for Pick's files.
  static QString FilterOf(TTypesModel::TPick Pick);

private:
  void MouseUp(QPoint Point);

  TTypesList& FList;
  TFilesList& FFiles;
  const std::function<void()> FShowFiles;
};
