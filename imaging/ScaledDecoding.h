// Decoding a holder's JPEG bytes at a reduced scale, for a small picture of it such as a
// thumbnail: the library decodes straight to 1/2, 1/4 or 1/8 of the full size, at a fraction of
// the cost and memory of a full-size decoding, and the full-size picture is never made.
#pragma once

#include <cstdint>

#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"
#include "imaging/JpegDecoder.h"

namespace pm {

// The ScaleShift (0 to kMaxScaleShift) at which a width × height picture, drawn as large as fits
// in a boxWidth × boxHeight box with its proportions kept, needs no enlarging: the most reduced
// scale whose picture is still at least the drawn size. 0 for an empty picture or box.
int ScaleShiftFor(int64_t width, int64_t height, int64_t boxWidth, int64_t boxHeight);

// The holder's JPEG bytes decoded at 1/2^scaleShift of their size (the holder's ScaleShift
// setting, its other settings as they are) into a new bitmap; the holder keeps no picture of it.
// An empty bitmap when the holder has no JPEG bytes. EJPEG when the library gives up.
TBitmap DecodeScaled(const TJPEGImage& holder, int scaleShift);

}  // namespace pm
