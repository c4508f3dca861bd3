// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/Baseline.h"
#include "scan/FolderData.h"
#include "shell/ShellPilot.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QCoreApplication>
#include <QFont>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class TFolderData;
class TFolderNode;

// How measures become texts: the view type, units and decimals the user
// chose, the value texts and their padding in the tree, folder captions with
// their marks, node labels, the node order of each sort mode, and bold.
// While the tree is compared with an earlier scan, labels tell each folder's
// change, and growth can be sorted by and is bold.
class TValueDisplay {
  Q_DECLARE_TR_FUNCTIONS(TValueDisplay)

public:
  TViewType FShowType = vtSize;
  enum TUnitType { utMB, utMixed, utKB, utAutomatic };
  TUnitType FUnitType = utMB;  // the values' unit
  int FDecimals = 1;           // decimals shown, 0..3
  int FBoldFactor = 15;        // percent of the scan above which a folder is bold
  // Widths in the window's font, in fractions of a pixel: a font's glyphs
  // rarely advance by whole pixels, and the padding adds many of them.
  qreal FSpaceWidth = 8;
  qreal FBaseValueWidth = 48;
  // The earlier scan compared with; none: no comparison.
  std::shared_ptr<const TBaseline> FBaseline;
  // The tree's sort modes, as the settings keep them; by change only while
  // comparing, the most grown first.
  enum TSortType { stName = 1, stSize, stNone, stChange };
  // What the roots not compared sort by while the tree sorts by change: the
  // mode chosen before.
  TSortType FSortBesideChange = stSize;
  // What a comparison weighs folders by: the measure shown.
  TChangeMeasure ChangeMeasure() const { return TChangeMeasure(FShowType); }

  // The bytes a list of files weighs by for the view shown: the space
  // allocated in the Allocated and Percent views, else the size.
  TViewType BytesMeasure() const { return FShowType == vtAllocated || FShowType == vtPercent ? vtAllocated : vtSize; }

  // A total of bytes in the measure of the view shown, with what it is:
  // "5.2 MB", "5.0 MB allocated", "1.1 MB wasted", "6.0 MB on CD-ROM".
  QString MeasureTotalText(uint64_t Bytes) const;

  // Measures the pad widths in the window's font.
  void MeasureFont(const QFont& Font);

  QString FormatValue(const TFolderData* Record, int ViewType, bool Padded);
  // A number of bytes in the chosen unit, as a size is shown.
  QString BytesText(double Bytes) const;
  QString PadValue(const QString& Text, int ViewType, double Value) const;
  // A measure's value (megabytes for the unit type "MB only", else
  // kilobytes) with its unit.
  QString MeasureText(double Value, int ViewType) const;
  // How many of the measure's own units one unit of its text counts: 1024
  // where a value of kilobytes is shown in megabytes.
  double UnitSize(double Value, int ViewType) const;
  // "%1.*n": grouped thousands, the locale's separators.
  static QString Number(double Value, int Decimals);
  int Decimals() const;
  // Part as a percentage of Whole, with the chosen decimals and " %".
  QString PercentText(double Part, double Whole) const;
  QString DisplayName(const TFolderData* Record);
  // Mount points' names are asked again: a scan may find other volumes.
  void ForgetMountNames() { FMountNames.clear(); }
  QString NodeCaption(const TFolderData* Record);
  // The tree's text of a node: its padded value, then its caption.
  QString NodeLabel(const TFolderData* Record);
  static QString ViewTypeName(int ViewType);
  // Whether Node is compared: of the root compared, not a "<Files>" entry.
  bool Compares(const TFolderNode* Node) const;
  // How much Node grew since the earlier scan, in the measure shown; 0
  // when not compared.
  int64_t Change(const TFolderNode* Node) const;
  int64_t Change(const TBaseline::TChange& Change) const;
  // A change as the tree writes it: "+1.2 MB", "-300 KB", "+12" objects,
  // "same"; "new" for a folder the earlier scan did not have; empty when
  // not compared.
  QString ChangeText(const TFolderNode* Node) const;
  QString ChangeText(const TBaseline::TChange& Change) const;
  QString SignedBytesText(int64_t Bytes) const;
  // A folder's totals in the earlier scan, in the measure shown.
  QString ThenText(const TFolderSnapshot::TFolder& Then) const;

  // What a node sorts by under the sort mode, taken once: a scan keeps
  // raising totals, and a sort must not see them change under it.
  struct TSortKey {
    std::optional<QCollatorSortKey> Name;
    double Value = 0;
    TSortType By = stNone;  // the sort mode the key is of, the same for siblings
  };
  // By change, a node of a root not compared sorts as before the comparison.
  TSortKey SortKey(const TFolderNode* Node, TSortType SortType);
  // Negative when A comes first under the sort mode of the keys (1 name,
  // 2 size, 3 none, 4 change) and the view type they were taken for.
  static int CompareKeys(const TSortKey& A, const TSortKey& B, TViewType ShowType);
  int CompareNodes(const TFolderNode* A, const TFolderNode* B, TSortType SortType);
  // Larger sizes (in kilobytes) first; sizes less than half a kilobyte
  // apart compare equal, so they keep their order.
  static int CompareKB(double A, double B);
  static int Sign(double Value) { return (Value > 0) - (Value < 0); }
  // Bold for the children of Node (and below, through expanded nodes) that
  // take more than the bold factor of their whole scan; while comparing,
  // that grew by more than the bold factor of their scan's growth.
  void ApplyBold(TFolderNode* Node, const std::function<bool(const TFolderNode*)>& IsExpanded) const;

  // The scan engine's shell component: display names, drive titles, errors.
  TShellPilot& Shell() { return FShell; }

private:
  // The power of 1024 the text of a measure's value is divided by.
  int UnitPower(double Value, int ViewType) const;

  QFont FFont;
  QCollator FCollator;
  TShellPilot FShell;
  // Shown names of the mount points met, by path: asking the shell is slow.
  std::unordered_map<std::string, QString> FMountNames;
};
