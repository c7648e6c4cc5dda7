// What bounds an imported picture: the sides that a JPEG stream can hold, checked before anything
// is decoded, and the memory of a WebP picture with alpha, decoded a band of rows at a time.
#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "imaging/BmpReader.h"
#include "imaging/DecodingBands.h"
#include "imaging/PictureFile.h"
#include "imaging/WebpReader.h"
#include "tests/imaging/BmpFileBuilder.h"
#include "tests/support/PictureEncoders.h"

namespace pm {
namespace {

// The message of the failure of importing `file`, or "imported W x H".
std::string Import(const std::vector<uint8_t>& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  try {
    const TImportedPicture imported = ReadPicture(stream);
    return "imported " + std::to_string(imported.picture.Width()) + " x " +
           std::to_string(imported.picture.Height());
  } catch (const Exception& e) {
    return e.Message();
  }
}

std::vector<uint8_t> Bmp(int32_t width, int32_t height) {
  test::BmpFileBuilder bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.bitCount = 24;
  return bmp.Build();
}

// Red, green, blue, alpha pixels with every alpha from transparent to opaque.
std::vector<uint8_t> Rgba(int width, int height) {
  std::vector<uint8_t> rgba;
  for (int i = 0; i < width * height; ++i) {
    rgba.insert(rgba.end(), {uint8_t(i * 37), uint8_t(i * 11 + 50), uint8_t(255 - i * 5),
                             uint8_t(i * 23 % 256)});
  }
  return rgba;
}

bool SamePicture(const TBitmapImage& a, const TBitmapImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int32_t y = 0; y < a.Height(); ++y) {
    if (!std::equal(a.Row(y), a.Row(y) + a.Width() * 3, b.Row(y))) return false;
  }
  return true;
}

TEST(PictureBoundsTest, PicturesWiderOrTallerThanAJpegStreamCanHoldFailWithItsErrorBeforeDecoding) {
  const std::string tooBig = "JPEG エラー #40";
  // 134217728 × 1 pixels of 16-bit grey and alpha, 2^27 pixels, in 512 KB: refused from its
  // header, before the 1 GiB of its rows is read.
  EXPECT_EQ(Import(test::PngOfZeros(1u << 27, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false)), tooBig);
  EXPECT_EQ(Import(test::PngOfZeros(65501, 1, PNG_COLOR_TYPE_RGB, 8, false)), tooBig);
  EXPECT_EQ(Import(test::PngOfZeros(1, 65501, PNG_COLOR_TYPE_RGB, 8, true)), tooBig);
  EXPECT_EQ(Import(test::EncodeGif(65501, 1, {{1, 2, 3}}, {{0, 0, 1, 1, false, {0}, {}, -1}})),
            tooBig);
  EXPECT_EQ(Import(test::AnimatedWebp(
                1, 65502, {{0, 0, 1, 1, test::LosslessWebpOfOneColor(1, 1, 0xFF102030, false)}})),
            tooBig);
  EXPECT_EQ(Import(Bmp(65501, 1)), tooBig);
  // At the sides' limit they import; beyond the pixel limit the memory failure comes first.
  EXPECT_EQ(Import(test::PngOfZeros(65500, 1, PNG_COLOR_TYPE_RGB, 16, false)),
            "imported 65500 x 1");
  EXPECT_EQ(Import(Bmp(1, 65500)), "imported 1 x 65500");
  EXPECT_EQ(Import(test::PngClaimingSize(100000, 100000)),
            "システムエラー。コード：12.\r\nメモリを確保できません");

  // A BMP file read for itself, not for an import, is bound by the picture limit alone.
  TMemoryStream wide;
  const std::vector<uint8_t> bmp = Bmp(65501, 1);
  wide.WriteBuffer(bmp.data(), static_cast<int64_t>(bmp.size()));
  wide.SetPosition(0);
  EXPECT_EQ(ReadBmpImage(wide)->Width(), 65501);
}

TEST(PictureBoundsTest, WebpWithAlphaDecodedInBandsIsTheSameAsDecodedWhole) {
  const std::vector<uint8_t> rgba = Rgba(37, 29);
  const std::vector<uint8_t> files[] = {
      test::EncodeWebp(37, 29, rgba, true, true), test::EncodeWebp(37, 29, rgba, false, true),
      test::AnimatedWebp(44, 34, {{6, 4, 37, 29, test::EncodeWebp(37, 29, rgba, true, true)}})};
  for (const std::vector<uint8_t>& file : files) {
    SCOPED_TRACE(&file - files);
    const auto whole = ReadWebpImage(file);
    // From too little memory for the library's plane and the picture, through room for a few
    // rows at a time, to room for all of them.
    int read = 0;
    for (int64_t memory = 2000; memory <= 12000; memory += 250) {
      SCOPED_TRACE(memory);
      try {
        EXPECT_TRUE(SamePicture(*ReadWebpImage(file, memory), *whole));
        ++read;
      } catch (const EOSError&) {
        EXPECT_EQ(read, 0) << "more memory than a picture read needs failed";
      }
    }
    EXPECT_GT(read, 0);
    EXPECT_THROW(ReadWebpImage(file, 2000), EOSError);
  }
}

TEST(PictureBoundsTest, BandsKeepTheLibraryThePictureAndTheBufferWithinTheBound) {
  // A lossless picture with alpha at the picture limit: libwebp's 4 bytes a pixel, the picture's
  // 3 and the buffer's 4 don't fit 920 MiB at once; two bands do.
  const int64_t side = 11585;
  const TBandedDecoding limit{.width = side,
                              .height = side,
                              .libraryBytesPerPixel = 4,
                              .pictureRowBytes = (side * 3 + 3) / 4 * 4,
                              .memory = kWebpReadingMemory};
  const std::vector<TRowBand> bands = PlanDecodingBands(limit);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands.front().top, 0);
  EXPECT_EQ(bands.back().bottom, side);
  for (const TRowBand& band : bands) {
    EXPECT_EQ(band.top % 2, 0);
    const int64_t buffer = 4 * side * (band.bottom - band.top);
    EXPECT_LE(4 * side * band.bottom + limit.pictureRowBytes * band.top + buffer, limit.memory);
    EXPECT_LE(limit.pictureRowBytes * band.bottom + buffer, limit.memory);
  }
  // A lossy one (an alpha plane of 1 byte a pixel) fits whole, and so does any picture whose
  // library, picture and buffer fit together.
  TBandedDecoding lossy = limit;
  lossy.libraryBytesPerPixel = 1;
  EXPECT_EQ(PlanDecodingBands(lossy).size(), 1u);
  EXPECT_EQ(PlanDecodingBands({.width = 4000,
                               .height = 3000,
                               .libraryBytesPerPixel = 4,
                               .pictureRowBytes = 12000,
                               .memory = kWebpReadingMemory})
                .size(),
            1u);
  // When not even two rows fit beside what the earlier bands wrote: the memory failure.
  TBandedDecoding tight = limit;
  tight.memory = 800 << 20;
  EXPECT_THROW(PlanDecodingBands(tight), EOSError);
}

}  // namespace
}  // namespace pm
