// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "treemap/TreemapLayout.h"
#include "treemap/TreemapRenderer.h"

#include <QCoreApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QEventLoop;
class TTreemapSource;

// A folder's treemap in a widget. Its layout and picture are made by a job
// on a thread of its own, when a folder is asked for and again when the
// view's size settles; meanwhile the last picture stays, scaled, and once
// the wait is long enough to notice, dimmed under "Drawing..." with a busy
// cursor.
//
// Threads: every member is to be called, and every On... is called, on the
// widget's thread. The source's Entries is called on the jobs' threads only,
// and only for the last Request's source and folders, except that a job told
// to stop by a newer Request first ends the Entries it is in: for a moment
// two jobs may read sources at once. Cancel returns only once no job is in
// Entries or will call it again; call it before the folders change, then
// Request again. Folders are never followed, only compared and handed back,
// and those of a picture older than the last Request or Cancel never are.
class TTreemapView : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(TTreemapView)

public:
  explicit TTreemapView(QWidget* Parent = nullptr);
  // Cancels, as Cancel.
  ~TTreemapView() override;

  // Taken by each job as it starts.
  TTreemapRenderer FRenderer;
  double FMinSize = 1;  // see TTreemapLayout

  // Shows Root's treemap from Source, laid out again at each size the view
  // takes, until the next Request or Cancel; only while the view is shown.
  // The view and its jobs hold Source till then, and let go of it on this
  // thread. A null Root clears the view. Quiet: the wait for the picture is
  // not shown, as for one that only grows.
  void Request(std::shared_ptr<const TTreemapSource> Source, const void* Root, bool Quiet = false);
  // Returns once no job reads the source any more, and lets go of it: call
  // it before the folders change. The picture stays, without selection and
  // deaf to the mouse, until the next Request's comes.
  void Cancel();
  // Runs the event loop until the picture shown is the last Request's at
  // the view's size, for at most Ms milliseconds; false if it is not by
  // then. True at once with nothing asked for, false once no job is left
  // while the view is hidden.
  bool WaitForImage(int Ms);
  // No picture is being made nor waits to be: what is shown stays as it is.
  bool Idle() const { return !FResizeTimer.isActive() && !FJob.Busy(); }
  // The picture shown and its layout, in the picture's pixels; null when
  // none. The layout goes with the next Request or Cancel, the picture
  // stays until the next one comes.
  QImage Image() const { return FImage; }
  const TTreemapLayout* Layout() const { return FLayout.get(); }
  // The picture shown is the last Request's.
  bool Current() const { return Live(); }
  // The tile under Position, in the widget's coordinates; -1 for none.
  int TileAt(QPointF Position) const;
  // A tile of Layout() in the widget's coordinates.
  QRectF TileRect(int Tile) const;
  // Frames a file, or with NoFile a folder, as selected, in this picture
  // and the next ones; a file not shown on its own frames its folder. The
  // view selects nothing by itself; a null Folder selects nothing.
  void SetSelected(const void* Folder, uint32_t File);
  // The colours of the tiles by their change, for the pictures of the
  // next Request on; none: by their class.
  void SetChangeColors(std::vector<QRgb> Colors) { FRenderer.FChangeColors = std::move(Colors); }
  const std::vector<QRgb>& ChangeColors() const { return FRenderer.FChangeColors; }
  // Lights the file tiles Lit picks, in this picture and the next ones, and
  // dims all others; an empty Lit lights all. Lit is asked on this thread
  // only, for tiles of a picture that is the last Request's.
  void SetHighlight(std::function<bool(const TTreemapTile& Tile)> Lit);
  // The tiles lit, in the order of the layout's; none while all are.
  const std::vector<int>& LitTiles() const { return FLit; }

  // The mouse went onto another tile of Layout(); null: onto none.
  std::function<void(const TTreemapTile* Tile)> OnHover;
  // A left click on a file (its folder and index) or a folder (NoFile).
  std::function<void(const void* Folder, uint32_t File)> OnClick;
  // A double click: the tile's folder, or a file's folder.
  std::function<void(const void* Folder)> OnDblClick;
  // Backspace: the folder above the one shown is wanted.
  std::function<void()> OnParent;

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

private:
  // Starts a job for the view's size, unless the picture or the job
  // running already is for it; a job for anything else stops.
  void Start();
  // A job's picture came: shown when it is still the one asked for.
  void Show(uint64_t Request, const std::shared_ptr<const TTreemapLayout>& Layout, const QImage& Image);
  // The picture is the last request's: its folders may be handed out.
  bool Live() const { return FLayout && FShown == FRequest; }
  QSize PixelSize() const;
  void Hover(QPointF Position);
  void Unhover();
  // Shows whether a picture is being made over the old one, or no longer.
  void SetBusy(bool Busy);
  // Finds the tiles lit and dims the picture around them.
  void Highlight();

  std::shared_ptr<const TTreemapSource> FSource;
  const void* FRoot = nullptr;
  uint64_t FRequest = 0;  // counts the Requests and Cancels
  // Two threads: a new picture can start while one cancelled is still
  // between two checks of its stop.
  TLatestJob FJob{2};
  uint64_t FJobRequest = 0;  // what the last job started is for
  QSize FJobSize;
  QTimer FResizeTimer;
  QTimer FBusyTimer;  // till the wait is shown
  bool FBusy = false;
  bool FQuiet = false;  // the last Request's
  QImage FImage;
  std::shared_ptr<const TTreemapLayout> FLayout;
  uint64_t FShown = 0;  // the request of the picture
  const void* FSelectedFolder = nullptr;
  uint32_t FSelectedFile = TTreemapTile::NoFile;
  int FSelected = -1;  // its tile
  int FHovered = -1;
  std::function<bool(const TTreemapTile& Tile)> FLitBy;
  std::vector<int> FLit;
  QImage FDimmed;                  // the picture with all but the tiles lit dimmed
  QEventLoop* FWaiting = nullptr;  // WaitForImage's, while it runs
};
