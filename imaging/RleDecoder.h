// The decoder of the run-length pixel data of a BMP file (8 bits or 4 bits a pixel).
#pragma once

#include <cstdint>
#include <span>

#include "imaging/BitmapImage.h"
#include "imaging/Color.h"

namespace pm {

enum class TRleKind {
  Rle8,  // one pixel a byte
  Rle4,  // two pixels a byte, the left one in the high four bits
};

// Decodes the run-length data of a bottom-up picture into `picture`, a display-form picture of
// the file's width and height whose store is every byte 0 (black). Every pixel takes the colour
// of its colour-table entry; pixels that the data never sets, and values beyond the table, take
// entry 0 (black when the table is empty). Runs that go past the end of a row are cut there,
// data past the last row is ignored and data that ends early just ends: no data is ever an
// error, and nothing outside `data` and the store is touched.
void DecodeRunLength(std::span<const uint8_t> data, TRleKind kind,
                     std::span<const TRGBQuad> colorTable, TBitmapImage& picture);

}  // namespace pm
