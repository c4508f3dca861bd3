// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

// Moves files and folders into the freedesktop.org Trash: the home Trash for
// objects on the same mount as the user's data folder, else the Trash at the
// top of the object's own mount, a bind mount being a mount of its own.
// Paths are bytes, so names that are not valid UTF-8 are trashed like any
// other. Nothing is ever deleted: an object the Trash cannot take stays
// where it is.
class TTrash {
public:
  // False, with the reason in Reason, when the object stays in place; else
  // Trash, when given, gets the Trash folder that took it.
  static bool MoveToTrash(const std::string& Path, QString& Reason, std::string* Trash = nullptr);
  // The user's home Trash folder ($XDG_DATA_HOME/Trash).
  static std::string HomeTrash();
};
