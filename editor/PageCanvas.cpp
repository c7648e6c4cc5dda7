#include "editor/PageCanvas.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "editor/EventGuard.h"
#include "editor/PagePainting.h"

namespace pm {

namespace {

// Widget pixels: how far from a handle's centre a press still takes it, the handle's size, and
// how far the pointer must go before a press on a link or handle becomes a drag.
constexpr double kHandleReach = 5;
constexpr double kHandleSize = 7;
constexpr int kDragStartDistance = 3;
// Room around a link's area for its pen and handles, and the most that its number takes.
constexpr double kPaintMargin = 6;
constexpr QSizeF kNumberRoom{48, 20};
constexpr double kNumberPadding = 2;
constexpr int kWheelStep = 120;  // one notch of a common mouse wheel
constexpr int kNudgeStep = 1;
constexpr int kShiftNudgeStep = 10;

// Opaque colours only: the painter blends a translucent line many times slower.
const QColor kOutlineDark(0, 0, 0);
const QColor kOutlineLight(255, 255, 255);
const QColor kHighlight(255, 120, 0);
const QColor kNumberBackground(48, 48, 48);

struct THandle {
  unsigned sides;
  QPointF centre;
};

// The eight handles of an area, corners first, so that a corner wins where handles overlap.
std::array<THandle, 8> HandlesOf(const QRectF& area) {
  const QPointF centre = area.center();
  return {{{kLeftSide | kTopSide, area.topLeft()},
           {kRightSide | kTopSide, area.topRight()},
           {kLeftSide | kBottomSide, area.bottomLeft()},
           {kRightSide | kBottomSide, area.bottomRight()},
           {kTopSide, {centre.x(), area.top()}},
           {kBottomSide, {centre.x(), area.bottom()}},
           {kLeftSide, {area.left(), centre.y()}},
           {kRightSide, {area.right(), centre.y()}}}};
}

Qt::CursorShape CursorForSides(unsigned sides) {
  const bool horizontal = sides & (kLeftSide | kRightSide);
  const bool vertical = sides & (kTopSide | kBottomSide);
  if (horizontal && vertical) {
    const bool falling =
        (sides & kLeftSide) == 0 ? (sides & kBottomSide) != 0 : (sides & kTopSide) != 0;
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

// The area around a link's shape that its painting may touch.
QRectF PaintedArea(const QRectF& area) {
  return area.adjusted(-kPaintMargin, -kPaintMargin, kPaintMargin, kPaintMargin)
      .united(QRectF(area.topLeft(), kNumberRoom));
}

}  // namespace

TPageCanvas::TPageCanvas(TPage& page, TPageViewPictures& pictures, QUndoStack& history,
                         TLinkEditTarget& target, QWidget* parent)
    : QWidget(parent), page_(page), pictures_(pictures), history_(history), target_(target) {
  setObjectName("PageCanvas");
  setAccessibleName(QCoreApplication::translate("TPageCanvas", kPageCanvasName));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  PageSizeChanged();
}

TPageViewTransform TPageCanvas::Transform() const {
  return TPageViewTransform(zoom_, devicePixelRatioF());
}

void TPageCanvas::SetZoom(int zoom) {
  zoom_ = TPageViewTransform(zoom).Zoom();
  PageSizeChanged();
}

void TPageCanvas::PageSizeChanged() {
  const QSize size = Transform().WidgetSize(PageSize());
  resize(std::min(size.width(), QWIDGETSIZE_MAX), std::min(size.height(), QWIDGETSIZE_MAX));
  update();
}

void TPageCanvas::SetSlotPicturesShown(bool shown) {
  slotPicturesShown_ = shown;
  update();
}

TLinkRecord TPageCanvas::ShownLink(int32_t link) const {
  if (drag_ && drag_->link == link && drag_->shape) return *drag_->shape;
  return page_.Link(link);
}

int32_t TPageCanvas::HighlightedLink() const { return drag_ ? drag_->link : page_.CurrentLink(); }

void TPageCanvas::Submit(TLinkEditKind kind, int32_t link, const TLinkRecord& after) {
  const TLinkRecord before = page_.Link(link);
  if (!LinkEditChanges(kind, before, after)) return;
  const int run = kind == TLinkEditKind::Nudge ? nudgeRun_ : 0;
  history_.push(new TLinkEditCommand(target_, kind, link, before, after, run));
}

void TPageCanvas::CancelDrag() {
  if (!drag_) return;
  drag_.reset();
  update();  // the current link is the highlighted one again
  if (listeners_.draggedLinkChanged) listeners_.draggedLinkChanged();
}

// Pointing.

std::optional<QRectF> TPageCanvas::WidgetArea(const TLinkRecord& link) const {
  if (!link.HasRectangle()) return std::nullopt;
  const std::optional<TPageRect> shown = ShownRect(link, PageSize());
  if (!shown) return std::nullopt;
  return Transform().WidgetRect(*shown);
}

TPageCanvas::THit TPageCanvas::HitAt(QPointF position) const {
  const int32_t current = page_.CurrentLink();
  if (const std::optional<QRectF> area = WidgetArea(page_.Link(current))) {
    for (const THandle& handle : HandlesOf(*area)) {
      if (std::abs(position.x() - handle.centre.x()) <= kHandleReach &&
          std::abs(position.y() - handle.centre.y()) <= kHandleReach) {
        return {THit::Handle, current, handle.sides};
      }
    }
  }
  if (const std::optional<int32_t> link = LinkAt(position)) return {THit::Link, *link};
  return {};
}

std::optional<int32_t> TPageCanvas::LinkAt(QPointF position) const {
  // Links are drawn in number order: the highest-numbered one under the pointer is on top.
  const TPagePoint point = Transform().PageAt(position);
  for (int32_t link = kLinkCount - 1; link >= 0; --link) {
    const TLinkRecord& record = page_.Link(link);
    if (record.HasRectangle() && LinkContains(record, point)) return link;
  }
  return std::nullopt;
}

std::optional<int32_t> TPageCanvas::LinkForNewRectangle() const {
  if (!page_.Link(page_.CurrentLink()).HasRectangle()) return page_.CurrentLink();
  for (int32_t link = 0; link < kLinkCount; ++link) {
    if (!page_.Link(link).HasRectangle()) return link;
  }
  return std::nullopt;
}

void TPageCanvas::StartDrag(const THit& hit, QPointF position) {
  TDrag drag;
  drag.pressedAt = Transform().PageAt(position);
  drag.pressedPosition = position;
  switch (hit.what) {
    case THit::Handle:
      drag.kind = TDragKind::Resize;
      drag.link = hit.link;
      drag.sides = hit.sides;
      break;
    case THit::Link:
      target_.SelectLink(hit.link);
      drag.kind = TDragKind::Move;
      drag.link = hit.link;
      break;
    case THit::Nothing: {
      const std::optional<int32_t> free = LinkForNewRectangle();
      if (!free) {
        if (listeners_.message)
          listeners_.message(QCoreApplication::translate("TPageCanvas", kEveryLinkTakenMessage));
        return;
      }
      drag.kind = TDragKind::Draw;
      drag.link = *free;
      drag.started = true;  // the shortest drawing is measured in page pixels
      break;
    }
  }
  drag.start = page_.Link(drag.link);
  drag_ = drag;
  update();
}

void TPageCanvas::FollowDrag(QPointF position) {
  TDrag& drag = *drag_;
  if (!drag.started) {
    if ((position - drag.pressedPosition).manhattanLength() < kDragStartDistance) return;
    drag.started = true;
  }
  const TPagePoint at = Transform().PageAt(position);
  const int64_t dx = at.x - drag.pressedAt.x;
  const int64_t dy = at.y - drag.pressedAt.y;
  std::optional<TLinkRecord> shape;
  switch (drag.kind) {
    case TDragKind::Draw:
      shape = Drawn(drag.start, drag.pressedAt, at, PageSize());
      break;
    case TDragKind::Move:
      shape = Moved(drag.start, dx, dy, PageSize());
      break;
    case TDragKind::Resize:
      shape = SidesMoved(drag.start, drag.sides, dx, dy, PageSize());
      break;
  }
  if (shape == drag.shape) return;
  UpdateAround(drag.shape);
  drag.shape = shape;
  UpdateAround(drag.shape);
  if (listeners_.draggedLinkChanged) listeners_.draggedLinkChanged();
}

void TPageCanvas::FinishDrag() {
  const TDrag drag = *drag_;
  drag_.reset();
  update();
  if (listeners_.draggedLinkChanged) listeners_.draggedLinkChanged();
  if (!drag.shape) return;
  const TLinkEditKind kind = drag.kind == TDragKind::Draw   ? TLinkEditKind::Draw
                             : drag.kind == TDragKind::Move ? TLinkEditKind::Move
                                                            : TLinkEditKind::Resize;
  Submit(kind, drag.link, *drag.shape);
}

void TPageCanvas::UpdateAround(const std::optional<TLinkRecord>& shape) {
  if (!shape) return;
  if (const std::optional<QRectF> area = WidgetArea(*shape)) {
    update(PaintedArea(*area).toAlignedRect());
  }
}

void TPageCanvas::Nudge(int key, Qt::KeyboardModifiers modifiers) {
  const int32_t link = page_.CurrentLink();
  const TLinkRecord& record = page_.Link(link);
  if (!record.HasRectangle()) {
    if (listeners_.message) {
      listeners_.message(
          QCoreApplication::translate("TPageCanvas", "リンク %1 には矩形がありません").arg(link));
    }
    return;
  }
  const int64_t across = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
  const int64_t down = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
  const int64_t step = (modifiers & Qt::ShiftModifier) ? kShiftNudgeStep : kNudgeStep;
  // Ctrl moves the right or bottom edge alone, always by one pixel.
  const TLinkRecord nudged = (modifiers & Qt::ControlModifier)
                                 ? EndsMoved(record, across, down, PageSize())
                                 : Moved(record, across * step, down * step, PageSize());
  Submit(TLinkEditKind::Nudge, link, nudged);
}

// Events.

bool TPageCanvas::event(QEvent* event) {
  if (event->type() == CancelModeEventType()) {
    CancelDrag();
    return true;
  }
  return QWidget::event(event);
}

void TPageCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  // A drag whose release never came (an error box took the mouse meanwhile) ends here.
  CancelDrag();
  setFocus(Qt::MouseFocusReason);
  EndNudgeRun();
  RunGuarded([&] { StartDrag(HitAt(event->position()), event->position()); });
}

void TPageCanvas::mouseMoveEvent(QMouseEvent* event) {
  RunGuarded([&] {
    const TPagePoint at = Transform().PageAt(event->position());
    const TPageSize page = PageSize();
    const bool onPage = at.x >= 0 && at.y >= 0 && at.x < page.width && at.y < page.height;
    if (listeners_.pointerMoved) listeners_.pointerMoved(onPage ? std::optional(at) : std::nullopt);
    if (drag_) {
      FollowDrag(event->position());
      return;
    }
    const THit hit = HitAt(event->position());
    setCursor(hit.what == THit::Handle ? CursorForSides(hit.sides)
              : hit.what == THit::Link ? Qt::SizeAllCursor
                                       : Qt::CrossCursor);
  });
}

void TPageCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !drag_) {
    event->ignore();
    return;
  }
  RunGuarded([&] {
    FollowDrag(event->position());
    FinishDrag();
  });
}

