// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainForm.h"

#include <QLocale>
#include <QSettings>
#include <QTest>

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

// The settings of a first start, in the temporary home of the test.
inline void ResetSettings()
{
  QSettings("Zelkon", "Spacelens").clear();
}

// The next window starts with the details list in its right pane.
inline void StartWithList()
{
  QSettings("Zelkon", "Spacelens").setValue("ActiveSeries", "2");
}
