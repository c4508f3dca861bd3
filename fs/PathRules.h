// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

// The one place that knows how folder paths are written and compared, so the
// rest of the program never spells out separators itself.
class TPathRules {
public:
  static constexpr char Separator = '/';

  // The path with one separator at its end ("/" stays "/"; "" stays "").
  static std::string WithSeparator(const std::string& Path);
  // Whether two normalised paths name the same folder. Linux names are
  // case-sensitive, so this is an exact comparison.
  static bool SamePath(const std::string& A, const std::string& B);
  // An absolute, tidy path: "~" is the home folder, a relative path is taken
  // against Current (empty when there is none), and repeated separators,
  // "." and ".." are resolved.
  static std::string Absolute(const std::string& Path, const std::string& Current, const std::string& Home);
  // Absolute() against the process's current folder and $HOME.
  static std::string Absolute(const std::string& Path);
  // A path or name as text to show; bytes that are not UTF-8 show as
  // replacement characters (the bytes themselves stay in the program).
  static QString Shown(const std::string& Path) { return QString::fromLocal8Bit(Path.c_str()); }
};
