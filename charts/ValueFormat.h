// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A number format as the chart's series and axes are given it, such as
// "#,##0.### KB": thousands grouped, as many decimals as the pattern has
// places after the point ("0" always shown, "#" only when not zero), and the
// text after the pattern as the unit. Separators are the locale's.
class TValueFormat {
public:
  TValueFormat() = default;
  explicit TValueFormat(const QString& Pattern);

  QString Format(double Value) const;
  const QString& Pattern() const { return FPattern; }
  const QString& Unit() const { return FUnit; }
  int MaxDecimals() const { return FMaxDecimals; }

private:
  QString FPattern;
  QString FUnit;
  int FMinDecimals = 0;
  int FMaxDecimals = 0;
};
