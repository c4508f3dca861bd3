// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ColorButton.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

namespace {

const QRgb Choices[] = {
  0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
  0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

QIcon Swatch(const QColor& Color, int Size)
{
  QPixmap Picture(Size, Size);
  Picture.fill(Qt::transparent);
  QPainter Painter(&Picture);
  Painter.setPen(Qt::darkGray);
  Painter.setBrush(Color);
  Painter.drawRect(1, 1, Size - 3, Size - 3);
  return Picture;
}

}  // namespace

TColorButton::TColorButton(QWidget* Parent) : QToolButton(Parent)
{
  setPopupMode(QToolButton::MenuButtonPopup);
  FPalette = new QMenu(this);
  auto* Grid = new QWidget;
  auto* Layout = new QGridLayout(Grid);
  Layout->setSpacing(2);
  Layout->setContentsMargins(4, 4, 4, 4);
  for (int Index = 0; Index < int(std::size(Choices)); ++Index) {
    const QColor Color(Choices[Index]);
    auto* Choice = new QToolButton;
    Choice->setAutoRaise(true);
    Choice->setIcon(Swatch(Color, 16));
    Choice->setToolTip(Color.name());
    connect(Choice, &QToolButton::clicked, this, [this, Color] {
      SetActiveColor(Color);
      FPalette->close();
    });
    Layout->addWidget(Choice, Index / 8, Index % 8);
  }
  auto* Choices = new QWidgetAction(FPalette);
  Choices->setDefaultWidget(Grid);
  FPalette->addAction(Choices);
  FPalette->addSeparator();
  //: The automatic colour (adjective)
  FPalette->addAction(Swatch(FAutomaticColor, 16), tr("Automatic"), this, [this] { SetActiveColor(FAutomaticColor); });
  FPalette->addAction(tr("&Other colors..."), this, [this] {
    const QColor Color = QColorDialog::getColor(FActiveColor, this);
    if (Color.isValid())
      SetActiveColor(Color);
  });
  setMenu(FPalette);
  connect(FPalette, &QMenu::aboutToShow, this, [this] {
    if (OnDropDown)
      OnDropDown();
  });
  connect(this, &QToolButton::clicked, this, [this] {
    if (OnFaceClick)
      OnFaceClick();
  });
  SetActiveColor(Qt::black);
}

void TColorButton::SetActiveColor(const QColor& Color)
{
  FActiveColor = Color;
  setIcon(Swatch(Color, 16));
}