void TPageCanvas::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool arrow =
      key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  // Alt with an arrow belongs to the window (the pages opened before and after this one).
  if (arrow && !(event->modifiers() & Qt::AltModifier)) {
    event->accept();
    if (!drag_) RunGuarded([&] { Nudge(key, event->modifiers()); });
    return;
  }
  if (key == Qt::Key_Escape && drag_) {
    event->accept();
    CancelDrag();
    return;
  }
  // A modifier on its way to an arrow key doesn't end a run of nudges; any other key does.
  const bool modifier = key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Control ||
                        key == Qt::Key_Meta || key == Qt::Key_AltGr;
  if (!modifier) EndNudgeRun();
  QWidget::keyPressEvent(event);
}

void TPageCanvas::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  event->accept();
  const int steps = event->angleDelta().y() / kWheelStep;
  if (steps != 0 && listeners_.wheelZoom) {
    RunGuarded([&] { listeners_.wheelZoom(event->position(), steps); });
  }
}

void TPageCanvas::leaveEvent(QEvent* event) {
  if (listeners_.pointerMoved) listeners_.pointerMoved(std::nullopt);
  QWidget::leaveEvent(event);
}

// Painting.

void TPageCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRectF exposed = event->rect();
  // Beside the page (the widget rounds the page's size up to whole pixels).
  painter.fillRect(exposed, palette().color(QPalette::Dark));
  try {
    PaintBackground(painter, pictures_, Transform(), exposed);
    const int32_t highlighted = HighlightedLink();
    for (int32_t link = 0; link < kLinkCount; ++link) {
      PaintLink(painter, link, ShownLink(link), exposed, link == highlighted);
    }
    // The current link stands out over everything else.
    if (const std::optional<QRectF> area = WidgetArea(ShownLink(highlighted))) {
      PaintOutline(painter, *area, true);
      PaintNumber(painter, highlighted, *area, true);
      PaintHandles(painter, *area);
    }
  } catch (...) {
    ReportAfterPaint(std::current_exception());
  }
}

