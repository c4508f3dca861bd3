// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>

#include <string>
#include <sys/stat.h>

// Whether an inotify watch of this process covers Folder, as /proc tells it:
// what a change monitor watches is seen at once, with no wait for changes
// that should not come.
inline bool Watched(const std::string& Folder)
{
  struct stat Data;
  if (stat(Folder.c_str(), &Data) != 0)
    return false;
  const QByteArray Inode = " ino:" + QByteArray::number(quint64(Data.st_ino), 16) + " ";
  for (const QString& Fd : QDir("/proc/self/fd").entryList(QDir::System | QDir::NoDotAndDotDot)) {
    QFile Info("/proc/self/fdinfo/" + Fd);
    if (Info.open(QIODevice::ReadOnly) && Info.readAll().contains(Inode))
      return true;
  }
  return false;
}
