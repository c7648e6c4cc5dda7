// Decoding and comparing pictures for the tests of the image holder (the pictures themselves
// are in tests/support/TestPictures.h), and a reader of a stream's
// marker segments, so that tests can check what the library wrote.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"
#include "imaging/JpegLibrary.h"
#include "tests/support/TestPictures.h"

namespace pm::test {

// What a new holder with `settings` decodes from `bytes`.
TBitmap DecodeWithHolder(std::span<const uint8_t> bytes, const TJPEGSettings& settings);
TBitmap DecodeWithHolder(std::span<const uint8_t> bytes);

// The mean and the largest difference of colour channels between two pictures of one size.
struct TPixelDifference {
  double mean = 0;
  int largest = 0;
};
TPixelDifference CompareColors(const TBitmap& a, const TBitmap& b);
// The same for the mean colours of blocks of 8 × 8 pixels, where dithering evens out.
TPixelDifference CompareBlockColors(const TBitmap& a, const TBitmap& b);
bool SamePixels(const TBitmap& a, const TBitmap& b);

// Encodes `samples` (`components` interleaved samples a pixel in `inSpace`, rows top to bottom)
// directly with the library into memory of its own; `configure` adjusts the parameters after
// jpeg_set_defaults.
std::vector<uint8_t> EncodeDirect(int32_t width, int32_t height, J_COLOR_SPACE inSpace,
                                  int components, std::span<const uint8_t> samples,
                                  void (*configure)(jpeg_compress_struct&));

// A picture decoded directly by the library as red, green, blue samples.
struct TRgbPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
  TColor At(int32_t x, int32_t y) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return TColor{rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};
TRgbPicture DecodeDirectRgb(std::span<const uint8_t> bytes);

// One marker of a JPEG stream and the bytes of its segment after the length field.
struct TJpegSegment {
  uint8_t marker = 0;
  std::vector<uint8_t> payload;
};

inline constexpr uint8_t kSOI = 0xD8, kEOI = 0xD9, kSOF0 = 0xC0, kSOF2 = 0xC2, kDHT = 0xC4,
                         kDQT = 0xDB, kDRI = 0xDD, kSOS = 0xDA, kAPP0 = 0xE0, kRST0 = 0xD0,
                         kRST7 = 0xD7;

// Every marker from SOI to EOI; the entropy-coded data after each SOS is skipped (restart
// markers in it are listed). Bytes after EOI are ignored.
std::vector<TJpegSegment> ReadSegments(std::span<const uint8_t> stream);
int CountMarkers(const std::vector<TJpegSegment>& segments, uint8_t marker);
const TJpegSegment* FindMarker(const std::vector<TJpegSegment>& segments, uint8_t marker);
// The offset of the first byte after the first SOS segment's header.
size_t ScanDataOffset(std::span<const uint8_t> stream);

}  // namespace pm::test
