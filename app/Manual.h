#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// The HTML manual installed beside the program, opened in the desktop's
// browser at a topic.
class TManual {
public:
  static QString Path();
  // Opens the manual at Topic (an anchor; the start when empty) with the
  // desktop's opener. False, after telling the user, when the manual is
  // missing; an opener that fails later is told of then.
  static bool Open(const QString& Topic = {});

  // Test hook: receives the address instead of the desktop.
  using TOpener = std::function<bool(const QUrl& Address)>;
  static void SetOpener(TOpener Opener);
};
