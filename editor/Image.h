// TImage: a box with no frame and no background of its own that shows one bitmap stretched to
// its whole size, or nothing.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "imaging/Bitmap.h"

namespace pm {

class TImage : public QWidget {
 public:
  explicit TImage(QWidget* parent = nullptr);
  ~TImage() override;

  // The box's own copy of the bitmap, or nullptr.
  const TBitmap* Picture() const { return picture_.get(); }
  // Keeps a copy of `bitmap` (nullptr: nothing) in place of the picture it held, and repaints at
  // the next paint cycle. The caller may change or free its bitmap afterwards.
  void SetPicture(const TBitmap* bitmap);
  // Repaints at once.
  void Refresh();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The picture scaled to the box, made again when the box's size has changed.
  const QImage& Stretched();

  std::unique_ptr<TBitmap> picture_;
  QImage stretched_;
  QSize stretchedFor_;  // the size that stretched_ was made for, also when making it failed
};

// Scales `bitmap` to `size`, each axis on its own, by taking the nearest source pixel: the
// destination pixel (x, y) is the source pixel (x · width ÷ box width, y · height ÷ box height).
// A null image for an empty bitmap or an empty size.
QImage StretchNearest(const TBitmap& bitmap, QSize size);

}  // namespace pm
