// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareCommands.h"

#include "app/CompareDlg.h"
#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/RightPane.h"
#include "app/RootCommands.h"
#include "charts/ChartPane.h"
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "history/SnapshotFile.h"
#include "scan/Baseline.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "view/DetailsList.h"

#include <QAction>
#include <QMessageBox>
#include <QStatusBar>

#include <ctime>

TCompareCommands::TCompareCommands(TMainForm& Form) : FForm(Form) {}

TCompareCommands::~TCompareCommands()
{
  *FStop = true;
}

bool TCompareCommands::Active() const
{
  return FForm.Display().FBaseline != nullptr;
}

void TCompareCommands::CompareClick()
{
  const TRoot* Root = FForm.SelectedRoot();
  if (!Root) {
    if (Active())
      End();
    else
      //: Title of a message box
      TPrompt::Inform(
        &FForm, tr("Compare"),
        tr("There is nothing to compare yet: scan a folder, then compare it with an earlier scan of it."));
    return;
  }
  // Remembered under its name, compared by its folders' paths.
  const std::string Name = THistoryStore::RootOf(*Root);
  TCompareDlg Dialog(&FForm, NowOf(*Root), FForm.WindowSettings().History().Of(Name), FForm.Roots().RememberedAt(Name),
                     Active(), FForm.Display());
  if (Dialog.exec() != QDialog::Accepted)
    return;
  if (Dialog.FNone)
    End();
  else
    Compare(Dialog.FFile, *Root);
}

TFolderSnapshot::THeader TCompareCommands::NowOf(const TRoot& Root) const
{
  TFolderSnapshot::THeader Now;
  Now.Root = THistoryStore::RootOf(Root);
  Now.Options = TSnapshotCompare::OptionsOf(FForm.Driver().FSettings);
  Now.ClusterSize = Root.FClusterSize;
  return Now;
}

void TCompareCommands::Compare(const std::string& File, const TRoot& Compared)
{
  const std::string Root = Compared.FPath;
  FForm.statusBar()->showMessage(tr("Reading the earlier scan..."));
  // A file still being read is of no use any more.
  *FStop = true;
  FStop = std::make_shared<std::atomic<bool>>(false);
  FReading.Start([this, File, Root, Now = NowOf(Compared), Stop = FStop,
                  Settings = FForm.Driver().FSettings](const TLatestJob::TStop&) -> std::function<void()> {
    TFolderSnapshot Snapshot;
    std::string Error;
    std::shared_ptr<const TBaseline> Baseline;
    if (TSnapshotFile::Read(File, Root, Settings, Snapshot, Error, Stop.get()))
      Baseline = std::make_shared<const TBaseline>(std::move(Snapshot), Root);
    return [this, Baseline, Error, File, Now] {
      FForm.statusBar()->clearMessage();
      if (!Baseline) {
        QMessageBox::warning(&FForm, tr("Compare With"),
                             tr("Cannot compare with %1: %2")
                               .arg(QString::fromLocal8Bit(File.c_str()), QString::fromLocal8Bit(Error.c_str())));
        return;
      }
      Apply(Baseline);
      if (const std::string Warning = TSnapshotCompare::Warning(Baseline->Header(), Now); !Warning.empty())
        FForm.statusBar()->showMessage(tr("Compared with a scan %1").arg(QString::fromLocal8Bit(Warning.c_str())),
                                       20000);
    };
  });
}

void TCompareCommands::End()
{
  *FStop = true;
  FReading.Cancel();
  Apply(nullptr);
}

void TCompareCommands::Apply(std::shared_ptr<const TBaseline> Baseline)
{
  TValueDisplay& Display = FForm.Display();
  Display.FBaseline = std::move(Baseline);
  const bool On = Display.FBaseline != nullptr;
  FForm.Action("SChangeButton")->setVisible(On);
  FForm.List().ShowChange(On);
  FForm.Charts().ShowChange(On);
  // A comparison starts sorted by growth, and ends sorted by size.
  TTreeCommands& Commands = FForm.Commands();
  if (Commands.FSortType != TValueDisplay::stChange)
    Display.FSortBesideChange = Commands.FSortType;
  const TValueDisplay::TSortType SortType = On      ? TValueDisplay::stChange
    : Commands.FSortType == TValueDisplay::stChange ? TValueDisplay::stSize
                                                    : Commands.FSortType;
  Commands.FSortType = SortType;
  FForm.Actions().CheckSort(SortType);
  FForm.List().FollowTree(SortType, Display.FShowType);
  Commands.Relabel(nullptr, true);
  Commands.ResortAll(false);
  FForm.RefreshStatus(true);
  FForm.RightPane().RefillPicture();
}

QString TCompareCommands::StatusText() const
{
  const TValueDisplay& Display = FForm.Display();
  if (!Display.FBaseline)
    return {};
  const TBaseline& Baseline = *Display.FBaseline;
  for (const TFolderNode* Top : FForm.Tree().TopNodes())
    if (Top->FullPath() == Baseline.Root()) {
      //: The status bar: since when, how long ago, and the growth
      return tr("since %1, %2: %3")
        .arg(TCompareDlg::When(Baseline.Header().Time), TCompareDlg::Age(std::time(nullptr) - Baseline.Header().Time),
             Display.SignedBytesText(Display.Change(Top)));
    }
  return {};
}
