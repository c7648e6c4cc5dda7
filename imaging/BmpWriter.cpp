#include "imaging/BmpWriter.h"

#include <vector>

#include "base/Stream.h"

namespace pm {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMasksSize = 12;
constexpr uint16_t kPlanes = 1;

class HeaderWriter {
 public:
  void U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void Quad(const TRGBQuad& q) {
    bytes_.insert(bytes_.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved});
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

void WriteBmpImage(const TBitmapImage& image, TStream& stream) {
  if (!image.HasStore()) return;
  const TBitmapInfo& info = image.Info();
  const bool display = info.form == TBitmapForm::Display;
  const uint16_t bitCount = info.StoreBitCount();
  const bool bitFields = !display && info.compression == BI_BITFIELDS;
  const bool topDown = display || info.rowOrder == TRowOrder::TopDown;
  const std::vector<TRGBQuad> noTable;
  const auto& table = bitCount <= 8 ? info.colorTable : noTable;

  const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + (bitFields ? kMasksSize : 0) +
                              static_cast<uint32_t>(table.size() * 4);
  const auto imageSize = static_cast<uint32_t>(image.StoreSize());

  HeaderWriter header;
  header.U16(0x4D42);  // "BM"
  header.U32(dataOffset + imageSize);
  header.U32(0);
  header.U32(dataOffset);
  header.U32(kInfoHeaderSize);
  header.U32(static_cast<uint32_t>(info.width));
  header.U32(static_cast<uint32_t>(topDown ? -info.height : info.height));
  header.U16(kPlanes);
  header.U16(bitCount);
  header.U32(bitFields ? BI_BITFIELDS : BI_RGB);
  header.U32(imageSize);
  header.U32(static_cast<uint32_t>(info.xPelsPerMeter));
  header.U32(static_cast<uint32_t>(info.yPelsPerMeter));
  header.U32(static_cast<uint32_t>(table.size()));
  header.U32(0);
  if (bitFields) {
    for (const uint32_t mask : info.masks) header.U32(mask);
  }
  for (const TRGBQuad& entry : table) header.Quad(entry);

  stream.WriteBuffer(header.Bytes().data(), static_cast<int64_t>(header.Bytes().size()));
  stream.WriteBuffer(image.Bytes(), image.StoreSize());
}

}  // namespace pm
