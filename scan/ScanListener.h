#pragma once

#include <string>

struct TRoot;

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
  // A scan of Root (whole or one branch) has completed or was stopped.
  virtual void ScanDone(TRoot* Root, bool Stopped) = 0;
};
