// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <functional>
#include <string>

// Writes a whole file so that a failure never leaves half of it: a regular
// file (or a new one) is written beside its name and put in its place only
// once complete, keeping the old one's permissions and, where allowed, its
// owner. A link is followed to the file it names, made if need be. A device
// or pipe is written as it is: it is never replaced.
class TSafeSave {
public:
  // False, with Error set to the reason, when the file could not be written.
  static bool Write(const QString& FileName, const QByteArray& Data, QString& Error);
  // The same for a file written as a stream by Write, which returns false
  // when it failed (errno saying why).
  static bool Stream(const std::string& FileName, const std::function<bool(std::FILE*)>& Write, std::string& Error);
};
