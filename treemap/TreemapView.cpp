// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemap/TreemapView.h"

#include "treemap/TreemapSource.h"

#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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
  FJob.CancelAndWait();
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
  if (!FRoot || !isVisible() || Size.isEmpty() || (Live() && FImage.size() == Size)) {
    FJob.Cancel();
    if (FWaiting)
      FWaiting->quit();
    return;
  }
  if (FJob.Busy() && FJobRequest == FRequest && FJobSize == Size)
    return;
  FJobRequest = FRequest;
  FJobSize = Size;
  FJob.Start([Request = FRequest, Size, Root = FRoot, Renderer = FRenderer, MinSize = FMinSize, Source = FSource,
              this](const TLatestJob::TStop& Stop) -> std::function<void()> {
    auto Layout = std::make_shared<TTreemapLayout>();
    Layout->FMinSize = MinSize;
    if (!Layout->Build(*Source, Root, QRectF(QPointF(0, 0), Size), Stop))
      return {};
    QImage Image = Renderer.Render(*Layout, Size, Stop);
    if (Image.isNull())
      return {};
    return [this, Request, Layout, Image = std::move(Image)] { Show(Request, Layout, Image); };
  });
  if (!FImage.isNull() && !FQuiet && !FBusy && !FBusyTimer.isActive())
    FBusyTimer.start();
}

void TTreemapView::Show(uint64_t Request, const std::shared_ptr<const TTreemapLayout>& Layout, const QImage& Image)
{
  if (Request == FRequest) {
    FImage = Image;
    FLayout = Layout;
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
  while (!Current() && (FJob.Busy() || FResizeTimer.isActive()) && Timeout.isActive())
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
    Painter.drawText(rect(), Qt::AlignCenter, tr("Drawing..."));
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
