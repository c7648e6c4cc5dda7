// The reader of BMP files.
#pragma once

#include <memory>

#include "imaging/BitmapImage.h"
#include "imaging/PictureLimit.h"

namespace pm {

class TStream;

// Reads a BMP file from the stream's position to its end. Returns nothing for a stream with no
// bytes left (the bitmap becomes empty). Fails with EReadError, EInvalidGraphic or the store's
// EOSError; nothing outside the bytes read is ever used. The picture's size passes `checkSize`
// before anything of it is allocated: the picture limit, or for an import the limit and the
// sides that a JPEG stream can hold.
std::shared_ptr<TBitmapImage> ReadBmpImage(TStream& stream,
                                           TPictureSizeCheck checkSize = CheckPictureLimit);

}  // namespace pm
