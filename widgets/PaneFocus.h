// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QWidget;

// The keyboard's way between the panes of a window (F6 and Shift+F6, as
// desktop programs have it): the focus goes to the next pane shown, to the
// control that last had it there, else to the first that takes it.
class TPaneFocus {
public:
  // Moves the focus Step panes on (1 or -1) from the pane holding it, and
  // returns the control that took it; none when no pane takes it.
  static QWidget* Cycle(const std::vector<QWidget*>& Panes, int Step);

private:
  // The control of Pane that takes the focus; none when none does.
  static QWidget* Taker(QWidget* Pane);
};
