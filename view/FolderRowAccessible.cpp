// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderRowAccessible.h"

#include "scan/FolderNode.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"

namespace {

const TFolderModel& ModelOf(const TFolderTreeView& View)
{
  return *static_cast<const TFolderModel*>(View.model());
}

}  // namespace

TFolderRowAccessible::TFolderRowAccessible(TFolderTreeView* View, int Row) : TAccessibleItem(View), FRow(Row) {}

TFolderTreeView* TFolderRowAccessible::View() const
{
  return static_cast<TFolderTreeView*>(FWidget.data());
}

TFolderNode* TFolderRowAccessible::Node() const
{
  return View() && FRow >= 0 ? View()->NodeAt(size_t(FRow)) : nullptr;
}

QString TFolderRowAccessible::text(QAccessible::Text Kind) const
{
  const TFolderNode* Folder = Node();
  if (!Folder)
    return {};
  switch (Kind) {
    // As shown, without the spaces that line the values up.
    case QAccessible::Name:
      return ModelOf(*View()).data(ModelOf(*View()).IndexOf(Folder), Qt::DisplayRole).toString().trimmed();
    case QAccessible::Description: {
      const size_t Folders = ModelOf(*View()).RowsOf(Folder).size();
      const uint32_t Level = Folder->Depth() + 1;
      if (Folders == 0)
        return tr("level %1, no folders").arg(Level);
      if (Folders == 1)
        return tr("level %1, 1 folder").arg(Level);
      return tr("level %1, %2 folders").arg(Level).arg(Folders);
    }
    default: return {};
  }
}

QRect TFolderRowAccessible::rect() const
{
  const TFolderNode* Folder = Node();
  if (!Folder)
    return {};
  return OnScreen(View()->viewport(), View()->visualRect(ModelOf(*View()).IndexOf(Folder)));
}

QAccessible::State TFolderRowAccessible::state() const
{
  QAccessible::State State;
  const TFolderNode* Folder = Node();
  if (!Folder) {
    State.invalid = true;
    return State;
  }
  State.selectable = State.focusable = true;
  State.selected = isSelected();
  State.focused = State.selected && View()->hasFocus();
  if (!ModelOf(*View()).RowsOf(Folder).empty()) {
    State.expandable = true;
    State.expanded = View()->IsExpanded(Folder);
    State.collapsed = !State.expanded;
  }
  return State;
}

void* TFolderRowAccessible::interface_cast(QAccessible::InterfaceType Type)
{
  if (Type == QAccessible::TableCellInterface)
    return static_cast<QAccessibleTableCellInterface*>(this);
  if (Type == QAccessible::ActionInterface)
    return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

bool TFolderRowAccessible::isSelected() const
{
  const TFolderNode* Folder = Node();
  return Folder && View()->selectionModel() && View()->selectionModel()->isSelected(ModelOf(*View()).IndexOf(Folder));
}

QStringList TFolderRowAccessible::actionNames() const
{
  QStringList Names{setFocusAction()};
  if (state().expandable)
    Names << toggleAction();
  return Names;
}

void TFolderRowAccessible::doAction(const QString& Name)
{
  TFolderNode* Folder = Node();
  if (!Folder)
    return;
  if (Name == setFocusAction())
    View()->setCurrentIndex(ModelOf(*View()).IndexOf(Folder));
  else if (Name == toggleAction() && View()->IsExpanded(Folder))
    View()->Collapse(Folder);
  else if (Name == toggleAction() && !ModelOf(*View()).RowsOf(Folder).empty())
    View()->Expand(Folder);
}

QStringList TFolderRowAccessible::keyBindingsForAction(const QString& Name) const
{
  return Name == toggleAction() ? QStringList{"+", "-"} : QStringList();
}
