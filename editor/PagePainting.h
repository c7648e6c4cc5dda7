// Painting a page's pictures from the page view's display copies (PageViewPictures.h) through
// its transform: the background's tiles that an exposed widget area shows, and a link's slot
// picture stretched to the link's rectangle. The editing view and reading mode both paint so.
#pragma once

#include <QPainter>
#include <QRectF>
#include <cstdint>

#include "editor/PageViewPictures.h"
#include "editor/PageViewTransform.h"
#include "page/LinkRecord.h"

namespace pm {

// The background where it meets `exposed` (widget pixels); a background that can't be shown is
// hatched over the page's area.
void PaintBackground(QPainter& painter, TPageViewPictures& pictures,
                     const TPageViewTransform& transform, const QRectF& exposed);

// The part on the page of link `link`'s slot picture (the slot that `shown` names), stretched to
// its rectangle, where it meets `exposed`; hatched when the picture can't be shown, nothing when
// the slot holds none.
void PaintSlotPicture(QPainter& painter, TPageViewPictures& pictures,
                      const TPageViewTransform& transform, int32_t link, const TLinkRecord& shown,
                      const QRectF& exposed);

}  // namespace pm
