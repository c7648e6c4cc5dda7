#include "editor/PageViewTransform.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pm {

namespace {

constexpr std::array kZoomSteps = {25, 33, 50, 67, 100, 150, 200, 300, 400, 600, 800};
constexpr double kHalf = 0.5;

int64_t Floor(double value) { return static_cast<int64_t>(std::floor(value)); }

}  // namespace

TPageViewTransform::TPageViewTransform(int zoom, double devicePixelRatio)
    : zoom_(std::clamp(zoom, kLeastZoom, kGreatestZoom)),
      devicePixelRatio_(devicePixelRatio > 0 ? devicePixelRatio : 1.0) {}

TPagePoint TPageViewTransform::PageAt(QPointF position) const {
  const double devicePerPagePixel = Scale() * devicePixelRatio_;
  const auto pixel = [&](double widget) {
    const double deviceCentre = std::floor(widget * devicePixelRatio_) + kHalf;
    return Floor(deviceCentre / devicePerPagePixel);
  };
  return {pixel(position.x()), pixel(position.y())};
}

QPointF TPageViewTransform::WidgetPoint(TPagePoint point) const {
  return {static_cast<double>(point.x) * Scale(), static_cast<double>(point.y) * Scale()};
}

QRectF TPageViewTransform::WidgetRect(const TPageRect& rect) const {
  return QRectF(WidgetPoint({rect.left, rect.top}), WidgetPoint({rect.right, rect.bottom}));
}

TPageRect TPageViewTransform::PageRectCovering(const QRectF& area) const {
  return {Floor(area.left() / Scale()), Floor(area.top() / Scale()),
          static_cast<int64_t>(std::ceil(area.right() / Scale())),
          static_cast<int64_t>(std::ceil(area.bottom() / Scale()))};
}

QSize TPageViewTransform::WidgetSize(TPageSize page) const {
  const auto length = [&](int64_t pageLength) {
    return static_cast<int>(std::ceil(static_cast<double>(pageLength) * Scale()));
  };
  return {length(page.width), length(page.height)};
}

int NextZoomIn(int zoom) {
  const auto* next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom);
  return next == kZoomSteps.end() ? kGreatestZoom : *next;
}

int NextZoomOut(int zoom) {
  const auto* next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom);
  return next == kZoomSteps.begin() ? kLeastZoom : *(next - 1);
}

int ZoomToFit(TPageSize page, QSize area) {
  if (page.width <= 0 || page.height <= 0 || area.isEmpty()) return kActualSizeZoom;
  const double fit = std::min(area.width() * 100.0 / static_cast<double>(page.width),
                              area.height() * 100.0 / static_cast<double>(page.height));
  return std::clamp(static_cast<int>(std::floor(fit)), kLeastZoom, kGreatestZoom);
}

}  // namespace pm
