// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Reads an export from a descriptor for the JSON parser, one buffer at a
// time: a regular file, a pipe, a FIFO, a terminal or a socket. Where the
// writer is slow, it waits, asking Stop now and then, so a stream nobody
// writes to ends as soon as Stop is set. A regular file changed less than
// StillWrittenSeconds ago is taken for one still being written: at its end
// the reader waits while it changes, whoever owns it, and says so once.
class TStreamReader {
public:
  using Ch = char;

  // Fd stays the caller's.
  TStreamReader(int Fd, const std::atomic<bool>* Stop);
  static constexpr int StillWrittenSeconds = 3;
  // Told once, when the reader first waits at the end of a file being
  // written.
  std::function<void()> OnWaiting;
  // Whatever comes after the export is read as it is, without waiting.
  void WaitNoMore() { FWaitNoMore = true; }

  Ch Peek()
  {
    if (FNext == FEnd && !Fill())
      return '\0';
    return *FNext;
  }
  Ch Take()
  {
    if (FNext == FEnd && !Fill())
      return '\0';
    const Ch Taken = *FNext++;
    // Strings are counted as they go by, so that none grows without end.
    if (FString) {
      if (FEscaped)
        FEscaped = false;
      else if (Taken == '\\')
        FEscaped = true;
      else if (Taken == '"')
        FString = false;
      else if (++FStringBytes > MostString)
        TooLong();
    } else if (Taken == '"') {
      FString = true;
      FStringBytes = 0;
      FStringAt = Tell() - 1;
    }
    return Taken;
  }
  size_t Tell() const { return size_t(FBefore + uint64_t(FNext - FBuffer)); }
  // Bytes taken from the stream so far, some not yet parsed.
  uint64_t Received() const { return FBefore + uint64_t(FEnd - FBuffer); }

  // The parser only reads.
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  size_t PutEnd(Ch*) { return 0; }

  // From the byte before the next one on, the bytes read are kept (up to
  // MostMarked) until the next Mark, to be read again.
  void Mark();
  std::string Marked() const;
  static constexpr size_t MostMarked = 64 * 1024;

  // Why reading ended before the end of the stream: 0, ECANCELED when Stop
  // was set, EOVERFLOW for a string longer than MostString (starting at
  // StringAt), or the errno of a failed read.
  int Error() const { return FError; }
  // A name or value of an export is bound by what a path may be, even with
  // every byte escaped: 4096 bytes, six each.
  static constexpr uint64_t MostString = 32 * 1024;
  uint64_t StringAt() const { return FStringAt; }

private:
  bool Fill();
  bool Wait();
  // Ends the stream here: the string is too long.
  void TooLong();
  bool Written() const;

  const int FFd;
  const std::atomic<bool>* const FStop;
  bool FRegular = false;
  uint64_t FBefore = 0;  // bytes of the stream before the buffer
  char* FNext;
  char* FEnd;
  const char* FMarkAt = nullptr;  // in the buffer: the first byte kept
  std::string FMarked;            // kept from earlier buffers
  int FError = 0;
  bool FWaited = false;
  bool FWaitNoMore = false;
  bool FString = false;  // within a string
  bool FEscaped = false;
  uint64_t FStringBytes = 0;
  uint64_t FStringAt = 0;  // where the string last begun starts
  char FBuffer[64 * 1024];
};