void TPageCanvas::PaintLink(QPainter& painter, int32_t link, const TLinkRecord& shown,
                            const QRectF& exposed, bool highlighted) {
  const std::optional<QRectF> area = WidgetArea(shown);
  if (!area || !PaintedArea(*area).intersects(exposed)) return;
  if (slotPicturesShown_) PaintSlotPicture(painter, pictures_, Transform(), link, shown, exposed);
  if (highlighted) return;
  PaintOutline(painter, *area, false);
  PaintNumber(painter, link, *area, false);
}

void TPageCanvas::PaintOutline(QPainter& painter, const QRectF& area, bool highlighted) {
  // Whole widget pixels, each side filled as a rectangle of its own: the fastest way to draw.
  const QRect outline(QPoint(qRound(area.left()), qRound(area.top())),
                      QPoint(std::max(qRound(area.right()), qRound(area.left()) + 1) - 1,
                             std::max(qRound(area.bottom()), qRound(area.top()) + 1) - 1));
  const auto frame = [&](const QRect& frame, const QColor& color) {
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), color);
    painter.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), color);
    painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), color);
    painter.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), color);
  };
  if (highlighted) {
    frame(outline, kHighlight);
    frame(outline.adjusted(-1, -1, 1, 1), kHighlight);
    return;
  }
  frame(outline, kOutlineDark);
  if (outline.width() > 2 && outline.height() > 2)
    frame(outline.adjusted(1, 1, -1, -1), kOutlineLight);
}

const QStaticText& TPageCanvas::NumberText(int32_t link) {
  std::optional<QStaticText>& text = numberTexts_[static_cast<size_t>(link)];
  if (!text) {
    text.emplace(QString::number(link));
    text->prepare(QTransform(), font());
  }
  return *text;
}

void TPageCanvas::PaintNumber(QPainter& painter, int32_t link, const QRectF& area,
                              bool highlighted) {
  const QStaticText& text = NumberText(link);
  const QRectF box(area.topLeft(), text.size() + QSizeF(2 * kNumberPadding, 0));
  painter.fillRect(box, highlighted ? kHighlight : kNumberBackground);
  painter.setPen(Qt::white);
  painter.drawStaticText(box.topLeft() + QPointF(kNumberPadding, 0), text);
}

void TPageCanvas::PaintHandles(QPainter& painter, const QRectF& area) {
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::white);
  const int half = static_cast<int>(kHandleSize) / 2;
  for (const THandle& handle : HandlesOf(area)) {
    const QPoint centre = handle.centre.toPoint();
    painter.drawRect(QRect(centre - QPoint(half, half), centre + QPoint(half, half)));
  }
}

}  // namespace pm
