// The picture that the PNG, GIF and WebP readers fill: 24 bits a pixel, blue, green, red, rows
// from the top, each padded with zeros to a multiple of 4 bytes; and the composing of a pixel
// with transparency over white, the one background that every format's transparency gets.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/BitmapImage.h"

namespace pm {

inline constexpr int kBgrBytes = 3;
inline constexpr int kBgraBytes = 4;

// A new top-down 24-bit picture, every byte 0; its memory is taken up only as its rows are
// written. Fails before anything is allocated as CheckImportedPictureSize does (the memory
// failure beyond the picture limit, "JPEG エラー #40" beyond the sides a JPEG stream can hold),
// and with EInvalidGraphic when a side is 0 or less.
std::shared_ptr<TBitmapImage> NewTopDownPicture(int64_t width, int64_t height);

// Fails as NewTopDownPicture does for a picture of this size, without making it.
void CheckPictureSize(int64_t width, int64_t height);

// One channel of a pixel with opacity `alpha` (0 transparent, 255 opaque) over white.
inline uint8_t OverWhite(uint8_t value, uint8_t alpha) {
  constexpr unsigned kOpaque = 255;
  return static_cast<uint8_t>((value * alpha + kOpaque * (kOpaque - alpha) + kOpaque / 2) /
                              kOpaque);
}

// `width` pixels of blue, green, red, alpha composed over white into blue, green, red.
void ComposeOverWhite(const uint8_t* bgra, uint8_t* bgr, int64_t width);

}  // namespace pm
