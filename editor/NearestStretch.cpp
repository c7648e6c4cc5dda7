#include "editor/NearestStretch.h"

#include <cstring>
#include <new>
#include <vector>

namespace pm {

namespace {

constexpr int kBgrBytes = 3;

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

// The source pixels of one row that a part shows, as blue, green, red bytes: read in place from
// a 24-bit store, or from the row in that form.
class SourceRows {
 public:
  explicit SourceRows(const TBitmap& bitmap)
      : bitmap_(bitmap), inPlace_(bitmap.Info().StoreBitCount() == kBgrBytes * 8) {
    if (!inPlace_) row_.resize(static_cast<size_t>(bitmap.Width()) * kBgrBytes);
  }

  // The bytes of row y from the top, starting at column 0.
  const uint8_t* Row(int32_t y) {
    if (inPlace_) return bitmap_.ConstScanLine(y);
    bitmap_.ReadRowBgr(y, row_.data());
    return row_.data();
  }

 private:
  const TBitmap& bitmap_;
  bool inPlace_;
  std::vector<uint8_t> row_;
};

void WriteRow(const uint8_t* bgr, const std::vector<int32_t>& columns, QRgb* row) {
  // Unstretched columns, the common case of a display copy, need no lookup.
  if (!columns.empty() &&
      columns.back() - columns.front() + 1 == static_cast<int32_t>(columns.size())) {
    const uint8_t* pixel = bgr + int64_t{columns.front()} * kBgrBytes;
    for (size_t x = 0; x < columns.size(); ++x, pixel += kBgrBytes) {
      row[x] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
    return;
  }
  for (size_t x = 0; x < columns.size(); ++x) {
    const uint8_t* pixel = bgr + int64_t{columns[x]} * kBgrBytes;
    row[x] = qRgb(pixel[2], pixel[1], pixel[0]);
  }
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
  const size_t rowBytes = static_cast<size_t>(image.width()) * sizeof(QRgb);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    // Rows that repeat a source row copy the destination row made from it.
    if (y > 0 && rows[static_cast<size_t>(y)] == rows[static_cast<size_t>(y) - 1]) {
      std::memcpy(row, image.constScanLine(y - 1), rowBytes);
      continue;
    }
    WriteRow(source.Row(rows[static_cast<size_t>(y)]), columns, row);
  }
}

}  // namespace pm
