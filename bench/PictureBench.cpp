// Importing 4000 × 3000 picture files against the same work done with their libraries directly,
// and showing a stored stream of that size against libjpeg decoding it directly. Prints one line
// a comparison, ending in "ratio <import ÷ direct>", from interleaved runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <webp/decode.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// The library's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "bench/BenchSupport.h"
#include "imaging/JPEGImage.h"
#include "imaging/PictureFile.h"
#include "tests/support/PictureEncoders.h"

namespace {

using namespace pm;

constexpr int32_t kWidth = 4000;
constexpr int32_t kHeight = 3000;
constexpr int kBgr = 3;
constexpr int kRgba = 4;
constexpr float kWebpQuality = 90;
constexpr int kSlowRounds = 9;

// The whole file in memory, in one read, as an import reads it.
std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
  const int descriptor = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  fstat(descriptor, &status);
  std::vector<uint8_t> bytes(static_cast<size_t>(status.st_size));
  const ssize_t read = ::read(descriptor, bytes.data(), bytes.size());
  close(descriptor);
  if (read != status.st_size) std::abort();
  return bytes;
}

void WriteWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  std::ofstream(fileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// --- the libraries used directly -----------------------------------------------------------

struct PngSource {
  const uint8_t* data;
  size_t offset;
};

void ReadPngBytes(png_structp png, png_bytep target, size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  std::memcpy(target, source->data + source->offset, count);
  source->offset += count;
}

[[noreturn]] void AbortOnPngError(png_structp, png_const_charp message) {
  std::fprintf(stderr, "libpng: %s\n", message);
  std::abort();
}

// The file read into memory and decoded by libpng, row by row, into one buffer of 8-bit
// blue, green, red pixels.
size_t LibpngDecode(const std::string& fileName) {
  const std::vector<uint8_t> file = ReadWholeFile(fileName);
  PngSource source{file.data(), 0};
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, AbortOnPngError, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &source, ReadPngBytes);
  png_read_info(png, info);
  png_set_bgr(png);
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info),
                    height = png_get_image_height(png, info);
  const size_t stride = png_get_rowbytes(png, info);
  std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * height]);
  for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, pixels.get() + y * stride, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  benchmark::DoNotOptimize(pixels.get());
  return width;
}

// The file read into memory and decoded by libjpeg into 24-bit rows.
size_t LibjpegDecode(const std::string& fileName) {
  return bench::DirectDecode(ReadWholeFile(fileName));
}

// The file read into memory and decoded by libwebp into a buffer of its own.
size_t LibwebpDecode(const std::string& fileName) {
  const std::vector<uint8_t> file = ReadWholeFile(fileName);
  int width = 0, height = 0;
  uint8_t* pixels = WebPDecodeRGB(file.data(), file.size(), &width, &height);
  benchmark::DoNotOptimize(pixels);
  WebPFree(pixels);
  return static_cast<size_t>(width);
}

// --- ours ----------------------------------------------------------------------------------

size_t Import(const std::string& fileName) {
  const TImportedPicture imported = ReadPictureFile(fileName);
  return static_cast<size_t>(imported.holder ? imported.holder->Width() : imported.picture.Width());
}

int32_t HolderDecode(const std::vector<uint8_t>& jpeg) {
  TJPEGImage holder;
  holder.LoadJpeg(TSharedBytes(jpeg));
  TBitmap bitmap;
  holder.CopyToBitmap(bitmap);
  return bitmap.Width();
}

// --- the files -----------------------------------------------------------------------------

std::vector<uint8_t> RgbaOf(const TBitmap& picture) {
  std::vector<uint8_t> rgba;
  rgba.reserve(size_t{kWidth} * kHeight * kRgba);
  for (int32_t y = 0; y < kHeight; ++y) {
    const uint8_t* row = picture.ConstScanLine(y);
    for (int32_t x = 0; x < kWidth; ++x) {
      const uint8_t* bgr = row + x * kBgr;
      rgba.insert(rgba.end(), {bgr[2], bgr[1], bgr[0], 255});
    }
  }
  return rgba;
}

std::vector<uint8_t> PngOf(const std::vector<uint8_t>& rgba) {
  test::PngPicture png;
  png.width = kWidth;
  png.height = kHeight;
  png.rows.reserve(rgba.size() / kRgba * kBgr);
  for (size_t i = 0; i < rgba.size(); i += kRgba) {
    png.rows.insert(png.rows.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
  }
  return test::EncodePng(png);
}

}  // namespace

int main() {
  const bench::TempFolder folder;
  const std::string png = folder.File("picture.png"), jpeg = folder.File("picture.jpg"),
                    webp = folder.File("picture.webp");
  {
    const TBitmap picture = bench::MakePicture(kWidth, kHeight);
    const std::vector<uint8_t> rgba = RgbaOf(picture);
    WriteWholeFile(png, PngOf(rgba));
    WriteWholeFile(jpeg, bench::DirectEncode(picture));
    WriteWholeFile(webp, test::EncodeWebp(kWidth, kHeight, rgba, false, false, kWebpQuality));
  }
  const std::vector<uint8_t> stream = ReadWholeFile(jpeg);

  bench::Compare(
      "import PNG 4000x3000", "import", [&] { benchmark::DoNotOptimize(Import(png)); },
      "libpng directly", [&] { benchmark::DoNotOptimize(LibpngDecode(png)); }, kSlowRounds);
  bench::Compare(
      "import kept JPEG 4000x3000, decoded", "import",
      [&] { benchmark::DoNotOptimize(Import(jpeg)); }, "file and libjpeg decoding",
      [&] { benchmark::DoNotOptimize(LibjpegDecode(jpeg)); }, kSlowRounds);
  bench::Compare(
      "import WebP 4000x3000", "import", [&] { benchmark::DoNotOptimize(Import(webp)); },
      "WebPDecodeRGB", [&] { benchmark::DoNotOptimize(LibwebpDecode(webp)); }, kSlowRounds);
  bench::Compare(
      "CopyToBitmap 4000x3000", "holder", [&] { benchmark::DoNotOptimize(HolderDecode(stream)); },
      "libjpeg directly", [&] { benchmark::DoNotOptimize(bench::DirectDecode(stream)); },
      kSlowRounds);
  return 0;
}
