#pragma once

#include <QTreeView>

class TFolderModel;
class TFolderNode;

// The tree of scanned folders: labels with the chosen measure, icons, bold
// for large folders and the progress bar of a scanning root.
class TFolderTreeView : public QTreeView {
public:
  explicit TFolderTreeView(TFolderModel& Model, QWidget* Parent = nullptr);

  TFolderNode* CurrentFolder() const;
  bool IsExpanded(const TFolderNode* Node) const;

private:
  TFolderModel& FModel;
};
