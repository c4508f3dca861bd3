// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// Icons of the chart's buttons that icon themes have no name for, drawn in
// the palette's text colour so that they suit light and dark themes.
class TChartIcons {
public:
  enum TKind { ciPie, ciBar, ci3D, ciLegend, ciVertGrid, ciHorzGrid, ciPattern };
  static QIcon Icon(TKind Kind);
};
