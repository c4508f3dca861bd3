// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QWidget>

#include <cstdint>

class QComboBox;
class QSpinBox;

// A number of bytes as a person gives it: a whole number and its unit
// (bytes, KB, MB, GB; 1 KB = 1024 bytes, as the program shows sizes).
class TSizeEdit : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TSizeEdit)

public:
  explicit TSizeEdit(QWidget* Parent = nullptr);

  // Shown in the largest unit that holds it whole.
  void SetBytes(uint64_t Bytes);
  uint64_t Bytes() const;
  QSpinBox* Number() const { return FNumber; }

private:
  QSpinBox* FNumber;
  QComboBox* FUnit;
};
