// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>

// Work for the window done on threads of its own, so that a large folder or
// tree never holds the window up, the last asked for winning: a new Start
// cancels the work before, whose result is dropped. The threads are joined
// when the job goes: none outlives its owner.
class TLatestJob : public QObject {
public:
  using TStop = std::function<bool()>;
  // Runs on a thread of the job's, asking Stop now and then; what it gives
  // back runs on the job's own thread once it is done, unless a newer Start
  // or a Cancel came meanwhile.
  using TWork = std::function<std::function<void()>(const TStop& Stop)>;

  // Threads: more than one lets new work start while a piece stuck on a
  // hung share has yet to see that it should stop.
  explicit TLatestJob(int Threads = 1, QObject* Parent = nullptr);
  ~TLatestJob() override;

  void Start(TWork Work);
  void Cancel();
  // Cancels and returns once no work runs: what it read is free to go.
  void CancelAndWait();
  // The result of the last work started has not arrived yet.
  bool Busy() const { return FDelivered != FGeneration; }

private:
  QThreadPool FPool;
  std::atomic<int> FGeneration{0};
  int FDelivered = 0;  // the work whose result came last, or the one cancelled
};
