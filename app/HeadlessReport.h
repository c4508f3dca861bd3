// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

class TBaseline;
class TFolderNode;
class TScanDriver;

// The printed report of a headless scan: the tree reports of its folders,
// sorted and opened as the window would show them, in the units, decimals,
// order and margins the user chose in the window.
class THeadlessReport {
public:
  // Writes the reports of TopNodes, Levels of folders open below each, into
  // the PDF File; with Baseline, of their change since, the most grown
  // first. False, told on standard error, when it could not be written.
  static bool Write(const std::string& File, int Levels, TScanDriver& Driver, const std::vector<TFolderNode*>& TopNodes,
                    std::shared_ptr<const TBaseline> Baseline);
};
