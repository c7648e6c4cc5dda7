// Writes the seed corpus of the picture import's fuzz target: small PNG files of every colour
// type and depth, interlaced or not, with and without transparency; GIF files plain, interlaced,
// transparent and of two frames; WebP files lossy, lossless, with alpha and animated; JPEG files
// of every kind that the import keeps or decodes; and a BMP file.
// Usage: fuzz_picture_seed_writer <folder>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The library's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "tests/support/PictureEncoders.h"

namespace {

namespace fs = std::filesystem;
using pm::test::Rgb;

constexpr int kWidth = 7;
constexpr int kHeight = 5;

bool WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

uint8_t Sample(int x, int y, int channel) {
  return static_cast<uint8_t>(x * 37 + y * 59 + channel * 83);
}

// --- PNG -----------------------------------------------------------------------------------

pm::test::PngPicture Png(int colorType, int bitDepth, bool interlaced) {
  constexpr int kPalette = 3;
  pm::test::PngPicture png;
  png.width = kWidth;
  png.height = kHeight;
  png.colorType = colorType;
  png.bitDepth = bitDepth;
  png.interlaced = interlaced;
  const int channels = pm::test::PngChannels(colorType);
  const uint32_t top = (1u << bitDepth) - 1;
  for (int y = 0; y < kHeight; ++y) {
    std::vector<uint32_t> samples;
    for (int x = 0; x < kWidth; ++x) {
      for (int c = 0; c < channels; ++c) samples.push_back(Sample(x, y, c) * 257u % (top + 1));
    }
    pm::test::AppendPngRow(png, samples);
  }
  if (colorType == kPalette) {
    for (uint32_t i = 0; i <= top; ++i) {
      png.palette.push_back(Rgb{uint8_t(i * 5), uint8_t(255 - i), uint8_t(i * 3)});
    }
    png.paletteAlpha = {0, 128};
  }
  return png;
}

bool WritePngSeeds(const fs::path& folder) {
  const std::pair<int, std::vector<int>> kinds[] = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  bool written = true;
  for (const auto& [colorType, depths] : kinds) {
    for (const int depth : depths) {
      for (const bool interlaced : {false, true}) {
        const std::string name = "type" + std::to_string(colorType) + "-" + std::to_string(depth) +
                                 (interlaced ? "-interlaced" : "") + ".png";
        written &=
            WriteBytes(folder / name, pm::test::EncodePng(Png(colorType, depth, interlaced)));
      }
    }
  }
  pm::test::PngPicture keyed = Png(2, 8, false);
  keyed.transparentColor =
      std::array<uint16_t, 3>{Sample(0, 0, 0), Sample(0, 0, 1), Sample(0, 0, 2)};
  written &= WriteBytes(folder / "colour-key.png", pm::test::EncodePng(keyed));
  return written;
}

// --- GIF -----------------------------------------------------------------------------------

pm::test::GifFrame Frame(int left, int top, int width, int height, bool interlaced,
                         int transparent) {
  pm::test::GifFrame frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.interlaced = interlaced;
  frame.transparentIndex = transparent;
  for (int i = 0; i < width * height; ++i) frame.indices.push_back(static_cast<uint8_t>(i % 4));
  return frame;
}

bool WriteGifSeeds(const fs::path& folder) {
  const std::vector<Rgb> colors{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  bool written = true;
  written &= WriteBytes(
      folder / "plain.gif",
      pm::test::EncodeGif(kWidth, kHeight, colors, {Frame(0, 0, kWidth, kHeight, false, -1)}));
  written &= WriteBytes(folder / "interlaced-transparent.gif",
                        pm::test::EncodeGif(kWidth, kHeight, colors, {Frame(1, 1, 5, 4, true, 2)}));
  pm::test::GifFrame local = Frame(2, 0, 4, 5, false, 0);
  local.localColors = {{9, 9, 9}, {200, 100, 50}};
  written &= WriteBytes(folder / "two-frames.gif",
                        pm::test::EncodeGif(kWidth, kHeight, colors,
                                            {local, Frame(0, 0, kWidth, kHeight, false, 1)}));
  return written;
}

// --- WebP ----------------------------------------------------------------------------------

std::vector<uint8_t> Rgba(int width, int height) {
  std::vector<uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 4; ++c) rgba.push_back(Sample(x, y, c));
    }
  }
  return rgba;
}

