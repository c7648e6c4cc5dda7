// TBitmap: a raster picture in a device-independent layout or in the display form, whose pixel
// store is shared with every bitmap assigned from it until one side changes it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/BitmapImage.h"
#include "imaging/Canvas.h"
#include "imaging/Graphic.h"

namespace pm {

inline constexpr const char* kInvalidPixelFormatMessage = "画像フォーマットが不正です";
// A file or picture that isn't a valid bitmap.
inline constexpr const char* kInvalidBitmapMessage = "ビットマップイメージが不正です";
inline constexpr const char* kScanLineRangeMessage =
    "スキャンライン のインデックスが範囲を越えました";

class TBitmap : public TGraphic {
 public:
  TBitmap();
  // A copy shares the store, as assign does; the canvas and the change callback aren't copied.
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  // Shares the source's store and reports a change; nothing makes this bitmap empty.
  void Assign(const TBitmap* source);
  void Assign(const TBitmap& source) { Assign(&source); }

  bool Empty() const override { return !image_->HasStore(); }
  int32_t Width() const override { return image_->Width(); }
  int32_t Height() const override { return image_->Height(); }
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;
  // Reads a BMP file from the stream's position; a failure leaves the bitmap as it was.
  void LoadFromStream(TStream& stream) override;
  // Writes the picture as a BMP file in its own layout (the display form as 32 bits).
  void SaveToStream(TStream& stream) override;
  // Writes the picture's colours as a bottom-up 24-bit BMP file, converting a few rows at a
  // time (see WriteBmpImage24).
  void SaveToStream24(TStream& stream) const;

  TPixelFormat PixelFormat() const { return image_->Info().PixelFormat(); }
  // Converts the pixels to the format (see BitmapImage.h for the layouts); an empty bitmap only
  // records the format. The custom format fails with EInvalidGraphic.
  void SetPixelFormat(TPixelFormat format);

  // Created on first use; it draws with its own pen and brush.
  TCanvas& Canvas();
  bool HasCanvas() const { return canvas_ != nullptr; }

  // The address of row y counted from the top, for writing: the store is made private first.
  // EInvalidGraphicOperation when y is outside 0 to height − 1.
  uint8_t* ScanLine(int32_t y);
  // The same row for reading only, without unsharing the store.
  const uint8_t* ConstScanLine(int32_t y) const;
  int64_t Stride() const { return image_->Stride(); }

  const TBitmapInfo& Info() const { return image_->Info(); }
  // Replaces the colour table of an indexed store (the store is made private first).
  void SetColorTable(std::vector<TRGBQuad> table);

  TColor Pixel(int32_t x, int32_t y) const { return image_->Pixel(x, y); }
  // Colours of row y from the top as blue, green, red bytes.
  void ReadRowBgr(int32_t y, uint8_t* bgr) const { image_->ReadRowBgr(y, bgr); }

  // Puts a whole new picture in place of the current one and reports a change.
  void ReplaceImage(std::shared_ptr<TBitmapImage> image);
  bool SharesStoreWith(const TBitmap& other) const { return image_ == other.image_; }

 private:
  friend class TCanvas;
  // The image, made private when it is shared, for a change of pixels.
  TBitmapImage& MutableImage();
  void Resize(int32_t width, int32_t height, bool heightChanged);
  void ReportChanged() { Changed(); }

  std::shared_ptr<TBitmapImage> image_;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace pm
