// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapView.h"

#include "treemap/TreemapSource.h"

#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <thread>

// A layout and its picture in the making. The widget's thread owns it; the
// worker writes Layout and Image, then says so through the event loop, and
// touches nothing after.
struct TTreemapView::TJob {
  uint64_t Id;
  uint64_t Request;
  QSize Size;
  const void* Root;
  TTreemapRenderer Renderer;
  double MinSize;
  std::shared_ptr<const TTreemapSource> Source;  // let go of on the widget's thread
  std::atomic<bool> Cancelled{false};
  std::unique_ptr<TTreemapLayout> Layout;
  QImage Image;
  std::thread Thread;
};

TTreemapView::TTreemapView(QWidget* Parent) : QWidget(Parent)
{
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // A size being dragged is not laid out at each step.
  FResizeTimer.setSingleShot(true);
  FResizeTimer.setInterval(40);
  connect(&FResizeTimer, &QTimer::timeout, this, [this] { Start(); });
  // A picture that comes at once is not preceded by a flash.
  FBusyTimer.setSingleShot(true);
  FBusyTimer.setInterval(150);
  connect(&FBusyTimer, &QTimer::timeout, this, [this] { SetBusy(true); });
}

TTreemapView::~TTreemapView()
{
  Cancel();
}

void TTreemapView::Request(std::shared_ptr<const TTreemapSource> Source, const void* Root, bool Quiet)
{
  ++FRequest;
  FQuiet = Quiet;
  FRoot = Source ? Root : nullptr;
  FSource = FRoot ? std::move(Source) : nullptr;
  Unhover();
  // The picture stays until the new one comes; its layout, of no use any
  // more, goes at once.
  FLayout.reset();
  FLit.clear();
  if (!FRoot) {
    FImage = QImage();
    FDimmed = QImage();
    SetBusy(false);
    update();
  }
  Start();
}

void TTreemapView::Cancel()
{
  ++FRequest;
  FSource.reset();
  FRoot = nullptr;
  FResizeTimer.stop();
  for (const std::unique_ptr<TJob>& Job : FJobs)
    Job->Cancelled = true;
  for (const std::unique_ptr<TJob>& Job : FJobs)
    Job->Thread.join();
  FJobs.clear();
  FLayout.reset();
  FLit.clear();
  FHovered = -1;
  SetBusy(false);
  update();
}

QSize TTreemapView::PixelSize() const
{
  return size() * devicePixelRatioF();
}

void TTreemapView::Start()
{
  FResizeTimer.stop();
  const QSize Size = PixelSize();
  const bool Wanted = FRoot && isVisible() && !Size.isEmpty();
  bool Running = false;
  for (const std::unique_ptr<TJob>& Job : FJobs) {
    if (Wanted && Job->Request == FRequest && Job->Size == Size && !Job->Cancelled)
      Running = true;
    else
      Job->Cancelled = true;
  }
  if (!Wanted || Running || (Live() && FImage.size() == Size))
    return;
  auto Job = std::make_unique<TJob>();
  Job->Id = ++FLastJob;
  Job->Request = FRequest;
  Job->Size = Size;
  Job->Root = FRoot;
  Job->Renderer = FRenderer;
  Job->MinSize = FMinSize;
  Job->Source = FSource;
  TJob* const Worker = Job.get();
  Job->Thread = std::thread([this, Worker] {
    auto Layout = std::make_unique<TTreemapLayout>();
    Layout->FMinSize = Worker->MinSize;
    if (Layout->Build(*Worker->Source, Worker->Root, QRectF(QPointF(0, 0), Worker->Size), Worker->Cancelled))
      Worker->Image = Worker->Renderer.Render(*Layout, Worker->Size, Worker->Cancelled);
    Worker->Layout = std::move(Layout);
    // By its number: a job cancelled meanwhile is gone by the time it is read.
    QMetaObject::invokeMethod(
      this, [this, Id = Worker->Id] { JobDone(Id); }, Qt::QueuedConnection);
  });
  FJobs.push_back(std::move(Job));
  if (!FImage.isNull() && !FQuiet && !FBusy && !FBusyTimer.isActive())
    FBusyTimer.start();
}

void TTreemapView::JobDone(uint64_t Id)
{
  const auto Found =
    std::find_if(FJobs.begin(), FJobs.end(), [Id](const std::unique_ptr<TJob>& Job) { return Job->Id == Id; });
  if (Found == FJobs.end())
    return;
  const std::unique_ptr<TJob> Job = std::move(*Found);
  FJobs.erase(Found);
  Job->Thread.join();  // it has only its return left
  if (!Job->Cancelled && Job->Request == FRequest && !Job->Image.isNull()) {
    FImage = std::move(Job->Image);
    FLayout = std::move(Job->Layout);
    FShown = FRequest;
    FSelected = FSelectedFolder ? FLayout->Find(FSelectedFolder, FSelectedFile) : -1;
    FHovered = -1;
    Highlight();
    if (underMouse())
      Hover(mapFromGlobal(QCursor::pos()));
    SetBusy(false);
    update();
  }
  if (FWaiting)
    FWaiting->quit();
}

bool TTreemapView::WaitForImage(int Ms)
{
  auto Current = [this] { return !FRoot || (Live() && FImage.size() == PixelSize()); };
  QEventLoop Loop;
  QTimer Timeout;
  Timeout.setSingleShot(true);
  connect(&Timeout, &QTimer::timeout, &Loop, &QEventLoop::quit);
  Timeout.start(Ms);
  FWaiting = &Loop;
  while (!Current() && (!FJobs.empty() || FResizeTimer.isActive()) && Timeout.isActive())
    Loop.exec();
  FWaiting = nullptr;
  return Current();
}

