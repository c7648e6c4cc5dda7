// The drawing surface of a bitmap, with its pen and brush.
#pragma once

#include <cstdint>

#include "imaging/Color.h"

namespace pm {

class TBitmap;

enum class TPenStyle { psSolid, psClear };
enum class TPenMode { pmCopy };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
  TPenStyle Style = TPenStyle::psSolid;
  TColor Color = clBlack;
  int32_t Width = 1;
  TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
  TBrushStyle Style = TBrushStyle::bsSolid;
  TColor Color = clWhite;
};

class TCanvas {
 public:
  explicit TCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }

  // Outlines the rectangle whose corner pixels are (x1, y1) and (x2 − 1, y2 − 1) with the pen
  // and fills its inside with the brush; the bitmap then reports itself changed.
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // Fills [x1, x2) × [y1, y2) with the brush.
  void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

 private:
  TBitmap& bitmap_;
  TPen pen_;
  TBrush brush_;
};

}  // namespace pm
