// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderData.h"

#include "fs/FileTime.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <cstring>

TFolderData::~TFolderData()
{
  if (FOwnsName)
    delete[] FName;
}

TFileCount TFolderData::CountFile(uint64_t Size, uint32_t ClusterSize, uint64_t DiskBytes)
{
  if (Size == 0)
    return {};
  const uint64_t Clusters = Size / ClusterSize + (Size % ClusterSize != 0);
  const uint64_t OnDisk = DiskBytes / ClusterSize + (DiskBytes % ClusterSize != 0);
  return {Clusters, Size - (Clusters - 1) * ClusterSize, 1, Clusters - std::min(Clusters, OnDisk)};
}

void TFolderData::Count(const TFileCount& Added, const TFileCount& Taken)
{
  // Unsigned wrap-around makes what is taken subtract.
  FClusters += Added.Clusters - Taken.Clusters;
  FTailBytes += Added.TailBytes - Taken.TailBytes;
  FObjects += Added.Objects - Taken.Objects;
  FHoles += Added.Holes - Taken.Holes;
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

const TFolderNode* TFolderData::Node() const
{
  return static_cast<const TFolderNode*>(this);
}

TRoot* TFolderData::Root() const
{
  // A top node knows its root, and a folder's list of sub-folders theirs:
  // the climb ends at the first parent with such a list, one step for every
  // folder in the tree (a file row of the details list may take a second).
  const TFolderNode* Node = this->Node();
  while (const TFolderNode* Parent = Node->Parent()) {
    if (Parent->FChildren)
      return Parent->FChildren->FRoot;
    Node = Parent;
  }
  return Node->FRoot;
}

uint32_t TFolderData::ClusterSize() const
{
  const TRoot* Root = this->Root();
  return Root ? Root->FClusterSize : 512;
}

double TFolderData::GetValue(int ViewType, int UnitFlag) const
{
  const double C = double(FClusters.Load());
  const double A = double(AllocatedClusters());
  const double T = double(FTailBytes.Load());
  const double N = double(FObjects.Load());
  const double Cluster = ClusterSize();
  double Value;
  switch (ViewType) {
    case vtSize: Value = std::max(0.0, C - N) * (Cluster / 512) / 2 + T / 1024; break;
    case vtAllocated: Value = A * (Cluster / 512) / 2; break;
    case vtPercent: {
      const TRoot* Root = this->Root();
      if (Root && Root->Scanning())
        return -1;
      const TFolderNode* Parent = Node()->Parent();
      return PercentOf(A, double((Parent ? Parent : this)->AllocatedClusters()));
    }
    case vtWasted: Value = std::max(0.0, Cluster * N - T) / 1024; break;
    case vtCDROM: Value = N == 0 ? 0 : ((T / 2048 + N / 2 + 1) * 2048 + std::max(0.0, C - N) * Cluster) / 1024; break;
    case vtObjects: return N;
    default: return 0;
  }
  if (UnitFlag == 0)
    Value /= 1024;
  return float(Value);
}

uint64_t TFolderData::Amount(int ViewType) const
{
  switch (ViewType) {
    case vtSize: return SizeBytes();
    case vtWasted: {
      // Read while a scan counts: the last units' bytes may be ahead.
      const uint64_t Units = FObjects.Load() * ClusterSize(), Tails = FTailBytes.Load();
      return Units > Tails ? Units - Tails : 0;
    }
    case vtCDROM: return uint64_t(GetValue(vtCDROM, 1) * 1024);
    case vtObjects: return FObjects.Load();
    default: return AllocatedBytes();
  }
}

uint64_t TFolderData::SizeBytes() const
{
  const uint64_t Clusters = FClusters.Load(), Objects = FObjects.Load();
  uint64_t Bytes;
  if (__builtin_mul_overflow(Clusters > Objects ? Clusters - Objects : 0, uint64_t(ClusterSize()), &Bytes)
      || __builtin_add_overflow(Bytes, FTailBytes.Load(), &Bytes))
    return UINT64_MAX;
  return Bytes;
}

uint64_t TFolderData::AllocatedBytes() const
{
  uint64_t Bytes;
  return __builtin_mul_overflow(AllocatedClusters(), uint64_t(ClusterSize()), &Bytes) ? UINT64_MAX : Bytes;
}

std::string TFolderData::FullPath() const
{
  std::vector<const TFolderNode*> Above;
  for (const TFolderNode* Node = this->Node(); Node; Node = Node->Parent())
    Above.push_back(Node);
  std::string Path;
  for (auto Node = Above.rbegin(); Node != Above.rend(); ++Node) {
    Path += (*Node)->Name();
    if (!Path.empty() && Path.back() != '/')
      Path += '/';
  }
  return Path;
}

std::string TFolderData::PathBelowTop() const
{
  const TFolderNode* Top = Node();
  while (Top->Parent())
    Top = Top->Parent();
  return FullPath().substr(Top->FullPath().size());
}

std::string TFolderData::Name() const
{
  return FIsFiles ? std::string() : std::string(FName);
}

void TFolderData::SetName(const std::string& Text)
{
  char* Copy = new char[Text.size() + 1];
  std::memcpy(Copy, Text.c_str(), Text.size() + 1);
  if (FOwnsName)
    delete[] FName;
  FName = Copy;
  FOwnsName = true;
}
