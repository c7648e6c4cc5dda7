#include "JpegTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "base/MemoryStream.h"

namespace pm::test {

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStuffedZero = 0x00;
constexpr uint8_t kTEM = 0x01;

uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

}  // namespace

TBitmap DecodeWithHolder(std::span<const uint8_t> bytes, const TJPEGSettings& settings) {
  TJPEGImage holder;
  holder.Settings() = settings;
  LoadBytes(holder, bytes);
  holder.Settings() = settings;  // LoadJpeg sets ProgressiveEncode, which decoding ignores
  TBitmap bitmap;
  holder.CopyToBitmap(bitmap);
  return bitmap;
}

TBitmap DecodeWithHolder(std::span<const uint8_t> bytes) {
  return DecodeWithHolder(bytes, TJPEGSettings{});
}

TPixelDifference CompareColors(const TBitmap& a, const TBitmap& b) {
  EXPECT_EQ(a.Width(), b.Width());
  EXPECT_EQ(a.Height(), b.Height());
  TPixelDifference difference;
  if (a.Width() != b.Width() || a.Height() != b.Height()) return {1e9, 255};
  std::vector<uint8_t> rowA(static_cast<size_t>(a.Width()) * 3), rowB(rowA.size());
  double sum = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    a.ReadRowBgr(y, rowA.data());
    b.ReadRowBgr(y, rowB.data());
    for (size_t i = 0; i < rowA.size(); ++i) {
      const int d = std::abs(rowA[i] - rowB[i]);
      sum += d;
      if (d > difference.largest) difference.largest = d;
    }
  }
  const double count = double(a.Width()) * a.Height() * 3;
  difference.mean = count > 0 ? sum / count : 0;
  return difference;
}

TPixelDifference CompareBlockColors(const TBitmap& a, const TBitmap& b) {
  constexpr int32_t kBlock = 8;
  EXPECT_EQ(a.Width(), b.Width());
  EXPECT_EQ(a.Height(), b.Height());
  if (a.Width() != b.Width() || a.Height() != b.Height()) return {1e9, 255};
  TPixelDifference difference;
  double sum = 0;
  int blocks = 0;
  for (int32_t top = 0; top + kBlock <= a.Height(); top += kBlock) {
    for (int32_t left = 0; left + kBlock <= a.Width(); left += kBlock) {
      int channels[2][3] = {};
      for (int32_t y = top; y < top + kBlock; ++y) {
        for (int32_t x = left; x < left + kBlock; ++x) {
          int i = 0;
          for (const TBitmap* p : {&a, &b}) {
            const TColor c = p->Pixel(x, y);
            channels[i][0] += c.red;
            channels[i][1] += c.green;
            channels[i][2] += c.blue;
            ++i;
          }
        }
      }
      for (int c = 0; c < 3; ++c) {
        const int d = std::abs(channels[0][c] - channels[1][c]) / (kBlock * kBlock);
        sum += d;
        difference.largest = std::max(difference.largest, d);
      }
      blocks += 3;
    }
  }
  difference.mean = blocks ? sum / blocks : 0;
  return difference;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  if (a.PixelFormat() != b.PixelFormat()) return false;
  if (a.Info().colorTable != b.Info().colorTable) return false;
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    }
  }
  return true;
}

std::vector<uint8_t> EncodeDirect(int32_t width, int32_t height, J_COLOR_SPACE inSpace,
                                  int components, std::span<const uint8_t> samples,
                                  void (*configure)(jpeg_compress_struct&)) {
  TJpegCompressor compressor;
  jpeg_compress_struct& info = compressor.Info();
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  compressor.Run([&] {
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = inSpace;
    jpeg_set_defaults(&info);
    if (configure) configure(info);
    jpeg_start_compress(&info, TRUE);
    const size_t rowSize = static_cast<size_t>(width) * components;
    while (info.next_scanline < info.image_height) {
      JSAMPROW row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * rowSize);
      jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
  });
  std::vector<uint8_t> bytes(memory, memory + size);
  std::free(memory);
  return bytes;
}

TRgbPicture DecodeDirectRgb(std::span<const uint8_t> bytes) {
  TJpegDecompressor decompressor;
  decompressor.ReadFrom(bytes);
  jpeg_decompress_struct& info = decompressor.Info();
  TRgbPicture picture;
  decompressor.Run([&] {
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
  });
  picture.width = static_cast<int32_t>(info.output_width);
  picture.height = static_cast<int32_t>(info.output_height);
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  decompressor.Run([&] {
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = picture.rgb.data() + size_t{info.output_scanline} * picture.width * 3;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
  });
  return picture;
}

std::vector<TJpegSegment> ReadSegments(std::span<const uint8_t> stream) {
  std::vector<TJpegSegment> segments;
  size_t i = 0;
  const size_t n = stream.size();
  while (i + 1 < n) {
    if (stream[i] != kMarkerPrefix) {
      ADD_FAILURE() << "no marker at offset " << i;
      break;
    }
    while (i + 1 < n && stream[i + 1] == kMarkerPrefix) ++i;  // fill bytes
    if (i + 1 >= n) break;
    const uint8_t marker = stream[i + 1];
    i += 2;
    TJpegSegment segment{marker, {}};
    const bool standalone =
        marker == kSOI || marker == kEOI || marker == kTEM || (marker >= kRST0 && marker <= kRST7);
    if (!standalone) {
      if (i + 2 > n) break;
      const size_t length = BigEndian16(&stream[i]);
      if (length < 2 || i + length > n) {
        ADD_FAILURE() << "segment " << int(marker) << " overruns the stream";
        break;
      }
      segment.payload.assign(stream.begin() + i + 2, stream.begin() + i + length);
      i += length;
    }
    segments.push_back(std::move(segment));
    if (marker == kEOI) break;
    if (marker != kSOS) continue;
    // Entropy-coded data: stuffed zeros and restart markers belong to it.
    while (i + 1 < n) {
      if (stream[i] != kMarkerPrefix || stream[i + 1] == kStuffedZero) {
        ++i;
      } else if (stream[i + 1] >= kRST0 && stream[i + 1] <= kRST7) {
        segments.push_back(TJpegSegment{stream[i + 1], {}});
        i += 2;
      } else if (stream[i + 1] == kMarkerPrefix) {
        ++i;
      } else {
        break;
      }
    }
  }
  return segments;
}

int CountMarkers(const std::vector<TJpegSegment>& segments, uint8_t marker) {
  int count = 0;
  for (const auto& s : segments) count += s.marker == marker;
  return count;
}

const TJpegSegment* FindMarker(const std::vector<TJpegSegment>& segments, uint8_t marker) {
  for (const auto& s : segments) {
    if (s.marker == marker) return &s;
  }
  return nullptr;
}

size_t ScanDataOffset(std::span<const uint8_t> stream) {
  for (size_t i = 2; i + 3 < stream.size();) {
    const uint8_t marker = stream[i + 1];
    const size_t length = BigEndian16(&stream[i + 2]);
    if (marker == kSOS) return i + 2 + length;
    i += 2 + length;
  }
  ADD_FAILURE() << "no SOS";
  return stream.size();
}

}  // namespace pm::test
