// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// Raised by the change monitor when it cannot start, is stopped while not
// running, or is reconfigured while running.
class EDirMonError : public std::runtime_error {
public:
  explicit EDirMonError(const QString& Message) : std::runtime_error(Message.toStdString()) {}
};