int TTreemapView::TileAt(QPointF Position) const
{
  if (!Live() || width() <= 0 || height() <= 0)
    return -1;
  return FLayout->TileAt(QPointF(Position.x() * FImage.width() / width(), Position.y() * FImage.height() / height()));
}

QRectF TTreemapView::TileRect(int Tile) const
{
  const QRectF Rect = FLayout->Tiles()[Tile].Rect();
  const qreal ScaleX = qreal(width()) / FImage.width();
  const qreal ScaleY = qreal(height()) / FImage.height();
  return QRectF(Rect.x() * ScaleX, Rect.y() * ScaleY, Rect.width() * ScaleX, Rect.height() * ScaleY);
}

void TTreemapView::SetSelected(const void* Folder, uint32_t File)
{
  FSelectedFolder = Folder;
  FSelectedFile = File;
  FSelected = Folder && FLayout ? FLayout->Find(Folder, File) : -1;
  update();
}

void TTreemapView::SetHighlight(std::function<bool(const TTreemapTile& Tile)> Lit)
{
  FLitBy = std::move(Lit);
  Highlight();
  update();
}

void TTreemapView::Highlight()
{
  FLit.clear();
  // A picture being made keeps the last one's lights till it comes.
  if (!FLitBy || !Live()) {
    if (!FLitBy)
      FDimmed = QImage();
    return;
  }
  const std::vector<TTreemapTile>& Tiles = FLayout->Tiles();
  for (size_t Tile = 0; Tile < Tiles.size(); ++Tile)
    if (Tiles[Tile].Kind == TTreemapTile::tkFile && FLitBy(Tiles[Tile]))
      FLit.push_back(int(Tile));
  FDimmed = FImage.copy();
  QPainter Painter(&FDimmed);
  Painter.fillRect(FDimmed.rect(), QColor(0, 0, 0, 170));
  for (const int Tile : FLit)
    Painter.drawImage(Tiles[Tile].Rect(), FImage, Tiles[Tile].Rect());
}

void TTreemapView::SetBusy(bool Busy)
{
  FBusyTimer.stop();
  if (Busy == FBusy)
    return;
  FBusy = Busy;
  if (Busy)
    setCursor(Qt::BusyCursor);
  else
    unsetCursor();
  update();
}

void TTreemapView::Hover(QPointF Position)
{
  const int Tile = TileAt(Position);
  if (Tile == FHovered)
    return;
  FHovered = Tile;
  if (OnHover)
    OnHover(Tile >= 0 ? &FLayout->Tiles()[Tile] : nullptr);
}

void TTreemapView::Unhover()
{
  if (FHovered < 0)
    return;
  FHovered = -1;
  if (OnHover)
    OnHover(nullptr);
}

void TTreemapView::paintEvent(QPaintEvent*)
{
  QPainter Painter(this);
  if (FImage.isNull()) {
    Painter.fillRect(rect(), QColor::fromRgb(FRenderer.FBackground));
    return;
  }
  // Stretched while the picture of a new size is made.
  Painter.drawImage(QRectF(rect()), FDimmed.isNull() ? FImage : FDimmed);
  if (FBusy) {
    Painter.fillRect(rect(), QColor(0, 0, 0, 110));
    Painter.setPen(Qt::white);
    Painter.drawText(rect(), Qt::AlignCenter, "Drawing...");
  } else if (Live() && FSelected >= 0) {
    FRenderer.DrawSelection(Painter, TileRect(FSelected));
  }
}

void TTreemapView::resizeEvent(QResizeEvent*)
{
  if (FRoot)
    FResizeTimer.start();
}

void TTreemapView::showEvent(QShowEvent*)
{
  Start();
}

void TTreemapView::mouseMoveEvent(QMouseEvent* Event)
{
  Hover(Event->position());
}

void TTreemapView::leaveEvent(QEvent*)
{
  Unhover();
}

void TTreemapView::mousePressEvent(QMouseEvent* Event)
{
  const int Tile = TileAt(Event->position());
  if (Event->button() == Qt::LeftButton && Tile >= 0 && OnClick)
    OnClick(FLayout->Tiles()[Tile].Folder, FLayout->Tiles()[Tile].File);
}

void TTreemapView::mouseDoubleClickEvent(QMouseEvent* Event)
{
  const int Tile = TileAt(Event->position());
  if (Event->button() == Qt::LeftButton && Tile >= 0 && OnDblClick)
    OnDblClick(FLayout->Tiles()[Tile].Folder);
}

bool TTreemapView::event(QEvent* Event)
{
  // Backspace is the window's shortcut to the tree selection's parent,
  // which a click here makes deeper than the folder shown: here it is ours.
  if (Event->type() == QEvent::ShortcutOverride && OnParent) {
    auto* Key = static_cast<QKeyEvent*>(Event);
    if (Key->key() == Qt::Key_Backspace && Key->modifiers() == Qt::NoModifier) {
      Event->accept();
      return true;
    }
  }
  return QWidget::event(Event);
}

void TTreemapView::keyPressEvent(QKeyEvent* Event)
{
  if (Event->key() == Qt::Key_Backspace && OnParent)
    OnParent();
  else
    QWidget::keyPressEvent(Event);
}
