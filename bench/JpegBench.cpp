// The image holder's encoding and decoding against the same work done directly with the JPEG
// library, on a 640 × 480 picture. Prints one line a comparison, ending in "ratio <holder ÷
// direct>", from the medians of many interleaved runs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "base/MemoryStream.h"
#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"

namespace {

using pm::TBitmap;
using pm::TJPEGImage;
using pm::TMemoryStream;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int kBgr = 3;
constexpr int kQuality = 90;
constexpr int kRounds = 301;

uint8_t Clamp(double v) {
  return static_cast<uint8_t>(std::lround(std::fmin(255, std::fmax(0, v))));
}

// Smooth gradients with some grain, as a scanned or photographed picture has.
TBitmap MakePicture() {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pm::TPixelFormat::pf24bit);
  bitmap.SetWidth(kWidth);
  bitmap.SetHeight(kHeight);
  uint32_t state = 2024;
  auto grain = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>(state >> 16) % 13 - 6;
  };
  for (int32_t y = 0; y < kHeight; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < kWidth; ++x) {
      const double u = double(x) / kWidth, v = double(y) / kHeight;
      row[kBgr * x + 0] = Clamp(255 * u * (1 - v) + 40 * std::sin(x * 0.03) + grain());
      row[kBgr * x + 1] = Clamp(200 * v + 30 * std::cos((x + y) * 0.02) + grain());
      row[kBgr * x + 2] = Clamp(255 * (1 - u) * (0.4 + 0.6 * v) + grain());
    }
  }
  return bitmap;
}

// The picture's rows, top to bottom, in one block.
std::vector<uint8_t> RowsOf(const TBitmap& bitmap) {
  std::vector<uint8_t> rows;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* row = bitmap.ConstScanLine(y);
    rows.insert(rows.end(), row, row + kBgr * bitmap.Width());
  }
  return rows;
}

struct Fixture {
  TBitmap picture = MakePicture();
  std::vector<uint8_t> rows = RowsOf(picture);
  std::vector<uint8_t> jpeg;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// --- the holder -----------------------------------------------------------------------------

size_t HolderEncode(const TBitmap& picture) {
  TJPEGImage holder;
  holder.AssignBitmap(picture);
  TMemoryStream stream;
  holder.SaveJpeg(stream);
  return static_cast<size_t>(stream.Size());
}

int32_t HolderDecode(TMemoryStream& stream) {
  stream.SetPosition(0);
  TJPEGImage holder;
  holder.LoadJpeg(stream);
  TBitmap bitmap;
  holder.CopyToBitmap(bitmap);
  return bitmap.Width();
}

// --- the library directly, with the holder's parameters -------------------------------------

size_t DirectEncode(const std::vector<uint8_t>& rows, std::vector<uint8_t>* keep = nullptr) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &memory, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = kBgr;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  info.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&info, kQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows.data() + size_t{info.next_scanline} * kBgr * kWidth);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  if (keep) keep->assign(memory, memory + size);
  std::free(memory);
  return size;
}

uint32_t DirectDecode(const std::vector<uint8_t>& jpeg) {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), jpeg.size());
  jpeg_read_header(&info, TRUE);
  info.dct_method = JDCT_FLOAT;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  const size_t stride = size_t{info.output_width} * kBgr;
  std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * info.output_height]);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.get() + size_t{info.output_scanline} * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  const uint32_t width = info.output_width;
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  benchmark::DoNotOptimize(pixels.get());
  return width;
}

// --- Google Benchmark cases -----------------------------------------------------------------

void BM_HolderEncode(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(HolderEncode(Shared().picture));
}
void BM_DirectEncode(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DirectEncode(Shared().rows));
}
void BM_HolderDecode(benchmark::State& state) {
  TMemoryStream stream;
  stream.WriteBuffer(Shared().jpeg.data(), static_cast<int64_t>(Shared().jpeg.size()));
  for (auto _ : state) benchmark::DoNotOptimize(HolderDecode(stream));
}
void BM_DirectDecode(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DirectDecode(Shared().jpeg));
}
BENCHMARK(BM_HolderEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolderDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectDecode)->Unit(benchmark::kMillisecond);

// --- ratios from interleaved runs -----------------------------------------------------------

template <typename F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Runs both in turns, each first every other round, so that a change of machine load meets
// both alike; prints the medians and their ratio.
template <typename Holder, typename Direct>
void Compare(const char* name, Holder&& holder, Direct&& direct) {
  std::vector<double> holderTimes, directTimes;
  for (int round = 0; round < kRounds; ++round) {
    if (round % 2 == 0) {
      holderTimes.push_back(Seconds(holder));
      directTimes.push_back(Seconds(direct));
    } else {
      directTimes.push_back(Seconds(direct));
      holderTimes.push_back(Seconds(holder));
    }
  }
  const double h = Median(holderTimes), d = Median(directTimes);
  std::printf("%s 640x480: holder %.3f ms, libjpeg directly %.3f ms, ratio %.3f\n", name, h * 1e3,
              d * 1e3, h / d);
}

}  // namespace

int main(int argc, char** argv) {
  Fixture& fixture = Shared();
  DirectEncode(fixture.rows, &fixture.jpeg);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  Compare(
      "encode", [&] { benchmark::DoNotOptimize(HolderEncode(fixture.picture)); },
      [&] { benchmark::DoNotOptimize(DirectEncode(fixture.rows)); });
  TMemoryStream stream;
  stream.WriteBuffer(fixture.jpeg.data(), static_cast<int64_t>(fixture.jpeg.size()));
  Compare(
      "decode", [&] { benchmark::DoNotOptimize(HolderDecode(stream)); },
      [&] { benchmark::DoNotOptimize(DirectDecode(fixture.jpeg)); });
  return 0;
}
