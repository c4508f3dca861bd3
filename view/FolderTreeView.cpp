// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FolderTreeView.h"

#include "scan/FolderNode.h"
#include "view/AccessibleFactory.h"
#include "view/FolderDelegate.h"
#include "view/FolderModel.h"
#include "view/FolderTreeAccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace {

// A row this near the last one found is reached by stepping from it.
constexpr size_t StepLimit = 256;

}  // namespace

TFolderTreeView::TFolderTreeView(TFolderModel& Model, QWidget* Parent) : QAbstractItemView(Parent), FModel(Model)
{
  // Screen readers hear the tree's rows, not only its top level.
  InstallAccessible<TFolderTreeView, TFolderTreeAccessible>();
  setObjectName("Tree");
  setSelectionMode(SingleSelection);
  setIconSize(QSize(16, 16));
  setContextMenuPolicy(Qt::CustomContextMenu);
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerPixel);
  // One column as wide as its longest label in view: long names scroll
  // sideways. Fitting it to every row instead would measure the label of
  // each of them whenever one changes.
  FFit.setSingleShot(true);
  FFit.setInterval(0);
  connect(&FFit, &QTimer::timeout, this, [this] { FitColumn(); });
  setModel(&Model);
  setItemDelegate(new TFolderDelegate(this));
  // The rows keep their counts; only the row found last is elsewhere now.
  connect(&Model, &QAbstractItemModel::layoutChanged, this, [this] {
    ++FLayout;
    Refit();
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Refit(); });
}

const char* TFolderTreeView::EmptyHint =
  QT_TRANSLATE_NOOP("TFolderTreeView",
                    "No folder scanned yet.\n\nChoose Select Directory to scan a folder, or start Spacelens with "
                    "folders on its command line.");

TFolderNode* TFolderTreeView::CurrentFolder() const
{
  return TFolderModel::NodeOf(currentIndex());
}

bool TFolderTreeView::IsExpanded(const TFolderNode* Node) const
{
  return Node->FExpanded;
}

size_t TFolderTreeView::RowsBelow(const TFolderNode* Node) const
{
  if (!Node->FExpanded)
    return 0;
  const auto Shown = FShown.find(Node);
  return Shown == FShown.end() ? 0 : Shown->second;
}

bool TFolderTreeView::AddRows(const TFolderNode* Node, int64_t Rows)
{
  ++FLayout;
  for (; Node; Node = Node->Parent()) {
    if (!Node->FExpanded)
      return false;
    FShown[Node] += size_t(Rows);
  }
  FRowCount += size_t(Rows);
  return true;
}

void TFolderTreeView::Expand(TFolderNode* Node)
{
  Expand(std::vector<TFolderNode*>{Node});
}

void TFolderTreeView::Expand(const std::vector<TFolderNode*>& Nodes)
{
  // Children first: a folder opened counts the rows of its open children,
  // and adds its own to a parent still closed, which stops the climb there.
  std::vector<TFolderNode*> Opened;
  for (auto Node = Nodes.rbegin(); Node != Nodes.rend(); ++Node) {
    if ((*Node)->FExpanded)
      continue;
    size_t Rows = 0;
    for (const TFolderNode* Child : (*Node)->Children())
      Rows += 1 + RowsBelow(Child);
    (*Node)->FExpanded = true;
    FShown[*Node] = Rows;
    AddRows((*Node)->Parent(), int64_t(Rows));
    Opened.push_back(*Node);
  }
  if (Opened.empty())
    return;
  Changed();
  if (OnExpanded)
    for (auto Node = Opened.rbegin(); Node != Opened.rend(); ++Node)
      OnExpanded(*Node);
}

void TFolderTreeView::Collapse(TFolderNode* Node)
{
  if (!Node->FExpanded)
    return;
  AddRows(Node->Parent(), -int64_t(RowsBelow(Node)));
  Node->FExpanded = false;
  FShown.erase(Node);
  Changed();
}

void TFolderTreeView::Toggle(TFolderNode* Node)
{
  if (Node->FExpanded)
    Collapse(Node);
  else
    Expand(Node);
}

