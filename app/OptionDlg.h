// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/OptionChoices.h"

#include <QCoreApplication>
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class TSizeEdit;

// The options: how values are shown, what a scan counts, which columns the
// details list shows. Shown with the options as they are; the window applies
// the result when the user leaves with OK.
class TOptionDlg : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TOptionDlg)

public:
  TOptionDlg(QWidget* Parent, const TOptionChoices& Options);

  // The options as the controls show them.
  TOptionChoices Result() const;

  QButtonGroup* UnitGroup;
  QCheckBox* FilesCheckbox;
  QCheckBox* ChartToolBarCB;
  QSpinBox* DecimalSpin;
  QSpinBox* BoldFactorSpin;
  QSpinBox* MRUSpin;
  QLineEdit* Filteredit;
  QCheckBox* ErrorCheckBox;
  QCheckBox* FollowLinksCheckBox;
  QCheckBox* HardLinksCheckBox;
  QPlainTextEdit* ExcludeEdit;
  QButtonGroup* ClusterSizeGroup;
  QListWidget* ColumnList;
  QSpinBox* HistoryKeepSpin;
  QSpinBox* HistoryMegabytesSpin;
  TSizeEdit* DuplicatesSize;
  QPushButton* ForgetButton;
  QPushButton* OKButton;
  QPushButton* HelpButton;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void Load(const TOptionChoices& Options);
  void FiltereditChange();
  void HelpBtnClick();
  // Forgets every scan remembered, after asking.
  void ForgetClick();

  bool FHasRoots;
};
