// Where a link lies on its page. Points, sizes and rectangles are in whole page pixels, held in
// 64 bits so that no link value, however absurd, overflows. A link's rectangle runs from the
// smaller to the larger of Left and Right and of Top and Bottom, the larger edges just outside
// it, as the link outlines are drawn: the page view, the document checks and the web site all
// place a link by this one rectangle.
#pragma once

#include <cstdint>
#include <optional>

#include "page/LinkRecord.h"

namespace pm {

struct TPagePoint {
  int64_t x = 0;
  int64_t y = 0;
  friend bool operator==(const TPagePoint&, const TPagePoint&) = default;
};

struct TPageSize {
  int64_t width = 0;
  int64_t height = 0;
  friend bool operator==(const TPageSize&, const TPageSize&) = default;
};

// The pixels [left, right) × [top, bottom): the right and bottom edges lie just outside, as a
// link's Right and Bottom do.
struct TPageRect {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  int64_t Width() const { return right - left; }
  int64_t Height() const { return bottom - top; }
  friend bool operator==(const TPageRect&, const TPageRect&) = default;
};

// The link's rectangle; for a link with four set edges.
TPageRect LinkRectangle(const TLinkRecord& link);

// Whether pixel `point` lies in the link's rectangle; a link without width or height counts as
// one pixel wide or high, so that it can still be picked.
bool LinkContains(const TLinkRecord& link, TPagePoint point);

// The part of the link's rectangle on a page of that size (0 to width, 0 to height, edges
// included, so that a link without width or height still shows), or nothing when it lies wholly
// beside the page.
std::optional<TPageRect> ShownRect(const TLinkRecord& link, TPageSize page);

// How much of the rectangle lies on a background of width × height pixels.
enum class TAreaPlacement { Inside, PartlyOutside, WhollyOutside };
TAreaPlacement PlacementOn(const TPageRect& area, int32_t width, int32_t height);

// The part of the rectangle that covers pixels of a background of width × height pixels; empty
// when none does.
TPageRect ClippedTo(const TPageRect& area, int32_t width, int32_t height);

}  // namespace pm
