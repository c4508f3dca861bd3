// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShellMenu.h"

#include "shell/ZelSystemImageList.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <set>

namespace {

QAction* CopyAction(QAction* Source, QObject* Parent)
{
  auto* Copy = new QAction(Source->icon(), Source->text(), Parent);
  Copy->setSeparator(Source->isSeparator());
  Copy->setShortcut(Source->shortcut());
  Copy->setCheckable(Source->isCheckable());
  Copy->setChecked(Source->isChecked());
  Copy->setEnabled(Source->isEnabled());
  Copy->setVisible(Source->isVisible());
  Copy->setData(Source->data());
  Copy->setStatusTip(Source->statusTip());
  Copy->setToolTip(Source->toolTip());
  Copy->setFont(Source->font());
  Copy->setObjectName(Source->objectName() + "2");
  QObject::connect(Copy, &QAction::triggered, Source, [Source] { Source->trigger(); });
  return Copy;
}

}  // namespace

std::optional<TShellVerb> TShellMenu::Choose(const QPoint& Point, QWidget* Window, QMenu* Extra, const TOffer& Offer)
{
  QMenu Menu(Window);
  std::set<QAction*> Verbs;
  auto Add = [&](const QString& Text, TShellVerb Verb, bool Enabled, const char* Icon) {
    QAction* Action = Menu.addAction(TZelSystemImageList::ThemeIcon(Icon), Text);
    Action->setData(ShellVerbText(Verb));
    Action->setEnabled(Enabled);
    Verbs.insert(Action);
    return Action;
  };
  Menu.setDefaultAction(Add(tr("&Open"), TShellVerb::svOpen, true, "document-open"));
  Add(tr("Open Containing &Folder"), TShellVerb::svExplore, true, "folder-open");
  Add(tr("&Copy Path"), TShellVerb::svCopy, true, "edit-copy");
  if (Offer.Rename)
    Add(tr("Re&name..."), TShellVerb::svRename, Offer.CanRename, "edit-rename");
  Add(tr("Move to &Trash"), TShellVerb::svDelete, Offer.CanDelete, "user-trash")->setShortcut(QKeySequence::Delete);
  Add(tr("&Delete Permanently..."), TShellVerb::svDeletePermanently, Offer.CanDelete, "edit-delete")
    ->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
  Menu.addSeparator();
  Add(tr("P&roperties"), TShellVerb::svProperties, true, "document-properties");
  if (Extra) {
    // The program's menu brings its items up to date before they are copied.
    QMetaObject::invokeMethod(Extra, "aboutToShow");
    Menu.addSeparator();
    for (QAction* Source : Extra->actions()) {
      QAction* Copy = CopyAction(Source, &Menu);
      Menu.addAction(Copy);
      if (QMenu* Items = Source->menu()) {
        auto* Copies = new QMenu(Source->text(), &Menu);
        for (QAction* Item : Items->actions())
          Copies->addAction(CopyAction(Item, Copies));
        Copy->setMenu(Copies);
      }
    }
  }
  QAction* Chosen = Menu.exec(Point);
  if (!Chosen || !Verbs.contains(Chosen))
    return std::nullopt;
  return ShellVerbOf(Chosen->data().toString());
}