TFolderNode* TFolderTreeView::Next(const TFolderNode* Node) const
{
  if (Node->FExpanded && Node->ChildCount() > 0)
    return Node->Child(0);
  for (; Node; Node = Node->Parent())
    if (const std::vector<TFolderNode*>& Siblings = FModel.RowsOf(Node->Parent()); Node->Index() + 1 < Siblings.size())
      return Siblings[Node->Index() + 1];
  return nullptr;
}

TFolderNode* TFolderTreeView::Previous(const TFolderNode* Node) const
{
  if (Node->Index() == 0)
    return Node->Parent();
  TFolderNode* Above = FModel.RowsOf(Node->Parent())[Node->Index() - 1];
  while (Above->FExpanded && Above->ChildCount() > 0)
    Above = Above->Children().back();
  return Above;
}

TFolderNode* TFolderTreeView::NodeAt(size_t Row) const
{
  if (Row >= FRowCount)
    return nullptr;
  TFolderNode* Node = nullptr;
  if (FHintNode && FHintLayout == FLayout && Row + StepLimit >= FHintRow && Row <= FHintRow + StepLimit) {
    Node = FHintNode;
    for (size_t At = FHintRow; Node && At < Row; ++At)
      Node = Next(Node);
    for (size_t At = FHintRow; Node && At > Row; --At)
      Node = Previous(Node);
  } else {
    // Down from the top, past whole branches.
    const std::vector<TFolderNode*>* Rows = &FModel.RowsOf(nullptr);
    size_t Index = 0;
    for (size_t Left = Row;; --Left) {
      if (Index >= Rows->size())
        return nullptr;
      Node = (*Rows)[Index];
      if (Left == 0)
        break;
      if (const size_t Below = RowsBelow(Node); Left <= Below) {
        Rows = &Node->Children();
        Index = 0;
      } else {
        Left -= Below;
        ++Index;
      }
    }
  }
  FHintNode = Node;
  FHintRow = Row;
  FHintLayout = FLayout;
  return Node;
}

int64_t TFolderTreeView::RowOf(const TFolderNode* Node) const
{
  if (Node == FHintNode && FHintLayout == FLayout)
    return int64_t(FHintRow);
  int64_t Row = 0;
  for (const TFolderNode* At = Node; At; At = At->Parent()) {
    const TFolderNode* Above = At->Parent();
    if (Above && !Above->FExpanded)
      return -1;
    const std::vector<TFolderNode*>& Siblings = FModel.RowsOf(Above);
    for (size_t Index = 0; Index < At->Index(); ++Index)
      Row += 1 + int64_t(RowsBelow(Siblings[Index]));
    if (Above)
      ++Row;
  }
  return Row;
}

int TFolderTreeView::RowHeight() const
{
  if (FRowHeight > 0)
    return FRowHeight;
  const std::vector<TFolderNode*>& Tops = FModel.RowsOf(nullptr);
  if (FRowCount == 0 || Tops.empty())
    return fontMetrics().height() + 4;
  QStyleOptionViewItem Option;
  initViewItemOption(&Option);
  FRowHeight = std::max(1, itemDelegate()->sizeHint(Option, FModel.IndexOf(Tops.front())).height());
  return FRowHeight;
}

int TFolderTreeView::RowsInView() const
{
  return std::max(1, viewport()->height() / RowHeight());
}

int TFolderTreeView::RowAtY(int Y) const
{
  return verticalScrollBar()->value() + std::max(Y, 0) / RowHeight();
}

TFolderNode* TFolderTreeView::ArrowAt(const QPoint& Point) const
{
  if (Point.y() < 0)
    return nullptr;
  TFolderNode* Node = NodeAt(size_t(RowAtY(Point.y())));
  if (!Node || Node->ChildCount() == 0)
    return nullptr;
  const int Left = Indent * int(Node->Depth()) - horizontalOffset();
  return Point.x() >= Left && Point.x() < Left + Indent ? Node : nullptr;
}

void TFolderTreeView::Changed()
{
  // A screen reader's rows are those shown: they are told again.
  if (QAccessible::isActive()) {
    QAccessibleTableModelChangeEvent Event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&Event);
  }
  updateGeometries();
  viewport()->update();
  Refit();
}

