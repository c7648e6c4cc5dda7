#include "editor/document/DocumentMap.h"

#include "editor/Translation.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "editor/EventGuard.h"
#include "editor/document/MapPainter.h"
#include "editor/document/PageDrag.h"

namespace pm {

namespace {

const QColor kBackground(236, 239, 243);
// One notch of a common mouse wheel, and the zoom that it makes.
constexpr double kWheelStep = 120;
constexpr double kWheelZoomFactor = 1.25;
// Room kept around the map when it is fitted, and around a card scrolled into view.
constexpr double kFitPadding = 8;
// The least zoom at which the map first shows itself: the cards' numbers stay readable.
constexpr double kReadableZoom = 0.4;
constexpr int kVisiblePadding = 16;
constexpr int kScrollStep = 24;
// The dragged card is shown at this share of its size.
constexpr double kDragPictureScale = 0.6;
// Where the labels of the selected page's straight arrows stand, as a share of the way.
constexpr double kOutLabelAt = 0.72;
constexpr double kInLabelAt = 0.4;

const QImage& NoPicture() {
  static const QImage none;
  return none;
}

}  // namespace

struct TDocumentMap::State {
  std::shared_ptr<const TDocumentSnapshot> snapshot;
  TMapLayout ownLayout;  // for a snapshot that brings no layout of its own
  const TMapLayout* layout = nullptr;
  std::unordered_map<int32_t, size_t> cardOf;  // by page number
  std::optional<int32_t> current;
  std::optional<int32_t> selected;
  double zoom = 1;
  // Whether the zoom follows the area's size: to show the whole map, or as much of it as fits
  // at a readable zoom (the first showing), until the zoom is set.
  enum class TFit { None, Readable, Whole } fit = TFit::Readable;
  // A press on a card that may become a drag, or on the background that pans.
  std::optional<size_t> pressedCard;
  bool panning = false;
  QPointF pressedAt;
  QPoint scrollAtPress;
  TDragStarter dragStarter;

