#include "imaging/RleDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/Stream.h"

namespace pm {

namespace {

// Every piece of the data opens with two bytes: a count and a value, or 0 and an escape.
constexpr size_t kPairSize = 2;
// The escapes: the second byte after a first byte 0. Larger values open an absolute run.
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfPicture = 1;
constexpr uint8_t kDelta = 2;
// The two bytes after a delta escape: columns to the right, rows up.
constexpr size_t kDeltaSize = 2;
// An absolute run fills a whole number of 16-bit words.
constexpr size_t kRunAlignment = 2;
// Pixel values that a byte or a half byte can hold.
constexpr size_t kPixelValues = 256;
constexpr int kDisplayBytesPerPixel = kDisplayBitCount / 8;
constexpr int kNibbleBits = 4;
constexpr uint8_t kLowNibble = 0x0F;

// A display-form pixel: blue, green, red and an unused byte, read as one little-endian word.
uint32_t DisplayValue(const TRGBQuad& entry) {
  return static_cast<uint32_t>(entry.rgbBlue) | static_cast<uint32_t>(entry.rgbGreen) << 8 |
         static_cast<uint32_t>(entry.rgbRed) << 16;
}

class RunLengthDecoder {
 public:
  RunLengthDecoder(std::span<const uint8_t> data, TRleKind kind,
                   std::span<const TRGBQuad> colorTable, TBitmapImage& picture)
      : data_(data),
        kind_(kind),
        picture_(picture),
        width_(picture.Width()),
        height_(picture.Height()) {
    const uint32_t background = colorTable.empty() ? 0 : DisplayValue(colorTable[0]);
    colors_.fill(background);
    const size_t entries = std::min(colorTable.size(), kPixelValues);
    for (size_t i = 0; i < entries; ++i) colors_[i] = DisplayValue(colorTable[i]);
  }

  void Decode() {
    FillBackground();
    SelectRow();
    while (y_ < height_ && Has(kPairSize)) {
      const uint8_t first = data_[position_];
      const uint8_t second = data_[position_ + 1];
      position_ += kPairSize;
      if (first != 0) {
        PutEncodedRun(first, second);
      } else if (second == kEndOfLine) {
        MoveTo(0, y_ + 1);
      } else if (second == kEndOfPicture) {
        return;
      } else if (second == kDelta) {
        if (!Has(kDeltaSize)) return;
        MoveTo(x_ + data_[position_], y_ + data_[position_ + 1]);
        position_ += kDeltaSize;
      } else {
        PutAbsoluteRun(second);
      }
    }
  }

 private:
  bool Has(size_t count) const { return data_.size() - position_ >= count; }

  // The store starts black; any other colour of entry 0 is copied into every pixel.
  void FillBackground() {
    if (colors_[0] == 0 || height_ <= 0) return;
    uint8_t* first = picture_.Row(0);
    for (int64_t x = 0; x < width_; ++x) {
      StoreUInt32LE(first + x * kDisplayBytesPerPixel, colors_[0]);
    }
    const auto rowBytes = static_cast<size_t>(width_) * kDisplayBytesPerPixel;
    for (int32_t y = 1; y < height_; ++y) std::memcpy(picture_.Row(y), first, rowBytes);
  }

  // The data counts rows from the bottom; the display form keeps them top-down.
  void SelectRow() {
    row_ = y_ < height_ ? picture_.Row(static_cast<int32_t>(height_ - 1 - y_)) : nullptr;
  }

  void MoveTo(int64_t x, int64_t y) {
    // Columns past the row's end are all alike: nothing there is ever drawn.
    x_ = std::min<int64_t>(x, width_);
    if (y != y_) {
      y_ = std::min<int64_t>(y, height_);
      SelectRow();
    }
  }

  void Put(uint8_t value) {
    if (x_ < width_) StoreUInt32LE(row_ + x_ * kDisplayBytesPerPixel, colors_[value]);
    ++x_;
  }

  // The left (even) or right (odd) pixel of an RLE4 byte.
  static uint8_t Nibble(uint8_t byte, size_t i) {
    return i % 2 == 0 ? static_cast<uint8_t>(byte >> kNibbleBits) : (byte & kLowNibble);
  }

  // `count` pixels of one value (RLE8), or of the two values of one byte by turns (RLE4).
  void PutEncodedRun(uint8_t count, uint8_t value) {
    const size_t visible = static_cast<size_t>(std::min<int64_t>(count, width_ - x_));
    for (size_t i = 0; i < visible; ++i) {
      Put(kind_ == TRleKind::Rle8 ? value : Nibble(value, i));
    }
    x_ = std::min<int64_t>(x_ + count - static_cast<int64_t>(visible), width_);
  }

  // `count` pixels given one by one, then padding to a 16-bit boundary.
  void PutAbsoluteRun(uint8_t count) {
    const size_t bytes = kind_ == TRleKind::Rle8 ? count : (count + 1u) / 2;
    const size_t available = std::min(bytes, data_.size() - position_);
    const size_t pixels =
        kind_ == TRleKind::Rle8 ? available : std::min<size_t>(count, available * 2);
    const uint8_t* run = data_.data() + position_;
    for (size_t i = 0; i < pixels; ++i) {
      Put(kind_ == TRleKind::Rle8 ? run[i] : Nibble(run[i / 2], i));
    }
    x_ = std::min<int64_t>(x_, width_);
    const size_t padded = (bytes + kRunAlignment - 1) / kRunAlignment * kRunAlignment;
    position_ += std::min(padded, data_.size() - position_);
  }

  std::span<const uint8_t> data_;
  TRleKind kind_;
  TBitmapImage& picture_;
  int64_t width_;
  int64_t height_;
  std::array<uint32_t, kPixelValues> colors_{};
  size_t position_ = 0;
  int64_t x_ = 0;
  int64_t y_ = 0;  // counted from the bottom row
  uint8_t* row_ = nullptr;
};

}  // namespace

void DecodeRunLength(std::span<const uint8_t> data, TRleKind kind,
                     std::span<const TRGBQuad> colorTable, TBitmapImage& picture) {
  RunLengthDecoder(data, kind, colorTable, picture).Decode();
}

}  // namespace pm
