// Reads rows of a picture as the JPEG encoder and the image boxes read them: the first and last
// rows and a few hundred between, so that a tall picture within the picture limit (millions of
// rows of a few pixels) costs the fuzz target no more time than the reader spent making it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"

namespace pm::fuzz {

inline constexpr int32_t kRowsAtEachEnd = 16;
inline constexpr int32_t kRowsBetween = 256;

inline void ReadSampledRows(const TBitmap& bitmap) {
  std::vector<uint8_t> row(static_cast<size_t>(bitmap.Width()) * 3);
  const int32_t height = bitmap.Height();
  const int32_t step = std::max(1, height / kRowsBetween);
  for (int32_t y = 0; y < height; ++y) {
    if (y < kRowsAtEachEnd || y >= height - kRowsAtEachEnd || y % step == 0) {
      bitmap.ReadRowBgr(y, row.data());
    }
  }
}

}  // namespace pm::fuzz
