// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <functional>
#include <string>

// Writes a whole file so that a failure or an interruption never leaves half
// of it: the new content goes into a file without a name (or with a short
// one, taken away on SIGINT, SIGTERM and SIGHUP) in the target's folder and
// takes the target's place only once complete, with the target's mode; the
// writer owns it. The target is opened through the kernel's own resolution
// of its path, so its rules for links and shared folders hold; a link or a
// file of another user in a sticky folder all may write to is refused here
// too. Only a regular file is written (a new one is made, through a link
// too); where its folder takes no new file, the file is written in place.
class TSafeSave {
public:
  // False, with Error set to the reason, when the file could not be written;
  // true with Error set when it was written in place, not atomically.
  static bool Write(const QString& FileName, const QByteArray& Data, QString& Error);
  // The same for a file written as a stream by Write, which returns false
  // when it failed (errno saying why).
  static bool Stream(const std::string& FileName, const std::function<bool(std::FILE*)>& Write, std::string& Error);
};
