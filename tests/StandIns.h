// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Prompt.h"

#include <QFile>
#include <QStringList>
#include <QTest>

#include <string>

// Answers every prompt in place of the user and remembers what was asked:
// yes to questions, Input (when set) to requests for text or a choice.
struct TAnswers {
  TAnswers()
  {
    TPrompt::SetAnswerer([this](TPrompt::TKind Kind, const QString&, const QString& Text, QString& Value) {
      Asked << Text;
      if ((Kind == TPrompt::pkInput || Kind == TPrompt::pkChoose) && !Input.isNull())
        Value = Input;
      return Yes;
    });
  }
  ~TAnswers() { TPrompt::SetAnswerer(nullptr); }
  bool Yes = true;
  QString Input;
  QStringList Asked;
};

// A stand-in for a desktop program: a shell script of that name in Folder.
inline void StandIn(const std::string& Folder, const char* Name, const QByteArray& Body)
{
  QFile Script(QString::fromStdString(Folder + "/" + Name));
  QVERIFY(Script.open(QIODevice::WriteOnly));
  Script.write("#!/bin/sh\n" + Body);
  Script.close();
  Script.setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
}

// Folder searched first for programs while the object lives; with Only the
// one searched, so that the system's own programs are not found.
class TProgramsFirst {
public:
  explicit TProgramsFirst(const std::string& Folder, bool Only = false) : FOld(qgetenv("PATH"))
  {
    qputenv("PATH", QByteArray::fromStdString(Folder) + (Only ? QByteArray() : ":" + FOld));
  }
  ~TProgramsFirst() { qputenv("PATH", FOld); }

private:
  QByteArray FOld;
};
