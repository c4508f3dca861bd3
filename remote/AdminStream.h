// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/ChildStream.h"

#include <QCoreApplication>

#include <string>
#include <vector>

// The scan of a folder as the administrator: pkexec (or the command
// SPACELENS_PKEXEC names) runs this program's own headless scan on it, and
// its export is streamed back. Only that scan runs as root, with a fixed list
// of arguments and no shell; it ends when the stream is closed, as it is when
// the scan is stopped or the window goes.
class TAdminStream : public TChildStream {
  Q_DECLARE_TR_FUNCTIONS(TAdminStream)

public:
  // Program: this program's absolute path.
  TAdminStream(const std::string& Folder, const std::string& Program);

  static std::vector<std::string> Command(const std::string& Folder, const std::string& Program);

private:
  std::string Verdict(int Status, const std::string& Said, uint64_t Received) const override;
};
