// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

#include <functional>
#include <string>
#include <vector>

// The desktop's programs for a kind of file: whether one is set to open it
// (as xdg-open will look it up), and those whose desktop entries say they
// can, so that a file nothing opens by default can still be opened.
class TOpenWith {
  Q_DECLARE_TR_FUNCTIONS(TOpenWith)

public:
  struct TProgram {
    QString Name;
    QString Exec;  // the entry's command line, with its field codes
  };

  // Whether a program is set to open files of MimeType; true when that
  // cannot be told (xdg-mime missing), so the opener is tried all the same.
  static bool HasDefault(const QString& MimeType);
  // The programs whose entries name MimeType, by name, each once.
  static std::vector<TProgram> Programs(const QString& MimeType);
  // Opens the file at Path with Opener, the desktop's opener, when a
  // program is set for its kind; else the user hears so, in a prompt over
  // Window, and may pick a program that can. False when nothing opened it.
  static bool Open(const std::string& Path, const std::function<bool(const std::string&)>& Opener, QWidget* Window);
  // Starts Program on the file at Path, detached; false when it cannot be.
  static bool Launch(const TProgram& Program, const std::string& Path);
  // The arguments Program runs with for Path: the entry's command line with
  // its field codes filled in.
  static QStringList Arguments(const TProgram& Program, const std::string& Path);
};
