// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanListener.h"
#include "scan/ScanSettings.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFolderNode;
class TFolderTree;
class TRootScan;
class TStreamSource;
struct TRoot;

// The scan roots and their scans: starting, rescanning, updating a branch,
// stopping and removing roots, and applying the scans' results to the tree.
// Everything here runs on the thread that owns the tree. Each scan takes a
// copy of the settings as they are when it starts; the listener hears of
// every scan's failures, progress and end.
class TScanDriver : private TScanListener {
  Q_DECLARE_TR_FUNCTIONS(TScanDriver)

public:
  explicit TScanDriver(TFolderTree& Tree);
  // Stops and awaits every scan, then frees every root.
  ~TScanDriver();
  TScanDriver(const TScanDriver&) = delete;
  TScanDriver& operator=(const TScanDriver&) = delete;

  // Scans already running tell the new listener too; null: nobody.
  void SetListener(TScanListener* Listener) { FListener = Listener; }

  // Scans Path (made absolute) as a new root, or rescans its existing root,
  // and returns that root. Null when the folder cannot be scanned: no root
  // is left for it, and the errno goes to Error when given, else to the
  // listener.
  TRoot* StartScan(const std::string& Path, int* Error = nullptr);
  // What to tell of a folder that could not be scanned: "Cannot find
  // Folder: PATH" when it is not there, else the path and the reason.
  static std::string StartFailure(int Code, const std::string& Path);
  // Adds a root read from a file (its top node in no tree yet), with "<Files>"
  // entries when they are shown. It is never scanned.
  void AddImported(TRoot* Root);
  // Reads an export into a root that grows as the export arrives, from
  // Source (a file's name, "-" for standard input) or from Stream's output
  // that Source names. The root read from the same Source before is read
  // again. Its top is named Name when given, else by the export.
  TRoot* StartImport(const std::string& Source, std::unique_ptr<TStreamSource> Stream = nullptr,
                     const std::string& Name = {});
  // The imported root read from Source.
  TRoot* FindSource(const std::string& Source) const;
  // Removes a root with its tree; true when it was the head of the list.
  bool RemoveRoot(TRoot* Root);
  // Rescans the folder of Node alone; false while its root is being scanned
  // and for an imported root.
  bool UpdateBranch(TFolderNode* Node);
  void Stop(TRoot* Root);
  // Stops the root's scan and waits for its completion step.
  void Await(TRoot* Root);

  // Adds a "<Files>" entry to every folder below Node that has sub-folders
  // and files of its own (ShowFiles on), or removes them all (off). Nothing
  // happens while the root is being scanned.
  void ApplyShowFiles(TFolderNode* Node, bool ShowFiles);
  // Lists the files Folder keeps (see TScanSettings::FFileKind) again from
  // the disk, after some went or were renamed.
  void ListFilesAgain(TFolderNode* Folder);
  // Removes from the tree every finished folder below Node whose measure of
  // ViewType, in megabytes, is below Minimum. Totals stay as they are.
  // Nothing happens while the root is being scanned.
  void PruneSmallFolders(TFolderNode* Node, int ViewType, double Minimum);

  // Gives every root a change of the scan options made after it was
  // scanned, and returns the folders of the roots that must be scanned
  // again: all of them when Rescan (each with ClusterSize from then on, 0
  // for its volume's own), else those still being scanned when Show Files
  // changed; the others gain or lose their "<Files>" entries at once.
  std::vector<std::string> ApplyScanOptions(bool Rescan, uint32_t ClusterSize, bool ShowFilesChanged);

  // The root scanned from Path; imported roots are never found.
  TRoot* FindRoot(const std::string& Path) const;
  TRoot* Roots() const { return FRoots; }
  TFolderTree& Tree() { return FTree; }
  bool Scanning() const { return !FScans.empty(); }

  // What the scans running now, and those of the same run that have ended
  // already, have counted so far, added up.
  struct TProgress {
    TScanCounts FCounted;
    uint64_t FSize = 0;       // bytes of the files counted
    uint64_t FBytes = 0;      // allocated by what was counted
    uint64_t FUsedBytes = 0;  // used on their file systems; 0 unless every scan is of a whole one
    std::string FReading;     // a folder being read
  };
  TProgress Progress() const;

  // Applies the results of every running scan, until the deadline passes;
  // completed scans are freed.
  void Drain(std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max());
  // Waits until a scan's walk ends or Timeout passes.
  void WaitForResults(std::chrono::milliseconds Timeout);

  // What the scans started from now on count and report.
  TScanSettings FSettings;
  // Cluster size imposed on new roots (0: each volume's own).
  uint32_t FUserClusterSize = 0;

private:
  void Launch(TRoot* Root, TFolderNode* Node, const std::string& Path);
  // The scans tell the driver, which tells its listener of the moment.
  void ScanFailed(int Code, const std::string& Path) override;
  void ScanProgress(TRoot* Root) override;
  void ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted) override;
  void Forget(TRootScan* Scan);
  TRoot* NewRoot();
  void Running(TRoot* Root, TRootScan* Scan);

  TFolderTree& FTree;
  TScanListener* FListener = nullptr;
  TProgress FEnded;         // the scans ended since the driver was last idle
  bool FEndedWhole = true;  // each of them was of a whole file system
  TRoot* FRoots = nullptr;
  std::vector<std::unique_ptr<TRootScan>> FScans;
};
