// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QToolButton>

#include <functional>

class QMenu;

// A tool button whose face shows its active colour, with a palette that
// drops down beside it: a choice of colours, "Automatic" and "&Other
// colors..." for the system's colour dialog. Clicking the face uses the
// active colour; choosing one in the palette makes it active.
class TColorButton : public QToolButton {
  Q_DECLARE_TR_FUNCTIONS(TColorButton)

public:
  explicit TColorButton(QWidget* Parent = nullptr);

  QColor FAutomaticColor{Qt::green};
  QColor ActiveColor() const { return FActiveColor; }
  void SetActiveColor(const QColor& Color);

  // Before the palette drops down.
  std::function<void()> OnDropDown;
  // The face was clicked.
  std::function<void()> OnFaceClick;

private:
  QColor FActiveColor{Qt::black};
  QMenu* FPalette;
};
