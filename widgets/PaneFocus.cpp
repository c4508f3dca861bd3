// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/PaneFocus.h"

#include <QApplication>
#include <QWidget>

namespace {

bool Takes(const QWidget* Widget)
{
  return Widget->isVisible() && Widget->isEnabled() && (Widget->focusPolicy() & Qt::TabFocus);
}

}  // namespace

QWidget* TPaneFocus::Taker(QWidget* Pane)
{
  if (!Pane->isVisible())
    return nullptr;
  if (QWidget* Last = Pane->focusWidget(); Last && Last != Pane && Takes(Last))
    return Last;
  if (Takes(Pane))
    return Pane;
  // Children in the order Tab visits them.
  for (QWidget* Next = Pane->nextInFocusChain(); Next && Next != Pane; Next = Next->nextInFocusChain()) {
    if (Pane->isAncestorOf(Next) && Takes(Next))
      return Next;
    if (Next == Pane->window())
      break;
  }
  return nullptr;
}

QWidget* TPaneFocus::Cycle(const std::vector<QWidget*>& Panes, int Step)
{
  const int Count = int(Panes.size());
  const QWidget* Focus = QApplication::focusWidget();
  int At = Step > 0 ? Count - 1 : 0;
  for (int Pane = 0; Pane < Count; ++Pane)
    if (Focus && (Panes[Pane] == Focus || Panes[Pane]->isAncestorOf(Focus)))
      At = Pane;
  for (int Tried = 1; Tried <= Count; ++Tried)
    if (QWidget* Taking = Taker(Panes[((At + Step * Tried) % Count + Count) % Count])) {
      Taking->setFocus(Qt::TabFocusReason);
      return Taking;
    }
  return nullptr;
}
