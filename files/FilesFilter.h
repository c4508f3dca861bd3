// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/FolderFiles.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// What the files view's filter box asks for, read from its words: name
// patterns (any of them; a word without wildcards is looked for inside
// names), names left out ("-*.log", "not *.log"), sizes ("> 100 MB",
// "<=4KB", "10MB..1GB"), ages and dates of the last change or access
// ("older than 1 year", "changed before 2024-01", "accessed after 2023"),
// kinds ("kind:video,audio"), extensions as the types view counts them
// ("ext:tar.gz,zip"; "ext:" alone for none) and several names, hard links ("links>1",
// "links=2"). Everything given must hold. Sizes are binary, as the program
// shows them; dates are local midnights. A file with no known time passes
// no condition on it. A word of the grammar out of its place ("than", a
// unit, "older" without "than"), a unit no one knows or an empty range is
// refused with what was meant: it is a mistake, not a name to look for; a
// quoted word is always a name.
class TFilesFilter {
  Q_DECLARE_TR_FUNCTIONS(TFilesFilter)

public:
  // Reads Text at Now (Unix seconds). False with Error, saying which word
  // and why, when a word makes no sense; the filter is then as before.
  bool Parse(const QString& Text, int64_t Now, QString& Error);
  bool Empty() const { return FEmpty; }
  bool Test(const TFolderFiles& Files, size_t Index) const;

private:
  std::vector<std::string> FNames;
  std::vector<std::string> FLeftOut;
  uint64_t FMinSize = 0, FMaxSize = UINT64_MAX;
  // Inclusive bounds in Unix seconds; a file's 0 is no time.
  struct TSpan {
    int64_t From = 0, To = INT64_MAX;
    bool Given = false;
    bool Holds(uint32_t Time) const { return !Given || (Time != 0 && Time >= From && Time <= To); }
  };
  TSpan FWrite, FAccess;
  uint32_t FKinds = 0;                   // a bit a kind; none: any kind
  std::vector<std::string> FExtensions;  // lower case, "" for none
  bool FExtensionsGiven = false;
  uint32_t FMinLinks = 0;
  uint32_t FMaxLinks = UINT32_MAX;
  bool FEmpty = true;
};
