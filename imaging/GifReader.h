// The reader of GIF files, through giflib: the first frame of the file, on the picture's logical
// screen, its transparent colour and the screen outside the frame white.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/BitmapImage.h"

namespace pm {

// The first frame of the GIF file in `bytes` as a top-down 24-bit picture of the logical screen's
// size (of the frame's size when the screen has none). Only the first frame is decoded, whatever
// follows it. A damaged file fails with EInvalidGraphic "ビットマップイメージが不正です"; a
// screen or frame beyond the picture limit fails with the memory failure
// of a store that can't be made, before anything of its size is allocated or decoded.
std::shared_ptr<TBitmapImage> ReadGifImage(std::span<const uint8_t> bytes);

}  // namespace pm
