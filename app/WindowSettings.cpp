// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSettings.h"

#include "app/SettingsStore.h"
#include "app/TreeCommands.h"
#include "scan/ScanSettings.h"
#include "view/ValueDisplay.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>
#include <optional>
#include <variant>

namespace {

struct TEntry {
  const char* Key;
  std::variant<int TWindowSettings::*, bool TWindowSettings::*> Field;
  int Low = 0;
  int High = 0;
  bool AtShow = false;
  // What a stored value out of range reads as, when not the default.
  std::optional<int> Outside = std::nullopt;
};

using W = TWindowSettings;

// In the order they are read. Geometry is bounded so that arithmetic on it
// never overflows; putting the window on a screen is the window's business.
const TEntry Entries[] = {
  {"SortType", &W::FSortType, TValueDisplay::stName, TValueDisplay::stNone},
  // A first start shows the space taken, a stored Wasted or CD-ROM view
  // starts as Size (see Load).
  {"ShowType", &W::FShowType, vtSize, vtObjects, false, vtSize},
  {"UnitType", &W::FUnitType, 0, 3},
  {"Width", &W::FWidth, 100, 16000},
  {"Height", &W::FHeight, 100, 16000},
  {"Left", &W::FLeft, -16000, 16000},
  {"Top", &W::FTop, -16000, 16000},
  {"Scale", &W::FScale, 0, 1600},
  {"Decimals", &W::FDecimals, 1, 4},
  {"BoldFactor", &W::FBoldFactor, 0, 100},
  {"MinimumExpandSize", &W::FMinimumExpandSize, 0, 1000000},
  {"FollowReparsePoints", &W::FFollowReparsePoints},
  {"ShowFiles", &W::FShowFiles},
  {"HardLinksOnce", &W::FHardLinksOnce},
  {"ChartTool", &W::FChartTool},
  {"Chart3D", &W::FChart3D},
  {"ChartLegend", &W::FChartLegend},
  {"ChartPatterns", &W::FChartPatterns},
  {"Splitter", &W::FSplitter, 0, 16000},
  {"MRUMaximum", &W::FMRUMaximum, 0, 32},
  {"HistoryKeep", &W::FHistoryKeep, 0, 1000},
  {"HistoryMegabytes", &W::FHistoryMegabytes, 1, 1000000},
  {"Maximized", &W::FMaximized},
  {"ActiveSeries", &W::FActiveSeries, INT_MIN, INT_MAX},  // 0 pie, 2 list, 3 treemap, 4 files, 5 types, any other bar
  {"ShowErrors", &W::FShowErrors, 0, 0, true},
  {"ToolBarBreak", &W::FToolBarBreak, 0, 0, true},
  {"ToolBar1Width", &W::FToolBar1Width, 0, 16000, true},
};

const char* MarginKeys[] = {"MarginLeft", "MarginTop", "MarginBot", "MarginRight"};
constexpr int MarginLimit = 10000;  // a tenth of a metre

}  // namespace

void TWindowSettings::Load(const TSettingsStore& Store, bool AtShow)
{
  const TWindowSettings Defaults;
  for (const TEntry& Entry : Entries) {
    if (Entry.AtShow != AtShow)
      continue;
    if (auto* Field = std::get_if<bool W::*>(&Entry.Field)) {
      this->*(*Field) = Store.Boolean(Entry.Key, Defaults.*(*Field));
    } else {
      auto Number = std::get<int W::*>(Entry.Field);
      const int Value = Store.Integer(Entry.Key, Defaults.*Number);
      this->*Number = Value >= Entry.Low && Value <= Entry.High ? Value : Entry.Outside.value_or(Defaults.*Number);
    }
  }
  if (!AtShow) {
    if (FShowType == vtWasted || FShowType == vtCDROM)
      FShowType = vtSize;
    FStoredFrame = Store.Has("Width");
    FStoredSplitter = Store.Has("Splitter");
  }
  if (!AtShow)
    FExclude = Store.Text("Exclude").toLocal8Bit().toStdString();
  if (!AtShow) {
    // In bytes, as --min-size: once a whole number of megabytes.
    bool Valid = false;
    const qulonglong Bytes = Store.Text("DuplicatesMinimum").trimmed().toULongLong(&Valid);
    const int Megabytes = Store.Integer("DuplicatesMegabytes", 0);
    FDuplicatesBytes = Valid && Bytes > 0     ? Bytes
      : Megabytes > 0 && Megabytes <= 1000000 ? uint64_t(Megabytes) << 20
                                              : Defaults.FDuplicatesBytes;
  }
  if (!AtShow)
    for (int Side = 0; Side < 4; ++Side) {
      const int Value = Store.Integer(MarginKeys[Side], Defaults.FMargins[Side]);
      FMargins[Side] = Value >= 0 && Value <= MarginLimit ? Value : Defaults.FMargins[Side];
    }
}

