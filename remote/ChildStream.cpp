// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/ChildStream.h"

#include <QString>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The most of standard error kept for the message.
constexpr size_t MostTold = 4096;

}  // namespace

std::vector<std::string> TChildStream::Named(const char* Variable, const char* Usual)
{
  std::vector<std::string> Words;
  const QString Given = qEnvironmentVariable(Variable).trimmed();
  for (const QString& Word : (Given.isEmpty() ? QString(Usual) : Given).split(' ', Qt::SkipEmptyParts))
    Words.push_back(Word.toLocal8Bit().toStdString());
  return Words;
}

void TChildStream::Start(std::vector<std::string> Words, const std::vector<std::string>& Extra, TSession Session,
                         const std::string& Missing)
{
  FSession = Session;
  int Output[2], Input[2];
  if (pipe2(Output, O_CLOEXEC) != 0) {
    FStartError = std::strerror(errno);
    return;
  }
  if (pipe2(Input, O_CLOEXEC) != 0) {
    FStartError = std::strerror(errno);
    close(Output[0]);
    close(Output[1]);
    return;
  }
  FErrors = memfd_create("command-errors", MFD_CLOEXEC);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&Actions, Output[1], STDOUT_FILENO);
  if (FErrors >= 0)
    posix_spawn_file_actions_adddup2(&Actions, FErrors, STDERR_FILENO);
  posix_spawnattr_t Attributes;
  posix_spawnattr_init(&Attributes);
  if (Session == ssGroup) {
    posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&Attributes, 0);
  } else if (Session == ssSession) {
    posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSID);
  }

  std::vector<std::string> Environment;
  for (char** Item = environ; *Item; ++Item)
    Environment.emplace_back(*Item);
  Environment.insert(Environment.end(), Extra.begin(), Extra.end());
  std::vector<char*> Env;
  for (std::string& Item : Environment)
    Env.push_back(Item.data());
  Env.push_back(nullptr);
  std::vector<char*> Argv;
  for (std::string& Word : Words)
    Argv.push_back(Word.data());
  Argv.push_back(nullptr);
  const int Code = posix_spawnp(&FChild, Argv[0], &Actions, &Attributes, Argv.data(), Env.data());
  posix_spawn_file_actions_destroy(&Actions);
  posix_spawnattr_destroy(&Attributes);
  close(Output[1]);
  close(Input[0]);
  FInput = Input[1];
  if (Code != 0) {
    FChild = -1;
    close(Output[0]);
    FStartError = Words[0] + ": " + std::strerror(Code) + (Code == ENOENT ? Missing : "");
    return;
  }
  FOutput = Output[0];
}

TChildStream::~TChildStream()
{
  Finish(true, 0);
}

std::string TChildStream::Told() const
{
  if (FErrors < 0)
    return {};
  const off_t Size = lseek(FErrors, 0, SEEK_END);
  const off_t From = Size > off_t(MostTold) ? Size - off_t(MostTold) : 0;
  std::string Text(size_t(Size - From), '\0');
  const ssize_t Read = pread(FErrors, Text.data(), Text.size(), From);
  Text.resize(Read > 0 ? size_t(Read) : 0);
  // The last line said is the reason; warnings come before it.
  while (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r'))
    Text.pop_back();
  if (const size_t Line = Text.rfind('\n'); Line != std::string::npos)
    Text.erase(0, Line + 1);
  return Text;
}

int TChildStream::End(bool Stopped)
{
  if (FInput >= 0)
    close(FInput);
  FInput = -1;
  if (FChild < 0)
    return -1;
  // A command that now runs as another user may not be signalled: the
  // pipes closing end it.
  if (Stopped)
    kill(FSession == ssTerminal ? FChild : -FChild, SIGTERM);
  if (FOutput >= 0)
    close(FOutput);
  FOutput = -1;
  int Status = 0;
  while (waitpid(FChild, &Status, 0) < 0 && errno == EINTR) {
  }
  FChild = -1;
  return Status;
}

std::string TChildStream::Finish(bool Stopped, uint64_t Received)
{
  const int Status = End(Stopped);
  const std::string Said = Told();
  if (FErrors >= 0)
    close(FErrors);
  FErrors = -1;
  if (Status < 0) {
    std::string Why = FStartError;
    FStartError.clear();
    return Why;
  }
  return Stopped ? std::string() : Verdict(Status, Said, Received);
}
