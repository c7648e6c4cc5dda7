// The reader of PNG files, through libpng: every colour type and bit depth, interlaced or not.
// 16-bit channels are reduced to 8, palette and grey pictures are expanded to colour, and
// transparency (an alpha channel or a transparent colour) is composed over white. Gamma and
// colour profiles are not applied, as for BMP files.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/BitmapImage.h"

namespace pm {

// The PNG file in `bytes` as a top-down 24-bit picture. A damaged file fails with
// EInvalidGraphic "ビットマップイメージが不正です"; a picture beyond the picture limit
// fails with the memory failure of a store that can't be made, before its
// pixels are allocated.
std::shared_ptr<TBitmapImage> ReadPngImage(std::span<const uint8_t> bytes);

}  // namespace pm