void TFolderTreeView::Refit()
{
  // Once however many changes come before the next turn of the event loop.
  if (!FFit.isActive())
    FFit.start();
}

QRect TFolderTreeView::visualRect(const QModelIndex& Index) const
{
  const TFolderNode* Node = TFolderModel::NodeOf(Index);
  const int64_t Row = Node ? RowOf(Node) : -1;
  if (Row < 0)
    return {};
  const int Height = RowHeight();
  const int Left = Indent * int(Node->Depth() + 1);
  const int64_t Top = (Row - verticalScrollBar()->value()) * Height;
  return QRect(Left - horizontalOffset(), int(std::clamp<int64_t>(Top, INT_MIN / 2, INT_MAX / 2)),
               std::max(FColumnWidth - Left, Indent), Height);
}

void TFolderTreeView::scrollTo(const QModelIndex& Index, ScrollHint Hint)
{
  TFolderNode* Node = TFolderModel::NodeOf(Index);
  if (!Node)
    return;
  // The folders above it open, as for a user going there.
  std::vector<TFolderNode*> Closed;
  for (TFolderNode* Above = Node->Parent(); Above; Above = Above->Parent())
    if (!Above->FExpanded)
      Closed.insert(Closed.begin(), Above);
  Expand(Closed);
  updateGeometries();
  const int64_t Row = RowOf(Node), First = verticalScrollBar()->value(), Rows = RowsInView();
  int64_t Value = First;
  switch (Hint) {
    case PositionAtTop: Value = Row; break;
    case PositionAtBottom: Value = Row - Rows + 1; break;
    case PositionAtCenter: Value = Row - Rows / 2; break;
    case EnsureVisible:
      if (Row < First)
        Value = Row;
      else if (Row >= First + Rows)
        Value = Row - Rows + 1;
      break;
  }
  verticalScrollBar()->setValue(int(std::clamp<int64_t>(Value, 0, INT_MAX)));
  // Sideways, its arrow and the start of its label in view, in a column
  // wide enough for the rows now in view.
  FitColumn();
  const int Left = Indent * int(Node->Depth());
  if (Left < horizontalOffset() || Left + 2 * Indent > horizontalOffset() + viewport()->width())
    horizontalScrollBar()->setValue(Left);
}

QModelIndex TFolderTreeView::indexAt(const QPoint& Point) const
{
  if (Point.y() < 0)
    return {};
  return FModel.IndexOf(NodeAt(size_t(RowAtY(Point.y()))));
}

void TFolderTreeView::reset()
{
  // A new model, or a model told to forget its rows: nothing is open.
  QAbstractItemView::reset();
  if (model())
    for (TFolderNode* Top : FModel.RowsOf(nullptr))
      TFolderNode::ForEachBelow(Top, [](TFolderNode* Node) {
        const bool Open = Node->FExpanded;
        Node->FExpanded = false;
        return Open;
      });
  FShown.clear();
  FRowCount = model() ? FModel.RowsOf(nullptr).size() : 0;
  ++FLayout;
  Changed();
}

void TFolderTreeView::doItemsLayout()
{
  ++FLayout;
  QAbstractItemView::doItemsLayout();
}

QModelIndex TFolderTreeView::moveCursor(CursorAction Action, Qt::KeyboardModifiers)
{
  TFolderNode* Node = CurrentFolder();
  if (!Node)
    return FModel.IndexOf(NodeAt(0));
  // From a row hidden in a closed folder, that folder is where the cursor is.
  for (TFolderNode* Above = Node->Parent(); Above; Above = Above->Parent())
    if (!Above->FExpanded)
      Node = Above;
  const auto Near = [this, Node](int64_t Rows) {
    const int64_t Row = std::clamp<int64_t>(RowOf(Node) + Rows, 0, int64_t(FRowCount) - 1);
    return NodeAt(size_t(Row));
  };
  switch (Action) {
    case MoveUp:
    case MovePrevious:
      if (TFolderNode* Above = Previous(Node))
        Node = Above;
      break;
    case MoveDown:
    case MoveNext:
      if (TFolderNode* Below = Next(Node))
        Node = Below;
      break;
    case MovePageUp: Node = Near(-RowsInView()); break;
    case MovePageDown: Node = Near(RowsInView()); break;
    case MoveHome: Node = NodeAt(0); break;
    case MoveEnd: Node = NodeAt(FRowCount - 1); break;
    case MoveLeft:
      if (Node->FExpanded && Node->ChildCount() > 0)
        Collapse(Node);
      else if (Node->Parent())
        Node = Node->Parent();
      break;
    case MoveRight:
      if (Node->ChildCount() == 0)
        break;
      if (Node->FExpanded)
        Node = Node->Child(0);
      else
        Expand(Node);
      break;
  }
  return FModel.IndexOf(Node);
}

