#include "editor/PagePainting.h"

#include <QColor>
#include <QImage>
#include <algorithm>

#include "imaging/PictureLimit.h"
#include "page/LinkArea.h"

namespace pm {

namespace {

const QColor kMissingPicture(128, 128, 128);

}  // namespace

void PaintBackground(QPainter& painter, TPageViewPictures& pictures,
                     const TPageViewTransform& transform, const QRectF& exposed) {
  const TPageSize page = pictures.PageSize();
  const bool shown = pictures.DrawBackground(transform.PageRectCovering(exposed),
                                             [&](const TPageRect& place, const QImage& tile) {
                                               painter.drawImage(transform.WidgetRect(place), tile);
                                             });
  if (!shown) {
    painter.fillRect(transform.WidgetRect({0, 0, page.width, page.height}),
                     QBrush(kMissingPicture, Qt::DiagCrossPattern));
  }
}

void PaintSlotPicture(QPainter& painter, TPageViewPictures& pictures,
                      const TPageViewTransform& transform, int32_t link, const TLinkRecord& shown,
                      const QRectF& exposed) {
  if (!pictures.SlotHoldsPicture(shown.Bitmap)) return;
  const TPageRect covered = LinkRectangle(shown);
  const TPageSize page = pictures.PageSize();
  TPageRect visible{std::max<int64_t>(covered.left, 0), std::max<int64_t>(covered.top, 0),
                    std::min(covered.right, page.width), std::min(covered.bottom, page.height)};
  if (visible.Width() <= 0 || visible.Height() <= 0) return;
  if (visible.Width() * visible.Height() > kSlotPictureBudget) {
    // A link over most of a huge page: only the part being painted is made.
    const TPageRect painted = transform.PageRectCovering(exposed);
    visible = {std::max(visible.left, painted.left), std::max(visible.top, painted.top),
               std::min(visible.right, painted.right), std::min(visible.bottom, painted.bottom)};
    if (visible.Width() <= 0 || visible.Height() <= 0) return;
  }
  const TPageRect part{visible.left - covered.left, visible.top - covered.top,
                       visible.right - covered.left, visible.bottom - covered.top};
  // Beyond the picture limit (a page wider than any picture can be) nothing is made.
  static const QImage kNone;
  const QImage& picture =
      PictureFitsLimit(part.Width(), part.Height())
          ? pictures.SlotPicture(link, shown.Bitmap, covered.Width(), covered.Height(), part)
          : kNone;
  const QRectF target = transform.WidgetRect(visible);
  if (picture.isNull()) {
    painter.fillRect(target, QBrush(kMissingPicture, Qt::BDiagPattern));
    return;
  }
  painter.drawImage(target, picture);
}

}  // namespace pm
