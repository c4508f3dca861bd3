// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MRUList.h"

#include "fs/PathRules.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

#include <utility>

const char* TMRUFileList::AutoSaveKey = "MRU Items";

TMRUFileList::TMRUFileList(QObject* Parent) : QObject(Parent) {}

void TMRUFileList::SetFileMenu(QAction* Before)
{
  FFileMenu = Before;
  RebuildMenu();
}

void TMRUFileList::SetMaximum(int Maximum)
{
  if (Maximum == FMaximum)
    return;
  if (Maximum < FMaximum && FItems.size() > size_t(std::max(0, Maximum))) {
    FItems.resize(size_t(std::max(0, Maximum)));
    RebuildMenu();
  }
  FMaximum = Maximum;
}

void TMRUFileList::SetUseSubmenu(bool Use)
{
  if (Use == FUseSubmenu)
    return;
  FUseSubmenu = Use;
  RebuildMenu();
}

void TMRUFileList::SetSubmenuName(const QString& Name)
{
  if (Name == FSubmenuName)
    return;
  FSubmenuName = Name;
  if (FUseSubmenu)
    RebuildMenu();
}

void TMRUFileList::RemoveItem(const std::string& Path)
{
  std::erase(FItems, Path);
}

void TMRUFileList::AddItem(const std::string& Path)
{
  // Linux names are case-sensitive: only the same bytes are the same folder.
  if (const auto Found = std::find(FItems.begin(), FItems.end(), Path); Found != FItems.end()) {
    std::rotate(FItems.begin(), Found, Found + 1);
  } else {
    FItems.insert(FItems.begin(), Path);
    while (FItems.size() > size_t(std::max(0, FMaximum)))
      FItems.pop_back();
  }
  RebuildMenu();
}

void TMRUFileList::RebuildMenu()
{
  for (QAction* Item : FMenuItems)
    delete Item;
  FMenuItems.clear();
  delete std::exchange(FSubmenu, nullptr);  // with its entries
  QMenu* Menu = FFileMenu ? qobject_cast<QMenu*>(FFileMenu->parent()) : nullptr;
  if (!Menu || FItems.empty())
    return;
  auto* Separator = new QAction(Menu);
  Separator->setSeparator(true);
  Menu->insertAction(FFileMenu, Separator);
  FMenuItems.push_back(Separator);
  QAction* Before = FFileMenu;
  if (FUseSubmenu) {
    FSubmenu = new QMenu(FSubmenuName, Menu);
    Menu->insertMenu(FFileMenu, FSubmenu);
    Menu = FSubmenu;
    Before = nullptr;  // appended inside it
  }
  for (size_t Index = 0; Index < FItems.size(); ++Index) {
    const std::string Path = FItems[Index];
    // "&" doubled in a path, so that it shows rather than marks a key.
    QString Shown = TPathRules::Shown(Path);
    Shown.replace("&", "&&");
    auto* Item = new QAction(QString("&%1 %2").arg(Index + 1).arg(Shown), Menu);
    connect(Item, &QAction::triggered, this, [this, Path] {
      if (OnMRUItemClick)
        OnMRUItemClick(Path);
      if (FRemoveOnClick) {
        RemoveItem(Path);
        RebuildMenu();
      }
    });
    Menu->insertAction(Before, Item);
    if (!FUseSubmenu)
      FMenuItems.push_back(Item);
  }
}

void TMRUFileList::LoadFromRegistry(QSettings& Store)
{
  FItems.clear();
  Store.beginGroup(AutoSaveKey);
  for (int Index = 0;; ++Index) {
    const QString Name = QString("F%1").arg(Index);
    if (!Store.contains(Name))
      break;
    const QVariant Value = Store.value(Name);
    const std::string Path = Value.typeId() == QMetaType::QByteArray ? Value.toByteArray().toStdString()
                                                                     : Value.toString().toUtf8().toStdString();
    if (!Path.empty())
      FItems.push_back(Path);
  }
  Store.endGroup();
  RebuildMenu();
}

void TMRUFileList::SaveToRegistry(QSettings& Store) const
{
  Store.remove(AutoSaveKey);
  Store.beginGroup(AutoSaveKey);
  for (size_t Index = 0; Index < FItems.size(); ++Index) {
    const QByteArray Bytes = QByteArray::fromStdString(FItems[Index]);
    const QString Text = QString::fromUtf8(Bytes);
    // Text when it says the same bytes back; else the bytes themselves.
    if (Text.toUtf8() == Bytes)
      Store.setValue(QString("F%1").arg(Index), Text);
    else
      Store.setValue(QString("F%1").arg(Index), Bytes);
  }
  Store.endGroup();
}
