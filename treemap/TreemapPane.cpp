// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapPane.h"

#include "fs/PathRules.h"
#include "scan/Baseline.h"
#include "scan/FileListing.h"
#include "scan/FilesSource.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanSettings.h"
#include "treemap/ChangeSource.h"
#include "treemap/TreeSource.h"
#include "treemap/TreemapAccessible.h"
#include "treemap/TreemapLegend.h"
#include "treemap/TreemapView.h"
#include "view/AccessibleFactory.h"
#include "view/FileClass.h"
#include "view/PictureFile.h"
#include "view/ValueDisplay.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace std::chrono_literals;

TTreemapPane::TTreemapPane(TValueDisplay& Display, TFolderTree& Tree, const TScanSettings& Settings,
                           std::function<TFolderNode*()> CurrentNode)
  : FDisplay(Display), FTree(Tree), FSettings(Settings), FCurrentNode(std::move(CurrentNode))
{
  // Screen readers hear the tiles, not only a picture.
  InstallAccessible<TTreemapPane, TTreemapAccessible>();
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  FView = new TTreemapView;
  FView->setFocusPolicy(Qt::StrongFocus);
  // Files smaller than two pixels square are shown in their folder's small
  // items: a million of them would cost more than they show.
  FView->FMinSize = 2;
  FLegend = new TTreemapLegend;
  Layout->addWidget(FView, 1);
  Layout->addWidget(FLegend);
  FView->OnHover = [this](const TTreemapTile* Tile) { Hover(Tile); };
  FView->OnClick = [this](const void* Folder, uint32_t File) { Click(Folder, File); };
  FView->OnDblClick = [this](const void* Folder) {
    Open(const_cast<TFolderNode*>(static_cast<const TFolderNode*>(Folder)));
  };
  FView->OnParent = [this] {
    if (OnParent)
      OnParent();
  };
  FThrottle.setSingleShot(true);
  connect(&FThrottle, &QTimer::timeout, this, [this] { Fill(); });
}

TFolderNode* TTreemapPane::CurrentFolder() const
{
  TFolderNode* Node = FCurrentNode();
  return Node && Node->FIsFiles ? Node->Parent() : Node;
}

void TTreemapPane::Fill()
{
  TFolderNode* Node = CurrentFolder();
  if (!isVisible() || !Node)
    return;
  // A click here selected the folder in the tree: the treemap stays.
  if (Node == std::exchange(FClicked, nullptr) && FShown)
    return;
  Show(Node);
}

void TTreemapPane::Show(TFolderNode* Node)
{
  // While the folder's scan runs, its picture is made again once a second.
  const auto Now = std::chrono::steady_clock::now();
  const bool Scanning = Node->Root()->Scanning();
  if (Scanning && Node == FShown && Now - FLastFill < 1s) {
    if (!FThrottle.isActive())
      FThrottle.start(std::chrono::duration_cast<std::chrono::milliseconds>(1s - (Now - FLastFill)));
    return;
  }
  FLastFill = Now;
  // A picture that only grows with the scan is made again unannounced.
  const bool Growing = Scanning && Node == FShown;
  FShown = Node;
  // While comparing, coloured by change.
  const bool ByChange = FDisplay.Compares(Node);
  if (ByChange != !FView->ChangeColors().empty()) {
    std::vector<QRgb> Colors;
    std::vector<TTreemapLegend::TKey> Keys;
    for (int Mark = 0; ByChange && Mark < TChangeSource::cmCount; ++Mark) {
      Colors.push_back(TChangeSource::Color(Mark));
      Keys.push_back(
        {QCoreApplication::translate("TChangeSource", TChangeSource::Name(Mark)), TChangeSource::Color(Mark)});
    }
    FView->SetChangeColors(std::move(Colors));
    FLegend->SetKeys(ByChange ? std::move(Keys) : TTreemapLegend::ClassKeys());
  }
  FView->Request(ByChange
                   ? std::make_shared<TChangeSource>(FTree, FDisplay.FShowType, Node->ClusterSize(), FDisplay.FBaseline)
                   : std::make_shared<TTreeSource>(FTree, FDisplay.FShowType, Node->ClusterSize()),
                 Node, Growing);
  FView->SetSelected(nullptr, TTreemapTile::NoFile);
  if (Scanning)
    FThrottle.start(1s);
}

