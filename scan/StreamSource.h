// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// A stream an export comes from that something else makes: a command's
// output, for one. The reader reads the descriptor to its end or until it
// is stopped, then asks the source how it went.
class TStreamSource {
public:
  virtual ~TStreamSource() = default;
  // The descriptor to read; -1 when the source could not start, Finish()
  // telling why.
  virtual int Fd() const = 0;
  // Ends the source (at once when Stopped), Received bytes having been
  // read, and tells what went wrong on its side: empty when nothing did.
  virtual std::string Finish(bool Stopped, uint64_t Received) = 0;
};
