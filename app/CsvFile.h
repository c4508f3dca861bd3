// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <functional>

class QWidget;

// A table of a view saved as a CSV file the user picks.
class TCsvFile {
  Q_DECLARE_TR_FUNCTIONS(TCsvFile)

public:
  // Asks where, proposing Name, then writes the table there with Write,
  // safely, telling a failure as "The What could not be saved to ...".
  static void SaveAs(QWidget* Parent, const QString& Caption, const QString& Name, const QString& What,
                     const std::function<bool(std::FILE* Stream)>& Write);
};
