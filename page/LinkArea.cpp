#include "page/LinkArea.h"

#include <algorithm>

namespace pm {

TPageRect LinkRectangle(const TLinkRecord& link) {
  return {std::min<int64_t>(link.Left, link.Right), std::min<int64_t>(link.Top, link.Bottom),
          std::max<int64_t>(link.Left, link.Right), std::max<int64_t>(link.Top, link.Bottom)};
}

bool LinkContains(const TLinkRecord& link, TPagePoint point) {
  const TPageRect covered = LinkRectangle(link);
  return point.x >= covered.left && point.x < std::max(covered.right, covered.left + 1) &&
         point.y >= covered.top && point.y < std::max(covered.bottom, covered.top + 1);
}

std::optional<TPageRect> ShownRect(const TLinkRecord& link, TPageSize page) {
  const TPageRect covered = LinkRectangle(link);
  if (covered.left > page.width || covered.right < 0 || covered.top > page.height ||
      covered.bottom < 0) {
    return std::nullopt;
  }
  return TPageRect{std::max<int64_t>(covered.left, 0), std::max<int64_t>(covered.top, 0),
                   std::min(covered.right, page.width), std::min(covered.bottom, page.height)};
}

TPageRect ClippedTo(const TPageRect& area, int32_t width, int32_t height) {
  TPageRect clipped{std::max<int64_t>(area.left, 0), std::max<int64_t>(area.top, 0),
                    std::min<int64_t>(area.right, width), std::min<int64_t>(area.bottom, height)};
  if (clipped.Empty()) return {};
  return clipped;
}

TAreaPlacement PlacementOn(const TPageRect& area, int32_t width, int32_t height) {
  const bool within =
      area.left >= 0 && area.top >= 0 && area.right <= width && area.bottom <= height;
  if (within) return TAreaPlacement::Inside;
  return ClippedTo(area, width, height).Empty() ? TAreaPlacement::WhollyOutside
                                                : TAreaPlacement::PartlyOutside;
}

}  // namespace pm
