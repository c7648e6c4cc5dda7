#include "imaging/BmpReader.h"

#include "base/Exceptions.h"

namespace pm {

std::shared_ptr<TBitmapImage> ReadBmpImage(TStream&) {
  throw EInvalidGraphic("ビットマップイメージが不正です");
}

}  // namespace pm
