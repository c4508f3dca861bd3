// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTranslator>

// The window's texts in a language: the program's own translation, built
// into it, and the toolkit's (the standard buttons and dialogs) from the
// system. Installed while the object lives; a language without a
// translation leaves the English texts.
class TTranslations {
public:
  explicit TTranslations(const QLocale& Locale);
  ~TTranslations();
  TTranslations(const TTranslations&) = delete;
  TTranslations& operator=(const TTranslations&) = delete;

  // Whether the program's own texts are translated (English needs none).
  bool Found() const { return FOwnLoaded; }

private:
  QTranslator FOwn;
  QTranslator FToolkit;
  bool FOwnLoaded = false;
  bool FToolkitLoaded = false;
};
