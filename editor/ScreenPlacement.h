// Where a window goes on a screen: centred horizontally, its top at a fraction of the room
// left above and below it, halves rounded toward zero and never before the screen's corner.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

namespace pm {

// `verticalShare` 2 centres; 3 puts the top a third of the way down.
inline QPoint PlaceOnScreen(const QRect& screen, QSize outerSize, int verticalShare = 2) {
  return {screen.left() + std::max(0, (screen.width() - outerSize.width()) / 2),
          screen.top() + std::max(0, (screen.height() - outerSize.height()) / verticalShare)};
}

}  // namespace pm
