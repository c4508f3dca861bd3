#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file so that a failure never leaves half of it: a regular
// file (or a new one) is written beside its name and put in its place only
// once complete, keeping the old one's permissions. A link is followed to
// the file it names. A device or pipe is written as it is: it is never
// replaced.
class TSafeSave {
public:
  // False, with Error set to the reason, when the file could not be written.
  static bool Write(const QString& FileName, const QByteArray& Data, QString& Error);
};
