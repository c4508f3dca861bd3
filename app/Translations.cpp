// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

TTranslations::TTranslations(const QLocale& Locale)
{
  // The locale's languages in the user's order (LANGUAGE, then LC_MESSAGES):
  // the first with a translation wins, as in other desktop programs.
  FOwnLoaded = FOwn.load(Locale, "spacelens", "_", ":/translations") && QCoreApplication::installTranslator(&FOwn);
  FToolkitLoaded = FToolkit.load(Locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))
    && QCoreApplication::installTranslator(&FToolkit);
}

TTranslations::~TTranslations()
{
  if (FOwnLoaded)
    QCoreApplication::removeTranslator(&FOwn);
  if (FToolkitLoaded)
    QCoreApplication::removeTranslator(&FToolkit);
}
