// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ValueDisplay.h"

#include "fs/PathRules.h"
#include "scan/Baseline.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/ShellPilotError.h"

#include <QFontMetrics>
#include <QLocale>

#include <cmath>

void TValueDisplay::MeasureFont(const QFont& Font)
{
  FFont = Font;
  const QFontMetricsF Metrics(Font);
  FSpaceWidth = std::max<qreal>(1, Metrics.horizontalAdvance(' '));
  FBaseValueWidth = Metrics.horizontalAdvance("123 MB");
}

int TValueDisplay::Decimals() const
{
  return std::clamp(FDecimals, 0, 3);
}

QString TValueDisplay::PercentText(double Part, double Whole) const
{
  return Number(TFolderData::PercentOf(Part, Whole), Decimals()) + " %";
}

QString TValueDisplay::Number(double Value, int Decimals)
{
  return QLocale().toString(Value, 'f', Decimals);
}

QString TValueDisplay::ViewTypeName(int ViewType)
{
  static const char* Names[] = {QT_TRANSLATE_NOOP("TValueDisplay", "Size"),
                                QT_TRANSLATE_NOOP("TValueDisplay", "Bytes Allocated"),
                                QT_TRANSLATE_NOOP("TValueDisplay", "Percent"),
                                QT_TRANSLATE_NOOP("TValueDisplay", "Wasted Space"),
                                QT_TRANSLATE_NOOP("TValueDisplay", "CD-ROM Cluster Size"),
                                QT_TRANSLATE_NOOP("TValueDisplay", "Objects")};
  return ViewType >= 1 && ViewType <= 6 ? tr(Names[ViewType - 1]) : QString("");
}

QString TValueDisplay::MeasureTotalText(uint64_t Bytes) const
{
  const QString Text = BytesText(double(Bytes)).trimmed();
  switch (FShowType) {
    case vtAllocated:
    case vtPercent: return tr("%1 allocated").arg(Text);
    case vtWasted: return tr("%1 wasted").arg(Text);
    case vtCDROM: return tr("%1 on CD-ROM").arg(Text);
    default: return Text;
  }
}

QString TValueDisplay::FormatValue(const TFolderData* Record, int ViewType, bool Padded)
{
  const double Value = Record->GetValue(ViewType, FUnitType != utMB);
  if (Value < 0)
    return {};  // no percent while the scan runs
  const QString Text = MeasureText(Value, ViewType);
  return Padded ? PadValue(Text, ViewType, Value) : Text;
}

QString TValueDisplay::BytesText(double Bytes) const
{
  return MeasureText(FUnitType == utMB ? Bytes / (1024 * 1024) : Bytes / 1024, vtSize);
}

int TValueDisplay::UnitPower(double Value, int ViewType) const
{
  if (ViewType == vtPercent || ViewType == vtObjects || FUnitType == utMB || FUnitType == utKB)
    return 0;
  if (FUnitType == utMixed)
    return Value > 102400 ? 1 : 0;
  // The largest unit that keeps the value at 1 or more, judged as shown:
  // 1,023.96 KB with one decimal is "1.0 MB".
  const double Shown = 1024 - 0.5 * std::pow(10.0, -Decimals());
  int Power = 0;
  for (double Scaled = Value; Power < 3 && Scaled >= Shown; Scaled /= 1024)
    ++Power;
  return Power;
}

double TValueDisplay::UnitSize(double Value, int ViewType) const
{
  return std::pow(1024.0, UnitPower(Value, ViewType));
}

QString TValueDisplay::MeasureText(double Value, int ViewType) const
{
  if (ViewType == vtObjects)
    return Number(Value, 0);
  const QString Text = Number(Value / UnitSize(Value, ViewType), Decimals());
  if (ViewType == vtPercent)
    return Text + " %";
  static const char* Units[] = {" KB", " MB", " GB", " TB"};
  if (FUnitType == utAutomatic)
    return Text + Units[UnitPower(Value, ViewType)];
  return Text + (FUnitType == utMB || UnitPower(Value, ViewType) == 1 ? " MB" : " kb");
}

