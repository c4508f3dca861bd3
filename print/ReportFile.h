// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <functional>
#include <vector>

class TFolderNode;
class TValueDisplay;

// Tree reports written into one PDF file without a window: each scan's
// report starts on a new page with its own page 1, on the paper of the
// user's locale (A4, or US Letter where inches are used).
class TReportFile {
public:
  static bool Write(const QString& File, const std::vector<TFolderNode*>& Tops, TValueDisplay& Display,
                    const std::array<int, 4>& Margins, const std::function<bool(const TFolderNode*)>& IsExpanded,
                    QString& Error);
};