int TFolderTreeView::horizontalOffset() const
{
  return horizontalScrollBar()->value();
}

int TFolderTreeView::verticalOffset() const
{
  return verticalScrollBar()->value() * RowHeight();
}

bool TFolderTreeView::isIndexHidden(const QModelIndex&) const
{
  return false;
}

void TFolderTreeView::setSelection(const QRect& Rect, QItemSelectionModel::SelectionFlags Command)
{
  QItemSelection Selection;
  TFolderNode* Node = NodeAt(size_t(RowAtY(Rect.top())));
  for (int Row = RowAtY(Rect.top()); Node && Row <= RowAtY(Rect.bottom()); ++Row, Node = Next(Node))
    Selection.select(FModel.IndexOf(Node), FModel.IndexOf(Node));
  selectionModel()->select(Selection, Command);
}

QRegion TFolderTreeView::visualRegionForSelection(const QItemSelection& Selection) const
{
  QRegion Region;
  for (const QItemSelectionRange& Range : Selection)
    for (const QModelIndex& Index : Range.indexes())
      Region += visualRect(Index);
  return Region;
}

void TFolderTreeView::updateGeometries()
{
  const int Rows = RowsInView();
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setPageStep(Rows);
  verticalScrollBar()->setRange(0, int(std::clamp<int64_t>(int64_t(FRowCount) - Rows, 0, INT_MAX)));
  horizontalScrollBar()->setSingleStep(Indent);
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setRange(0, std::max(0, FColumnWidth - viewport()->width()));
  QAbstractItemView::updateGeometries();
}

void TFolderTreeView::scrollContentsBy(int, int)
{
  viewport()->update();
  updateEditorGeometries();
}

void TFolderTreeView::dataChanged(const QModelIndex&, const QModelIndex&, const QList<int>&)
{
  // Only the rows in view are drawn again, whichever rows changed.
  viewport()->update();
  Refit();
}

void TFolderTreeView::rowsInserted(const QModelIndex& Parent, int First, int Last)
{
  const TFolderNode* Above = TFolderModel::NodeOf(Parent);
  const std::vector<TFolderNode*>& Rows = FModel.RowsOf(Above);
  size_t Added = 0;
  for (int Row = First; Row <= Last; ++Row)
    Added += 1 + RowsBelow(Rows[size_t(Row)]);
  // A scan adds rows to many closed folders: those change nothing shown.
  // The scroll bars follow once the column is fitted.
  if (AddRows(Above, int64_t(Added))) {
    viewport()->update();
    Refit();
  }
  QAbstractItemView::rowsInserted(Parent, First, Last);
}

void TFolderTreeView::rowsAboutToBeRemoved(const QModelIndex& Parent, int First, int Last)
{
  const TFolderNode* Above = TFolderModel::NodeOf(Parent);
  const std::vector<TFolderNode*>& Rows = FModel.RowsOf(Above);
  size_t Gone = 0;
  for (int Row = First; Row <= Last; ++Row) {
    Gone += 1 + RowsBelow(Rows[size_t(Row)]);
    // The counts of the open folders that go. Those hidden in closed ones
    // are left, unread: a count is read only while its folder is open, and
    // a folder made later in the same memory starts closed.
    TFolderNode::ForEachBelow(Rows[size_t(Row)], [this](TFolderNode* Node) {
      FShown.erase(Node);
      return Node->FExpanded;
    });
  }
  if (AddRows(Above, -int64_t(Gone))) {
    viewport()->update();
    Refit();
  }
  QAbstractItemView::rowsAboutToBeRemoved(Parent, First, Last);
}

