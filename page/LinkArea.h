// Where a link lies on its page: its rectangle runs from the smaller to the larger of Left and
// Right and of Top and Bottom, the larger edges just outside it, as the link outlines are drawn.
#pragma once

#include <cstdint>

#include "page/LinkRecord.h"

namespace pm {

struct TLinkArea {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;   // just right of the area
  int64_t bottom = 0;  // just below the area

  bool Empty() const { return right <= left || bottom <= top; }
  int64_t Width() const { return right - left; }
  int64_t Height() const { return bottom - top; }
};

// The link's rectangle in that order; for a link with four set edges.
TLinkArea LinkRectangle(const TLinkRecord& link);

// How much of the rectangle lies on a background of width × height pixels.
enum class TAreaPlacement { Inside, PartlyOutside, WhollyOutside };
TAreaPlacement PlacementOn(const TLinkArea& area, int32_t width, int32_t height);

// The part of the rectangle that lies on the background; empty when none does.
TLinkArea ClippedTo(const TLinkArea& area, int32_t width, int32_t height);

}  // namespace pm
