#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class TMainForm;

// The options: how values are shown, what a scan counts, which columns the
// details list shows. The main window loads it, shows it and applies it.
class TOptionDlg : public QDialog {
public:
  explicit TOptionDlg(TMainForm& Form);

  // Fills the controls from the window's current settings.
  void Load();
  // The byte size of the chosen cluster-size item; 0 for "Original".
  int ChosenClusterSize() const;
  // Whether OK should rescan ("&Scan"): the filter or cluster size changed.
  bool WantsRescan() const;

  QButtonGroup* UnitGroup;
  QCheckBox* FilesCheckbox;
  QCheckBox* ChartToolBarCB;
  QSpinBox* DecimalSpin;
  QSpinBox* BoldFactorSpin;
  QSpinBox* MRUSpin;
  QLineEdit* Filteredit;
  QCheckBox* ErrorCheckBox;
  QCheckBox* FollowLinksCheckBox;
  QButtonGroup* Radios;
  QListWidget* ColumnList;
  QPushButton* OKButton;
  QPushButton* HelpButton;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void FiltereditChange();
  void HelpBtnClick();

  TMainForm& FForm;
};
