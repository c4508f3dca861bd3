// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <array>
#include <functional>

class QString;
class TListModel;
class TReportCanvas;
class TValueDisplay;

// The details list on paper: the folder's totals, then one line per row of
// the list in its order, with its icon and the texts of its seven columns.
class TContentsReport {
  Q_DECLARE_TR_FUNCTIONS(TContentsReport)

public:
  static bool Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                    const TListModel& Model, const std::function<void(const QString&)>& OnProgress);
};
