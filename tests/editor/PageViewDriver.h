// A person at the page view: opens it from the main window, presses, drags and releases the
// mouse on the drawing area at page coordinates (through the window system, as a real pointer
// does), and types keys into it.
#pragma once

#include <QEvent>
#include <QPoint>
#include <cstdint>

#include "editor/LinkGeometry.h"
#include "editor/PageCanvas.h"
#include "editor/PageView.h"
#include "tests/editor/WindowDriver.h"

namespace pm::test {

class PageViewDriver {
 public:
  explicit PageViewDriver(TForm1& window) : window_(window) {}

  // Ctrl+L in the main window's link number field; waits until the page view is active.
  void Open();
  // Makes the page view, or the main window, the active window, as a click on it does.
  void Activate();
  void ActivateMainWindow();
  TPageView& View() const;
  // The drawing area, found by its accessible name.
  TPageCanvas* Canvas() const;

  // The widget position of page coordinate (x, y) at the view's zoom: a pixel's top-left corner,
  // where the pointer names that pixel, or an edge, where its handles are.
  QPoint At(int64_t x, int64_t y) const;
  void Press(int64_t x, int64_t y);
  void MoveTo(int64_t x, int64_t y);
  void Release(int64_t x, int64_t y);
  void Click(int64_t x, int64_t y);
  // Press, a few moves on the way, release.
  void Drag(TPagePoint from, TPagePoint to);
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Scrolls the area so that the widget position `offset` of the drawing area is at its corner.
  void ScrollTo(QPoint offset);
  QPoint ScrollPosition() const;

  // A link set as the main window sets it, outside the page view's history.
  void SetLinkElsewhere(int32_t link, const TLinkRecord& record);

 private:
  void Mouse(QEvent::Type type, QPoint position);

  TForm1& window_;
};

inline TLinkRecord Rect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                        TLinkRecord others = {}) {
  others.Left = left;
  others.Top = top;
  others.Right = right;
  others.Bottom = bottom;
  return others;
}

}  // namespace pm::test
