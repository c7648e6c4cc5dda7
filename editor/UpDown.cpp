#include "editor/UpDown.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "editor/EventGuard.h"
#include "editor/MouseCapture.h"

namespace pm {

namespace {

constexpr QSize kPreferredSize(15, 22);
constexpr int kArrowMargin = 2;

}  // namespace

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  connect(&repeatTimer_, &QTimer::timeout, this, [this] { Repeat(); });
}

void TUpDown::SetMin(int16_t min) {
  min_ = min;
  value_ = WithinRange(value_);
}

void TUpDown::SetMax(int16_t max) {
  max_ = max;
  value_ = WithinRange(value_);
}

int16_t TUpDown::Position() {
  position_ = value_;
  return position_;
}

void TUpDown::SetPosition(int16_t position) {
  if (position == position_) return;
  position_ = position;
  value_ = WithinRange(position);
}

QSize TUpDown::sizeHint() const { return kPreferredSize; }

// ---- Stepping ----

int16_t TUpDown::WithinRange(int32_t value) const {
  const int32_t low = std::min(min_, max_);
  const int32_t high = std::max(min_, max_);
  return static_cast<int16_t>(std::clamp(value, low, high));
}

int16_t TUpDown::SteppedValue(Arrow arrow) const {
  const int64_t low = std::min(min_, max_);
  const int64_t high = std::max(min_, max_);
  const int64_t step = arrow == Arrow::Up ? int64_t{increment_} : -int64_t{increment_};
  const int64_t next = int64_t{value_} + step;
  if (next > high) return static_cast<int16_t>(wrap_ ? low : high);
  if (next < low) return static_cast<int16_t>(wrap_ ? high : low);
  return static_cast<int16_t>(next);
}

void TUpDown::Step(Arrow arrow) {
  value_ = SteppedValue(arrow);
  if (value_ != position_) {
    const TUDBtnType button = value_ > position_ ? TUDBtnType::btNext : TUDBtnType::btPrev;
    // A copy: the handler may give the spin button another handler while it runs.
    const ClickHandler handler = onClick_;
    if (handler) RunGuarded([&] { handler(*this, button); });
  }
  position_ = value_;
}

// ---- The mouse ----

TUpDown::Arrow TUpDown::ArrowAt(QPoint point) const {
  if (ArrowRect(Arrow::Up).contains(point)) return Arrow::Up;
  if (ArrowRect(Arrow::Down).contains(point)) return Arrow::Down;
  return Arrow::None;
}

QRect TUpDown::ArrowRect(Arrow arrow) const {
  const int upperHeight = height() / 2;
  if (arrow == Arrow::Up) return QRect(0, 0, width(), upperHeight);
  return QRect(0, upperHeight, width(), height() - upperHeight);
}

void TUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || held_ != Arrow::None) return;
  const Arrow arrow = ArrowAt(event->position().toPoint());
  if (arrow != Arrow::None) Press(arrow);
}

void TUpDown::mouseMoveEvent(QMouseEvent* event) {
  if (held_ == Arrow::None) return;
  const bool over = ArrowAt(event->position().toPoint()) == held_;
  if (over == overHeld_) return;
  overHeld_ = over;
  update();
}

void TUpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Release();
}

// The first step comes with the press; after the platform's delay the held arrow repeats at the
// platform's pace, one step each time, for as long as the mouse stays on it.
void TUpDown::Press(Arrow arrow) {
  held_ = arrow;
  overHeld_ = true;
  SetMouseCapture(this);
  update();
  Step(arrow);
  if (held_ == Arrow::None) return;  // a failed step has cancelled the press
  repeatTimer_.start(
      style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, this));
}

void TUpDown::Repeat() {
  if (held_ == Arrow::None) return;
  repeatTimer_.setInterval(
      style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, this));
  if (overHeld_) Step(held_);
}

void TUpDown::Release() {
  repeatTimer_.stop();
  if (held_ == Arrow::None) return;
  held_ = Arrow::None;
  overHeld_ = false;
  ReleaseMouseCapture(this);
  update();
}

bool TUpDown::event(QEvent* event) {
  if (event->type() == CancelModeEventType()) {
    Release();
    return true;
  }
  return QWidget::event(event);
}

void TUpDown::hideEvent(QHideEvent* event) {
  Release();
  QWidget::hideEvent(event);
}

void TUpDown::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) Release();
  QWidget::changeEvent(event);
}

// ---- Painting ----

void TUpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintArrow(painter, Arrow::Up);
  PaintArrow(painter, Arrow::Down);
}

void TUpDown::PaintArrow(QPainter& painter, Arrow arrow) {
  QStyleOptionButton button;
  button.initFrom(this);
  button.rect = ArrowRect(arrow);
  const bool sunken = held_ == arrow && overHeld_;
  button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);

  QStyleOption indicator;
  indicator.initFrom(this);
  indicator.rect = button.rect.adjusted(kArrowMargin, kArrowMargin, -kArrowMargin, -kArrowMargin);
  const auto primitive =
      arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
  style()->drawPrimitive(primitive, &indicator, &painter, this);
}

}  // namespace pm
