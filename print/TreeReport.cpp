// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/TreeReport.h"

#include "print/ReportCanvas.h"
#include "print/ReportPage.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "view/ValueDisplay.h"

TTreeReport::TTreeReport(TValueDisplay& Display, std::function<bool(const TFolderNode*)> IsExpanded)
  : FDisplay(Display), FIsExpanded(std::move(IsExpanded))
{
}

bool TTreeReport::Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, const TFolderNode* Top)
{
  const TRoot& Root = *Top->Root();
  TReportPage Page(Canvas, FDisplay, Margins);
  Page.OnProgress = OnProgress;
  //: Between the program's name and the date atop a printed report; keep the spaces
  Page.StartReport(tr(" Report, "), Root.FTitle);
  Canvas.SetFont("Arial", 34, true);
  Page.PrintDriveLine(Root);
  Page.PrintFolderLine(*Top, Root, 60, false);
  Canvas.SetFont("Times New Roman", 32, true);
  Page.Y += 100;
  //: Column header of a printed report
  Page.PrintColumnHeader(tr("Folder"));
  Canvas.SetBold(false);
  Page.Y += 20;
  const bool Done = PrintBranch(Page, Top, 0);
  Canvas.SetFontName("Arial");
  Page.PrintPageLabel();
  return Done;
}

bool TTreeReport::PrintBranch(TReportPage& Page, const TFolderNode* Parent, int Indent)
{
  TReportCanvas& Canvas = Page.FCanvas;
  const int X = Page.X;
  for (const TFolderNode* Child : Parent->Children()) {
    const int Y = Page.Y;
    std::array<QString, 7> Values{
      FDisplay.FormatValue(Child, vtSize, false),    FDisplay.FormatValue(Child, vtAllocated, false),
      QString::number(Child->FObjects.Load()),       FDisplay.FormatValue(Child, vtWasted, false),
      FDisplay.FormatValue(Child, vtPercent, false), TFolderData::DateText(Child->LastAccess()),
      TFolderData::DateText(Child->LastWrite())};
    if (Page.ShowsChange())
      Values[TReportPage::ChangeColumn] = FDisplay.ChangeText(Child);
    Canvas.SetAlign(TReportCanvas::taLeft);
    Canvas.Text(X + Indent, Y, Page.Cut(FDisplay.NodeCaption(Child), Page.NameRoom(590, Values[0]) - Indent));
    Page.PrintValues(Y, Values);
    // Tree lines below the first level: this row's elbow, and the lines of
    // the ancestors whose later siblings are still to come.
    if (Parent->Parent()) {
      const int Above = Child->Index() == 0 ? 12 : 0;
      Canvas.Line(X + Indent - 12, Y - 19 + Above, X + Indent - 12, Y + 19);
      Canvas.Line(X + Indent - 12, Y + 19, X + Indent - 1, Y + 19);
      const TFolderNode* Ancestor = Parent;
      for (int Level = Indent / 25 - 1; Level >= 1; --Level, Ancestor = Ancestor->Parent())
        if (Ancestor->Index() + 1 < Ancestor->Parent()->ChildCount())
          Canvas.Line(X + 25 * Level - 12, Y - 19, X + 25 * Level - 12, Y + 19);
    }
    if (!Page.LineDone(tr("Folder")))
      return false;
    if (FIsExpanded(Child) && Child->ChildCount() > 0 && !PrintBranch(Page, Child, Indent + 25))
      return false;
  }
  return true;
}
