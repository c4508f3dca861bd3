#pragma once

#include <array>

class TChart;
class TFolderNode;
class TReportCanvas;
class TValueDisplay;

// The chart of a folder on one page: the header block, the drive's and the
// folder's totals, and the chart below them, drawn without its title and
// background.
class TChartPrintout {
public:
  static void Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                    const TFolderNode* Folder, TChart& Chart);
};
