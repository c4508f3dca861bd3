// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/ScanDriver.h"

#include <chrono>
#include <cstdio>
#include <string>

// The progress of a scan without a window: one line on standard error,
// rewritten in place at most four times a second, with the folders, files
// and size counted, the time taken and a folder being read. Only on a
// terminal, so that pipes, files and cron see nothing of it.
class TTerminalProgress {
public:
  // Shown only when Stream is a terminal and Enabled.
  TTerminalProgress(std::FILE* Stream, bool Enabled);

  void Show(const TScanDriver::TProgress& Progress);
  // Takes the line away, so that what follows starts on a clean line.
  void Clear();

  // A line of at most Width columns (bytes of UTF-8 as columns), the path
  // shortened from its start to fit.
  static std::string Line(const TScanDriver::TProgress& Progress, double Seconds, size_t Width);

private:
  size_t Width() const;

  std::FILE* FStream;
  bool FEnabled;
  bool FShown = false;
  std::chrono::steady_clock::time_point FStart;
  std::chrono::steady_clock::time_point FLast;
};
