// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DirMon.h"

#include "fs/Directory.h"
#include "shell/DirMonError.h"

#include <QMetaObject>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <system_error>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

constexpr uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

uint32_t WatchMask(TDirMonType Filter, bool Nested)
{
  uint32_t Mask = 0;
  if (Filter & (dmcFileName | dmcDirName))
    Mask |= NameEvents;
  if (Filter & (dmcAttributes | dmcSecurity))
    Mask |= IN_ATTRIB;
  if (Filter & dmcSize)
    Mask |= IN_MODIFY;
  if (Filter & dmcLastWrite)
    Mask |= IN_MODIFY | IN_CLOSE_WRITE;
  if (Nested)
    Mask |= NameEvents;  // to follow folders made, moved in and moved out
  return Mask | IN_ONLYDIR;
}

// Whether one event is a change the filter asks for.
bool Wanted(const inotify_event& Event, TDirMonType Filter)
{
  if (Event.mask & IN_Q_OVERFLOW)
    return true;  // changes were lost: say that something changed
  if (Event.mask & NameEvents)
    return Filter & ((Event.mask & IN_ISDIR) ? dmcDirName : dmcFileName);
  if (Event.mask & IN_ATTRIB)
    return Filter & (dmcAttributes | dmcSecurity);
  if (Event.mask & IN_MODIFY)
    return Filter & (dmcSize | dmcLastWrite);
  if (Event.mask & IN_CLOSE_WRITE)
    return Filter & dmcLastWrite;
  return false;
}

// Adds a watch for Folder and, without recursion, every folder below it.
void WatchTree(int Inotify, const std::string& Folder, uint32_t Mask, std::unordered_map<int, std::string>& Folders)
{
  std::vector<std::string> Pending{Folder};
  while (!Pending.empty()) {
    const std::string Current = Pending.back();
    Pending.pop_back();
    const int Watch = inotify_add_watch(Inotify, Current.c_str(), Mask | IN_DONT_FOLLOW);
    if (Watch < 0)
      continue;
    Folders[Watch] = Current;
    // Links are not followed, as with the watches.
    TDirectory Listing(Current);
    TDirEntry Entry;
    while (Listing.Next(Entry))
      if (Entry.IsFolder())
        Pending.push_back(Current + "/" + Entry.Name);
  }
}

}  // namespace

TDirMon::TDirMon(QObject* Owner) : QObject(Owner) {}

TDirMon::~TDirMon()
{
  if (Running())
    Halt();
}

void TDirMon::SetDirectory(const std::string& Path)
{
  std::string Text = Path;
  if (Text.size() > 1 && Text.back() == '/')
    Text.pop_back();
  if (Text == FDirectory)
    return;
  if (Running())
    Stop();
  FDirectory = Text;
  Start();
}

void TDirMon::SetNotifyFilter(TDirMonType Filter)
{
  if (Running())
    throw EDirMonError("Unable to change NotifyFilter when DirMon is running");
  FNotifyFilter = Filter;
}

void TDirMon::Start()
{
  if (Running() || FDirectory.empty())
    return;
  FStopFd = eventfd(0, EFD_CLOEXEC);
  if (FStopFd < 0)
    throw EDirMonError(QString("eventfd failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
  // The watches are in place when Start returns, so no change made right
  // after it is missed. A folder that cannot be watched leaves the watcher
  // with nothing to do: it ends at once, silently.
  const uint32_t Mask = WatchMask(FNotifyFilter, FNested);
  std::unordered_map<int, std::string> Folders;
  const int Inotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (Inotify >= 0 && FNested)
    WatchTree(Inotify, FDirectory, Mask, Folders);
  else if (Inotify >= 0)
    if (const int Watch = inotify_add_watch(Inotify, FDirectory.c_str(), Mask); Watch >= 0)
      Folders[Watch] = FDirectory;
  try {
    FThread =
      std::thread(&TDirMon::Watch, this, Inotify, std::move(Folders), FNotifyFilter, FNested, FStopFd, ++FGeneration);
  } catch (const std::system_error& Failure) {
    if (Inotify >= 0)
      close(Inotify);
    close(FStopFd);
    FStopFd = -1;
    throw EDirMonError(QString("pthread_create failed: %1").arg(QString::fromLocal8Bit(Failure.what())));
  }
  if (OnStart)
    OnStart(this);
}

void TDirMon::Stop()
{
  if (!Running())
    throw EDirMonError("DirMon not started");
  Halt();
  if (OnStop)
    OnStop(this);
}

void TDirMon::Halt()
{
  const uint64_t One = 1;
  if (write(FStopFd, &One, sizeof One) != sizeof One) {
    // An eventfd write only fails when its counter is full, which wakes the
    // watcher just the same.
  }
  FThread.join();
  ++FGeneration;  // changes still on their way to the main thread are dropped
  close(FStopFd);
  FStopFd = -1;
}

void TDirMon::Watch(int Inotify, std::unordered_map<int, std::string> Folders, TDirMonType Filter, bool Nested,
                    int StopFd, int Generation)
{
  if (Folders.empty()) {
    if (Inotify >= 0)
      close(Inotify);
    return;
  }
  const uint32_t Mask = WatchMask(Filter, Nested);
  alignas(inotify_event) char Buffer[16 * 1024];
  pollfd Waits[2] = {{Inotify, POLLIN, 0}, {StopFd, POLLIN, 0}};
  for (;;) {
    if (poll(Waits, 2, -1) < 0) {
      if (errno == EINTR)
        continue;
      break;
    }
    if (Waits[1].revents)
      break;
    const ssize_t Length = read(Inotify, Buffer, sizeof Buffer);
    if (Length <= 0)
      continue;
    bool Changed = false;
    for (ssize_t Offset = 0; Offset < Length;) {
      const auto* Event = reinterpret_cast<const inotify_event*>(Buffer + Offset);
      Offset += ssize_t(sizeof(inotify_event) + Event->len);
      Changed = Changed || Wanted(*Event, Filter);
      const auto Parent = Folders.find(Event->wd);
      if (Nested && (Event->mask & IN_ISDIR) && Event->len && Parent != Folders.end()) {
        const std::string Path = Parent->second + "/" + Event->name;
        if (Event->mask & (IN_CREATE | IN_MOVED_TO)) {
          WatchTree(Inotify, Path, Mask, Folders);
        } else if (Event->mask & IN_MOVED_FROM) {
          // A folder moved out of the tree is no longer watched.
          std::erase_if(Folders, [&](const auto& Item) {
            const bool Below = Item.second == Path || Item.second.starts_with(Path + "/");
            if (Below)
              inotify_rm_watch(Inotify, Item.first);
            return Below;
          });
        }
      }
      if (Event->mask & IN_IGNORED)
        Folders.erase(Event->wd);
    }
    // One event for each batch the kernel delivers, raised on the main thread
    // unless the watch has been stopped or moved since.
    if (Changed)
      QMetaObject::invokeMethod(
        this,
        [this, Generation] {
          if (OnDirChange && Generation == FGeneration)
            OnDirChange(this);
        },
        Qt::QueuedConnection);
  }
  close(Inotify);
}
