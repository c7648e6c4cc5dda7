// The largest picture that a fuzz target decodes. Larger ones reach no code that smaller ones
// don't, and each costs time in proportion to its pixels (the size checks before allocating
// have unit tests of their own); with this limit a target runs some 15000 inputs a second
// rather than a few hundred.
#pragma once

#include <cstdint>

namespace pm::fuzz {

inline constexpr int64_t kMaxPixels = 256 * 256;

inline bool TooManyPixels(int64_t width, int64_t height) {
  const int64_t w = width < 0 ? -width : width;
  const int64_t h = height < 0 ? -height : height;
  return w * h > kMaxPixels;
}

}  // namespace pm::fuzz
