#include "imaging/TopDownPicture.h"

#include "base/Exceptions.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureLimit.h"

namespace pm {

namespace {

constexpr uint16_t kBitCount = 24;

}  // namespace

void CheckPictureSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) throw EInvalidGraphic(kInvalidBitmapMessage);
  CheckImportedPictureSize(width, height);
}

std::shared_ptr<TBitmapImage> NewTopDownPicture(int64_t width, int64_t height) {
  CheckPictureSize(width, height);
  TBitmapInfo info;
  info.form = TBitmapForm::DeviceIndependent;
  info.width = static_cast<int32_t>(width);
  info.height = static_cast<int32_t>(height);
  info.bitCount = kBitCount;
  info.rowOrder = TRowOrder::TopDown;
  return std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Zero);
}

void ComposeOverWhite(const uint8_t* bgra, uint8_t* bgr, int64_t width) {
  for (int64_t x = 0; x < width; ++x, bgra += kBgraBytes, bgr += kBgrBytes) {
    const uint8_t alpha = bgra[3];
    bgr[0] = OverWhite(bgra[0], alpha);
    bgr[1] = OverWhite(bgra[1], alpha);
    bgr[2] = OverWhite(bgra[2], alpha);
  }
}

}  // namespace pm
