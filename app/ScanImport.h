// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class QProgressDialog;
class QWidget;
class TNcduImport;
class TScanDriver;
struct TRoot;

// Brings scans exported by ncdu, gdu or Spacelens into the window: one file
// at a time, read on a worker thread behind a progress dialog that can
// cancel, each read root handed to the window whole, a file that cannot be
// imported told in a message.
class TScanImport : public QObject {
public:
  // Files are counted with the driver's settings as they are at the start.
  TScanImport(QWidget* Window, TScanDriver& Driver);
  // Stops a reading in progress.
  ~TScanImport();

  // Asks for a file to import, then imports it.
  void Choose();
  void Start(const std::string& FileName);
  bool Busy() const { return FImport != nullptr || !FQueue.empty(); }
  // Whether a command-line argument names a file to import, not a folder.
  static bool IsScanFile(const std::string& Argument);

  // A root read: the window adds it and shows it.
  std::function<void(TRoot*)> OnImported;

private:
  void Next();
  void Poll();

  QWidget* FWindow;
  TScanDriver& FDriver;
  std::deque<std::string> FQueue;
  std::unique_ptr<TNcduImport> FImport;
  std::thread FThread;
  std::atomic<bool> FStop{false};
  std::atomic<bool> FDone{false};
  QProgressDialog* FProgress = nullptr;
  QTimer FPoll;
};
