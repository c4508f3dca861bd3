// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/AdminStream.h"

#include "fs/FilledText.h"

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
  //: Added to the system's reason when pkexec is missing; keep the leading space
  const QString Missing = tr(" (install the pkexec package, or name a program in SPACELENS_PKEXEC)");
  // Without the window's terminal, pkexec asks through the desktop's
  // authentication agent only.
  Start(Command(Folder, Program), {}, ssSession, Missing.toStdString());
}

std::string TAdminStream::Verdict(int Status, const std::string& Said, uint64_t Received) const
{
  if (WIFSIGNALED(Status))
    return FilledText(tr("the scan as administrator ended by signal %1"), {std::to_string(WTERMSIG(Status))});
  const int Exit = WEXITSTATUS(Status);
  // The scan tells by 1 that a folder could not be read whole: what it sent
  // says which, as it does for a scan in the window.
  if (Received > 0 && (Exit == 0 || Exit == 1))
    return {};
  if (Exit == NotAuthorised)
    return Said.empty() ? tr("the administrator's password was not given").toStdString()
                        : FilledText(tr("the administrator's password was not given: %1"), {Said});
  if (Exit == CannotRun && !Said.empty())
    return FilledText(tr("%1 (a desktop's authentication agent asks for the password: log in to a desktop session)"),
                      {Said});
  if (!Said.empty())
    return Said;
  return Exit == 0 ? tr("the scan as administrator ended well but sent nothing").toStdString()
                   : FilledText(tr("the scan as administrator ended with status %1"), {std::to_string(Exit)});
}
