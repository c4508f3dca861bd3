// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/LatestJob.h"

#include "fs/WorkerThread.h"

TLatestJob::TLatestJob(int Threads, QObject* Parent) : QObject(Parent)
{
  FPool.setMaxThreadCount(Threads);
}

TLatestJob::~TLatestJob()
{
  CancelAndWait();
}

void TLatestJob::CancelAndWait()
{
  Cancel();
  FPool.waitForDone();
}

void TLatestJob::Cancel()
{
  FDelivered = ++FGeneration;
}

void TLatestJob::Start(TWork Work)
{
  const int Generation = ++FGeneration;
  FPool.start([this, Generation, Work = std::move(Work)] {
    TWorkerThread::GiveWay();
    const TStop Stop = [this, Generation] { return FGeneration != Generation; };
    std::function<void()> Done = Work(Stop);
    if (Stop() || !Done)
      return;
    // Queued to this object: dropped if the job is gone by then.
    QMetaObject::invokeMethod(
      this,
      [this, Generation, Done = std::move(Done)] {
        if (FGeneration == Generation) {
          FDelivered = Generation;
          Done();
        }
      },
      Qt::QueuedConnection);
  });
}
