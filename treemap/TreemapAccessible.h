// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/AccessibleChildren.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

class TTreemapPane;

// What a screen reader is told of the treemap: the folder shown, a list of
// its tiles (sub-folders by name, files by kind, each with its value in the
// measure shown), then the key to the colours.
class TTreemapAccessible : public QAccessibleWidget {
  Q_DECLARE_TR_FUNCTIONS(TTreemapAccessible)

public:
  explicit TTreemapAccessible(TTreemapPane* Pane);

  TTreemapPane* Pane() const;

  QString text(QAccessible::Text Kind) const override;
  int childCount() const override;
  QAccessibleInterface* child(int Index) const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;

private:
  mutable TAccessibleChildren FTiles;
};
