// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/ValueDisplay.h"

#include <QCoreApplication>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class TMainForm;

// The main window's commands as actions, built from one table, and the
// menus, the tree's menu and the tool bars that offer them. Items that do the
// same thing share one action; actions of one kind share a handler and are
// told apart by their tag (view type, sort mode, expand level).
class TMainActions {
  Q_DECLARE_TR_FUNCTIONS(TMainActions)

public:
  explicit TMainActions(TMainForm& Form);

  QAction* Action(const QString& Name) const;
  // Checks the item of the view type and of the sort mode.
  void CheckView(TViewType ViewType);
  void CheckSort(TValueDisplay::TSortType SortType);
  void CheckUnit(int UnitType);
  // The right pane shows what Button stands for; the print command says what it prints.
  void CheckMode(const char* Button, const QString& PrintCaption);
  // Puts the minimum expand size (megabytes) into the captions that name it.
  void ShowMinimumSize(int Megabytes);

  QMenu* FRootPopup;            // the tree's menu of top nodes
  QMenu* FPartPopup;            // the program's part of the menu of other nodes
  QMenu* FBranchMenu;           // File > Branch: the tree's commands
  QAction* FFileExitSeparator;  // the recent folders go before it
  QToolBar* FFolderBar;         // scanning and folder buttons
  QToolBar* FViewBar;           // view types, sort modes, right-pane modes

private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();

  TMainForm& FForm;
  QActionGroup* FViewGroup;
  QActionGroup* FSortGroup;
  QActionGroup* FUnitGroup;
  QActionGroup* FModeGroup;  // pie, bar, list
};
