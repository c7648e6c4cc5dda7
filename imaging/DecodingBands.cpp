#include "imaging/DecodingBands.h"

#include <algorithm>

#include "imaging/PixelStore.h"

namespace pm {

namespace {

// The greatest bottom b that `bytes` × b ≤ `room` allows; the picture's height when `bytes` is 0.
int64_t BottomWithin(int64_t room, int64_t bytes, int64_t height) {
  return bytes > 0 ? room / bytes : height;
}

}  // namespace

std::vector<TRowBand> PlanDecodingBands(const TBandedDecoding& decoding) {
  const int64_t bufferRow = kBandBytesPerPixel * decoding.width;
  const int64_t libraryRow = decoding.libraryBytesPerPixel * decoding.width;
  std::vector<TRowBand> bands;
  int64_t top = 0;
  while (top < decoding.height) {
    // The band's bottom b, while the library decodes it:
    //   library × b + picture × top + buffer × (b − top) ≤ memory,
    // and while it is composed into the picture, once the library has let go:
    //   picture × b + buffer × (b − top) ≤ memory.
    const int64_t decodingBottom =
        BottomWithin(decoding.memory - decoding.pictureRowBytes * top + bufferRow * top,
                     libraryRow + bufferRow, decoding.height);
    const int64_t composingBottom = BottomWithin(
        decoding.memory + bufferRow * top, decoding.pictureRowBytes + bufferRow, decoding.height);
    int64_t bottom = std::min(decodingBottom, composingBottom);
    if (bottom >= decoding.height) {
      bottom = decoding.height;
    } else {
      bottom -= bottom % 2;
      if (bottom <= top) RaiseStoreError();
    }
    bands.push_back({top, bottom});
    top = bottom;
  }
  return bands;
}

}  // namespace pm
