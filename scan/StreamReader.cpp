// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/StreamReader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// How often a waiting reader asks whether it should stop.
constexpr int PollMs = 25;

}  // namespace

TStreamReader::TStreamReader(int Fd, const std::atomic<bool>* Stop)
  : FFd(Fd), FStop(Stop), FNext(FBuffer), FEnd(FBuffer)
{
  struct stat Data;
  FRegular = fstat(Fd, &Data) == 0 && S_ISREG(Data.st_mode);
}

void TStreamReader::Mark()
{
  FMarked.clear();
  FMarkAt = FNext > FBuffer ? FNext - 1 : FNext;
}

std::string TStreamReader::Marked() const
{
  std::string Kept = FMarked;
  if (FMarkAt)
    Kept.append(FMarkAt, std::min<size_t>(size_t(FNext - FMarkAt), MostMarked - std::min(MostMarked, Kept.size())));
  return Kept;
}

void TStreamReader::TooLong()
{
  FError = EOVERFLOW;
  FNext = FEnd;
}

bool TStreamReader::Fill()
{
  if (FError)
    return false;
  if (FMarkAt) {
    FMarked.append(FMarkAt,
                   std::min<size_t>(size_t(FEnd - FMarkAt), MostMarked - std::min(MostMarked, FMarked.size())));
    FMarkAt = FBuffer;
  }
  FBefore += uint64_t(FEnd - FBuffer);
  FNext = FEnd = FBuffer;
  for (;;) {
    if (!FRegular && !Wait())
      return false;
    const ssize_t Read = read(FFd, FBuffer, sizeof FBuffer);
    if (Read > 0) {
      FEnd = FBuffer + Read;
      return true;
    }
    if (Read < 0 && errno == EINTR)
      continue;
    if (Read < 0 && errno == EAGAIN && !FRegular)
      continue;
    if (Read < 0) {
      FError = errno;
      return false;
    }
    // The end of a file written a moment ago: more may come.
    if (!FRegular || FWaitNoMore || !Written())
      return false;
    if (FStop && FStop->load(std::memory_order_relaxed)) {
      FError = ECANCELED;
      return false;
    }
    if (!FWaited && OnWaiting)
      OnWaiting();
    FWaited = true;
    usleep(PollMs * 1000);
  }
}

bool TStreamReader::Written() const
{
  // Changed lately: its writer may still be at it. The same for every
  // reader, whoever owns the file (a lease would tell only its owner).
  struct stat Data;
  if (fstat(FFd, &Data) != 0)
    return false;
  timespec Now;
  clock_gettime(CLOCK_REALTIME, &Now);
  return Now.tv_sec - Data.st_mtim.tv_sec < StillWrittenSeconds;
}

bool TStreamReader::Wait()
{
  // A FIFO not yet opened by a writer reads as ended; poll() tells it
  // apart, answering only once a writer came and went.
  pollfd Waited{FFd, POLLIN, 0};
  for (;;) {
    if (FStop && FStop->load(std::memory_order_relaxed)) {
      FError = ECANCELED;
      return false;
    }
    const int Ready = poll(&Waited, 1, PollMs);
    if (Ready > 0)
      return true;
    if (Ready < 0 && errno != EINTR) {
      FError = errno;
      return false;
    }
  }
}
