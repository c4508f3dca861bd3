// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

// A value that scan workers write while the main thread reads it for display.
// Every access is a relaxed atomic: readers may see a total that is still
// growing, never a torn one. Exact values are read after the workers joined.
template <typename T>
class TRelaxed {
public:
  TRelaxed(T Value = T()) : FValue(Value) {}
  TRelaxed(const TRelaxed&) = delete;
  TRelaxed& operator=(const TRelaxed&) = delete;

  operator T() const { return FValue.load(std::memory_order_relaxed); }
  T Load() const { return FValue.load(std::memory_order_relaxed); }
  TRelaxed& operator=(T Value)
  {
    FValue.store(Value, std::memory_order_relaxed);
    return *this;
  }
  void operator+=(T Delta) { FValue.fetch_add(Delta, std::memory_order_relaxed); }
  void operator|=(T Bits) { FValue.fetch_or(Bits, std::memory_order_relaxed); }

  // Raises the value to Candidate when Candidate is greater.
  void RaiseTo(T Candidate)
  {
    T Current = FValue.load(std::memory_order_relaxed);
    while (Candidate > Current && !FValue.compare_exchange_weak(Current, Candidate, std::memory_order_relaxed)) {
    }
  }

private:
  std::atomic<T> FValue;
};
