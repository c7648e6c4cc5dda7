#include "tests/editor/PageViewDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "editor/PageViewOpener.h"

namespace pm::test {

void PageViewDriver::Open() {
  ActivateMainWindow();
  window_.Edit7->setFocus();
  QTest::keyClick(window_.Edit7, Qt::Key_L, Qt::ControlModifier);
  ASSERT_NE(window_.PageViewOpener().View(), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&View()));
}

void PageViewDriver::Activate() {
  View().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&View()));
}

void PageViewDriver::ActivateMainWindow() {
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
}

TPageView& PageViewDriver::View() const { return *window_.PageViewOpener().View(); }

TPageCanvas* PageViewDriver::Canvas() const {
  for (auto* widget : View().findChildren<TPageCanvas*>()) {
    if (widget->accessibleName() == QString::fromUtf8("ページ")) return widget;
  }
  return nullptr;
}

QPoint PageViewDriver::At(int64_t x, int64_t y) const {
  const double scale = Canvas()->Transform().Scale();
  return {static_cast<int>(std::floor(static_cast<double>(x) * scale)),
          static_cast<int>(std::floor(static_cast<double>(y) * scale))};
}

void PageViewDriver::Mouse(QEvent::Type type, QPoint position) {
  TPageCanvas* canvas = Canvas();
  QWindow* window = canvas->window()->windowHandle();
  ASSERT_NE(window, nullptr);
  const QPoint inWindow = window->mapFromGlobal(canvas->mapToGlobal(position));
  switch (type) {
    case QEvent::MouseButtonPress:
      QTest::mousePress(window, Qt::LeftButton, {}, inWindow);
      break;
    case QEvent::MouseButtonRelease:
      QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow);
      break;
    default:
      QTest::mouseMove(window, inWindow);
      break;
  }
}

void PageViewDriver::Press(int64_t x, int64_t y) { Mouse(QEvent::MouseButtonPress, At(x, y)); }
void PageViewDriver::MoveTo(int64_t x, int64_t y) { Mouse(QEvent::MouseMove, At(x, y)); }
void PageViewDriver::Release(int64_t x, int64_t y) { Mouse(QEvent::MouseButtonRelease, At(x, y)); }

void PageViewDriver::Click(int64_t x, int64_t y) {
  Press(x, y);
  Release(x, y);
}

void PageViewDriver::Drag(TPagePoint from, TPagePoint to) {
  constexpr int kSteps = 4;
  Press(from.x, from.y);
  for (int step = 1; step <= kSteps; ++step) {
    MoveTo(from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps);
  }
  Release(to.x, to.y);
}

void PageViewDriver::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(Canvas(), key, modifiers);
}

void PageViewDriver::ScrollTo(QPoint offset) {
  View().ScrollArea()->horizontalScrollBar()->setValue(offset.x());
  View().ScrollArea()->verticalScrollBar()->setValue(offset.y());
}

QPoint PageViewDriver::ScrollPosition() const {
  return {View().ScrollArea()->horizontalScrollBar()->value(),
          View().ScrollArea()->verticalScrollBar()->value()};
}

void PageViewDriver::SetLinkElsewhere(int32_t link, const TLinkRecord& record) {
  window_.Page().SetLink(link, record);
}

}  // namespace pm::test
