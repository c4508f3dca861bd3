// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanListener.h"

#include <chrono>
#include <string>

class TFolderNode;
struct TRoot;

// The work that fills a root or one of its branches on other threads: a
// walk of this machine's folders, or an export read as it arrives. What
// the owning thread must do (attach nodes, report progress and the end) is
// queued by the workers and applied by Drain(), so the work never waits
// for the window.
class TRootScan {
public:
  using TDeadline = std::chrono::steady_clock::time_point;

  virtual ~TRootScan() = default;

  // Asks the work to stop soon: what was counted so far stays.
  virtual void Terminate() = 0;
  virtual bool Terminated() const = 0;
  // The completion step has run.
  virtual bool Finished() const = 0;
  // Applies the queued results on the owning thread until the deadline
  // passes; after the last one, runs the completion step.
  virtual void Drain(TDeadline Deadline = TDeadline::max()) = 0;
  // Waits until the work has ended or Timeout passes.
  virtual void WaitForResults(std::chrono::milliseconds Timeout) = 0;
  // Waits for the work to end, then drains to completion.
  virtual void Await() = 0;

  virtual TFolderNode* Node() const = 0;
  virtual TRoot* Root() const = 0;
  virtual TScanCounts Counted() const = 0;
  // A folder being read lately; empty before the first.
  virtual std::string ReadingPath() const = 0;
};
