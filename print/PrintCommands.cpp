// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintCommands.h"

#include "fs/PathRules.h"
#include "print/ChartPrintout.h"
#include "print/ContentsReport.h"
#include "print/PrinterCanvas.h"
#include "print/TreeReport.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "shell/WaitCursor.h"
#include "view/ListModel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cmath>

TPrintCommands::TPrintCommands(QWidget* Window, TValueDisplay& Display, std::array<int, 4>& Margins)
  : FWindow(Window), FDisplay(Display), FMargins(Margins)
{
}

TPrintCommands::~TPrintCommands() = default;

int TPrintCommands::MarginToDialog(int Stored, bool Metric)
{
  return Metric ? Stored : int(std::lround(Stored / 2.54));
}

int TPrintCommands::MarginFromDialog(int Shown, bool Metric)
{
  return Metric ? Shown : int(std::lround(Shown * 2.54));
}

QPrinter& TPrintCommands::Printer()
{
  if (!FPrinter) {
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    FPrinter->setDocName(QCoreApplication::applicationName());
    // Without a printer, paper is a PDF file.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
      FPrinter->setOutputFormat(QPrinter::PdfFormat);
  }
  return *FPrinter;
}

void TPrintCommands::UsePdf(const QString& File)
{
  Printer().setOutputFormat(QPrinter::PdfFormat);
  Printer().setOutputFileName(File);
}

std::array<int, 4> TPrintCommands::PageMargins() const
{
  return FMargins;
}

void TPrintCommands::PageSetup1Click()
{
  const bool Metric = QLocale().measurementSystem() == QLocale::MetricSystem;
  // The dialog shows hundredths of a millimetre or thousandths of an inch.
  const QPageLayout::Unit Unit = Metric ? QPageLayout::Millimeter : QPageLayout::Inch;
  const double Scale = Metric ? 100 : 1000;
  auto Shown = [&](int Index) { return MarginToDialog(FMargins[size_t(Index)], Metric) / Scale; };
  QPrinter& Paper = Printer();
  // The dialog edits the reports' margins; the printer keeps its own, which
  // only bound its printable area.
  const QPageLayout Device = Paper.pageLayout();
  Paper.setPageMargins(QMarginsF(Shown(0), Shown(1), Shown(3), Shown(2)), Unit);
  QPageSetupDialog Dialog(&Paper, FWindow);
  Dialog.exec();
  // Read back whether OK or Cancel: a cancelled dialog gives its input.
  const QMarginsF Back = Paper.pageLayout().margins(Unit);
  auto Stored = [&](double Value) { return MarginFromDialog(int(std::lround(Value * Scale)), Metric); };
  FMargins = {Stored(Back.left()), Stored(Back.top()), Stored(Back.bottom()), Stored(Back.right())};
  QPageLayout Chosen = Paper.pageLayout();
  Chosen.setMargins(Device.margins(Chosen.units()));
  Paper.setPageLayout(Chosen);
}

void TPrintCommands::PrintSetupClick()
{
  QPrintDialog Dialog(&Printer(), FWindow);
  Dialog.setWindowTitle(tr("Printer Setup"));
  Dialog.exec();
}

void TPrintCommands::TitleMenuClick()
{
  TFolderNode* Node = FSelected();
  if (!Node)
    return;
  TRoot* Root = Node->Root();
  QString Title = Root->FTitle;
  if (TPrompt::Input(FWindow, tr("Enter Title"), tr("Please enter title for printing and exporting:"), Title)) {
    Root->FTitle = Title;
    if (OnTitleChanged)
      OnTitleChanged();
  }
}

QString TPrintCommands::FreePdfName(const QString& Title) const
{
  const QString Last = FPrinter->outputFileName();
  const QDir Folder(Last.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                   : QFileInfo(Last).absolutePath());
  // The scan's title as a file name: no separators, none at its ends.
  QString Name = Title;
  Name.replace('/', '-');
  while (Name.startsWith('-') || Name.startsWith(' '))
    Name.remove(0, 1);
  Name = Name.trimmed();
  if (Name.isEmpty())
    Name = "Spacelens";
  QString File = Folder.filePath(Name + ".pdf");
  for (int Number = 2; QFileInfo::exists(File); ++Number)
    File = Folder.filePath(QString("%1 (%2).pdf").arg(Name).arg(Number));
  return File;
}

bool TPrintCommands::ChoosePrinter(bool FromMenu, const QString& Title)
{
  QPrinter& Paper = Printer();
  if (FromMenu) {
    QPrintDialog Dialog(&Paper, FWindow);
    if (Dialog.exec() != QDialog::Accepted)
      return false;
    // The dialog takes the name of a PDF file that is there without a word.
    const QString File = Paper.outputFileName();
    if (Paper.outputFormat() != QPrinter::PdfFormat || !QFileInfo::exists(File))
      return true;
    //: Title of a message box: the verb
    return TPrompt::Confirm(FWindow, tr("Print"),
                            tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(File)));
  }
  // A tool button prints the whole document once.
  Paper.setPrintRange(QPrinter::AllPages);
  Paper.setCopyCount(1);
  if (Paper.outputFormat() != QPrinter::PdfFormat)
    return true;
  // Each PDF is asked for: a name not taken is proposed, one taken is
  // replaced only when the user says so.
  //: Keep the pattern in brackets
  const QString Types = tr("PDF files (*.pdf)");
  const QString File = QFileDialog::getSaveFileName(FWindow, tr("Print to PDF"), FreePdfName(Title), Types);
  if (File.isEmpty())
    return false;
  Paper.setOutputFileName(File);
  return true;
}

