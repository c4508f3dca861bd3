// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/StreamSource.h"

#include <string>
#include <sys/types.h>
#include <vector>

// An export read from the standard output of a command this program starts:
// its standard input is a pipe held open and never written, whose end tells
// the command to stop; what it says on standard error is kept, the last
// line of it being the reason when it fails. A subclass starts it and tells
// what its exit meant.
class TChildStream : public TStreamSource {
public:
  ~TChildStream() override;
  TChildStream(const TChildStream&) = delete;
  TChildStream& operator=(const TChildStream&) = delete;

  int Fd() const override { return FOutput; }
  std::string Finish(bool Stopped, uint64_t Received) final;

protected:
  enum TSession {
    ssTerminal,  // in the program's process group, to ask on its terminal
    ssGroup,     // a process group of its own, ended whole when stopped
    ssSession,   // a session of its own, without the program's terminal
  };
  TChildStream() = default;
  // Starts Words[0] (searched on PATH) with Words as its arguments and the
  // program's environment with Extra added; Missing is added to the reason
  // when the command is not found.
  void Start(std::vector<std::string> Words, const std::vector<std::string>& Extra, TSession Session,
             const std::string& Missing);
  // What went wrong, told by the command's wait status and the last line it
  // said: empty when nothing did.
  virtual std::string Verdict(int Status, const std::string& Said, uint64_t Received) const = 0;
  // The words of a command named by an environment variable, else Usual.
  static std::vector<std::string> Named(const char* Variable, const char* Usual);

private:
  // Ends the command; its wait status, -1 when none ran. A stopped one is
  // told nothing of.
  int End(bool Stopped);
  std::string Told() const;

  TSession FSession = ssGroup;
  pid_t FChild = -1;
  int FOutput = -1;
  int FInput = -1;   // never written: its end tells the command to stop
  int FErrors = -1;  // what the command said on standard error
  std::string FStartError;
};
