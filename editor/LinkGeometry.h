// Links on the page as the page view edits them: the edges that drawing, moving and resizing
// give, in the page pixels of page/LinkArea.h. Every result is a link that the page file can hold,
// and no edge ever becomes -1, which would take the link's rectangle away.
#pragma once

#include <cstdint>
#include <optional>

#include "page/LinkArea.h"
#include "page/LinkRecord.h"

namespace pm {

// The sides of a rectangle that a handle moves, by their place on the page (the left side is at
// the smaller of Left and Right).
enum TSide : unsigned {
  kNoSide = 0,
  kLeftSide = 1,
  kTopSide = 2,
  kRightSide = 4,
  kBottomSide = 8,
};

// A press at `from` dragged to `to`, both first kept on the page: Left and Top become the
// smaller coordinates, Right and Bottom the larger; the other fields stay. Nothing when the drag
// is shorter than kShortestDraw pixels each way.
inline constexpr int64_t kShortestDraw = 3;
std::optional<TLinkRecord> Drawn(const TLinkRecord& link, TPagePoint from, TPagePoint to,
                                 TPageSize page);

// The link moved by (dx, dy), as far as it can go: a side that lies on the page stays on it, and
// no field leaves the 32-bit range.
TLinkRecord Moved(const TLinkRecord& link, int64_t dx, int64_t dy, TPageSize page);

// The sides moved by (dx, dy) from where they are shown (the part on the page), each kept on the
// page; the sides not moved keep their values. The result is put in order as a drawing is.
TLinkRecord SidesMoved(const TLinkRecord& link, unsigned sides, int64_t dx, int64_t dy,
                       TPageSize page);

// Right moved by dRight and Bottom by dBottom, each only when it neither passes Left or Top nor
// leaves the page (when it was on it) nor leaves the 32-bit range.
TLinkRecord EndsMoved(const TLinkRecord& link, int64_t dRight, int64_t dBottom, TPageSize page);

}  // namespace pm
