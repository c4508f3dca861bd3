// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainForm.h"
#include "tests/TestHome.h"

#include <QLocale>
#include <QSettings>
#include <QTest>

#include <memory>

// Helpers of the tests that drive the main window.

// Waits until every scan of the window has ended.
inline bool ScansDone(TMainForm& Form)
{
  return QTest::qWaitFor([&Form] { return !Form.Driver().Scanning(); }, 20000);
}

// English numbers and dates, as the expected texts are written.
inline void UseEnglishNumbers()
{
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The home of a test of the window for its whole run: settings, caches
// and Trash of its own; and English numbers, as the expected texts are
// written.
inline std::unique_ptr<TTestHome> WindowTestHome()
{
  UseEnglishNumbers();
  return std::make_unique<TTestHome>();
}

// No settings at all: a first start, in the temporary home of the test.
inline void FirstStart()
{
  QSettings("Zelkon", "Spacelens").clear();
}

// The settings of a first start, but in the Size view: the tests' figures
// are of lengths, which a first start shows as the space taken.
inline void ResetSettings()
{
  FirstStart();
  QSettings("Zelkon", "Spacelens").setValue("ShowType", "1");
}

// The next window starts with the details list in its right pane.
inline void StartWithList()
{
  QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", "2");
}
