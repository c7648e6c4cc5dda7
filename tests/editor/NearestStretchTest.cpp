// Display copies of pictures shown at their own width: every pixel as the bitmap holds it, up to
// the last one of a row, whatever the width, the first column and the bits a pixel.
#include "editor/NearestStretch.h"

#include <gtest/gtest.h>

#include "tests/support/TestPictures.h"

namespace pm {
namespace {

TEST(NearestStretchTest, ColumnsTakenAsTheyAreGiveEveryPixelUpToTheRowsEnd) {
  constexpr int32_t kHeight = 2;
  for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    const int bytes = format == TPixelFormat::pf24bit ? 3 : 4;
    for (int32_t width = 1; width <= 11; ++width) {
      TBitmap bitmap = test::SharpBitmap(width, kHeight, width);
      bitmap.SetPixelFormat(format);
      for (int64_t left = 0; left < std::min(width, 5); ++left) {
        const QImage part = StretchNearestPart(bitmap, width, kHeight, {left, 0, width, kHeight});
        ASSERT_EQ(part.width(), width - left);
        for (int32_t y = 0; y < kHeight; ++y) {
          const uint8_t* row = bitmap.ConstScanLine(y);
          for (int64_t x = left; x < width; ++x) {
            const uint8_t* pixel = row + x * bytes;
            EXPECT_EQ(part.pixel(static_cast<int>(x - left), y), qRgb(pixel[2], pixel[1], pixel[0]))
                << bytes * 8 << " bits, width " << width << ", left " << left << ", pixel " << x
                << ", " << y;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace pm