  const TDocumentOverview* Overview() const { return snapshot ? &snapshot->overview : nullptr; }
  std::optional<size_t> IndexOf(std::optional<int32_t> number) const {
    if (!number) return std::nullopt;
    const auto found = cardOf.find(*number);
    if (found == cardOf.end()) return std::nullopt;
    return found->second;
  }
  const QImage& Thumbnail(int32_t number) const {
    const auto found = snapshot->thumbnails.find(number);
    return found == snapshot->thumbnails.end() ? NoPicture() : found->second;
  }
  bool Touches(const TPageArrow& arrow, int32_t number) const {
    return arrow.from == number || arrow.to == number;
  }
};

TDocumentMap::TDocumentMap(QWidget* parent)
    : QAbstractScrollArea(parent), state_(std::make_unique<State>()) {
  setObjectName("DocumentMap");
  setAccessibleName(QCoreApplication::translate("TDocumentMap", kDocumentMapName));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(kScrollStep);
  verticalScrollBar()->setSingleStep(kScrollStep);
}

TDocumentMap::~TDocumentMap() = default;

// Showing.

void TDocumentMap::Show(std::shared_ptr<const TDocumentSnapshot> snapshot) {
  State& state = *state_;
  state.snapshot = std::move(snapshot);
  state.cardOf.clear();
  state.layout = nullptr;
  state.ownLayout = {};
  state.pressedCard.reset();
  if (const TDocumentOverview* overview = state.Overview()) {
    if (state.snapshot->layout.cards.size() == overview->cards.size()) {
      state.layout = &state.snapshot->layout;
    } else {
      state.ownLayout = LayOutMap(*overview);
      state.layout = &state.ownLayout;
    }
    for (size_t i = 0; i < overview->cards.size(); ++i) {
      state.cardOf[overview->cards[i].number] = i;
    }
  }
  if (!state.IndexOf(state.selected)) state.selected.reset();
  FollowAreaSize();
  viewport()->update();
}

std::shared_ptr<const TDocumentSnapshot> TDocumentMap::Snapshot() const { return state_->snapshot; }

void TDocumentMap::SetCurrentPage(std::optional<int32_t> number) {
  state_->current = number;
  viewport()->update();
}

void TDocumentMap::SelectPage(std::optional<int32_t> number) {
  if (const std::optional<size_t> card = state_->IndexOf(number)) {
    Select(*card, false);
    return;
  }
  state_->selected.reset();
  viewport()->update();
}

std::optional<int32_t> TDocumentMap::SelectedPage() const { return state_->selected; }

bool TDocumentMap::AllArrowsDrawn() const {
  return state_->layout == nullptr || state_->layout->allArrows;
}

size_t TDocumentMap::ArrowsDrawn() const {
  const TDocumentOverview* overview = state_->Overview();
  if (overview == nullptr) return 0;
  if (AllArrowsDrawn()) return overview->arrows.size();
  if (!state_->selected) return 0;
  return static_cast<size_t>(std::count_if(
      overview->arrows.begin(), overview->arrows.end(),
      [&](const TPageArrow& arrow) { return state_->Touches(arrow, *state_->selected); }));
}

// Zoom and scrolling.

double TDocumentMap::Zoom() const { return state_->zoom; }

void TDocumentMap::SetZoom(double zoom) {
  state_->fit = State::TFit::None;
  ZoomAround(zoom, QRectF(viewport()->rect()).center());
}

void TDocumentMap::ZoomToFit() {
  state_->fit = State::TFit::Whole;
  FollowAreaSize();
}

void TDocumentMap::FollowAreaSize() {
  State& state = *state_;
  if (state.fit != State::TFit::None && state.layout != nullptr && !state.layout->size.isEmpty()) {
    const QSizeF room = QSizeF(viewport()->size()) - QSizeF(2 * kFitPadding, 2 * kFitPadding);
    const double whole = std::min(room.width() / state.layout->size.width(),
                                  room.height() / state.layout->size.height());
    const double least = state.fit == State::TFit::Whole ? kMinZoom : kReadableZoom;
    state.zoom = std::clamp(whole, least, 1.0);
  }
  UpdateScrollBars();
  viewport()->update();
}

void TDocumentMap::ZoomAround(double zoom, QPointF anchor) {
  if (!std::isfinite(zoom)) return;
  const QPointF point = MapPoint(anchor);
  state_->zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  UpdateScrollBars();
  horizontalScrollBar()->setValue(qRound(point.x() * state_->zoom - anchor.x()));
  verticalScrollBar()->setValue(qRound(point.y() * state_->zoom - anchor.y()));
  viewport()->update();
}

void TDocumentMap::UpdateScrollBars() {
  const QSizeF size = state_->layout != nullptr ? state_->layout->size : QSizeF();
  const QSize view = viewport()->size();
  const auto set = [](QScrollBar* bar, double content, int shown) {
    const double most = std::numeric_limits<int>::max() / 2;
    bar->setRange(0, std::max(0, static_cast<int>(std::ceil(std::min(content, most))) - shown));
    bar->setPageStep(shown);
  };
  set(horizontalScrollBar(), size.width() * state_->zoom, view.width());
  set(verticalScrollBar(), size.height() * state_->zoom, view.height());
}

// A map smaller than the viewport stands in its middle.
QPointF TDocumentMap::Origin() const {
  const QSizeF size = state_->layout != nullptr ? state_->layout->size * state_->zoom : QSizeF();
  const QSize view = viewport()->size();
  const double x = size.width() < view.width() ? (view.width() - size.width()) / 2
                                               : -horizontalScrollBar()->value();
  const double y = size.height() < view.height() ? (view.height() - size.height()) / 2
                                                 : -verticalScrollBar()->value();
  return {x, y};
}

QPointF TDocumentMap::MapPoint(QPointF position) const {
  return (position - Origin()) / state_->zoom;
}

void TDocumentMap::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  RunGuarded([&] { FollowAreaSize(); });
}

void TDocumentMap::scrollContentsBy(int, int) { viewport()->update(); }

// Cards.

std::optional<QRect> TDocumentMap::CardArea(int32_t number) const {
  const std::optional<size_t> card = state_->IndexOf(number);
  if (!card) return std::nullopt;
  const QRectF area = state_->layout->cards[*card];
  const QPointF origin = Origin();
  const double zoom = state_->zoom;
  return QRectF(origin + area.topLeft() * zoom, area.size() * zoom).toAlignedRect();
}

std::optional<size_t> TDocumentMap::CardIndexAt(QPointF position) const {
  if (state_->layout == nullptr) return std::nullopt;
  const QPointF point = MapPoint(position);
  const std::vector<QRectF>& cards = state_->layout->cards;
  for (size_t i = cards.size(); i-- > 0;) {
    if (cards[i].contains(point)) return i;
  }
  return std::nullopt;
}

std::optional<int32_t> TDocumentMap::PageAt(QPoint position) const {
  const std::optional<size_t> card = CardIndexAt(position);
  if (!card) return std::nullopt;
  return state_->Overview()->cards[*card].number;
}

