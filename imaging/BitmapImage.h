// What a bitmap shares with its copies: the description of its pixels and the store that holds
// them. A store is shared by every bitmap assigned from another until one of them changes it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/Color.h"
#include "imaging/PixelFormat.h"
#include "imaging/PixelStore.h"

namespace pm {

enum class TBitmapForm {
  DeviceIndependent,  // the layout of a BMP file's pixels
  Display,            // 32 bits a pixel, blue, green, red and an unused byte, rows top-down
};

enum class TRowOrder { BottomUp, TopDown };

// Bits a pixel of the display form.
inline constexpr uint16_t kDisplayBitCount = 32;

// The description of a store, as a BMP file's information header carries it.
struct TBitmapInfo {
  TBitmapForm form = TBitmapForm::Display;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitCount = 0;  // device-independent only; 0 stands for the display's depth
  uint32_t compression = BI_RGB;
  std::array<uint32_t, 3> masks{};  // red, green, blue of a bit-field store
  std::vector<TRGBQuad> colorTable;
  TRowOrder rowOrder = TRowOrder::BottomUp;
  uint32_t colorsUsed = 0;
  uint32_t colorsImportant = 0;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  // Derived from a colour table for palette displays; it never changes a pixel value.
  std::vector<TRGBQuad> displayPalette;

  // Bits a pixel of the store that this description makes.
  uint16_t StoreBitCount() const;
  int64_t Stride() const { return StrideOf(width, StoreBitCount()); }
  TPixelFormat PixelFormat() const;
};

class TBitmapImage {
 public:
  TBitmapImage() = default;
  // A description with a store of its size, every byte 0 or left undefined; EOSError when the
  // store can't be made.
  TBitmapImage(TBitmapInfo info, TPixelStore::Fill fill);

  const TBitmapInfo& Info() const { return info_; }
  TBitmapInfo& Info() { return info_; }
  bool HasStore() const { return static_cast<bool>(store_); }
  void DropStore() { store_ = TPixelStore(); }

  int32_t Width() const { return info_.width; }
  int32_t Height() const { return info_.height; }
  int64_t Stride() const { return info_.Stride(); }
  // The first byte of row y counted from the top; the caller keeps y inside the store.
  uint8_t* Row(int32_t y);
  const uint8_t* Row(int32_t y) const;
  uint8_t* Bytes() { return store_.Bytes(); }
  const uint8_t* Bytes() const { return store_.Bytes(); }
  int64_t StoreSize() const { return store_.Size(); }

  // Colours of row y from the top, as blue, green, red bytes, one pixel after the other.
  void ReadRowBgr(int32_t y, uint8_t* bgr) const;
  // Stores colours given as blue, green, red bytes into row y; an indexed store takes the
  // nearest colour-table entry.
  void WriteRowBgr(int32_t y, const uint8_t* bgr);

  TColor Pixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TColor color);
  // Gives every pixel of [left, right) × [top, bottom), clipped to the picture, one colour.
  void FillRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor color);
  // Copies the pixel values of the top-left area that both have in common, row y to row y.
  void CopyPixelsFrom(const TBitmapImage& source);

 private:
  TBitmapInfo info_;
  TPixelStore store_;
};

// The colour tables that a conversion of an empty bitmap records.
std::vector<TRGBQuad> MonochromePalette();
std::vector<TRGBQuad> SixteenColorPalette();
std::vector<TRGBQuad> HalftonePalette();

}  // namespace pm
