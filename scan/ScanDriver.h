#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFolderNode;
class TFolderTree;
class TScan2;
struct TRoot;

// The scan roots and their scans: starting, rescanning, updating a branch,
// stopping and removing roots, and applying the scans' results to the tree.
// Everything here runs on the thread that owns the tree.
class TScanDriver {
public:
  explicit TScanDriver(TFolderTree& Tree);
  // Stops and awaits every scan, then frees every root.
  ~TScanDriver();
  TScanDriver(const TScanDriver&) = delete;
  TScanDriver& operator=(const TScanDriver&) = delete;

  // Scans Path (made absolute) as a new root, or rescans its existing root.
  // False when the folder cannot be scanned; the failure has been reported
  // through OnError and no root is left for it.
  bool StartScan(const std::string& Path);
  // Removes a root with its tree; true when it was the head of the list.
  bool RemoveRoot(TRoot* Root);
  // Rescans the folder of Node alone; false while its root is being scanned.
  bool UpdateBranch(TFolderNode* Node);
  void Stop(TRoot* Root);
  // Stops the root's scan and waits for its completion step.
  void Await(TRoot* Root);

  // Adds a "<Files>" entry to every folder below Node that has sub-folders
  // and files of its own (ShowFiles on), or removes them all (off). Nothing
  // happens while the root is being scanned.
  void ApplyShowFiles(TFolderNode* Node, bool ShowFiles);
  // Removes from the tree every finished folder below Node whose measure of
  // ViewType, in megabytes, is below Minimum. Totals stay as they are.
  // Nothing happens while the root is being scanned.
  void PruneSmallFolders(TFolderNode* Node, int ViewType, double Minimum);

  TRoot* FindRoot(const std::string& Path) const;
  TRoot* RootOf(const TFolderNode* Node) const;
  TRoot* Roots() const { return FRoots; }
  bool Scanning() const { return !FScans.empty(); }

  // Applies the results of every running scan, until the deadline passes;
  // completed scans are freed.
  void Drain(std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max());
  // Waits until a scan's walk ends or Timeout passes.
  void WaitForResults(std::chrono::milliseconds Timeout);

  // Cluster size imposed on new roots (0: each volume's own).
  uint32_t FUserClusterSize = 0;

  std::function<void(int Code, const std::string& Path)> OnError;
  std::function<void(TRoot* Root)> OnProgress;
  std::function<void(TRoot* Root, bool Stopped)> OnScanDone;

private:
  void Launch(TScan2* Scan, TRoot* Root);
  void Forget(TScan2* Scan);

  TFolderTree& FTree;
  TRoot* FRoots = nullptr;
  std::vector<std::unique_ptr<TScan2>> FScans;
};
