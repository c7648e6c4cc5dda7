#include "imaging/BmpReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/Exceptions.h"
#include "base/Stream.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureLimit.h"
#include "imaging/RleDecoder.h"

namespace pm {

namespace {

// The file header: the type "BM", then the file size, two reserved words and the offset of the
// pixel data, none of which is used.
constexpr int64_t kFileHeaderSize = 14;
constexpr uint8_t kTypeFirst = 'B';
constexpr uint8_t kTypeSecond = 'M';

// The information header, offsets counted from its first byte, the header size field.
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr int64_t kHeaderSizeFieldSize = 4;
// The core header: four unsigned 16-bit fields.
constexpr size_t kCoreWidthAt = 4;
constexpr size_t kCoreHeightAt = 6;
constexpr size_t kCorePlanesAt = 8;
constexpr size_t kCoreBitCountAt = 10;
// The 40-byte header.
constexpr size_t kWidthAt = 4;
constexpr size_t kHeightAt = 8;
constexpr size_t kPlanesAt = 12;
constexpr size_t kBitCountAt = 14;
constexpr size_t kCompressionAt = 16;
constexpr size_t kImageSizeAt = 20;
constexpr size_t kXPelsPerMeterAt = 24;
constexpr size_t kYPelsPerMeterAt = 28;
constexpr size_t kColorsUsedAt = 32;
constexpr size_t kColorsImportantAt = 36;
// Longer headers carry the red, green and blue masks right after the first 40 bytes.
constexpr size_t kHeaderMasksAt = 40;
constexpr size_t kMaskSize = 4;
constexpr size_t kMaskCount = 3;
constexpr int64_t kMasksSize = kMaskSize * kMaskCount;
// The part of a header that the reader uses; the rest of a longer one is skipped.
constexpr size_t kUsedHeaderSize = kHeaderMasksAt + kMasksSize;

constexpr uint16_t kPlanes = 1;
constexpr uint32_t kMaxColorTableEntries = 256;
constexpr uint16_t kMaxIndexedBitCount = 8;
constexpr size_t kCoreEntrySize = 3;  // blue, green, red
constexpr size_t kInfoEntrySize = 4;  // blue, green, red, reserved

[[noreturn]] void RaiseInvalidBitmap() { throw EInvalidGraphic(kInvalidBitmapMessage); }

// The information header as the reader takes it; a core header fills the first four fields.
struct InformationHeader {
  uint32_t size = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t imageSize = 0;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t colorsUsed = 0;
  uint32_t colorsImportant = 0;
  std::array<uint32_t, kMaskCount> headerMasks{};  // present in headers of 52 bytes or more

  bool IsCore() const { return size == kCoreHeaderSize; }
  bool HasHeaderMasks() const { return size >= kUsedHeaderSize; }
  int64_t Rows() const { return height < 0 ? -int64_t{height} : int64_t{height}; }
  int64_t FileStride() const { return StrideOf(width, bitCount); }
  bool IsRunLength() const { return compression == BI_RLE8 || compression == BI_RLE4; }
};

// One load: what has been read so far, and R, the bytes not read yet.
class BmpLoad {
 public:
  // R, the bytes from the stream's position to its end, is unsigned 32-bit; a stream with more
  // bytes than that counts as 2^32 − 1, so that R never exceeds what the stream really holds.
  BmpLoad(TStream& stream, TPictureSizeCheck checkSize)
      : stream_(stream),
        checkSize_(checkSize),
        unread_(static_cast<uint32_t>(
            std::min<int64_t>(stream.Remaining(), std::numeric_limits<uint32_t>::max()))) {}

  // A stream with nothing left loads as an empty bitmap.
  bool NothingToRead() const { return unread_ == 0; }

  // The 14-byte file header; only its type is used.
  void ReadFileHeader() {
    std::array<uint8_t, kFileHeaderSize> bytes{};
    Read(bytes.data(), kFileHeaderSize);
    if (bytes[0] != kTypeFirst || bytes[1] != kTypeSecond) RaiseInvalidBitmap();
  }

  // H, the size of the information header.
  void ReadHeaderSize() {
    Read(headerBytes_.data(), kHeaderSizeFieldSize);
    header_.size = LoadUInt32LE(headerBytes_.data());
  }

  // The information header, with R reduced by H. Headers below 40 bytes, other than the core
  // header, can't hold the fields, and a header that runs past the end of the file is never read at
  // all.
  void ReadInformationHeader() {
    if (header_.IsCore()) {
      Read(headerBytes_.data() + kHeaderSizeFieldSize, kCoreHeaderSize - kHeaderSizeFieldSize);
      DecodeCoreHeader();
      return;
    }
    if (header_.size < kInfoHeaderSize) RaiseInvalidBitmap();
    const int64_t rest = int64_t{header_.size} - kHeaderSizeFieldSize;
    if (rest > int64_t{unread_}) RaiseReadError();
    const int64_t used = std::min<int64_t>(header_.size, kUsedHeaderSize) - kHeaderSizeFieldSize;
    Read(headerBytes_.data() + kHeaderSizeFieldSize, used);
    Skip(rest - used);
    DecodeInfoHeader();
  }

