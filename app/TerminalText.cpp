// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminalText.h"

#include <unistd.h>

namespace {

// The length of the UTF-8 sequence of a character that is no control at
// Text[At]; 0 when the bytes there are no such sequence.
size_t Printable(const std::string& Text, size_t At)
{
  const auto Byte = [&Text](size_t Index) { return static_cast<unsigned char>(Text[Index]); };
  const unsigned char Lead = Byte(At);
  if (Lead >= 0x20 && Lead < 0x7F)
    return Lead == '\\' ? 0 : 1;
  size_t Length = Lead >= 0xC2 && Lead <= 0xDF ? 2
    : Lead >= 0xE0 && Lead <= 0xEF             ? 3
    : Lead >= 0xF0 && Lead <= 0xF4             ? 4
                                               : 0;
  if (Length == 0 || At + Length > Text.size())
    return 0;
  for (size_t Index = At + 1; Index < At + Length; ++Index)
    if ((Byte(Index) & 0xC0) != 0x80)
      return 0;
  // Overlong forms, surrogates and what lies beyond U+10FFFF are no UTF-8;
  // U+0080..U+009F are controls.
  const unsigned char Next = Byte(At + 1);
  if ((Lead == 0xE0 && Next < 0xA0) || (Lead == 0xED && Next >= 0xA0) || (Lead == 0xF0 && Next < 0x90)
      || (Lead == 0xF4 && Next >= 0x90) || (Lead == 0xC2 && Next < 0xA0))
    return 0;
  return Length;
}

}  // namespace

std::string TTerminalText::Quoted(const std::string& Text)
{
  std::string Shown;
  Shown.reserve(Text.size());
  for (size_t At = 0; At < Text.size();) {
    if (const size_t Length = Printable(Text, At)) {
      Shown.append(Text, At, Length);
      At += Length;
      continue;
    }
    const unsigned char Byte = static_cast<unsigned char>(Text[At++]);
    static const char Letters[] = "abtnvfr";
    if (Byte >= '\a' && Byte <= '\r') {
      Shown += '\\';
      Shown += Letters[Byte - '\a'];
    } else if (Byte == '\\') {
      Shown += "\\\\";
    } else {
      char Octal[5];
      std::snprintf(Octal, sizeof Octal, "\\%03o", Byte);
      Shown += Octal;
    }
  }
  return Shown;
}

std::string TTerminalText::For(std::FILE* Stream, const std::string& Text)
{
  return isatty(fileno(Stream)) ? Quoted(Text) : Text;
}
