// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/PermanentDelete.h"
#include "shell/Trash.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <atomic>

#include <functional>
#include <string>
#include <vector>

class QWidget;

// Removes many objects, to the Trash or for good, on a thread of its own,
// so that the window keeps drawing; a progress dialog over Window, shown
// when the work takes a while, can cancel it. What went before Cancel
// stays gone.
class TRemover {
  Q_DECLARE_TR_FUNCTIONS(TRemover)

public:
  struct TResult {
    std::vector<TTrashed> Moved;   // in the order of the paths
    std::vector<TTrashed> Partly;  // folders that stayed, some of what they held gone
    QStringList Failures;          // why objects stayed
    bool Cancelled = false;
  };
  // One object, until Stop is set; false with Reason when it stays, Taken
  // telling what went of it. A test may hand in its own.
  using TRemove =
    std::function<bool(const std::string& Path, QString& Reason, TTrashed* Taken, const std::atomic<bool>* Stop)>;

  static TResult MoveToTrash(const std::vector<std::string>& Paths, QWidget* Window, const TRemove& Remove = {});
  static TResult DeletePermanently(const std::vector<std::string>& Paths, QWidget* Window,
                                   const TRemove& Remove = TPermanentDelete::Delete);
  // Any removal: Title names the dialog, Doing what it does ("Moving to
  // the Trash").
  static TResult Run(const std::vector<std::string>& Paths, QWidget* Window, const TRemove& Remove,
                     const QString& Title, const QString& Doing);
};
