#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace pm::bench {

namespace {

constexpr int kBgr = 3;
constexpr int kQuality = 90;

uint8_t Clamp(double v) {
  return static_cast<uint8_t>(std::lround(std::fmin(255, std::fmax(0, v))));
}

}  // namespace

TBitmap MakePicture(int32_t width, int32_t height, uint32_t seed) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  uint32_t state = seed;
  auto grain = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>(state >> 16) % 13 - 6;
  };
  const double phase = seed % 97;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) {
      const double u = double(x) / width, v = double(y) / height;
      row[kBgr * x + 0] = Clamp(255 * u * (1 - v) + 40 * std::sin(x * 0.03 + phase) + grain());
      row[kBgr * x + 1] = Clamp(200 * v + 30 * std::cos((x + y) * 0.02 + phase) + grain());
      row[kBgr * x + 2] = Clamp(255 * (1 - u) * (0.4 + 0.6 * v) + grain());
    }
  }
  return bitmap;
}

std::vector<uint8_t> DirectEncode(const TBitmap& bitmap) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &memory, &size);
  info.image_width = static_cast<JDIMENSION>(bitmap.Width());
  info.image_height = static_cast<JDIMENSION>(bitmap.Height());
  info.input_components = kBgr;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  info.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&info, kQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto row = const_cast<JSAMPROW>(bitmap.ConstScanLine(static_cast<int32_t>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> bytes(memory, memory + size);
  std::free(memory);
  return bytes;
}

uint32_t DirectDecode(std::span<const uint8_t> jpeg) {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
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

TempFolder::TempFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "pagemaker-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const { return (path_ / name).string(); }

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

double Compare(const std::string& what, const std::string& name, const std::function<void()>& work,
               const std::string& referenceName, const std::function<void()>& reference,
               int rounds) {
  std::vector<double> times, referenceTimes, ratios;
  for (int round = 0; round < rounds; ++round) {
    const double referenceTime = Seconds(reference);
    const double time = Seconds(work);
    referenceTimes.push_back(referenceTime);
    times.push_back(time);
    ratios.push_back(time / referenceTime);
  }
  const auto [least, greatest] = std::minmax_element(ratios.begin(), ratios.end());
  const double lowest = *least, highest = *greatest, ratio = Median(ratios);
  std::printf("%s: %s %.3f ms, %s %.3f ms, pairs %.3f to %.3f, ratio %.3f\n", what.c_str(),
              name.c_str(), Median(times) * 1e3, referenceName.c_str(),
              Median(referenceTimes) * 1e3, lowest, highest, ratio);
  std::fflush(stdout);
  return ratio;
}

}  // namespace pm::bench
