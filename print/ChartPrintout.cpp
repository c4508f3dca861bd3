#include "ChartPrintout.h"

#include "Chart.h"
#include "FolderNode.h"
#include "PathRules.h"
#include "ReportCanvas.h"
#include "ReportPage.h"
#include "Root.h"

#include <utility>

void TChartPrintout::Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                           const TFolderNode* Folder, TChart& Chart)
{
  const TRoot& Root = *Folder->Root();
  TReportPage Page(Canvas, Display, Margins);
  Page.StartReport(" - Chart   ", Folder->Parent() ? TPathRules::Shown(Folder->FullPath()) : Root.FTitle);
  Canvas.SetFont("Arial", 34, true);
  Page.PrintDriveLine(Root);
  Page.PrintFolderLine(*Folder, Root, 60, false);
  Page.Y += 150;
  // Paper gets the chart without the screen's background and title; the
  // report's lines above name the folder.
  const bool Gradient = std::exchange(Chart.FGradient, false);
  const QString Title = std::exchange(Chart.FTitle, QString());
  Canvas.Chart(Page.X, Page.Y, Page.X + Page.W, Page.H, Chart);
  Chart.FGradient = Gradient;
  Chart.FTitle = Title;
  Canvas.SetFontName("Arial");
  Page.PrintPageLabel();
}
