// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The tool bars' icons: the icon theme's, under their names or their
// symbolic ones, else drawn here in the palette's text colour, so that no
// button is left with its long text where a theme lacks an icon.
class TToolIcons {
public:
  static QIcon Icon(const QString& Name);
  // The drawn icon of that theme name; null for a name not drawn here.
  static QIcon Drawn(const QString& Name);
};
