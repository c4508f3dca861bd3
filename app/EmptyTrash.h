// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <string>
#include <vector>

class QWidget;

// Tools, Empty Trash: what went to the Trash still takes its space until
// the Trash is emptied. Deletes for good what the user's Trash folders on
// the scanned drives hold (the home Trash and those at the top of each
// drive), after one question naming them and how many items each holds,
// then says how much space came free.
class TEmptyTrash {
  Q_DECLARE_TR_FUNCTIONS(TEmptyTrash)

public:
  // Drives: the mount points of the folders scanned. Returns the Trash
  // folders emptied, whole or in part.
  static std::vector<std::string> Run(QWidget* Window, const std::vector<std::string>& Drives);
};
