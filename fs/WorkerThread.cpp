// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/WorkerThread.h"

#include <sys/resource.h>
#include <unistd.h>

void TWorkerThread::GiveWay()
{
  constexpr int Niceness = 5;
  setpriority(PRIO_PROCESS, gettid(), Niceness);
}
