// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/ReportCanvas.h"
#include "print/RowsReport.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;
class TFolderNode;
class TListModel;
class TReportCanvas;
class TValueDisplay;

// The window's printing: page setup, printer setup, the title of a scan,
// the tree report of a scan or of all of them, and the right pane (the
// chart, the files view's rows, or the details list as the folder contents
// report). Commands from
// the menu ask with the print dialog first; tool buttons print at once on
// paper. With no printer installed, printing goes to PDF files, each named
// when printed.
class TPrintCommands {
  Q_DECLARE_TR_FUNCTIONS(TPrintCommands)

public:
  // Margins (hundredths of a millimetre: left, top, bottom, right) are the
  // window's, kept between runs.
  TPrintCommands(QWidget* Window, TValueDisplay& Display, std::array<int, 4>& Margins);
  ~TPrintCommands();

  // What the commands act on, asked when they run.
  std::function<TFolderNode*()> FSelected;
  std::function<std::vector<TFolderNode*>()> FTops;
  std::function<bool(const TFolderNode*)> FIsExpanded;
  // The right pane: the drawings of its chart or treemap when one is shown,
  // one a page, else none and the list.
  std::function<std::vector<TReportCanvas::TPictureDraw>()> FShownPicture;
  std::function<const TListModel*()> FList;
  // Files still being listed in the list.
  std::function<bool()> FListing;
  // The rows of the files view, when it is shown.
  std::function<std::optional<TRowsReport::TRows>()> FShownRows;
  // The fourth panel of the status bar, and its refresh when printing ends.
  std::function<void(const QString&)> OnProgress;
  std::function<void()> OnDone;
  std::function<void()> OnTitleChanged;

  void PageSetup1Click();
  void PrintSetupClick();
  void TitleMenuClick();
  void PrintClick(bool FromMenu);
  void PrintReportforAll1Click();
  void PrintChartMenuClick(bool FromMenu);
  // Printing goes to PDF files, the next one named File.
  void UsePdf(const QString& File);

  // A stored margin as the page-setup dialog shows it (hundredths of a
  // millimetre, or thousandths of an inch), and back.
  static int MarginToDialog(int Stored, bool Metric);
  static int MarginFromDialog(int Shown, bool Metric);

  // The printer, made at first use: a PDF file when none is installed.
  QPrinter& Printer();

private:
  // The print dialog for a menu command; for a tool button the PDF file's
  // name when printing goes to a file. False when the user cancels.
  bool ChoosePrinter(bool FromMenu, const QString& Title);
  // A PDF file named after Title not yet there, beside the last one.
  QString FreePdfName(const QString& Title) const;
  // Draws Reports, each its own document, on the printer; tells a failure.
  void Run(const QString& Progress, const std::vector<std::function<bool(TReportCanvas&)>>& Reports);
  std::array<int, 4> PageMargins() const;

  QWidget* FWindow;
  TValueDisplay& FDisplay;
  std::array<int, 4>& FMargins;
  std::unique_ptr<QPrinter> FPrinter;
};
