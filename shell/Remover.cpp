// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Remover.h"

#include <QEventLoop>
#include <QLocale>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

TRemover::TResult TRemover::MoveToTrash(const std::vector<std::string>& Paths, QWidget* Window, const TRemove& Remove)
{
  // A move is one step: Cancel is asked between objects.
  const TRemove Move = [](const std::string& Path, QString& Reason, TTrashed* Taken, const std::atomic<bool>*) {
    return TTrash::MoveToTrash(Path, Reason, Taken);
  };
  return Run(Paths, Window, Remove ? Remove : Move, tr("Move to Trash"), tr("Moving to the Trash"));
}

TRemover::TResult TRemover::DeletePermanently(const std::vector<std::string>& Paths, QWidget* Window,
                                              const TRemove& Remove)
{
  return Run(Paths, Window, Remove, tr("Delete Permanently"), tr("Deleting"));
}

TRemover::TResult TRemover::Run(const std::vector<std::string>& Paths, QWidget* Window, const TRemove& Remove,
                                const QString& Title, const QString& Doing)
{
  TResult Result;  // the worker's until it is joined
  std::atomic<size_t> Done{0};
  std::atomic<bool> Stop{false};
  std::atomic<bool> Finished{false};
  std::thread Worker([&] {
    for (const std::string& Path : Paths) {
      if (Stop)
        break;
      QString Reason;
      TTrashed Taken;
      if (Remove(Path, Reason, &Taken, &Stop)) {
        Result.Moved.push_back(std::move(Taken));
      } else {
        Result.Failures << Reason;
        if (!Taken.Path.empty())
          Result.Partly.push_back(std::move(Taken));
      }
      ++Done;
    }
    Finished = true;
  });

  const QLocale Locale;
  const QString Total = Locale.toString(qulonglong(Paths.size()));
  QProgressDialog Progress(Doing + "...", tr("Cancel"), 0, int(Paths.size()), Window);
  Progress.setWindowTitle(Title);
  Progress.setWindowModality(Qt::WindowModal);
  Progress.setMinimumDuration(400);
  Progress.setAutoReset(false);
  Progress.setAutoClose(false);
  Progress.setValue(0);  // shown after the minimum duration however far it got
  QObject::connect(&Progress, &QProgressDialog::canceled, [&Stop] { Stop = true; });
  QEventLoop Loop;
  QTimer Tick;
  Tick.setInterval(40);
  QObject::connect(&Tick, &QTimer::timeout, [&] {
    if (Finished) {
      Loop.quit();
      return;
    }
    const size_t Count = Done;
    //: What is being done: how many objects of how many
    Progress.setLabelText(tr("%1: %2 of %3").arg(Doing, Locale.toString(qulonglong(Count)), Total));
    Progress.setValue(int(Count));
  });
  Tick.start();
  Loop.exec();
  Worker.join();
  Result.Cancelled = Stop && Result.Moved.size() + size_t(Result.Failures.size()) < Paths.size();
  return Result;
}
