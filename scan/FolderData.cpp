#include "FolderData.h"

#include "FileTime.h"
#include "FolderNode.h"
#include "Root.h"

#include <QDateTime>
#include <QLocale>

#include <cerrno>
#include <vector>

TFolderData::TFolderData(TFolderNode* Node, TRoot* Root) : FRoot(Root), FNode(Node) {}

TFileCount TFolderData::CountFile(uint64_t Size, uint32_t ClusterSize)
{
  if (Size == 0)
    return {};
  const uint64_t Clusters = Size / ClusterSize + (Size % ClusterSize != 0);
  return {Clusters, Size - (Clusters - 1) * ClusterSize, 1};
}

double TFolderData::PercentOf(double Part, double Whole)
{
  return float(Part / (Whole + 0.0001) * 100);
}

bool TFolderData::IsAccessDeniedCode(int Code)
{
  return Code == EACCES || Code == EPERM;
}

QString TFolderData::DateText(uint64_t Time)
{
  if (!FileTime::IsSet(Time))
    return {};
  // Shown at the two-second resolution dates have always had in this column.
  const int64_t Seconds = FileTime::ToUnixSeconds(Time) & ~int64_t(1);
  const QDate Date = QDateTime::fromSecsSinceEpoch(Seconds, Qt::UTC).toLocalTime().date();
  return QLocale().toString(Date, QLocale::ShortFormat);
}

TFolderData* TFolderData::RecordOf(const TFolderNode* Node)
{
  return Node ? Node->FData : nullptr;
}

TFolderNode* TFolderData::NewFilesEntry(TFolderNode* Parent, uint64_t Clusters, uint64_t TailBytes, uint64_t Files)
{
  auto* Entry = new TFolderNode(Parent);
  Entry->FData = new TFolderData(Entry, Parent->FData->FRoot);
  Entry->FData->FIsFiles = true;
  Entry->FData->FClusters = Clusters;
  Entry->FData->FTailBytes = TailBytes;
  Entry->FData->FObjects = Files;
  return Entry;
}

uint32_t TFolderData::ClusterSize() const
{
  return FRoot ? FRoot->FClusterSize : 512;
}

double TFolderData::GetValue(int ViewType, int UnitFlag) const
{
  const double C = double(FClusters.Load());
  const double T = double(FTailBytes.Load());
  const double N = double(FObjects.Load());
  const double Cluster = ClusterSize();
  double Value;
  switch (ViewType) {
    case vtSize:
      Value = (C - N) * (Cluster / 512) / 2 + T / 1024;
      break;
    case vtAllocated:
      Value = C * (Cluster / 512) / 2;
      break;
    case vtPercent: {
      if (FRoot && FRoot->Scanning())
        return -1;
      const TFolderData* Parent = FNode && FNode->Parent() ? RecordOf(FNode->Parent()) : this;
      return PercentOf(C, double(Parent->FClusters.Load()));
    }
    case vtWasted:
      Value = (Cluster * N - T) / 1024;
      break;
    case vtCDROM:
      Value = N == 0 ? 0 : ((T / 2048 + N / 2 + 1) * 2048 + (C - N) * Cluster) / 1024;
      break;
    case vtObjects:
      return N;
    default:
      return 0;
  }
  if (UnitFlag == 0)
    Value /= 1024;
  return float(Value);
}

uint64_t TFolderData::SizeBytes() const
{
  return (FClusters.Load() - FObjects.Load()) * ClusterSize() + FTailBytes.Load();
}

uint64_t TFolderData::AllocatedBytes() const
{
  return FClusters.Load() * ClusterSize();
}

const std::string& TFolderData::FullPath()
{
  if (!FPath.empty() || !FNode)
    return FPath;
  std::string Text = FNode->Parent() ? RecordOf(FNode->Parent())->FullPath() + Name() : Name();
  if (!Text.empty() && Text.back() != '/')
    Text += '/';
  FPath = std::move(Text);
  return FPath;
}

std::string TFolderData::Name() const
{
  return FIsFiles ? std::string() : FName;
}

void TFolderData::SetName(const std::string& Text)
{
  ClearCachedTexts();
  FName = Text;
}

void TFolderData::ClearCachedTexts()
{
  std::vector<TFolderData*> Pending{this};
  while (!Pending.empty()) {
    TFolderData* Record = Pending.back();
    Pending.pop_back();
    Record->FDisplayName.clear();
    Record->FPath.clear();
    Record->FChildrenLabelled = false;
    if (Record->FNode)
      for (TFolderNode* Child : Record->FNode->Children())
        Pending.push_back(Child->FData);
  }
}
