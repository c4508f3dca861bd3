// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/ReportCanvas.h"

#include <QCoreApplication>

#include <array>
#include <vector>

class TFolderNode;
class TValueDisplay;

// The picture of a folder (its chart or its treemap), a page of it on each
// page: on the first the header block and the drive's and the folder's
// totals above it. False when a new page could not be started.
class TChartPrintout {
  Q_DECLARE_TR_FUNCTIONS(TChartPrintout)

public:
  static bool Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                    const TFolderNode* Folder, const std::vector<TReportCanvas::TPictureDraw>& Pages);
};