QString TValueDisplay::PadValue(const QString& Text, int ViewType, double Value) const
{
  if (ViewType == vtPercent)
    return Value < 10 ? "  " + Text + "  " : Text + "  ";
  if (ViewType == vtObjects)
    return Text + "  ";
  // Rounded to the nearest space, so values end within a space of each
  // other whatever the font.
  const qreal Width = QFontMetricsF(FFont).horizontalAdvance(Text);
  const int Spaces =
    qRound(((Decimals() + 2) * 2 * FSpaceWidth + FBaseValueWidth + FUnitType * 2 * FSpaceWidth - Width) / FSpaceWidth);
  return QString(std::max(0, Spaces), ' ') + Text + "  ";
}

QString TValueDisplay::DisplayName(const TFolderData* Record)
{
  QString Name = TPathRules::Shown(Record->Name());
  // Only a folder on another device than its parent (a mount point, or one
  // the scan could not identify) may show another name: its label. Until
  // its folder is entered, its device is not known yet.
  if (!Record->Node()->Parent() || Record->FState == ssQueued || !(Record->FScanFlags & sfOtherDevice))
    return Name;
  const std::string Path = Record->FullPath();
  if (const auto Known = FMountNames.find(Path); Known != FMountNames.end())
    return Known->second;
  try {
    FShell.SetObjectName(Path);
    Name = FShell.GetDisplayName();
  } catch (const EShellPilotError&) {
    // A folder gone from the disk keeps the name it was scanned with.
  }
  FMountNames.emplace(Path, Name);
  return Name;
}

QString TValueDisplay::NodeCaption(const TFolderData* Record)
{
  if (Record->FIsFiles)
    //: The entry of a folder's own files in the tree
    return tr("<Files>");
  if (const TRoot* Root = Record->Root(); !Record->Node()->Parent() && Root && Root->Imported()) {
    // A folder of another machine is named host:/path already.
    QString Caption = TPathRules::Shown(Record->FName);
    if (!Root->Remote())
      Caption = Root->AsAdministrator() ? tr("%1 (as administrator)").arg(Caption) : tr("%1 (imported)").arg(Caption);
    if (!Root->FIncomplete.empty())
      Caption = tr("%1 [Incomplete]").arg(Caption);
    else if (Record->FState == ssStopped)
      Caption = tr("%1 [Stopped]").arg(Caption);
    return Caption;
  }
  QString Caption = DisplayName(Record);
  if (Record->Node()->Parent()) {
    if (const int Code = Record->FErrorCode; Code > 0)
      Caption =
        TFolderData::IsAccessDeniedCode(Code) ? tr("%1 [Access Denied!]").arg(Caption) : tr("%1 [Error!]").arg(Caption);
    if (Record->FState == ssStopped)
      Caption = tr("%1 [Stopped]").arg(Caption);
    else if (!Record->Finished())
      Caption += "  <==";
  }
  return Caption;
}

QString TValueDisplay::NodeLabel(const TFolderData* Record)
{
  // "≥": a folder below could not be read, so there is at least this much.
  QString Value = FormatValue(Record, FShowType, true);
  if (Record->FailedBelow())
    Value = Value.startsWith(' ') ? u'≥' + Value.mid(1) : u'≥' + Value;
  if (const QString Change = ChangeText(Record->Node()); !Change.isEmpty())
    Value += Change + "  ";
  return Value + NodeCaption(Record);
}

bool TValueDisplay::Compares(const TFolderNode* Node) const
{
  return FBaseline && FBaseline->Of(Node).Compared;
}

int64_t TValueDisplay::Change(const TFolderNode* Node) const
{
  return FBaseline ? Change(FBaseline->Of(Node)) : 0;
}

int64_t TValueDisplay::Change(const TBaseline::TChange& Change) const
{
  return Change.Grown(ChangeMeasure());
}

QString TValueDisplay::SignedBytesText(int64_t Bytes) const
{
  const QString Text =
    ChangeMeasure().Bytes() ? BytesText(std::fabs(double(Bytes))) : Number(std::fabs(double(Bytes)), 0);
  return Bytes < 0 ? '-' + Text : '+' + Text;
}

