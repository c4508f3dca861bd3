// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ZelSystemImageList.h"

#include "fs/Directory.h"
#include "fs/PathRules.h"

#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QHash>
#include <QList>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

struct TRegistry {
  QList<QIcon> Icons;
  QHash<QString, int> Indexes;
};

TRegistry& Registry()
{
  static TRegistry Instance;
  return Instance;
}

// The theme icon of that name, else a stand-in from the widget style, so that
// a desktop without an icon theme still shows folders and files apart.
QIcon IconOrStandIn(const QString& Name, const QString& Fallback)
{
  QIcon Icon = TZelSystemImageList::ThemeIcon(Name);
  if (Icon.isNull())
    Icon = TZelSystemImageList::ThemeIcon(Fallback);
  if (Icon.isNull() && qobject_cast<QApplication*>(QCoreApplication::instance())) {
    static QFileIconProvider Provider;
    Icon = Provider.icon(Fallback.startsWith("folder")    ? QAbstractFileIconProvider::Folder
                           : Fallback.startsWith("drive") ? QAbstractFileIconProvider::Drive
                                                          : QAbstractFileIconProvider::File);
  }
  return Icon;
}

QString DriveIconName(const QStorageInfo& Volume)
{
  const QByteArray Type = Volume.fileSystemType();
  if (Type == "iso9660" || Type == "udf")
    return "drive-optical";
  if (Type.startsWith("nfs") || Type == "cifs" || Type == "smb3" || Type == "fuse.sshfs")
    return "folder-remote";
  return "drive-harddisk";
}

}  // namespace

int TZelSystemImageList::IndexOfName(const QString& Name, const QString& Fallback)
{
  TRegistry& Items = Registry();
  const auto Found = Items.Indexes.constFind(Name);
  if (Found != Items.Indexes.constEnd())
    return *Found;
  Items.Icons.append(IconOrStandIn(Name, Fallback));
  Items.Indexes.insert(Name, int(Items.Icons.size() - 1));
  return int(Items.Icons.size() - 1);
}

int TZelSystemImageList::IconIndex(const std::string& Path, bool Open)
{
  const QString Name = TPathRules::Shown(Path);
  TDirEntry Entry;
  if (TDirectory::Classify(Path, Entry) == 0 && Entry.LeadsToFolder()) {
    QString Cleaned = Name;
    while (Cleaned.size() > 1 && Cleaned.endsWith('/'))
      Cleaned.chop(1);
    // Only a mount point can be a drive; only then is the volume looked up.
    if (Entry.Kind == TDirEntry::ekMountPoint) {
      const QStorageInfo Volume(Name);
      if (Volume.isValid() && Volume.rootPath() == Cleaned)
        return IndexOfName(DriveIconName(Volume), "drive-harddisk");
    }
    if (Cleaned == QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::HomeLocation)))
      return IndexOfName("user-home", "folder");
    return Open ? IndexOfName("folder-open", "folder") : IndexOfName("folder", "folder");
  }
  // The type is told by the name alone: reading every file would be slow.
  static const QMimeDatabase Types;
  const QMimeType Type = Types.mimeTypeForFile(Name, QMimeDatabase::MatchExtension);
  return IndexOfName(Type.iconName(), Type.genericIconName());
}

int TZelSystemImageList::FilesIconIndex()
{
  // A made-up name of no registered type: the icon of an unknown file.
  static const int Index = IconIndex("/t.sxdfde");
  return Index;
}

QIcon TZelSystemImageList::Icon(int Index)
{
  const TRegistry& Items = Registry();
  return Index >= 0 && Index < Items.Icons.size() ? Items.Icons[Index] : QIcon();
}

QIcon TZelSystemImageList::ThemeIcon(const QString& Name)
{
  // Icons the desktop's theme lacks come from Adwaita, where it is installed.
  // Without a desktop (a bare X session, the offscreen platform) there is no
  // theme and no folder to look for one in: the usual folders, and Adwaita.
  static const bool Fallback = [] {
    QIcon::setFallbackThemeName("Adwaita");
    QStringList Paths = QIcon::themeSearchPaths();
    for (const QString& Data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
      if (const QString Icons = Data + "/icons"; !Paths.contains(Icons))
        Paths << Icons;
    QIcon::setThemeSearchPaths(Paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
      QIcon::setThemeName("Adwaita");
    return true;
  }();
  Q_UNUSED(Fallback);
  // Newer themes keep many icons only in their symbolic form.
  const QIcon Icon = QIcon::fromTheme(Name);
  return Icon.isNull() ? QIcon::fromTheme(Name + "-symbolic") : Icon;
}