  // The planes field, the size and the combination of header values.
  void CheckPicture() const {
    if (header_.planes != kPlanes) RaiseInvalidBitmap();
    if (header_.width <= 0 || header_.height == 0) RaiseInvalidBitmap();
    if (!IsSupportedCombination()) RaiseInvalidBitmap();
  }

  // The masks of a bit-field picture. Only a 40-byte header is followed by the masks; longer ones
  // hold them.
  void ReadMasks() {
    if (header_.compression != BI_BITFIELDS) return;
    if (header_.HasHeaderMasks()) {
      masks_ = header_.headerMasks;
      return;
    }
    std::array<uint8_t, kMasksSize> bytes{};
    Read(bytes.data(), kMasksSize);
    for (size_t i = 0; i < kMaskCount; ++i) masks_[i] = LoadUInt32LE(bytes.data() + i * kMaskSize);
  }

  // N entries of colour table, N from the colours-used field or the bit count; the field holds N
  // from now on. More than 256 colours can't be a colour table: the picture is invalid.
  void ReadColorTable() {
    uint32_t count = header_.colorsUsed;
    if (count == 0) count = DefaultColorCount(header_.bitCount);
    if (count > kMaxColorTableEntries) RaiseInvalidBitmap();
    header_.colorsUsed = count;
    tableBytes_.resize(size_t{count} * EntrySize());
    Read(tableBytes_.data(), static_cast<int64_t>(tableBytes_.size()));
  }

  // S, the image size field, or the size of the rows when it is 0. A store never takes more than
  // its own size, whatever the field says; run-length data keeps the field, since it may rightly be
  // longer than the picture it encodes.
  void WorkOutImageSize() {
    const int64_t storeSize = header_.FileStride() * header_.Rows();
    imageSize_ = header_.imageSize != 0 ? int64_t{header_.imageSize} : storeSize;
    if (!header_.IsRunLength()) imageSize_ = std::min(imageSize_, storeSize);
  }

  // D, the pixel bytes used: no more than the file still holds.
  void WorkOutDataSize() { dataSize_ = std::min<int64_t>(unread_, imageSize_); }

  // The colour table in 4-byte entries: core entries are widened to blue, green, red, 0.
  void WidenCoreColorTable() {
    const size_t entrySize = EntrySize();
    table_.resize(tableBytes_.size() / entrySize);
    for (size_t i = 0; i < table_.size(); ++i) {
      const uint8_t* entry = tableBytes_.data() + i * entrySize;
      table_[i] = TRGBQuad{entry[0], entry[1], entry[2],
                           entrySize == kInfoEntrySize ? entry[3] : uint8_t{0}};
    }
  }

  // Plain and bit-field pictures: the file's rows land in the store unchanged, with one read.
  std::shared_ptr<TBitmapImage> ReadPixelsIntoStore() {
    TBitmapInfo info = DescribePicture();
    info.form = TBitmapForm::DeviceIndependent;
    info.bitCount = header_.bitCount;
    info.compression = header_.compression;
    if (header_.compression == BI_BITFIELDS) info.masks = masks_;
    info.rowOrder = header_.height < 0 ? TRowOrder::TopDown : TRowOrder::BottomUp;
    auto image = std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Zero);
    Read(image->Bytes(), dataSize_);
    return image;
  }

  // Run-length pictures, decoded into the display form. The store is made before the data is read,
  // so that an impossible size fails before anything large is allocated.
  std::shared_ptr<TBitmapImage> DecodeRunLengthData() {
    TBitmapInfo info = DescribePicture();
    info.form = TBitmapForm::Display;
    info.bitCount = 0;
    info.compression = BI_RGB;
    auto image = std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Zero);
    std::vector<uint8_t> data(static_cast<size_t>(dataSize_));
    Read(data.data(), dataSize_);
    const TRleKind kind = header_.compression == BI_RLE8 ? TRleKind::Rle8 : TRleKind::Rle4;
    DecodeRunLength(data, kind, table_, *image);
    return image;
  }

  bool IsRunLength() const { return header_.IsRunLength(); }

  // Above 8 bits a colour table serves only as the display palette; no pixel uses it.
  void SetDisplayPalette(TBitmapImage& image) const {
    if (header_.bitCount > kMaxIndexedBitCount && header_.colorsUsed != 0)
      image.Info().displayPalette = table_;
  }

