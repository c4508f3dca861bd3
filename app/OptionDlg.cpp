// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OptionDlg.h"

#include "app/Manual.h"
#include "history/HistoryStore.h"
#include "shell/Prompt.h"
#include "view/ListModel.h"
#include "widgets/SizeEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Shown translated; the English is what a size is read back from.
const char* ClusterItems[] = {QT_TRANSLATE_NOOP("TOptionDlg", "Original"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "    512 Bytes (NTFS, Floppy)"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "  1024 Bytes"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "  2048 Bytes (CD-ROM)"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "  4096 Bytes (FAT 128-255 MB, FAT32)"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "  8192 Bytes (FAT 256-511 MB)"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "16384 Bytes (FAT 512-1023 MB)"),
                              QT_TRANSLATE_NOOP("TOptionDlg", "32768 Bytes (FAT 1024-2047 MB)")};

// Marks a control with its topic in the manual (F1 opens it there).
template <typename T>
T* Topic(T* Control, const char* Anchor)
{
  Control->setProperty("HelpTopic", Anchor);
  return Control;
}

// A box of radio buttons, numbered from 0 in Group, all with one topic.
QGroupBox* RadioBox(const QString& Title, const char* Anchor, const QStringList& Items, QButtonGroup* Group)
{
  auto* Box = Topic(new QGroupBox(Title), Anchor);
  auto* Layout = new QVBoxLayout(Box);
  for (int Item = 0; Item < Items.size(); ++Item) {
    auto* Button = Topic(new QRadioButton(Items[Item]), Anchor);
    Group->addButton(Button, Item);
    Layout->addWidget(Button);
  }
  return Box;
}

QSpinBox* Spin(int Low, int High, bool ArrowsOnly)
{
  auto* Box = new QSpinBox;
  Box->setRange(Low, High);
  // Arrows only: the number cannot be typed.
  Box->findChild<QLineEdit*>()->setReadOnly(ArrowsOnly);
  return Box;
}

}  // namespace