void TWindowSettings::Save(TSettingsStore& Store) const
{
  for (const TEntry& Entry : Entries) {
    if (auto* Field = std::get_if<bool W::*>(&Entry.Field))
      Store.SetBoolean(Entry.Key, this->*(*Field));
    else
      Store.SetInteger(Entry.Key, this->*std::get<int W::*>(Entry.Field));
  }
  for (int Side = 0; Side < 4; ++Side)
    Store.SetInteger(MarginKeys[Side], FMargins[Side]);
  Store.SetText("Exclude", QString::fromLocal8Bit(FExclude));
  Store.SetText("DuplicatesMinimum", QString::number(qulonglong(FDuplicatesBytes)));
}

QRect TWindowSettings::Frame()
{
  const QScreen* Screen = QGuiApplication::screenAt(QRect(FLeft, FTop, FWidth, FHeight).center());
  if (!Screen)
    Screen = QGuiApplication::primaryScreen();
  return Frame(Screen ? Screen->availableGeometry() : QRect(), Screen ? Screen->devicePixelRatio() : 1);
}

QRect TWindowSettings::Frame(const QRect& Available, qreal Scale)
{
  QRect Frame(FLeft, FTop, FWidth, FHeight);
  // Kept at another scale: as large on the screen as it was.
  if (FStoredFrame && FScale > 0 && Scale > 0)
    Frame.setSize(Frame.size() * (FScale / 100.0 / Scale));
  if (Available.isValid()) {
    // Sizes are device-independent pixels, as the screen's are: the first
    // window takes a share of the screen whatever its scale, and no window
    // is larger than the screen with its title bar and borders.
    const QSize Room = (Available.size() - QSize(16, 48)).expandedTo(QSize(100, 100));
    if (!FStoredFrame) {
      Frame.setSize(Available.size() * 0.7);
      Frame.moveCenter(Available.center());
    }
    Frame.setSize(Frame.size().boundedTo(Room));
    // A window whose title bar would be out of reach comes back on screen.
    const QRect Visible = Frame.intersected(Available);
    if (Visible.width() < 100 || Visible.height() < 50 || Frame.top() < Available.top())
      Frame.moveCenter(Available.center());
  }
  if (!FStoredSplitter)
    FSplitter = Frame.width() * 2 / 5;
  return Frame;
}

void TWindowSettings::ApplyTo(TValueDisplay& Display, TTreeCommands& Commands, TScanSettings& Scan) const
{
  Commands.FSortType = TValueDisplay::TSortType(FSortType);
  Commands.FMinimumExpandSize = FMinimumExpandSize;
  Display.FShowType = TViewType(FShowType);
  Display.FUnitType = TValueDisplay::TUnitType(FUnitType);
  Display.FDecimals = FDecimals - 1;
  Display.FBoldFactor = FBoldFactor;
  Scan.FFollowReparsePoints = FFollowReparsePoints;
  Scan.FShowFiles = FShowFiles;
  Scan.FHardLinksOnce = FHardLinksOnce;
  Scan.FExclude = TExcludeRules();
  Scan.FExclude.AddLines(FExclude);
}

void TWindowSettings::TakeFrom(const TValueDisplay& Display, const TTreeCommands& Commands, const TScanSettings& Scan)
{
  // A comparison ends with the program: its sort mode is not kept.
  FSortType = Commands.FSortType == TValueDisplay::stChange ? TValueDisplay::stSize : Commands.FSortType;
  FMinimumExpandSize = Commands.FMinimumExpandSize;
  FShowType = Display.FShowType;
  FUnitType = Display.FUnitType;
  FDecimals = Display.FDecimals + 1;
  FBoldFactor = Display.FBoldFactor;
  FFollowReparsePoints = Scan.FFollowReparsePoints;
  FShowFiles = Scan.FShowFiles;
  FHardLinksOnce = Scan.FHardLinksOnce;
  FExclude.clear();
  for (const std::string& Pattern : Scan.FExclude.Patterns())
    FExclude += Pattern + "\n";
  FShowErrors = Scan.FShowErrors;
}

void TWindowSettings::SetFrame(const QRect& Frame, qreal Scale)
{
  FScale = qRound(Scale * 100);
  FLeft = Frame.left();
  FTop = Frame.top();
  FWidth = Frame.width();
  FHeight = Frame.height();
}

THistoryStore TWindowSettings::History() const
{
  THistoryStore Store;
  Store.FKeep = size_t(FHistoryKeep);
  Store.FMostBytes = uint64_t(FHistoryMegabytes) << 20;
  return Store;
}
