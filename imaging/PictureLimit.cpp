#include "imaging/PictureLimit.h"

#include <cstdint>

#include "imaging/JpegLibrary.h"
#include "imaging/PixelStore.h"

// jerror.h takes its conditions from the configuration that jpeglib.h includes.
#include <jerror.h>

namespace pm {

namespace {

// Beyond this a side can't belong to a picture within the limit, and the product can't overflow.
constexpr int64_t kLargestSide = kMaxPicturePixels;

int64_t Magnitude(int64_t value) {
  if (value == INT64_MIN) return INT64_MAX;
  return value < 0 ? -value : value;
}

}  // namespace

bool PictureFitsLimit(int64_t width, int64_t height) {
  const int64_t w = Magnitude(width), h = Magnitude(height);
  if (w > kLargestSide || h > kLargestSide) return false;
  return w * h <= kMaxPicturePixels;
}

void CheckPictureLimit(int64_t width, int64_t height) {
  if (!PictureFitsLimit(width, height)) RaiseStoreError();
}

void CheckImportedPictureSize(int64_t width, int64_t height) {
  CheckPictureLimit(width, height);
  if (Magnitude(width) > kMaxJpegSide || Magnitude(height) > kMaxJpegSide) {
    RaiseJpegError(JERR_IMAGE_TOO_BIG);
  }
}

}  // namespace pm
