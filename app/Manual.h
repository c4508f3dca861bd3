// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// The HTML manual, opened in the desktop's browser at a topic. It is found
// beside the program (in a build folder) or under the prefix the program is
// installed in, in the user's language where it is translated.
class TManual {
  Q_DECLARE_TR_FUNCTIONS(TManual)

public:
  // The places looked at for a program in ProgramDir, in order.
  static QStringList Places(const QString& ProgramDir);
  // The first of Places that exists; empty when none does.
  static QString Find(const QString& ProgramDir);
  // Find for this program.
  static QString Path();
  // Opens the manual at Topic (an anchor; the start when empty) with the
  // desktop's opener. False, after telling the user, when the manual is
  // missing; an opener that fails later is told of then.
  static bool Open(const QString& Topic = {});

  // Test hook: receives the address instead of the desktop.
  using TOpener = std::function<bool(const QUrl& Address)>;
  static void SetOpener(TOpener Opener);
};
