// Stretching a bitmap to another size by taking the nearest source pixel, as the image boxes and
// the page view show pictures: the destination pixel (x, y) of a width × height picture is the
// source pixel (x · source width ÷ width, y · source height ÷ height), rounded down. Rows and
// columns are dropped or repeated; nothing is smoothed.
#pragma once

#include <QImage>
#include <cstdint>

#include "editor/LinkGeometry.h"
#include "imaging/Bitmap.h"

namespace pm {

// The part `part` (destination pixels, inside 0 … width, 0 … height) of the bitmap stretched to
// width × height, as an RGB32 image of the part's size. Sizes are taken in 64 bits, so a huge
// destination costs only the part that is made. A null image for an empty bitmap or part.
QImage StretchNearestPart(const TBitmap& bitmap, int64_t width, int64_t height,
                          const TPageRect& part);
// The same into `target`, an RGB32 image of the part's size that the caller provides.
void StretchNearestInto(const TBitmap& bitmap, int64_t width, int64_t height, const TPageRect& part,
                        QImage& target);

}  // namespace pm
