// The background that a page without one is given when it is saved, and shown meanwhile:
// 640 × 480 pixels, white with a one-pixel black frame along all four edges.
#pragma once

#include <cstdint>

#include "imaging/Bitmap.h"

namespace pm {

inline constexpr int32_t kPlaceholderWidth = 640;
inline constexpr int32_t kPlaceholderHeight = 480;

TBitmap PlaceholderBackground();

}  // namespace pm
