// TJPEGImage: the image holder. It keeps one picture as a bitmap, as JPEG bytes or as both, and
// converts between the two only when asked, at most once: a bitmap is encoded on the first
// SaveJpeg, JPEG bytes are decoded on the first CopyToBitmap, and each result is kept.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/Graphic.h"
#include "imaging/JPEGData.h"
#include "imaging/JPEGDefaults.h"

namespace pm {

inline constexpr const char* kJpegSizeMessage = "JPEG イメージのサイズは変更できません";

class TJPEGImage : public TGraphic {
 public:
  // Settings from the process-wide holder defaults, a fresh data object, no bitmap.
  TJPEGImage();
  ~TJPEGImage() override;
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;

  // Drops the JPEG data and keeps a copy of the bitmap (sharing its store); encodes nothing.
  void AssignBitmap(const TBitmap& bitmap);
  bool IsEmpty() const;
  // Encodes the bitmap when there are no JPEG bytes yet, then writes all JPEG bytes at the
  // stream's position in one write.
  void SaveJpeg(TStream& stream);
  // Takes every byte from the stream's position to its end and reads the JPEG header.
  void LoadJpeg(TStream& stream);
  // Takes the bytes as they are shared, without copying them, and reads the JPEG header.
  void LoadJpeg(TSharedBytes bytes);
  // Decodes the JPEG bytes when there is no bitmap yet, then gives the target a copy.
  void CopyToBitmap(TBitmap& target);
  // True when the holder's picture was decoded and the library met damaged data or data cut
  // short on the way, and made up that part of the picture.
  bool DecodedWithWarnings() const { return decodeWarnings_ > 0; }
  // Takes the picture that `decoded` made from the very same shared bytes with the same
  // decoding settings, sharing its store, instead of decoding them a second time; call it
  // after that decoding succeeded. False, and nothing changes, unless this holder has no
  // picture yet and all of that holds.
  bool ShareDecodedPicture(const TJPEGImage& decoded);

  // TGraphic
  bool Empty() const override { return IsEmpty(); }
  int32_t Width() const override;
  int32_t Height() const override;
  // Always fail with EInvalidGraphicOperation "JPEG イメージのサイズは変更できません".
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;
  void LoadFromStream(TStream& stream) override { LoadJpeg(stream); }
  void SaveToStream(TStream& stream) override { SaveJpeg(stream); }

  TJPEGSettings& Settings() { return settings_; }
  const TJPEGSettings& Settings() const { return settings_; }
  const TJPEGData& Data() const { return *data_; }
  // The holder's bitmap, or nothing: the assigned copy or the decoded picture.
  const TBitmap* HeldBitmap() const { return bitmap_.get(); }

 private:
  // Makes the JPEG bytes from the bitmap (or none from a bitmap without pixels).
  void EncodeBitmap();
  // Makes the holder's bitmap from the JPEG bytes.
  void DecodeData();

  TJPEGSettings settings_;
  std::unique_ptr<TJPEGData> data_;
  std::unique_ptr<TBitmap> bitmap_;
  int decodeWarnings_ = 0;  // of the decoding that made the bitmap
};

}  // namespace pm