QString TValueDisplay::ThenText(const TFolderSnapshot::TFolder& Then) const
{
  const TChangeMeasure Measure = ChangeMeasure();
  const double Value = double(Measure.Of(Then.Totals()));
  return Measure.Bytes() ? BytesText(Value) : Number(Value, 0);
}

QString TValueDisplay::ChangeText(const TFolderNode* Node) const
{
  return FBaseline ? ChangeText(FBaseline->Of(Node)) : QString();
}

QString TValueDisplay::ChangeText(const TBaseline::TChange& Change) const
{
  switch (Change.Verdict(ChangeMeasure())) {
    //: A folder the earlier scan did not have
    case TChangeMeasure::cvNew: return tr("new");
    //: No change since the earlier scan
    case TChangeMeasure::cvSame: return Change.Compared ? tr("same") : QString();
    default: return SignedBytesText(this->Change(Change));
  }
}

int TValueDisplay::CompareKB(double A, double B)
{
  return Sign(std::round(B - A));
}

TValueDisplay::TSortKey TValueDisplay::SortKey(const TFolderNode* Node, TSortType SortType)
{
  if (SortType == stChange && !(FBaseline && FBaseline->OfRoot(Node)))
    SortType = FSortBesideChange;
  TSortKey Key;
  Key.By = SortType;
  if (SortType == stName) {
    Key.Name = FCollator.sortKey(NodeCaption(Node));
    return Key;
  }
  if (SortType == stChange) {
    Key.Value = double(Change(Node));
    return Key;
  }
  switch (FShowType) {
    case vtSize:
    case vtCDROM: Key.Value = Node->GetValue(vtSize, 1); break;
    case vtAllocated:
    case vtPercent: Key.Value = double(Node->AllocatedClusters()); break;
    case vtWasted:
      Key.Value = double(Node->FObjects.Load()) * Node->ClusterSize() - double(Node->FTailBytes.Load());
      break;
    case vtObjects: Key.Value = double(Node->FObjects.Load()); break;
    default: break;
  }
  return Key;
}

int TValueDisplay::CompareKeys(const TSortKey& A, const TSortKey& B, TViewType ShowType)
{
  const TSortType SortType = A.By;
  if (SortType == stName)
    return A.Name->compare(*B.Name);
  if (SortType == stChange)
    return Sign(B.Value - A.Value);
  if (SortType != stSize)
    return 0;
  // Larger first; sizes less than half a kilobyte apart keep their order.
  return ShowType == vtSize || ShowType == vtCDROM ? CompareKB(A.Value, B.Value) : Sign(B.Value - A.Value);
}

int TValueDisplay::CompareNodes(const TFolderNode* A, const TFolderNode* B, TSortType SortType)
{
  return CompareKeys(SortKey(A, SortType), SortKey(B, SortType), FShowType);
}

void TValueDisplay::ApplyBold(TFolderNode* Node, const std::function<bool(const TFolderNode*)>& IsExpanded) const
{
  const TRoot* Root = Node->Root();
  // By the measure shown: a sparse image large in Size may take little space.
  const uint64_t Threshold = uint64_t((unsigned __int128)Root->FNode->Amount(FShowType) * unsigned(FBoldFactor) / 100);
  // While comparing, the folders that grew most stand out instead: by more
  // than the bold factor of all their root grew.
  const bool Growth = Compares(Root->FNode);
  const int64_t GrowthThreshold = Growth ? std::max<int64_t>(Change(Root->FNode), 0) / 100 * FBoldFactor : 0;
  std::vector<TFolderNode*> Pending{Node};
  while (!Pending.empty()) {
    TFolderNode* Current = Pending.back();
    Pending.pop_back();
    const bool Deeper = IsExpanded(Current);
    const std::vector<TBaseline::TChange> Changes =
      Growth ? FBaseline->OfChildren(Current) : std::vector<TBaseline::TChange>();
    for (size_t At = 0; At < Current->ChildCount(); ++At) {
      TFolderNode* Child = Current->Child(At);
      if (Growth) {
        const int64_t Grown = Change(Changes[At]);
        Child->FBold = Grown > 0 && Grown > GrowthThreshold;
      } else {
        Child->FBold = Child->Amount(FShowType) > Threshold;
      }
      if (Deeper)
        Pending.push_back(Child);
    }
  }
}
