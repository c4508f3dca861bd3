// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <string>

// A folder on another machine reached over SSH, written
// ssh://[user@]host[:port]/path or, as scp writes it, [user@]host:/path.
struct TRemoteAddress {
  Q_DECLARE_TR_FUNCTIONS(TRemoteAddress)

public:
  std::string User;  // empty: SSH's own choice
  std::string Host;
  int Port = 0;      // 0: SSH's own choice
  std::string Path;  // absolute

  // Reads Text; false, with Problem, when it is no such address.
  bool Parse(const std::string& Text, std::string& Problem);
  // The address as ssh://[user@]host[:port]/path.
  std::string Url() const;
  // The root's name: host:/path.
  std::string Name() const;
  // Whether Text is written as a remote folder (either way) rather than a
  // local path.
  static bool Looks(const std::string& Text);
};
