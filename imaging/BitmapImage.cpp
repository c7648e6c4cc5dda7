#include "imaging/BitmapImage.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "base/Stream.h"

namespace pm {

namespace {

constexpr std::array<uint32_t, 3> k555Masks{0x7C00, 0x03E0, 0x001F};
constexpr uint32_t k565GreenMask = 0x07E0;

// One colour channel of a 16- or 32-bit pixel: the bits of its mask.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint64_t maximum = 0;

  explicit Channel(uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), maximum(m >> shift) {}
  // A channel at its mask's maximum becomes 255.
  uint8_t Widen(uint32_t pixel) const {
    if (maximum == 0) return 0;
    const uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
  }
  uint32_t Narrow(uint8_t value) const {
    return static_cast<uint32_t>((value * maximum + 127) / 255) << shift & mask;
  }
};

struct ChannelSet {
  Channel red, green, blue;
  explicit ChannelSet(const std::array<uint32_t, 3>& masks)
      : red(masks[0]), green(masks[1]), blue(masks[2]) {}
};

std::array<uint32_t, 3> EffectiveMasks(const TBitmapInfo& info) {
  if (info.compression == BI_BITFIELDS) return info.masks;
  return k555Masks;  // a plain 16-bit store
}

uint32_t ReadValue(const uint8_t* row, int32_t x, uint16_t bitCount) {
  switch (bitCount) {
    case 1:
      return row[x >> 3] >> (7 - (x & 7)) & 1;
    case 4:
      return row[x >> 1] >> ((x & 1) ? 0 : 4) & 0xF;
    case 8:
      return row[x];
    case 16:
      return LoadUInt16LE(row + 2 * x);
    case 24:
      return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    default:
      return LoadUInt32LE(row + 4 * static_cast<int64_t>(x));
  }
}

void WriteValue(uint8_t* row, int32_t x, uint16_t bitCount, uint32_t value) {
  switch (bitCount) {
    case 1: {
      const int shift = 7 - (x & 7);
      row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1 << shift)) | (value & 1) << shift);
      break;
    }
    case 4: {
      const int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(0xF << shift)) | (value & 0xF) << shift);
      break;
    }
    case 8:
      row[x] = static_cast<uint8_t>(value);
      break;
    case 16:
      StoreUInt16LE(row + 2 * x, static_cast<uint16_t>(value));
      break;
    case 24:
      row[3 * x] = static_cast<uint8_t>(value);
      row[3 * x + 1] = static_cast<uint8_t>(value >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(value >> 16);
      break;
    default:
      StoreUInt32LE(row + 4 * static_cast<int64_t>(x), value);
      break;
  }
}

// Converts between pixel values and colours for one store description.
class PixelCodec {
 public:
  explicit PixelCodec(const TBitmapInfo& info)
      : info_(info), bitCount_(info.StoreBitCount()), channels_(EffectiveMasks(info)) {}

  TColor ColorOf(uint32_t value) const {
    if (info_.form == TBitmapForm::Display || bitCount_ == 24 ||
        (bitCount_ == 32 && info_.compression != BI_BITFIELDS)) {
      return TColor{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                    static_cast<uint8_t>(value)};
    }
    if (bitCount_ <= 8) return TableColor(value);
    return TColor{channels_.red.Widen(value), channels_.green.Widen(value),
                  channels_.blue.Widen(value)};
  }

  uint32_t ValueOf(TColor color) {
    if (info_.form == TBitmapForm::Display || bitCount_ == 24 ||
        (bitCount_ == 32 && info_.compression != BI_BITFIELDS)) {
      return static_cast<uint32_t>(color.red) << 16 | color.green << 8 | color.blue;
    }
    if (bitCount_ <= 8) return NearestIndex(color);
    return channels_.red.Narrow(color.red) | channels_.green.Narrow(color.green) |
           channels_.blue.Narrow(color.blue);
  }

