#include "imaging/JPEGImage.h"

#include "base/Exceptions.h"
#include "base/Stream.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegEncoder.h"
#include "imaging/JpegHeader.h"
#include "imaging/JpegLibrary.h"

namespace pm {

TJPEGImage::TJPEGImage() : settings_(JPEGDefaults()), data_(std::make_unique<TJPEGData>()) {}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::AssignBitmap(const TBitmap& bitmap) {
  // The copy is made first: the bitmap may be the holder's own.
  auto copy = std::make_unique<TBitmap>(bitmap);
  data_ = std::make_unique<TJPEGData>();
  bitmap_ = std::move(copy);
  decodeWarnings_ = 0;
}

bool TJPEGImage::IsEmpty() const {
  if (data_->HasBytes()) return false;
  if (!bitmap_) return true;
  return bitmap_->Empty();
}

void TJPEGImage::SaveJpeg(TStream& stream) {
  if (!data_->HasBytes()) {
    try {
      EncodeBitmap();
    } catch (...) {
      // Bytes that the library left part way are no JPEG stream: they go, so that the holder
      // stays as it was and the next save encodes again.
      data_ = std::make_unique<TJPEGData>();
      throw;
    }
  }
  const std::span<const uint8_t> bytes = data_->Bytes();
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TJPEGImage::EncodeBitmap() {
  std::vector<uint8_t> bytes;
  {
    TJpegCompressor compressor;
    compressor.WriteTo(bytes);
    if (bitmap_ && bitmap_->Width() != 0 && bitmap_->Height() != 0) {
      data_->Width = bitmap_->Width();
      data_->Height = bitmap_->Height();
      WriteJpegStream(compressor, *bitmap_, settings_);
    }
  }
  // A bitmap without pixels gives present bytes of length 0.
  data_->SetBytes(TSharedBytes(std::move(bytes)));
}

void TJPEGImage::LoadJpeg(TStream& stream) {
  // The bytes are read before the holder changes, so that a failed read leaves it as it was.
  std::vector<uint8_t> bytes(static_cast<size_t>(stream.Remaining()));
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  LoadJpeg(TSharedBytes(std::move(bytes)));
}

void TJPEGImage::LoadJpeg(TSharedBytes bytes) {
  auto data = std::make_unique<TJPEGData>();
  data->SetBytes(std::move(bytes));
  data_ = std::move(data);
  bitmap_.reset();
  decodeWarnings_ = 0;
  if (data_->Bytes().empty()) return;
  const TJPEGHeaderInfo header = ReadJpegHeader(data_->Bytes());
  data_->Width = header.width;
  data_->Height = header.height;
  settings_.ProgressiveEncode = header.progressive;
}

void TJPEGImage::CopyToBitmap(TBitmap& target) {
  if (!bitmap_ && !data_->HasBytes()) {
    // An empty holder has nothing to decode: the target becomes empty.
    target.Assign(nullptr);
    return;
  }
  if (!bitmap_) DecodeData();
  target.Assign(*bitmap_);
}

namespace {

// The settings that make a decoded picture what it is.
bool DecodeAlike(const TJPEGSettings& a, const TJPEGSettings& b) {
  return a.GrayMode == b.GrayMode && a.SpeedMode == b.SpeedMode &&
         a.PaletteOutput == b.PaletteOutput && a.ScanDisplay == b.ScanDisplay &&
         a.ScaleShift == b.ScaleShift && a.BlockSmoothing == b.BlockSmoothing;
}

}  // namespace

bool TJPEGImage::ShareDecodedPicture(const TJPEGImage& decoded) {
  if (bitmap_ || !decoded.bitmap_ || &decoded == this) return false;
  const TSharedBytes* mine = data_->SharedBytes();
  const TSharedBytes* theirs = decoded.data_->SharedBytes();
  if (mine == nullptr || theirs == nullptr || !mine->SameBytesAs(*theirs)) return false;
  if (!DecodeAlike(settings_, decoded.settings_)) return false;
  bitmap_ = std::make_unique<TBitmap>(*decoded.bitmap_);
  decodeWarnings_ = decoded.decodeWarnings_;
  return true;
}

void TJPEGImage::DecodeData() {
  // From here on the holder has a bitmap, also when decoding fails part way.
  bitmap_ = std::make_unique<TBitmap>();
  decodeWarnings_ = DecodeJpeg(data_->Bytes(), settings_, *bitmap_);
}

int32_t TJPEGImage::Width() const {
  if (bitmap_) return bitmap_->Width();
  if (settings_.ScaleShift <= 0 || !data_->HasBytes()) return data_->Width;
  return ScaledJpegSize(data_->Bytes(), settings_.ScaleShift).width;
}

int32_t TJPEGImage::Height() const {
  if (bitmap_) return bitmap_->Height();
  if (settings_.ScaleShift <= 0 || !data_->HasBytes()) return data_->Height;
  return ScaledJpegSize(data_->Bytes(), settings_.ScaleShift).height;
}

void TJPEGImage::SetWidth(int32_t) { throw EInvalidGraphicOperation(kJpegSizeMessage); }

void TJPEGImage::SetHeight(int32_t) { throw EInvalidGraphicOperation(kJpegSizeMessage); }

}  // namespace pm
