#include "editor/Image.h"

#include <QPaintEvent>
#include <QPainter>

#include "editor/EventGuard.h"
#include "editor/NearestStretch.h"

namespace pm {

QImage StretchNearest(const TBitmap& bitmap, QSize size) {
  if (size.isEmpty()) return {};
  return StretchNearestPart(bitmap, size.width(), size.height(),
                            TPageRect{0, 0, size.width(), size.height()});
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
