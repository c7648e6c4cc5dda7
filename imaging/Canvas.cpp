#include "imaging/Canvas.h"

#include <algorithm>

#include "imaging/Bitmap.h"

namespace pm {

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  TBitmapImage& image = bitmap_.MutableImage();
  const int32_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int32_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (pen_.Style == TPenStyle::psClear) {
    // Without an outline the fill leaves out the right column and the bottom row.
    if (brush_.Style == TBrushStyle::bsSolid) {
      image.FillRectangle(left, top, right - 1, bottom - 1, brush_.Color);
    }
  } else {
    const int32_t w = std::max(pen_.Width, 1);
    if (brush_.Style == TBrushStyle::bsSolid) {
      image.FillRectangle(left + w, top + w, right - w, bottom - w, brush_.Color);
    }
    image.FillRectangle(left, top, right, std::min(top + w, bottom), pen_.Color);
    image.FillRectangle(left, std::max(bottom - w, top), right, bottom, pen_.Color);
    image.FillRectangle(left, top, std::min(left + w, right), bottom, pen_.Color);
    image.FillRectangle(std::max(right - w, left), top, right, bottom, pen_.Color);
  }
  bitmap_.ReportChanged();
}

void TCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  bitmap_.MutableImage().FillRectangle(x1, y1, x2, y2, brush_.Color);
  bitmap_.ReportChanged();
}

}  // namespace pm
