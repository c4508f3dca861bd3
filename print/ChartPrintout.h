// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportCanvas.h"

#include <array>

class TFolderNode;
class TValueDisplay;

// The picture of a folder (its chart or its treemap) on one page: the
// header block, the drive's and the folder's totals, and the picture below.
class TChartPrintout {
public:
  static void Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                    const TFolderNode* Folder, const TReportCanvas::TPictureDraw& Draw);
};
