#include "editor/Image.h"

#include <QPaintEvent>
#include <QPainter>
#include <cstring>
#include <vector>

#include "editor/EventGuard.h"

namespace pm {

namespace {

constexpr int kBgrBytes = 3;

// For each destination index, the source index that it shows.
std::vector<int32_t> NearestIndices(int32_t sourceLength, int destinationLength) {
  std::vector<int32_t> indices(static_cast<size_t>(destinationLength));
  for (int i = 0; i < destinationLength; ++i) {
    indices[static_cast<size_t>(i)] =
        static_cast<int32_t>(int64_t{i} * sourceLength / destinationLength);
  }
  return indices;
}

void WriteRow(const uint8_t* bgr, const std::vector<int32_t>& columns, QRgb* row) {
  for (size_t x = 0; x < columns.size(); ++x) {
    const uint8_t* pixel = bgr + int64_t{columns[x]} * kBgrBytes;
    row[x] = qRgb(pixel[2], pixel[1], pixel[0]);
  }
}

}  // namespace

QImage StretchNearest(const TBitmap& bitmap, QSize size) {
  if (bitmap.Empty() || bitmap.Width() <= 0 || bitmap.Height() <= 0 || size.isEmpty()) return {};
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) throw std::bad_alloc();
  const std::vector<int32_t> columns = NearestIndices(bitmap.Width(), size.width());
  const std::vector<int32_t> rows = NearestIndices(bitmap.Height(), size.height());
  std::vector<uint8_t> bgr(static_cast<size_t>(bitmap.Width()) * kBgrBytes);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    // Rows that repeat a source row copy the destination row made from it.
    if (y > 0 && rows[static_cast<size_t>(y)] == rows[static_cast<size_t>(y) - 1]) {
      std::memcpy(row, image.constScanLine(y - 1),
                  static_cast<size_t>(size.width()) * sizeof(QRgb));
      continue;
    }
    bitmap.ReadRowBgr(rows[static_cast<size_t>(y)], bgr.data());
    WriteRow(bgr.data(), columns, row);
  }
  return image;
}

TImage::TImage(QWidget* parent) : QWidget(parent) {}

TImage::~TImage() = default;

void TImage::SetPicture(const TBitmap* bitmap) {
  std::unique_ptr<TBitmap> copy = bitmap ? std::make_unique<TBitmap>(*bitmap) : nullptr;
  QImage stretched = copy ? StretchNearest(*copy, size()) : QImage();
  picture_ = std::move(copy);
  stretched_ = std::move(stretched);
  stretchedFor_ = size();
  update();
}

void TImage::Refresh() { repaint(); }

const QImage& TImage::Stretched() {
  if (picture_ && stretchedFor_ != size()) {
    // Marked first: a failure is reported once, not at every paint.
    stretched_ = QImage();
    stretchedFor_ = size();
    stretched_ = StretchNearest(*picture_, size());
  }
  return stretched_;
}

void TImage::paintEvent(QPaintEvent*) {
  if (!picture_) return;
  // Painting can't stop for an error box: a failure leaves the box blank and is reported once
  // the paint is over.
  try {
    const QImage& stretched = Stretched();
    if (stretched.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, stretched);
  } catch (...) {
    QMetaObject::invokeMethod(
        this, [failure = std::current_exception()] { ReportException(failure); },
        Qt::QueuedConnection);
  }
}

}  // namespace pm
