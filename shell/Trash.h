// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// An object the Trash took, as it was just before it went: who else names
// it and what it took on disk, which only it can tell once it is gone.
struct TTrashed {
  std::string Path;   // as given to the move
  std::string Trash;  // the Trash folder that took it
  uint64_t Size = 0;
  uint64_t DiskBytes = 0;
  uint64_t Device = 0;  // as the scan tells devices apart
  uint64_t Inode = 0;
  uint64_t Links = 1;
  bool Folder = false;
};

// Moves files and folders into the freedesktop.org Trash: the home Trash for
// objects on the same mount as the user's data folder, else the Trash at the
// top of the object's own mount, a bind mount being a mount of its own.
// Paths are bytes, so names that are not valid UTF-8 are trashed like any
// other. Nothing is ever deleted: an object the Trash cannot take stays
// where it is.
class TTrash {
  Q_DECLARE_TR_FUNCTIONS(TTrash)

public:
  // False, with the reason in Reason, when the object stays in place; else
  // Taken, when given, tells what went where.
  static bool MoveToTrash(const std::string& Path, QString& Reason, TTrashed* Taken = nullptr);
  // The user's home Trash folder ($XDG_DATA_HOME/Trash).
  static std::string HomeTrash();
  // The user's Trash folders there are: the home Trash, and those at the
  // top of the drives given (mount points ending in "/"), each a real
  // folder of the user's, never reached through a link.
  static std::vector<std::string> Folders(const std::vector<std::string>& Drives);
  // What a Trash folder holds: the paths of the objects in its files/.
  static std::vector<std::string> Entries(const std::string& Trash);
  // Deletes the object at Path, one of Entries, for good, with the record
  // the Trash keeps of it; false with Reason when it stays.
  static bool Expunge(const std::string& Path, QString& Reason, TTrashed* Taken, const std::atomic<bool>* Stop);
};
