// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Threads that work for the window: a scan's, and those that sort, count
// and lay out what it found.
class TWorkerThread {
public:
  // The calling thread gives way to the window's: a little below it, so
  // the window wins the cores when it has work; not at the bottom, where
  // any other busy program would starve work the user is waiting for.
  static void GiveWay();
};
