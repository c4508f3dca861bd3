// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/FileStamp.h"
#include "fs/Mounts.h"  // the drives that scan roots are made of
#include "scan/LinkCounter.h"

#include <QString>

#include <cstdint>
#include <string>
#include <unordered_map>

class TFolderNode;
class TFolderTree;
class TRootScan;

// The source of a root scanned by the administrator, before its path.
inline constexpr const char* AdministratorSource = "admin:";

// A scan root: the top node of one scanned folder and the volume it lives on,
// with the allocation unit its files are counted with.
struct TRoot {
  TFolderNode* FNode = nullptr;
  TRootScan* FWorker = nullptr;  // the running scan of this root, if any
  std::string FDrive;            // mount point holding FPath, ending in "/"
  std::string FFileSystem;       // "ext4", "User Defined", "Unknown FS", ...
  std::string FVolumeLabel;
  std::string FPath;  // the scanned folder, ending in "/"
  uint32_t FSectorsPerCluster = 0;
  uint32_t FBytesPerSector = 0;
  uint64_t FFreeKB = 0;
  uint64_t FTotalKB = 0;      // 0: the volume could not be sized
  uint64_t FUsedKB = 0;       // taken on the volume, reserved blocks left out
  uint32_t FClusterSize = 0;  // bytes per counting unit, 512..33000
  bool FCompressed = false;
  TRoot* FNext = nullptr;
  int FSubfolderCount = 0;  // first-level folders listed so far, for the progress bar
  int FSubfoldersDone = 0;
  QString FTitle;                // title of reports and exported charts
  TFolderTree* FTree = nullptr;  // the tree holding FNode
  // What an imported root was read from: a file's name, "-" for standard
  // input, the ssh:// address of a folder on another machine, or
  // "admin:PATH" for a folder of this machine read by the administrator.
  // Empty for a scan of this machine's folders by this program.
  std::string FSource;
  // Why an imported root holds less than its source: the export broke off.
  std::string FIncomplete;
  // An imported root read from a regular file: the file, where each
  // folder's entries start in it, and the file as it was then (a changed
  // file is not read for entries again). Empty for any other source.
  std::string FImportFile;
  std::unordered_map<const TFolderNode*, uint64_t> FImportOffsets;
  TFileStamp FImportStamp;
  // The files with several names (hard links) its scans met, by the folders holding
  // their names: kept while the tree is, so totals stay right when a name
  // goes.
  TLinkCounter FLinks;

  bool Scanning() const { return FWorker != nullptr; }
  bool Imported() const { return !FSource.empty(); }
  // An imported root of a folder on another machine.
  bool Remote() const { return FSource.starts_with("ssh://"); }
  // An imported root of a folder of this machine, scanned by the
  // administrator: its files are here, and can be opened as the user.
  bool AsAdministrator() const { return FSource.starts_with(AdministratorSource); }
};

// Where an imported root was read from, as the user knows it: a file's
// path, "standard input", or host:/path.
QString ShownSource(const TRoot& Root);

inline const char* UserDefinedFileSystem = "User Defined";
inline const char* UnknownFileSystem = "Unknown FS";

// The counting unit for a file system of the given name and geometry: the
// cluster table, bounded to 512..33000 bytes.
uint32_t ClusterSizeFor(const std::string& FileSystem, uint32_t BytesPerSector, uint32_t SectorsPerCluster,
                        uint64_t TotalKB);
// The row of the cluster table that a Linux file-system type counts by:
// "NTFS" for block-allocating local file systems, "CDFS" for optical ones,
// and an empty name (any other) for the rest.
std::string ClusterTableName(const std::string& KernelType);
// The kernel's type of the file system holding Path told by its magic
// number, for the kinds the cluster table tells apart ("ext4" for every
// ext); empty for the rest and on failure. For where the mount table shows
// no mount holding Path.
std::string KernelTypeByMagic(const std::string& Path);

// Fills the volume fields of Root from Root.FPath. Returns 0, or the errno of
// a volume that cannot be queried at all (a missing folder).
int ReadVolumeInfo(TRoot& Root);
// Total and free size of the volume holding Directory; 0 and 0 on failure,
// when the result is the errno. Free is what the process may write.
int GetDiskSpaceKB(const std::string& Directory, uint64_t& TotalKB, uint64_t& FreeKB);
// The inodes left to the process on the volume holding Directory (a volume
// full of small files runs out of them before its space); false for a file
// system without a fixed number of them, or on failure.
bool GetFreeInodes(const std::string& Directory, uint64_t& Free);
// Whether free space includes the blocks a file system keeps for the
// administrator: only for the administrator.
bool FreeSpaceIncludesReserve();
// Whether the walk can list the folder Path: 0, or the errno why not. Only
// opened, never read: the scan's own listing counts what it holds.
int FolderError(const std::string& Path);
void SetUserClusterSize(TRoot& Root, uint32_t Bytes);
void ClearUserClusterSize(TRoot& Root);