void TDocumentMap::Select(size_t card, bool byPerson) {
  State& state = *state_;
  const int32_t number = state.Overview()->cards[card].number;
  const bool changed = state.selected != number;
  state.selected = number;
  setAccessibleDescription(QCoreApplication::translate("TDocumentMap", "ページ %1").arg(number));
  const QRect area = *CardArea(number);
  const QRect view = viewport()->rect().adjusted(kVisiblePadding, kVisiblePadding, -kVisiblePadding,
                                                 -kVisiblePadding);
  if (!view.contains(area)) {
    const auto scroll = [](QScrollBar* bar, int low, int high, int viewLow, int viewHigh) {
      if (high > viewHigh) bar->setValue(bar->value() + std::min(high - viewHigh, low - viewLow));
      if (low < viewLow) bar->setValue(bar->value() - (viewLow - low));
    };
    scroll(horizontalScrollBar(), area.left(), area.right(), view.left(), view.right());
    scroll(verticalScrollBar(), area.top(), area.bottom(), view.top(), view.bottom());
  }
  viewport()->update();
  if (changed && byPerson) emit PageSelected(number);
}

// The nearest card in the direction of the arrow key, counting a step aside twice.
void TDocumentMap::MoveSelection(int key) {
  const State& state = *state_;
  if (state.layout == nullptr || state.layout->cards.empty()) return;
  const std::optional<size_t> from = state.IndexOf(state.selected);
  if (!from) {
    Select(0, true);
    return;
  }
  const QPointF start = state.layout->cards[*from].center();
  const QPointF direction = key == Qt::Key_Left    ? QPointF(-1, 0)
                            : key == Qt::Key_Right ? QPointF(1, 0)
                            : key == Qt::Key_Up    ? QPointF(0, -1)
                                                   : QPointF(0, 1);
  std::optional<size_t> best;
  double bestScore = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < state.layout->cards.size(); ++i) {
    const QPointF offset = state.layout->cards[i].center() - start;
    const double ahead = QPointF::dotProduct(offset, direction);
    if (ahead <= 0) continue;
    const double aside = std::abs(offset.x() * direction.y() - offset.y() * direction.x());
    const double score = ahead + 2 * aside;
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  if (best) Select(*best, true);
}

// Dragging a card out.

std::unique_ptr<QMimeData> TDocumentMap::DragDataAt(QPoint position) const {
  const std::optional<int32_t> page = PageAt(position);
  if (!page) return nullptr;
  return PageNumberMimeData(*page);
}

void TDocumentMap::SetDragStarter(TDragStarter starter) {
  state_->dragStarter = std::move(starter);
}

void TDocumentMap::StartCardDrag(size_t card) {
  const State& state = *state_;
  const TPageCard& page = state.Overview()->cards[card];
  std::unique_ptr<QMimeData> data = PageNumberMimeData(page.number);
  if (state.dragStarter) {
    state.dragStarter(std::move(data));
    return;
  }
  const double margin = TMapPainter::CardMargin();
  QPixmap picture(QSizeF((kCardWidth + 2 * margin) * kDragPictureScale,
                         (kCardHeight + 2 * margin) * kDragPictureScale)
                      .toSize());
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.scale(kDragPictureScale, kDragPictureScale);
    TMapPainter(painter, font())
        .Card(QRectF(margin, margin, kCardWidth, kCardHeight), page, state.Thumbnail(page.number),
              {});
  }
  auto* drag = new QDrag(this);
  drag->setMimeData(data.release());
  drag->setPixmap(picture);
  drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
  drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
}

// Events.

void TDocumentMap::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  setFocus(Qt::MouseFocusReason);
  RunGuarded([&] {
    State& state = *state_;
    state.pressedAt = event->position();
    state.pressedCard = CardIndexAt(event->position());
    state.panning = !state.pressedCard;
    state.scrollAtPress = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (state.pressedCard) {
      Select(*state.pressedCard, true);
    } else {
      viewport()->setCursor(Qt::ClosedHandCursor);
    }
  });
}

void TDocumentMap::mouseMoveEvent(QMouseEvent* event) {
  RunGuarded([&] {
    State& state = *state_;
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF moved = event->position() - state.pressedAt;
    if (state.panning) {
      horizontalScrollBar()->setValue(state.scrollAtPress.x() - qRound(moved.x()));
      verticalScrollBar()->setValue(state.scrollAtPress.y() - qRound(moved.y()));
      return;
    }
    if (state.pressedCard && moved.manhattanLength() >= QApplication::startDragDistance()) {
      const size_t card = *state.pressedCard;
      state.pressedCard.reset();
      StartCardDrag(card);
    }
  });
}