bool WriteWebpSeeds(const fs::path& folder) {
  const std::vector<uint8_t> rgba = Rgba(kWidth, kHeight);
  bool written = true;
  written &=
      WriteBytes(folder / "lossy.webp", pm::test::EncodeWebp(kWidth, kHeight, rgba, false, false));
  written &= WriteBytes(folder / "lossy-alpha.webp",
                        pm::test::EncodeWebp(kWidth, kHeight, rgba, false, true));
  written &= WriteBytes(folder / "lossless.webp",
                        pm::test::EncodeWebp(kWidth, kHeight, rgba, true, false));
  written &= WriteBytes(folder / "lossless-alpha.webp",
                        pm::test::EncodeWebp(kWidth, kHeight, rgba, true, true));
  written &= WriteBytes(
      folder / "animated.webp",
      pm::test::AnimatedWebp(8, 6,
                             {{2, 2, 4, 3, pm::test::EncodeWebp(4, 3, Rgba(4, 3), true, true)},
                              {0, 0, 5, 5, pm::test::EncodeWebp(5, 5, Rgba(5, 5), true, true)}}));
  return written;
}

// --- JPEG ----------------------------------------------------------------------------------

enum class JpegKind { Baseline, Grey, Progressive, Arithmetic, Extended, Cmyk };

// The library's default error handling ends this program, which is all a build step needs.
std::vector<uint8_t> Jpeg(JpegKind kind) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &memory, &size);
  const int components = kind == JpegKind::Grey ? 1 : kind == JpegKind::Cmyk ? 4 : 3;
  info.image_width = kWidth * 3;
  info.image_height = kHeight * 3;
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kind == JpegKind::Extended ? 1 : 90, kind != JpegKind::Extended);
  if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
  if (kind == JpegKind::Arithmetic) info.arith_code = TRUE;
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(info.image_width * static_cast<size_t>(components));
  while (info.next_scanline < info.image_height) {
    for (size_t i = 0; i < row.size(); ++i)
      row[i] = Sample(static_cast<int>(i), info.next_scanline, 0);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> bytes(memory, memory + size);
  std::free(memory);
  return bytes;
}

bool WriteJpegSeeds(const fs::path& folder) {
  const std::pair<const char*, JpegKind> kinds[] = {
      {"baseline.jpg", JpegKind::Baseline},       {"grey.jpg", JpegKind::Grey},
      {"progressive.jpg", JpegKind::Progressive}, {"arithmetic.jpg", JpegKind::Arithmetic},
      {"extended.jpg", JpegKind::Extended},       {"cmyk.jpg", JpegKind::Cmyk}};
  bool written = true;
  for (const auto& [name, kind] : kinds) written &= WriteBytes(folder / name, Jpeg(kind));
  return written;
}

// A 2 × 2 24-bit BMP file.
std::vector<uint8_t> Bmp() {
  return {'B', 'M', 70, 0, 0,   0, 0, 0, 0, 0, 54, 0,   0,   0,   40,  0, 0,  0,
          2,   0,   0,  0, 2,   0, 0, 0, 1, 0, 24, 0,   0,   0,   0,   0, 16, 0,
          0,   0,   0,  0, 0,   0, 0, 0, 0, 0, 0,  0,   0,   0,   0,   0, 0,  0,
          255, 0,   0,  0, 255, 0, 0, 0, 0, 0, 0,  255, 255, 255, 255, 0, 0,  0};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const fs::path folder = argv[1];
  fs::create_directories(folder);
  bool written = WritePngSeeds(folder);
  written &= WriteGifSeeds(folder);
  written &= WriteWebpSeeds(folder);
  written &= WriteJpegSeeds(folder);
  written &= WriteBytes(folder / "rgb24.bmp", Bmp());
  if (!written) std::fprintf(stderr, "%s: a seed file could not be written\n", argv[0]);
  return written ? 0 : 1;
}
