// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The one door through which the shell layer asks the user something or
// tells of a failure. Tests install an answerer so that no person is needed.
class TPrompt {
public:
  enum TKind { pkConfirm, pkWarning, pkInform, pkInput, pkChoose };

  // A yes/no question; true for yes.
  static bool Confirm(QWidget* Parent, const QString& Title, const QString& Text);
  static void Warn(QWidget* Parent, const QString& Title, const QString& Text);
  static void Inform(QWidget* Parent, const QString& Title, const QString& Text);
  // Asks for a line of text, Value holding the proposal; false when cancelled.
  static bool Input(QWidget* Parent, const QString& Title, const QString& Text, QString& Value);
  // Asks for one of Items, which Value gets; false when cancelled.
  static bool Choose(QWidget* Parent, const QString& Title, const QString& Text, const QStringList& Items,
                     QString& Value);

  // Receives every prompt instead of the user: the kind, the title, the text
  // and (for input) the value to fill; returns the answer.
  using TAnswerer = std::function<bool(TKind Kind, const QString& Title, const QString& Text, QString& Value)>;
  static void SetAnswerer(TAnswerer Answerer);
};
