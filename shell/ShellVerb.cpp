// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShellVerb.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<TShellVerb, const char*>, 8> Verbs{{
  {TShellVerb::svOpen, "open"},
  {TShellVerb::svOpen, "default"},
  {TShellVerb::svExplore, "explore"},
  {TShellVerb::svCopy, "copy"},
  {TShellVerb::svRename, "rename"},
  {TShellVerb::svDelete, "delete"},
  {TShellVerb::svDeletePermanently, "deletepermanently"},
  {TShellVerb::svProperties, "properties"},
}};

}  // namespace

std::optional<TShellVerb> ShellVerbOf(const QString& Text)
{
  if (Text.isEmpty())
    return TShellVerb::svOpen;
  for (const auto& [Verb, Name] : Verbs)
    if (Text.compare(QLatin1String(Name), Qt::CaseInsensitive) == 0)
      return Verb;
  return std::nullopt;
}

QString ShellVerbText(TShellVerb Verb)
{
  for (const auto& [Each, Name] : Verbs)
    if (Each == Verb)
      return QLatin1String(Name);
  return {};
}
