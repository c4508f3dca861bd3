// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

// Text bound for a terminal. Names are bytes: a control character or an
// escape sequence in a folder's name would act on the terminal (clear it,
// set its title), and bytes that are no UTF-8 would garble it. They are
// shown as C-style escapes, as ls and du quote names.
class TTerminalText {
public:
  // Control characters (C0, DEL, C1), a backslash and bytes that are no
  // UTF-8 as escapes; everything else as it is.
  static std::string Quoted(const std::string& Text);
  // Quoted when Stream is a terminal; as it is for a pipe or a file, which
  // keep the bytes.
  static std::string For(std::FILE* Stream, const std::string& Text);
};
