// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/ChildStream.h"
#include "remote/RemoteAddress.h"

#include <QCoreApplication>

#include <string>
#include <vector>

// The scan of a folder on another machine, as an export streamed over SSH:
// one connection runs the first scanner the machine has (Spacelens, ncdu,
// gdu) on the folder and sends its export back. SSH is the user's own
// (SPACELENS_SSH may name another command, with options), with the user's
// keys, configuration and known hosts; its questions (a password, a new
// host's key) go to Askpass when given, else to the terminal, as SSH alone
// would ask them; without either it is told not to ask (BatchMode) and
// fails at once, saying how to answer them once and for all.
class TRemoteStream : public TChildStream {
  Q_DECLARE_TR_FUNCTIONS(TRemoteStream)

public:
  // Askpass: the program that asks SSH's questions in a window; empty: on
  // the terminal.
  TRemoteStream(const TRemoteAddress& Address, const std::string& Askpass);

  // The command that is run: SSH, its options (BatchMode when it may not
  // ask), the machine and the command run there.
  static std::vector<std::string> Command(const TRemoteAddress& Address, bool Batch);
  // What the machine runs: the first scanner it has, on Path, ended when
  // the connection closes.
  static std::string RemoteCommand(const std::string& Path);
  // The environment variable that marks the program run as SSH's askpass.
  static constexpr const char* AskpassMark = "SPACELENS_ASKPASS";

private:
  std::string Verdict(int Status, const std::string& Said, uint64_t Received) const override;

  const TRemoteAddress FAddress;
  bool FBatch = false;  // SSH may not ask
};
