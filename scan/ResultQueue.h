// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

// What a scan's workers hand the thread that owns the tree, in the order
// they post it: posted from any thread, taken on the owning thread a batch
// at a time, so that a drain its deadline cuts short goes on where it
// stopped. Only the last result wakes the owner; it drains on its own
// schedule otherwise.
template <class TResult>
class TResultQueue {
public:
  void Post(TResult&& Result, bool Last = false)
  {
    {
      std::lock_guard Lock(FMutex);
      FResults.push_back(std::move(Result));
      FLastPosted = FLastPosted || Last;
    }
    if (Last)
      FReady.notify_all();
  }
  // Waits until the last result is posted or Timeout passes.
  void WaitForLast(std::chrono::milliseconds Timeout)
  {
    std::unique_lock Lock(FMutex);
    FReady.wait_for(Lock, Timeout, [this] { return FLastPosted; });
  }
  // The next result, on the owning thread; null when none is posted yet.
  TResult* Next()
  {
    if (FNext == FBatch.size()) {
      FBatch.clear();
      FNext = 0;
      std::lock_guard Lock(FMutex);
      FBatch.swap(FResults);
    }
    return FNext < FBatch.size() ? &FBatch[FNext++] : nullptr;
  }
  // The result Next() would give, if it is taken already; else null.
  TResult* Following() { return FNext < FBatch.size() ? &FBatch[FNext] : nullptr; }
  // Visits every result not taken yet, once the workers are gone.
  template <class TVisit>
  void ForEachLeft(TVisit&& Visit)
  {
    for (size_t Index = FNext; Index < FBatch.size(); ++Index)
      Visit(FBatch[Index]);
    for (TResult& Result : FResults)
      Visit(Result);
  }

private:
  std::mutex FMutex;
  std::condition_variable FReady;
  std::vector<TResult> FResults;
  std::vector<TResult> FBatch;  // taken from FResults, being applied
  size_t FNext = 0;
  bool FLastPosted = false;
};
