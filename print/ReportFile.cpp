// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportFile.h"

#include "print/PrinterCanvas.h"
#include "print/TreeReport.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>

bool TReportFile::Write(const QString& File, const std::vector<TFolderNode*>& Tops, TValueDisplay& Display,
                        const std::array<int, 4>& Margins, const std::function<bool(const TFolderNode*)>& IsExpanded,
                        QString& Error)
{
  const bool Metric = QLocale().measurementSystem() == QLocale::MetricSystem;
  const QPageLayout Layout(QPageSize(Metric ? QPageSize::A4 : QPageSize::Letter), QPageLayout::Portrait, QMarginsF());
  // A file that is there stays as it is unless a whole report replaces it.
  if (Tops.empty()) {
    Error = QString("Nothing was scanned: %1 is left as it was.").arg(File);
    return false;
  }
  TPrinterCanvas Canvas(File, Layout);
  if (!Canvas.Begin(Error))
    return false;
  TTreeReport Report(Display, IsExpanded);
  for (size_t Index = 0; Index < Tops.size(); ++Index) {
    if ((Index > 0 && !Canvas.NewPage()) || !Report.Print(Canvas, Margins, Tops[Index])) {
      Error = "A new page could not be started.";
      return false;
    }
  }
  return Canvas.End(Error);
}