void TTreemapPane::SetHighlight(int Kind, const std::string* Extension)
{
  if (Kind < 0) {
    FView->SetHighlight({});
    return;
  }
  FView->SetHighlight(
    [Kind, Extension = Extension ? std::optional<std::string>(*Extension) : std::nullopt](const TTreemapTile& Tile) {
      if (Tile.Class != Kind)
        return false;
      if (!Extension)
        return true;
      const auto* Folder = static_cast<const TFolderNode*>(Tile.Folder);
      const TFolderFiles* Files = Folder->FFiles.load(std::memory_order_acquire);
      return Files && Tile.File < Files->Count()
        && TFileClass::Extension(Files->Name(Tile.File), Tile.Class == TFileClass::fcBinary) == *Extension;
    });
}

void TTreemapPane::Clear()
{
  FThrottle.stop();
  FView->Cancel();
  FView->Request(nullptr, nullptr);
  FShown = nullptr;
  FClicked = nullptr;
  FNamesJob.Cancel();
  FNamesOf.clear();
  FNames.clear();
}

void TTreemapPane::Hover(const TTreemapTile* Tile)
{
  if (!OnHover)
    return;
  if (!Tile) {
    OnHover({});
    return;
  }
  auto* Folder = const_cast<TFolderNode*>(static_cast<const TFolderNode*>(Tile->Folder));
  const QString Path = TPathRules::Shown(Folder->FullPath());
  const QString Value = Described(*Tile).second;
  if (Tile->Kind == TTreemapTile::tkRest) {
    OnHover(tr("Small items in %1").arg(Path));
  } else if (Tile->Kind != TTreemapTile::tkFile) {
    const QString Change = FDisplay.ChangeText(Folder);
    OnHover(Change.isEmpty() ? tr("%1    %2    Folder").arg(Path, Value)
                             : tr("%1    %2    Folder    %3").arg(Path, Value, Change));
  } else if (!Value.isEmpty()) {
    const QString About = "    " + Value + "    " + TFileClass::Name(Tile->Class);
    OnHover(Path + "..." + About);
    const uint64_t Removals = FTree.Removals();
    NameOf(Folder, Tile->File, [this, Path, About, Removals](const std::string& Name) {
      if (FTree.Removals() == Removals && OnHover)
        OnHover(Path + TPathRules::Shown(Name) + About);
    });
  }
}

std::pair<int, int> TTreemapPane::ShownTiles() const
{
  const TTreemapLayout* Layout = FView->Current() ? FView->Layout() : nullptr;
  if (!Layout || Layout->Tiles().empty() || Layout->Tiles()[0].Kind != TTreemapTile::tkFolder)
    return {0, 0};
  const TTreemapTile& Top = Layout->Tiles()[0];
  return {Top.FirstChild, int(Top.Children)};
}

std::pair<QString, QString> TTreemapPane::Described(const TTreemapTile& Shown) const
{
  const auto* Folder = static_cast<const TFolderNode*>(Shown.Folder);
  if (Shown.Kind == TTreemapTile::tkRest)
    return {tr("Small items"), {}};
  if (Shown.Kind != TTreemapTile::tkFile)
    return {TPathRules::Shown(Folder->FName), FDisplay.FormatValue(Folder, FDisplay.FShowType, false).trimmed()};
  const TFolderFiles* Files = Folder->FFiles.load(std::memory_order_acquire);
  if (!Files || Shown.File >= Files->Count())
    return {TFileClass::Name(Shown.Class), {}};
  const uint64_t Bytes = TTreeSource::Weight(*Files, Shown.File, FDisplay.FShowType, Folder->ClusterSize());
  return {TFileClass::Name(Shown.Class), FDisplay.BytesText(double(Bytes))};
}

