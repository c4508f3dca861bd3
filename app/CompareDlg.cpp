// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareDlg.h"

#include "fs/PathRules.h"
#include "history/SnapshotCompare.h"
#include "view/ValueDisplay.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <ctime>
#include <utility>

#include <unistd.h>

TCompareDlg::TCompareDlg(QWidget* Parent, const TFolderSnapshot::THeader& Now,
                         std::vector<THistoryStore::TEntry> Entries, int64_t Since, bool Comparing,
                         const TValueDisplay& Display)
  : QDialog(Parent), FList(new QTreeWidget)
{
  setWindowTitle(tr("Compare With"));
  auto* Layout = new QVBoxLayout(this);
  auto* Caption = new QLabel(tr("Compare %1 with the scan of:").arg(TPathRules::Shown(Now.Root).toHtmlEscaped()));
  Caption->setTextFormat(Qt::RichText);
  Layout->addWidget(Caption);
  FList->setRootIsDecorated(false);
  FList->setHeaderLabels({
    //: Column header: when the scan was made
    tr("Scanned"),
    tr("Age"),
    tr("Size"),
    tr("Folders"),
    //: Column header: a remark on the scan
    tr("Note"),
  });
  FList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Layout->addWidget(FList, 1);
  char Host[256] = {};
  gethostname(Host, sizeof Host - 1);
  const int64_t Time = std::time(nullptr);
  bool Shown = false;
  for (THistoryStore::TEntry& Entry : Entries) {
    // The scan shown is the newest of its second; later ones are of other windows.
    if (Since && (Entry.Header.Time > Since || (Entry.Header.Time == Since && !std::exchange(Shown, true))))
      continue;
    QStringList Notes;
    if (!Entry.Header.Host.empty() && Entry.Header.Host != Host)
      //: The scan was made on another computer, named %1
      Notes << tr("on %1").arg(QString::fromStdString(Entry.Header.Host));
    if (!TSnapshotCompare::Warning(Entry.Header, Now).empty())
      Notes << tr("counted otherwise");
    auto* Item = new QTreeWidgetItem(
      FList,
      {When(Entry.Header.Time), Age(Time - Entry.Header.Time), Display.BytesText(double(Entry.Header.Size)),
       TValueDisplay::Number(double(Entry.Header.Folders), 0), Notes.join(", ")});
    Item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    Item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    Item->setData(0, Qt::UserRole, int(FEntries.size()));
    FEntries.push_back(std::move(Entry));
  }
  if (FEntries.empty()) {
    auto* None = new QLabel(tr("No earlier scan of this folder is remembered: choose a file, or scan it again later."));
    None->setWordWrap(true);
    Layout->addWidget(None);
  }
  auto* Buttons = new QDialogButtonBox;
  FCompare = Buttons->addButton(tr("Compare"), QDialogButtonBox::AcceptRole);
  FCompare->setEnabled(!FEntries.empty());
  connect(Buttons->addButton(tr("Other File..."), QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
          [this] { OtherFile(); });
  //: A button: compare with nothing, ending the comparison
  QPushButton* End = Buttons->addButton(tr("None"), QDialogButtonBox::DestructiveRole);
  End->setEnabled(Comparing);
  End->setToolTip(tr("End the comparison"));
  Buttons->addButton(QDialogButtonBox::Cancel);
  connect(End, &QPushButton::clicked, this, [this] {
    FNone = true;
    accept();
  });
  connect(Buttons, &QDialogButtonBox::accepted, this, [this] {
    if (const QTreeWidgetItem* Item = FList->currentItem()) {
      FFile = FEntries[size_t(Item->data(0, Qt::UserRole).toInt())].File;
      accept();
    }
  });
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(FList, &QTreeWidget::itemDoubleClicked, FCompare, &QPushButton::click);
  Layout->addWidget(Buttons);
  if (FList->topLevelItemCount() > 0)
    FList->setCurrentItem(FList->topLevelItem(0));
  resize(560, 320);
}

QString TCompareDlg::When(int64_t Time)
{
  return QLocale().toString(QDateTime::fromSecsSinceEpoch(Time), "ddd d MMM yyyy HH:mm");
}

QString TCompareDlg::Age(int64_t Seconds)
{
  // One and Many hold %1 for the number.
  const auto Counted = [](int64_t Count, const QString& One, const QString& Many) {
    return (Count == 1 ? One : Many).arg(Count);
  };
  if (Seconds >= 2 * 86400)
    return Counted(Seconds / 86400, tr("%1 day"), tr("%1 days"));
  if (Seconds >= 2 * 3600)
    return Counted(Seconds / 3600, tr("%1 hour"), tr("%1 hours"));
  return Counted(std::max<int64_t>(Seconds, 0) / 60, tr("%1 minute"), tr("%1 minutes"));
}

void TCompareDlg::OtherFile()
{
  const QString Chosen = QFileDialog::getOpenFileName(this, tr("Compare With"), QString(),
                                                      //: Keep the patterns in brackets and the ;; between filters
                                                      tr("Snapshots and exports (*.snap *.json *.csv);;All files (*)"));
  if (Chosen.isEmpty())
    return;
  FFile = Chosen.toLocal8Bit().toStdString();
  accept();
}
