// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

// The program's settings store: one group of text values ("1"/"0" for
// booleans). A value that is missing or not a number reads as its default.
class TSettingsStore {
public:
  TSettingsStore();

  int Integer(const QString& Name, int Default) const;
  bool Boolean(const QString& Name, bool Default) const;
  void SetInteger(const QString& Name, int Value);
  void SetBoolean(const QString& Name, bool Value);
  QString Text(const QString& Name) const { return FStore.value(Name).toString(); }
  void SetText(const QString& Name, const QString& Value) { FStore.setValue(Name, Value); }
  QSettings& Store() { return FStore; }
  bool Has(const QString& Name) const { return FStore.contains(Name); }

private:
  QSettings FStore;
};
