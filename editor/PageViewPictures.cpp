#include "editor/PageViewPictures.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "editor/EventGuard.h"
#include "editor/NearestStretch.h"
#include "page/PlaceholderBackground.h"

namespace pm {

namespace {

// The guard's report once the paint that failed is over: no box opens inside a paint.
void ReportAfterPaint(std::exception_ptr failure) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [failure] { ReportException(failure); }, Qt::QueuedConnection);
}

QImage WholePicture(const TBitmap& bitmap) {
  return StretchNearestPart(bitmap, bitmap.Width(), bitmap.Height(),
                            TPageRect{0, 0, bitmap.Width(), bitmap.Height()});
}

bool IsSlotNumber(int32_t number) { return number >= 0 && number < kSlotCount; }

}  // namespace

TPageViewPictures::TPageViewPictures(TPage& page, Report report)
    : page_(page), report_(report ? std::move(report) : Report(ReportAfterPaint)) {}

TPageSize TPageViewPictures::PageSize() const {
  const TPageSize placeholder{kPlaceholderWidth, kPlaceholderHeight};
  if (page_.HoldersFreed()) return placeholder;
  try {
    const TJPEGImage& holder = page_.BackgroundHolder();
    if (holder.IsEmpty() || holder.Width() <= 0 || holder.Height() <= 0) return placeholder;
    return {holder.Width(), holder.Height()};
  } catch (...) {
    // A header that can't be read: the picture is reported as missing when it is drawn.
    return placeholder;
  }
}

void TPageViewPictures::ReportOnce(bool& reported) {
  if (!reported) report_(std::current_exception());
  reported = true;
}

const QImage& TPageViewPictures::Background() {
  if (backgroundMade_) return background_;
  backgroundMade_ = true;  // first: a failure is reported once, not at every paint
  background_ = QImage();
  try {
    TJPEGImage& holder = page_.BackgroundHolder();
    TBitmap picture;
    if (holder.IsEmpty()) {
      picture = PlaceholderBackground();
    } else {
      holder.CopyToBitmap(picture);
    }
    background_ = WholePicture(picture);
  } catch (...) {
    ReportOnce(backgroundReported_);
  }
  return background_;
}

bool TPageViewPictures::SlotHoldsPicture(int32_t slot) const {
  return IsSlotNumber(slot) && !page_.SlotHolder(slot).IsEmpty();
}

bool TPageViewPictures::Matches(const Stretched& entry, int32_t slot, int64_t width, int64_t height,
                                const TPageRect& part) const {
  return entry.made && entry.slot == slot &&
         entry.generation == slotGenerations_[static_cast<size_t>(slot)] && entry.width == width &&
         entry.height == height && entry.part == part;
}

void TPageViewPictures::MakeRoomFor(int64_t pixels) {
  if (stretchedPixels_ + pixels <= kSlotPictureBudget) return;
  for (Stretched& entry : stretched_) entry = Stretched();
  stretchedPixels_ = 0;
}

const QImage& TPageViewPictures::SlotPicture(int32_t link, int32_t slot, int64_t width,
                                             int64_t height, const TPageRect& part) {
  static const QImage kNone;
  if (!SlotHoldsPicture(slot) || link < 0 || link >= kLinkCount) return kNone;
  Stretched& entry = stretched_[static_cast<size_t>(link)];
  if (Matches(entry, slot, width, height, part)) return entry.image;

  stretchedPixels_ -= int64_t{entry.image.width()} * entry.image.height();
  entry =
      Stretched{slot, slotGenerations_[static_cast<size_t>(slot)], width, height, part, {}, true};
  try {
    MakeRoomFor(part.Width() * part.Height());
    TBitmap picture;
    page_.SlotHolder(slot).CopyToBitmap(picture);
    QImage image = StretchNearestPart(picture, width, height, part);
    stretchedPixels_ += int64_t{image.width()} * image.height();
    // The budget may have emptied every entry, this one too.
    Stretched& kept = stretched_[static_cast<size_t>(link)];
    kept = Stretched{
        slot, slotGenerations_[static_cast<size_t>(slot)], width, height, part, std::move(image),
        true};
    return kept.image;
  } catch (...) {
    ReportOnce(slotReported_[static_cast<size_t>(slot)]);
  }
  return stretched_[static_cast<size_t>(link)].image;
}

void TPageViewPictures::BackgroundChanged() {
  backgroundMade_ = false;
  backgroundReported_ = false;
  background_ = QImage();
}

void TPageViewPictures::SlotChanged(int32_t slot) {
  if (!IsSlotNumber(slot)) return;
  ++slotGenerations_[static_cast<size_t>(slot)];
  slotReported_[static_cast<size_t>(slot)] = false;
}

void TPageViewPictures::PageReplaced() {
  BackgroundChanged();
  for (int32_t slot = 0; slot < kSlotCount; ++slot) SlotChanged(slot);
  for (Stretched& entry : stretched_) entry = Stretched();
  stretchedPixels_ = 0;
}

}  // namespace pm
