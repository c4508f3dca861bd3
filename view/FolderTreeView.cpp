// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderTreeView.h"

#include "scan/FolderNode.h"
#include "view/FolderDelegate.h"
#include "view/FolderModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

TFolderTreeView::TFolderTreeView(TFolderModel& Model, QWidget* Parent) : QTreeView(Parent), FModel(Model)
{
  setObjectName("Tree");
  setModel(&Model);
  setItemDelegate(new TFolderDelegate(this));
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setIndentation(22);
  setIconSize(QSize(16, 16));
  setContextMenuPolicy(Qt::CustomContextMenu);
  // One column as wide as its longest label in view: long names scroll
  // sideways. Fitting it to every row instead would measure the label of
  // each of them whenever one changes.
  header()->setSectionResizeMode(QHeaderView::Interactive);
  header()->setStretchLastSection(false);
  header()->setResizeContentsPrecision(0);
  FFit.setSingleShot(true);
  FFit.setInterval(0);
  connect(&FFit, &QTimer::timeout, this, [this] { FitColumn(); });
  const auto Refit = [this] { FFit.start(); };
  connect(&Model, &QAbstractItemModel::rowsInserted, this, Refit);
  connect(&Model, &QAbstractItemModel::rowsRemoved, this, Refit);
  connect(&Model, &QAbstractItemModel::layoutChanged, this, Refit);
  connect(&Model, &QAbstractItemModel::modelReset, this, Refit);
  // The view's own answer costs a lookup among all expanded rows; nodes
  // remember it instead.
  connect(this, &QTreeView::expanded, this, [Refit](const QModelIndex& Index) {
    if (TFolderNode* Node = TFolderModel::NodeOf(Index))
      Node->FExpanded = true;
    Refit();
  });
  connect(this, &QTreeView::collapsed, this, [Refit](const QModelIndex& Index) {
    if (TFolderNode* Node = TFolderModel::NodeOf(Index))
      Node->FExpanded = false;
    Refit();
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, Refit);
}

void TFolderTreeView::dataChanged(const QModelIndex& TopLeft, const QModelIndex& BottomRight, const QList<int>& Roles)
{
  // Rows out of view need nothing; the base class would locate each of
  // them among the expanded rows, once per change.
  Q_UNUSED(TopLeft);
  Q_UNUSED(BottomRight);
  Q_UNUSED(Roles);
  viewport()->update();
  FFit.start();
}

void TFolderTreeView::FitColumn()
{
  // Grows only, so the column does not jump while the view scrolls.
  if (FModel.rowCount() == 0)
    header()->resizeSection(0, viewport()->width());
  else
    header()->resizeSection(0, std::max(header()->sectionSize(0), sizeHintForColumn(0)));
}

const char* TFolderTreeView::EmptyHint =
  "No folder scanned yet.\n\nChoose Select Directory to scan a folder, or start Spacelens with folders on its "
  "command line.";

void TFolderTreeView::paintEvent(QPaintEvent* Event)
{
  QTreeView::paintEvent(Event);
  if (FModel.rowCount() > 0)
    return;
  QPainter Painter(viewport());
  Painter.setPen(palette().color(QPalette::PlaceholderText));
  Painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, EmptyHint);
}

TFolderNode* TFolderTreeView::CurrentFolder() const
{
  return TFolderModel::NodeOf(currentIndex());
}

bool TFolderTreeView::IsExpanded(const TFolderNode* Node) const
{
  return Node->FExpanded;
}