void TFolderTreeView::paintEvent(QPaintEvent* Event)
{
  QPainter Painter(viewport());
  if (FRowCount == 0) {
    Painter.setPen(palette().color(QPalette::PlaceholderText));
    Painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, tr(EmptyHint));
    return;
  }
  const int Height = RowHeight(), Offset = horizontalOffset();
  const QRect Area = Event->rect();
  const int FirstInArea = std::max(Area.top(), 0) / Height;
  QStyleOptionViewItem Option;
  initViewItemOption(&Option);
  Option.state &= ~QStyle::State_HasFocus;
  const QModelIndex Current = currentIndex();
  int Y = FirstInArea * Height;
  for (TFolderNode* Node = NodeAt(size_t(verticalScrollBar()->value() + FirstInArea)); Node && Y <= Area.bottom();
       Node = Next(Node), Y += Height) {
    const int Left = Indent * int(Node->Depth()) - Offset;
    if (Node->ChildCount() > 0) {
      QStyleOption Arrow;
      Arrow.initFrom(this);
      Arrow.rect = QRect(Left, Y, Indent, Height);
      Arrow.state |= QStyle::State_Item | QStyle::State_Children;
      if (Node->FExpanded)
        Arrow.state |= QStyle::State_Open;
      style()->drawPrimitive(QStyle::PE_IndicatorBranch, &Arrow, &Painter, this);
    }
    const QModelIndex Index = FModel.IndexOf(Node);
    QStyleOptionViewItem Item = Option;
    Item.rect = QRect(Left + Indent, Y, std::max(FColumnWidth - Offset - Left - Indent, Indent), Height);
    if (selectionModel()->isSelected(Index))
      Item.state |= QStyle::State_Selected;
    if (Index == Current && hasFocus())
      Item.state |= QStyle::State_HasFocus;
    itemDelegate()->paint(&Painter, Item, Index);
  }
}

void TFolderTreeView::mousePressEvent(QMouseEvent* Event)
{
  if (TFolderNode* Node = Event->button() == Qt::LeftButton ? ArrowAt(Event->position().toPoint()) : nullptr) {
    Toggle(Node);
    return;
  }
  QAbstractItemView::mousePressEvent(Event);
}

void TFolderTreeView::mouseDoubleClickEvent(QMouseEvent* Event)
{
  // A second click on an arrow turns it back, as a second single click would.
  if (ArrowAt(Event->position().toPoint())) {
    mousePressEvent(Event);
    return;
  }
  QAbstractItemView::mouseDoubleClickEvent(Event);
  if (TFolderNode* Node = TFolderModel::NodeOf(indexAt(Event->position().toPoint()));
      Node && Node->ChildCount() > 0 && state() != EditingState)
    Toggle(Node);
}

void TFolderTreeView::keyPressEvent(QKeyEvent* Event)
{
  TFolderNode* Node = CurrentFolder();
  if (Node && Event->key() == Qt::Key_Plus)
    Expand(Node);
  else if (Node && Event->key() == Qt::Key_Minus)
    Collapse(Node);
  else
    QAbstractItemView::keyPressEvent(Event);
}

void TFolderTreeView::changeEvent(QEvent* Event)
{
  if (Event->type() == QEvent::FontChange || Event->type() == QEvent::StyleChange)
    FRowHeight = 0;
  QAbstractItemView::changeEvent(Event);
}

void TFolderTreeView::FitColumn()
{
  // Grows only, so the column does not jump while the view scrolls.
  if (FRowCount == 0) {
    FColumnWidth = viewport()->width();
  } else {
    QStyleOptionViewItem Option;
    initViewItemOption(&Option);
    int Rows = RowsInView() + 1;
    for (TFolderNode* Node = NodeAt(size_t(verticalScrollBar()->value())); Node && Rows-- > 0; Node = Next(Node))
      FColumnWidth = std::max(
        FColumnWidth, Indent * int(Node->Depth() + 1) + itemDelegate()->sizeHint(Option, FModel.IndexOf(Node)).width());
  }
  updateGeometries();
  viewport()->update();
}
