// Reading a JPEG stream into a bitmap with the holder's settings.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/Bitmap.h"
#include "imaging/JPEGDefaults.h"

namespace pm {

// The library decodes down to 1/2^kMaxScaleShift of the full size at most; a larger ScaleShift
// gives the same size.
inline constexpr int kMaxScaleShift = 3;

struct TJpegSize {
  int32_t width = 0;
  int32_t height = 0;
};

// Decodes `bytes` into `bitmap`, which is empty when called, and returns the number of the
// library's warnings: damaged data or data cut short, for which the library made up the rest of
// the picture (0 for a stream read whole). EJPEG when the library gives up; the bitmap then
// keeps what was made of it so far: empty when the failure came before the picture was sized,
// otherwise sized and filled down to the failing row.
int DecodeJpeg(std::span<const uint8_t> bytes, const TJPEGSettings& settings, TBitmap& bitmap);

// The size of the picture that decoding at 1/2^scaleShift of full size gives, as the library
// computes it from the header. EJPEG when the library rejects the header.
TJpegSize ScaledJpegSize(std::span<const uint8_t> bytes, int scaleShift);

}  // namespace pm
