// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <functional>
#include <string>
#include <sys/types.h>

// Writes a whole file so that a failure or an interruption never leaves half
// of it, nor a new empty one: the new content goes into a file without a name
// (or with a short one, taken away on the signals that end a program) in the
// target's folder, and takes the target's name only once complete, with the
// target's mode (NewMode, less the umask, for a new file); the writer owns
// it. Where the folder takes no new file, an existing file is written in
// place.
//
// The path is followed one name at a time, as the kernel would, with the
// rule the kernel's protected_symlinks applies, at every name and whatever
// the kernel's setting: a link in a sticky folder all may write to is
// followed only when the caller or the folder's owner made it; nor is a
// file another user made there written. The folder found is written through
// its descriptor, so nothing swapped in meanwhile is followed.
//
// What the shell hands over is written as the stream it is: "-" and
// /dev/stdout, /dev/stderr, /dev/fd/N are the descriptors themselves
// (appending when the shell opened them so, never truncated); a FIFO, a
// pipe or a device the user named is opened and written directly.
class TSafeSave {
public:
  // Whether FileName can be written: false with Error saying why (a folder
  // missing, no permission, a file system read only, a link refused), so
  // that a long scan is not run for an output that cannot be.
  static bool Check(const std::string& FileName, std::string& Error);
  // False, with Error set to the reason, when the file could not be written;
  // true with Error set when it was written in place, not atomically.
  static bool Write(const QString& FileName, const QByteArray& Data, QString& Error);
  // The same for a file written as a stream by Write, which returns false
  // when it failed (errno saying why).
  static bool Stream(const std::string& FileName, const std::function<bool(std::FILE*)>& Write, std::string& Error,
                     mode_t NewMode = 0666);
  // The same for the file Name in the open folder Folder, found already.
  static bool StreamAt(int Folder, const std::string& Name, const std::function<bool(std::FILE*)>& Write,
                       std::string& Error, mode_t NewMode = 0666);
  // The descriptor a path stands for: 1 for "-", N for /dev/fd/N and its
  // like; -1 for a path of a file.
  static int HandedOver(const std::string& FileName);
};
