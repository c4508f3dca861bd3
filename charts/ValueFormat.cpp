// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ValueFormat.h"

#include <QLocale>

TValueFormat::TValueFormat(const QString& Pattern)
{
  int End = 0;
  while (End < Pattern.size() && QString("#,0.").contains(Pattern[End]))
    ++End;
  FUnit = Pattern.mid(End);
  const int Point = Pattern.left(End).indexOf('.');
  if (Point >= 0)
    for (int Place = Point + 1; Place < End; ++Place) {
      FMinDecimals += Pattern[Place] == '0';
      ++FMaxDecimals;
    }
}

TValueFormat::TValueFormat(TText Text, TUnitSize UnitSize, int Decimals)
  : FText(std::move(Text)), FUnitSize(std::move(UnitSize)), FMinDecimals(Decimals), FMaxDecimals(Decimals)
{
}

QString TValueFormat::Format(double Value) const
{
  if (FText)
    return FText(Value);
  const QLocale Locale;
  QString Text = Locale.toString(Value, 'f', FMaxDecimals);
  if (FMaxDecimals > FMinDecimals) {
    // Places the pattern marks "#" go when they are zero.
    const QChar Point = Locale.decimalPoint().at(0);
    const int At = Text.lastIndexOf(Point);
    int Cut = Text.size();
    while (Cut > At + 1 + FMinDecimals && Text[Cut - 1] == '0')
      --Cut;
    if (Cut == At + 1)
      --Cut;
    Text.truncate(Cut);
  }
  return Text + FUnit;
}
