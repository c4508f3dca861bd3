#pragma once

#include "Relaxed.h"

#include <QString>

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
enum TFolderState : uint8_t {
  fsQueued,
  fsListing,
  fsDone,
  fsFailed,
  fsStopped,
};

// What one file adds to its folder's totals.
struct TFileCount {
  uint64_t Clusters = 0;
  uint64_t TailBytes = 0;
  uint64_t Objects = 0;
};

// One folder of the tree (or the "<Files>" entry of a folder, or a file row of
// the details list): totals in allocation units, last-unit bytes and objects,
// from which every measure is derived. Counters are 64-bit and never wrap.
class TFolderData {
public:
  TFolderData(TFolderNode* Node, TRoot* Root);
  TFolderData(const TFolderData&) = delete;
  TFolderData& operator=(const TFolderData&) = delete;

  std::string FName;        // own name as listed (bytes); the path as given for a top record
  QString FDisplayName;     // cached display name; empty until computed
  std::string FPath;        // cached full path ending in "/"; empty until computed
  TRelaxed<uint64_t> FClusters;
  TRelaxed<uint64_t> FTailBytes;
  TRelaxed<uint64_t> FObjects;
  TRelaxed<uint64_t> FOwnClusters;
  TRelaxed<uint64_t> FOwnTailBytes;
  TRelaxed<int64_t> FOwnFiles{-1};  // -1 until the folder's listing has finished
  TRoot* FRoot;
  TFolderNode* FNode;
  bool FIsFiles = false;
  TRelaxed<TFolderState> FState{fsQueued};
  TRelaxed<int> FErrorCode{0};      // errno of a failed listing, 0 when none
  bool FChildrenLabelled = false;
  TRelaxed<uint64_t> FLastAccess;   // newest access time below, in file-time units
  TRelaxed<uint64_t> FLastWrite;    // newest write time below, in file-time units

  // It and everything below it have been counted.
  bool Finished() const { return FState == fsDone || FState == fsFailed; }

  static TFileCount CountFile(uint64_t Size, uint32_t ClusterSize);
  // The share of Part in Whole, in percent (0 for an empty whole).
  static double PercentOf(double Part, double Whole);
  static bool IsAccessDeniedCode(int Code);
  static QString DateText(uint64_t Time);
  static TFolderData* RecordOf(const TFolderNode* Node);
  // A new "<Files>" entry for Parent: the totals of its own files.
  static TFolderNode* NewFilesEntry(TFolderNode* Parent, uint64_t Clusters, uint64_t TailBytes, uint64_t Files);

  // The measure of the given view type, in megabytes when UnitFlag is 0 and in
  // kilobytes otherwise (Percent and the object count are never scaled).
  double GetValue(int ViewType, int UnitFlag) const;
  // Exact byte values behind the Size and Allocated measures.
  uint64_t SizeBytes() const;
  uint64_t AllocatedBytes() const;
  uint32_t ClusterSize() const;

  const std::string& FullPath();
  std::string Name() const;
  void SetName(const std::string& Text);
  void ClearCachedTexts();
};