 private:
  void Read(void* buffer, int64_t count) {
    stream_.ReadBuffer(buffer, count);
    unread_ -= static_cast<uint32_t>(count);
  }

  void Skip(int64_t count) {
    if (count == 0) return;
    stream_.Seek(count, SeekOrigin::Current);
    unread_ -= static_cast<uint32_t>(count);
  }

  size_t EntrySize() const { return header_.IsCore() ? kCoreEntrySize : kInfoEntrySize; }

  static uint32_t DefaultColorCount(uint16_t bitCount) {
    return bitCount <= kMaxIndexedBitCount && bitCount > 0 ? uint32_t{1} << bitCount : 0;
  }

  void DecodeCoreHeader() {
    const uint8_t* h = headerBytes_.data();
    header_.width = LoadUInt16LE(h + kCoreWidthAt);
    header_.height = LoadUInt16LE(h + kCoreHeightAt);
    header_.planes = LoadUInt16LE(h + kCorePlanesAt);
    header_.bitCount = LoadUInt16LE(h + kCoreBitCountAt);
  }

  void DecodeInfoHeader() {
    const uint8_t* h = headerBytes_.data();
    header_.width = LoadInt32LE(h + kWidthAt);
    header_.height = LoadInt32LE(h + kHeightAt);
    header_.planes = LoadUInt16LE(h + kPlanesAt);
    header_.bitCount = LoadUInt16LE(h + kBitCountAt);
    header_.compression = LoadUInt32LE(h + kCompressionAt);
    header_.imageSize = LoadUInt32LE(h + kImageSizeAt);
    header_.xPelsPerMeter = LoadInt32LE(h + kXPelsPerMeterAt);
    header_.yPelsPerMeter = LoadInt32LE(h + kYPelsPerMeterAt);
    header_.colorsUsed = LoadUInt32LE(h + kColorsUsedAt);
    header_.colorsImportant = LoadUInt32LE(h + kColorsImportantAt);
    if (!header_.HasHeaderMasks()) return;
    for (size_t i = 0; i < kMaskCount; ++i) {
      header_.headerMasks[i] = LoadUInt32LE(h + kHeaderMasksAt + i * kMaskSize);
    }
  }

  // Plain pictures of every bit count; bit fields of 16 and 32 bits, with a 40-byte header
  // followed by masks or a header long enough to hold them; RLE8 and RLE4, bottom-up only.
  bool IsSupportedCombination() const {
    const uint16_t bits = header_.bitCount;
    switch (header_.compression) {
      case BI_RGB:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
      case BI_BITFIELDS:
        return (bits == 16 || bits == 32) &&
               (header_.size == kInfoHeaderSize || header_.HasHeaderMasks());
      case BI_RLE8:
        return bits == 8 && header_.height > 0;
      case BI_RLE4:
        return bits == 4 && header_.height > 0;
      default:
        return false;
    }
  }

  // What every store takes over from the header. A picture beyond the size check fails here,
  // before its store or its run-length data is allocated.
  TBitmapInfo DescribePicture() const {
    checkSize_(header_.width, header_.Rows());
    TBitmapInfo info;
    info.width = header_.width;
    info.height = static_cast<int32_t>(header_.Rows());
    info.colorTable = table_;
    info.colorsUsed = header_.colorsUsed;
    info.colorsImportant = header_.colorsImportant;
    info.xPelsPerMeter = header_.xPelsPerMeter;
    info.yPelsPerMeter = header_.yPelsPerMeter;
    return info;
  }

  TStream& stream_;
  TPictureSizeCheck checkSize_;
  uint32_t unread_;  // R
  std::array<uint8_t, kUsedHeaderSize> headerBytes_{};
  InformationHeader header_;
  std::array<uint32_t, kMaskCount> masks_{};
  std::vector<uint8_t> tableBytes_;
  std::vector<TRGBQuad> table_;
  int64_t imageSize_ = 0;  // S
  int64_t dataSize_ = 0;   // D
};

}  // namespace

std::shared_ptr<TBitmapImage> ReadBmpImage(TStream& stream, TPictureSizeCheck checkSize) {
  BmpLoad load(stream, checkSize);
  if (load.NothingToRead()) return nullptr;
  load.ReadFileHeader();
  load.ReadHeaderSize();
  load.ReadInformationHeader();
  load.CheckPicture();
  load.ReadMasks();
  load.ReadColorTable();
  load.WorkOutImageSize();
  load.WorkOutDataSize();
  load.WidenCoreColorTable();
  std::shared_ptr<TBitmapImage> image =
      load.IsRunLength() ? load.DecodeRunLengthData() : load.ReadPixelsIntoStore();
  load.SetDisplayPalette(*image);
  // The caller puts the new picture in place of its content as a whole.
  return image;
}

}  // namespace pm