 private:
  // A value beyond the colour table shows the table's first entry.
  TColor TableColor(uint32_t value) const {
    const auto& table = info_.colorTable;
    if (value < table.size()) return pm::ColorOf(table[value]);
    return table.empty() ? clBlack : pm::ColorOf(table[0]);
  }

  uint32_t NearestIndex(TColor color) {
    if (cachedIndex_ && cachedColor_ == color) return *cachedIndex_;
    uint32_t best = 0;
    int bestDistance = 1 << 30;
    const size_t usable = std::min<size_t>(info_.colorTable.size(), size_t{1} << bitCount_);
    for (size_t i = 0; i < usable; ++i) {
      const TColor entry = pm::ColorOf(info_.colorTable[i]);
      const int dr = entry.red - color.red, dg = entry.green - color.green,
                db = entry.blue - color.blue;
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<uint32_t>(i);
      }
    }
    cachedColor_ = color;
    cachedIndex_ = best;
    return best;
  }

  const TBitmapInfo& info_;
  uint16_t bitCount_;
  ChannelSet channels_;
  TColor cachedColor_;
  std::optional<uint32_t> cachedIndex_;
};

}  // namespace

uint16_t TBitmapInfo::StoreBitCount() const {
  if (form == TBitmapForm::Display || bitCount == 0) return kDisplayBitCount;
  return bitCount;
}

TPixelFormat TBitmapInfo::PixelFormat() const {
  if (form == TBitmapForm::Display) return TPixelFormat::pfDevice;
  switch (bitCount) {
    case 1:
      return TPixelFormat::pf1bit;
    case 4:
      return TPixelFormat::pf4bit;
    case 8:
      return TPixelFormat::pf8bit;
    case 16:
      if (compression == BI_RGB) return TPixelFormat::pf15bit;
      if (compression == BI_BITFIELDS && masks[1] == k565GreenMask) return TPixelFormat::pf16bit;
      return TPixelFormat::pfCustom;
    case 24:
      return TPixelFormat::pf24bit;
    case 32:
      return compression == BI_RGB ? TPixelFormat::pf32bit : TPixelFormat::pfCustom;
    default:
      return TPixelFormat::pfCustom;
  }
}

TBitmapImage::TBitmapImage(TBitmapInfo info, TPixelStore::Fill fill) : info_(std::move(info)) {
  if (info_.width < 0 || info_.height < 0) RaiseStoreError();
  const int64_t stride = info_.Stride();
  if (stride == 0 || info_.height == 0) return;
  // Both factors are below 2^36, so their product fits; the store refuses what is too large.
  if (stride > kMaxStoreBytes) RaiseStoreError();
  store_ = TPixelStore(stride * info_.height, fill);
}

uint8_t* TBitmapImage::Row(int32_t y) {
  return const_cast<uint8_t*>(static_cast<const TBitmapImage&>(*this).Row(y));
}

const uint8_t* TBitmapImage::Row(int32_t y) const {
  const bool topDown = info_.form == TBitmapForm::Display || info_.rowOrder == TRowOrder::TopDown;
  const int64_t storeRow = topDown ? y : int64_t{info_.height} - 1 - y;
  return store_.Bytes() + storeRow * Stride();
}

void TBitmapImage::ReadRowBgr(int32_t y, uint8_t* bgr) const {
  const uint8_t* row = Row(y);
  const int32_t width = info_.width;
  const uint16_t bitCount = info_.StoreBitCount();
  if (bitCount == 24) {
    std::memcpy(bgr, row, static_cast<size_t>(width) * 3);
    return;
  }
  if (bitCount == 32 && (info_.form == TBitmapForm::Display || info_.compression == BI_RGB)) {
    for (int32_t x = 0; x < width; ++x, row += 4, bgr += 3) {
      bgr[0] = row[0];
      bgr[1] = row[1];
      bgr[2] = row[2];
    }
    return;
  }
  const PixelCodec codec(info_);
  for (int32_t x = 0; x < width; ++x, bgr += 3) {
    const TColor color = codec.ColorOf(ReadValue(row, x, bitCount));
    bgr[0] = color.blue;
    bgr[1] = color.green;
    bgr[2] = color.red;
  }
}

