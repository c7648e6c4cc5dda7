#include "editor/PageViewPictures.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>

#include "editor/EventGuard.h"
#include "editor/NearestStretch.h"
#include "page/PlaceholderBackground.h"

namespace pm {

namespace {

constexpr int64_t kPixelBytes = 4;  // RGB32
constexpr size_t kImageAlignment = 64;

size_t AlignedSize(int64_t bytes) {
  return (static_cast<size_t>(bytes) + kImageAlignment - 1) / kImageAlignment * kImageAlignment;
}

bool IsSlotNumber(int32_t number) { return number >= 0 && number < kSlotCount; }

// An RGB32 image on memory that the caller keeps.
QImage ImageOn(uint8_t* bytes, int64_t width, int64_t height) {
  return QImage(bytes, static_cast<int>(width), static_cast<int>(height),
                static_cast<qsizetype>(width * kPixelBytes), QImage::Format_RGB32);
}

}  // namespace

TPageViewPictures::TPageViewPictures(TPage& page, Report report)
    : page_(page), report_(report ? std::move(report) : Report(ReportAfterPaint)) {}

TPageViewPictures::~TPageViewPictures() = default;

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

// The background.

TPageViewPictures::Background* TPageViewPictures::TakeBackground() {
  if (backgroundTaken_) return background_.get();
  backgroundTaken_ = true;  // first: a failure is reported once, not at every paint
  try {
    TJPEGImage& holder = page_.BackgroundHolder();
    TBitmap picture;
    if (holder.IsEmpty()) {
      picture = PlaceholderBackground();
    } else {
      holder.CopyToBitmap(picture);
    }
    if (picture.Empty() || picture.Width() <= 0 || picture.Height() <= 0) return nullptr;
    const int64_t width = picture.Width();
    const int64_t height = picture.Height();
    const auto tiles = [](int64_t length) {
      return static_cast<int32_t>((length + kBackgroundTile - 1) / kBackgroundTile);
    };
    const size_t tileCount = static_cast<size_t>(tiles(width)) * static_cast<size_t>(tiles(height));
    background_.reset(new Background{
        std::move(picture), tiles(width),
        TPixelBlock(AlignedSize(width * height * kPixelBytes) + tileCount * kImageAlignment), 0,
        std::vector<QImage>(tileCount)});
  } catch (...) {
    ReportOnce(backgroundReported_);
  }
  return background_.get();
}

const QImage& TPageViewPictures::Tile(Background& background, int32_t across, int32_t down) {
  QImage& tile =
      background.tiles[static_cast<size_t>(down) * static_cast<size_t>(background.tilesAcross) +
                       static_cast<size_t>(across)];
  if (!tile.isNull()) return tile;
  const int64_t width = background.picture.Width();
  const int64_t height = background.picture.Height();
  const TPageRect place{int64_t{across} * kBackgroundTile, int64_t{down} * kBackgroundTile,
                        std::min<int64_t>(int64_t{across + 1} * kBackgroundTile, width),
                        std::min<int64_t>(int64_t{down + 1} * kBackgroundTile, height)};
  // Each tile follows the one made before it, so that the first tiles drawn, those that a
  // window shows, lie together.
  const size_t bytes = AlignedSize(place.Width() * place.Height() * kPixelBytes);
  background.block.Prepare(background.used, bytes);
  QImage made = ImageOn(background.block.Bytes() + background.used, place.Width(), place.Height());
  background.used += bytes;
  StretchNearestInto(background.picture, width, height, place, made);
  tile = std::move(made);
  return tile;
}

bool TPageViewPictures::DrawBackground(const TPageRect& area, const TileDrawer& draw) {
  Background* background = TakeBackground();
  if (background == nullptr) return false;
  const int64_t width = background->picture.Width();
  const int64_t height = background->picture.Height();
  const auto first = [](int64_t at) {
    return static_cast<int32_t>(std::max<int64_t>(at, 0) / kBackgroundTile);
  };
  const auto end = [](int64_t at, int64_t length) {
    return static_cast<int32_t>((std::clamp<int64_t>(at, 0, length) + kBackgroundTile - 1) /
                                kBackgroundTile);
  };
  for (int32_t down = first(area.top); down < end(area.bottom, height); ++down) {
    for (int32_t across = first(area.left); across < end(area.right, width); ++across) {
      const QImage& tile = Tile(*background, across, down);
      const TPageRect place{int64_t{across} * kBackgroundTile, int64_t{down} * kBackgroundTile,
                            int64_t{across} * kBackgroundTile + tile.width(),
                            int64_t{down} * kBackgroundTile + tile.height()};
      draw(place, tile);
    }
  }
  return true;
}

// The slot pictures.

bool TPageViewPictures::SlotHoldsPicture(int32_t slot) const {
  return IsSlotNumber(slot) && !page_.SlotHolder(slot).IsEmpty();
}

bool TPageViewPictures::Matches(const Stretched& entry, int32_t slot, int64_t width, int64_t height,
                                const TPageRect& part) const {
  return entry.made && entry.slot == slot &&
         entry.generation == slotGenerations_[static_cast<size_t>(slot)] && entry.width == width &&
         entry.height == height && entry.part == part;
}

void TPageViewPictures::DropStretched() {
  for (Stretched& entry : stretched_) entry = Stretched();
  slotBlockUsed_ = 0;
}

QImage TPageViewPictures::SlotPictureImage(int64_t width, int64_t height) {
  const size_t bytes = static_cast<size_t>(width * height * kPixelBytes);
  const size_t capacity = static_cast<size_t>(kSlotPictureBudget * kPixelBytes);
  if (bytes > capacity) {
    // Larger than the whole budget (a link over most of a huge page): an image of its own.
    QImage own(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (own.isNull()) throw std::bad_alloc();
    return own;
  }
  if (!slotBlock_) slotBlock_ = std::make_unique<TPixelBlock>(capacity);
  if (slotBlockUsed_ + bytes > capacity) DropStretched();
  slotBlock_->Prepare(slotBlockUsed_, bytes);
  QImage image = ImageOn(slotBlock_->Bytes() + slotBlockUsed_, width, height);
  slotBlockUsed_ += AlignedSize(static_cast<int64_t>(bytes));
  return image;
}

const QImage& TPageViewPictures::SlotPicture(int32_t link, int32_t slot, int64_t width,
                                             int64_t height, const TPageRect& part) {
  static const QImage kNone;
  if (!SlotHoldsPicture(slot) || link < 0 || link >= kLinkCount) return kNone;
  Stretched& entry = stretched_[static_cast<size_t>(link)];
  if (Matches(entry, slot, width, height, part)) return entry.image;

  // Marked made first: a picture that can't be made is reported once and then drawn as missing.
  entry =
      Stretched{slot, slotGenerations_[static_cast<size_t>(slot)], width, height, part, {}, true};
  try {
    TBitmap picture;
    page_.SlotHolder(slot).CopyToBitmap(picture);
    QImage image = SlotPictureImage(part.Width(), part.Height());
    StretchNearestInto(picture, width, height, part, image);
    entry = Stretched{
        slot, slotGenerations_[static_cast<size_t>(slot)], width, height, part, std::move(image),
        true};
  } catch (...) {
    ReportOnce(slotReported_[static_cast<size_t>(slot)]);
  }
  return entry.image;
}

// Changes.

void TPageViewPictures::BackgroundChanged() {
  backgroundTaken_ = false;
  backgroundReported_ = false;
  background_.reset();
}

void TPageViewPictures::SlotChanged(int32_t slot) {
  if (!IsSlotNumber(slot)) return;
  ++slotGenerations_[static_cast<size_t>(slot)];
  slotReported_[static_cast<size_t>(slot)] = false;
}

void TPageViewPictures::PageReplaced() {
  BackgroundChanged();
  for (int32_t slot = 0; slot < kSlotCount; ++slot) SlotChanged(slot);
  DropStretched();
}

}  // namespace pm
