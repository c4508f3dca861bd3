// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/RemoteStream.h"

#include "fs/FilledText.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How the remote side says that it has no scanner.
constexpr const char* NoScanner = "spacelens-remote: no scanner";
constexpr int NoScannerStatus = 127;
// What SSH exits with when it could not connect or log in.
constexpr int SshFailed = 255;

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
  std::vector<std::string> Words = Named("SPACELENS_SSH", "ssh");
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
  // Whether SSH may ask on a terminal of its own: there it stays in the
  // terminal's process group, which it reads from; elsewhere it has a group
  // of its own, so that stopping ends SSH and what it started.
  bool OnTerminal = false;
  if (Askpass.empty()) {
    const int Terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    OnTerminal = Terminal >= 0;
    FBatch = !OnTerminal;
    if (Terminal >= 0)
      close(Terminal);
  }
  std::vector<std::string> Extra;
  if (!Askpass.empty())
    Extra = {"SSH_ASKPASS=" + Askpass, "SSH_ASKPASS_REQUIRE=force", std::string(AskpassMark) + "=1"};
  //: Added to the system's reason when ssh is missing; keep the leading space
  Start(Command(FAddress, FBatch), Extra, OnTerminal ? ssTerminal : ssGroup,
        tr(" (install OpenSSH's client, or name one in SPACELENS_SSH)").toStdString());
}

std::string TRemoteStream::Verdict(int Status, const std::string& Said, uint64_t Received) const
{
  if (WIFSIGNALED(Status))
    return FilledText(tr("ssh ended by signal %1"), {std::to_string(WTERMSIG(Status))});
  const int Exit = WEXITSTATUS(Status);
  // ncdu ends well having sent nothing when it cannot read the folder: its
  // words are the reason.
  if (Exit == 0 && Received == 0)
    return Said.empty() ? FilledText(tr("the scanner on %1 ended well but sent nothing"), {FAddress.Host}) : Said;
  if (Exit == 0)
    return {};
  if (Exit == NoScannerStatus && Said.find(NoScanner) != std::string::npos)
    return FilledText(tr("%1 has none of spacelens, ncdu or gdu; install one of them there"), {FAddress.Host});
  if (Exit == SshFailed && Received > 0)
    return Said.empty() ? FilledText(tr("the connection to %1 was lost"), {FAddress.Host})
                        : FilledText(tr("the connection to %1 was lost: %2"), {FAddress.Host, Said});
  if (Exit == SshFailed && FBatch)
    return Said.empty()
      ? FilledText(tr("ssh could not connect to %1 (without a terminal ssh may not ask for a password or "
                      "whether to trust a new host: run ssh %1 once on a terminal, or log in with a key)"),
                   {FAddress.Host})
      : FilledText(tr("%2 (without a terminal ssh may not ask for a password or whether to trust a new "
                      "host: run ssh %1 once on a terminal, or log in with a key)"),
                   {FAddress.Host, Said});
  if (Exit == SshFailed)
    return Said.empty() ? FilledText(tr("ssh could not connect to %1"), {FAddress.Host}) : Said;
  return Said.empty() ? FilledText(tr("the scan on %1 ended with status %2"), {FAddress.Host, std::to_string(Exit)})
                      : Said;
}
