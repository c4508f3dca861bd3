// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ChartPrintout.h"

#include "fs/PathRules.h"
#include "print/ReportCanvas.h"
#include "print/ReportPage.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"

bool TChartPrintout::Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                           const TFolderNode* Folder, const std::vector<TReportCanvas::TPictureDraw>& Pages)
{
  const TRoot& Root = *Folder->Root();
  TReportPage Page(Canvas, Display, Margins);
  const int Top = Page.Y;
  //: After the program's name atop a printed report; keep the spaces
  Page.StartReport(tr(" - Chart   "), Folder->Parent() ? TPathRules::Shown(Folder->FullPath()) : Root.FTitle);
  Canvas.SetFont("Arial", 34, true);
  Page.PrintDriveLine(Root);
  Page.PrintFolderLine(*Folder, Root, 60, false);
  Page.Y += 150;
  for (size_t Index = 0; Index < Pages.size(); ++Index) {
    if (Index > 0) {
      if (!Canvas.NewPage())
        return false;
      ++Page.FPage;
      Page.Y = Top;
    }
    Canvas.Picture(Page.X, Page.Y, Page.X + Page.W, Page.H, Pages[Index]);
    Canvas.SetFontName("Arial");
    Page.PrintPageLabel();
  }
  return true;
}
