// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportPage.h"

#include "fs/PathRules.h"
#include "print/ReportCanvas.h"
#include "scan/FolderData.h"
#include "scan/Root.h"
#include "view/ListModel.h"
#include "view/StatusPanels.h"
#include "view/ValueDisplay.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>

#include <cmath>

const char* TReportPage::VersionText = SPACELENS_VERSION;

TReportPage::TReportPage(TReportCanvas& Canvas, TValueDisplay& Display, const std::array<int, 4>& Margins)
  : FCanvas(Canvas), FDisplay(Display), FMargins(Margins)
{
  PageW = Canvas.PageWidth();
  PageH = Canvas.PageHeight();
  X = FMargins[0] / 10;
  W = PageW - FMargins[0] / 10 - FMargins[3] / 10;
  H = PageH - FMargins[1] / 10 - FMargins[2] / 10;
  Y = FMargins[1] / 10;
  for (int Column = 1; Column < TListModel::lcCount; ++Column)
    FCaptions[size_t(Column - 1)] = TListModel::Caption(Column);
  if (ShowsChange())
    FCaptions[ChangeColumn] = TListModel::Caption(TListModel::lcChange);
}

bool TReportPage::ShowsChange() const
{
  return FDisplay.FBaseline != nullptr;
}

void TReportPage::Narrowed(const QString& Text, int Room)
{
  if (const int Width = FCanvas.TextWidth(Text); Width > Room)
    FCanvas.SetStretch(std::max(50, Room * 100 / Width));
}

void TReportPage::Centred(const QString& Text, int At)
{
  Narrowed(Text, W);  // a long path
  FCanvas.SetAlign(TReportCanvas::taLeft);
  FCanvas.Text(X + (W - FCanvas.TextWidth(Text)) / 2, At, Text);
  FCanvas.SetStretch(100);
}

void TReportPage::StartReport(const QString& Suffix, const QString& Third)
{
  FCanvas.SetFont("Arial", 58, true);
  Centred("Spacelens" + Suffix + QLocale().toString(QDate::currentDate(), QLocale::LongFormat), Y);
  FCanvas.SetFont("Arial", 24, true);
  Y += 60;
  //: Short for Version
  Centred(tr("V %1").arg(QString::fromLatin1(VersionText)), Y);
  FCanvas.SetFont("Arial", 50, true);
  Y += 60;
  Centred(Third, Y);
}

void TReportPage::PrintDriveLine(const TRoot& Root)
{
  Y += 100;
  if (Root.Imported()) {
    //: The scan's source, then the cluster size
    const QString Line = Root.Remote() ? tr("[Remote Scan]    %1    %2")
      : Root.AsAdministrator()         ? tr("[Scan as Administrator]    %1    %2")
                                       : tr("[Imported Scan]    %1    %2");
    LineText(Line.arg(ShownSource(Root), TStatusPanels::ClusterText(&Root)));
    return;
  }
  const auto Size = [this](uint64_t KB) { return FDisplay.BytesText(KB * 1024.0); };
  //: The last is the cluster size
  LineText(tr("[Current Drive]    Size: %1    Used: %2    Free: %3    %4")
             .arg(Size(Root.FTotalKB), Size(Root.FTotalKB - std::min(Root.FFreeKB, Root.FTotalKB)), Size(Root.FFreeKB),
                  TStatusPanels::ClusterText(&Root)));
}

