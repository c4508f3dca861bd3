// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/ReportCanvas.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>

#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

// A report canvas on a printer, or on a PDF file of the pages chosen. A PDF
// is made in memory and written to its file as a whole at the end, beside
// it first, so that a failure (a full disk, a folder that cannot be written)
// says why and never leaves half a document in place of the old file.
class TPrinterCanvas : public TReportCanvas {
  Q_DECLARE_TR_FUNCTIONS(TPrinterCanvas)

public:
  // Prints on Printer; one printing to a PDF file writes that file as above.
  explicit TPrinterCanvas(QPrinter& Printer);
  // Writes a PDF file of pages laid out as given.
  TPrinterCanvas(const QString& PdfFile, const QPageLayout& Layout);
  ~TPrinterCanvas() override;

  // False, with Error set, when the document could not be started.
  bool Begin(QString& Error);
  // Ends the document; false, with Error set, when it could not be written.
  bool End(QString& Error);

  int PageWidth() const override;
  int PageHeight() const override;
  void Text(int X, int Y, const QString& Text) override;
  void Line(int X1, int Y1, int X2, int Y2) override;
  void Icon(int X, int Y, int Size, const QIcon& Icon) override;
  void Picture(int Left, int Top, int Right, int Bottom, const TPictureDraw& Draw) override;
  bool NewPage() override;
  // The next copy of the document, from its page 1.
  bool NewCopy();

private:
  void MakePdf(const QString& File, const QPageLayout& Layout, int Resolution);
  // Tenths of a millimetre to the device's pixels.
  void UseReportUnits();
  // Whether the page drawn now goes into the document.
  bool Chosen() const;
  // Page of the document drawn from now on, on a new sheet if chosen.
  bool StartPage(int Page);

  QPagedPaintDevice* FDevice = nullptr;
  std::unique_ptr<QPdfWriter> FPdf;
  QBuffer FBuffer;
  QString FPdfFile;
  QPainter FPainter;
  // The pages of the document to print, counted from 1; empty for all.
  QPageRanges FChosen;
  int FPage = 1;
  bool FStarted = false;  // the device's page holds a page chosen
};
