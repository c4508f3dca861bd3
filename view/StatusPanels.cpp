// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/StatusPanels.h"

#include "fs/PathRules.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/Root.h"
#include "view/ValueDisplay.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>

TStatusPanels::TStatusPanels(QStatusBar* Bar)
{
  const int Widths[] = {184, 85, 94, 120};
  for (int Panel = 0; Panel < 4; ++Panel) {
    FPanels[Panel] = new QLabel;
    FPanels[Panel]->setObjectName(QString("Panel%1").arg(Panel));
    if (Panel != spHint) {
      FPanels[Panel]->setMinimumWidth(Widths[Panel]);
      FPanels[Panel]->setFrameShape(QFrame::StyledPanel);
    }
    Bar->addWidget(FPanels[Panel], Panel == spHint ? 1 : 0);
  }
  FPanels[spChange] = new QLabel;
  FPanels[spChange]->setObjectName("ChangePanel");
  FPanels[spChange]->setFrameShape(QFrame::StyledPanel);
  FPanels[spChange]->hide();
  Bar->addPermanentWidget(FPanels[spChange]);
  FPanels[spFreeSpace]->setToolTip(
    FreeSpaceIncludesReserve() ? tr("All free space of the drive, the blocks kept for the administrator included")
                               : tr("The free space you can use; blocks kept for the administrator are left out"));
}

QString TStatusPanels::Text(int Panel) const
{
  return FPanels[Panel]->text();
}

void TStatusPanels::SetText(int Panel, const QString& Text)
{
  FPanels[Panel]->setText(Text);
  if (Panel == spChange)
    FPanels[Panel]->setVisible(!Text.isEmpty());
}

QString TStatusPanels::ClusterText(const TRoot* Root)
{
  const uint32_t Size = Root->FCompressed ? Root->FBytesPerSector * Root->FSectorsPerCluster : Root->FClusterSize;
  return tr("%1 Bytes per Cluster (%2)").arg(QString::number(Size), TPathRules::Shown(Root->FFileSystem));
}

QString TStatusPanels::FreeSpaceText(const TRoot* Root, const TValueDisplay& Display)
{
  const auto Now = std::chrono::steady_clock::now();
  if (FSpaceDrive.empty() || Root->FDrive != FSpaceDrive || Now - FSpaceRead >= std::chrono::seconds(1)) {
    FSpaceDrive = Root->FDrive;
    FSpaceRead = Now;
    FTotalKB = FFreeKB = 0;
    FHasInodes = false;
    // The drive, or the folder itself where the drive is not known (in a
    // chroot, mounts outside it are not).
    if (Root->FTotalKB > 0) {
      const std::string& Volume = Root->FDrive.empty() ? Root->FPath : Root->FDrive;
      GetDiskSpaceKB(Volume, FTotalKB, FFreeKB);
      FHasInodes = GetFreeInodes(Volume, FFreeInodes);
    }
  }
  if (FTotalKB == 0)
    return tr("Free Space: ");
  const QString Free = Display.BytesText(FFreeKB * 1024.0);
  const QString Total = Display.BytesText(FTotalKB * 1024.0);
  if (FHasInodes)
    return tr("Free Space: %1 (of %2), %3 inodes free").arg(Free, Total, QLocale().toString(qulonglong(FFreeInodes)));
  return tr("Free Space: %1 (of %2)").arg(Free, Total);
}

void TStatusPanels::ShowFolder(const TFolderData* Folder, const TValueDisplay& Display)
{
  const TRoot* Root = Folder ? Folder->Root() : nullptr;
  if (!Root) {
    SetText(spFreeSpace, {});
    SetText(spObjects, tr("0 Objects"));
    return;
  }
  SetText(spFreeSpace, FreeSpaceText(Root, Display));
  ShowObjects(Folder);
  SetText(spHint, ClusterText(Root));
}

void TStatusPanels::ShowObjects(const TFolderData* Folder)
{
  const uint64_t Objects = Folder->FObjects;
  SetText(spObjects, tr("%1 Objects").arg(Objects > 0 ? Objects - 1 : 0));
}

void TStatusPanels::ShowHint(const QString& Hint, const TRoot* Root)
{
  SetText(spHint, !Hint.isEmpty() ? Hint : Root ? ClusterText(Root) : QString());
}

void TStatusPanels::ShowSelection(const std::vector<const TFolderData*>& Rows, const TFolderData* Folder,
                                  TValueDisplay& Display)
{
  if (Rows.size() <= 1) {
    if (Folder)
      ShowObjects(Folder);
    SetText(spSelection, {});
    return;
  }
  // Measured as a record below the folder, with its allocation unit.
  TFolderNode Sum(const_cast<TFolderNode*>(Folder->Node()));
  for (const TFolderData* Record : Rows)
    Sum.Count(Record->Counts());
  Sum.FState = ssDone;
  if (Display.FShowType == vtPercent)
    SetText(spSelection, Display.PercentText(Sum.AllocatedClusters(), Folder->AllocatedClusters()));
  else
    SetText(spSelection, Display.FormatValue(&Sum, Display.FShowType, false));
  SetText(spObjects, tr("%1 Objects").arg(Rows.size()));
}
