// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderRowAccessible.h"

#include "scan/FolderNode.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"

#include <QWidget>
#include <QWindow>

namespace {

const TFolderModel& ModelOf(const TFolderTreeView& View)
{
  return *static_cast<const TFolderModel*>(View.model());
}

}  // namespace

TFolderRowAccessible::TFolderRowAccessible(TFolderTreeView* View, int Row) : FView(View), FRow(Row) {}

TFolderNode* TFolderRowAccessible::Node() const
{
  return FView && FRow >= 0 ? FView->NodeAt(size_t(FRow)) : nullptr;
}

int TFolderRowAccessible::Level(const TFolderNode* Node)
{
  int Level = 0;
  for (; Node; Node = Node->Parent())
    ++Level;
  return Level;
}

bool TFolderRowAccessible::isValid() const
{
  return Node() != nullptr;
}

QWindow* TFolderRowAccessible::window() const
{
  return FView ? FView->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TFolderRowAccessible::parent() const
{
  return FView ? QAccessible::queryAccessibleInterface(FView) : nullptr;
}

QString TFolderRowAccessible::text(QAccessible::Text Kind) const
{
  const TFolderNode* Folder = Node();
  if (!Folder)
    return {};
  switch (Kind) {
    // As shown, without the spaces that line the values up.
    case QAccessible::Name:
      return ModelOf(*FView).data(ModelOf(*FView).IndexOf(Folder), Qt::DisplayRole).toString().trimmed();
    case QAccessible::Description: {
      const size_t Folders = ModelOf(*FView).RowsOf(Folder).size();
      return QString("level %1, %2 folder%3")
        .arg(Level(Folder))
        .arg(Folders == 0 ? QString("no") : QString::number(Folders))
        .arg(Folders == 1 ? "" : "s");
    }
    default: return {};
  }
}

QRect TFolderRowAccessible::rect() const
{
  const TFolderNode* Folder = Node();
  if (!Folder)
    return {};
  const QRect Box = FView->visualRect(ModelOf(*FView).IndexOf(Folder));
  return QRect(FView->viewport()->mapToGlobal(Box.topLeft()), Box.size());
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
  State.focused = State.selected && FView->hasFocus();
  if (!ModelOf(*FView).RowsOf(Folder).empty()) {
    State.expandable = true;
    State.expanded = FView->IsExpanded(Folder);
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
  return Folder && FView->selectionModel() && FView->selectionModel()->isSelected(ModelOf(*FView).IndexOf(Folder));
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
    FView->setCurrentIndex(ModelOf(*FView).IndexOf(Folder));
  else if (Name == toggleAction() && FView->IsExpanded(Folder))
    FView->Collapse(Folder);
  else if (Name == toggleAction() && !ModelOf(*FView).RowsOf(Folder).empty())
    FView->Expand(Folder);
}

QStringList TFolderRowAccessible::keyBindingsForAction(const QString& Name) const
{
  return Name == toggleAction() ? QStringList{"+", "-"} : QStringList();
}
