// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/AdminStream.h"

#include <sys/wait.h>

namespace {

// What pkexec exits with when the user did not authorise it, and when it
// could not ask or run the program.
constexpr int NotAuthorised = 126;
constexpr int CannotRun = 127;

}  // namespace

std::vector<std::string> TAdminStream::Command(const std::string& Folder, const std::string& Program)
{
  std::vector<std::string> Words = Named("SPACELENS_PKEXEC", "pkexec");
  // The folder is the one argument after "--", whatever its name.
  for (const std::string& Word : {Program, std::string("--nogui"), std::string("--no-history"),
                                  std::string("--export-ncdu"), std::string("-"), std::string("--"), Folder})
    Words.push_back(Word);
  return Words;
}

TAdminStream::TAdminStream(const std::string& Folder, const std::string& Program)
{
  // Without the window's terminal, pkexec asks through the desktop's
  // authentication agent only.
  Start(Command(Folder, Program), {}, ssSession,
        " (install the pkexec package, or name a program in SPACELENS_PKEXEC)");
}

std::string TAdminStream::Verdict(int Status, const std::string& Said, uint64_t Received) const
{
  if (WIFSIGNALED(Status))
    return "the scan as administrator ended by signal " + std::to_string(WTERMSIG(Status));
  const int Exit = WEXITSTATUS(Status);
  // The scan tells by 1 that a folder could not be read whole: what it sent
  // says which, as it does for a scan in the window.
  if (Received > 0 && (Exit == 0 || Exit == 1))
    return {};
  if (Exit == NotAuthorised)
    return "the administrator's password was not given" + (Said.empty() ? "" : ": " + Said);
  if (Exit == CannotRun && !Said.empty())
    return Said + " (a desktop's authentication agent asks for the password: log in to a desktop session)";
  if (!Said.empty())
    return Said;
  return Exit == 0 ? "the scan as administrator ended well but sent nothing"
                   : "the scan as administrator ended with status " + std::to_string(Exit);
}
