// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SizeEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSpinBox>

TSizeEdit::TSizeEdit(QWidget* Parent) : QWidget(Parent), FNumber(new QSpinBox), FUnit(new QComboBox)
{
  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  FNumber->setRange(1, 1000000);
  // The units stay as the program writes sizes everywhere else.
  FUnit->addItems({tr("bytes"), "KB", "MB", "GB"});
  Layout->addWidget(FNumber);
  Layout->addWidget(FUnit);
  setFocusProxy(FNumber);
}

void TSizeEdit::SetBytes(uint64_t Bytes)
{
  int Unit = 0;
  while (Unit < FUnit->count() - 1 && Bytes >= 1024 && Bytes % 1024 == 0) {
    Bytes /= 1024;
    ++Unit;
  }
  FUnit->setCurrentIndex(Unit);
  FNumber->setValue(int(std::min<uint64_t>(std::max<uint64_t>(Bytes, 1), uint64_t(FNumber->maximum()))));
}

uint64_t TSizeEdit::Bytes() const
{
  return uint64_t(FNumber->value()) << (10 * FUnit->currentIndex());
}
