#include "imaging/BmpWriter.h"

#include <algorithm>
#include <vector>

#include "base/Stream.h"

namespace pm {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMasksSize = 12;
constexpr uint16_t kPlanes = 1;
constexpr uint16_t kTrueColorBitCount = 24;
// Converted rows are written in pieces of about this size.
constexpr int64_t kWritePieceSize = 1 << 20;

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

// The file header and the information header of a picture without masks or colour table.
HeaderWriter PlainHeaders(int32_t width, int32_t height, uint16_t bitCount, uint32_t imageSize) {
  HeaderWriter header;
  const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;
  header.U16(0x4D42);  // "BM"
  header.U32(dataOffset + imageSize);
  header.U32(0);
  header.U32(dataOffset);
  header.U32(kInfoHeaderSize);
  header.U32(static_cast<uint32_t>(width));
  header.U32(static_cast<uint32_t>(height));
  header.U16(kPlanes);
  header.U16(bitCount);
  header.U32(BI_RGB);
  header.U32(imageSize);
  for (int field = 0; field < 4; ++field) header.U32(0);  // resolutions, colour counts
  return header;
}

}  // namespace

void WriteBmpImage24(const TBitmapImage& image, TStream& stream) {
  if (!image.HasStore()) return;
  const int32_t width = image.Width();
  const int32_t height = image.Height();
  const int64_t stride = StrideOf(width, kTrueColorBitCount);
  const HeaderWriter header =
      PlainHeaders(width, height, kTrueColorBitCount, static_cast<uint32_t>(stride * height));
  stream.WriteBuffer(header.Bytes().data(), static_cast<int64_t>(header.Bytes().size()));

  // The bottom row first; the bytes after each row's pixels stay 0.
  const int64_t rowsAPiece = std::max<int64_t>(1, kWritePieceSize / stride);
  std::vector<uint8_t> piece(static_cast<size_t>(std::min<int64_t>(rowsAPiece, height) * stride));
  for (int32_t bottom = height; bottom > 0;) {
    const auto rows = static_cast<int32_t>(std::min<int64_t>(rowsAPiece, bottom));
    for (int32_t i = 0; i < rows; ++i) {
      image.ReadRowBgr(bottom - 1 - i, piece.data() + i * stride);
    }
    stream.WriteBuffer(piece.data(), rows * stride);
    bottom -= rows;
  }
}

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
