// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/TestTree.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <string>

// Points HOME and the XDG folders at a temporary folder for the life of the
// object, so a test never touches the real user's settings or Trash.
class TTestHome {
public:
  TTestHome()
  {
    QVERIFY(FDir.isValid());
    for (const auto& [Name, Sub] : {std::pair{"HOME", ""},
                                    {"XDG_CONFIG_HOME", "/.config"},
                                    {"XDG_DATA_HOME", "/.local/share"},
                                    {"XDG_CACHE_HOME", "/.cache"}})
      setenv(Name, (Path() + Sub).c_str(), 1);
  }
  ~TTestHome() { RemoveTree(Path()); }
  std::string Path() const { return FDir.path().toStdString(); }

private:
  QTemporaryDir FDir;
};
