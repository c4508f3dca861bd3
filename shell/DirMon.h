// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QObject>

#include <functional>
#include <string>
#include <thread>
#include <unordered_map>

// What a change monitor reports; the values are the platform's own flags.
enum TDirMonValue : unsigned {
  dmcFileName = 0x1,    // files created, deleted or renamed
  dmcDirName = 0x2,     // folders created, deleted or renamed
  dmcAttributes = 0x4,  // attributes changed
  dmcSize = 0x8,        // contents written
  dmcLastWrite = 0x10,  // contents written or closed after writing
  dmcSecurity = 0x100,  // owner or permissions changed
};
Q_DECLARE_FLAGS(TDirMonType, TDirMonValue)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDirMonType)

// Watches one folder, or with Nested its whole subtree (folders made later
// included), with inotify on a thread of its own, and raises OnDirChange on
// the main thread for every batch of changes the kernel delivers.
class TDirMon : public QObject {
public:
  explicit TDirMon(QObject* Owner = nullptr);
  // Stops a running watch without raising OnStop.
  ~TDirMon() override;

  const std::string& Directory() const { return FDirectory; }
  // Moves the watch to Path: a running watch stops, and a non-empty path
  // starts it (again). A trailing "/" is dropped, except from "/".
  void SetDirectory(const std::string& Path);
  TDirMonType NotifyFilter() const { return FNotifyFilter; }
  // Raises EDirMonError while running.
  void SetNotifyFilter(TDirMonType Filter);
  bool Nested() const { return FNested; }
  void SetNested(bool Nested) { FNested = Nested; }
  bool Running() const { return FThread.joinable(); }

  // Starts watching when stopped and a directory is set: every change after
  // it returns is reported. Raises EDirMonError when the system cannot give
  // the thread or its stop signal.
  void Start();
  // Raises EDirMonError "DirMon not started" when not running.
  void Stop();

  std::function<void(TDirMon*)> OnDirChange;
  std::function<void(TDirMon*)> OnStart;
  std::function<void(TDirMon*)> OnStop;

private:
  void Halt();
  void Watch(int Inotify, std::unordered_map<int, std::string> Folders, TDirMonType Filter, bool Nested, int StopFd,
             int Generation);

  std::string FDirectory;
  TDirMonType FNotifyFilter = dmcFileName;
  bool FNested = false;
  std::thread FThread;
  int FStopFd = -1;
  int FGeneration = 0;  // counts watches; read on the main thread only
};
