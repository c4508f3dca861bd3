#include "FolderTreeView.h"

#include "FolderDelegate.h"
#include "FolderModel.h"

#include <QHeaderView>

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
  // One column as wide as its longest label: long names scroll sideways.
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
}

TFolderNode* TFolderTreeView::CurrentFolder() const
{
  return TFolderModel::NodeOf(currentIndex());
}

bool TFolderTreeView::IsExpanded(const TFolderNode* Node) const
{
  return isExpanded(FModel.IndexOf(Node));
}
