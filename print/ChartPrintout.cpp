// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPrintout.h"

#include "FolderNode.h"
#include "PathRules.h"
#include "ReportCanvas.h"
#include "ReportPage.h"
#include "Root.h"

void TChartPrintout::Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                           const TFolderNode* Folder, const TReportCanvas::TPictureDraw& Draw)
{
  const TRoot& Root = *Folder->Root();
  TReportPage Page(Canvas, Display, Margins);
  Page.StartReport(" - Chart   ", Folder->Parent() ? TPathRules::Shown(Folder->FullPath()) : Root.FTitle);
  Canvas.SetFont("Arial", 34, true);
  Page.PrintDriveLine(Root);
  Page.PrintFolderLine(*Folder, Root, 60, false);
  Page.Y += 150;
  Canvas.Picture(Page.X, Page.Y, Page.X + Page.W, Page.H, Draw);
  Canvas.SetFontName("Arial");
  Page.PrintPageLabel();
}
