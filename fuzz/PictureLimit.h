// The largest picture that a fuzz target decodes. Larger ones reach no code that smaller ones
// don't, and each costs time in proportion to its pixels (the size checks before allocating
// have unit tests of their own); with this limit a target runs some 15000 inputs a second
// rather than a few hundred.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Stream.h"

namespace pm::fuzz {

inline constexpr int64_t kMaxPixels = 256 * 256;

inline bool TooManyPixels(int64_t width, int64_t height) {
  const int64_t w = width < 0 ? -width : width;
  const int64_t h = height < 0 ? -height : height;
  return w * h > kMaxPixels;
}

// A BMP file's information header keeps the picture's size here.
inline constexpr size_t kBmpHeaderSizeAt = 14;
inline constexpr size_t kBmpCoreHeaderSize = 12;
inline constexpr size_t kBmpWidthAt = 18;
inline constexpr size_t kBmpCoreHeightAt = 20;
inline constexpr size_t kBmpHeightAt = 22;
inline constexpr size_t kBmpSizeFieldsEnd = 26;

// Whether the BMP file's header claims a picture beyond kMaxPixels.
inline bool BmpClaimsTooManyPixels(const uint8_t* data, size_t size) {
  if (size < kBmpSizeFieldsEnd) return false;
  if (LoadUInt32LE(data + kBmpHeaderSizeAt) == kBmpCoreHeaderSize) {
    return TooManyPixels(LoadUInt16LE(data + kBmpWidthAt), LoadUInt16LE(data + kBmpCoreHeightAt));
  }
  return TooManyPixels(LoadInt32LE(data + kBmpWidthAt), LoadInt32LE(data + kBmpHeightAt));
}

}  // namespace pm::fuzz
