#include "tests/support/TestPictures.h"

#include <cmath>
#include <memory>
#include <stdexcept>

#include "base/FileStream.h"
#include "base/MemoryStream.h"
#include "imaging/JPEGImage.h"

namespace pm::test {

namespace {

TBitmap EmptyDib24(int32_t width, int32_t height) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  return bitmap;
}

uint8_t Clamp(double v) {
  return static_cast<uint8_t>(std::lround(std::fmin(255, std::fmax(0, v))));
}

}  // namespace

TBitmap GradientBitmap(int32_t width, int32_t height, int seed, int noise) {
  TBitmap bitmap = EmptyDib24(width, height);
  uint32_t state = 12345u + static_cast<uint32_t>(seed);
  auto grain = [&state, noise] {
    state = state * 1664525u + 1013904223u;
    return noise ? static_cast<int>(state >> 16) % (2 * noise + 1) - noise : 0;
  };
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) {
      const double u = width > 1 ? double(x) / (width - 1) : 0;
      const double v = height > 1 ? double(y) / (height - 1) : 0;
      row[3 * x + 0] = Clamp(255 * u * (1 - v) + 30 * std::sin(0.05 * (x + seed)) + grain());
      row[3 * x + 1] = Clamp(255 * v + 20 * std::cos(0.07 * (y - seed)) + grain());
      row[3 * x + 2] = Clamp(255 * (1 - u) * (0.5 + 0.5 * v) + seed % 17 + grain());
    }
  }
  return bitmap;
}

TBitmap SolidBitmap(int32_t width, int32_t height, TColor color) {
  TBitmap bitmap = EmptyDib24(width, height);
  bitmap.Canvas().Brush().Color = color;
  bitmap.Canvas().FillRect(0, 0, width, height);
  return bitmap;
}

TBitmap SharpBitmap(int32_t width, int32_t height, int seed) {
  constexpr int kDotSpacing = 5;
  TBitmap bitmap = EmptyDib24(width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t grey = (x + y) % 2 == 0 ? 0 : 255;
      const bool dot = (x * 3 + y + seed) % kDotSpacing == 0 && y % 2 == seed % 2;
      row[3 * x] = dot ? static_cast<uint8_t>(40 * seed + x) : grey;
      row[3 * x + 1] = dot ? static_cast<uint8_t>(200 - y) : grey;
      row[3 * x + 2] = dot ? static_cast<uint8_t>(255 - 30 * seed) : grey;
    }
  }
  return bitmap;
}

void WriteBmpFile(const std::string& fileName, TBitmap bitmap) {
  TFileStream file(fileName, FileAccess::CreateExclusive);
  bitmap.SaveToStream(file);
  file.Close();
}

std::vector<uint8_t> SavedBytes(TJPEGImage& holder) {
  TMemoryStream stream;
  holder.SaveJpeg(stream);
  const auto bytes = stream.Bytes();
  return {bytes.begin(), bytes.end()};
}

void LoadBytes(TJPEGImage& holder, std::span<const uint8_t> bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  holder.LoadJpeg(stream);
}

std::vector<uint8_t> EncodeWithHolder(const TBitmap& bitmap, const TJPEGSettings& settings) {
  TJPEGImage holder;
  holder.Settings() = settings;
  holder.AssignBitmap(bitmap);
  return SavedBytes(holder);
}

std::vector<uint8_t> EncodeWithHolder(const TBitmap& bitmap) {
  return EncodeWithHolder(bitmap, TJPEGSettings{});
}

std::vector<uint8_t> WithoutSegments(const std::vector<uint8_t>& jpeg, uint8_t marker) {
  constexpr uint8_t kStartOfScan = 0xDA;
  std::vector<uint8_t> result(jpeg.begin(), jpeg.begin() + 2);  // start of image
  size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const uint8_t code = jpeg[at + 1];
    if (code == kStartOfScan) break;
    const size_t length = static_cast<size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (code != marker)
      result.insert(result.end(), jpeg.begin() + at, jpeg.begin() + at + 2 + length);
    at += 2 + length;
  }
  result.insert(result.end(), jpeg.begin() + at, jpeg.end());
  return result;
}

}  // namespace pm::test
