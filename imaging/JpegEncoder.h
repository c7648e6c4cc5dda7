// Writing a bitmap as a JPEG stream with the holder's settings.
#pragma once

#include "imaging/Bitmap.h"
#include "imaging/JPEGDefaults.h"
#include "imaging/JpegLibrary.h"

namespace pm {

// Hands every row of `bitmap` (not empty) to the compression object, whose destination is set
// already, from the top row to the bottom row, with the parameters that `settings` chooses.
// EJPEG when the library gives up; the object is destroyed then.
void WriteJpegStream(TJpegCompressor& compressor, const TBitmap& bitmap,
                     const TJPEGSettings& settings);

}  // namespace pm