QWidget* TTreemapPane::Legend() const
{
  return FLegend;
}

void TTreemapPane::Click(const void* Folder, uint32_t File)
{
  auto* Node = const_cast<TFolderNode*>(static_cast<const TFolderNode*>(Folder));
  FView->SetSelected(Folder, File);
  if (!OnSelect)
    return;
  if (File == TTreemapTile::NoFile) {
    Select(Node, {});
    return;
  }
  const uint64_t Removals = FTree.Removals();
  NameOf(Node, File, [this, Node, Removals](const std::string& Name) {
    if (FTree.Removals() == Removals && OnSelect)
      Select(Node, Name);
  });
}

void TTreemapPane::Select(TFolderNode* Folder, const std::string& File)
{
  // Only a selection that moves refills the treemap: one that stays would
  // leave its mark to hold back the next refill, of a new measure.
  FClicked = Folder != FCurrentNode() ? Folder : nullptr;
  OnSelect(Folder, File);
}

void TTreemapPane::Open(TFolderNode* Folder)
{
  // The click before it has already selected the folder in the tree, which
  // then does not move: the folder is shown here.
  FClicked = nullptr;
  if (OnOpen)
    OnOpen(Folder);
  if (FShown != Folder && isVisible())
    Show(Folder);
}

void TTreemapPane::NameOf(TFolderNode* Folder, uint32_t Index, std::function<void(const std::string&)> Done)
{
  const std::string Path = Folder->FullPath();
  if (Path == FNamesOf) {
    if (Index < FNames.size())
      Done(FNames[Index]);
    return;
  }
  // The folder is listed again as the scan listed it: the files it
  // counted, in its order; an imported folder from its export.
  const TFilesSource Source(Folder, Path, FSettings.FExclude);
  FNamesJob.Start([this, Path, Source, Index, Settings = FSettings,
                   Done = std::move(Done)](const TLatestJob::TStop&) -> std::function<void()> {
    std::vector<TListedFile> Listed;
    Source.List({"*"}, Listed);
    std::vector<std::string> Names;
    for (TListedFile& File : Listed)
      if (File.Size > 0 && Settings.Matches(File.Name.c_str()) > 0)
        Names.push_back(std::move(File.Name));
    return [this, Path, Index, Names = std::move(Names), Done] {
      FNamesOf = Path;
      FNames = Names;
      if (Index < Names.size())
        Done(Names[Index]);
    };
  });
}

void TTreemapPane::Draw(QPainter& Painter, const QRect& Bounds) const
{
  const QImage Image = FView->Image();
  const qreal Key = FLegend->Height(Painter.font(), Painter.device(), Bounds.width());
  const QRectF Room(Bounds.left(), Bounds.top(), Bounds.width(), Bounds.height() - Key * 1.2);
  if (!Image.isNull() && Room.height() > 0) {
    QSizeF Size = Image.size();
    Size.scale(Room.size(), Qt::KeepAspectRatio);
    Painter.drawImage(QRectF(Room.topLeft(), Size), Image);
    FLegend->Draw(Painter, QRectF(Bounds.left(), Room.top() + Size.height() + Key * 0.2, Bounds.width(), Key));
  }
}

QImage TTreemapPane::Picture() const
{
  const QImage Image = FView->Image();
  if (Image.isNull())
    return {};
  const int Key = int(FLegend->Height(font(), &Image, Image.width()) * 1.2) + 1;
  QImage Picture(Image.width(), Image.height() + Key, QImage::Format_RGB32);
  Picture.fill(Qt::white);
  QPainter Painter(&Picture);
  Painter.setFont(font());
  Draw(Painter, Picture.rect());
  return Picture;
}

void TTreemapPane::contextMenuEvent(QContextMenuEvent* Event)
{
  QMenu Menu(this);
  Menu.addAction(tr("&Copy Picture"), this, [this] { QGuiApplication::clipboard()->setImage(Picture()); });
  Menu.addAction(tr("&Save Picture As..."), this, [this] { TPictureFile::SaveAs(this, Picture()); });
  Menu.exec(Event->globalPos());
}
