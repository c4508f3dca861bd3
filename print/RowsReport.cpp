// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RowsReport.h"

#include "print/ReportCanvas.h"
#include "print/ReportPage.h"

bool TRowsReport::Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                        const TRows& Rows, const std::function<void(const QString&)>& OnProgress)
{
  TReportPage Page(Canvas, Display, Margins);
  Page.OnProgress = OnProgress;
  Page.FCaptions = Rows.Captions;
  Page.StartReport(Rows.Suffix, Rows.Third);
  Canvas.SetFont("Times New Roman", 34, true);
  Page.Y += 60;
  Page.PrintColumnHeader(Rows.FirstCaption);
  Canvas.SetBold(false);
  Page.Y += 20;
  bool Done = true;
  QIcon Icon;
  QString Name;
  std::array<QString, 7> Values;
  for (int Row = 0; Row < Rows.Count && Done; ++Row) {
    Rows.Row(Row, Icon, Name, Values);
    const int X = Page.X;
    const int Y = Page.Y;
    Canvas.Icon(X, Y, 30, Icon);
    Canvas.SetAlign(TReportCanvas::taLeft);
    Canvas.Text(X + 40, Y, Page.Cut(Name, Page.NameRoom(590, Values[0]) - 40));
    Page.PrintValues(Y, Values);
    Done = Page.LineDone(Rows.FirstCaption);
  }
  Canvas.SetFontName("Arial");
  Page.PrintPageLabel();
  return Done;
}
