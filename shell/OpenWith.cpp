// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OpenWith.h"

#include "fs/PathRules.h"
#include "shell/Prompt.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <algorithm>

namespace {

// The keys of a desktop entry's main group, unlocalised.
bool ReadEntry(const QString& FileName, TOpenWith::TProgram& Program)
{
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly | QIODevice::Text))
    return false;
  bool InEntry = false;
  while (!File.atEnd()) {
    const QString Line = QString::fromUtf8(File.readLine()).trimmed();
    if (Line.startsWith('[')) {
      InEntry = Line == "[Desktop Entry]";
      continue;
    }
    if (!InEntry)
      continue;
    if (Line.startsWith("Name=") && Program.Name.isEmpty())
      Program.Name = Line.mid(5);
    else if (Line.startsWith("Exec="))
      Program.Exec = Line.mid(5);
    else if (Line == "NoDisplay=true" || Line == "Hidden=true")
      return false;
  }
  return !Program.Name.isEmpty() && !Program.Exec.isEmpty();
}

}  // namespace

bool TOpenWith::HasDefault(const QString& MimeType)
{
  const QString Query = QStandardPaths::findExecutable("xdg-mime");
  if (Query.isEmpty())
    return true;
  QProcess Run;
  Run.start(Query, {"query", "default", MimeType});
  if (!Run.waitForFinished(5000))
    return true;
  return !Run.readAllStandardOutput().trimmed().isEmpty();
}

std::vector<TOpenWith::TProgram> TOpenWith::Programs(const QString& MimeType)
{
  // Each folder of applications lists the entries for every type it knows.
  const QStringList Folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
  QStringList Ids;
  for (const QString& Folder : Folders) {
    QFile Cache(Folder + "/mimeinfo.cache");
    if (!Cache.open(QIODevice::ReadOnly | QIODevice::Text))
      continue;
    while (!Cache.atEnd()) {
      const QString Line = QString::fromUtf8(Cache.readLine()).trimmed();
      if (Line.startsWith(MimeType + "="))
        for (const QString& Id : Line.mid(MimeType.size() + 1).split(';', Qt::SkipEmptyParts))
          if (!Ids.contains(Id))
            Ids << Id;
    }
  }
  std::vector<TProgram> Found;
  for (const QString& Id : Ids)
    for (const QString& Folder : Folders) {
      TProgram Program;
      if (QFile::exists(Folder + "/" + Id)) {
        if (ReadEntry(Folder + "/" + Id, Program))
          Found.push_back(Program);
        break;  // the first folder holding the entry is the one in force
      }
    }
  std::sort(Found.begin(), Found.end(), [](const TProgram& A, const TProgram& B) { return A.Name < B.Name; });
  return Found;
}

QStringList TOpenWith::Arguments(const TProgram& Program, const std::string& Path)
{
  const QString File = TPathRules::Shown(Path);
  const QString Url = QUrl::fromLocalFile(File).toString();
  QStringList Arguments;
  for (const QString& Word : QProcess::splitCommand(Program.Exec)) {
    // Field codes: the file or its URL; those of an icon, a name or a
    // location mean nothing here.
    if (Word == "%f" || Word == "%F") {
      Arguments << File;
    } else if (Word == "%u" || Word == "%U") {
      Arguments << Url;
    } else if (!(Word.size() == 2 && Word[0] == '%' && Word[1] != '%')) {
      QString Text = Word;
      Arguments << Text.replace("%f", File).replace("%u", Url).replace("%%", "%");
    }
  }
  return Arguments;
}

bool TOpenWith::Launch(const TProgram& Program, const std::string& Path)
{
  QStringList Words = Arguments(Program, Path);
  if (Words.isEmpty())
    return false;
  const QString Command = Words.takeFirst();
  return QProcess::startDetached(Command, Words);
}

bool TOpenWith::Open(const std::string& Path, const std::function<bool(const std::string&)>& Opener, QWidget* Window)
{
  // The desktop's opener fails on its own where nothing opens a file of
  // this kind: the user hears of it, and may pick a program that can.
  const QString Type = QMimeDatabase().mimeTypeForFile(TPathRules::Shown(Path)).name();
  if (HasDefault(Type))
    return Opener(Path);
  const QString Name = TPathRules::Shown(Path.substr(Path.find_last_of('/') + 1));
  const std::vector<TProgram> Found = Programs(Type);
  if (Found.empty()) {
    //: Title of a message box: the verb
    TPrompt::Warn(
      Window, tr("Open"),
      tr("No program is set to open \"%1\" (%2). No program on this computer says it can.").arg(Name, Type));
    return false;
  }
  QStringList Names;
  for (const TProgram& Program : Found)
    Names << Program.Name;
  QString Chosen = Names.front();
  if (!TPrompt::Choose(Window, tr("Open With"),
                       tr("No program is set to open \"%1\" (%2). Open it with:").arg(Name, Type), Names, Chosen))
    return false;
  if (Launch(Found[size_t(Names.indexOf(Chosen))], Path))
    return true;
  //: Title of a message box: the verb
  TPrompt::Warn(Window, tr("Open"), tr("%1 could not be started.").arg(Chosen));
  return false;
}
