// Pictures and JPEG streams for tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"

namespace pm::test {

// A 24-bit bitmap of smooth gradients; `seed` varies the picture, `noise` adds pseudo-random
// grain of that amplitude.
TBitmap GradientBitmap(int32_t width, int32_t height, int seed = 0, int noise = 0);

// A 24-bit bitmap of one colour.
TBitmap SolidBitmap(int32_t width, int32_t height, TColor color);

// A 24-bit bitmap with detail of single pixels that JPEG can't keep: a checkerboard of black and
// white with a coloured dot every few pixels, placed differently for each `seed`.
TBitmap SharpBitmap(int32_t width, int32_t height, int seed = 0);

// Writes the bitmap as a BMP file in its own layout, creating or emptying the file.
void WriteBmpFile(const std::string& fileName, TBitmap bitmap);

// The holder's JPEG bytes, written by SaveJpeg.
std::vector<uint8_t> SavedBytes(TJPEGImage& holder);
// Loads the bytes into the holder from a memory buffer.
void LoadBytes(TJPEGImage& holder, std::span<const uint8_t> bytes);
// What a new holder with `settings` (or the defaults) writes for `bitmap`.
std::vector<uint8_t> EncodeWithHolder(const TBitmap& bitmap, const TJPEGSettings& settings);
std::vector<uint8_t> EncodeWithHolder(const TBitmap& bitmap);

// The bytes of a JPEG stream without every segment whose marker is `marker` (e.g. 0xDB).
std::vector<uint8_t> WithoutSegments(const std::vector<uint8_t>& jpeg, uint8_t marker);

}  // namespace pm::test
