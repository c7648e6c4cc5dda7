#include "imaging/ScaledDecoding.h"

#include <algorithm>

namespace pm {

int ScaleShiftFor(int64_t width, int64_t height, int64_t boxWidth, int64_t boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return 0;
  // Drawn in the box the picture is f times its size, f = min(boxWidth / width, boxHeight /
  // height); decoded at shift s it is 1 / 2^s times its size, enough while 2^s · f ≤ 1: while
  // width ≥ 2^s · boxWidth or height ≥ 2^s · boxHeight.
  int shift = 0;
  while (shift < kMaxScaleShift) {
    const int64_t next = int64_t{2} << shift;
    if (width < next * boxWidth && height < next * boxHeight) break;
    ++shift;
  }
  return shift;
}

TBitmap DecodeScaled(const TJPEGImage& holder, int scaleShift) {
  TBitmap bitmap;
  if (!holder.Data().HasBytes()) return bitmap;
  TJPEGSettings settings = holder.Settings();
  settings.ScaleShift = std::clamp(scaleShift, 0, kMaxScaleShift);
  DecodeJpeg(holder.Data().Bytes(), settings, bitmap);
  return bitmap;
}

}  // namespace pm
