// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/RemoteStream.h"

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

// How the remote side says that it has no scanner.
constexpr const char* NoScanner = "spacelens-remote: no scanner";
constexpr int NoScannerStatus = 127;
// What SSH exits with when it could not connect or log in.
constexpr int SshFailed = 255;
// The most of standard error kept for the message.
constexpr size_t MostTold = 4096;

std::string Quoted(const std::string& Text)
{
  std::string Result = "'";
  for (char C : Text)
    Result += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Result + "'";
}

}  // namespace

std::string TRemoteStream::RemoteCommand(const std::string& Path)
{
  // One line a POSIX shell runs, whatever the user's login shell: the
  // script and the folder are each one quoted word. Without a terminal the
  // server does not end the scanner when the connection closes: a watcher
  // does, when the input SSH holds open for it ends.
  const std::string Script =
    std::string("for s in spacelens ncdu gdu; do command -v \"$s\" >/dev/null 2>&1 && break; s=; done; "
                "case \"$s\" in spacelens) set -- spacelens --nogui --export-ncdu - \"$0\";; "
                "ncdu) set -- ncdu -o- -x -e \"$0\";; gdu) set -- gdu -o- \"$0\";; *) echo \"")
    + NoScanner + "\" >&2; exit " + std::to_string(NoScannerStatus)
    + ";; esac; exec 3<&0; \"$@\" </dev/null & p=$!; (while read -r l; do :; done; kill $p) <&3 >/dev/null 2>&1 & wait $p";
  return "sh -c " + Quoted(Script) + " " + Quoted(Path);
}

std::vector<std::string> TRemoteStream::Command(const TRemoteAddress& Address, bool Batch)
{
  std::vector<std::string> Words;
  const QString Given = qEnvironmentVariable("SPACELENS_SSH").trimmed();
  for (const QString& Word : (Given.isEmpty() ? QString("ssh") : Given).split(' ', Qt::SkipEmptyParts))
    Words.push_back(Word.toLocal8Bit().toStdString());
  Words.push_back("-T");
  if (Batch) {
    Words.push_back("-o");
    Words.push_back("BatchMode=yes");
  }
  if (Address.Port) {
    Words.push_back("-p");
    Words.push_back(std::to_string(Address.Port));
  }
  if (!Address.User.empty()) {
    Words.push_back("-l");
    Words.push_back(Address.User);
  }
  Words.push_back("--");
  Words.push_back(Address.Host);
  Words.push_back(RemoteCommand(Address.Path));
  return Words;
}

TRemoteStream::TRemoteStream(const TRemoteAddress& Address, const std::string& Askpass) : FAddress(Address)
{
  // Whether SSH may ask on a terminal of its own.
  if (Askpass.empty()) {
    const int Terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    FOnTerminal = Terminal >= 0;
    FBatch = !FOnTerminal;
    if (Terminal >= 0)
      close(Terminal);
  }
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
  FErrors = memfd_create("ssh-errors", MFD_CLOEXEC);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&Actions, Output[1], STDOUT_FILENO);
  if (FErrors >= 0)
    posix_spawn_file_actions_adddup2(&Actions, FErrors, STDERR_FILENO);
  // A group of its own, so that stopping ends SSH and what it started;
  // on a terminal it stays in the terminal's, which it reads from.
  posix_spawnattr_t Attributes;
  posix_spawnattr_init(&Attributes);
  if (!FOnTerminal) {
    posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&Attributes, 0);
  }

  std::vector<std::string> Environment;
  for (char** Item = environ; *Item; ++Item)
    Environment.emplace_back(*Item);
  if (!Askpass.empty()) {
    Environment.push_back("SSH_ASKPASS=" + Askpass);
    Environment.push_back("SSH_ASKPASS_REQUIRE=force");
    Environment.push_back(std::string(AskpassMark) + "=1");
  }
  std::vector<char*> Env;
  for (std::string& Item : Environment)
    Env.push_back(Item.data());
  Env.push_back(nullptr);
  std::vector<std::string> Words = Command(FAddress, FBatch);
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
    FStartError = Words[0] + ": " + std::strerror(Code)
      + (Code == ENOENT ? " (install OpenSSH's client, or name one in SPACELENS_SSH)" : "");
    return;
  }
  FOutput = Output[0];
}

TRemoteStream::~TRemoteStream()
{
  Finish(true, 0);
}

std::string TRemoteStream::Told() const
{
  if (FErrors < 0)
    return {};
  const off_t Size = lseek(FErrors, 0, SEEK_END);
  const off_t From = Size > off_t(MostTold) ? Size - off_t(MostTold) : 0;
  std::string Text(size_t(Size - From), '\0');
  const ssize_t Read = pread(FErrors, Text.data(), Text.size(), From);
  Text.resize(Read > 0 ? size_t(Read) : 0);
  // The last line said is the reason; SSH's warnings come before it.
  while (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r'))
    Text.pop_back();
  if (const size_t Line = Text.rfind('\n'); Line != std::string::npos)
    Text.erase(0, Line + 1);
  return Text;
}

std::string TRemoteStream::Finish(bool Stopped, uint64_t Received)
{
  if (FInput >= 0)
    close(FInput);
  FInput = -1;
  if (FChild < 0) {
    std::string Why = FStartError;
    FStartError.clear();
    return Why;
  }
  // Closing the connection ends the scan on the other side too.
  if (Stopped)
    kill(FOnTerminal ? FChild : -FChild, SIGTERM);
  if (FOutput >= 0)
    close(FOutput);
  FOutput = -1;
  int Status = 0;
  while (waitpid(FChild, &Status, 0) < 0 && errno == EINTR) {
  }
  FChild = -1;
  const std::string Said = Told();
  if (FErrors >= 0)
    close(FErrors);
  FErrors = -1;
  if (Stopped)
    return {};
  if (WIFSIGNALED(Status))
    return "ssh ended by signal " + std::to_string(WTERMSIG(Status));
  const int Exit = WEXITSTATUS(Status);
  // ncdu ends well having sent nothing when it cannot read the folder: its
  // words are the reason.
  if (Exit == 0 && Received == 0)
    return Said.empty() ? "the scanner on " + FAddress.Host + " ended well but sent nothing" : Said;
  if (Exit == 0)
    return {};
  if (Exit == NoScannerStatus && Said.find(NoScanner) != std::string::npos)
    return FAddress.Host + " has none of spacelens, ncdu or gdu; install one of them there";
  if (Exit == SshFailed && Received > 0)
    return "the connection to " + FAddress.Host + " was lost" + (Said.empty() ? "" : ": " + Said);
  if (Exit == SshFailed && FBatch)
    return (Said.empty() ? "ssh could not connect to " + FAddress.Host : Said)
      + " (without a terminal ssh may not ask for a password or whether to trust a new host: run ssh " + FAddress.Host
      + " once on a terminal, or log in with a key)";
  if (Exit == SshFailed)
    return Said.empty() ? "ssh could not connect to " + FAddress.Host : Said;
  return Said.empty() ? "the scan on " + FAddress.Host + " ended with status " + std::to_string(Exit) : Said;
}
