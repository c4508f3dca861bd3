// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TMainForm;
struct TOptionChoices;

// The Options command: the dialog filled from the window's settings, and
// what its answer changes in the window: values and labels, scan settings
// and the rescans they need, the order of the trees, the chart's tool bar
// and the recent folders.
class TOptionCommands {
public:
  static void OptionsClick(TMainForm& Form);
  static void Apply(TMainForm& Form, const TOptionChoices& Options);
};
