// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SubtreeView.h"

#include "scan/FolderNode.h"
#include "scan/Root.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

TSubtreeView::TSubtreeView(QWidget* Parent) : QWidget(Parent)
{
  FTake.setSingleShot(true);
  FTake.setInterval(0);
  connect(&FTake, &QTimer::timeout, this, [this] {
    if (FFolder)
      Take();
  });
  FLive.setSingleShot(true);
  FLive.setInterval(2000);
  connect(&FLive, &QTimer::timeout, this, &TSubtreeView::Relist);
  FStatus = new QLabel;
  FStatus->setContentsMargins(6, 2, 6, 2);
}

void TSubtreeView::Build(QHBoxLayout* Bar, QWidget* Body, const QString& ExportTip)
{
  Bar->setContentsMargins(4, 4, 4, 2);
  auto* Export = new QToolButton;
  Export->setText(tr("&Export..."));
  Export->setToolTip(ExportTip);
  Export->setAutoRaise(true);
  connect(Export, &QToolButton::clicked, this, [this] {
    if (OnExport)
      OnExport();
  });
  Bar->addWidget(Export);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addLayout(Bar);
  Layout->addWidget(Body, 1);
  Layout->addWidget(FStatus);
}

void TSubtreeView::ShowFolder(TFolderNode* Folder, bool LinksOnce)
{
  FFolder = Folder;
  FLinksOnce = LinksOnce;
  FTake.start();
}

void TSubtreeView::Relist()
{
  if (FFolder)
    ShowFolder(FFolder, FLinksOnce);
}

void TSubtreeView::FollowScan()
{
  if (FFolder && FFolder->Root()->Scanning())
    FLive.start();
}

void TSubtreeView::Forget()
{
  FTake.stop();
  FLive.stop();
  FFolder = nullptr;
  FStatus->clear();
}

bool TSubtreeView::Meets(const TFolderNode* Shown, const std::vector<const TFolderNode*>& Removed) const
{
  return (FFolder && FFolder->Meets(Removed)) || (Shown && Shown->Meets(Removed));
}