void TDocumentMap::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  state_->pressedCard.reset();
  state_->panning = false;
  viewport()->unsetCursor();
}

void TDocumentMap::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  RunGuarded([&] {
    const std::optional<size_t> card = CardIndexAt(event->position());
    if (!card) return;
    Select(*card, true);
    emit PageActivated(state_->Overview()->cards[*card].number);
  });
}

void TDocumentMap::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  event->accept();
  const double notches = event->angleDelta().y() / kWheelStep;
  if (notches == 0) return;
  RunGuarded([&] {
    state_->fit = State::TFit::None;
    ZoomAround(state_->zoom * std::pow(kWheelZoomFactor, notches), event->position());
  });
}

void TDocumentMap::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    event->accept();
    if (state_->selected) RunGuarded([&] { emit PageActivated(*state_->selected); });
    return;
  }
  if (plain &&
      (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)) {
    event->accept();
    RunGuarded([&] { MoveSelection(key); });
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool TDocumentMap::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    RunGuarded([&] { ShowToolTip(static_cast<QHelpEvent*>(event)->pos()); });
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

// The card's page and file in full, with what its marks stand for.
void TDocumentMap::ShowToolTip(QPoint position) {
  const std::optional<size_t> index = CardIndexAt(position);
  if (!index) {
    QToolTip::hideText();
    return;
  }
  const TPageCard& card = state_->Overview()->cards[*index];
  QStringList lines;
  lines << tr("ページ %1").arg(card.number) << QString::fromStdString(card.fileName);
  if (card.start) lines << tr("はじめのページ");
  if (card.missing) lines << tr("ファイルがありません");
  if (card.loadFailed) {
    lines << tr("読み込めません");
    for (const TPageOutline& outline : state_->snapshot->outlines) {
      if (outline.number == card.number && outline.loadFailure) {
        lines.back() +=
            QStringLiteral(": ") + QString::fromStdString(TranslatedMessage(*outline.loadFailure));
      }
    }
  }
  if (card.unreachable && !card.missing) lines << tr("はじめのページから辿れません");
  if (card.findings > 0) lines << tr("問題 %1 件").arg(card.findings);
  QToolTip::showText(viewport()->mapToGlobal(position), lines.join(QChar('\n')), viewport());
}

// Painting: the arrows that are laid out under the cards, the cards, then the selected page's
// arrows over them.
void TDocumentMap::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), kBackground);
  const State& state = *state_;
  if (state.layout == nullptr) return;
  try {
    const double zoom = state.zoom;
    painter.translate(Origin());
    painter.scale(zoom, zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom != 1);
    const double margin = TMapPainter::CardMargin();
    const QRectF exposed = painter.transform().inverted().mapRect(QRectF(event->rect()));
    const TDocumentOverview& overview = *state.Overview();
    const TMapLayout& layout = *state.layout;
    TMapPainter parts(painter, font());
    const auto emphasised = [&](const TPageArrow& arrow) {
      return state.selected && state.Touches(arrow, *state.selected);
    };
    if (layout.allArrows) {
      for (size_t i = 0; i < overview.arrows.size(); ++i) {
        const TPageArrow& arrow = overview.arrows[i];
        if (!emphasised(arrow)) parts.Arrow(layout.arrows[i], arrow, ArrowLabel(arrow), false);
      }
    }
    for (size_t i = 0; i < overview.cards.size(); ++i) {
      const QRectF& area = layout.cards[i];
      if (!area.adjusted(-margin, -margin, margin, margin).intersects(exposed)) continue;
      const TPageCard& card = overview.cards[i];
      parts.Card(
          area, card, state.Thumbnail(card.number),
          {.current = state.current == card.number, .selected = state.selected == card.number});
    }
    if (!state.selected) return;
    for (size_t i = 0; i < overview.arrows.size(); ++i) {
      const TPageArrow& arrow = overview.arrows[i];
      if (!emphasised(arrow)) continue;
      // Straight arrows all meet at the selected card: their labels go towards the other
      // cards, those of the arrows out further than those of the arrows in.
      const double labelAt = arrow.from == *state.selected ? kOutLabelAt : kInLabelAt;
      const TMapArrowPath path =
          layout.allArrows ? layout.arrows[i]
                           : StraightArrow(layout.cards[state.cardOf.at(arrow.from)],
                                           layout.cards[state.cardOf.at(arrow.to)], labelAt);
      parts.Arrow(path, arrow, ArrowLabel(arrow), true);
    }
  } catch (...) {
    ReportAfterPaint(std::current_exception());
  }
}

}  // namespace pm
