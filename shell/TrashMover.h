// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Trash.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QWidget;

// Moves many objects to the Trash on a thread of its own, so that the
// window keeps drawing; a progress dialog over Window, shown when the moves
// take a while, can cancel them. What was moved before Cancel stays moved.
class TTrashMover {
public:
  struct TResult {
    std::vector<TTrashed> Moved;  // in the order of the paths
    QStringList Failures;         // why objects stayed
    bool Cancelled = false;
  };
  // One move; a test may hand in its own.
  using TMove = std::function<bool(const std::string& Path, QString& Reason, TTrashed* Taken)>;

  static TResult Move(const std::vector<std::string>& Paths, QWidget* Window, const TMove& Mover = TTrash::MoveToTrash);
};
