// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/FileTime.h"
#include "scan/ChangeMeasure.h"
#include "scan/Relaxed.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <string>

class TFolderNode;
struct TRoot;

// The measures a record can give (the view types of the window; 6 is the
// object count, which has no view of its own).
enum TViewType : int {
  vtSize = 1,
  vtAllocated = 2,
  vtPercent = 3,
  vtWasted = 4,
  vtCDROM = 5,
  vtObjects = 6,
};

// Where a folder is in its scan. A worker moves it from queued to listing
// and, once it and every folder below it are finished, to done (or failed,
// when its own listing failed: FErrorCode says why). A stopped scan leaves
// the folders it did not finish stopped.
enum TScanState : uint8_t {
  ssQueued,
  ssListing,
  ssDone,
  ssFailed,
  ssStopped,
};

// What the worker that owns a folder learnt of it; the window reads them.
enum TScanFlag : uint8_t {
  sfListed = 1,       // its listing has finished: its own files are known
  sfOtherDevice = 2,  // on another device than its parent, or of unknown device
  sfNotEntered = 4,   // a link or mount point the scan did not walk into
  sfFailedBelow = 8,  // a folder below could not be read whole: the totals fall short
};

// What files add to a folder's totals.
struct TFileCount {
  uint64_t Clusters = 0;
  uint64_t TailBytes = 0;
  uint64_t Objects = 0;
  uint64_t Holes = 0;  // clusters of their length that take no space on disk

  // The bytes their clusters of ClusterSize take on disk.
  uint64_t AllocatedBytes(uint32_t ClusterSize) const { return (Clusters - std::min(Clusters, Holes)) * ClusterSize; }
  void Add(const TFileCount& Other, uint64_t Times = 1)
  {
    Clusters += Other.Clusters * Times;
    TailBytes += Other.TailBytes * Times;
    Objects += Other.Objects * Times;
    Holes += Other.Holes * Times;
  }
  void Take(const TFileCount& Other)
  {
    Clusters -= Other.Clusters;
    TailBytes -= Other.TailBytes;
    Objects -= Other.Objects;
    Holes -= Other.Holes;
  }
};

// The record of one folder of the tree (or of the "<Files>" entry of a
// folder, or of a file row of the details list): totals in allocation units,
// last-unit bytes and objects, from which every measure is derived. Counters
// are 64-bit and never wrap. Every record is the data part of a tree node
// (TFolderNode), so that a folder costs one small object; records are kept
// small because a scan makes one per folder on the disk.
class TFolderData {
public:
  TFolderData(const TFolderData&) = delete;
  TFolderData& operator=(const TFolderData&) = delete;

  const char* FName = "";  // own name as listed (bytes); the path as given for a top record
  TRelaxed<uint64_t> FClusters;
  TRelaxed<uint64_t> FTailBytes;
  TRelaxed<uint64_t> FObjects;
  TRelaxed<uint64_t> FHoles;  // clusters of sparse files' holes, part of FClusters
  // Newest access and write times below, in whole seconds (see
  // FileTime::ToSeconds32): dates are all a folder shows of them.
  TRelaxed<uint32_t> FLastAccess;
  TRelaxed<uint32_t> FLastWrite;
  TRelaxed<int16_t> FErrorCode{0};  // errno of a failed listing, 0 when none
  TRelaxed<TScanState> FState{ssQueued};
  TRelaxed<uint8_t> FScanFlags{0};  // TScanFlag bits, written by the folder's worker
  // Set when the record is made, then only read (by workers too).
  bool FIsFiles : 1 = false;

protected:
  bool FTop : 1 = false;      // a top node of the tree
  bool FInBlock : 1 = false;  // made in a block with its siblings

public:
  // The window's marks, in a byte of their own: workers read the byte
  // above while the window writes this one.
  uint8_t : 0;
  bool FChildrenLabelled : 1 = false;
  // Shown in bold: a large folder of its scan.
  bool FBold : 1 = false;
  // Expanded in the window's tree (kept by the view, asked often).
  bool FExpanded : 1 = false;

  // The times in file-time units, 0 for none.
  uint64_t LastAccess() const { return FileTime::FromSeconds32(FLastAccess); }
  uint64_t LastWrite() const { return FileTime::FromSeconds32(FLastWrite); }

  // It and everything below it have been counted.
  bool Finished() const { return FState == ssDone || FState == ssFailed; }
  bool Listed() const { return FScanFlags & sfListed; }
  // Its totals are a lower bound: a folder below it could not be read.
  bool FailedBelow() const { return FScanFlags & sfFailedBelow; }

  // What one file of Size bytes adds; DiskBytes, the space its blocks take,
  // tells the clusters of its holes.
  static TFileCount CountFile(uint64_t Size, uint32_t ClusterSize, uint64_t DiskBytes = UINT64_MAX);
  // The share of Part in Whole, in percent (0 for an empty whole).
  static double PercentOf(double Part, double Whole);
  static bool IsAccessDeniedCode(int Code);
  static QString DateText(uint64_t Time);

  const TFolderNode* Node() const;
  TRoot* Root() const;

  // The measure of the given view type, in megabytes when UnitFlag is 0 and in
  // kilobytes otherwise (Percent and the object count are never scaled).
  double GetValue(int ViewType, int UnitFlag) const;
  // Exact byte values behind the Size and Allocated measures. Totals past
  // what 64 bits hold (sparse files of exabytes) stay at UINT64_MAX.
  uint64_t SizeBytes() const;
  uint64_t AllocatedBytes() const;
  TFolderTotals Totals() const { return {SizeBytes(), AllocatedBytes(), FObjects.Load()}; }
  // The measure of a view type as a whole number, to weigh folders by:
  // bytes (the space allocated for Percent), or the object count.
  uint64_t Amount(int ViewType) const;
  bool BeyondBytes() const { return SizeBytes() == UINT64_MAX || AllocatedBytes() == UINT64_MAX; }
  // A sum of such byte values, staying at UINT64_MAX as they do.
  static uint64_t AddBytes(uint64_t A, uint64_t B)
  {
    uint64_t Sum;
    return __builtin_add_overflow(A, B, &Sum) ? UINT64_MAX : Sum;
  }
  // The clusters taken on disk: all but the holes.
  // Counters grow one after another while a scan runs: a reader may see
  // holes before their clusters, hence the clamp.
  uint64_t AllocatedClusters() const
  {
    const uint64_t Clusters = FClusters.Load(), Holes = FHoles.Load();
    return Clusters > Holes ? Clusters - Holes : 0;
  }
  TFileCount Counts() const { return {FClusters.Load(), FTailBytes.Load(), FObjects.Load(), FHoles.Load()}; }
  // Adds Added to the counters and takes Taken out of them.
  void Count(const TFileCount& Added, const TFileCount& Taken = {});
  uint32_t ClusterSize() const;

  // The folder's path ending in "/", made from the names up the tree.
  std::string FullPath() const;
  // Its path below the top of its tree: "" for the top, else ending in "/".
  std::string PathBelowTop() const;
  std::string Name() const;
  void SetName(const std::string& Text);

protected:
  TFolderData() = default;
  ~TFolderData();
  // Names made by SetName are the record's own; names the scan made live in
  // the block of their siblings. Beside the window's marks.
  bool FOwnsName : 1 = false;
};
