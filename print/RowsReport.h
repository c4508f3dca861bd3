// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

#include <array>
#include <functional>

class TReportCanvas;
class TValueDisplay;

// Rows of any list on paper, laid out as the folder contents report: a line
// a row with its icon, its name and seven values under captions of the
// list's own.
class TRowsReport {
public:
  struct TRows {
    QString Suffix;  // after the program's name on the first line
    QString Third;   // the report's own line
    QString FirstCaption;
    std::array<QString, 7> Captions;
    int Count = 0;
    std::function<void(int Row, QIcon& Icon, QString& Name, std::array<QString, 7>& Values)> Row;
  };

  static bool Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display, const TRows& Rows,
                    const std::function<void(const QString&)>& OnProgress);
};
