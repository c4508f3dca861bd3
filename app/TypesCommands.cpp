// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TypesCommands.h"

#include "app/CsvExport.h"
#include "app/CsvFile.h"
#include "files/FilesList.h"
#include "fs/PathRules.h"
#include "scan/FolderNode.h"
#include "shell/Prompt.h"
#include "types/TypesList.h"
#include "view/FileClass.h"

#include <QMenu>
#include <QTreeView>

TTypesCommands::TTypesCommands(TTypesList& List, TFilesList& Files, std::function<void()> ShowFiles)
  : FList(List), FFiles(Files), FShowFiles(std::move(ShowFiles))
{
  FList.OnOpen = [this](TTypesModel::TPick Pick) { ListFiles(Pick); };
  FList.OnExport = [this] { ExportClick(); };
  connect(FList.View(), &QWidget::customContextMenuRequested, this, [this](const QPoint& Point) { MouseUp(Point); });
}

QString TTypesCommands::FilterOf(TTypesModel::TPick Pick)
{
  QString Filter = QString("kind:") + TFileClass::Word(Pick.Kind);
  if (Pick.Extension) {
    const QString Word = "ext:" + QString::fromStdString(*Pick.Extension);
    // An extension with a space in it is one word in quotes.
    Filter += ' ' + (Word.contains(' ') ? '"' + Word + '"' : Word);
  }
  return Filter;
}

void TTypesCommands::ListFiles(TTypesModel::TPick Pick)
{
  if (Pick.Kind < 0)
    return;
  const QString Filter = FilterOf(Pick);
  FShowFiles();
  FFiles.SortLargest();
  FFiles.SetFilterText(Filter);
}

void TTypesCommands::MouseUp(QPoint Point)
{
  const QModelIndex At = FList.View()->indexAt(Point);
  QMenu Menu(FList.View());
  if (At.isValid()) {
    FList.View()->setCurrentIndex(At);
    const TTypesModel::TPick Pick = FList.Model().PickAt(At);
    Menu.addAction(tr("&List Files of %1").arg(FList.Model().TypeName(At)), this, [this, Pick] { ListFiles(Pick); });
    Menu.setDefaultAction(Menu.actions().front());
    Menu.addSeparator();
  }
  Menu.addAction(tr("&Export Types..."), this, [this] { ExportClick(); });
  Menu.exec(FList.View()->viewport()->mapToGlobal(Point));
}

bool TTypesCommands::WriteCsv(std::FILE* Stream) const
{
  std::vector<TTypeTotals::TType> Types = FList.Model().Extensions();
  TTypeTotals::Rank(Types);
  return TCsvExport::WriteTypes(Stream, {{std::string(), std::move(Types)}});
}

void TTypesCommands::ExportClick()
{
  QWidget* View = FList.View();
  if (!FList.Model().Files() || FList.Busy()) {
    //: Title of a message box
    TPrompt::Warn(View, tr("Export"), tr("The files are still being counted; export their types once they are shown."));
    return;
  }
  //: Fills in "The %1 could not be saved to %2"
  const QString What = tr("types");
  TCsvFile::SaveAs(View, tr("Export the Types"), "types.csv", What,
                   [this](std::FILE* Stream) { return WriteCsv(Stream); });
}

TRowsReport::TRows TTypesCommands::Report() const
{
  // Taken now: the view may count again while the pages are drawn.
  struct TLine {
    QIcon Icon;
    QString Name;
    std::array<QString, 7> Values;
  };
  auto Lines = std::make_shared<std::vector<TLine>>();
  const TTypesModel& Model = FList.Model();
  const auto Add = [&](const QModelIndex& Index, const QString& Indent) {
    const auto Text = [&](int Column) { return Model.index(Index.row(), Column, Index.parent()).data().toString(); };
    Lines->push_back({Index.data(Qt::DecorationRole).value<QIcon>(),
                      Indent + Text(TTypesModel::tcType),
                      {Text(TTypesModel::tcFiles),
                       Text(TTypesModel::tcSize),
                       Text(TTypesModel::tcAllocated),
                       Text(TTypesModel::tcPercent),
                       {},
                       {},
                       {}}});
  };
  for (int Row = 0; Row < Model.rowCount(); ++Row) {
    const QModelIndex Class = Model.index(Row, 0);
    Add(Class, {});
    for (int Child = 0; Child < Model.rowCount(Class); ++Child)
      Add(Model.index(Child, 0, Class), "      ");
  }
  TRowsReport::TRows Rows;
  //: After the program's name atop a printed report; keep the spaces
  Rows.Suffix = tr(" - File Types   ");
  Rows.Third = TPathRules::Shown(FList.Folder() ? FList.Folder()->FullPath() : std::string());
  //: Column header of a printed report
  Rows.FirstCaption = tr("Type");
  Rows.Captions = {tr("Files"), tr("Size"),
                   //: Column header: the space taken on the disk
                   tr("Allocated"), tr("% of Folder"), "", "", ""};
  Rows.Count = int(Lines->size());
  Rows.Row = [Lines](int Row, QIcon& Icon, QString& Name, std::array<QString, 7>& Values) {
    Icon = (*Lines)[size_t(Row)].Icon;
    Name = (*Lines)[size_t(Row)].Name;
    Values = (*Lines)[size_t(Row)].Values;
  };
  return Rows;
}
