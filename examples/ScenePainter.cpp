#include "examples/ScenePainter.h"

#include <algorithm>
#include <cmath>

namespace pm::examples {

namespace {

// Sample points a pixel, across and down: 16 in all, at the centres of a 4 × 4 grid.
constexpr int kSamplesAcross = 4;
constexpr double kSampleStep = 1.0 / kSamplesAcross;
constexpr int kSamplesPerPixel = kSamplesAcross * kSamplesAcross;

uint8_t MixChannel(uint8_t from, uint8_t to, double share) {
  return static_cast<uint8_t>(std::lround(from + (to - from) * share));
}

// One pixel of a 24-bit row, blue, green, red, moved towards the colour by `share`.
void Blend(uint8_t* bgr, TColor color, double share) {
  bgr[0] = MixChannel(bgr[0], color.blue, share);
  bgr[1] = MixChannel(bgr[1], color.green, share);
  bgr[2] = MixChannel(bgr[2], color.red, share);
}

}  // namespace

TColor Mix(TColor from, TColor to, double share) {
  return TColor{MixChannel(from.red, to.red, share), MixChannel(from.green, to.green, share),
                MixChannel(from.blue, to.blue, share)};
}

TColor Darker(TColor color, double share) { return Mix(color, TColor{0, 0, 0}, share); }

TColor Lighter(TColor color, double share) { return Mix(color, TColor{255, 255, 255}, share); }

TBitmap NewPicture(int32_t width, int32_t height) {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf24bit);  // an empty bitmap records the format only
  picture.SetWidth(width);
  picture.SetHeight(height);  // now the store: 24 bits, every pixel white
  return picture;
}

TScenePainter::TScenePainter(TBitmap& bitmap) : bitmap_(bitmap) {}

void TScenePainter::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                             TColor color) {
  TCanvas& canvas = bitmap_.Canvas();
  canvas.Brush().Color = color;
  canvas.FillRect(left, top, right, bottom);
}

void TScenePainter::Shade(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor color,
                          double opacity) {
  FillCovered(left, top, right, bottom, color, opacity, [](double, double) { return true; });
}

void TScenePainter::VerticalGradient(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                     TColor topColor, TColor bottomColor) {
  const double rows = std::max(bottom - top - 1, 1);
  for (int32_t y = top; y < bottom; ++y) {
    FillRect(left, y, right, y + 1, Mix(topColor, bottomColor, (y - top) / rows));
  }
}

void TScenePainter::Frame(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width,
                          TColor color) {
  FillRect(left, top, right, top + width, color);
  FillRect(left, bottom - width, right, bottom, color);
  FillRect(left, top + width, left + width, bottom - width, color);
  FillRect(right - width, top + width, right, bottom - width, color);
}

void TScenePainter::Ellipse(double centerX, double centerY, double radiusX, double radiusY,
                            TColor color, double opacity) {
  FillCovered(centerX - radiusX, centerY - radiusY, centerX + radiusX, centerY + radiusY, color,
              opacity, [=](double x, double y) {
                const double dx = (x - centerX) / radiusX;
                const double dy = (y - centerY) / radiusY;
                return dx * dx + dy * dy <= 1;
              });
}

void TScenePainter::Polygon(const std::vector<TPoint>& corners, TColor color, double opacity) {
  if (corners.size() < 3) return;
  double left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const TPoint& p : corners) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  FillCovered(left, top, right, bottom, color, opacity, [&corners](double x, double y) {
    // A ray to the right crosses the outline an odd number of times from inside.
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const TPoint& a = corners[i];
      const TPoint& b = corners[j];
      if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) {
        inside = !inside;
      }
    }
    return inside;
  });
}

void TScenePainter::RoundedRect(double left, double top, double right, double bottom, double radius,
                                TColor color, double opacity) {
  radius = std::min({radius, (right - left) / 2, (bottom - top) / 2});
  FillCovered(left, top, right, bottom, color, opacity, [=](double x, double y) {
    // The distance to the rectangle that the corners' centres span.
    const double dx = x - std::clamp(x, left + radius, right - radius);
    const double dy = y - std::clamp(y, top + radius, bottom - radius);
    return dx * dx + dy * dy <= radius * radius;
  });
}

void TScenePainter::Line(TPoint from, TPoint to, double width, TColor color, double opacity) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  if (length == 0) return;
  // Half the width across the stroke, and as much beyond each end.
  const double acrossX = -(to.y - from.y) / length * width / 2;
  const double acrossY = (to.x - from.x) / length * width / 2;
  const double alongX = acrossY, alongY = -acrossX;
  Polygon({{from.x - alongX + acrossX, from.y - alongY + acrossY},
           {to.x + alongX + acrossX, to.y + alongY + acrossY},
           {to.x + alongX - acrossX, to.y + alongY - acrossY},
           {from.x - alongX - acrossX, from.y - alongY - acrossY}},
          color, opacity);
}

template <typename Inside>
void TScenePainter::FillCovered(double left, double top, double right, double bottom, TColor color,
                                double opacity, Inside inside) {
  const int32_t x0 = std::max(0, static_cast<int32_t>(std::floor(left)));
  const int32_t y0 = std::max(0, static_cast<int32_t>(std::floor(top)));
  const int32_t x1 = std::min(Width(), static_cast<int32_t>(std::ceil(right)));
  const int32_t y1 = std::min(Height(), static_cast<int32_t>(std::ceil(bottom)));
  for (int32_t y = y0; y < y1; ++y) {
    uint8_t* row = bitmap_.ScanLine(y);
    for (int32_t x = x0; x < x1; ++x) {
      int covered = 0;
      for (int sy = 0; sy < kSamplesAcross; ++sy) {
        for (int sx = 0; sx < kSamplesAcross; ++sx) {
          if (inside(x + (sx + 0.5) * kSampleStep, y + (sy + 0.5) * kSampleStep)) ++covered;
        }
      }
      if (covered > 0) Blend(row + 3 * x, color, opacity * covered / kSamplesPerPixel);
    }
  }
}

}  // namespace pm::examples
