// Decoding a holder's picture at a reduced scale for a thumbnail.
#include "imaging/ScaledDecoding.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegTestSupport.h"
#include "base/Exceptions.h"

namespace pm::test {
namespace {

TEST(ScaledDecodingTest, TheMostReducedScaleThatStillFillsTheBoxWithoutEnlarging) {
  EXPECT_EQ(ScaleShiftFor(1024, 768, 128, 96), 3);  // exactly 1/8
  EXPECT_EQ(ScaleShiftFor(1023, 767, 128, 96), 2);  // 1/8 would be a little too small
  EXPECT_EQ(ScaleShiftFor(640, 480, 128, 96), 2);
  EXPECT_EQ(ScaleShiftFor(300, 300, 128, 96), 1);   // the height limits it
  EXPECT_EQ(ScaleShiftFor(100, 2000, 128, 96), 3);  // never below 1/8
  EXPECT_EQ(ScaleShiftFor(100, 50, 128, 96), 0);    // smaller than the box
  EXPECT_EQ(ScaleShiftFor(0, 768, 128, 96), 0);
  EXPECT_EQ(ScaleShiftFor(1024, 768, 0, 96), 0);
  EXPECT_EQ(ScaleShiftFor(int64_t{1} << 40, int64_t{1} << 40, 1, 1), 3);
}

TEST(ScaledDecodingTest, DecodesAtAnEighthWithoutLeavingAPictureInTheHolder) {
  const TBitmap picture = GradientBitmap(1024, 768, 3);
  TJPEGImage holder;
  LoadBytes(holder, EncodeWithHolder(picture));

  const TBitmap small = DecodeScaled(holder, 3);
  ASSERT_EQ(small.Width(), 128);
  ASSERT_EQ(small.Height(), 96);
  EXPECT_EQ(small.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(holder.HeldBitmap(), nullptr);
  EXPECT_EQ(holder.Settings().ScaleShift, 0);
  EXPECT_EQ(holder.Width(), 1024);

  // Each pixel is about the mean of its 8 × 8 block of the picture.
  int worst = 0;
  for (int32_t y = 0; y < 96; y += 7) {
    for (int32_t x = 0; x < 128; x += 9) {
      int sums[3] = {0, 0, 0};
      for (int32_t dy = 0; dy < 8; ++dy) {
        for (int32_t dx = 0; dx < 8; ++dx) {
          const TColor c = picture.Pixel(8 * x + dx, 8 * y + dy);
          sums[0] += c.red;
          sums[1] += c.green;
          sums[2] += c.blue;
        }
      }
      const TColor got = small.Pixel(x, y);
      worst = std::max({worst, std::abs(got.red - sums[0] / 64), std::abs(got.green - sums[1] / 64),
                        std::abs(got.blue - sums[2] / 64)});
    }
  }
  EXPECT_LE(worst, 12);

  // A shift beyond the library's smallest scale gives its smallest.
  EXPECT_EQ(DecodeScaled(holder, 9).Width(), 128);
}

TEST(ScaledDecodingTest, NothingToDecodeAndBrokenBytes) {
  TJPEGImage assigned;
  assigned.AssignBitmap(GradientBitmap(64, 64));
  EXPECT_TRUE(DecodeScaled(assigned, 3).Empty());

  std::vector<uint8_t> bytes = EncodeWithHolder(GradientBitmap(256, 256));
  bytes.resize(bytes.size() / 3);  // the library makes up the rest: no failure
  TJPEGImage truncated;
  LoadBytes(truncated, bytes);
  EXPECT_EQ(DecodeScaled(truncated, 3).Width(), 32);

  // The header reads, the decoding finds no quantisation tables.
  TJPEGImage holder;
  LoadBytes(holder, WithoutSegments(EncodeWithHolder(GradientBitmap(256, 256)), kDQT));
  EXPECT_THROW(DecodeScaled(holder, 3), EJPEG);
  EXPECT_EQ(holder.HeldBitmap(), nullptr);
}

}  // namespace
}  // namespace pm::test
