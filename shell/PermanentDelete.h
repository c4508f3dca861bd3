// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Trash.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <string>

// Deletes files and folders for good, what a full disk needs when the Trash
// would keep the space taken: a folder with everything below it. It never
// follows a link (the link goes, not what it names) and never enters
// another mounted file system (a folder holding a mount point stays, with
// the reason). Every descriptor is opened below the one before, so a folder
// renamed or swapped for a link meanwhile is never followed out of the
// tree.
class TPermanentDelete {
  Q_DECLARE_TR_FUNCTIONS(TPermanentDelete)

public:
  // Folders nested deeper below the one deleted stay, with the reason:
  // each level holds a descriptor open.
  static constexpr size_t MostLevels = 200;

  // False, with the reason in Reason, when the object or something below
  // it stays (what was under way when Stop was set too); Taken, when given,
  // tells what went (as TTrash does, Trash left empty; a folder's DiskBytes
  // count what came free below it too, files no other name keeps, also of
  // a folder that stays in part). A folder where another file system is
  // mounted is not deleted.
  static bool Delete(const std::string& Path, QString& Reason, TTrashed* Taken = nullptr,
                     const std::atomic<bool>* Stop = nullptr);
};
