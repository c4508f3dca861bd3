// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ContentsReport.h"

#include "fs/PathRules.h"
#include "print/ReportCanvas.h"
#include "print/ReportPage.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "view/ListModel.h"

#include <QIcon>

bool TContentsReport::Print(TReportCanvas& Canvas, const std::array<int, 4>& Margins, TValueDisplay& Display,
                            const TListModel& Model, const std::function<void(const QString&)>& OnProgress)
{
  const TFolderNode* Folder = Model.Folder();
  const TRoot& Root = *Folder->Root();
  TReportPage Page(Canvas, Display, Margins);
  Page.OnProgress = OnProgress;
  //: After the program's name atop a printed report; keep the spaces
  Page.StartReport(tr(" - Folder Contents   "),
                   tr("%1 on [%2]").arg(TPathRules::Shown(Folder->FullPath()), TPathRules::Shown(Root.FVolumeLabel)));
  Canvas.SetFont("Arial", 34, true);
  Page.PrintFolderLine(*Folder, Root, 100, true);
  Canvas.SetFont("Times New Roman", 34, true);
  Page.Y += 100;
  const QString First = TListModel::Caption(TListModel::lcName);
  Page.PrintColumnHeader(First);
  Canvas.SetBold(false);
  Page.Y += 20;
  bool Done = true;
  for (int Row = 0; Row < Model.rowCount() && Done; ++Row) {
    // The scan root's own row holds all the others.
    if (Model.IsTop(Row))
      continue;
    const int X = Page.X;
    const int Y = Page.Y;
    Canvas.Icon(X, Y, 30, Model.index(Row, TListModel::lcName).data(Qt::DecorationRole).value<QIcon>());
    Canvas.SetAlign(TReportCanvas::taLeft);
    const QString Size = Model.index(Row, TListModel::lcSize).data().toString();
    Canvas.Text(X + 40, Y,
                Page.Cut(Model.index(Row, TListModel::lcName).data().toString(), Page.NameRoom(590, Size) - 40));
    std::array<QString, 7> Values;
    for (int Column = 1; Column < TListModel::lcCount; ++Column)
      Values[size_t(Column - 1)] = Model.index(Row, Column).data().toString();
    if (Page.ShowsChange())
      Values[TReportPage::ChangeColumn] = Model.index(Row, TListModel::lcChange).data().toString();
    Page.PrintValues(Y, Values);
    Done = Page.LineDone(First);
  }
  Canvas.SetFontName("Arial");
  Page.PrintPageLabel();
  return Done;
}
