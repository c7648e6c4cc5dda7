#include "editor/reading/ReadingCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "editor/EventGuard.h"
#include "editor/PagePainting.h"
#include "page/PlaceholderBackground.h"

namespace pm {

namespace {

// The frame around a link that has the keyboard focus: widget pixels of each colour, from the
// link outwards.
const QColor kFocusFrame(255, 212, 0);
const QColor kFocusFrameEdge(0, 0, 0);
constexpr int kFocusFrameWidth = 3;
constexpr int kFocusFrameEdgeWidth = 1;

// A frame `width` pixels wide just outside `inner`, each side a rectangle of its own.
void FillFrameAround(QPainter& painter, const QRect& inner, int width, const QColor& color) {
  const QRect outer = inner.adjusted(-width, -width, width, width);
  painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), color);
  painter.fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), width), color);
  painter.fillRect(QRect(outer.left(), inner.top(), width, inner.height()), color);
  painter.fillRect(QRect(inner.right() + 1, inner.top(), width, inner.height()), color);
}

}  // namespace

TReadingCanvas::TReadingCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("ReadingCanvas");
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
  SetZoom(kActualSizeZoom);
}

TPageViewTransform TReadingCanvas::Transform() const {
  return TPageViewTransform(zoom_, devicePixelRatioF());
}

TPageSize TReadingCanvas::PageSize() const {
  if (pictures_ == nullptr) return {kPlaceholderWidth, kPlaceholderHeight};
  return pictures_->PageSize();
}

void TReadingCanvas::SetZoom(int zoom) {
  zoom_ = TPageViewTransform(zoom).Zoom();
  const QSize size = Transform().WidgetSize(PageSize());
  resize(std::min(size.width(), QWIDGETSIZE_MAX), std::min(size.height(), QWIDGETSIZE_MAX));
  PlaceLinks();
  update();
}

void TReadingCanvas::Clear() {
  for (TReadingLink* link : links_) delete link;
  links_.clear();
  pictures_ = nullptr;
  update();
}

void TReadingCanvas::Show(TPageViewPictures& pictures, const std::vector<TReadLink>& links,
                          bool samePage) {
  const auto* focused = dynamic_cast<const TReadingLink*>(focusWidget());
  const int32_t focusedLink = focused && samePage ? focused->Link().number : -1;
  const bool keyboardFocus = focused && focused->FocusedByKeyboard();
  // The canvas holds the focus while the widgets change hands.
  if (focused) setFocus(Qt::OtherFocusReason);
  pictures_ = &pictures;
  // The widgets of the page shown before stand for the new page's links, in number order, so
  // that a higher number still lies over a lower one; only those missing are made.
  while (links_.size() > links.size()) {
    delete links_.back();
    links_.pop_back();
  }
  for (size_t i = 0; i < links.size(); ++i) {
    if (i < links_.size()) {
      links_[i]->SetLink(links[i]);
      continue;
    }
    const TReadingLink::Listeners listeners{
        .activated =
            [this](int32_t link) {
              if (activated_) activated_(link);
            },
        .litChanged = [this](int32_t link) { UpdateLink(link); },
    };
    links_.push_back(new TReadingLink(links[i], listeners, this));
    links_.back()->show();
  }
  PlaceLinks();
  update();
  if (TReadingLink* again = LinkWidget(focusedLink)) {
    again->setFocus(keyboardFocus ? Qt::TabFocusReason : Qt::OtherFocusReason);
  }
}

TReadingLink* TReadingCanvas::LinkWidget(int32_t link) const {
  const auto found = std::find_if(links_.begin(), links_.end(), [link](const TReadingLink* widget) {
    return widget->Link().number == link;
  });
  return found == links_.end() ? nullptr : *found;
}

void TReadingCanvas::PlaceLinks() {
  const TPageViewTransform transform = Transform();
  for (TReadingLink* link : links_) {
    link->setGeometry(transform.WidgetRect(link->Link().area).toAlignedRect());
  }
}

QRect TReadingCanvas::FramedArea(const TReadingLink& link) const {
  const int margin = kFocusFrameWidth + kFocusFrameEdgeWidth;
  return link.geometry().adjusted(-margin, -margin, margin, margin);
}

void TReadingCanvas::UpdateLink(int32_t link) {
  if (const TReadingLink* widget = LinkWidget(link)) update(FramedArea(*widget));
}

bool TReadingCanvas::focusNextPrevChild(bool next) {
  if (links_.empty()) return QWidget::focusNextPrevChild(next);
  const auto* focused = dynamic_cast<const TReadingLink*>(focusWidget());
  const auto at = std::find(links_.begin(), links_.end(), focused);
  size_t index = 0;
  if (at == links_.end()) {
    index = next ? 0 : links_.size() - 1;
  } else {
    const size_t current = static_cast<size_t>(at - links_.begin());
    index = next ? (current + 1) % links_.size() : (current + links_.size() - 1) % links_.size();
  }
  links_[index]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void TReadingCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRectF exposed = event->rect();
  if (pictures_ == nullptr) {
    painter.fillRect(exposed, palette().color(QPalette::Dark));
    return;
  }
  try {
    const TPageViewTransform transform = Transform();
    // Beside the page (the widget rounds the page's size up to whole pixels); the page itself
    // covers the rest.
    const QRect page = transform.WidgetRect({0, 0, PageSize().width, PageSize().height}).toRect();
    for (const QRect& beside : QRegion(event->rect()).subtracted(page)) {
      painter.fillRect(beside, palette().color(QPalette::Dark));
    }
    PaintBackground(painter, *pictures_, transform, exposed);
    for (const TReadingLink* link : links_) {
      if (!link->Lit()) continue;
      const TReadLink& read = link->Link();
      PaintSlotPicture(painter, *pictures_, transform, read.number, read.record, exposed);
    }
    for (const TReadingLink* link : links_) {
      if (!link->FocusedByKeyboard()) continue;
      const QRect area = link->geometry();
      FillFrameAround(painter, area, kFocusFrameWidth, kFocusFrame);
      FillFrameAround(
          painter,
          area.adjusted(-kFocusFrameWidth, -kFocusFrameWidth, kFocusFrameWidth, kFocusFrameWidth),
          kFocusFrameEdgeWidth, kFocusFrameEdge);
    }
  } catch (...) {
    ReportAfterPaint(std::current_exception());
  }
}

}  // namespace pm
