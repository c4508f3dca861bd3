// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/JobQueue.h"

#include "fs/WorkerThread.h"

TJobQueue::TJobQueue(int Threads, QObject* Parent) : QObject(Parent)
{
  FPool.setMaxThreadCount(Threads);
}

TJobQueue::~TJobQueue()
{
  FGoing = true;
  FPool.waitForDone();
}

void TJobQueue::Start(TLatestJob::TWork Work)
{
  FPool.start([this, Work = std::move(Work)] {
    TWorkerThread::GiveWay();
    const TLatestJob::TStop Stop = [this] { return FGoing.load(); };
    std::function<void()> Done = Work(Stop);
    // Queued to this object: dropped if the queue is gone by then.
    if (Done && !Stop())
      QMetaObject::invokeMethod(this, std::move(Done), Qt::QueuedConnection);
  });
}