TOptionDlg::TOptionDlg(QWidget* Parent, const TOptionChoices& Options) : QDialog(Parent), FHasRoots(Options.FHasRoots)
{
  setWindowTitle(tr("Spacelens - Options"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setProperty("HelpTopic", "options");
  auto* Layout = new QVBoxLayout(this);
  auto* Pages = new QTabWidget;
  Layout->addWidget(Pages);

  auto* View = new QWidget;
  auto* ViewLayout = new QVBoxLayout(View);
  UnitGroup = new QButtonGroup(this);
  ViewLayout->addWidget(RadioBox(tr("Show &Values as"), "options-units",
                                 {tr("MB only"), tr("KB/MB Mixed"), tr("KB only"), tr("Automatic")}, UnitGroup));
  FilesCheckbox = Topic(new QCheckBox(tr("Show &Files")), "options-files");
  ChartToolBarCB = Topic(new QCheckBox(tr("Show &Chart Toolbar")), "options-chart-toolbar");
  ViewLayout->addWidget(FilesCheckbox);
  ViewLayout->addWidget(ChartToolBarCB);
  auto* Numbers = new QFormLayout;
  DecimalSpin = Topic(Spin(0, 3, true), "options-decimals");
  Numbers->addRow(tr("&Decimals"), DecimalSpin);
  BoldFactorSpin = Topic(Spin(0, 100, false), "options-bold-factor");
  BoldFactorSpin->setSuffix(" %");
  BoldFactorSpin->findChild<QLineEdit*>()->installEventFilter(this);
  auto* BoldLabel = new QLabel(tr("&Bold Factor"));
  QFont Bold = BoldLabel->font();
  Bold.setBold(true);
  BoldLabel->setFont(Bold);
  BoldLabel->setBuddy(BoldFactorSpin);
  Numbers->addRow(BoldLabel, BoldFactorSpin);
  MRUSpin = Topic(Spin(0, 32, true), "options-recent");
  Numbers->addRow(tr("Number of Folders in the recently used list"), MRUSpin);
  ViewLayout->addLayout(Numbers);
  ViewLayout->addStretch();
  //: Tab of the options: how values are shown
  Pages->addTab(View, tr("View"));

  auto* Scan = new QWidget;
  auto* ScanLayout = new QVBoxLayout(Scan);
  Filteredit = Topic(new QLineEdit, "options-filter");
  Filteredit->setMaxLength(127);
  auto* FilterLabel = new QLabel(tr("&Filter(s):"));
  FilterLabel->setBuddy(Filteredit);
  ScanLayout->addWidget(FilterLabel);
  ScanLayout->addWidget(Filteredit);
  ErrorCheckBox = Topic(new QCheckBox(tr("Show Error &Messages")), "options-errors");
  FollowLinksCheckBox = Topic(new QCheckBox(tr("Follow Mount Points and Symbolic Links")), "options-follow-links");
  ScanLayout->addWidget(ErrorCheckBox);
  ScanLayout->addWidget(FollowLinksCheckBox);
  HardLinksCheckBox = Topic(new QCheckBox(tr("Count files with several &names once")), "options-hard-links");
  ScanLayout->addWidget(HardLinksCheckBox);
  ExcludeEdit = Topic(new QPlainTextEdit, "options-exclude");
  ExcludeEdit->setTabChangesFocus(true);
  ExcludeEdit->setFixedHeight(ExcludeEdit->fontMetrics().lineSpacing() * 4 + 12);
  auto* ExcludeLabel =
    new QLabel(tr("&Exclude (one pattern a line: a name such as .cache or *.o, or a path with \"/\"):"));
  ExcludeLabel->setWordWrap(true);
  ExcludeLabel->setBuddy(ExcludeEdit);
  ScanLayout->addWidget(ExcludeLabel);
  ScanLayout->addWidget(ExcludeEdit);
  ScanLayout->addWidget(new QLabel(tr("Rules take effect at the next scan.")));
  ClusterSizeGroup = new QButtonGroup(this);
  QStringList Sizes;
  for (const char* Item : ClusterItems)
    Sizes << QCoreApplication::translate("TOptionDlg", Item);
  ScanLayout->addWidget(RadioBox(tr("User Defined &Cluster Size"), "options-cluster-size", Sizes, ClusterSizeGroup));
  ScanLayout->addStretch();
  //: Tab of the options: what a scan counts
  Pages->addTab(Scan, tr("Scan"));

  auto* Columns = new QWidget;
  auto* ColumnsLayout = new QVBoxLayout(Columns);
  ColumnList = Topic(new QListWidget, "options-columns");
  auto* ColumnLabel = new QLabel(tr("&Visible List Columns:"));
  ColumnLabel->setBuddy(ColumnList);
  ColumnsLayout->addWidget(ColumnLabel);
  ColumnsLayout->addWidget(ColumnList);
  auto* Tip =
    new QLabel(tr("Tip: You can change the column order by dragging the header of a column in the "
                  "Spacelens window to a different position."));
  Tip->setWordWrap(true);
  ColumnsLayout->addWidget(Tip);
  Pages->addTab(Columns, tr("Columns"));

  auto* History = new QWidget;
  History->setProperty("HelpTopic", "options-history");
  auto* HistoryLayout = new QVBoxLayout(History);
  auto* About = new QLabel(tr("Each scan that ends is remembered, so that later scans can tell what changed since."));
  About->setWordWrap(true);
  HistoryLayout->addWidget(About);
  auto* Limits = new QFormLayout;
  HistoryKeepSpin = Spin(0, 1000, false);
  //: Scans kept: none
  HistoryKeepSpin->setSpecialValueText(tr("none"));
  Limits->addRow(tr("Scans &kept of each folder"), HistoryKeepSpin);
  HistoryMegabytesSpin = Spin(1, 1000000, false);
  //: Unit after a number: megabytes
  HistoryMegabytesSpin->setSuffix(tr(" MB"));
  Limits->addRow(tr("&At most, in all"), HistoryMegabytesSpin);
  HistoryLayout->addLayout(Limits);
  ForgetButton = new QPushButton(tr("&Forget All Scans..."));
  connect(ForgetButton, &QPushButton::clicked, this, [this] { ForgetClick(); });
  HistoryLayout->addWidget(ForgetButton, 0, Qt::AlignLeft);
  HistoryLayout->addStretch();
  Pages->addTab(History, tr("History"));

  auto* Duplicates = new QWidget;
  Duplicates->setProperty("HelpTopic", "options-duplicates");
  auto* DuplicatesLayout = new QFormLayout(Duplicates);
  DuplicatesSize = new TSizeEdit;
  DuplicatesLayout->addRow(tr("Find Duplicates looks at &files of at least"), DuplicatesSize);
  Pages->addTab(Duplicates, tr("Duplicates"));

  auto* Buttons = new QDialogButtonBox;
  OKButton = Buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  OKButton->setDefault(true);
  Buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  HelpButton = Buttons->addButton(tr("&Help"), QDialogButtonBox::HelpRole);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(Buttons, &QDialogButtonBox::helpRequested, this, [this] { HelpBtnClick(); });
  Layout->addWidget(Buttons);
  // Enter presses OK wherever the focus is, not a button that last had it.
  for (QPushButton* Button : findChildren<QPushButton*>())
    Button->setAutoDefault(Button == OKButton);

  auto* Help = new QShortcut(Qt::Key_F1, this);
  connect(Help, &QShortcut::activated, this, [this] {
    // F1 opens the manual at the topic of the control that has the focus.
    for (QWidget* Item = focusWidget(); Item; Item = Item->parentWidget())
      if (Item->property("HelpTopic").isValid()) {
        TManual::Open(Item->property("HelpTopic").toString());
        return;
      }
  });
  connect(Filteredit, &QLineEdit::textChanged, this, [this] { FiltereditChange(); });
  connect(ClusterSizeGroup, &QButtonGroup::buttonClicked, this, [this] { FiltereditChange(); });
  connect(HardLinksCheckBox, &QCheckBox::toggled, this, [this] { FiltereditChange(); });
  connect(ExcludeEdit, &QPlainTextEdit::textChanged, this, [this] { FiltereditChange(); });
  Load(Options);
}

void TOptionDlg::Load(const TOptionChoices& Options)
{
  UnitGroup->button(std::clamp(Options.FUnitType, 0, 3))->setChecked(true);
  Filteredit->setText(QString::fromLocal8Bit(Options.FFilter) + "  ");
  ColumnList->clear();
  for (int Column = 0; Column < TListModel::lcCount; ++Column) {
    auto* Item = new QListWidgetItem(TListModel::Caption(Column), ColumnList);
    Item->setFlags(Item->flags() | Qt::ItemIsUserCheckable);
    Item->setCheckState(Options.FColumns[size_t(Column)] ? Qt::Checked : Qt::Unchecked);
  }
  FilesCheckbox->setChecked(Options.FShowFiles);
  ChartToolBarCB->setChecked(Options.FChartTool);
  DecimalSpin->setValue(Options.FDecimals);
  BoldFactorSpin->setValue(Options.FBoldFactor);
  MRUSpin->setValue(Options.FMRUMaximum);
  HistoryKeepSpin->setValue(Options.FHistoryKeep);
  HistoryMegabytesSpin->setValue(Options.FHistoryMegabytes);
  DuplicatesSize->SetBytes(Options.FDuplicatesBytes);
  ErrorCheckBox->setChecked(Options.FShowErrors);
  FollowLinksCheckBox->setChecked(Options.FFollowReparsePoints);
  HardLinksCheckBox->setChecked(Options.FHardLinksOnce);
  ExcludeEdit->setPlainText(QString::fromLocal8Bit(Options.FExclude));
  ClusterSizeGroup->button(0)->setChecked(true);
  if (Options.FClusterSize)
    for (int Item = 1; Item < 8; ++Item)
      if (QString(ClusterItems[Item]).contains(QString::number(Options.FClusterSize))) {
        ClusterSizeGroup->button(Item)->setChecked(true);
        break;
      }
  OKButton->setText(tr("OK"));
}

TOptionChoices TOptionDlg::Result() const
{
  TOptionChoices Options;
  Options.FUnitType = UnitGroup->checkedId();
  Options.FDecimals = DecimalSpin->value();
  Options.FBoldFactor = BoldFactorSpin->value();
  Options.FMRUMaximum = MRUSpin->value();
  Options.FHistoryKeep = HistoryKeepSpin->value();
  Options.FHistoryMegabytes = HistoryMegabytesSpin->value();
  Options.FDuplicatesBytes = DuplicatesSize->Bytes();
  Options.FShowFiles = FilesCheckbox->isChecked();
  Options.FChartTool = ChartToolBarCB->isChecked();
  Options.FShowErrors = ErrorCheckBox->isChecked();
  Options.FFollowReparsePoints = FollowLinksCheckBox->isChecked();
  Options.FHardLinksOnce = HardLinksCheckBox->isChecked();
  Options.FExclude = ExcludeEdit->toPlainText().toLocal8Bit().toStdString();
  Options.FFilter = Filteredit->text().toLocal8Bit().toStdString();
  for (int Column = 0; Column < TListModel::lcCount; ++Column)
    Options.FColumns[size_t(Column)] = ColumnList->item(Column)->checkState() == Qt::Checked;
  const int Item = ClusterSizeGroup->checkedId();
  Options.FClusterSize = Item <= 0 ? 0 : QString(ClusterItems[Item]).trimmed().section(' ', 0, 0).toUInt();
  Options.FHasRoots = FHasRoots;
  // The button's text tells whether a scan option was touched.
  Options.FRescan = OKButton->text() != tr("OK");
  return Options;
}

void TOptionDlg::FiltereditChange()
{
  if (FHasRoots)
    OKButton->setText(tr("&Scan"));
}

bool TOptionDlg::eventFilter(QObject* Watched, QEvent* Event)
{
  // The bold factor takes digits, control keys and characters beyond ASCII.
  if (Event->type() == QEvent::KeyPress) {
    const QString Text = static_cast<QKeyEvent*>(Event)->text();
    if (Text.size() == 1 && Text[0].unicode() >= ' ' && Text[0].unicode() <= 127 && !Text[0].isDigit())
      return true;
  }
  return QDialog::eventFilter(Watched, Event);
}

void TOptionDlg::ForgetClick()
{
  THistoryStore Store;
  const size_t Count = Store.All().size();
  const QString Question = Count == 1
    ? tr("Forget the scan remembered? Later scans cannot then tell what changed before them.")
    : tr("Forget the %1 scans remembered? Later scans cannot then tell what changed before them.").arg(Count);
  if (!TPrompt::Confirm(this, tr("Forget All Scans"), Question))
    return;
  std::string Error;
  if (!Store.ForgetAll(Error))
    TPrompt::Warn(this, tr("Forget All Scans"), QString::fromLocal8Bit(Error.c_str()));
}

void TOptionDlg::HelpBtnClick()
{
  TManual::Open("options");
}