void TBitmapImage::WriteRowBgr(int32_t y, const uint8_t* bgr) {
  uint8_t* row = Row(y);
  const uint16_t bitCount = info_.StoreBitCount();
  PixelCodec codec(info_);
  for (int32_t x = 0; x < info_.width; ++x, bgr += 3) {
    WriteValue(row, x, bitCount, codec.ValueOf(TColor{bgr[2], bgr[1], bgr[0]}));
  }
}

TColor TBitmapImage::Pixel(int32_t x, int32_t y) const {
  return PixelCodec(info_).ColorOf(ReadValue(Row(y), x, info_.StoreBitCount()));
}

void TBitmapImage::SetPixel(int32_t x, int32_t y, TColor color) {
  WriteValue(Row(y), x, info_.StoreBitCount(), PixelCodec(info_).ValueOf(color));
}

void TBitmapImage::FillRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                 TColor color) {
  if (!HasStore()) return;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, info_.width);
  bottom = std::min(bottom, info_.height);
  if (left >= right || top >= bottom) return;
  const uint16_t bitCount = info_.StoreBitCount();
  const uint32_t value = PixelCodec(info_).ValueOf(color);
  // The first row pixel by pixel, then whole bytes copied to the other rows where the pixels
  // fill whole bytes.
  uint8_t* first = Row(top);
  for (int32_t x = left; x < right; ++x) WriteValue(first, x, bitCount, value);
  for (int32_t y = top + 1; y < bottom; ++y) {
    uint8_t* row = Row(y);
    if (bitCount >= 8) {
      const size_t bytesPerPixel = bitCount / 8;
      std::memcpy(row + left * bytesPerPixel, first + left * bytesPerPixel,
                  static_cast<size_t>(right - left) * bytesPerPixel);
      continue;
    }
    for (int32_t x = left; x < right; ++x) WriteValue(row, x, bitCount, value);
  }
}

void TBitmapImage::CopyPixelsFrom(const TBitmapImage& source) {
  if (!HasStore() || !source.HasStore()) return;
  const uint16_t bitCount = info_.StoreBitCount();
  const int32_t width = std::min(info_.width, source.info_.width);
  const int32_t height = std::min(info_.height, source.info_.height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* to = Row(y);
    const uint8_t* from = source.Row(y);
    if (bitCount >= 8) {
      std::memcpy(to, from, static_cast<size_t>(width) * (bitCount / 8));
      continue;
    }
    for (int32_t x = 0; x < width; ++x) WriteValue(to, x, bitCount, ReadValue(from, x, bitCount));
  }
}

std::vector<TRGBQuad> MonochromePalette() { return {QuadOf(clBlack), QuadOf(clWhite)}; }

std::vector<TRGBQuad> SixteenColorPalette() {
  static constexpr uint8_t kColors[16][3] = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<TRGBQuad> palette;
  for (const auto& c : kColors) palette.push_back(QuadOf(TColor{c[0], c[1], c[2]}));
  return palette;
}

std::vector<TRGBQuad> HalftonePalette() {
  // A 6 × 6 × 6 colour cube, then 40 evenly spaced grays.
  std::vector<TRGBQuad> palette;
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) {
        palette.push_back(QuadOf(TColor{static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                                        static_cast<uint8_t>(b * 51)}));
      }
    }
  }
  for (int i = 0; i < 40; ++i) {
    const auto v = static_cast<uint8_t>((i * 255 + 19) / 39);
    palette.push_back(QuadOf(TColor{v, v, v}));
  }
  return palette;
}

}  // namespace pm
