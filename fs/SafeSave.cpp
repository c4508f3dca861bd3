#include "SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool TSafeSave::Write(const QString& FileName, const QByteArray& Data, QString& Error)
{
  const QFileInfo Target(FileName);
  const QString Name = Target.isSymLink() ? Target.symLinkTarget() : FileName;
  const QFileInfo Final(Name);
  if (Final.exists() && !Final.isFile() && !Final.isDir()) {
    QFile Special(Name);
    if (Special.open(QIODevice::WriteOnly) && Special.write(Data) == Data.size() && Special.flush())
      return true;
    Error = Special.errorString();
    return false;
  }
  QSaveFile File(Name);
  if (File.open(QIODevice::WriteOnly) && File.write(Data) == Data.size() && File.commit())
    return true;
  Error = File.errorString();
  return false;
}
