// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ZelFolderCombo.h"

#include "fs/Mounts.h"
#include "fs/PathRules.h"
#include "shell/ShellPilot.h"
#include "shell/ShellPilotError.h"
#include "shell/ZelSystemImageList.h"

TZelFolderCombo::TZelFolderCombo(QWidget* Parent) : QComboBox(Parent), FShell(new TShellPilot(this))
{
  setMaxVisibleItems(14);
  setFocusPolicy(Qt::NoFocus);
}

void TZelFolderCombo::showPopup()
{
  if (OnDropDown)
    OnDropDown();
  QComboBox::showPopup();
}

int TZelFolderCombo::AddComboItem(int Position, const std::string& Path, int Level, int IconIndex,
                                  const QString& ShellName, bool Drive)
{
  if (Position > count() || Position < 1)
    Position = count();
  // Drives show as their names, folders as their paths.
  insertItem(Position, IconIndex >= 0 ? TZelSystemImageList::Icon(IconIndex) : QIcon(),
             Drive ? ShellName : TPathRules::Shown(Path));
  setItemData(Position, QByteArray::fromStdString(Path), PathRole);
  setItemData(Position, ShellName, ShellNameRole);
  setItemData(Position, Level, LevelRole);
  setItemData(Position, Drive, DriveRole);
  setItemData(Position, TPathRules::Shown(Path), Qt::ToolTipRole);
  return Position;
}

int TZelFolderCombo::Find(const std::string& Path) const
{
  const QByteArray Bytes = QByteArray::fromStdString(Path);
  for (int Position = 0; Position < count(); ++Position)
    if (itemData(Position, PathRole).toByteArray() == Bytes)
      return Position;
  return -1;
}

std::string TZelFolderCombo::ItemPath(int Position) const
{
  return itemData(Position, PathRole).toByteArray().toStdString();
}

int TZelFolderCombo::AddFolder(const std::string& Path, int Level)
{
  if (Find(Path) >= 0)
    return -1;
  // A path the shell does not know is listed all the same, with no icon.
  QString Name = TPathRules::Shown(Path);
  int Icon = -1;
  try {
    FShell->SetObjectName(Path);
    Name = FShell->GetDisplayName();
    Icon = FShell->GetIconIndex();
  } catch (const EShellPilotError&) {
  }
  return AddComboItem(count(), Path, Level, Icon, Name);
}

void TZelFolderCombo::SetIncludeDrives(bool Include)
{
  FIncludeDrives = Include;
  if (!Include)
    return;
  int Position = count();
  for (const std::string& Drive : LogicalDrives()) {
    if (Find(Drive) >= 0)
      continue;
    QString Name = TPathRules::Shown(Drive);
    int Icon = -1;
    try {
      FShell->SetObjectName(Drive);
      Name = FShell->GetDisplayName();
      Icon = FShell->GetIconIndex();
    } catch (const EShellPilotError&) {
    }
    Position = AddComboItem(Position, Drive, 0, Icon, Name, true) + 1;
  }
}
