// The reader of WebP files, through libwebp: lossy and lossless pictures, their alpha composed
// over white; of an animated file, the first frame on the animation's canvas.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/BitmapImage.h"

namespace pm {

// The WebP file in `bytes` as a top-down 24-bit picture. An animated file gives its first frame
// on a white canvas of the animation's size; no other frame is decoded. A damaged file fails
// with EInvalidGraphic "ビットマップイメージが不正です"; a picture beyond the picture limit
// fails with the memory failure of a store that can't be made, before
// anything of its size is allocated or decoded.
std::shared_ptr<TBitmapImage> ReadWebpImage(std::span<const uint8_t> bytes);

}  // namespace pm
