// The reader of WebP files, through libwebp: lossy and lossless pictures, their alpha composed
// over white; of an animated file, the first frame on the animation's canvas.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/BitmapImage.h"

namespace pm {

// What reading a picture may take at once: the picture's rows written, what libwebp holds of
// the picture while it decodes it, and the rows with alpha decoded at a time (see
// DecodingBands.h). A picture at the picture limit fits, whatever its kind, with room left for
// the program and a file's bytes within 1 GiB; a large one with alpha is decoded in two bands
// then instead of one.
inline constexpr int64_t kWebpReadingMemory = int64_t{920} << 20;

// The WebP file in `bytes` as a top-down 24-bit picture. An animated file gives its first frame
// on a white canvas of the animation's size; no other frame is decoded. A damaged file fails
// with EInvalidGraphic "ビットマップイメージが不正です"; a picture or frame beyond the size check
// of an import (see PictureLimit.h) fails before anything of its size is allocated or decoded.
std::shared_ptr<TBitmapImage> ReadWebpImage(std::span<const uint8_t> bytes,
                                            int64_t memory = kWebpReadingMemory);

}  // namespace pm
