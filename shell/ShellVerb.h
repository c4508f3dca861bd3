// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What can be done to files and folders through the shell; callers and the
// context menu name a verb by its text ("open", "delete", ...).
enum class TShellVerb { svOpen, svExplore, svCopy, svRename, svDelete, svDeletePermanently, svProperties };

// The verb of a text, in any case; "" and "default" are Open.
std::optional<TShellVerb> ShellVerbOf(const QString& Text);
// The text that names Verb, as the context menu reports it.
QString ShellVerbText(TShellVerb Verb);
