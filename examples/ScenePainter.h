// Smooth drawing on a 24-bit bitmap for the sample document's pictures: rectangles through the
// bitmap's canvas, and filled shapes whose edges are blended by how much of each pixel they
// cover, sampled 4 × 4 times a pixel.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/Color.h"

namespace pm::examples {

struct TPoint {
  double x = 0;
  double y = 0;
};

// A colour from its 0xRRGGBB value.
constexpr TColor Rgb(uint32_t value) {
  return TColor{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value)};
}

// `from` moved towards `to` by `share` (0: from, 1: to).
TColor Mix(TColor from, TColor to, double share);
// The colour moved towards black or white by `share`.
TColor Darker(TColor color, double share);
TColor Lighter(TColor color, double share);

// A 24-bit bitmap of the given size, every pixel white.
TBitmap NewPicture(int32_t width, int32_t height);

class TScenePainter {
 public:
  // Draws on `bitmap`, which must be a 24-bit picture (see NewPicture).
  explicit TScenePainter(TBitmap& bitmap);

  int32_t Width() const { return bitmap_.Width(); }
  int32_t Height() const { return bitmap_.Height(); }

  // Pixels [left, right) × [top, bottom) take the colour, through the bitmap's canvas.
  void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor color);
  // The same area with the colour laid over it at `opacity` (0 to 1).
  void Shade(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor color,
             double opacity);
  // Row by row from `top` colour at the top edge to `bottom` colour at the bottom edge.
  void VerticalGradient(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor topColor,
                        TColor bottomColor);
  // A rectangle outline `width` pixels wide, inside the rectangle.
  void Frame(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width, TColor color);

  // Smooth-edged shapes, in pixel coordinates where pixel (x, y) covers [x, x + 1) × [y, y + 1).
  void Ellipse(double centerX, double centerY, double radiusX, double radiusY, TColor color,
               double opacity = 1);
  void Circle(double centerX, double centerY, double radius, TColor color, double opacity = 1) {
    Ellipse(centerX, centerY, radius, radius, color, opacity);
  }
  // Any simple or self-crossing polygon, filled by the even-odd rule.
  void Polygon(const std::vector<TPoint>& corners, TColor color, double opacity = 1);
  void Polygon(std::initializer_list<TPoint> corners, TColor color, double opacity = 1) {
    Polygon(std::vector<TPoint>(corners), color, opacity);
  }
  void RoundedRect(double left, double top, double right, double bottom, double radius,
                   TColor color, double opacity = 1);
  // A straight stroke `width` pixels wide with square ends.
  void Line(TPoint from, TPoint to, double width, TColor color, double opacity = 1);

 private:
  // Fills the pixels of [left, right) × [top, bottom), clipped to the picture, that `inside`
  // covers: each takes the colour in the share of its sample points inside, times `opacity`.
  template <typename Inside>
  void FillCovered(double left, double top, double right, double bottom, TColor color,
                   double opacity, Inside inside);

  TBitmap& bitmap_;
};

}  // namespace pm::examples
