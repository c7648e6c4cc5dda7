// Writes a picture as a BMP file with a 40-byte information header.
#pragma once

#include "imaging/BitmapImage.h"

namespace pm {

class TStream;

// The file header, the information header, the masks of a bit-field store, the colour table of
// an indexed store, then the rows in the store's own order (a top-down store gets a negative
// height). The display form is written as 32-bit top-down rows. An empty picture writes nothing.
void WriteBmpImage(const TBitmapImage& image, TStream& stream);

// Writes the picture's colours, whatever its layout, as a bottom-up 24-bit BMP file with a
// 40-byte information header, no resolution and no colour table. The rows are converted a few
// at a time, never as a copy of the whole picture; the fill bytes at the end of each row are 0.
// An empty picture writes nothing.
void WriteBmpImage24(const TBitmapImage& image, TStream& stream);

}  // namespace pm
