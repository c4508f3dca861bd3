// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// Raised by the shell component when a folder or object cannot be found.
class EShellPilotError : public std::runtime_error {
public:
  explicit EShellPilotError(const QString& Message) : std::runtime_error(Message.toStdString()), FMessage(Message) {}
  const QString& Message() const { return FMessage; }

private:
  QString FMessage;
};
