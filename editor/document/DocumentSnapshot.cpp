#include "editor/document/DocumentSnapshot.h"

#include "editor/NearestStretch.h"
#include "imaging/ScaledDecoding.h"
#include "page/DocumentReading.h"
#include "page/PageFile.h"

namespace pm {

namespace {

constexpr TPageFileReading kReading{.access = FileAccess::ReadShared, .decodeShown = false};
// The snapshot keeps the thumbnails of this many pages at most (some 100 MiB); the backgrounds
// of further pages are still decoded, to tell whether they load.
constexpr size_t kMostThumbnails = 2000;

// The picture made no larger than the thumbnail box, its proportions kept.
QImage FittedToThumbnail(QImage picture) {
  if (picture.width() <= kThumbnailWidth && picture.height() <= kThumbnailHeight) return picture;
  return picture.scaled(kThumbnailWidth, kThumbnailHeight, Qt::KeepAspectRatio,
                        Qt::SmoothTransformation);
}

// The background decoded at the most reduced scale that still fills the thumbnail box; a null
// image for a page without a background.
QImage Thumbnail(const TJPEGImage& background) {
  if (background.IsEmpty()) return {};
  const int shift =
      ScaleShiftFor(background.Width(), background.Height(), kThumbnailWidth, kThumbnailHeight);
  const TBitmap decoded = DecodeScaled(background, shift);
  if (decoded.Empty()) return {};
  const int64_t width = decoded.Width();
  const int64_t height = decoded.Height();
  return FittedToThumbnail(StretchNearestPart(decoded, width, height, {0, 0, width, height}));
}

}  // namespace

std::shared_ptr<const TDocumentSnapshot> ReadDocumentSnapshot(const std::string& pattern,
                                                              std::optional<int32_t> start,
                                                              const TSnapshotProgress& progress) {
  auto snapshot = std::make_shared<TDocumentSnapshot>(
      TDocumentSnapshot{TDocument(pattern, start), {}, {}, {}, {}});
  TDocumentReadingSteps steps;
  steps.progress = progress;
  steps.pageRead = [&snapshot](const TDocumentPageFile& file, const TPage& page) {
    QImage thumbnail = Thumbnail(page.BackgroundHolder());
    if (!thumbnail.isNull() && snapshot->thumbnails.size() < kMostThumbnails) {
      snapshot->thumbnails[file.number] = std::move(thumbnail);
    }
  };
  std::optional<std::vector<TPageOutline>> outlines =
      ReadDocumentOutlines(snapshot->document, kReading, steps);
  if (!outlines) return nullptr;
  snapshot->outlines = std::move(*outlines);
  snapshot->overview = OverviewOf(snapshot->document, snapshot->outlines);
  snapshot->layout = LayOutMap(snapshot->overview);
  return snapshot;
}

}  // namespace pm
