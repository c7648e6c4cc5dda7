#include "page/LinkArea.h"

#include <algorithm>

namespace pm {

TLinkArea LinkRectangle(const TLinkRecord& link) {
  return {std::min<int64_t>(link.Left, link.Right), std::min<int64_t>(link.Top, link.Bottom),
          std::max<int64_t>(link.Left, link.Right), std::max<int64_t>(link.Top, link.Bottom)};
}

TLinkArea ClippedTo(const TLinkArea& area, int32_t width, int32_t height) {
  TLinkArea clipped{std::max<int64_t>(area.left, 0), std::max<int64_t>(area.top, 0),
                    std::min<int64_t>(area.right, width), std::min<int64_t>(area.bottom, height)};
  if (clipped.Empty()) return {};
  return clipped;
}

TAreaPlacement PlacementOn(const TLinkArea& area, int32_t width, int32_t height) {
  const bool within =
      area.left >= 0 && area.top >= 0 && area.right <= width && area.bottom <= height;
  if (within) return TAreaPlacement::Inside;
  return ClippedTo(area, width, height).Empty() ? TAreaPlacement::WhollyOutside
                                                : TAreaPlacement::PartlyOutside;
}

}  // namespace pm
