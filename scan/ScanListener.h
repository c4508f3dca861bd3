// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

struct TRoot;

// What a scan has counted: folders entered and files counted.
struct TScanCounts {
  uint64_t FFolders = 0;
  uint64_t FFiles = 0;
  uint64_t FExcluded = 0;  // files and folders the exclude rules left out
};

// What the scans tell their owner. Every call comes on the owning thread,
// from TScanDriver::Drain(), never from a worker; new folders reach the owner
// through the tree's own listener.
class TScanListener {
public:
  virtual ~TScanListener() = default;
  // A folder could not be read: its errno, and its path when the settings
  // ask for paths in failures (empty otherwise).
  virtual void ScanFailed(int Code, const std::string& Path) = 0;
  // Another first-level folder of Root has been finished.
  virtual void ScanProgress(TRoot* Root) = 0;
  // A scan of Root (whole or one branch) has completed or was stopped,
  // having counted Counted.
  virtual void ScanDone(TRoot* Root, bool Stopped, const TScanCounts& Counted) = 0;
};
