// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

#include <string>

// The program's icon registry: every icon the tree, the list and the combo
// show (folders, open folders, drives, files by type) gets a small integer
// index once and is shared from then on.
class TZelSystemImageList {
public:
  // The index of the icon for the object at Path: its drive when it is a
  // mount point, its folder (open or closed) or its file type.
  static int IconIndex(const std::string& Path, bool Open = false);
  // The icon of an ordinary file of an unknown type, used by "<Files>".
  static int FilesIconIndex();
  static QIcon Icon(int Index);
  // An icon of the desktop's theme (Adwaita where the desktop names none).
  static QIcon ThemeIcon(const QString& Name);

private:
  static int IndexOfName(const QString& Name, const QString& Fallback);
};
