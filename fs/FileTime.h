// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// File times are kept as 100-nanosecond units since 1601-01-01 UTC; a value
// below 2^32 (a zero high half) means "no time".
namespace FileTime {

constexpr int64_t UnixEpochSeconds = 11644473600;  // 1601-01-01 to 1970-01-01
constexpr int64_t UnitsPerSecond = 10000000;

constexpr uint64_t FromUnix(int64_t Seconds, uint32_t Nanoseconds)
{
  if (Seconds < -UnixEpochSeconds)
    return 0;
  // Times beyond what the form holds (some 58,000 years on) are its last one.
  constexpr int64_t Latest = int64_t(UINT64_MAX / UnitsPerSecond) - UnixEpochSeconds - 1;
  if (Seconds > Latest)
    return UINT64_MAX;
  return uint64_t(Seconds + UnixEpochSeconds) * UnitsPerSecond + Nanoseconds / 100;
}

constexpr int64_t ToUnixSeconds(uint64_t Time)
{
  return int64_t(Time / UnitsPerSecond) - UnixEpochSeconds;
}

constexpr bool IsSet(uint64_t Time)
{
  return (Time >> 32) != 0;
}

// Whole seconds since 1970 in 32 bits, as records keep times: 0 for no time
// or one before 1970, the last second 32 bits hold for any later.
constexpr uint32_t ToSeconds32(uint64_t Time)
{
  if (!IsSet(Time))
    return 0;
  const int64_t Unix = ToUnixSeconds(Time);
  return Unix <= 0 ? 0 : Unix >= int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(Unix);
}

constexpr uint64_t FromSeconds32(uint32_t Seconds)
{
  return Seconds ? FromUnix(Seconds, 0) : 0;
}

}  // namespace FileTime
