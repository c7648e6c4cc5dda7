#include "editor/NearestStretch.h"

#include <QtEndian>
#include <cstring>
#include <new>
#include <vector>

namespace pm {

namespace {

constexpr int kBgrBytes = 3;
constexpr int kBgrxBytes = 4;
constexpr QRgb kOpaque = 0xFF000000;
constexpr uint32_t kColourBits = 0x00FFFFFF;

// For each destination index of [first, last), the source index that it shows.
std::vector<int32_t> NearestIndices(int32_t sourceLength, int64_t destinationLength, int64_t first,
                                    int64_t last) {
  std::vector<int32_t> indices(static_cast<size_t>(last - first));
  for (int64_t i = first; i < last; ++i) {
    indices[static_cast<size_t>(i - first)] =
        static_cast<int32_t>(i * sourceLength / destinationLength);
  }
  return indices;
}

// The source pixels of one row: read in place from a store of blue, green, red (24 bits) or
// blue, green, red and an unused byte (32 bits, the display form among them); from any other
// store converted to blue, green, red first.
class SourceRows {
 public:
  explicit SourceRows(const TBitmap& bitmap) : bitmap_(bitmap), pixelBytes_(InPlaceBytes(bitmap)) {
    if (pixelBytes_ == 0) row_.resize(static_cast<size_t>(bitmap.Width()) * kBgrBytes);
  }

  // Bytes a pixel of the rows that Row gives.
  int PixelBytes() const { return pixelBytes_ == 0 ? kBgrBytes : pixelBytes_; }
  // The bytes of row y from the top, starting at column 0.
  const uint8_t* Row(int32_t y) {
    if (pixelBytes_ != 0) return bitmap_.ConstScanLine(y);
    bitmap_.ReadRowBgr(y, row_.data());
    return row_.data();
  }

 private:
  static int InPlaceBytes(const TBitmap& bitmap) {
    const TBitmapInfo& info = bitmap.Info();
    if (info.StoreBitCount() == kBgrBytes * 8 && info.compression == BI_RGB) return kBgrBytes;
    if (info.StoreBitCount() == kBgrxBytes * 8 && info.compression == BI_RGB) return kBgrxBytes;
    return 0;
  }

  const TBitmap& bitmap_;
  int pixelBytes_;  // 0: converted
  std::vector<uint8_t> row_;
};

// An opaque display pixel of blue, green and red bytes: read as a little-endian word, they are
// already in the places that a display pixel keeps them.
QRgb OpaquePixel(const uint8_t* pixel) {
  uint32_t word;
  std::memcpy(&word, pixel, sizeof word);
  return kOpaque | (qFromLittleEndian(word) & kColourBits);
}

// Each pixel is one word read and two bit operations. A 3-byte pixel's word takes the next
// pixel's first byte along, so the source row's last pixel is read byte by byte: its word would
// reach past the row.
void WriteRow(const uint8_t* pixels, int pixelBytes, int32_t sourceWidth,
              const std::vector<int32_t>& columns, QRgb* row) {
  const int32_t lastWordColumn = pixelBytes == kBgrxBytes ? sourceWidth : sourceWidth - 1;
  for (size_t x = 0; x < columns.size(); ++x) {
    const uint8_t* pixel = pixels + int64_t{columns[x]} * pixelBytes;
    row[x] = columns[x] < lastWordColumn ? OpaquePixel(pixel) : qRgb(pixel[2], pixel[1], pixel[0]);
  }
}

// A row whose columns are the source's own, `count` pixels from `pixels`. Three-byte pixels go
// four at a time, read as three words that hold exactly their twelve bytes; the pixels after the
// last four are read byte by byte, so nothing past them is read.
void CopyRow(const uint8_t* pixels, int pixelBytes, int64_t count, QRgb* row) {
  if (pixelBytes == kBgrxBytes) {
    for (int64_t x = 0; x < count; ++x) row[x] = OpaquePixel(pixels + x * kBgrxBytes);
    return;
  }
  constexpr int kGroup = 4;
  int64_t x = 0;
  for (; x + kGroup <= count; x += kGroup, pixels += kGroup * kBgrBytes) {
    uint32_t words[3];
    std::memcpy(words, pixels, sizeof words);
    const uint32_t a = qFromLittleEndian(words[0]);
    const uint32_t b = qFromLittleEndian(words[1]);
    const uint32_t c = qFromLittleEndian(words[2]);
    row[x] = kOpaque | (a & kColourBits);
    row[x + 1] = kOpaque | (a >> 24) | ((b & 0xFFFF) << 8);
    row[x + 2] = kOpaque | (b >> 16) | ((c & 0xFF) << 16);
    row[x + 3] = kOpaque | (c >> 8);
  }
  for (; x < count; ++x, pixels += kBgrBytes) row[x] = qRgb(pixels[2], pixels[1], pixels[0]);
}

}  // namespace

namespace {

bool StretchesSomething(const TBitmap& bitmap, int64_t width, int64_t height,
                        const TPageRect& part) {
  return !bitmap.Empty() && bitmap.Width() > 0 && bitmap.Height() > 0 && width > 0 && height > 0 &&
         part.Width() > 0 && part.Height() > 0 && part.left >= 0 && part.top >= 0 &&
         part.right <= width && part.bottom <= height;
}

}  // namespace

QImage StretchNearestPart(const TBitmap& bitmap, int64_t width, int64_t height,
                          const TPageRect& part) {
  if (!StretchesSomething(bitmap, width, height, part)) return {};
  QImage image(static_cast<int>(part.Width()), static_cast<int>(part.Height()),
               QImage::Format_RGB32);
  if (image.isNull()) throw std::bad_alloc();
  StretchNearestInto(bitmap, width, height, part, image);
  return image;
}

void StretchNearestInto(const TBitmap& bitmap, int64_t width, int64_t height, const TPageRect& part,
                        QImage& image) {
  if (!StretchesSomething(bitmap, width, height, part) || image.width() != part.Width() ||
      image.height() != part.Height() || image.format() != QImage::Format_RGB32) {
    return;
  }
  const std::vector<int32_t> columns = NearestIndices(bitmap.Width(), width, part.left, part.right);
  const std::vector<int32_t> rows = NearestIndices(bitmap.Height(), height, part.top, part.bottom);
  SourceRows source(bitmap);
  // Columns taken as they are need no look-up.
  const bool sameColumns = width == bitmap.Width();
  const size_t rowBytes = static_cast<size_t>(image.width()) * sizeof(QRgb);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    // Rows that repeat a source row copy the destination row made from it.
    if (y > 0 && rows[static_cast<size_t>(y)] == rows[static_cast<size_t>(y) - 1]) {
      std::memcpy(row, image.constScanLine(y - 1), rowBytes);
      continue;
    }
    const uint8_t* pixels = source.Row(rows[static_cast<size_t>(y)]);
    if (sameColumns) {
      CopyRow(pixels + part.left * source.PixelBytes(), source.PixelBytes(), part.Width(), row);
    } else {
      WriteRow(pixels, source.PixelBytes(), bitmap.Width(), columns, row);
    }
  }
}

}  // namespace pm
