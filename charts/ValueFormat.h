// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// A number format as the chart's series and axes are given it: a pattern
// such as "#,##0.# %" (thousands grouped, as many decimals as the pattern
// has places after the point, "0" always shown, "#" only when not zero, the
// text after the pattern as the unit, the locale's separators), or the
// texts of the window's values, whose unit may grow with the value.
class TValueFormat {
public:
  // Text of a value; how many of the values' units one unit of that text
  // counts.
  using TText = std::function<QString(double Value)>;
  using TUnitSize = std::function<double(double Value)>;

  TValueFormat() = default;
  explicit TValueFormat(const QString& Pattern);
  // Values written by Text with Decimals decimals in units of UnitSize.
  TValueFormat(TText Text, TUnitSize UnitSize, int Decimals);

  QString Format(double Value) const;
  // The unit of the text near Value, in the values' own units.
  double UnitSize(double Value) const { return FUnitSize ? FUnitSize(Value) : 1; }
  int MaxDecimals() const { return FMaxDecimals; }

private:
  QString FUnit;
  TText FText;
  TUnitSize FUnitSize;
  int FMinDecimals = 0;
  int FMaxDecimals = 0;
};
