// The one mapping between the page view's drawing area and the page: painting places page
// pixels through it and the pointer is mapped back through it, so that both agree at every zoom
// and device pixel ratio.
//
// At 100 % one page pixel takes one of the widget's (logical) pixels; the screen shows it with
// zoom × device pixel ratio device pixels. The pointer names the device pixel under it, and the
// page pixel is the one whose area holds that device pixel's centre, which is the pixel that
// nearest-neighbour drawing shows there.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

#include "editor/LinkGeometry.h"

namespace pm {

inline constexpr int kLeastZoom = 25;
inline constexpr int kGreatestZoom = 800;
inline constexpr int kActualSizeZoom = 100;

class TPageViewTransform {
 public:
  // `zoom` in percent, limited to kLeastZoom … kGreatestZoom.
  explicit TPageViewTransform(int zoom = kActualSizeZoom, double devicePixelRatio = 1.0);

  int Zoom() const { return zoom_; }
  double DevicePixelRatio() const { return devicePixelRatio_; }
  // Widget pixels a page pixel.
  double Scale() const { return zoom_ / 100.0; }

  // The page pixel under a widget position; positions beside the page give pixels beside it.
  TPagePoint PageAt(QPointF position) const;
  // Where a page coordinate (a pixel's top-left corner, or an edge) lies in the widget.
  QPointF WidgetPoint(TPagePoint point) const;
  // The widget area of page pixels; huge rectangles come out huge, to be clipped before drawing.
  QRectF WidgetRect(const TPageRect& rect) const;
  // The page pixels, whole, that a widget area shows any part of.
  TPageRect PageRectCovering(const QRectF& area) const;
  // The widget size that shows the whole page.
  QSize WidgetSize(TPageSize page) const;

 private:
  int zoom_;
  double devicePixelRatio_;
};

// The zoom steps of zooming in and out, kLeastZoom to kGreatestZoom.
int NextZoomIn(int zoom);
int NextZoomOut(int zoom);
// The greatest whole percent at which `page` fits into `area` (widget pixels), within the limits.
int ZoomToFit(TPageSize page, QSize area);

}  // namespace pm
