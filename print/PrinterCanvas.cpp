// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrinterCanvas.h"

#include "fs/SafeSave.h"

#include <QDir>

#include <QFileInfo>
#include <QIcon>
#include <QPdfWriter>
#include <QPrinter>
#include <cerrno>
#include <cstdio>
#include <cstring>

TPrinterCanvas::TPrinterCanvas(QPrinter& Printer)
{
  if (Printer.outputFormat() == QPrinter::PdfFormat) {
    // A PDF page has no edge that cannot be printed on: the reports'
    // margins are from the paper's edge, as in the files written without a
    // window, and the printer's own margins would add to them.
    const QPageLayout Layout = Printer.pageLayout();
    MakePdf(Printer.outputFileName(), QPageLayout(Layout.pageSize(), Layout.orientation(), QMarginsF()),
            Printer.resolution());
    FPdf->setTitle(Printer.docName());
    // A printer takes the pages chosen itself; a PDF leaves the others out.
    if (Printer.printRange() == QPrinter::PageRange)
      FChosen = Printer.pageRanges();
  } else {
    FDevice = &Printer;
  }
}

TPrinterCanvas::TPrinterCanvas(const QString& PdfFile, const QPageLayout& Layout)
{
  MakePdf(PdfFile, Layout, 1200);
  FPdf->setTitle("Spacelens");
}

TPrinterCanvas::~TPrinterCanvas()
{
  if (FPainter.isActive())
    FPainter.end();
}

void TPrinterCanvas::MakePdf(const QString& File, const QPageLayout& Layout, int Resolution)
{
  FPdfFile = File;
  FBuffer.open(QIODevice::WriteOnly);
  FPdf = std::make_unique<QPdfWriter>(&FBuffer);
  FPdf->setPageLayout(Layout);
  FPdf->setResolution(Resolution);
  FPdf->setCreator("Spacelens");
  FDevice = FPdf.get();
}

bool TPrinterCanvas::Begin(QString& Error)
{
  if (FPdf && FPdfFile.isEmpty()) {
    Error = tr("No file was named for the PDF.");
    return false;
  }
  if (!FPainter.begin(FDevice)) {
    Error = tr("The printer could not be started.");
    return false;
  }
  FStarted = Chosen();
  UseReportUnits();
  return true;
}

bool TPrinterCanvas::Chosen() const
{
  return FChosen.isEmpty() || FChosen.contains(FPage);
}

bool TPrinterCanvas::End(QString& Error)
{
  if (!FPainter.end()) {
    Error = tr("The printer did not take the document.");
    return false;
  }
  if (!FPdf)
    return true;
  // "-" is standard output, as for every output the command line names.
  if (FPdfFile == "-") {
    const QByteArray& Data = FBuffer.data();
    errno = 0;
    if (std::fwrite(Data.constData(), 1, size_t(Data.size()), stdout) == size_t(Data.size())
        && std::fflush(stdout) == 0)
      return true;
    Error = QString("Cannot write standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno ? errno : EIO)));
    return false;
  }
  QString Reason;
  if (TSafeSave::Write(FPdfFile, FBuffer.data(), Reason))
    return true;
  Error = tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(FPdfFile), Reason);
  return false;
}

void TPrinterCanvas::UseReportUnits()
{
  const qreal Scale = FDevice->logicalDpiX() / 254.0;
  FPainter.resetTransform();
  FPainter.scale(Scale, FDevice->logicalDpiY() / 254.0);
  FPainter.setRenderHint(QPainter::Antialiasing);
}

int TPrinterCanvas::PageWidth() const
{
  return FDevice->widthMM() * 10;
}

int TPrinterCanvas::PageHeight() const
{
  return FDevice->heightMM() * 10;
}

void TPrinterCanvas::Text(int X, int Y, const QString& Text)
{
  if (!Chosen())
    return;
  FPainter.setFont(Font());
  FPainter.setPen(Qt::black);
  const int Width = TextWidth(Text);
  const int Left = Align() == taCenter ? X - Width / 2 : Align() == taRight ? X - Width : X;
  FPainter.drawText(QPointF(Left, Y + QFontMetricsF(Font()).ascent()), Text);
}

void TPrinterCanvas::Line(int X1, int Y1, int X2, int Y2)
{
  if (!Chosen())
    return;
  FPainter.setPen(QPen(Qt::black, 2));  // 0.2 mm
  FPainter.drawLine(X1, Y1, X2, Y2);
}

void TPrinterCanvas::Icon(int X, int Y, int Size, const QIcon& Icon)
{
  if (!Chosen())
    return;
  FPainter.drawPixmap(QRect(X, Y, Size, Size), Icon.pixmap(64, 64));
}

void TPrinterCanvas::Picture(int Left, int Top, int Right, int Bottom, const TPictureDraw& Draw)
{
  if (!Chosen())
    return;
  // The picture draws in the device's own pixels, its texts sized for them.
  const QTransform Units = FPainter.transform();
  FPainter.save();
  FPainter.resetTransform();
  Draw(FPainter, Units.mapRect(QRect(QPoint(Left, Top), QPoint(Right, Bottom))));
  FPainter.restore();
}

bool TPrinterCanvas::NewPage()
{
  return StartPage(FPage + 1);
}

bool TPrinterCanvas::NewCopy()
{
  return StartPage(1);
}

bool TPrinterCanvas::StartPage(int Page)
{
  FPage = Page;
  if (!Chosen())
    return true;
  // The first page chosen goes on the page the device began with.
  if (FStarted && !FDevice->newPage())
    return false;
  FStarted = true;
  UseReportUnits();
  return true;
}
