// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/FilledText.h"

std::string FilledText(const QString& Text, std::initializer_list<std::string_view> Values)
{
  const std::string Format = Text.toStdString();
  std::string Result;
  for (size_t At = 0; At < Format.size(); ++At) {
    const bool Placeholder =
      Format[At] == '%' && At + 1 < Format.size() && Format[At + 1] >= '1' && Format[At + 1] <= '9';
    const size_t Index = Placeholder ? size_t(Format[At + 1] - '1') : Values.size();
    if (Index < Values.size()) {
      Result += Values.begin()[Index];
      ++At;
    } else {
      Result += Format[At];
    }
  }
  return Result;
}
