#include "editor/LinkGeometry.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace pm {

namespace {

constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();
// The value of an edge that a link without a rectangle has.
constexpr int64_t kNoEdge = -1;

// One axis of a link: its two fields (Left and Right, or Top and Bottom) and the page's length.
struct Axis {
  int32_t& first;
  int32_t& second;
  int64_t pageLength;
};

Axis Horizontal(TLinkRecord& link, TPageSize page) { return {link.Left, link.Right, page.width}; }
Axis Vertical(TLinkRecord& link, TPageSize page) { return {link.Top, link.Bottom, page.height}; }

int64_t Low(const Axis& axis) { return std::min<int64_t>(axis.first, axis.second); }
int64_t High(const Axis& axis) { return std::max<int64_t>(axis.first, axis.second); }

bool LandsOnNoEdge(const Axis& axis, int64_t delta) {
  return axis.first + delta == kNoEdge || axis.second + delta == kNoEdge;
}

// Moves both fields by as much of `delta` as the page and the 32-bit range allow.
void MoveAxis(const Axis& axis, int64_t delta) {
  int64_t least = kLowest - Low(axis);
  int64_t most = kHighest - High(axis);
  if (Low(axis) >= 0) least = std::max(least, -Low(axis));
  if (High(axis) <= axis.pageLength) most = std::min(most, axis.pageLength - High(axis));
  delta = std::clamp(delta, least, most);
  // Only a link that lies partly before the page can reach -1: it goes one pixel further, or
  // stops one pixel short where it can't.
  if (delta != 0 && LandsOnNoEdge(axis, delta)) {
    const int64_t step = delta > 0 ? 1 : -1;
    const int64_t further = delta + step;
    delta = (further >= least && further <= most && !LandsOnNoEdge(axis, further)) ? further
                                                                                   : delta - step;
  }
  axis.first = static_cast<int32_t>(axis.first + delta);
  axis.second = static_cast<int32_t>(axis.second + delta);
}

// Moves the second field (Right or Bottom) by `delta` when nothing forbids it.
void MoveEnd(const Axis& axis, int64_t delta) {
  const int64_t end = axis.second;
  const int64_t moved = end + delta;
  const bool passesStart = end >= axis.first && moved < axis.first;
  const bool leavesPage =
      (end <= axis.pageLength && moved > axis.pageLength) || (end >= 0 && moved < 0);
  if (delta == 0 || moved < kLowest || moved > kHighest || moved == kNoEdge || passesStart ||
      leavesPage) {
    return;
  }
  axis.second = static_cast<int32_t>(moved);
}

void SetInOrder(const Axis& axis, int64_t a, int64_t b) {
  axis.first = static_cast<int32_t>(std::min(a, b));
  axis.second = static_cast<int32_t>(std::max(a, b));
}

TPagePoint OnPage(TPagePoint point, TPageSize page) {
  return {std::clamp<int64_t>(point.x, 0, page.width),
          std::clamp<int64_t>(point.y, 0, page.height)};
}

int64_t Distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

}  // namespace

std::optional<TLinkRecord> Drawn(const TLinkRecord& link, TPagePoint from, TPagePoint to,
                                 TPageSize page) {
  from = OnPage(from, page);
  to = OnPage(to, page);
  if (Distance(from.x, to.x) < kShortestDraw && Distance(from.y, to.y) < kShortestDraw) {
    return std::nullopt;
  }
  TLinkRecord drawn = link;
  SetInOrder(Horizontal(drawn, page), from.x, to.x);
  SetInOrder(Vertical(drawn, page), from.y, to.y);
  return drawn;
}

TLinkRecord Moved(const TLinkRecord& link, int64_t dx, int64_t dy, TPageSize page) {
  TLinkRecord moved = link;
  MoveAxis(Horizontal(moved, page), dx);
  MoveAxis(Vertical(moved, page), dy);
  return moved;
}

TLinkRecord SidesMoved(const TLinkRecord& link, unsigned sides, int64_t dx, int64_t dy,
                       TPageSize page) {
  const std::optional<TPageRect> shown = ShownRect(link, page);
  if (!shown || sides == kNoSide) return link;
  TPageRect edges = LinkRectangle(link);
  const auto onPage = [](int64_t value, int64_t length) {
    return std::clamp<int64_t>(value, 0, length);
  };
  if (sides & kLeftSide) edges.left = onPage(shown->left + dx, page.width);
  if (sides & kRightSide) edges.right = onPage(shown->right + dx, page.width);
  if (sides & kTopSide) edges.top = onPage(shown->top + dy, page.height);
  if (sides & kBottomSide) edges.bottom = onPage(shown->bottom + dy, page.height);
  TLinkRecord resized = link;
  SetInOrder(Horizontal(resized, page), edges.left, edges.right);
  SetInOrder(Vertical(resized, page), edges.top, edges.bottom);
  return resized;
}

TLinkRecord EndsMoved(const TLinkRecord& link, int64_t dRight, int64_t dBottom, TPageSize page) {
  TLinkRecord resized = link;
  MoveEnd(Horizontal(resized, page), dRight);
  MoveEnd(Vertical(resized, page), dBottom);
  return resized;
}

}  // namespace pm
