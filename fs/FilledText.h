// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>

// A translated message with its %1, %2, ... filled in by Values byte for
// byte: a path or what another program said need not be UTF-8, and the
// message stays bytes for the command line as for the window.
std::string FilledText(const QString& Text, std::initializer_list<std::string_view> Values);
