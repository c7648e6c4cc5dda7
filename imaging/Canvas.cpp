#include "imaging/Canvas.h"

#include <algorithm>

#include "imaging/Bitmap.h"

namespace pm {

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  TBitmapImage& image = bitmap_.MutableImage();
  // Edges computed in 64 bits, then clipped to the picture, so that no coordinate overflows.
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  auto fill = [&image](int64_t l, int64_t t, int64_t r, int64_t b, TColor color) {
    auto clip = [](int64_t v, int64_t limit) {
      return static_cast<int32_t>(std::clamp<int64_t>(v, 0, limit));
    };
    image.FillRectangle(clip(l, image.Width()), clip(t, image.Height()), clip(r, image.Width()),
                        clip(b, image.Height()), color);
  };
  if (pen_.Style == TPenStyle::psClear) {
    // Without an outline the fill leaves out the right column and the bottom row.
    if (brush_.Style == TBrushStyle::bsSolid) fill(left, top, right - 1, bottom - 1, brush_.Color);
  } else {
    const int64_t w = std::max(pen_.Width, 1);
    if (brush_.Style == TBrushStyle::bsSolid) {
      fill(left + w, top + w, right - w, bottom - w, brush_.Color);
    }
    fill(left, top, right, std::min(top + w, bottom), pen_.Color);
    fill(left, std::max(bottom - w, top), right, bottom, pen_.Color);
    fill(left, top, std::min(left + w, right), bottom, pen_.Color);
    fill(std::max(right - w, left), top, right, bottom, pen_.Color);
  }
  bitmap_.ReportChanged();
}

void TCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  bitmap_.MutableImage().FillRectangle(x1, y1, x2, y2, brush_.Color);
  bitmap_.ReportChanged();
}

}  // namespace pm