void TPrintCommands::Run(const QString& Progress, const std::vector<std::function<bool(TReportCanvas&)>>& Reports)
{
  if (Reports.empty())
    return;
  if (OnProgress)
    OnProgress(Progress);
  QString Error;
  {
    TWaitCursor Wait;
    QPrinter& Paper = Printer();
    // One document per report on paper; one PDF file holds them all, each
    // starting at its own page 1, rather than each replacing the one before.
    const bool OneFile = Paper.outputFormat() == QPrinter::PdfFormat;
    // A printer makes the copies asked for; a PDF file holds them, each
    // whole in turn.
    std::vector<std::function<bool(TReportCanvas&)>> Documents;
    for (int Copy = 0; Copy < (OneFile ? std::max(1, Paper.copyCount()) : 1); ++Copy)
      Documents.insert(Documents.end(), Reports.begin(), Reports.end());
    std::unique_ptr<TPrinterCanvas> Canvas;
    for (size_t Index = 0; Index < Documents.size() && Error.isEmpty(); ++Index) {
      if (!Canvas || !OneFile) {
        Canvas = std::make_unique<TPrinterCanvas>(Paper);
        if (!Canvas->Begin(Error))
          break;
      } else if (!(Index % Reports.size() == 0 ? Canvas->NewCopy() : Canvas->NewPage())) {
        Error = tr("The printer would not start a new page.");
        break;
      }
      if (!Documents[Index](*Canvas))
        Error = tr("The printer would not start a new page.");
      if ((!OneFile || Index + 1 == Documents.size()) && Error.isEmpty())
        Canvas->End(Error);
    }
  }
  if (OnDone)
    OnDone();
  if (!Error.isEmpty())
    QMessageBox::warning(FWindow, tr("Print"), tr("Printing failed. %1").arg(Error));
}

void TPrintCommands::PrintClick(bool FromMenu)
{
  const TFolderNode* Node = FSelected();
  if (!Node)
    return;
  const TFolderNode* Top = Node->Root()->FNode;
  if (!ChoosePrinter(FromMenu, Top->Root()->FTitle))
    return;
  Run(tr("Printing ..."), {[this, Top](TReportCanvas& Canvas) {
        TTreeReport Report(FDisplay, FIsExpanded);
        Report.OnProgress = OnProgress;
        return Report.Print(Canvas, PageMargins(), Top);
      }});
}

void TPrintCommands::PrintReportforAll1Click()
{
  const std::vector<TFolderNode*> Tops = FTops();
  if (!ChoosePrinter(true, "Spacelens"))
    return;
  std::vector<std::function<bool(TReportCanvas&)>> Reports;
  for (const TFolderNode* Top : Tops)
    Reports.push_back([this, Top](TReportCanvas& Canvas) {
      TTreeReport Report(FDisplay, FIsExpanded);
      Report.OnProgress = OnProgress;
      return Report.Print(Canvas, PageMargins(), Top);
    });
  Run(tr("Printing ..."), Reports);
}

void TPrintCommands::PrintChartMenuClick(bool FromMenu)
{
  const TFolderNode* Node = FSelected();
  if (!Node || !ChoosePrinter(FromMenu, Node->Root()->FTitle))
    return;
  if (const std::vector<TReportCanvas::TPictureDraw> Pages = FShownPicture(); !Pages.empty()) {
    Run(tr("Printing Page 1 ..."), {[this, Node, Pages](TReportCanvas& Canvas) {
          return TChartPrintout::Print(Canvas, PageMargins(), FDisplay, Node, Pages);
        }});
    return;
  }
  if (std::optional<TRowsReport::TRows> Rows = FShownRows ? FShownRows() : std::nullopt) {
    Run(tr("Printing Page 1 ..."), {[this, Rows = std::move(*Rows)](TReportCanvas& Canvas) {
          return TRowsReport::Print(Canvas, PageMargins(), FDisplay, Rows, OnProgress);
        }});
    return;
  }
  // Every file of the folder is in the report, also those still being
  // listed; a folder that does not answer (a hung share) is not waited for.
  {
    TWaitCursor Wait;
    const QDeadlineTimer Patience(30000);
    while (FListing() && !Patience.hasExpired())
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
  }
  // The list may have let go of the folder meanwhile (a rescan).
  if (!FList() || FList()->Folder() != Node)
    return;
  Run(tr("Printing Page 1 ..."), {[this](TReportCanvas& Canvas) {
        return TContentsReport::Print(Canvas, PageMargins(), FDisplay, *FList(), OnProgress);
      }});
}
