// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OptionChoices.h"

#include "app/WindowSettings.h"
#include "scan/ScanSettings.h"
#include "view/DetailsList.h"
#include "view/ValueDisplay.h"

TOptionChoices TOptionChoices::Gather(const TValueDisplay& Display, const TScanSettings& Scan,
                                      const TWindowSettings& Window, const TDetailsList& List)
{
  TOptionChoices Options;
  Options.FUnitType = Display.FUnitType;
  Options.FDecimals = Display.FDecimals;
  Options.FBoldFactor = Display.FBoldFactor;
  Options.FMRUMaximum = Window.FMRUMaximum;
  Options.FHistoryKeep = Window.FHistoryKeep;
  Options.FHistoryMegabytes = Window.FHistoryMegabytes;
  Options.FDuplicatesBytes = Window.FDuplicatesBytes;
  Options.FShowFiles = Scan.FShowFiles;
  Options.FChartTool = Window.FChartTool;
  Options.FShowErrors = Scan.FShowErrors;
  Options.FFollowReparsePoints = Scan.FFollowReparsePoints;
  Options.FHardLinksOnce = Scan.FHardLinksOnce;
  for (const std::string& Pattern : Scan.FFileFilter)
    Options.FFilter += (Options.FFilter.empty() ? "" : " ") + Pattern;
  for (const std::string& Pattern : Scan.FExclude.Patterns())
    Options.FExclude += Pattern + "\n";
  for (int Column = 0; Column < TListModel::lcCount; ++Column)
    Options.FColumns[size_t(Column)] = List.ColumnWidth(Column) > 2;
  return Options;
}

bool TOptionChoices::ApplyTo(TValueDisplay& Display, TScanSettings& Scan, TWindowSettings& Window,
                             TDetailsList& List) const
{
  const bool Relabel =
    Display.FUnitType != FUnitType || Display.FDecimals != FDecimals || Display.FBoldFactor != FBoldFactor;
  Display.FUnitType = TValueDisplay::TUnitType(FUnitType);
  Display.FDecimals = FDecimals;
  Display.FBoldFactor = FBoldFactor;
  Window.FMRUMaximum = FMRUMaximum;
  Window.FHistoryKeep = FHistoryKeep;
  Window.FHistoryMegabytes = FHistoryMegabytes;
  Window.FDuplicatesBytes = FDuplicatesBytes;
  Scan.SetFileFilter(FFilter, 63);
  for (int Column = 0; Column < TListModel::lcCount; ++Column) {
    if (!FColumns[size_t(Column)])
      List.SetColumnWidth(Column, 0);
    else if (List.ColumnWidth(Column) < 3)
      List.SetColumnWidth(Column, 90);  // shown again at its default width
  }
  Scan.FShowFiles = FShowFiles;
  Window.FChartTool = FChartTool;
  Scan.FShowErrors = FShowErrors;
  Scan.FFollowReparsePoints = FFollowReparsePoints;
  Scan.FHardLinksOnce = FHardLinksOnce;
  Scan.FExclude = TExcludeRules();
  Scan.FExclude.AddLines(FExclude);
  return Relabel;
}
