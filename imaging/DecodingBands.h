// A picture decoded a band of rows at a time, so that what a decoding holds at once stays within
// a bound of memory. A library that keeps a plane of its own for the whole picture (libwebp's
// lossless pixels or alpha plane) fills it down to the last row that it is asked for; each band
// is decoded into a buffer of its own, 4 bytes a pixel, and composed into the picture, whose
// rows take up memory only once they are written.
#pragma once

#include <cstdint>
#include <vector>

namespace pm {

// The rows [top, bottom) of a band; every band but the last ends on an even row, since the
// decoder starts a band only there.
struct TRowBand {
  int64_t top = 0;
  int64_t bottom = 0;
};

struct TBandedDecoding {
  int64_t width = 0;   // of the decoded picture, pixels
  int64_t height = 0;  // rows
  // What the library holds for each pixel down to the last row asked for, bytes.
  int64_t libraryBytesPerPixel = 0;
  // Bytes that each row composed takes in the picture it goes to.
  int64_t pictureRowBytes = 0;
  // The most that the library's plane, the picture's rows written and the band's buffer may
  // take at once.
  int64_t memory = 0;
};

inline constexpr int64_t kBandBytesPerPixel = 4;

// The bands, top to bottom, each as tall as the bound allows. Decoding the band [top, bottom)
// takes libraryBytesPerPixel × width × bottom for the library, pictureRowBytes × top for the
// rows composed before it, and kBandBytesPerPixel × width × (bottom − top) for its buffer;
// composing it, once the library has let go, the buffer and pictureRowBytes × bottom. A picture
// that fits the bound whole is one band. Fails with the memory failure of a store that can't be
// made (EOSError) when not even two rows fit.
std::vector<TRowBand> PlanDecodingBands(const TBandedDecoding& decoding);

}  // namespace pm
