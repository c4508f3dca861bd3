// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <array>
#include <functional>

class TFolderData;
class TReportCanvas;
class TValueDisplay;
struct TRoot;

// The page layer every report shares: the page's geometry in tenths of a
// millimetre within the margins, the header block, the drive and folder
// lines, the column header, the page label and the page break.
class TReportPage {
  Q_DECLARE_TR_FUNCTIONS(TReportPage)

public:
  // Margins in hundredths of a millimetre: left, top, bottom, right.
  TReportPage(TReportCanvas& Canvas, TValueDisplay& Display, const std::array<int, 4>& Margins);

  // The right edges of the values of the list's columns 1 to 7, from X.
  static constexpr std::array<int, 7> ValueRight{600, 810, 970, 1150, 1300, 1490, 1670};
  static constexpr int LineStep = 38;

  TReportCanvas& FCanvas;
  int PageW = 0;
  int PageH = 0;
  int X = 0;  // left edge of the texts
  int W = 0;  // width between the margins
  int H = 0;  // the page break limit
  int Y = 0;  // top of the next line
  int FPage = 1;
  // Told the progress: "Printing Page 2 ..." at each page break.
  std::function<void(const QString&)> OnProgress;
  // The captions of the seven value columns: the details list's unless set.
  std::array<QString, 7> FCaptions;
  // While the tree is compared with an earlier scan, each folder's change
  // takes the place of its last access: a page has room for seven.
  static constexpr size_t ChangeColumn = 5;
  bool ShowsChange() const;

  // The first three lines of the first page: the program's name with the
  // suffix and the date, the version, and the report's own line.
  void StartReport(const QString& Suffix, const QString& Third);
  void PrintDriveLine(const TRoot& Root);
  // Step is how far below the line before it; Files writes "Files:" for
  // "Objects:".
  void PrintFolderLine(const TFolderData& Folder, const TRoot& Root, int Step, bool Files);
  void PrintColumnHeader(const QString& First);
  void PrintPageLabel();
  void NextReportPage(const QString& First);
  // After a line: the next one, on a new page when this one went past H.
  // False when no new page could be started.
  bool LineDone(const QString& First);
  // The seven values of a row right-aligned at their columns at Y; a value
  // wider than its column (terabytes in megabytes) is drawn narrower rather
  // than over its neighbour.
  void PrintValues(int At, const std::array<QString, 7>& Values);
  // Text cut by its last characters until it is no wider than Limit.
  QString Cut(QString Text, int Limit) const;
  // How far from X a name may reach: to Limit, and short of the size text
  // right-aligned after it, which a long name would otherwise run into.
  int NameRoom(int Limit, const QString& Size) const;
  // Text centred between the margins at Y, left-aligned, narrower if it
  // would not fit between them.
  void Centred(const QString& Text, int At);

  static const char* VersionText;

private:
  // Text at X on the line at Y, narrower if it would not fit the page.
  void LineText(const QString& Text);
  // The font made narrower for Text to fit Room (at most by half); the
  // caller sets it back after drawing.
  void Narrowed(const QString& Text, int Room);

  TValueDisplay& FDisplay;
  std::array<int, 4> FMargins;
  bool FBroken = false;  // a new page could not be started
};