void TReportPage::PrintFolderLine(const TFolderData& Folder, const TRoot& Root, int Step, bool Files)
{
  Y += Step;
  // A volume that could not be sized, or is not this computer's, has no share.
  const double Percent =
    double(Folder.AllocatedClusters()) * (Root.FClusterSize / 1024.0) / (double(Root.FTotalKB) + 0.001) * 100;
  const QString Size = FDisplay.FormatValue(&Folder, vtSize, false);
  const QString Allocated = FDisplay.FormatValue(&Folder, vtAllocated, false);
  const QString Objects = QString::number(Folder.FObjects.Load());
  const QString Wasted = FDisplay.FormatValue(&Folder, vtWasted, false);
  if (Root.FTotalKB) {
    const QString Share = QString::number(std::llround(Percent));
    LineText((Files ? tr("[Current Folder]  Size: %1    Allocated: %2    Percent of Drive: %3 %    Files: %4    "
                         "Wasted Space: %5")
                    : tr("[Current Folder]  Size: %1    Allocated: %2    Percent of Drive: %3 %    Objects: %4    "
                         "Wasted Space: %5"))
               .arg(Size, Allocated, Share, Objects, Wasted));
  } else {
    LineText((Files ? tr("[Current Folder]  Size: %1    Allocated: %2    Files: %3    Wasted Space: %4")
                    : tr("[Current Folder]  Size: %1    Allocated: %2    Objects: %3    Wasted Space: %4"))
               .arg(Size, Allocated, Objects, Wasted));
  }
}

void TReportPage::PrintColumnHeader(const QString& First)
{
  static constexpr int Centres[] = {545, 760, 910, 1100, 1250, 1430, 1650};
  FCanvas.SetFontName("Times New Roman");
  FCanvas.SetBold(true);
  FCanvas.SetAlign(TReportCanvas::taCenter);
  FCanvas.Text(X + 80, Y, First);
  for (size_t Column = 0; Column < FCaptions.size(); ++Column)
    FCanvas.Text(X + Centres[Column], Y, FCaptions[Column]);
  Y += 40;
  FCanvas.Line(X - 20, Y, X + 1750, Y);
  FCanvas.SetAlign(TReportCanvas::taLeft);
}

void TReportPage::PrintPageLabel()
{
  if (FBroken)
    return;  // labelled before the page that could not be started
  FCanvas.SetFontName("Arial");
  Centred(tr("Page %1").arg(FPage), H + 50);
}

void TReportPage::NextReportPage(const QString& First)
{
  PrintPageLabel();
  if (!FCanvas.NewPage()) {
    FBroken = true;
    return;
  }
  ++FPage;
  Y = FMargins[1] / 10;
  FCanvas.SetFont("Times New Roman", 32, true);
  PrintColumnHeader(First);
  FCanvas.SetBold(false);
  Y += 20;
  if (OnProgress)
    OnProgress(tr("Printing Page %1 ...").arg(FPage));
}

bool TReportPage::LineDone(const QString& First)
{
  Y += LineStep;
  if (Y <= H)
    return true;
  const int Page = FPage;
  NextReportPage(First);
  return FPage > Page;
}

void TReportPage::LineText(const QString& Text)
{
  Narrowed(Text, W);  // terabytes in megabytes
  FCanvas.SetAlign(TReportCanvas::taLeft);
  FCanvas.Text(X, Y, Text);
  FCanvas.SetStretch(100);
}

void TReportPage::PrintValues(int At, const std::array<QString, 7>& Values)
{
  FCanvas.SetAlign(TReportCanvas::taRight);
  for (size_t Column = 0; Column < Values.size(); ++Column) {
    Narrowed(Values[Column], Column == 0 ? ValueRight[0] : ValueRight[Column] - ValueRight[Column - 1] - 12);
    FCanvas.Text(X + ValueRight[Column], At, Values[Column]);
    FCanvas.SetStretch(100);
  }
  FCanvas.SetAlign(TReportCanvas::taLeft);
}

int TReportPage::NameRoom(int Limit, const QString& Size) const
{
  return std::min(Limit, ValueRight[0] - FCanvas.TextWidth(Size) - 15);
}

QString TReportPage::Cut(QString Text, int Limit) const
{
  if (FCanvas.TextWidth(Text) <= Limit)
    return Text;
  // The longest beginning that fits, found by halving rather than letter by
  // letter: names can be long and reports many thousands of lines.
  qsizetype Fits = 0;
  qsizetype Wider = Text.size();
  while (Wider - Fits > 1) {
    const qsizetype Middle = (Fits + Wider) / 2;
    (FCanvas.TextWidth(Text.left(Middle)) <= Limit ? Fits : Wider) = Middle;
  }
  // Never half a character.
  if (Fits > 0 && Text[Fits - 1].isHighSurrogate())
    --Fits;
  Text.truncate(Fits);
  return Text;
}
