// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsStore.h"

TSettingsStore::TSettingsStore() : FStore("Zelkon", "Spacelens") {}

int TSettingsStore::Integer(const QString& Name, int Default) const
{
  bool Valid = false;
  const int Value = FStore.value(Name).toString().trimmed().toInt(&Valid);
  return Valid ? Value : Default;
}

bool TSettingsStore::Boolean(const QString& Name, bool Default) const
{
  return Integer(Name, Default ? 1 : 0) != 0;
}

void TSettingsStore::SetInteger(const QString& Name, int Value)
{
  FStore.setValue(Name, QString::number(Value));
}

void TSettingsStore::SetBoolean(const QString& Name, bool Value)
{
  SetInteger(Name, Value ? 1 : 0);
}
