// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LatestJob.h"

#include <QObject>
#include <QThreadPool>

#include <atomic>

// Work for the window done off its thread where every piece must run, such
// as writing a scan to remember: unlike TLatestJob a new piece does not
// cancel the ones before it. A piece runs as TLatestJob's do, asking Stop
// now and then, and what it gives back runs on the queue's own thread. When
// the queue goes, Stop turns true and the threads are joined.
class TJobQueue : public QObject {
public:
  // Threads: one runs the pieces in the order given.
  explicit TJobQueue(int Threads = 1, QObject* Parent = nullptr);
  ~TJobQueue() override;

  void Start(TLatestJob::TWork Work);
  // Returns once every piece started has run; their results follow as
  // events.
  void WaitForDone() { FPool.waitForDone(); }

private:
  QThreadPool FPool;
  std::atomic<bool> FGoing{false};
};
